#pragma once
// The times of one step run again and again, as the conversion benchmarks
// report them: the first run, the median and the fastest, in milliseconds.

#include <functional>
#include <vector>

class CRunTimes {
public:
    using Step = std::function<void(int iRun)>;

    // Times fnTimed over iRuns runs (at least one); fnBefore and fnAfter run
    // untimed just before and just after each, all given the run's number
    // from 0.
    CRunTimes(int iRuns, const Step& fnTimed, const Step& fnBefore = {}, const Step& fnAfter = {});

    double First() const { return m_fFirst; }
    double Median() const { return m_Sorted[m_Sorted.size() / 2]; }
    double Fastest() const { return m_Sorted.front(); }

private:
    double m_fFirst = 0;
    std::vector<double> m_Sorted;
};
