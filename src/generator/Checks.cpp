#include "generator/Checks.h"

#include "analysis/Highlighter.h"
#include "analysis/Rewriter.h"
#include "analysis/ScriptView.h"
#include "generator/GeneratorTexts.h"
#include "syntax/SyntaxTree.h"

namespace Afl {

LoadCheck CheckLoadedScript(const Lex::ScriptView& rEdit, Lex::AnalysisContext& context)
{
    LoadCheck check;
    check.missingBuy = rEdit.findWord(u"Buy", 0, rEdit.length()) < 0;
    check.missingSell = rEdit.findWord(u"Sell", 0, rEdit.length()) < 0;
    check.pluginCalls = Lex::PluginCalls(rEdit, context);
    check.syntaxErrors = Syntax::SyntaxTree::parse(rEdit.text()).diagnostics();
    return check;
}

QStringList LoadRemarks(const LoadCheck& check)
{
    QStringList lines;
    if (check.missingBuy)
        lines.append(Texts::MissingBuy);
    if (check.missingSell)
        lines.append(Texts::MissingSell);
    if (check.accepted())
        return lines;
    for (const QString& name : check.pluginCalls)
        lines.append(Texts::Indent + name);
    lines.prepend(Texts::PluginHeading);
    lines.prepend(QString());
    lines << QString() << Texts::RemovePluginCalls << QString() << Texts::NotEditable;
    return lines;
}

ScriptCheck CheckScript(const QStringList& lines, bool showSignals)
{
    ScriptCheck check;
    Lex::AnalysisContext context;
    Lex::ScriptView rEdit;
    rEdit.setLines(lines);
    Lex::HighlightScript(rEdit, context.reservedNames());
    check.load = CheckLoadedScript(rEdit, context);
    if (!check.load.accepted())
        return check;

    Lex::ScriptView rGenAFL;
    check.copy = AnalyseWorkingCopy(rEdit, rGenAFL, context, showSignals);
    if (!check.copy.signalsFound())
        return check;
    const int pos = SourceOffset(check.copy, check.copy.insertionPoint);
    if (pos < 0 || pos >= rEdit.length())
        return check;
    const Syntax::TextPosition at = Syntax::LineMap(rEdit.text()).position(pos);
    check.insertionLine = at.line;
    check.insertionColumn = at.column;
    return check;
}

} // namespace Afl
