#include "draw/fontcache.h"

#include <QApplication>

#include <cstring>
#include <map>
#include <memory>

namespace platform {

namespace {

struct DescLess {
    bool operator()(const FontDesc& a, const FontDesc& b) const {
        return std::memcmp(&a, &b, sizeof(FontDesc)) < 0;
    }
};

} // namespace

Font* CachedFont(const FontDesc* desc) {
    if (!desc) return nullptr;
    static std::map<FontDesc, std::unique_ptr<Font>, DescLess> cache;
    std::unique_ptr<Font>& font = cache[*desc];
    if (!font) font = std::make_unique<Font>(*desc);
    return font.get();
}

bool GetMessageFont(FontDesc* desc) {
    if (!desc) return false;
    *desc = FromQFont(QApplication::font());
    return true;
}

} // namespace platform
