#include "simulation/Series.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace Sim::Series {

qsizetype FirstValue(const Array& x)
{
    qsizetype i = 0;
    while (i < x.size() && IsNull(x[i]))
        ++i;
    return i;
}

namespace {

// A rolling sum of n bars and of their squares, over values less an offset (so that the
// squares lose no digits to a large level); `nulls` counts the Nulls in the window.
template <typename Emit> void Rolling(const Array& x, int n, Emit emit)
{
    const qsizetype size = x.size();
    const qsizetype first = FirstValue(x);
    const Number offset = first < size ? x[first] : 0;
    Number sum = 0;
    Number squares = 0;
    int nulls = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const Number in = x[i];
        if (IsNull(in)) {
            ++nulls;
        } else {
            sum += in - offset;
            squares += (in - offset) * (in - offset);
        }
        if (i >= n) {
            const Number out = x[i - n];
            if (IsNull(out)) {
                --nulls;
            } else {
                sum -= out - offset;
                squares -= (out - offset) * (out - offset);
            }
        }
        if (i >= n - 1 && nulls == 0)
            emit(i, sum, squares, offset);
    }
}

} // namespace

Array Average(const Array& x, int n)
{
    Array out(x.size(), Null);
    Number* o = out.data();
    Rolling(x, n, [&](qsizetype i, Number sum, Number, Number offset) { o[i] = sum / n + offset; });
    return out;
}

Array Sum(const Array& x, int n)
{
    Array out(x.size(), Null);
    Number* o = out.data();
    Rolling(x, n, [&](qsizetype i, Number sum, Number, Number offset) { o[i] = sum + offset * n; });
    return out;
}

Array StdDev(const Array& x, int n)
{
    Array out(x.size(), Null);
    Number* o = out.data();
    Rolling(x, n, [&](qsizetype i, Number sum, Number squares, Number) {
        const Number mean = sum / n;
        o[i] = std::sqrt(std::max<Number>(0, squares / n - mean * mean));
    });
    return out;
}

namespace {

// An exponential average with factor alpha, `value` at bar `from` and carried on from there.
Array SmoothFrom(const Array& x, qsizetype from, Number value, Number alpha)
{
    Array out(x.size(), Null);
    if (from >= x.size())
        return out;
    Number* const o = out.data();
    o[from] = value;
    for (qsizetype i = from + 1; i < x.size(); ++i) {
        if (IsNull(x[i]))
            continue;
        value += alpha * (x[i] - value);
        o[i] = value;
    }
    return out;
}

} // namespace

Array SmoothSeeded(const Array& x, int n, Number alpha)
{
    const qsizetype first = FirstValue(x);
    const qsizetype seedAt = first + n - 1;
    Number sum = 0;
    for (qsizetype i = first; i <= seedAt && i < x.size(); ++i) {
        if (IsNull(x[i]))
            return Array(x.size(), Null); // a gap inside the seed: no average
        sum += x[i];
    }
    return SmoothFrom(x, seedAt, sum / n, alpha);
}

Array SmoothFromFirst(const Array& x, int n)
{
    const qsizetype first = FirstValue(x);
    return SmoothFrom(x, first, first < x.size() ? x[first] : Null, 2.0 / (n + 1));
}

Array Extreme(const Array& x, int n, bool highest, bool bars)
{
    const qsizetype size = x.size();
    Array out(size, Null);
    Number* o = out.data();
    // Indices of the window whose values fall (highest) or rise (lowest) from front to back.
    std::vector<qsizetype> window;
    window.reserve(size_t(std::min<qsizetype>(n, size)) + 1);
    size_t head = 0;
    qsizetype lastNull = -1;
    for (qsizetype i = 0; i < size; ++i) {
        const Number v = x[i];
        if (IsNull(v)) {
            lastNull = i;
            window.clear();
            head = 0;
            continue;
        }
        while (window.size() > head && (highest ? x[window.back()] <= v : x[window.back()] >= v))
            window.pop_back();
        window.push_back(i);
        if (window[head] <= i - n)
            ++head;
        if (head > 4096 && head * 2 > window.size()) {
            window.erase(window.begin(), window.begin() + qsizetype(head));
            head = 0;
        }
        if (i - lastNull >= n)
            o[i] = bars ? Number(i - window[head]) : x[window[head]];
    }
    return out;
}

Array Shift(const Array& x, int k)
{
    const qsizetype size = x.size();
    Array out(size, Null);
    Number* o = out.data();
    for (qsizetype i = 0; i < size; ++i) {
        const qsizetype from = i + k;
        if (from >= 0 && from < size)
            o[i] = x[from];
    }
    return out;
}

Array TrueRange(const Array& high, const Array& low, const Array& close)
{
    const qsizetype size = close.size();
    Array out(size, Null);
    Number* o = out.data();
    for (qsizetype i = 0; i < size; ++i) {
        if (IsNull(high[i]) || IsNull(low[i]))
            continue;
        Number range = high[i] - low[i];
        if (i > 0 && !IsNull(close[i - 1]))
            range = std::max(
                {range, std::fabs(high[i] - close[i - 1]), std::fabs(low[i] - close[i - 1])});
        o[i] = range;
    }
    return out;
}

} // namespace Sim::Series
