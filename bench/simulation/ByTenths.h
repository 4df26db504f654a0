#pragma once
// The cost of a bar grows with the bars a run sees: the mean of each tenth of the bars.

#include <algorithm>
#include <cstdio>

#include <QList>

/// Prints a table of the mean time per bar (given in nanoseconds) by tenths of the bars.
inline void PrintByTenths(const QList<qint64>& nanoseconds, const char* unit)
{
    const int bars = int(nanoseconds.size());
    std::printf("%-14s %12s\n", "bars seen", unit);
    const int tenth = std::max(1, bars / 10);
    for (int from = 0; from < bars; from += tenth) {
        const int to = std::min(bars, from + tenth);
        qint64 sum = 0;
        for (int i = from; i < to; ++i)
            sum += nanoseconds[i];
        std::printf("%5d-%-8d %12.1f\n", from + 1, to, sum / 1e3 / (to - from));
    }
}
