// A time-out guard for a step that must not wait: when the step has not
// ended within the bound, the guard names it on standard error and aborts
// the test program, which the test run reports as a failure instead of
// hanging with it. The step runs on the calling thread; the guard waits on
// a thread of its own.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

class HangGuard {
  public:
    HangGuard(std::string step, std::chrono::milliseconds bound)
        : m_step(std::move(step)), m_thread([this, bound] { Watch(bound); }) {}
    ~HangGuard() {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_done = true;
        }
        m_wake.notify_one();
        m_thread.join();
    }
    HangGuard(const HangGuard&) = delete;
    HangGuard& operator=(const HangGuard&) = delete;

  private:
    void Watch(std::chrono::milliseconds bound) {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (m_wake.wait_for(lock, bound, [this] { return m_done; })) return;
        std::fprintf(stderr, "hung: %s did not end within %lld ms\n", m_step.c_str(),
                     static_cast<long long>(bound.count()));
        std::fflush(stderr);
        std::abort();
    }

    std::string m_step;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_done = false;
    std::thread m_thread; // last: starts once the rest is built
};
