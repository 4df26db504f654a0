#include "analysis/Rewriter.h"

#include "analysis/AnalysisContext.h"
#include "analysis/Scanner.h"

namespace Lex {

namespace {

const QString Indent = QStringLiteral("   ");

// Splits text into lines at CR LF, CR or LF; a final line break does not start another line.
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

QStringList PluginCalls(const ScriptView& view, AnalysisContext& context)
{
    context.BuildPluginList();
    QStringList calls;
    for (const QString& name : context.pluginFunctions()) {
        for (int p : view.findWords(name)) {
            if (!IsInComment(view, p))
                calls.append(name);
        }
    }
    return calls;
}

QList<Span> RemoveCalls(ScriptView& view, const QString& name, AnalysisContext& context)
{
    // Deleting a call leaves the text after it unchanged, and the characters around the gap
    // are never word characters, so every later occurrence is found in the original text
    // just as in the shortened one: the result is built in one pass, and the words outside
    // the spans keep their places in the index, moved up.
    QList<Span> spans;
    const int len = int(name.size());
    if (len == 0)
        return spans;
    const QString& text = view.text();
    int next = 0;
    for (int p : view.findWords(name)) {
        if (p < next)
            continue;
        next = p + len;
        const int end = FindStatementEnd(text, p, u'(');
        if (end < 0)
            continue;
        spans.append(Span{p, end - p + 1});
        next = end + 1;
        const int tallyIndex = context.callTally().add(Indent + name);
        context.callTally().setCount(tallyIndex, int(spans.size()));
    }
    if (spans.isEmpty())
        return spans;
    QString result;
    result.reserve(text.size());
    int kept = 0;
    for (const Span& span : std::as_const(spans)) {
        result += QStringView(text).mid(kept, span.start - kept);
        kept = span.end();
    }
    result += QStringView(text).mid(kept);
    WordIndex index = view.wordIndex().withoutSpans(result, spans);
    view.setText(result, std::move(index));
    return spans;
}

QList<Span> RemoveListedCalls(ScriptView& view, AnalysisContext& context)
{
    QList<Span> removed;
    const QStringList names = context.removalList();
    for (const QString& name : names)
        removed = ComposeSpans(removed, RemoveCalls(view, name, context));
    return removed;
}

QList<Span> ComposeSpans(const QList<Span>& first, const QList<Span>& second)
{
    QList<Span> out;
    const auto append = [&out](Span span) {
        if (!out.isEmpty() && out.back().end() > span.start)
            out.back().length = qMax(out.back().end(), span.end()) - out.back().start;
        else
            out.append(span);
    };
    // Walks first along the positions of second, moving each into the text before first;
    // spans of first inside a span of second become part of it.
    qsizetype i = 0;
    int shift = 0;
    const auto before = [&](int pos, bool keep) {
        while (i < first.size() && first.at(i).start <= pos + shift) {
            if (keep)
                append(first.at(i));
            shift += first.at(i).length;
            ++i;
        }
        return pos + shift;
    };
    for (const Span& span : second) {
        const int from = before(span.start, true);
        const int to = before(span.end() - 1, false) + 1;
        append(Span{from, to - from});
    }
    while (i < first.size())
        append(first.at(i++));
    return out;
}

int PositionBefore(const QList<Span>& spans, int pos)
{
    for (const Span& span : spans) {
        if (span.start > pos)
            break;
        pos += span.length;
    }
    return pos;
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
    while (p < n && (IsWhitespace(text.at(p)) || text.at(p) == u';' || IsInComment(view, p)))
        ++p;
    return qMin(p, n) + 1;
}

} // namespace Lex
