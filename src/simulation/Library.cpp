#include "simulation/Library.h"

#include "simulation/Environment.h"
#include "simulation/SimTexts.h"

#include <algorithm>
#include <cmath>

namespace Sim {

namespace {

bool Accepts(ArgKind kind, const Value& value)
{
    switch (kind) {
    case ArgKind::Number:
        return value.isNumber();
    case ArgKind::Numeric:
        return value.isNumeric();
    case ArgKind::String:
        return value.isString();
    case ArgKind::Any:
        return !value.isNone();
    }
    return false;
}

QString KindText(ArgKind kind)
{
    switch (kind) {
    case ArgKind::Number:
        return Texts::KindNumber;
    case ArgKind::Numeric:
        return Texts::KindNumberOrArray;
    case ArgKind::String:
        return Texts::KindString;
    case ArgKind::Any:
        break;
    }
    return Texts::KindAny;
}

} // namespace

qsizetype Call::barCount() const
{
    return m_env.barCount();
}

Array Call::array(int i) const
{
    return arg(i).toArray(barCount());
}

int Call::period(int i) const
{
    const Number n = number(i);
    if (!(n >= 1))
        fail(Texts::PeriodTooSmall(i + 1));
    return n > 1e9 ? 1000000000 : int(n);
}

void Call::fail(const QString& reason) const
{
    throw RunError(Texts::InFunction(name(), reason));
}

void Library::add(Builtin builtin)
{
    const QString key = Fold(builtin.name);
    m_functions.insert(key, std::move(builtin));
}

void Library::add(const QString& name, int minArgs, int maxArgs, QList<ArgKind> kinds,
                  Function function)
{
    add(Builtin{name, minArgs, maxArgs, std::move(kinds), std::move(function)});
}

void Library::addConstant(const QString& name, Value value)
{
    m_constants.insert(Fold(name), std::move(value));
}

const Builtin* Library::find(QStringView name) const
{
    const auto it = m_functions.constFind(Fold(name));
    return it == m_functions.cend() ? nullptr : &it.value();
}

const Value* Library::constant(QStringView name) const
{
    const auto it = m_constants.constFind(Fold(name));
    return it == m_constants.cend() ? nullptr : &it.value();
}

QStringList Library::functionNames() const
{
    QStringList names;
    for (const Builtin& b : m_functions)
        names.append(b.name);
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return names;
}

Value Invoke(const Builtin& builtin, Environment& env, std::span<const Value> args)
{
    const int given = int(args.size());
    if (given < builtin.minArgs || (builtin.maxArgs >= 0 && given > builtin.maxArgs))
        throw RunError(Texts::WrongArgumentCount(
            builtin.name, Texts::ArgumentCount(builtin.minArgs, builtin.maxArgs), given));
    for (int i = 0; i < given; ++i) {
        const ArgKind kind = builtin.kinds.isEmpty()
                                 ? ArgKind::Any
                                 : builtin.kinds[std::min<qsizetype>(i, builtin.kinds.size() - 1)];
        if (!Accepts(kind, args[size_t(i)]))
            throw RunError(Texts::WrongArgumentKind(builtin.name, i + 1, KindText(kind),
                                                    args[size_t(i)].kindName()));
    }
    // Every array a built-in sees has the run's bars.
    const qsizetype bars = env.barCount();
    const auto odd = [bars](const Value& v) { return v.isArray() && v.array().size() != bars; };
    if (std::any_of(args.begin(), args.end(), odd)) {
        QList<Value> fitted(args.begin(), args.end());
        for (Value& v : fitted)
            if (odd(v))
                v = Value(v.toArray(bars));
        Call call(env, builtin, fitted);
        return builtin.function(call);
    }
    Call call(env, builtin, args);
    return builtin.function(call);
}

const Library& StandardLibrary()
{
    static const Library library = [] {
        Library l;
        AddConstants(l);
        AddMathFunctions(l);
        AddSignalFunctions(l);
        AddIndicatorFunctions(l);
        AddTextFunctions(l);
        AddChartFunctions(l);
        AddRunFunctions(l);
        return l;
    }();
    return library;
}

} // namespace Sim
