#pragma once
// The dry run for both front ends: a finished script replayed over a quotes file, with the
// script's order lines read back, and the order log as a CSV file, a table and counts.

#include "platform/TextFile.h"
#include "simulation/Replay.h"

#include <QString>
#include <QStringList>

namespace App {

struct SimulationRequest
{
    QString script;       // the finished script (text of the generated view)
    QString scriptFolder; // folder for #include (the source script's folder)
    QString quotesPath;
    Sim::ReplayOptions options;
    bool armed = false; // the master switch is on in the dry run
};

enum class SimulationStatus
{
    Ran,
    Failed,
    BadInput,
    Cancelled,
};

struct SimulationOutcome
{
    SimulationStatus status = SimulationStatus::BadInput;
    QString message; // Polish: why it did not run / where it stopped; empty when it ran
    Sim::Quotes quotes;
    Sim::ReplayResult result;
    /// Polish remarks on a run: a parameter given but never asked for, a master switch that
    /// stayed off.
    QStringList warnings;
};

/// Reads the quotes (through Platform::ReadTextFile and Sim::ReadQuotes: all bars or none),
/// then replays the script with its #include files read against scriptFolder, the order lines
/// of the safety switches read into the log (ReadTracedOrder), and the master switch on when
/// armed. BadInput: no quotes (message: the file and the reason, a bad line by its number);
/// Failed: the script did not run (its first diagnostic) or a run stopped (where and why);
/// Cancelled: progress said stop (the result holds the bars done).
SimulationOutcome RunSimulation(const SimulationRequest& request,
                                const Sim::ReplayProgress& progress = {});

/// A _TRACE text as an order line of the safety switches (Afl::OrderTrace), or nullopt.
std::optional<Sim::TracedOrder> ReadTracedOrder(const QString& text);

/// The order log as CSV: a header row (SimulationTexts::LogColumns), then a row per order;
/// `;` between fields, decimal commas, CR LF line ends.
QString OrderLogCsv(const Sim::ReplayResult& result);
/// The fields of one row of the log, in the order of SimulationTexts::LogColumns.
QStringList OrderLogFields(const Sim::OrderRow& row);
/// The order log as an aligned table for reading.
QString OrderLogTable(const Sim::ReplayResult& result);
/// The counts, one per line: sent, refused, test mode, most on one bar, bars, final holding.
QString CountsText(const Sim::ReplayResult& result);
/// Writes OrderLogCsv to path as scripts are written (Windows-1250, UTF-8 when needed,
/// atomically).
Platform::WriteResult WriteOrderLog(const QString& path, const Sim::ReplayResult& result);

} // namespace App
