#include "analysis/ScriptView.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <stdexcept>

#include <QVarLengthArray>

namespace Lex {

namespace {

QString normaliseLineBreaks(const QString& text)
{
    // Clean when every CR is followed by a LF and every LF follows a CR.
    const qsizetype n = text.size();
    const char16_t* data = reinterpret_cast<const char16_t*>(text.constData());
    // That is: a CR stands exactly before each LF, none ends the text and none starts it. The
    // loop has no branches, so that the compiler vectorises it.
    if (n == 0)
        return text;
    unsigned bad = unsigned(data[0] == u'\n') | unsigned(data[n - 1] == u'\r');
    for (qsizetype i = 0; i + 1 < n; ++i)
        bad |= unsigned(data[i] == u'\r') ^ unsigned(data[i + 1] == u'\n');
    if (!bad)
        return text;
    qsizetype breaks = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        const bool loneLf = c == u'\n' && (i == 0 || text.at(i - 1) != u'\r');
        const bool loneCr = c == u'\r' && (i + 1 >= n || text.at(i + 1) != u'\n');
        if (loneLf || loneCr)
            ++breaks;
    }
    // Every lone CR or LF grows by one character; a CR LF stays as it is.
    QString out(n + breaks, Qt::Uninitialized);
    QChar* d = out.data();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == u'\r') {
            *d++ = u'\r';
            *d++ = u'\n';
            if (i + 1 < n && text.at(i + 1) == u'\n')
                ++i;
        } else if (c == u'\n') {
            *d++ = u'\r';
            *d++ = u'\n';
        } else {
            *d++ = c;
        }
    }
    return out;
}

// Clips [start, start + length) to [0, size); returns false when nothing remains.
bool clipRange(qsizetype size, qint64& start, qint64& end)
{
    if (start < 0)
        start = 0;
    if (end > size)
        end = size;
    return start < end;
}

// How often a folded code unit turns up in scripts, roughly: letters by their frequency in
// English and code, common letters highest; punctuation, digits and others low.
int commonness(char16_t c)
{
    static constexpr char Letters[] = "zqjxkvbypgwfmucdlhrsnioate";
    if (c >= u'a' && c <= u'z')
        return 10 + int(std::find(Letters, Letters + 26, char(c)) - Letters);
    if (c == u' ' || c == u'(' || c == u')' || c == u';' || c == u',')
        return 40;
    return c < 128 ? 5 : 1;
}

// First p in [from, end - needle.size()] where the folded text holds needle (compared through
// simple case folding, code unit by code unit); -1 if none.
qsizetype indexOfIgnoringCase(QStringView folded, qsizetype from, qsizetype end, QStringView needle)
{
    const qsizetype m = needle.size();
    if (m == 0 || end - from < m)
        return -1;
    QVarLengthArray<char16_t, 64> foldedNeedle(m);
    for (qsizetype k = 0; k < m; ++k)
        foldedNeedle[k] = FoldCodeUnit(needle[k].unicode());
    // Qt's vectorised search looks for the needle's least common code unit; each place found
    // is compared whole.
    qsizetype pivot = 0;
    for (qsizetype k = 1; k < m; ++k) {
        if (commonness(foldedNeedle[k]) < commonness(foldedNeedle[pivot]))
            pivot = k;
    }
    const QChar rare(foldedNeedle[pivot]);
    const char16_t* data = folded.utf16();
    const QStringView range = folded.left(end - m + 1 + pivot);
    qsizetype i = range.indexOf(rare, from + pivot);
    while (i >= 0) {
        const char16_t* at = data + i - pivot;
        if (std::equal(foldedNeedle.begin(), foldedNeedle.end(), at))
            return i - pivot;
        i = range.indexOf(rare, i + 1);
    }
    return -1;
}

// Makes an empty v, which stands for all zeros, n zeros long.
template <typename T> void allocate(Detail::AttributeArray<T>& v, std::size_t n)
{
    if (!v.empty())
        return;
    v.resize(n);
    if (n > 0)
        std::memset(static_cast<void*>(v.data()), 0, n * sizeof(T));
}

} // namespace

const QString& ScriptView::foldedText() const
{
    if (!m_foldedValid) {
        const qsizetype n = m_text.size();
        m_folded.resize(n);
        const char16_t* src = reinterpret_cast<const char16_t*>(m_text.constData());
        char16_t* dst = reinterpret_cast<char16_t*>(m_folded.data());
        // ASCII first, without branches (the compiler vectorises it); the rest afterwards.
        char16_t all = 0;
        for (qsizetype i = 0; i < n; ++i) {
            const char16_t c = src[i];
            all |= c;
            dst[i] = char16_t(c + (char16_t(c - u'A') < 26 ? 32 : 0));
        }
        if (all >= 128) {
            for (qsizetype i = 0; i < n; ++i) {
                if (src[i] >= 128)
                    dst[i] = QChar::toCaseFolded(src[i]);
            }
        }
        m_foldedValid = true;
    }
    return m_folded;
}

const WordIndex& ScriptView::wordIndex() const
{
    if (!m_index)
        m_index.emplace(m_text);
    return *m_index;
}

void ScriptView::textChanged()
{
    m_foldedValid = false;
    m_index.reset();
    m_kinds.clear();
    m_palette.assign(1, Colours::Black);
    m_colours.clear();
    m_styles.clear();
    m_sizes.clear();
    m_paragraphs.clear();
    m_tailFormat = ParagraphFormat();
    ++m_revision;
}

void ScriptView::clear()
{
    m_text.clear();
    textChanged();
}

void ScriptView::setText(const QString& text)
{
    m_text = normaliseLineBreaks(text);
    textChanged();
}

void ScriptView::setText(const QString& text, WordIndex index)
{
    m_text = normaliseLineBreaks(text);
    textChanged();
    // Normalising only ever adds characters; the index fits the text when none were added.
    if (m_text.size() == text.size())
        m_index.emplace(std::move(index));
}

void ScriptView::setLines(const QStringList& lines)
{
    qsizetype total = 0;
    for (const QString& line : lines)
        total += line.size() + 2;
    QString text(total, Qt::Uninitialized);
    QChar* out = text.data();
    for (const QString& line : lines) {
        out = std::copy(line.cbegin(), line.cend(), out);
        *out++ = u'\r';
        *out++ = u'\n';
    }
    setText(text);
}

QStringList ScriptView::lines() const
{
    QStringList result;
    if (m_text.isEmpty())
        return result;
    result.reserve(lineCount());
    qsizetype from = 0;
    const qsizetype n = m_text.size();
    while (from < n) {
        // The text's line breaks are all CR LF, and a CR stands only in one.
        const qsizetype br = m_text.indexOf(u'\r', from);
        if (br < 0) {
            result.append(m_text.mid(from));
            break;
        }
        result.append(m_text.mid(from, br - from));
        from = br + 2;
    }
    return result;
}

int ScriptView::lineCount() const
{
    if (m_text.isEmpty())
        return 0;
    const char16_t* data = reinterpret_cast<const char16_t*>(m_text.constData());
    int breaks = 0;
    for (qsizetype i = 0; i < m_text.size(); ++i)
        breaks += int(data[i] == u'\n');
    return m_text.endsWith(ScriptView::LineBreak) ? breaks : breaks + 1;
}

void ScriptView::appendLine(const QString& line)
{
    QString added;
    if (!m_text.isEmpty() && !m_text.endsWith(ScriptView::LineBreak))
        added += ScriptView::LineBreak;
    added += normaliseLineBreaks(line);
    added += ScriptView::LineBreak;
    m_text += added;
    m_foldedValid = false;
    m_index.reset();
    const std::size_t n = std::size_t(m_text.size());
    if (!m_kinds.empty())
        m_kinds.resize(n, Kind::Plain);
    if (!m_colours.empty()) {
        m_colours.resize(n, 0);
        m_styles.resize(n, NoStyle);
    }
    if (!m_sizes.empty())
        m_sizes.resize(n, 0);
    ++m_revision;
}

int ScriptView::findPlain(QStringView needle, int start, int length) const
{
    if (needle.isEmpty() || length <= 0)
        return -1;
    qint64 from = start;
    qint64 end = qint64(start) + length;
    if (!clipRange(m_text.size(), from, end))
        return -1;
    return int(indexOfIgnoringCase(foldedText(), from, end, needle));
}

QList<int> ScriptView::findWords(QStringView word) const
{
    if (WordIndex::answers(word))
        return wordIndex().occurrences(word);
    QList<int> found;
    const int n = length();
    for (int p = findWord(word, 0, n); p >= 0; p = findWord(word, p + 1, n - p - 1))
        found.append(p);
    return found;
}

QList<bool> ScriptView::containsWords(const QStringList& words) const
{
    QList<bool> found;
    found.reserve(words.size());
    for (const QString& word : words)
        found.append(findWord(word, 0, length()) >= 0);
    return found;
}

int ScriptView::findWord(QStringView word, int start, int length) const
{
    if (word.isEmpty() || length <= 0)
        return -1;
    qint64 from = start;
    qint64 end = qint64(start) + length;
    if (!clipRange(m_text.size(), from, end))
        return -1;
    if (WordIndex::answers(word))
        return wordIndex().find(word, int(from), int(end));
    const qsizetype n = m_text.size();
    while (from < end) {
        const qsizetype p = indexOfIgnoringCase(foldedText(), from, end, word);
        if (p < 0)
            return -1;
        const qsizetype after = p + word.size();
        const bool startsWord = p == 0 || !IsWordChar(m_text.at(p - 1));
        const bool endsWord = after >= n || !IsWordChar(m_text.at(after));
        if (startsWord && endsWord)
            return int(p);
        from = p + 1;
    }
    return -1;
}

ScriptView::Attributes ScriptView::attributesAt(std::size_t pos) const
{
    Attributes a{Colours::Black, NoStyle, m_sizes.empty() ? 0 : m_sizes[pos],
                 m_kinds.empty() ? Kind::Plain : m_kinds[pos]};
    if (a.kind != Kind::Plain) {
        const KindFormat format = FormatOf(a.kind);
        a.colour = format.colour;
        a.styles = format.styles;
    } else if (!m_colours.empty()) {
        a.colour = m_palette[m_colours[pos]];
        a.styles = m_styles[pos];
    }
    return a;
}

Colour ScriptView::charColourAt(int pos) const
{
    return pos >= 0 && pos < length() ? attributesAt(std::size_t(pos)).colour : Colours::Black;
}

Styles ScriptView::stylesAt(int pos) const
{
    return pos >= 0 && pos < length() ? attributesAt(std::size_t(pos)).styles : Styles(NoStyle);
}

int ScriptView::sizeAt(int pos) const
{
    return pos >= 0 && pos < length() && !m_sizes.empty() ? m_sizes[std::size_t(pos)] : 0;
}

void ScriptView::setRangeKind(int start, int length, Kind kind)
{
    qint64 from = start;
    qint64 end = qint64(start) + length;
    if (!clipRange(m_text.size(), from, end))
        return;
    const std::span<Kind> kinds = kindsForWriting();
    std::fill(kinds.begin() + from, kinds.begin() + end, kind);
}

std::span<Kind> ScriptView::kindsForWriting()
{
    static_assert(Kind::Plain == Kind{});
    allocate(m_kinds, std::size_t(m_text.size()));
    ++m_revision;
    return m_kinds;
}

void ScriptView::allocateFreeAttributes()
{
    const std::size_t n = std::size_t(m_text.size());
    allocate(m_colours, n);
    allocate(m_styles, n);
}

std::uint8_t ScriptView::paletteIndex(Colour colour)
{
    const auto known = std::find(m_palette.begin(), m_palette.end(), colour);
    if (known != m_palette.end())
        return std::uint8_t(known - m_palette.begin());
    if (m_palette.size() == 256) {
        // Keep black and the colours still in use, numbered anew.
        std::array<bool, 256> used{};
        used[0] = true;
        for (std::uint8_t index : m_colours)
            used[index] = true;
        std::array<std::uint8_t, 256> renumbered{};
        std::vector<Colour> kept;
        for (std::size_t i = 0; i < 256; ++i) {
            if (used[i]) {
                renumbered[i] = std::uint8_t(kept.size());
                kept.push_back(m_palette[i]);
            }
        }
        if (kept.size() == 256)
            throw std::length_error("a script view holds more than 256 colours");
        for (std::uint8_t& index : m_colours)
            index = renumbered[index];
        m_palette = std::move(kept);
    }
    m_palette.push_back(colour);
    return std::uint8_t(m_palette.size() - 1);
}

void ScriptView::setRangeStyle(int start, int length, Colour colour, Styles styles)
{
    qint64 from = start;
    qint64 end = qint64(start) + length;
    if (!clipRange(m_text.size(), from, end))
        return;
    allocateFreeAttributes();
    const std::uint8_t index = paletteIndex(colour);
    std::fill(m_colours.begin() + from, m_colours.begin() + end, index);
    std::fill(m_styles.begin() + from, m_styles.begin() + end, styles);
    if (!m_kinds.empty())
        std::fill(m_kinds.begin() + from, m_kinds.begin() + end, Kind::Plain);
    ++m_revision;
}

void ScriptView::setRangeFont(int start, int length, Styles styles, int size)
{
    qint64 from = start;
    qint64 end = qint64(start) + length;
    if (!clipRange(m_text.size(), from, end))
        return;
    allocateFreeAttributes();
    allocate(m_sizes, std::size_t(m_text.size()));
    // A character of a kind keeps the kind's colour as its free colour.
    for (qint64 i = from; !m_kinds.empty() && i < end; ++i) {
        const Kind kind = m_kinds[std::size_t(i)];
        if (kind != Kind::Plain) {
            m_colours[std::size_t(i)] = paletteIndex(FormatOf(kind).colour);
            m_kinds[std::size_t(i)] = Kind::Plain;
        }
    }
    const auto stored = std::uint8_t(std::clamp(size, 0, 255));
    std::fill(m_styles.begin() + from, m_styles.begin() + end, styles);
    std::fill(m_sizes.begin() + from, m_sizes.begin() + end, stored);
    ++m_revision;
}

QList<Run> ScriptView::runs(int start, int length) const
{
    QList<Run> result;
    qint64 from = start;
    qint64 end = qint64(start) + length;
    if (!clipRange(m_text.size(), from, end))
        return result;
    qint64 i = from;
    while (i < end) {
        const Attributes a = attributesAt(std::size_t(i));
        qint64 j = i + 1;
        while (j < end && attributesAt(std::size_t(j)) == a)
            ++j;
        result.append(Run{int(i), int(j - i), a.colour, a.styles, a.size, a.kind});
        i = j;
    }
    return result;
}

ParagraphFormat ScriptView::paragraphFormat(int line) const
{
    if (line < 0)
        return ParagraphFormat();
    if (line < m_paragraphs.size())
        return m_paragraphs.at(line);
    return m_tailFormat;
}

void ScriptView::setParagraphFormatFrom(int line, const ParagraphFormat& format)
{
    if (line < 0)
        line = 0;
    if (line < m_paragraphs.size())
        m_paragraphs.resize(line);
    while (m_paragraphs.size() < line)
        m_paragraphs.append(m_tailFormat);
    m_tailFormat = format;
    ++m_revision;
}

void ScriptView::setParagraphFormat(int line, const ParagraphFormat& format)
{
    if (line < 0)
        return;
    while (m_paragraphs.size() <= line)
        m_paragraphs.append(m_tailFormat);
    m_paragraphs[line] = format;
    ++m_revision;
}

} // namespace Lex
