// Load check, colouring, call removal, signal end and identifier replacement on any text.

#include "ByteReader.h"
#include "FuzzTargets.h"
#include "analysis/AnalysisContext.h"
#include "analysis/Highlighter.h"
#include "analysis/Rewriter.h"
#include "analysis/ScriptView.h"
#include "platform/TextFile.h"

namespace Fuzz {

namespace {

bool isAsciiWord(const QString& s)
{
    for (QChar c : s) {
        if (c.unicode() >= 0x80 || !Lex::IsWordChar(c))
            return false;
    }
    return !s.isEmpty();
}

QString wordCharsOf(const QString& s)
{
    QString out;
    for (QChar c : s) {
        if (Lex::IsWordChar(c))
            out += c;
    }
    return out;
}

// The last run of word characters of text, or an empty string.
QString lastWordOf(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && !Lex::IsWordChar(text.at(end - 1)))
        --end;
    qsizetype start = end;
    while (start > 0 && Lex::IsWordChar(text.at(start - 1)))
        --start;
    return text.mid(start, end - start);
}

bool lineBreaksAreCrLf(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'\r' && (i + 1 == text.size() || text.at(i + 1) != u'\n'))
            return false;
        if (text.at(i) == u'\n' && (i == 0 || text.at(i - 1) != u'\r'))
            return false;
    }
    return true;
}

// Whole-word, case-insensitive occurrences of an ASCII word, counted the plain way.
int countWords(const QString& text, const QString& word)
{
    int count = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i + word.size() <= n; ++i) {
        if (i > 0 && Lex::IsWordChar(text.at(i - 1)))
            continue;
        if (QStringView(text).mid(i, word.size()).compare(word, Qt::CaseInsensitive) != 0)
            continue;
        const qsizetype after = i + word.size();
        if (after < n && Lex::IsWordChar(text.at(after)))
            continue;
        ++count;
        i = after - 1;
    }
    return count;
}

// First whole-word occurrence of word at or after from, compared code unit by code unit after
// case folding, read from the text itself.
int plainFindWord(const QString& text, const QString& word, int from)
{
    const qsizetype n = text.size();
    const qsizetype m = word.size();
    for (qsizetype i = from; m > 0 && i + m <= n; ++i) {
        bool same = true;
        for (qsizetype k = 0; same && k < m; ++k)
            same = Lex::FoldCodeUnit(text.at(i + k).unicode()) ==
                   Lex::FoldCodeUnit(word.at(k).unicode());
        if (same && (i == 0 || !Lex::IsWordChar(text.at(i - 1))) &&
            (i + m == n || !Lex::IsWordChar(text.at(i + m))))
            return int(i);
    }
    return -1;
}

} // namespace

int Analysis(const std::uint8_t* data, std::size_t size)
{
    ByteReader in(data, size);
    const QString name = in.takeText(24);
    const QString replacement = wordCharsOf(in.takeText(24));
    const QString text = Platform::DecodeBytes(in.rest());

    Lex::AnalysisContext context;
    Lex::ScriptView view;
    view.setText(text);
    FUZZ_CHECK(lineBreaksAreCrLf(view.text()));
    Lex::HighlightScript(view, context.reservedNames());

    // Searches answered by the word index of a coloured view agree with searches of the
    // text itself, and one question for several words with one for each.
    const QStringList words{name,
                            replacement,
                            lastWordOf(text),
                            lastWordOf(text).toUpper(),
                            wordCharsOf(name),
                            u'#' + wordCharsOf(name)};
    const QList<bool> present = view.containsWords(words);
    for (qsizetype i = 0; i < words.size(); ++i) {
        const int p = plainFindWord(view.text(), words.at(i), 0);
        FUZZ_CHECK(present.at(i) == (p >= 0));
        FUZZ_CHECK(view.findWord(words.at(i), 0, view.length()) == p);
        if (p >= 0) {
            const int next = plainFindWord(view.text(), words.at(i), p + 1);
            FUZZ_CHECK(view.findWord(words.at(i), p + 1, view.length()) == next);
        }
    }

    // The load check names only plug-in functions, each once per call outside comments.
    for (const QString& name : Lex::PluginCalls(view, context))
        FUZZ_CHECK(context.pluginFunctions().contains(name));

    // Call removal deletes exactly the spans it returns, and the tally counts every call.
    Lex::ScriptView copy;
    copy.setText(view.text());
    Lex::HighlightScript(copy, context.reservedNames());
    context.callTally().clear();
    const QList<Lex::Span> removed = Lex::RemoveListedCalls(copy, context);
    QString rest;
    int kept = 0;
    for (const Lex::Span& span : removed) {
        FUZZ_CHECK(span.start >= kept && span.length > 0);
        rest += QStringView(view.text()).mid(kept, span.start - kept);
        kept = span.end();
    }
    FUZZ_CHECK(kept <= view.length());
    rest += QStringView(view.text()).mid(kept);
    FUZZ_CHECK(rest == copy.text());
    int tallied = 0;
    for (const Lex::CallTally::Entry& entry : context.callTally().entries())
        tallied += entry.count;
    FUZZ_CHECK(tallied >= removed.size() && (tallied == 0) == removed.isEmpty());

    Lex::HighlightScript(copy, context.reservedNames());
    const int end = Lex::FindSignalsEnd(copy);
    FUZZ_CHECK(end == -1 || end == -2 || (end >= 1 && end <= copy.length() + 1));

    // Identifier replacement: nothing found leaves the lines alone; for an ASCII name the
    // count is the number of whole-word occurrences.
    QStringList lines = view.lines();
    const QStringList before = lines;
    const int replaced = Lex::ReplaceIdentifier(lines, name, replacement);
    FUZZ_CHECK(replaced >= 0);
    if (replaced == 0)
        FUZZ_CHECK(lines == before);
    if (isAsciiWord(name))
        FUZZ_CHECK(replaced == countWords(view.text(), name));
    if (replaced > 0 && isAsciiWord(replacement) && countWords(view.text(), replacement) == 0 &&
        name.compare(replacement, Qt::CaseInsensitive) != 0 && isAsciiWord(name)) {
        // A fresh replacement can be turned back into occurrences of the name.
        const int back = Lex::ReplaceIdentifier(lines, replacement, name);
        FUZZ_CHECK(back == replaced);
    }
    return 0;
}

} // namespace Fuzz
