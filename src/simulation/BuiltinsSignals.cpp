// Signal logic: Ref, Cross, ExRem, ExRemSpan, Flip, Hold, BarsSince, ValueWhen, Sum, Cum, IIf.

#include "simulation/BuiltinHelpers.h"
#include "simulation/Series.h"
#include "simulation/SimTexts.h"

#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace Sim {

namespace {

using K = ArgKind;

// A whole number of bars, any sign, the fraction dropped.
int Offset(const Call& c, int i)
{
    const Number k = c.number(i);
    if (IsNull(k))
        c.fail(Texts::ArgumentNull(i + 1));
    return int(std::clamp<Number>(k, -1e9, 1e9));
}

Value Cross(Call& c)
{
    const Array a = c.array(0);
    const Array b = c.array(1);
    return Value(EachBar(a.size(), [&](qsizetype i) -> Number {
        if (i == 0 || IsNull(a[i - 1]) || IsNull(a[i]) || IsNull(b[i - 1]) || IsNull(b[i]))
            return 0;
        return a[i] > b[i] && a[i - 1] <= b[i - 1] ? 1 : 0;
    }));
}

// The first signal of `a`, then none until `b` resets; a reset on the bar of a signal counts
// after it.
Value ExRem(Call& c)
{
    const Array a = c.array(0);
    const Array b = c.array(1);
    bool active = false;
    return Value(EachBar(a.size(), [&](qsizetype i) -> Number {
        const bool signal = !active && IsTrue(a[i]);
        active = (active || signal) && !IsTrue(b[i]);
        return signal ? 1 : 0;
    }));
}

// A signal, then none on the next n - 1 bars.
Value ExRemSpan(Call& c)
{
    const Array a = c.array(0);
    const int n = c.period(1);
    qsizetype last = -1;
    return Value(EachBar(a.size(), [&](qsizetype i) -> Number {
        if (!IsTrue(a[i]) || (last >= 0 && i - last < n))
            return 0;
        last = i;
        return 1;
    }));
}

// 1 from a bar where `a` is true until a bar where `b` is; `b` wins on a bar with both.
Value Flip(Call& c)
{
    const Array a = c.array(0);
    const Array b = c.array(1);
    bool state = false;
    return Value(EachBar(a.size(), [&](qsizetype i) -> Number {
        state = (state || IsTrue(a[i])) && !IsTrue(b[i]);
        return state ? 1 : 0;
    }));
}

// 1 on a bar where x is true and on the n - 1 bars after it.
Value Hold(Call& c)
{
    const Array x = c.array(0);
    const int n = c.period(1);
    qsizetype last = -1;
    return Value(EachBar(x.size(), [&](qsizetype i) -> Number {
        last = IsTrue(x[i]) ? i : last;
        return last >= 0 && i - last < n ? 1 : 0;
    }));
}

Value BarsSince(Call& c)
{
    const Array x = c.array(0);
    qsizetype last = -1;
    return Value(EachBar(x.size(), [&](qsizetype i) {
        last = IsTrue(x[i]) ? i : last;
        return last >= 0 ? Number(i - last) : Null;
    }));
}

// The value of `array` on the n-th most recent bar where `expr` was true.
Value ValueWhen(Call& c)
{
    const Array expr = c.array(0);
    const Array values = c.array(1);
    const int n = c.given(2) ? c.period(2) : 1;
    std::vector<qsizetype> recent(size_t(std::min<qsizetype>(n, expr.size() + 1)), -1);
    size_t next = 0;
    qsizetype seen = 0;
    return Value(EachBar(expr.size(), [&](qsizetype i) {
        if (IsTrue(expr[i])) {
            recent[next] = i;
            next = (next + 1) % recent.size();
            ++seen;
        }
        return seen >= n ? values[recent[next]] : Null;
    }));
}

// Running total from the first value; a later Null adds nothing.
Value Cum(Call& c)
{
    const Array x = c.array(0);
    const qsizetype first = Series::FirstValue(x);
    Number total = 0;
    return Value(EachBar(x.size(), [&](qsizetype i) {
        if (i < first)
            return Null;
        total += IsNull(x[i]) ? 0 : x[i];
        return total;
    }));
}

Value IIf(Call& c)
{
    const Value& condition = c.arg(0);
    const Value& yes = c.arg(1);
    const Value& no = c.arg(2);
    return ByBar(c, 3, [&](qsizetype i) { return IsTrue(condition.at(i)) ? yes.at(i) : no.at(i); });
}

} // namespace

void AddSignalFunctions(Library& library)
{
    library.add(u"Ref"_s, 2, 2, {K::Numeric, K::Number},
                [](Call& c) { return Value(Series::Shift(c.array(0), Offset(c, 1))); });
    library.add(u"Cross"_s, 2, 2, {K::Numeric}, Cross);
    library.add(u"ExRem"_s, 2, 2, {K::Numeric}, ExRem);
    library.add(u"ExRemSpan"_s, 2, 2, {K::Numeric, K::Number}, ExRemSpan);
    library.add(u"Flip"_s, 2, 2, {K::Numeric}, Flip);
    library.add(u"Hold"_s, 2, 2, {K::Numeric, K::Number}, Hold);
    library.add(u"BarsSince"_s, 1, 1, {K::Numeric}, BarsSince);
    library.add(u"ValueWhen"_s, 2, 3, {K::Numeric, K::Numeric, K::Number}, ValueWhen);
    library.add(u"Sum"_s, 2, 2, {K::Numeric, K::Number},
                [](Call& c) { return Value(Series::Sum(c.array(0), c.period(1))); });
    library.add(u"Cum"_s, 1, 1, {K::Numeric}, Cum);
    library.add(u"IIf"_s, 3, 3, {K::Numeric}, IIf);
}

} // namespace Sim
