#include "analysis/Rewriter.h"

#include "analysis/AnalysisContext.h"
#include "analysis/Scanner.h"

namespace Lex {

namespace {

const QString Indent = QStringLiteral("   ");

bool isWhitespace(QChar c)
{
    const char16_t u = c.unicode();
    return u == u' ' || u == u'\t' || u == u'\n' || u == u'\v' || u == u'\f' || u == u'\r';
}

// Splits text into lines as a string list's text setter does: at CR LF, CR or LF; a final
// line break does not start another line.
QStringList splitLines(const QString& text)
{
    QStringList lines;
    const qsizetype n = text.size();
    qsizetype from = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(from, i - from));
        if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
            ++i;
        from = i + 1;
    }
    if (from < n)
        lines.append(text.mid(from));
    return lines;
}

QString lowerCharByChar(const QString& text)
{
    QString lower(text.size(), Qt::Uninitialized);
    QChar* d = lower.data();
    for (qsizetype i = 0; i < text.size(); ++i)
        d[i] = text.at(i).toLower();
    return lower;
}

// The end of the Buy or Sell definition whose assignment stands at pos.
int definitionEnd(const ScriptView& view, QStringView word, int pos, FunctionDefs& defs)
{
    SignalBlocks blocks;
    CollectSignalBlocks(view, word, 0, blocks);
    for (const SignalBlock& block : std::as_const(blocks)) {
        if (block.wordPos != pos)
            continue;
        int end = block.blockEnd;
        const QString function = FunctionNameAt(defs, block.blockStart);
        if (!function.isEmpty()) {
            const int callEnd = CallEndAfterLast(view, function);
            if (callEnd >= 0)
                end = callEnd;
        }
        for (const FunctionDef& def : std::as_const(defs)) {
            if (!def.assignsSignal)
                continue;
            const int callEnd = CallEndAfterLast(view, def.name);
            if (callEnd > end)
                end = callEnd;
        }
        return end;
    }
    const int semicolon = FindCodeChar(view, pos, view.length(), u';');
    return semicolon >= 0 ? semicolon : view.length();
}

} // namespace

int FindPluginCalls(const ScriptView& view, AnalysisContext& context)
{
    context.BuildPluginList();
    QStringList& remarks = context.loadRemarks();
    const int n = view.length();
    int count = 0;
    for (const QString& name : context.pluginFunctions()) {
        const int len = int(name.size());
        int p = view.findWord(name, 0, n);
        while (p >= 0) {
            if (!IsInComment(view, p)) {
                remarks.append(Indent + name);
                ++count;
            }
            p = view.findWord(name, p + len, n - p - len);
        }
    }
    return count;
}

int RemoveCalls(ScriptView& view, const QString& name, AnalysisContext& context)
{
    // Deleting a call leaves the text after it unchanged, and the characters around the gap
    // are never word characters, so every later occurrence is found in the original text
    // just as in the shortened one: the result is built in one pass.
    const QString& text = view.text();
    const int n = view.length();
    const int len = int(name.size());
    if (len == 0)
        return 0;
    QString result;
    int kept = 0;
    int removed = 0;
    int tallyIndex = -1;
    int p = view.findWord(name, 0, n);
    while (p >= 0) {
        const int end = FindStatementEnd(text, p, u'(');
        int next = p + len;
        if (end >= 0) {
            if (removed == 0)
                result.reserve(n);
            result += QStringView(text).mid(kept, p - kept);
            kept = end + 1;
            next = end + 1;
            ++removed;
            tallyIndex = context.callTally().add(Indent + name);
            context.callTally().setCount(tallyIndex, removed);
        }
        p = view.findWord(name, next, n - next);
    }
    if (removed > 0) {
        result += QStringView(text).mid(kept);
        view.setText(result);
    }
    return removed;
}

int RemoveListedCalls(ScriptView& view, AnalysisContext& context, const ScriptView* source)
{
    int total = 0;
    const QStringList names = context.removalList();
    for (const QString& name : names) {
        if (source == nullptr || source->mayHoldWord(name))
            total += RemoveCalls(view, name, context);
    }
    return total;
}

int ReplaceIdentifier(QStringList& lines, const QString& name, const QString& replacement)
{
    if (name.isEmpty())
        return 0;
    QString text;
    for (const QString& line : std::as_const(lines)) {
        text += line;
        text += ScriptView::LineBreak;
    }
    const QString lower = lowerCharByChar(text);
    const QString needle = lowerCharByChar(name);
    const qsizetype n = text.size();
    QString out;
    out.reserve(n + n / 8);
    int count = 0;
    qsizetype rest = 0;
    qsizetype m = lower.indexOf(needle, rest);
    while (m >= 0) {
        const qsizetype after = m + needle.size();
        const bool wordBefore =
            m == rest ? (!out.isEmpty() && IsWordChar(out.back())) : IsWordChar(text.at(m - 1));
        const bool wordAfter = after < n && IsWordChar(text.at(after));
        if (wordBefore || wordAfter) {
            out += QStringView(text).mid(rest, after - rest);
        } else {
            out += QStringView(text).mid(rest, m - rest);
            out += replacement;
            ++count;
        }
        rest = after;
        m = lower.indexOf(needle, rest);
    }
    out += QStringView(text).mid(rest);
    lines = splitLines(out);
    return count;
}

int FindSignalsEnd(const ScriptView& view)
{
    FunctionDefs defs;
    CollectFunctions(view, defs);
    const int buy = FindLastAssignment(view, u"buy", defs);
    if (buy < 0)
        return -1;
    const int buyEnd = definitionEnd(view, u"buy", buy, defs);
    for (FunctionDef& def : defs)
        def.assignsSignal = false;
    const int sell = FindLastAssignment(view, u"sell", defs);
    if (sell < 0)
        return -2;
    const int sellEnd = definitionEnd(view, u"sell", sell, defs);

    const QString& text = view.text();
    const int n = view.length();
    int p = qMax(buyEnd, sellEnd) + 1;
    while (p < n && (isWhitespace(text.at(p)) || text.at(p) == u';' || IsInComment(view, p)))
        ++p;
    return qMin(p, n) + 1;
}

} // namespace Lex
