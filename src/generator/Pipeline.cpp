#include "generator/Pipeline.h"

#include "analysis/AppendRemark.h"
#include "analysis/Highlighter.h"
#include "analysis/Rewriter.h"
#include "analysis/ScriptView.h"
#include "generator/GeneratorTexts.h"
#include "generator/Reports.h"
#include "generator/Sections.h"
#include "generator/Switches.h"
#include "syntax/SyntaxTree.h"

#include <vector>

namespace Afl {

using Lex::WordIndex;

namespace {

const QString CrLf = QStringLiteral("\r\n");
const QString PlotShapes = QStringLiteral("PlotShapes");

void AppendLines(Lex::ScriptView& view, const QStringList& lines)
{
    for (const QString& line : lines)
        view.appendLine(line);
}

// Whether the source parses without errors; the copy's tree answers when nothing was deleted.
bool SourceParses(const Lex::ScriptView& rEdit, const CopyAnalysis& copy)
{
    if (copy.removedSpans.isEmpty())
        return copy.insertion.outcome != InsertionCheck::Outcome::SyntaxErrors;
    return !Syntax::SyntaxTree::parse(rEdit.text()).hasErrors();
}

// The user's own PlotShapes calls are deleted exactly when the generated ones are written.
void UpdatePlotShapesRemoval(Lex::AnalysisContext& context, bool showSignals)
{
    QStringList& removal = context.removalList();
    const qsizetype index = removal.indexOf(PlotShapes);
    if (showSignals && index < 0)
        removal.append(PlotShapes);
    else if (!showSignals && index >= 0)
        removal.removeAt(index);
}

} // namespace

CopyAnalysis AnalyseWorkingCopy(const Lex::ScriptView& rEdit, Lex::ScriptView& rGenAFL,
                                Lex::AnalysisContext& context, bool showSignals,
                                const QStringList& extraReserved)
{
    CopyAnalysis result;
    // The copy's identifiers are the source's, two characters further on.
    const QString copy = CrLf + rEdit.text();
    const int prefix = int(CrLf.size());
    const WordIndex::Piece pieces[] = {{0, prefix, -1}, {prefix, rEdit.length(), 0}};
    rGenAFL.setText(copy, rEdit.wordIndex().spliced(copy, pieces));
    context.callTally().clear();
    context.ResolveReservedNames(rEdit, extraReserved);
    const QList<Lex::ReservedName>& reserved = context.reservedNames();

    context.BuildRemovalList();
    UpdatePlotShapesRemoval(context, showSignals);
    result.removedSpans = Lex::RemoveListedCalls(rGenAFL, context);
    result.removedCalls = context.callTally();
    // The copy is coloured when it is made and again once the calls are deleted. A deletion
    // writes the text anew, which drops the first colours; without one the second colouring
    // reads them (a quote pair counts as a string only while its opening quote is uncoloured).
    if (result.removedSpans.isEmpty())
        Lex::HighlightScript(rGenAFL, reserved);
    Lex::HighlightScript(rGenAFL, reserved);

    CollectWarnings(rGenAFL, context);
    result.riskyCalls = context.callTally();

    const int pos = Lex::FindSignalsEnd(rGenAFL);
    result.noBuy = pos == -1;
    result.noSell = pos == -2;
    result.insertionPoint = pos > 0 ? pos - 1 : -1;
    if (!result.signalsFound())
        return result;

    result.insertion =
        CheckInsertionPoint(Syntax::SyntaxTree::parse(rGenAFL.text()), result.insertionPoint);
    result.insertionPoint = result.insertion.point;
    if (result.insertion.outcome == InsertionCheck::Outcome::Moved) {
        const Syntax::LineMap lines(rEdit.text());
        result.movedAfterLine =
            lines.position(SourceOffset(result, result.insertion.after - 1)).line;
    }
    return result;
}

int SourceOffset(const CopyAnalysis& copy, int pos)
{
    return Lex::PositionBefore(copy.removedSpans, pos) - int(CrLf.size());
}

GenerationResult GenerateScript(const Lex::ScriptView& rEdit, Lex::ScriptView& rGenAFL,
                                Lex::ScriptView& rUwagi, Lex::AnalysisContext& context,
                                const GeneratorSettings& settings, bool cbShowChecked)
{
    GenerationResult result;
    rUwagi.clear();
    static_cast<CopyAnalysis&>(result) = AnalyseWorkingCopy(
        rEdit, rGenAFL, context, settings.showSignals, SwitchReservedNames(settings.switches));
    const Sections sections = GenerateSections(settings, context.reservedNames());

    AppendLines(rUwagi, RemovalReport(result.removedCalls));
    AppendLines(rUwagi, WarningReport(result.riskyCalls));
    if (!result.signalsFound()) {
        AppendLines(rUwagi, FailureRemarks(result.noBuy));
        result.sourceLines = rGenAFL.lines();
        return result;
    }
    AppendLines(rUwagi, InsertionRemarks(result));

    // The finished script: the header, the working copy up to the insertion point, the buy
    // and sell sections, the rest of the copy ending in a line break, and the plot section.
    // Every section begins and ends with a line break, so the copy's words stay as they are
    // and its index carries over.
    const QString& copy = rGenAFL.text();
    const int at = qMin(result.insertionPoint, int(copy.size()));
    QString script;
    script.reserve(copy.size() + sections.header.size() + sections.buy.size() +
                   sections.sell.size() + sections.plot.size() + 4);
    std::vector<WordIndex::Piece> pieces;
    const auto add = [&](QStringView part, int from) {
        pieces.push_back({int(script.size()), int(part.size()), from});
        script += part;
    };
    add(sections.header, -1);
    add(QStringView(copy).left(at), 0);
    add(sections.buy, -1);
    add(sections.sell, -1);
    add(QStringView(copy).mid(at), at);
    if (!copy.isEmpty() && !copy.endsWith(CrLf))
        add(CrLf, -1);
    if (cbShowChecked)
        add(sections.plot + CrLf, -1);
    std::optional<Syntax::Diagnostic> firstError;
    if (const Syntax::SyntaxTree finished = Syntax::SyntaxTree::parse(script); finished.hasErrors())
        firstError = finished.diagnostics().first();
    WordIndex index = rGenAFL.wordIndex().spliced(script, pieces);
    rGenAFL.setText(script, std::move(index));
    Lex::HighlightScript(rGenAFL, context.reservedNames());
    result.sourceLines = rGenAFL.lines();
    if (firstError && SourceParses(rEdit, result)) {
        result.outputError = firstError;
        AppendLines(rUwagi, OutputErrorRemarks(*result.outputError));
        return result;
    }

    Lex::AppendRemark(rUwagi, Texts::Generated, Lex::Bold, 10);
    Lex::AppendRemark(rUwagi, Texts::NotOptimal, Lex::NoStyle, 9);
    Lex::AppendRemark(rUwagi, Texts::CheckYourself, Lex::Bold, 10);
    if (settings.switches.testMode)
        Lex::AppendRemark(rUwagi, Texts::TestModeRemark, Lex::Bold, 10);
    result.success = true;
    return result;
}

} // namespace Afl
