#pragma once
// What loading and generating would report for one script, found by the same steps.

#include "analysis/AnalysisContext.h"

#include <QString>
#include <QStringList>

namespace Cli {

/// The findings of ScriptCheck::run.
struct CheckReport
{
    bool read = false;                         // the file was read and has lines
    QString readError;                         // why not, in the program's words
    bool missingBuy = false;                   // Buy does not occur as a whole word (load test)
    bool missingSell = false;                  // likewise Sell
    QStringList pluginCalls;                   // "   name" for every plug-in call outside comments
    QList<Lex::CallTally::Entry> removedCalls; // calls that generation deletes
    QStringList riskyCalls;                    // names of WarningList found in the working copy
    int signalsEnd = 0; // FindSignalsEnd on the working copy: index, -1 or -2
    int line = 0;       // 1-based source line of the insertion point, 0 at the end
    int column = 0;     // 1-based column in that line
    QString lineText;   // the source line of the insertion point

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
