#pragma once
// Computations over bar series that several built-ins share. Each takes whole arrays, runs in
// time linear in the bars, and gives an array of the same length.
//
// Null in the input: leading Nulls are skipped (a series starts at its first value, as with
// an indicator of an indicator, or a compressed time frame). A window that holds a Null gives
// Null; a recursive average gives Null at a Null bar and carries on from its last value.

#include "simulation/Value.h"

namespace Sim::Series {

/// The index of the first value that is not Null (the size when there is none).
qsizetype FirstValue(const Array& x);

/// Simple moving average of n bars; Null before n values.
Array Average(const Array& x, int n);
/// Rolling sum of n bars; Null before n values.
Array Sum(const Array& x, int n);
/// Exponential average with factor `alpha`, seeded with the simple average of its first n
/// values (EMA: alpha = 2 / (n + 1); Wilders: alpha = 1 / n).
Array SmoothSeeded(const Array& x, int n, Number alpha);
/// Exponential average with factor 2 / (n + 1), seeded with the first value.
Array SmoothFromFirst(const Array& x, int n);
/// Highest or lowest value of n bars; `bars` gives instead how many bars ago it was (the most
/// recent on a tie).
Array Extreme(const Array& x, int n, bool highest, bool bars);
/// Population standard deviation of n bars.
Array StdDev(const Array& x, int n);
/// x shifted by k bars: negative k looks back, positive k ahead; Null outside the series.
Array Shift(const Array& x, int k);
/// True range: max(H - L, |H - previous C|, |L - previous C|); H - L on the first bar.
Array TrueRange(const Array& high, const Array& low, const Array& close);

} // namespace Sim::Series
