// Makes every write of this process at or past `limit` bytes into a file
// fail, as on a full disk, for as long as the object lives: a real write
// failure that even the superuser meets. POSIX only.
#pragma once

#include <csignal>

#include <sys/resource.h>

class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t limit) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        savedHandler_ = std::signal(SIGXFSZ, SIG_IGN); // a failed write, not a signal
        rlimit lowered = saved_;
        lowered.rlim_cur = limit;
        ok_ = setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, savedHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool ok() const { return ok_; }

  private:
    rlimit saved_{};
    void (*savedHandler_)(int) = nullptr;
    bool ok_ = false;
};
