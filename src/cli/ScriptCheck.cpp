#include "cli/ScriptCheck.h"

#include "analysis/Highlighter.h"
#include "analysis/Rewriter.h"
#include "analysis/Scanner.h"
#include "analysis/ScriptView.h"
#include "generator/Reports.h"
#include "platform/TextFile.h"

#include <utility>

namespace Cli {

namespace {

const QString PlotShapes = QStringLiteral("PlotShapes");

struct Removal
{
    int position;
    int length;
};

// Replays the deletions of RemoveListedCalls on text and records each one, in the
// coordinates of the text as it was just before that deletion.
QList<Removal> replayRemovals(QString& text, const QStringList& names)
{
    QList<Removal> removals;
    Lex::ScriptView view;
    for (const QString& name : names) {
        view.setText(text);
        const int range = int(text.size());
        int from = 0;
        for (;;) {
            const int p = view.findWord(name, from, range);
            if (p < 0)
                break;
            const int e = Lex::FindStatementEnd(text, p, u'(');
            if (e < p) {
                from = p + int(name.size());
                continue;
            }
            removals.append({p, e - p + 1});
            text.remove(p, e - p + 1);
            view.setText(text);
            from = p;
        }
    }
    return removals;
}

// Position in `before` of the character at q of `after`, where after is before with some
// characters deleted: the latest embedding of after's tail (used only if the replay differs).
int alignFromEnd(const QString& before, const QString& after, int q)
{
    int i = int(before.size());
    for (int j = int(after.size()) - 1; j >= q; --j) {
        --i;
        while (i >= 0 && before.at(i) != after.at(j))
            --i;
        if (i < 0)
            return q;
    }
    return q >= int(after.size()) ? int(before.size()) : i;
}

} // namespace

CheckReport ScriptCheck::run(const QString& path, bool showSignals)
{
    const Platform::ReadResult file = Platform::ReadTextFile(path);
    if (!file.ok) {
        CheckReport report;
        report.readError = file.error;
        report.readRefused = file.refused;
        return report;
    }
    return runLines(file.lines, showSignals);
}

CheckReport ScriptCheck::runLines(const QStringList& lines, bool showSignals)
{
    CheckReport report;
    if (lines.isEmpty())
        return report;
    report.read = true;

    Lex::AnalysisContext context;

    // Loading: the source view, coloured, and the load check.
    Lex::ScriptView rEdit;
    rEdit.setLines(lines);
    Lex::HighlightScript(rEdit, context.reservedNames());
    report.missingBuy = rEdit.findWord(u"Buy", 0, rEdit.length()) < 0;
    report.missingSell = rEdit.findWord(u"Sell", 0, rEdit.length()) < 0;
    context.loadRemarks().clear();
    Lex::FindPluginCalls(rEdit, context);
    report.pluginCalls = context.loadRemarks();
    if (!report.pluginCalls.isEmpty())
        return report;

    // Generation's working copy: one empty line first, listed calls deleted, recoloured.
    const QString copy = Lex::ScriptView::LineBreak.toString() + rEdit.text();
    Lex::ScriptView rGenAFL;
    rGenAFL.setText(copy);
    Lex::HighlightScript(rGenAFL, context.reservedNames());
    context.callTally().clear();
    context.ResolveReservedNames(rEdit);
    context.BuildRemovalList();
    QStringList& removal = context.removalList();
    const qsizetype plotShapes = removal.indexOf(PlotShapes);
    if (showSignals && plotShapes < 0)
        removal.append(PlotShapes);
    else if (!showSignals && plotShapes >= 0)
        removal.removeAt(plotShapes);
    Lex::RemoveListedCalls(rGenAFL, context);
    Lex::HighlightScript(rGenAFL, context.reservedNames());
    report.removalReport = Afl::RemovalReport(context.callTally());
    Afl::CollectWarnings(rGenAFL, context);
    report.warningReport = Afl::WarningReport(context.callTally());

    report.signalsEnd = Lex::FindSignalsEnd(rGenAFL);
    if (report.signalsEnd < 0)
        return report;

    // Map the insertion point back through the deletions to the copy before them.
    QString replayed = copy;
    const QList<Removal> removals = replayRemovals(replayed, removal);
    int q = report.signalsEnd - 1;
    if (replayed == rGenAFL.text()) {
        for (auto it = removals.crbegin(); it != removals.crend(); ++it) {
            if (q >= it->position)
                q += it->length;
        }
    } else {
        q = alignFromEnd(copy, rGenAFL.text(), q);
    }
    if (q >= copy.size())
        return report; // at the end of the script: line stays 0

    // The copy is the leading empty line plus the source lines, each ending in CR LF.
    const int lineStart = q > 0 ? int(copy.lastIndexOf(u'\n', q - 1)) + 1 : 0;
    const int index = int(copy.left(lineStart).count(Lex::ScriptView::LineBreak)) - 1;
    if (index >= 0 && index < lines.size()) {
        report.line = index + 1;
        report.column = q - lineStart + 1;
        report.lineText = lines.at(index);
    }
    return report;
}

} // namespace Cli
