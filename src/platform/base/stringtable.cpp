#include "base/stringtable.h"

#include <map>

namespace platform {

namespace {
std::map<unsigned, std::string>& Table() {
    static std::map<unsigned, std::string> table;
    return table;
}
} // namespace

void SetStringResource(unsigned id, const std::string& text) {
    Table()[id] = text;
}

void ClearStringResources() {
    Table().clear();
}

bool LoadString(unsigned id, std::string* text) {
    if (!text) return false;
    auto it = Table().find(id);
    if (it == Table().end()) {
        text->clear();
        return false;
    }
    *text = it->second;
    return true;
}

} // namespace platform
