#include "bench/CRunTimes.h"

#include <algorithm>
#include <chrono>

CRunTimes::CRunTimes(int iRuns, const Step& fnTimed, const Step& fnBefore, const Step& fnAfter) {
    for (int i = 0; i < std::max(1, iRuns); ++i) {
        if (fnBefore)
            fnBefore(i);
        const auto start = std::chrono::steady_clock::now();
        fnTimed(i);
        const auto stop = std::chrono::steady_clock::now();
        if (fnAfter)
            fnAfter(i);
        m_Sorted.push_back(std::chrono::duration<double, std::milli>(stop - start).count());
    }
    m_fFirst = m_Sorted.front();
    std::sort(m_Sorted.begin(), m_Sorted.end());
}
