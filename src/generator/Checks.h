#pragma once
// The checks of a script that loading and generating make, as typed results: one service for
// the window and the command line.

#include "analysis/AnalysisContext.h"
#include "generator/Pipeline.h"
#include "syntax/Diagnostic.h"

#include <QStringList>

namespace Lex {
class ScriptView;
} // namespace Lex

namespace Afl {

/// What loading says of a script.
struct LoadCheck
{
    /// Buy or Sell occurs nowhere as a whole word (comments and strings count).
    bool missingBuy = false;
    bool missingSell = false;
    /// The plug-in function of every call outside comments, one entry per call.
    QStringList pluginCalls;
    /// The syntax errors of the script (at most Syntax::MaxDiagnostics); they refuse nothing.
    QList<Syntax::Diagnostic> syntaxErrors;

    /// A script that calls the plug-in is refused.
    bool accepted() const { return pluginCalls.isEmpty(); }
};

/// The load check of the source view, coloured since its text last changed; the script is
/// parsed for its syntax errors.
LoadCheck CheckLoadedScript(const Lex::ScriptView& rEdit, Lex::AnalysisContext& context);

/// The remark lines of a load check. For a refused script, as the remarks view shows them: an
/// empty line, the heading, the missing-signal lines, "   name" for each plug-in call, and
/// the closing lines. For an accepted one only its missing-signal lines (kept, not shown).
QStringList LoadRemarks(const LoadCheck& check);

/// What loading and generating would say of a script, found without generating it.
struct ScriptCheck
{
    LoadCheck load;
    /// The analysis of generation's working copy; empty when the script is refused.
    CopyAnalysis copy;
    /// Where the order sections would go in the script's text: 1-based line and column; 0
    /// and 0 after its last line or when they cannot be placed.
    int insertionLine = 0;
    int insertionColumn = 0;
};

/// Checks the lines of a script as loading it and generating from it would; showSignals
/// deletes the script's own PlotShapes calls (the generated script draws the signals).
ScriptCheck CheckScript(const QStringList& lines, bool showSignals);

} // namespace Afl
