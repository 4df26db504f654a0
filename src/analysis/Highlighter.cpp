#include "analysis/Highlighter.h"

#include "analysis/Catalogue.h"

#include <vector>

namespace Lex {

namespace {

// A catalogue name and the kind its line gives it, in catalogue order.
struct CatalogueWord
{
    QString name;
    Kind kind;
};

const std::vector<CatalogueWord>& catalogueWords()
{
    static const std::vector<CatalogueWord> words = [] {
        std::vector<CatalogueWord> list;
        for (const QString& line : FunctionCatalogueLines()) {
            const QString name = CatalogueName(line);
            if (name.isEmpty())
                continue;
            if (line.contains(u"vox$"))
                list.push_back({name, Kind::Plugin});
            else if (line.contains(u"lang#"))
                list.push_back({name, Kind::Language});
            else
                list.push_back({name, Kind::Catalogue});
        }
        return list;
    }();
    return words;
}

// The kinds an indexed word takes as the word itself and as "#word", and which of the two
// comes later in the order of the names (and so wins where both apply).
struct WordKinds
{
    Kind word = Kind::Plain;
    Kind hash = Kind::Plain;
    bool hashLater = false;
};

// First p >= from where text holds a followed by b; -1 if none.
qsizetype findPair(const QString& text, qsizetype from, QChar a, QChar b)
{
    const qsizetype n = text.size();
    for (qsizetype p = text.indexOf(a, from); p >= 0; p = text.indexOf(a, p + 1)) {
        if (p + 1 < n && text.at(p + 1) == b)
            return p;
    }
    return -1;
}

} // namespace

void HighlightComments(ScriptView& view)
{
    const QString& text = view.text();
    const int n = view.length();
    const int rounds = view.lineCount();
    qsizetype from = 0;
    for (int round = 0; round < rounds && from < n; ++round) {
        const qsizetype open = findPair(text, from, u'/', u'*');
        if (open < 0)
            break;
        qsizetype close = findPair(text, from, u'*', u'/');
        // A "*/" before the "/*" closes nothing; the comment ends at the first "*/" found
        // from the "/*" on.
        if (close >= 0 && close < open)
            close = findPair(text, open, u'*', u'/');
        if (close < 0) {
            view.setRangeKind(int(open), int(n - open), Kind::Comment);
            break;
        }
        view.setRangeKind(int(open), int(close + 2 - open), Kind::Comment);
        from = close + 2;
    }

    qsizetype p = findPair(text, 0, u'/', u'/');
    while (p >= 0) {
        // A CR in the view's text always starts a CR LF.
        qsizetype lineEnd = text.indexOf(u'\r', p);
        if (lineEnd < 0)
            lineEnd = n;
        if (view.kindAt(int(p)) == Kind::Plain)
            view.setRangeKind(int(p), int(lineEnd - p), Kind::Comment);
        p = findPair(text, lineEnd, u'/', u'/');
    }
}

void HighlightStrings(ScriptView& view)
{
    const QString& text = view.text();
    qsizetype open = text.indexOf(u'"');
    while (open >= 0) {
        const qsizetype close = text.indexOf(u'"', open + 1);
        if (close < 0)
            return;
        if (view.kindAt(int(open)) == Kind::Plain)
            view.setRangeKind(int(open), int(close - open + 1), Kind::String);
        open = text.indexOf(u'"', close + 1);
    }
}

void HighlightScript(ScriptView& view, const QList<ReservedName>& reserved)
{
    HighlightComments(view);
    HighlightStrings(view);

    // Each name marks the index entry of its word; a later name overrides an earlier one.
    const WordIndex& index = view.wordIndex();
    std::vector<WordKinds> words(std::size_t(index.entryCount()));
    const auto mark = [&](QStringView name, Kind kind) {
        const bool hashed = name.size() > 1 && name.front() == u'#';
        const int entry = index.entryOf(hashed ? name.mid(1) : name);
        if (entry < 0)
            return;
        WordKinds& w = words[std::size_t(entry)];
        (hashed ? w.hash : w.word) = kind;
        w.hashLater = hashed;
    };
    for (const CatalogueWord& word : catalogueWords())
        mark(word.name, word.kind);
    for (const ReservedName& pair : reserved)
        mark(pair.value, Kind::Reserved);

    // A word (or "#word" without a word character before the '#') takes its kind unless its
    // first character is in a comment; a word with both takes the later one.
    const char16_t* text = reinterpret_cast<const char16_t*>(view.text().constData());
    const std::span<Kind> kinds = view.kindsForWriting();
    for (int entry = 0; entry < index.entryCount(); ++entry) {
        const WordKinds& w = words[std::size_t(entry)];
        if (w.word == Kind::Plain && w.hash == Kind::Plain)
            continue;
        const int length = index.nameLength(entry);
        for (int q : index.positions(entry)) {
            const bool asWord = w.word != Kind::Plain && kinds[std::size_t(q)] != Kind::Comment;
            const bool asHash = w.hash != Kind::Plain && q > 0 && text[q - 1] == u'#' &&
                                (q == 1 || !IsWordChar(text[q - 2])) &&
                                kinds[std::size_t(q) - 1] != Kind::Comment;
            const auto applyWord = [&] {
                if (asWord)
                    std::fill_n(kinds.begin() + q, length, w.word);
            };
            const auto applyHash = [&] {
                if (asHash)
                    std::fill_n(kinds.begin() + q - 1, length + 1, w.hash);
            };
            if (w.hashLater) {
                applyWord();
                applyHash();
            } else {
                applyHash();
                applyWord();
            }
        }
    }
}

} // namespace Lex
