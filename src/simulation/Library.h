#pragma once
// The registry of built-in functions and constants: names case-folded, each function with the
// counts and kinds of arguments it takes and the callable that computes it.

#include "simulation/Value.h"

#include <functional>
#include <span>

#include <QHash>
#include <QList>
#include <QStringList>

namespace Sim {

class Environment;
class Call;

/// What an argument must be. A number given where an array is taken stands for every bar.
enum class ArgKind : quint8
{
    Number,  ///< a single number
    Numeric, ///< a number or an array
    String,  ///< a text
    Any,     ///< any value but none
};

using Function = std::function<Value(Call&)>;

struct Builtin
{
    /// As the documentation writes it; messages show it.
    QString name;
    int minArgs = 0;
    /// -1: no upper limit.
    int maxArgs = 0;
    /// The kind of each argument by position; positions past the list take its last kind.
    QList<ArgKind> kinds;
    Function function;
};

/// One call of a built-in, as its function sees it: the arguments, already checked against
/// the counts and kinds, and the environment of the run.
class Call
{
public:
    Call(Environment& env, const Builtin& builtin, std::span<const Value> args)
        : m_env(env)
        , m_builtin(builtin)
        , m_args(args)
    {}

    Environment& env() const { return m_env; }
    const QString& name() const { return m_builtin.name; }
    /// BarCount of the run.
    qsizetype barCount() const;

    int count() const { return int(m_args.size()); }
    bool given(int i) const { return i < count(); }
    const Value& arg(int i) const { return m_args[size_t(i)]; }

    Number number(int i) const { return arg(i).number(); }
    Number number(int i, Number fallback) const { return given(i) ? number(i) : fallback; }
    bool flag(int i, bool fallback) const { return given(i) ? IsTrue(number(i)) : fallback; }
    const QString& string(int i) const { return arg(i).string(); }
    QString string(int i, const QString& fallback) const { return given(i) ? string(i) : fallback; }
    /// A numeric argument as BarCount values.
    Array array(int i) const;
    /// A whole number of bars, at least 1 (the fraction dropped); RunError otherwise.
    int period(int i) const;
    int period(int i, int fallback) const { return given(i) ? period(i) : fallback; }

    /// Stops the run: "funkcja NAME: reason".
    [[noreturn]] void fail(const QString& reason) const;

private:
    Environment& m_env;
    const Builtin& m_builtin;
    std::span<const Value> m_args;
};

class Library
{
public:
    /// Adds or replaces a function.
    void add(Builtin builtin);
    void add(const QString& name, int minArgs, int maxArgs, QList<ArgKind> kinds,
             Function function);
    void addConstant(const QString& name, Value value);

    /// The function or constant of that name in any letter case; nullptr when there is none.
    const Builtin* find(QStringView name) const;
    const Value* constant(QStringView name) const;

    /// The names of all functions, as documented, sorted.
    QStringList functionNames() const;

    /// A name as the tables hold it.
    static QString Fold(QStringView name) { return name.toString().toCaseFolded(); }

private:
    QHash<QString, Builtin> m_functions;
    QHash<QString, Value> m_constants;
};

/// Calls a built-in after checking the count and kinds of its arguments; throws RunError with
/// a message naming the function.
Value Invoke(const Builtin& builtin, Environment& env, std::span<const Value> args);

/// Every built-in function and constant of the dry run.
const Library& StandardLibrary();

// The groups StandardLibrary is made of.
void AddConstants(Library& library);
void AddMathFunctions(Library& library);
void AddSignalFunctions(Library& library);
void AddIndicatorFunctions(Library& library);
void AddTextFunctions(Library& library);
void AddChartFunctions(Library& library);
void AddRunFunctions(Library& library);

} // namespace Sim
