#pragma once
// Shared pieces of the built-in groups (not part of the layer's interface).

#include "simulation/Environment.h"
#include "simulation/Library.h"

#include <cmath>

namespace Sim {

/// f applied to every value of a number or an array; Null stays Null and a result that is not
/// finite becomes Null.
template <typename F> Value MapValues(const Value& value, F f)
{
    auto one = [&f](Number x) -> Number {
        if (IsNull(x))
            return Null;
        const Number y = f(x);
        return std::isfinite(y) ? y : Null;
    };
    if (value.isNumber())
        return Value(one(value.number()));
    Array out = value.array();
    for (Number& x : out)
        x = one(x);
    return Value(std::move(out));
}

/// `count` bar values, f(i) for each bar in order (f may carry state from bar to bar).
template <typename F> Array EachBar(qsizetype count, F f)
{
    Array out(count, Null);
    Number* const o = out.data();
    for (qsizetype i = 0; i < count; ++i)
        o[i] = f(i);
    return out;
}

/// A result that is an array when any argument is one: f(i) for every bar, or f(0) once.
template <typename F> Value ByBar(const Call& call, int argCount, F f)
{
    bool array = false;
    for (int i = 0; i < argCount && i < call.count(); ++i)
        array = array || call.arg(i).isArray();
    if (!array)
        return Value(f(0));
    return Value(EachBar(call.barCount(), f));
}

} // namespace Sim
