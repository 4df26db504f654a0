#pragma once
// The generation pipeline: working copy, rewrites, reports, sections and their insertion.

#include "analysis/AnalysisContext.h"
#include "analysis/WordIndex.h"
#include "generator/GeneratorSettings.h"
#include "generator/InsertionCheck.h"
#include "syntax/Diagnostic.h"

#include <optional>

#include <QList>
#include <QStringList>

namespace Lex {
class ScriptView;
} // namespace Lex

namespace Afl {

/// What the rewrites and checks of a generation found in its working copy (the source with
/// an empty line before it).
struct CopyAnalysis
{
    /// No assignment to Buy; then nothing is known about Sell.
    bool noBuy = false;
    /// An assignment to Buy but none to Sell.
    bool noSell = false;
    /// Where the order sections go: 0-based position in the working copy after the
    /// deletions (its length when they go at the end), after the syntax check; -1 when Buy
    /// or Sell is missing.
    int insertionPoint = -1;
    /// The syntax check of the point the signal scan found.
    InsertionCheck insertion;
    /// When the check moved the point: the line of the source (from 1) that the sections
    /// now follow.
    int movedAfterLine = 0;
    /// Every span deleted, ascending, in the working copy as first made.
    QList<Lex::Span> removedSpans;
    /// The deleted calls ("   name" and the number of its calls) and the risky functions
    /// found, in the order the reports list them.
    Lex::CallTally removedCalls;
    Lex::CallTally riskyCalls;

    bool signalsFound() const { return !noBuy && !noSell; }
};

/// Makes the working copy of rEdit in rGenAFL, deletes the listed calls (PlotShapes too when
/// showSignals), colours it, and finds the risky calls and the insertion point, which the
/// copy's syntax tree checks. The context's reserved names, with extraReserved after the 19,
/// are resolved from rEdit.
CopyAnalysis AnalyseWorkingCopy(const Lex::ScriptView& rEdit, Lex::ScriptView& rGenAFL,
                                Lex::AnalysisContext& context, bool showSignals,
                                const QStringList& extraReserved = {});

/// The offset in the source's text of the character at pos of the working copy after the
/// deletions of copy; the source's length or more for a pos at the copy's end.
int SourceOffset(const CopyAnalysis& copy, int pos);

struct GenerationResult : CopyAnalysis
{
    bool success = false;
    /// The first syntax error of the finished script when the source has none: a fault of
    /// the generator, and the generation fails.
    std::optional<Syntax::Diagnostic> outputError;
    /// The working copy's lines, and after a success the finished script's lines.
    QStringList sourceLines;
};

/// Runs one generation: rEdit is read, rGenAFL receives the working copy and at the end the
/// finished script (also when it fails to parse), rUwagi the remarks. cbShowChecked is the state of
/// cbShow at this moment. Shows nothing and changes no flag; the caller sets buttons and flags from
/// the result.
GenerationResult GenerateScript(const Lex::ScriptView& rEdit, Lex::ScriptView& rGenAFL,
                                Lex::ScriptView& rUwagi, Lex::AnalysisContext& context,
                                const GeneratorSettings& settings, bool cbShowChecked);

} // namespace Afl
