// slm.h is the library's whole public surface and only that: following its
// includes reaches the public headers below and no internal one, and none of
// them declares an internal twin (INT_), a program-wide object (g_, extern)
// or a call of the list library, the tables, the index or the handle table.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace {

std::string ReadHeader(const std::string& name) {
    std::ifstream file(std::string(QV_STBTOPC_SOURCE_DIR) + "/" + name);
    EXPECT_TRUE(file.good()) << name;
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// Every header reached from name through quoted includes.
std::set<std::string> Reached(const std::string& name) {
    std::set<std::string> seen;
    std::vector<std::string> pending{name};
    const std::regex include(R"re(#include\s+"([^"]+)")re");
    while (!pending.empty()) {
        const std::string header = pending.back();
        pending.pop_back();
        if (!seen.insert(header).second) continue;
        const std::string text = ReadHeader(header);
        for (std::sregex_iterator it(text.begin(), text.end(), include), end; it != end; ++it)
            pending.push_back((*it)[1]);
    }
    return seen;
}

// Code lines only: comments may name what they like.
std::string WithoutComments(const std::string& text) {
    return std::regex_replace(text, std::regex(R"(//[^\n]*)"), "");
}

TEST(PublicSurfaceTest, SlmReachesOnlyPublicHeaders) {
    const std::set<std::string> expected = {
        "slm.h",       "dbdocument.h",  "dberr.h",      "dbrecords.h",
        "listids.h",   "slmcas.h",      "slmcascade.h", "slmfavourites.h",
        "slmhandle.h", "slmlistedit.h", "slmload.h",    "slmquery.h",
        "slmresult.h", "slmservice.h",  "slmtp.h",      "snquery.h"};
    EXPECT_EQ(Reached("slm.h"), expected);
}

TEST(PublicSurfaceTest, PublicHeadersDeclareNothingInternal) {
    const std::regex internal(
        R"(\b(INT_\w+|g_\w+|HT_\w+|LL_\w+|TBL_\w+|IDX_\w+|WRAP_\w+)\s*\(|\bextern\b)");
    for (const std::string& header : Reached("slm.h")) {
        const std::string code = WithoutComments(ReadHeader(header));
        std::smatch found;
        EXPECT_FALSE(std::regex_search(code, found, internal))
            << header << " declares " << found.str();
    }
}

// The public reads a view needs are there (the call is what is checked).
TEST(PublicSurfaceTest, SlmDeclaresTheReadsTheViewsNeed) {
    std::string all;
    for (const std::string& header : Reached("slm.h"))
        all += WithoutComments(ReadHeader(header));
    for (const char* name :
         {"SLM_GetServiceNumber", "SLM_GetServiceName", "SLM_GetCasName", "SN_GetSatInfo",
          "SN_SetSatInfo", "SN_IsSatUsed", "SN_GetNthUsedSatIndex", "SN_CountUsedSatsBefore",
          "SN_GetAntennaId", "SN_GetCurrentNumAntenna", "DB_OpenImage", "DB_NewFromTemplate",
          "DB_SaveImage", "DB_CloseImage", "DB_ReopenImage"})
        EXPECT_NE(all.find(std::string(name) + "("), std::string::npos) << name;
}

} // namespace
