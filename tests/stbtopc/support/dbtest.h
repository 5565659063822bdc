// Test fixture of the database tests: every test starts and ends with the
// library in its start-up state, and can read the debug lines it printed.
#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "dbstate.h"
#include "wrapper.h"

// "<prefix><n><suffix>", for numbered test names. Formatted into a buffer:
// GCC 12 at -O3 warns wrongly (-Wrestrict) about chains of std::string +.
inline std::string NumberedName(const char* prefix, unsigned n, const char* suffix = "") {
    char text[64];
    std::snprintf(text, sizeof text, "%s%u%s", prefix, n, suffix);
    return text;
}

struct DebugLine {
    int level;
    std::string text;
};

class DebugCapture {
  public:
    DebugCapture() { WRAP_SetDebugSink(&DebugCapture::sink, this); }
    ~DebugCapture() { WRAP_SetDebugSink(nullptr, nullptr); }
    DebugCapture(const DebugCapture&) = delete;
    DebugCapture& operator=(const DebugCapture&) = delete;

    const std::vector<DebugLine>& lines() const { return lines_; }
    bool contains(const std::string& text) const {
        for (const DebugLine& line : lines_)
            if (line.text.find(text) != std::string::npos) return true;
        return false;
    }
    void clear() { lines_.clear(); }

  private:
    static void sink(int level, const char* text, void* context) {
        static_cast<DebugCapture*>(context)->lines_.push_back(DebugLine{level, text});
    }
    std::vector<DebugLine> lines_;
};

class DbTest : public ::testing::Test {
  protected:
    void SetUp() override { DB_ResetAllState(); }
    void TearDown() override { DB_ResetAllState(); }
};
