// abs, sqrt, log, log10, exp, round, floor, ceil, int, Min, Max.

#include "simulation/BuiltinHelpers.h"

#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace Sim {

namespace {

using K = ArgKind;

void AddMap(Library& library, const QString& name, Number (*f)(Number))
{
    library.add(name, 1, 1, {K::Numeric}, [f](Call& c) { return MapValues(c.arg(0), f); });
}

// Half away from zero: round(2.5) is 3, round(-2.5) is -3.
Number Round(Number x)
{
    return std::round(x);
}

Number Sqrt(Number x)
{
    return x < 0 ? Null : std::sqrt(x);
}

Number Log(Number x)
{
    return x <= 0 ? Null : std::log(x);
}

Number Log10(Number x)
{
    return x <= 0 ? Null : std::log10(x);
}

template <bool Max> Value Extreme(Call& c)
{
    const Value& a = c.arg(0);
    const Value& b = c.arg(1);
    return ByBar(c, 2, [&](qsizetype i) -> Number {
        const Number x = a.at(i);
        const Number y = b.at(i);
        if (IsNull(x) || IsNull(y))
            return Null;
        return Max ? std::max(x, y) : std::min(x, y);
    });
}

} // namespace

void AddMathFunctions(Library& library)
{
    AddMap(library, u"abs"_s, [](Number x) { return std::fabs(x); });
    AddMap(library, u"sqrt"_s, Sqrt);
    AddMap(library, u"log"_s, Log);
    AddMap(library, u"log10"_s, Log10);
    AddMap(library, u"exp"_s, [](Number x) { return std::exp(x); });
    AddMap(library, u"round"_s, Round);
    AddMap(library, u"floor"_s, [](Number x) { return std::floor(x); });
    AddMap(library, u"ceil"_s, [](Number x) { return std::ceil(x); });
    AddMap(library, u"int"_s, [](Number x) { return std::trunc(x); });
    library.add(u"Min"_s, 2, 2, {K::Numeric}, Extreme<false>);
    library.add(u"Max"_s, 2, 2, {K::Numeric}, Extreme<true>);
}

} // namespace Sim
