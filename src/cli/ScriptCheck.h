#pragma once
// What loading and generating would report for one script, found by the same steps.

#include "analysis/AnalysisContext.h"

#include <QString>
#include <QStringList>

namespace Cli {

/// The findings of ScriptCheck::run.
struct CheckReport
{
    /// The file was read and has lines; otherwise why not, in the program's words, and
    /// whether it was refused for NUL bytes or size rather than a system error.
    bool read = false;
    QString readError;
    bool readRefused = false;
    /// Buy or Sell does not occur as a whole word anywhere (the load test).
    bool missingBuy = false;
    bool missingSell = false;
    /// "   name" for every plug-in call outside comments.
    QStringList pluginCalls;
    /// Generation's reports of the calls it deletes and of the risky calls (may be empty).
    QStringList removalReport;
    QStringList warningReport;
    /// FindSignalsEnd on the working copy (1-based index, -1 or -2), and the insertion point
    /// in the file as read: 1-based line (0 at the end of the script), column and line text.
    int signalsEnd = 0;
    int line = 0;
    int column = 0;
    QString lineText;

    bool accepted() const { return read && pluginCalls.isEmpty(); }
};

/// Loads a script as the Start page does and runs the analysis steps of generation on a
/// working copy, mapping the insertion point back to the line of the file as read.
class ScriptCheck
{
public:
    /// Checks the file; showSignals puts "PlotShapes" on RemovalList as the summary option does.
    static CheckReport run(const QString& path, bool showSignals);
    /// Checks lines already read from a file.
    static CheckReport runLines(const QStringList& lines, bool showSignals);
};

} // namespace Cli
