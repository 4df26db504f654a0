// Moving averages, extremes, oscillators and volatility.

#include "simulation/BuiltinHelpers.h"
#include "simulation/Series.h"

#include <algorithm>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace Sim {

namespace {

using K = ArgKind;

Array Ema(const Array& x, int n)
{
    return Series::SmoothSeeded(x, n, 2.0 / (n + 1));
}

Array Wilders(const Array& x, int n)
{
    return Series::SmoothSeeded(x, n, 1.0 / n);
}

// a op b element by element through the value operators (Null and division by zero kept).
Array Op(BinaryOp op, Array a, Array b)
{
    return Apply(op, Value(std::move(a)), Value(std::move(b))).takeArray();
}

Array Op(BinaryOp op, Array a, Number b)
{
    return Apply(op, Value(std::move(a)), Value(b)).takeArray();
}

// Weights 1 (oldest) to n (newest), by running sums: on each step the weighted sum gains n
// times the new value and loses the plain sum of the previous window.
Array Wma(const Array& x, int n)
{
    const qsizetype size = x.size();
    Array out(size, Null);
    Number* const o = out.data();
    const qsizetype first = Series::FirstValue(x);
    const Number weights = Number(n) * (n + 1) / 2;
    Number plain = 0;
    Number weighted = 0;
    int count = 0;
    for (qsizetype i = first; i < size; ++i) {
        if (IsNull(x[i])) {
            count = 0;
            plain = weighted = 0;
            continue;
        }
        if (count < n) {
            ++count;
            weighted += count * x[i];
            plain += x[i];
        } else {
            weighted += n * x[i] - plain;
            plain += x[i] - x[i - n];
        }
        if (count == n)
            o[i] = weighted / weights;
    }
    return out;
}

Array Dema(const Array& x, int n)
{
    const Array e1 = Series::SmoothFromFirst(x, n);
    const Array e2 = Series::SmoothFromFirst(e1, n);
    return Op(BinaryOp::Subtract, Op(BinaryOp::Multiply, e1, 2), e2);
}

Array Tema(const Array& x, int n)
{
    const Array e1 = Series::SmoothFromFirst(x, n);
    const Array e2 = Series::SmoothFromFirst(e1, n);
    const Array e3 = Series::SmoothFromFirst(e2, n);
    return Op(BinaryOp::Add, Op(BinaryOp::Multiply, Op(BinaryOp::Subtract, e1, e2), 3), e3);
}

// Wilder's RSI: the first averages of gains and losses are simple averages of the first n
// changes, later ones (previous * (n - 1) + change) / n.
Array Rsi(const Array& x, int n)
{
    const qsizetype size = x.size();
    Array out(size, Null);
    Number* const o = out.data();
    const qsizetype first = Series::FirstValue(x);
    if (first >= size)
        return out;
    Number previous = x[first];
    Number gain = 0;
    Number loss = 0;
    qsizetype k = 0;
    for (qsizetype i = first + 1; i < size; ++i) {
        if (IsNull(x[i]))
            continue;
        const Number change = x[i] - previous;
        previous = x[i];
        ++k;
        const Number up = std::max<Number>(change, 0);
        const Number down = std::max<Number>(-change, 0);
        if (k <= n) {
            gain += up / n;
            loss += down / n;
        } else {
            gain = (gain * (n - 1) + up) / n;
            loss = (loss * (n - 1) + down) / n;
        }
        if (k >= n)
            o[i] = loss == 0 ? (gain == 0 ? 50 : 100) : 100 - 100 / (1 + gain / loss);
    }
    return out;
}

Array Macd(const Array& close, int fast, int slow)
{
    return Op(BinaryOp::Subtract, Ema(close, fast), Ema(close, slow));
}

// Directional movement of Wilder: +DM, -DM and the true range from the second bar, each
// smoothed by Wilders.
struct Directional
{
    Array plus;  // PDI
    Array minus; // MDI
};

Directional DirectionalIndex(const Bars& b, int n)
{
    const qsizetype size = b.size();
    Array up(size, Null);
    Array down(size, Null);
    Array range(size, Null);
    for (qsizetype i = 1; i < size; ++i) {
        if (IsNull(b.high[i - 1]) || IsNull(b.high[i]))
            continue;
        const Number move = b.high[i] - b.high[i - 1];
        const Number fall = b.low[i - 1] - b.low[i];
        up[i] = move > fall && move > 0 ? move : 0;
        down[i] = fall > move && fall > 0 ? fall : 0;
        range[i] = std::max({b.high[i] - b.low[i], std::fabs(b.high[i] - b.close[i - 1]),
                             std::fabs(b.low[i] - b.close[i - 1])});
    }
    const Array smoothedRange = Wilders(range, n);
    return {Op(BinaryOp::Multiply, Op(BinaryOp::Divide, Wilders(up, n), smoothedRange), 100),
            Op(BinaryOp::Multiply, Op(BinaryOp::Divide, Wilders(down, n), smoothedRange), 100)};
}

Array Adx(const Bars& b, int n)
{
    const Directional d = DirectionalIndex(b, n);
    Array dx(b.size(), Null);
    for (qsizetype i = 0; i < dx.size(); ++i) {
        const Number p = d.plus[i];
        const Number m = d.minus[i];
        if (!IsNull(p) && !IsNull(m))
            dx[i] = p + m == 0 ? 0 : 100 * std::fabs(p - m) / (p + m);
    }
    return Wilders(dx, n);
}

// Fast %K: where the close stands in the range of the last n bars, 0 to 100.
Array FastK(const Bars& b, int n)
{
    const Array lowest = Series::Extreme(b.low, n, false, false);
    const Array highest = Series::Extreme(b.high, n, true, false);
    return Op(BinaryOp::Multiply,
              Op(BinaryOp::Divide, Op(BinaryOp::Subtract, b.close, lowest),
                 Op(BinaryOp::Subtract, highest, lowest)),
              100);
}

// (typical price - its average) / (0.015 * mean absolute deviation from that average).
Array Cci(const Bars& b, int n)
{
    const Array typical =
        Op(BinaryOp::Divide, Op(BinaryOp::Add, Op(BinaryOp::Add, b.high, b.low), b.close), 3);
    const Array average = Series::Average(typical, n);
    Array out(typical.size(), Null);
    Number* const o = out.data();
    for (qsizetype i = 0; i < typical.size(); ++i) {
        if (IsNull(average[i]))
            continue;
        Number deviation = 0;
        for (qsizetype j = i - n + 1; j <= i; ++j)
            deviation += std::fabs(typical[j] - average[i]);
        deviation /= n;
        o[i] = deviation == 0 ? 0 : (typical[i] - average[i]) / (0.015 * deviation);
    }
    return out;
}

// The least-squares line through the last n values, at the newest bar.
Array LinearReg(const Array& x, int n)
{
    Array out(x.size(), Null);
    Number* const o = out.data();
    const Number sx = Number(n) * (n - 1) / 2;
    const Number sxx = (n - 1) * Number(n) * (2.0 * n - 1) / 6;
    const Number denominator = n * sxx - sx * sx;
    for (qsizetype i = n - 1; i < x.size(); ++i) {
        Number sy = 0;
        Number sxy = 0;
        bool gap = false;
        for (int k = 0; k < n; ++k) {
            const Number y = x[i - n + 1 + k];
            gap = gap || IsNull(y);
            sy += y;
            sxy += k * y;
        }
        if (gap)
            continue;
        const Number slope = denominator == 0 ? 0 : (n * sxy - sx * sy) / denominator;
        o[i] = (sy - slope * sx) / n + slope * (n - 1);
    }
    return out;
}

// Wilder's parabolic SAR. The first trend is up when the second close is not below the
// first; its SAR starts at the extreme of the first two bars against the trend.
Array Sar(const Bars& b, Number step, Number maximum)
{
    const qsizetype size = b.size();
    Array out(size, Null);
    Number* const o = out.data();
    const qsizetype first = Series::FirstValue(b.close);
    if (first + 1 >= size)
        return out;
    const Array& h = b.high;
    const Array& l = b.low;
    bool rising = b.close[first + 1] >= b.close[first];
    Number sar = rising ? std::min(l[first], l[first + 1]) : std::max(h[first], h[first + 1]);
    Number extreme = rising ? std::max(h[first], h[first + 1]) : std::min(l[first], l[first + 1]);
    Number factor = step;
    o[first + 1] = sar;
    for (qsizetype i = first + 2; i < size; ++i) {
        sar += factor * (extreme - sar);
        if (rising) {
            sar = std::min({sar, l[i - 1], l[i - 2]});
            if (l[i] < sar) {
                rising = false;
                sar = extreme;
                extreme = l[i];
                factor = step;
            } else if (h[i] > extreme) {
                extreme = h[i];
                factor = std::min(factor + step, maximum);
            }
        } else {
            sar = std::max({sar, h[i - 1], h[i - 2]});
            if (h[i] > sar) {
                rising = true;
                sar = extreme;
                extreme = h[i];
                factor = step;
            } else if (l[i] < extreme) {
                extreme = l[i];
                factor = std::min(factor + step, maximum);
            }
        }
        o[i] = sar;
    }
    return out;
}

void AddArrayPeriod(Library& library, const QString& name, Array (*f)(const Array&, int))
{
    library.add(name, 2, 2, {K::Numeric, K::Number},
                [f](Call& c) { return Value(f(c.array(0), c.period(1))); });
}

const Bars& Prices(const Call& c)
{
    return c.env().bars();
}

} // namespace

void AddIndicatorFunctions(Library& library)
{
    AddArrayPeriod(library, u"MA"_s, Series::Average);
    AddArrayPeriod(library, u"EMA"_s, Ema);
    AddArrayPeriod(library, u"WMA"_s, Wma);
    AddArrayPeriod(library, u"DEMA"_s, Dema);
    AddArrayPeriod(library, u"TEMA"_s, Tema);
    AddArrayPeriod(library, u"Wilders"_s, Wilders);
    AddArrayPeriod(library, u"StDev"_s, Series::StdDev);
    AddArrayPeriod(library, u"LinearReg"_s, LinearReg);
    AddArrayPeriod(library, u"RSIa"_s, Rsi);
    library.add(u"HHV"_s, 2, 2, {K::Numeric, K::Number}, [](Call& c) {
        return Value(Series::Extreme(c.array(0), c.period(1), true, false));
    });
    library.add(u"LLV"_s, 2, 2, {K::Numeric, K::Number}, [](Call& c) {
        return Value(Series::Extreme(c.array(0), c.period(1), false, false));
    });
    library.add(u"HHVBars"_s, 2, 2, {K::Numeric, K::Number}, [](Call& c) {
        return Value(Series::Extreme(c.array(0), c.period(1), true, true));
    });
    library.add(u"LLVBars"_s, 2, 2, {K::Numeric, K::Number}, [](Call& c) {
        return Value(Series::Extreme(c.array(0), c.period(1), false, true));
    });
    library.add(u"RSI"_s, 0, 1, {K::Number},
                [](Call& c) { return Value(Rsi(Prices(c).close, c.period(0, 14))); });
    library.add(u"MACD"_s, 0, 2, {K::Number}, [](Call& c) {
        return Value(Macd(Prices(c).close, c.period(0, 12), c.period(1, 26)));
    });
    library.add(u"Signal"_s, 0, 3, {K::Number}, [](Call& c) {
        const Array macd = Macd(Prices(c).close, c.period(0, 12), c.period(1, 26));
        return Value(Ema(macd, c.period(2, 9)));
    });
    library.add(u"ATR"_s, 1, 1, {K::Number}, [](Call& c) {
        const Bars& b = Prices(c);
        return Value(Wilders(Series::TrueRange(b.high, b.low, b.close), c.period(0)));
    });
    for (const bool top : {true, false}) {
        library.add(top ? u"BBandTop"_s : u"BBandBot"_s, 1, 3, {K::Numeric, K::Number, K::Number},
                    [top](Call& c) {
                        const Array x = c.array(0);
                        const int n = c.period(1, 15);
                        const Number width = c.number(2, 2) * (top ? 1 : -1);
                        return Value(Op(BinaryOp::Add, Series::Average(x, n),
                                        Op(BinaryOp::Multiply, Series::StdDev(x, n), width)));
                    });
    }
    library.add(u"CCI"_s, 0, 1, {K::Number},
                [](Call& c) { return Value(Cci(Prices(c), c.period(0, 14))); });
    library.add(u"ADX"_s, 0, 1, {K::Number},
                [](Call& c) { return Value(Adx(Prices(c), c.period(0, 14))); });
    library.add(u"PDI"_s, 0, 1, {K::Number},
                [](Call& c) { return Value(DirectionalIndex(Prices(c), c.period(0, 14)).plus); });
    library.add(u"MDI"_s, 0, 1, {K::Number},
                [](Call& c) { return Value(DirectionalIndex(Prices(c), c.period(0, 14)).minus); });
    library.add(u"StochK"_s, 0, 2, {K::Number}, [](Call& c) {
        return Value(Series::Average(FastK(Prices(c), c.period(0, 14)), c.period(1, 3)));
    });
    library.add(u"StochD"_s, 0, 3, {K::Number}, [](Call& c) {
        const Array k = Series::Average(FastK(Prices(c), c.period(0, 14)), c.period(1, 3));
        return Value(Series::Average(k, c.period(2, 3)));
    });
    library.add(u"ROC"_s, 1, 3, {K::Numeric, K::Number, K::Number}, [](Call& c) {
        const Array x = c.array(0);
        const Array previous = Series::Shift(x, -c.period(1, 12));
        Array divisor = previous;
        if (c.flag(2, false))
            divisor = MapValues(Value(previous), [](Number v) { return std::fabs(v); }).takeArray();
        return Value(Op(BinaryOp::Multiply,
                        Op(BinaryOp::Divide, Op(BinaryOp::Subtract, x, previous), divisor), 100));
    });
    library.add(u"SAR"_s, 0, 2, {K::Number},
                [](Call& c) { return Value(Sar(Prices(c), c.number(0, 0.02), c.number(1, 0.2))); });
}

} // namespace Sim
