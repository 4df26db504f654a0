#include "analysis/Scanner.h"

#include <algorithm>

namespace Lex {

namespace {

constexpr int FunctionKeywordLength = 8; // "function"

QChar closingFor(QChar opening)
{
    if (opening == u'(')
        return u')';
    if (opening == u'{')
        return u'}';
    return u';';
}

int skipWhitespace(const QString& text, int pos)
{
    const int n = int(text.size());
    while (pos < n && IsWhitespace(text.at(pos)))
        ++pos;
    return pos;
}

// Walks occurrences of an '=' between from and to (exclusive) and tells whether one of them
// is an assignment, that is, neither part of "==".
bool holdsAssignment(const QString& text, int from, int to)
{
    for (int i = from; i < to; ++i) {
        if (text.at(i) != u'=')
            continue;
        if (i + 1 >= int(text.size()) || text.at(i + 1) != u'=')
            return true;
    }
    return false;
}

// For FunctionDefs in text order: the largest body end among the first i + 1 entries.
// Empty when the entries are not ordered by body start.
QList<int> furthestBodyEnds(const FunctionDefs& defs)
{
    QList<int> reach;
    reach.reserve(defs.size());
    int furthest = -1;
    for (qsizetype i = 0; i < defs.size(); ++i) {
        if (i > 0 && defs.at(i).bodyStart < defs.at(i - 1).bodyStart)
            return {};
        furthest = qMax(furthest, defs.at(i).bodyEnd);
        reach.append(furthest);
    }
    return reach;
}

// Flags every entry whose body encloses pos (bodyStart < pos < bodyEnd).
void flagEnclosing(FunctionDefs& defs, const QList<int>& reach, int pos)
{
    if (reach.size() != defs.size()) {
        for (FunctionDef& def : defs) {
            if (def.bodyStart < pos && pos < def.bodyEnd)
                def.assignsSignal = true;
        }
        return;
    }
    // The entries that start before pos form a prefix; walk it backwards while some entry
    // of the remaining prefix can still reach past pos.
    const auto startsAfter = std::partition_point(
        defs.begin(), defs.end(), [pos](const FunctionDef& def) { return def.bodyStart < pos; });
    for (qsizetype i = (startsAfter - defs.begin()) - 1; i >= 0 && reach.at(i) > pos; --i) {
        if (defs.at(i).bodyEnd > pos)
            defs[i].assignsSignal = true;
    }
}

} // namespace

int FindCodeChar(const ScriptView& view, int from, int to, QChar ch)
{
    const QString& text = view.text();
    if (from < 0)
        from = 0;
    if (to > view.length())
        to = view.length();
    const QStringView range = QStringView(text).left(qMax(to, 0));
    for (qsizetype p = from < to ? range.indexOf(ch, from) : -1; p >= 0;
         p = range.indexOf(ch, p + 1)) {
        if (!IsInComment(view, int(p)))
            return int(p);
    }
    return -1;
}

int FindMatchingBracket(const ScriptView& view, int from, int to, QChar opening)
{
    if (to > view.length())
        to = view.length();
    if (from < 0)
        from = 0;
    if (from >= to)
        return -1;
    const int first = FindCodeChar(view, from, to, opening);
    if (first < 0)
        return -1;
    const QChar closing = closingFor(opening);
    const QString& text = view.text();
    int depth = 1;
    for (int p = first + 1; p < to; ++p) {
        const QChar c = text.at(p);
        if (c != opening && c != closing)
            continue;
        if (IsInComment(view, p))
            continue;
        depth += c == opening ? 1 : -1;
        if (depth == 0)
            return p;
    }
    return to - 1;
}

int FindStatementEnd(const QString& text, int start, QChar opening)
{
    const QChar closing = closingFor(opening);
    const int n = int(text.size());
    int opened = 0;
    int closed = 0;
    for (int p = qMax(start, 0); p < n; ++p) {
        const QChar c = text.at(p);
        if (c == opening)
            ++opened;
        else if (c == closing)
            ++closed;
        if (opened == 0 || opened != closed)
            continue;
        const int next = skipWhitespace(text, p + 1);
        if (next >= n)
            return -1;
        if (text.at(next) != u';')
            return p;
        const int after = skipWhitespace(text, next + 1);
        return after - 1;
    }
    return -1;
}

int FindCharFrom(const QString& text, int start, QChar ch)
{
    const qsizetype p = text.indexOf(ch, qMax(start, 0));
    return p < 0 ? -1 : int(p);
}

int FindLastCode(const ScriptView& view, QStringView word)
{
    const QList<int> found = view.findWords(word);
    for (auto it = found.crbegin(); it != found.crend(); ++it) {
        if (*it > 0 && !IsInComment(view, *it))
            return *it;
    }
    return -1;
}

void CollectFunctions(const ScriptView& view, FunctionDefs& defs)
{
    defs.clear();
    const QString& text = view.text();
    const int n = view.length();
    int next = 0;
    for (int p : view.findWords(u"function")) {
        if (p < next)
            continue;
        next = p + FunctionKeywordLength;
        if (IsInComment(view, p))
            continue;
        if (next >= n)
            return;
        next = skipWhitespace(text, next);
        if (next >= n)
            return;
        const qsizetype bracket = text.indexOf(u'(', next);
        if (bracket < 0)
            return;
        QString name = text.mid(next, bracket - next);
        // The name ends at the first white-space character (a blank, tab or line break may
        // stand before the bracket).
        for (qsizetype i = 0; i < name.size(); ++i) {
            if (IsWhitespace(name.at(i))) {
                name.truncate(i);
                break;
            }
        }
        const int bodyStart = FindCodeChar(view, next, n, u'{');
        const int bodyEnd = FindMatchingBracket(view, next, n, u'{');
        if (bodyStart >= 0 && bodyEnd >= 0)
            defs.append(FunctionDef{name, bodyStart, bodyEnd, false});
    }
}

void CollectSignalBlocks(const ScriptView& view, QStringView word, int from, SignalBlocks& blocks)
{
    blocks.clear();
    const int n = view.length();
    int pos = qMax(from, 0);
    while (pos < n) {
        const int start = FindCodeChar(view, pos, n, u'{');
        if (start < 0)
            return;
        const int end = FindMatchingBracket(view, start, n, u'{');
        if (end < 0)
            return;
        const int w = view.findWord(word, start, end - start);
        if (w >= 0 && !IsInComment(view, w))
            blocks.append(SignalBlock{w, start, end});
        pos = end + 1;
    }
}

int FindLastAssignment(const ScriptView& view, QStringView word, FunctionDefs& defs)
{
    const QString& text = view.text();
    const int n = view.length();
    const QList<int> reach = furthestBodyEnds(defs);
    int result = -1;
    for (int p : view.findWords(word)) {
        if (IsInComment(view, p))
            continue;
        const int after = skipWhitespace(text, p + int(word.size()));
        if (after < n && text.at(after) == u'=' && (after + 1 >= n || text.at(after + 1) != u'=')) {
            result = p;
            flagEnclosing(defs, reach, p);
        } else if (after < n && text.at(after) == u'[') {
            const int close = FindCharFrom(text, p, u']');
            const int semicolon = close < 0 ? -1 : FindCharFrom(text, close, u';');
            if (semicolon >= 0 && holdsAssignment(text, close + 1, semicolon))
                result = p;
        }
    }
    return result;
}

QString FunctionNameAt(const FunctionDefs& defs, int position)
{
    for (const FunctionDef& def : defs) {
        if (def.bodyStart == position)
            return def.name;
    }
    return QString();
}

int CallEndAfterLast(const ScriptView& view, QStringView name)
{
    const int n = view.length();
    const int p = FindLastCode(view, name);
    if (p < 0)
        return -1;
    const int q = FindCodeChar(view, p + int(name.size()), n, u'(');
    if (q < 0)
        return -1;
    const int r = FindMatchingBracket(view, q, n, u'(');
    const int s = FindCodeChar(view, r + 1, n, u';');
    return s >= 0 ? s : r;
}

} // namespace Lex
