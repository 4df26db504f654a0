#pragma once
// Text model of a script view: CR LF text with a kind, colour, font style and size per
// character, and the index of its identifiers.

#include "analysis/Characters.h"
#include "analysis/Kind.h"
#include "analysis/WordIndex.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include <QList>
#include <QString>
#include <QStringList>

namespace Lex {

enum class Alignment : std::uint8_t
{
    Left,
    Centre,
};

/// Paragraph attributes of one line (used by the About text); indents in points.
struct ParagraphFormat
{
    Alignment alignment = Alignment::Left;
    int firstIndent = 0;
    int restIndent = 0;
    bool bullet = false;
    bool operator==(const ParagraphFormat&) const = default;
};

/// A maximal range of characters with the same attributes; size 0 is the view's base font.
/// The colour and styles are those of the kind, or the free ones of a Plain range.
struct Run
{
    int start = 0;
    int length = 0;
    Colour colour = Colours::Black;
    Styles styles = NoStyle;
    int size = 0;
    Kind kind = Kind::Plain;
};

namespace Detail {
// An allocator that leaves new elements of a growing attribute array uninitialised, so that
// the view clears them as memory at once instead of element by element.
template <typename T> struct UninitialisedAllocator : std::allocator<T>
{
    template <typename U> struct rebind
    {
        using other = UninitialisedAllocator<U>;
    };
    template <typename U> void construct(U* p) noexcept { ::new (static_cast<void*>(p)) U; }
    template <typename U, typename... Args> void construct(U* p, Args&&... args)
    {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};
template <typename T> using AttributeArray = std::vector<T, UninitialisedAllocator<T>>;
} // namespace Detail

/// The text of a script view. Line breaks are CR LF, positions are 0-based indices into the
/// text (a line break counts as two). Every character has a kind, written by the colouring,
/// and free attributes (colour, styles, size) that the remarks and the About text set; a
/// character of a kind other than Plain shows the kind's colour and styles.
class ScriptView
{
public:
    static constexpr QStringView LineBreak = u"\r\n";

    const QString& text() const { return m_text; }
    int length() const { return int(m_text.size()); }
    bool isEmpty() const { return m_text.isEmpty(); }

    /// Empties the view: no text, no attributes, no paragraph formats.
    void clear();
    /// Replaces the whole text; CR LF, LF and CR all become CR LF. Every character becomes
    /// Plain, black, no style, base size; paragraph formats are reset.
    void setText(const QString& text);
    /// setText with the word index of the text already made; it is used when the text needs
    /// no change of its line breaks.
    void setText(const QString& text, WordIndex index);
    /// Replaces the whole text by the lines, each followed by CR LF.
    void setLines(const QStringList& lines);
    /// The lines of the text, split at CR LF; a final CR LF does not start another line.
    QStringList lines() const;
    /// Adds a line at the end: a CR LF first when the text does not end with one, then the
    /// line and CR LF. New characters are Plain, black, no style.
    void appendLine(const QString& line);

    /// First whole-word occurrence of word in [start, start + length), ignoring case; -1 if
    /// none. Word characters are letters, digits and '_'. Answered from the word index when
    /// it can answer word.
    int findWord(QStringView word, int start, int length) const;
    /// Ascending positions of every whole-word occurrence of word, as findWord finds them one
    /// after the other.
    QList<int> findWords(QStringView word) const;
    /// For each of words, whether findWord finds it anywhere in the text.
    QList<bool> containsWords(const QStringList& words) const;
    /// First occurrence of needle in [start, start + length), ignoring case; -1 if none.
    int findPlain(QStringView needle, int start, int length) const;
    /// The text with every code unit case-folded (same length and positions); made once per
    /// change of the text, so that repeated searches cost one pass each.
    const QString& foldedText() const;
    /// The index of the identifiers of the text, made by one pass on first use and kept
    /// until the text changes.
    const WordIndex& wordIndex() const;

    /// Kind of the character at pos; Plain at or beyond the end or before the start.
    Kind kindAt(int pos) const
    {
        return pos >= 0 && std::size_t(pos) < m_kinds.size() ? m_kinds[std::size_t(pos)]
                                                             : Kind::Plain;
    }
    /// Gives [start, start + length) the kind (clipped to the text).
    void setRangeKind(int start, int length, Kind kind);
    /// The kind of every character, for a pass that writes many of them.
    std::span<Kind> kindsForWriting();

    /// Colour of the character at pos; black (0) at or beyond the end or before the start.
    Colour charColourAt(int pos) const;
    Styles stylesAt(int pos) const;
    int sizeAt(int pos) const;
    /// Gives [start, start + length) the free colour and styles and makes it Plain (clipped
    /// to the text).
    void setRangeStyle(int start, int length, Colour colour, Styles styles);
    /// Gives [start, start + length) the styles and the size; colours are kept.
    void setRangeFont(int start, int length, Styles styles, int size);
    /// The attribute runs covering [start, start + length).
    QList<Run> runs(int start, int length) const;

    /// Paragraph format of line index line (0-based); lines without one are Left, no indent.
    ParagraphFormat paragraphFormat(int line) const;
    /// Sets the format of every line from line on, including lines added later.
    void setParagraphFormatFrom(int line, const ParagraphFormat& format);
    /// Sets the format of the single line index line.
    void setParagraphFormat(int line, const ParagraphFormat& format);
    int lineCount() const;

    /// Increases with every change of text or attributes, so views can tell what is stale.
    quint64 revision() const { return m_revision; }

private:
    struct Attributes
    {
        Colour colour;
        Styles styles;
        int size;
        Kind kind;
        bool operator==(const Attributes&) const = default;
    };
    Attributes attributesAt(std::size_t pos) const;
    // The text changed: every attribute and cache of the old one goes.
    void textChanged();
    // Makes the free colour and style arrays as long as the text when they are not.
    void allocateFreeAttributes();
    // The number of the colour to use, compacting the palette when it is full.
    std::uint8_t paletteIndex(Colour colour);

    QString m_text;
    // Each array is empty (every character Plain, black, no style, base size) or as long as
    // the text; a character's colour is a number into the palette, whose entry 0 is black.
    Detail::AttributeArray<Kind> m_kinds;
    std::vector<Colour> m_palette{Colours::Black};
    Detail::AttributeArray<std::uint8_t> m_colours;
    Detail::AttributeArray<Styles> m_styles;
    Detail::AttributeArray<std::uint8_t> m_sizes;
    QList<ParagraphFormat> m_paragraphs;
    ParagraphFormat m_tailFormat;
    quint64 m_revision = 0;
    mutable QString m_folded;
    mutable bool m_foldedValid = false;
    mutable std::optional<WordIndex> m_index;
};

} // namespace Lex
