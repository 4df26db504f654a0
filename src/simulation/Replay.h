#pragma once
// The dry run: a finished script replayed bar by bar over quotes, as a chart's refreshes run
// it, with the plug-in replaced by a recorder. No files: the caller gives the script, a reader
// for its #include files and the quotes.

#include "simulation/Environment.h"
#include "simulation/Interpreter.h"
#include "simulation/Program.h"
#include "simulation/Quotes.h"
#include "simulation/Recorder.h"

#include <functional>
#include <optional>

#include <QHash>
#include <QList>
#include <QString>

namespace Sim {

struct ReplayOptions
{
    /// Runs of the script on each bar (a chart refreshes several times while a bar forms); at
    /// least 1.
    int refreshesPerBar = 1;
    /// The holding voxPositions answers before the first order.
    Number startingHolding = 0;
    /// A daily restart of AmiBroker, in seconds after midnight (0 to 86399): before the first
    /// run of the first bar at or after that time each day, static variables and the plug-in's
    /// settings are forgotten. Unset: no restart.
    std::optional<int> restartTime;
    /// Steps one run may take (Interpreter::setStepLimit).
    qint64 stepLimit = DefaultStepLimit;
    /// Values the Param family returns instead of its defaults: parameter name (any letter
    /// case) → value as text (a number, an item of a list or toggle by name or position, a
    /// text, a date or a time).
    QHash<QString, QString> params;
    /// Reads the script's _TRACE order lines into rows of the order log (test mode, the daily
    /// cap); unset: _TRACE lines are only kept.
    TraceReader readTrace;
};

enum class ReplayStatus : quint8
{
    /// Every bar was run.
    Ran,
    /// The script did not run: syntax errors or an #include that cannot be read (diagnostics).
    NotRun,
    /// A run stopped with an error (failure); the log holds what came before it.
    Failed,
    /// The progress callback asked to stop; the log holds the bars run so far.
    Cancelled,
};

/// A `_TRACE` line with the bar and run that wrote it.
struct ReplayTrace
{
    int bar = 0;
    Number time = Null;
    int run = 0;
    QString text;
};

/// Where and why a run stopped.
struct ReplayFailure
{
    int bar = 0;
    Number time = Null;
    int run = 0;
    RunFailure where;

    /// "świeca nr 460 (2024-01-12 10:15:00), odświeżenie 2: wiersz 45: nieznana funkcja Foo".
    QString text() const;
};

struct ReplayCounts
{
    int sent = 0;
    int refused = 0;
    /// Test-mode rows: orders written to the log instead of being sent.
    int testMode = 0;
    /// The most orders that went out (or would have, in test mode) on one bar, and the first
    /// bar with that many (-1 when none went out).
    int mostPerBar = 0;
    int mostPerBarAt = -1;
};

struct ReplayResult
{
    ReplayStatus status = ReplayStatus::NotRun;
    /// Why the script did not run (status NotRun).
    QList<ScriptDiagnostic> diagnostics;
    /// Why a run stopped (status Failed).
    std::optional<ReplayFailure> failure;

    /// A row per order call, refused ones too, in the order of the calls.
    QList<OrderRow> orders;
    /// Every plug-in call, orders included.
    QList<PluginCall> calls;
    QList<ReplayTrace> traces;
    ReplayCounts counts;
    /// The holding after each bar that was run: the broker's, or the test holding when the
    /// script logged test-mode orders.
    QList<Number> holdingByBar;
    /// The bars before whose first run AmiBroker was restarted.
    QList<int> restarts;
    /// The parameters the script asked for, with the values it ran with.
    QList<ParamDefault> params;
    QList<Popup> popups;
    /// Bars run, the one that failed included.
    int barsRun = 0;
};

/// Called after each bar with the bars done and the bars there are; false stops the replay.
using ReplayProgress = std::function<bool(int done, int total)>;

/// Replays script over quotes: the script is parsed once; for each bar it runs
/// refreshesPerBar times over the bars up to and including that one, the static variables
/// and the recorder's state carried from run to run.
ReplayResult Replay(const ScriptSource& script, const Quotes& quotes,
                    const ReplayOptions& options = {}, const ReplayProgress& progress = {});

} // namespace Sim
