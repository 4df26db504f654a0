#pragma once
// The removal and warning reports that a generation writes into the remarks.

#include "generator/Pipeline.h"
#include "syntax/Diagnostic.h"

#include <QList>
#include <QStringList>

namespace Lex {
class AnalysisContext;
class CallTally;
class ScriptView;
} // namespace Lex

namespace Afl {

/// The lines reporting the deleted calls of the tally ("   name x count"); empty when the
/// tally is empty. The first line begins with CR LF (an empty line before it).
QStringList RemovalReport(const Lex::CallTally& tally);

/// Builds WarningList and refills the context's tally with its names that occur in view as
/// whole words (comments and strings included).
void CollectWarnings(const Lex::ScriptView& view, Lex::AnalysisContext& context);

/// The lines reporting the risky calls of the tally; empty when the tally is empty.
QStringList WarningReport(const Lex::CallTally& tally);

/// The lines of a generation that found no Buy (noBuy) or no Sell definition: which one is
/// missing, then that no script can be made; each begins with CR LF.
QStringList FailureRemarks(bool noBuy);

/// The line of a syntax error: "wiersz N, znak M: message".
QString DiagnosticLine(const Syntax::Diagnostic& diagnostic);

/// The syntax errors of a loaded script under their heading; empty when there are none.
QStringList SyntaxRemarks(const QList<Syntax::Diagnostic>& diagnostics);

/// What the syntax check of the insertion point says: that the sections were moved and why,
/// with the line of the source they follow, or that the point was not checked; empty when it
/// passed.
QStringList InsertionRemarks(const CopyAnalysis& copy);

/// A finished script that does not parse although its source does: the heading, its first
/// error, and that no script can be made.
QStringList OutputErrorRemarks(const Syntax::Diagnostic& diagnostic);

} // namespace Afl
