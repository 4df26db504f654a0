#pragma once
// Runs a Program once over the bars of an Environment, as a chart's refresh runs a formula.

#include "simulation/Program.h"

#include <memory>
#include <optional>

#include <QString>

namespace Sim {

class Environment;

/// Statements, loop turns and calls one run may take before it is stopped.
inline constexpr qint64 DefaultStepLimit = 10'000'000;
/// User function calls that may be open at once.
inline constexpr int MaxCallDepth = 100;

/// Why and where a run stopped.
struct RunFailure
{
    /// Empty for the script itself; otherwise the included file as its directive names it.
    QString file;
    int line = 1;
    int column = 1;
    QString message;

    /// "wiersz 12: nieznana funkcja Foo", prefixed with the file when it is not the script.
    QString text() const;
};

/// Evaluates a program in an environment. The caller prepares each run (Environment::beginRun)
/// and calls run(); state that outlives a run lives in the environment. The environment's
/// library must be complete (the plug-in recorder installed) before the interpreter is made,
/// and must not change while it lives.
class Interpreter
{
public:
    /// A program that is not ok() does not run: run() gives its first diagnostic.
    Interpreter(Program program, Environment& env);
    ~Interpreter();
    Interpreter(const Interpreter&) = delete;
    Interpreter& operator=(const Interpreter&) = delete;

    void setStepLimit(qint64 steps);

    /// Runs the script once from its first statement; the failure that stopped it, or nullopt
    /// when it ran to its end.
    std::optional<RunFailure> run();

    /// Steps taken by the last run.
    qint64 steps() const;

private:
    class Machine;
    std::unique_ptr<Machine> m;
};

} // namespace Sim
