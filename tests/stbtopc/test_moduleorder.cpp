// Calls in the library go one way, down: no module (a header and its source,
// named alike) reaches itself again through the headers it includes. A
// circle is named with every step, so the include that closes it is found.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

using Graph = std::map<std::string, std::set<std::string>>;

// Module -> the library's modules its header and source include (quoted
// includes of headers that are not the library's own are left out).
Graph IncludeGraph(const fs::path& root) {
    std::map<std::string, std::vector<fs::path>> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const fs::path& path = entry.path();
        if (path.extension() == ".h" || path.extension() == ".cpp")
            files[path.stem().string()].push_back(path);
    }
    const std::regex include(R"re(#include\s+"(?:[^"]*/)?([^"/]+)\.h")re");
    Graph graph;
    for (const auto& [module, paths] : files) {
        std::set<std::string>& uses = graph[module];
        for (const fs::path& path : paths) {
            std::ifstream file(path);
            std::stringstream text;
            text << file.rdbuf();
            const std::string code = text.str();
            for (std::sregex_iterator it(code.begin(), code.end(), include), end; it != end; ++it) {
                const std::string used = (*it)[1];
                if (used != module && files.count(used) != 0) uses.insert(used);
            }
        }
    }
    return graph;
}

// A circle of includes as "a -> b -> a", or empty when there is none.
std::string FindCircle(const Graph& graph) {
    enum class Mark { Open, Done };
    std::map<std::string, Mark> marks;
    std::vector<std::string> path;
    std::string circle;
    std::function<bool(const std::string&)> visit = [&](const std::string& module) {
        marks[module] = Mark::Open;
        path.push_back(module);
        for (const std::string& used : graph.at(module)) {
            const auto mark = marks.find(used);
            if (mark == marks.end()) {
                if (visit(used)) return true;
            } else if (mark->second == Mark::Open) {
                auto step = std::find(path.begin(), path.end(), used);
                for (; step != path.end(); ++step)
                    circle += *step + " -> ";
                circle += used;
                return true;
            }
        }
        path.pop_back();
        marks[module] = Mark::Done;
        return false;
    };
    for (const auto& [module, uses] : graph)
        if (marks.count(module) == 0 && visit(module)) break;
    return circle;
}

TEST(ModuleOrderTest, FindsACircleOfIncludes) {
    const Graph straight = {{"a", {"b"}}, {"b", {"c"}}, {"c", {}}};
    EXPECT_EQ(FindCircle(straight), "");
    const Graph circle = {{"a", {"b"}}, {"b", {"c"}}, {"c", {"b"}}};
    EXPECT_EQ(FindCircle(circle), "b -> c -> b");
}

TEST(ModuleOrderTest, NoModuleOfTheLibraryIncludesItsWayBackToItself) {
    const Graph graph = IncludeGraph(QV_STBTOPC_SOURCE_DIR);
    ASSERT_GT(graph.count("slm"), 0u); // the walk found the library
    EXPECT_EQ(FindCircle(graph), "");
}

} // namespace
