#include "base/trace.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace platform {

namespace {
std::mutex g_mutex;
std::vector<TraceRecord> g_records;

void Append(TraceRecord record) {
    static const bool echo = std::getenv("QUORVANDELIX_TRACE") != nullptr;
    if (echo) std::fprintf(stderr, "%s%s\n", record.assertion ? "ASSERT " : "", record.text.c_str());
    std::lock_guard<std::mutex> lock(g_mutex);
    // A bounded log: a long session keeps its newest records only.
    if (g_records.size() >= 10000) g_records.erase(g_records.begin(), g_records.begin() + 5000);
    g_records.push_back(std::move(record));
}
} // namespace

void Trace(const char* format, ...) {
    char buffer[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    Append({false, buffer});
}

void AssertFailed(const char* expression, const char* file, int line) {
    Append({true, std::string(file) + ":" + std::to_string(line) + ": " + expression});
}

std::vector<TraceRecord> TakeTraces() {
    std::lock_guard<std::mutex> lock(g_mutex);
    std::vector<TraceRecord> out;
    out.swap(g_records);
    return out;
}

int FailedAssertionCount() {
    std::lock_guard<std::mutex> lock(g_mutex);
    int n = 0;
    for (const auto& r : g_records) n += r.assertion ? 1 : 0;
    return n;
}

} // namespace platform
