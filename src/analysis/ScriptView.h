#pragma once
// Text model of a script view: CR LF text with per-character colour, font style and size.

#include "analysis/WordFilter.h"

#include <array>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include <QList>
#include <QString>
#include <QStringList>

namespace Lex {

/// An RGB colour as 0xRRGGBB.
using Colour = std::uint32_t;

constexpr Colour Rgb(int r, int g, int b)
{
    return (Colour(r) << 16) | (Colour(g) << 8) | Colour(b);
}

namespace Colours {
constexpr Colour Black = Rgb(0, 0, 0);
constexpr Colour Comment = Rgb(0, 128, 0);
constexpr Colour String = Rgb(128, 0, 0);
constexpr Colour Catalogue = Rgb(0, 0, 255);
constexpr Colour Plugin = Rgb(255, 0, 0);
constexpr Colour Reserved = Rgb(128, 128, 0);
} // namespace Colours

namespace Detail {
// The ASCII word characters, one flag per code unit.
inline constexpr auto AsciiWordChars = [] {
    std::array<bool, 128> flags{};
    for (int c = 0; c < 128; ++c)
        flags[std::size_t(c)] =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    return flags;
}();
} // namespace Detail

/// Word characters of whole-word searches: letters, digits and '_'.
inline bool IsWordChar(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 128)
        return Detail::AsciiWordChars[u];
    return c.isLetterOrNumber();
}

/// A code unit under simple case folding, as searches ignoring case compare them.
inline char16_t FoldCodeUnit(char16_t c)
{
    if (c < 128)
        return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
    return QChar::toCaseFolded(c);
}

/// word with every code unit case-folded.
inline QString FoldedWord(QStringView word)
{
    QString folded(word.size(), Qt::Uninitialized);
    QChar* d = folded.data();
    for (qsizetype i = 0; i < word.size(); ++i)
        d[i] = QChar(FoldCodeUnit(word[i].unicode()));
    return folded;
}

/// Font style flags; a character's styles are a combination of them.
enum Style : std::uint8_t
{
    NoStyle = 0,
    Bold = 1,
    Italic = 2,
    Underline = 4,
    StrikeOut = 8,
};
using Styles = std::uint8_t;

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
struct Run
{
    int start = 0;
    int length = 0;
    Colour colour = Colours::Black;
    Styles styles = NoStyle;
    int size = 0;
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
/// text (a line break counts as two), every character has a colour, styles and a size.
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
    /// black, no style, base size; paragraph formats are reset.
    void setText(const QString& text);
    /// Replaces the whole text by the lines, each followed by CR LF.
    void setLines(const QStringList& lines);
    /// The lines of the text, split at CR LF; a final CR LF does not start another line.
    QStringList lines() const;
    /// Adds a line at the end as a rich edit's line list does: a CR LF first when the text
    /// does not end with one, then the line and CR LF. New characters are black, no style.
    void appendLine(const QString& line);

    /// First whole-word occurrence of word in [start, start + length), ignoring case; -1 if
    /// none. Word characters are letters, digits and '_'.
    int findWord(QStringView word, int start, int length) const;
    /// For each of words, whether findWord finds it anywhere in the text; one pass over the
    /// text answers all the words made of ASCII word characters.
    QList<bool> containsWords(const QStringList& words) const;
    /// First occurrence of needle in [start, start + length), ignoring case; -1 if none.
    int findPlain(QStringView needle, int start, int length) const;
    /// The text with every code unit case-folded (same length and positions); made once per
    /// change of the text, so that repeated searches cost one pass each.
    const QString& foldedText() const;

    /// Colour of the character at pos; black (0) at or beyond the end or before the start.
    Colour charColourAt(int pos) const
    {
        return pos >= 0 && pos < length() ? m_palette[m_colours[std::size_t(pos)]] : Colours::Black;
    }
    Styles stylesAt(int pos) const;
    int sizeAt(int pos) const;
    /// Gives [start, start + length) the colour and the styles (clipped to the text).
    void setRangeStyle(int start, int length, Colour colour, Styles styles);
    /// Gives [start, start + length) the styles and the size; colours are kept.
    void setRangeFont(int start, int length, Styles styles, int size);
    /// The attribute runs covering [start, start + length).
    QList<Run> runs(int start, int length) const;

    /// Paragraph format of line index line (0-based); lines without one are Left, no indent.
    ParagraphFormat paragraphFormat(int line) const;
    /// Sets the format of every line from line on, including lines added later, as a rich
    /// edit's paragraph setting at the end of the text does.
    void setParagraphFormatFrom(int line, const ParagraphFormat& format);
    /// Sets the format of the single line index line.
    void setParagraphFormat(int line, const ParagraphFormat& format);
    int lineCount() const;

    /// Keeps the filter of the words of the current text, made by a pass over it; searches
    /// for a word it has never seen then answer at once.
    void keepWordFilter(WordFilter&& words) const;
    /// False when the text surely holds word nowhere as a whole word; true when it may, when
    /// word is not made of ASCII word characters, or when no pass over the current text was
    /// made.
    bool mayHoldWord(QStringView word) const;

    /// Increases with every change of text or attributes, so views can tell what is stale.
    quint64 revision() const { return m_revision; }

private:
    // The number of the colour to use, compacting the palette when it is full.
    std::uint8_t paletteIndex(Colour colour);

    QString m_text;
    // A character's colour is a number into the palette; entry 0 is black.
    std::vector<Colour> m_palette{Colours::Black};
    Detail::AttributeArray<std::uint8_t> m_colours;
    Detail::AttributeArray<Styles> m_styles;
    Detail::AttributeArray<std::uint8_t> m_sizes;
    QList<ParagraphFormat> m_paragraphs;
    ParagraphFormat m_tailFormat;
    quint64 m_revision = 0;
    mutable QString m_folded;
    mutable bool m_foldedValid = false;
    mutable WordFilter m_words;
    mutable bool m_wordsValid = false;
};

} // namespace Lex
