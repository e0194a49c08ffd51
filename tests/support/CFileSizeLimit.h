#pragma once
// Limits the size of every file this process (and what it starts) writes,
// while it lives: writing fails part way, as on a full disk, also for root.

#include <csignal>
#include <sys/resource.h>

class CFileSizeLimit {
public:
    explicit CFileSizeLimit(rlim_t iBytes) {
        // Past the limit a write fails with EFBIG rather than killing the writer.
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_Old);
        rlimit small = m_Old;
        small.rlim_cur = iBytes;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    CFileSizeLimit(const CFileSizeLimit&) = delete;
    CFileSizeLimit& operator=(const CFileSizeLimit&) = delete;
    ~CFileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_Old);
        std::signal(SIGXFSZ, SIG_DFL);
    }

private:
    rlimit m_Old{};
};
