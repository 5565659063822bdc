// The platform layer's wings lie on floors, and a file includes only from
// its own floor and those below: base < draw < window < dnd < controls <
// dialogs. Nothing in the layer includes a header of the windows above it
// (the tree list, the editor, the grid, the resources, the transfer dialog)
// or of the library beside it. Read from the source files themselves.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

const std::map<std::string, int> kFloors = {
    {"base", 0}, {"draw", 1}, {"window", 2}, {"dnd", 3}, {"controls", 4}, {"dialogs", 5},
};

std::string Read(const fs::path& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

bool IsSource(const fs::path& path) {
    return path.extension() == ".h" || path.extension() == ".cpp";
}

// Every header name a file outside the platform could be included by: its
// name alone and its path from its source folder.
std::set<std::string> HeadersAbove(const fs::path& src) {
    std::set<std::string> names;
    for (const fs::directory_entry& folder : fs::directory_iterator(src)) {
        if (!folder.is_directory() || folder.path().filename() == "platform") continue;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder.path()))
            if (entry.is_regular_file() && entry.path().extension() == ".h") {
                names.insert(entry.path().filename().string());
                names.insert(fs::relative(entry.path(), folder.path()).generic_string());
            }
    }
    return names;
}

TEST(PlatformWingsTest, IncludesRunDownTheFloorsAndNeverAboveThePlatform) {
    const fs::path src(QV_SOURCE_DIR);
    const fs::path platform = src / "platform";
    ASSERT_TRUE(fs::is_directory(platform)) << platform;
    const std::set<std::string> above = HeadersAbove(src);
    ASSERT_FALSE(above.empty());
    const std::regex include(R"re(#\s*include\s*(["<])([^">]+)[">])re");
    int files = 0;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(platform)) {
        if (!entry.is_regular_file() || !IsSource(entry.path())) continue;
        ++files;
        const fs::path relative = fs::relative(entry.path(), platform);
        const std::string wing = relative.begin()->string();
        const auto own = kFloors.find(wing);
        ASSERT_NE(own, kFloors.end()) << relative << " lies in no wing";
        const std::string text = Read(entry.path());
        for (std::sregex_iterator it(text.begin(), text.end(), include), end; it != end; ++it) {
            const bool quoted = (*it)[1] == "\"";
            const std::string name = (*it)[2];
            if (!quoted) {
                // A system or Qt header; one of ours in angle brackets is still ours.
                EXPECT_EQ(above.count(name), 0u) << relative << " includes <" << name << ">";
                continue;
            }
            const std::string target = fs::path(name).begin()->string();
            const auto floor = kFloors.find(target);
            if (floor == kFloors.end() || !fs::exists(platform / name)) {
                ADD_FAILURE() << relative << " includes \"" << name
                              << "\", which is no header of a wing"
                              << (above.count(name) ? " but one above the platform" : "");
                continue;
            }
            EXPECT_LE(floor->second, own->second)
                << relative << " (" << wing << ") includes \"" << name << "\" from the higher "
                << target << " wing";
        }
    }
    EXPECT_GT(files, 0);
}

} // namespace
