#pragma once
// Makes every file write fail beyond a size while it lives, as a full disk
// would, and as it does even for root; standard library and POSIX only.

#include <csignal>
#include <sys/resource.h>

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t iBytes) {
        // A write past the limit then fails with EFBIG instead of a signal.
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_Old);
        rlimit small = m_Old;
        small.rlim_cur = iBytes;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_Old); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_Old{};
};
