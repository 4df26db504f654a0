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
    Array out(a.size(), 0);
    Number* const o = out.data();
    for (qsizetype i = 1; i < a.size(); ++i) {
        const Number a0 = a[i - 1], a1 = a[i], b0 = b[i - 1], b1 = b[i];
        if (IsNull(a0) || IsNull(a1) || IsNull(b0) || IsNull(b1))
            continue;
        o[i] = a1 > b1 && a0 <= b0 ? 1 : 0;
    }
    return Value(std::move(out));
}

// The first signal of `a`, then none until `b` resets; a reset on the bar of a signal counts
// after it.
Value ExRem(Call& c)
{
    const Array a = c.array(0);
    const Array b = c.array(1);
    Array out(a.size(), 0);
    Number* const o = out.data();
    bool active = false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (!active && IsTrue(a[i])) {
            o[i] = 1;
            active = true;
        }
        if (IsTrue(b[i]))
            active = false;
    }
    return Value(std::move(out));
}

// A signal, then none on the next n - 1 bars.
Value ExRemSpan(Call& c)
{
    const Array a = c.array(0);
    const int n = c.period(1);
    Array out(a.size(), 0);
    Number* const o = out.data();
    qsizetype last = -1;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (IsTrue(a[i]) && (last < 0 || i - last >= n)) {
            o[i] = 1;
            last = i;
        }
    }
    return Value(std::move(out));
}

// 1 from a bar where `a` is true until a bar where `b` is; `b` wins on a bar with both.
Value Flip(Call& c)
{
    const Array a = c.array(0);
    const Array b = c.array(1);
    Array out(a.size(), 0);
    Number* const o = out.data();
    bool state = false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (IsTrue(a[i]))
            state = true;
        if (IsTrue(b[i]))
            state = false;
        o[i] = state ? 1 : 0;
    }
    return Value(std::move(out));
}

// 1 on a bar where x is true and on the n - 1 bars after it.
Value Hold(Call& c)
{
    const Array x = c.array(0);
    const int n = c.period(1);
    Array out(x.size(), 0);
    Number* const o = out.data();
    qsizetype last = -1;
    for (qsizetype i = 0; i < x.size(); ++i) {
        if (IsTrue(x[i]))
            last = i;
        o[i] = last >= 0 && i - last < n ? 1 : 0;
    }
    return Value(std::move(out));
}

Value BarsSince(Call& c)
{
    const Array x = c.array(0);
    Array out(x.size(), Null);
    Number* const o = out.data();
    qsizetype last = -1;
    for (qsizetype i = 0; i < x.size(); ++i) {
        if (IsTrue(x[i]))
            last = i;
        if (last >= 0)
            o[i] = Number(i - last);
    }
    return Value(std::move(out));
}

// The value of `array` on the n-th most recent bar where `expr` was true.
Value ValueWhen(Call& c)
{
    const Array expr = c.array(0);
    const Array values = c.array(1);
    const int n = c.given(2) ? c.period(2) : 1;
    Array out(expr.size(), Null);
    Number* const o = out.data();
    std::vector<qsizetype> recent(size_t(std::min<qsizetype>(n, expr.size() + 1)), -1);
    size_t next = 0;
    qsizetype seen = 0;
    for (qsizetype i = 0; i < expr.size(); ++i) {
        if (IsTrue(expr[i])) {
            recent[next] = i;
            next = (next + 1) % recent.size();
            ++seen;
        }
        if (seen >= n)
            o[i] = values[recent[next]];
    }
    return Value(std::move(out));
}

// Running total from the first value; a later Null adds nothing.
Value Cum(Call& c)
{
    const Array x = c.array(0);
    Array out(x.size(), Null);
    Number* const o = out.data();
    Number total = 0;
    for (qsizetype i = Series::FirstValue(x); i < x.size(); ++i) {
        if (!IsNull(x[i]))
            total += x[i];
        o[i] = total;
    }
    return Value(std::move(out));
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
