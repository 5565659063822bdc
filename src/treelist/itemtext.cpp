#include "itemtext.h"

#include "base/text.h"

namespace treelist {

namespace {

unsigned char FoldAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

} // namespace

int CompareNoCase(const std::string& a, const std::string& b) {
    std::size_t i = 0;
    while (i < a.size() && i < b.size()) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[i]);
        // A lead byte on either side makes this position a two-byte character:
        // both bytes compare unfolded, and the walk steps over the pair.
        if (platform::IsDBCSLeadByte(ca) || platform::IsDBCSLeadByte(cb)) {
            if (ca != cb) return ca < cb ? -1 : 1;
            ++i;
            if (i >= a.size() || i >= b.size()) break;
            const auto ta = static_cast<unsigned char>(a[i]);
            const auto tb = static_cast<unsigned char>(b[i]);
            if (ta != tb) return ta < tb ? -1 : 1;
            ++i;
            continue;
        }
        const unsigned char fa = FoldAscii(ca);
        const unsigned char fb = FoldAscii(cb);
        if (fa != fb) return fa < fb ? -1 : 1;
        ++i;
    }
    // One text is a prefix of the other: the shorter sorts first.
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

} // namespace treelist
