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
    /// An index of the empty text.
    WordIndex() = default;
    /// Indexes every maximal run of word characters of text.
    explicit WordIndex(const QString& text);

    /// The index of text, which is this index's text with the spans (ascending, disjoint,
    /// each starting at a word and ending at a non-word character) deleted: the words
    /// outside the spans, moved up.
    WordIndex withoutSpans(const QString& text, const QList<Span>& spans) const;
    /// The index of text, which is prefix (no word characters) followed by this index's text.
    WordIndex afterPrefix(const QString& text, int prefixLength) const;

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
    /// The first occurrence of the entry: its name as the text writes it there.
    QStringView spelling(int entry) const;

    /// Ascending start positions of the whole-word occurrences of word, for which answers()
    /// holds; for "#name" the positions of the '#'.
    QList<int> occurrences(QStringView word) const;
    /// First whole-word occurrence of word in [from, to); -1 if none. answers(word) must hold.
    int find(QStringView word, int from, int to) const;

private:
    struct Entry
    {
        std::uint32_t hash = 0;
        int first = 0;  // position of the first occurrence
        int length = 0; // of the name
        int begin = 0;  // first of its positions in m_positions
        int count = 0;
    };

    // The entry of the run text[start, start + length) with hash h, or -1.
    int lookup(std::uint32_t h, const char16_t* name, int length) const;
    // A '#' at p that starts a whole word "#name".
    bool hashStartsWord(int p) const;
    std::size_t freeSlot(std::uint32_t h) const;
    // Makes the table of m_entries anew, a quarter full.
    void buildTable();

    QString m_text;
    std::vector<Entry> m_entries;
    std::vector<int> m_positions;
    std::vector<int> m_slots; // entry + 1, 0 when free; a power of two, at most half full
};

} // namespace Lex
