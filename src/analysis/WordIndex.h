#pragma once
// Every identifier occurrence of a text by case-folded name, made by one pass over the text;
// whole-word searches read it instead of the text.

#include <cstdint>
#include <span>
#include <vector>

#include <QList>
#include <QString>

namespace Lex {

/// A range of characters [start, start + length) of a text.
struct Span
{
    int start = 0;
    int length = 0;
    int end() const { return start + length; }
    bool operator==(const Span&) const = default;
};

class WordIndex
{
public:
    /// A part of a text made from pieces: length characters at start, copied from the
    /// indexed text at from, or read anew when from is negative.
    struct Piece
    {
        int start = 0;
        int length = 0;
        int from = -1;
    };

    /// An index of the empty text.
    WordIndex() = default;
    /// Indexes every maximal run of word characters of text.
    explicit WordIndex(const QString& text);

    /// The index of text, made of pieces in order that cover it. A copied piece keeps the
    /// words of its range of the indexed text, so it must neither start nor end inside a
    /// word, nor touch a word character of its neighbours; only the others are read.
    WordIndex spliced(const QString& text, std::span<const Piece> pieces) const;
    /// The index of text, which is the indexed text with the spans (ascending, disjoint,
    /// each starting at a word and ending at a non-word character) deleted.
    WordIndex withoutSpans(const QString& text, const QList<Span>& spans) const;

    /// Whether the index can answer a whole-word search for word: a name of word characters
    /// that fold to ASCII ones, with or without one leading '#'. Every character that folds
    /// to an ASCII word character is a word character itself, so such a name occurs only as a
    /// whole run of word characters.
    static bool answers(QStringView word);

    /// The number of distinct names; entries are numbered from 0.
    int entryCount() const { return int(m_entries.size()); }
    /// The entry of a name of word characters, compared after case folding; -1 when the text
    /// holds it nowhere.
    int entryOf(QStringView name) const;
    /// Ascending start positions of the entry's occurrences.
    std::span<const int> positions(int entry) const;
    /// The length of the entry's name.
    int nameLength(int entry) const;

    /// Ascending start positions of the whole-word occurrences of word, for which answers()
    /// holds; for "#name" the positions of the '#'.
    QList<int> occurrences(QStringView word) const;
    /// First whole-word occurrence of word in [from, to); -1 if none. answers(word) must hold.
    int find(QStringView word, int from, int to) const;

private:
    struct Entry
    {
        std::uint32_t hash = 0;
        int key = 0;    // first of its folded name's code units in m_keys
        int length = 0; // of the name
        int begin = 0;  // first of its positions in m_positions
        int count = 0;
    };

    // The entry of the folded name with hash h, or -1.
    int lookup(std::uint32_t h, const char16_t* folded, int length) const;
    // A new entry for the folded name with hash h.
    int addEntry(std::uint32_t h, const char16_t* folded, int length);
    // Adds the words of m_text[from, to) in text order.
    void read(int from, int to);
    // Groups the occurrences by entry.
    void groupByEntry();
    // A '#' at p that starts a whole word "#name".
    bool hashStartsWord(int p) const;
    void buildTable();

    QString m_text;
    std::vector<Entry> m_entries;
    std::vector<char16_t> m_keys;
    // Each slot is the hash in the high half and entry + 1 in the low half, 0 when free; a
    // power of two long, at most half full.
    std::vector<std::uint64_t> m_slots;
    // The occurrences in text order: start and entry.
    std::vector<int> m_starts;
    std::vector<int> m_entryAt;
    // The starts grouped by entry, each group ascending.
    std::vector<int> m_positions;
};

} // namespace Lex
