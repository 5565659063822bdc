// Test fixture of the database tests: every test starts and ends with the
// library in its start-up state, and can read the debug lines it printed.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dbstate.h"
#include "wrapper.h"

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
