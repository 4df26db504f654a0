#include "generator/Pipeline.h"

#include "analysis/AnalysisContext.h"
#include "analysis/AppendRemark.h"
#include "analysis/Highlighter.h"
#include "analysis/Rewriter.h"
#include "analysis/ScriptView.h"
#include "generator/Reports.h"
#include "generator/Sections.h"

using namespace Qt::Literals::StringLiterals;

namespace Afl {

namespace {

const QString CrLf = QStringLiteral("\r\n");
const QString PlotShapes = QStringLiteral("PlotShapes");

void AppendLines(Lex::ScriptView& view, const QStringList& lines)
{
    for (const QString& line : lines)
        view.appendLine(line);
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

GenerationResult GenerateScript(const Lex::ScriptView& rEdit, Lex::ScriptView& rGenAFL,
                                Lex::ScriptView& rUwagi, Lex::AnalysisContext& context,
                                const GeneratorSettings& settings, bool cbShowChecked)
{
    GenerationResult result;

    // The working copy is coloured only once the listed calls are gone: nothing reads its
    // colours before that.
    rGenAFL.clear();
    rGenAFL.setText(CrLf + rEdit.text());
    rUwagi.clear();
    context.callTally().clear();

    context.ResolveReservedNames(rEdit);
    const Sections sections = GenerateSections(settings, context.reservedNames());

    context.BuildRemovalList();
    UpdatePlotShapesRemoval(context, settings.showSignals);
    Lex::RemoveListedCalls(rGenAFL, context, &rEdit);
    Lex::HighlightScript(rGenAFL, context);

    AppendLines(rUwagi, RemovalReport(context.callTally()));
    CollectWarnings(rGenAFL, context);
    AppendLines(rUwagi, WarningReport(context.callTally()));

    // Comments are told by the colours given above: no text change may come in between.
    const int pos = Lex::FindSignalsEnd(rGenAFL);
    if (pos < 0) {
        if (pos == -1)
            rUwagi.appendLine(u"\r\nNie można odnaleźć definicji sygnału BUY!"_s);
        else
            rUwagi.appendLine(u"\r\nNie można odnaleźć definicji sygnału SELL!"_s);
        rUwagi.appendLine(u"\r\nNie można wygenerować poprawnego kodu AFL."_s);
        result.sourceLines = rGenAFL.lines();
        return result;
    }

    Lex::AppendRemark(rUwagi, u"\r\nKod został wygenerowany."_s, Lex::Bold, 10);
    Lex::AppendRemark(
        rUwagi, u"\r\nWynikowy AFL nie musi być optymalny z punktu widzenia obliczeniowego."_s,
        Lex::NoStyle, 9);
    Lex::AppendRemark(rUwagi, u"\r\nUżytkownik powinien samodzielnie sprawdzić poprawność kodu!"_s,
                      Lex::Bold, 10);

    // The working copy's lines, each followed by CR LF.
    QString script = rGenAFL.text();
    if (!script.isEmpty() && !script.endsWith(CrLf))
        script += CrLf;
    const qsizetype at = qMin<qsizetype>(pos - 1, script.size());
    script.insert(at, sections.sell);
    script.insert(at, sections.buy);
    script.prepend(sections.header);
    if (cbShowChecked)
        script += sections.plot + CrLf;

    rGenAFL.clear();
    rGenAFL.setText(script);
    Lex::HighlightScript(rGenAFL, context);
    result.sourceLines = rGenAFL.lines();
    result.success = true;
    return result;
}

} // namespace Afl
