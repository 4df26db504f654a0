#pragma once
// The removal and warning reports that a generation writes into the remarks.

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

} // namespace Afl
