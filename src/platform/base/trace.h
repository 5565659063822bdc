// Debug traces and assertions. Neither ever stops the program: both go to one
// sink, which logs them (to stderr when QUORVANDELIX_TRACE is set) and which
// tests read to see that an assertion fired.
#pragma once

#include <string>
#include <vector>

namespace platform {

struct TraceRecord {
    bool assertion = false; // true for a failed ASSERT
    std::string text;       // the trace text, or "file:line: expression"
};

// Appends one record to the sink.
void Trace(const char* format, ...) __attribute__((format(printf, 1, 2)));
void AssertFailed(const char* expression, const char* file, int line);

// The sink's records since the last TakeTraces, oldest first; empties the sink.
std::vector<TraceRecord> TakeTraces();
// How many assertions failed since the last TakeTraces.
int FailedAssertionCount();

} // namespace platform

#define TRACE(...) ::platform::Trace(__VA_ARGS__)
#define ASSERT(expr) ((expr) ? (void)0 : ::platform::AssertFailed(#expr, __FILE__, __LINE__))
#define VERIFY(expr) ASSERT(expr)
