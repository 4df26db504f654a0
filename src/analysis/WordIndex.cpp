#include "analysis/WordIndex.h"

#include "analysis/Characters.h"

#include <algorithm>
#include <array>
#include <bit>

namespace Lex {

namespace {

// FNV-1a over case-folded code units, fed one unit at a time while a word is read.
constexpr std::uint32_t HashSeed = 2166136261u;
inline std::uint32_t HashStep(std::uint32_t h, char16_t folded)
{
    return (h ^ folded) * 16777619u;
}

// The folded form of each ASCII word character; 0 for the other ASCII characters.
constexpr auto AsciiWordFolds = [] {
    std::array<char16_t, 128> folds{};
    for (int c = 0; c < 128; ++c) {
        if (Detail::AsciiWordChars[std::size_t(c)])
            folds[std::size_t(c)] = char16_t(c >= 'A' && c <= 'Z' ? c + 32 : c);
    }
    return folds;
}();

// The folded form of c when it is a word character, else 0.
inline char16_t wordFold(char16_t c)
{
    if (c < 128)
        return AsciiWordFolds[c];
    return IsWordChar(QChar(c)) ? FoldCodeUnit(c) : char16_t(0);
}

std::uint32_t hashOf(QStringView name)
{
    std::uint32_t h = HashSeed;
    for (QChar c : name)
        h = HashStep(h, FoldCodeUnit(c.unicode()));
    return h;
}

const char16_t* codeUnits(const QString& s)
{
    return reinterpret_cast<const char16_t*>(s.constData());
}

} // namespace

WordIndex::WordIndex(const QString& text)
    : m_text(text)
{
    m_slots.assign(1024, 0);
    read(0, int(m_text.size()));
    groupByEntry();
}

void WordIndex::read(int from, int to)
{
    const char16_t* const text = codeUnits(m_text);
    const char16_t* p = text + from;
    const char16_t* const end = text + to;
    // The folded word is gathered while it is hashed; a longer one is folded again.
    constexpr int Gathered = 64;
    char16_t folded[Gathered];
    m_starts.reserve(m_starts.size() + std::size_t(to - from) / 6);
    m_entryAt.reserve(m_entryAt.size() + std::size_t(to - from) / 6);
    while (true) {
        char16_t f = 0;
        while (p < end && (f = wordFold(*p)) == 0)
            ++p;
        if (p == end)
            return;
        const char16_t* const start = p;
        std::uint32_t h = HashSeed;
        int length = 0;
        do {
            h = HashStep(h, f);
            folded[length & (Gathered - 1)] = f;
            ++length;
            ++p;
        } while (p < end && (f = wordFold(*p)) != 0);
        const char16_t* key = folded;
        std::vector<char16_t> whole;
        if (length > Gathered) {
            whole.resize(static_cast<std::size_t>(length));
            std::transform(start, p, whole.begin(), FoldCodeUnit);
            key = whole.data();
        }
        int entry = lookup(h, key, length);
        if (entry < 0)
            entry = addEntry(h, key, length);
        m_starts.push_back(int(start - text));
        m_entryAt.push_back(entry);
    }
}

int WordIndex::addEntry(std::uint32_t h, const char16_t* folded, int length)
{
    const int entry = int(m_entries.size());
    m_entries.push_back(Entry{h, int(m_keys.size()), length, 0, 0});
    m_keys.insert(m_keys.end(), folded, folded + length);
    if (2 * m_entries.size() > m_slots.size()) {
        buildTable();
    } else {
        const std::size_t mask = m_slots.size() - 1;
        std::size_t k = h & mask;
        while (m_slots[k] != 0)
            k = (k + 1) & mask;
        m_slots[k] = (std::uint64_t(h) << 32) | std::uint64_t(entry + 1);
    }
    return entry;
}

void WordIndex::buildTable()
{
    m_slots.assign(std::bit_ceil(std::max<std::size_t>(1024, 4 * m_entries.size())), 0);
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t e = 0; e < m_entries.size(); ++e) {
        const std::uint32_t h = m_entries[e].hash;
        std::size_t k = h & mask;
        while (m_slots[k] != 0)
            k = (k + 1) & mask;
        m_slots[k] = (std::uint64_t(h) << 32) | std::uint64_t(e + 1);
    }
}

int WordIndex::lookup(std::uint32_t h, const char16_t* folded, int length) const
{
    if (m_slots.empty())
        return -1;
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t k = h & mask; m_slots[k] != 0; k = (k + 1) & mask) {
        if (std::uint32_t(m_slots[k] >> 32) != h)
            continue;
        const int entry = int(std::uint32_t(m_slots[k])) - 1;
        const Entry& e = m_entries[std::size_t(entry)];
        if (e.length != length)
            continue;
        const char16_t* key = m_keys.data() + e.key;
        int i = 0;
        while (i < length && key[i] == folded[i])
            ++i;
        if (i == length)
            return entry;
    }
    return -1;
}

void WordIndex::groupByEntry()
{
    for (Entry& entry : m_entries)
        entry.count = 0;
    for (int entry : m_entryAt)
        ++m_entries[std::size_t(entry)].count;
    int next = 0;
    for (Entry& entry : m_entries) {
        entry.begin = next;
        next += entry.count;
    }
    m_positions.resize(m_starts.size());
    std::vector<int> cursor(m_entries.size());
    for (std::size_t e = 0; e < m_entries.size(); ++e)
        cursor[e] = m_entries[e].begin;
    for (std::size_t k = 0; k < m_starts.size(); ++k)
        m_positions[std::size_t(cursor[std::size_t(m_entryAt[k])]++)] = m_starts[k];
}

WordIndex WordIndex::spliced(const QString& text, std::span<const Piece> pieces) const
{
    // The names stay numbered as here; names that no longer occur keep an empty entry.
    WordIndex out;
    out.m_text = text;
    out.m_entries = m_entries;
    out.m_keys = m_keys;
    out.m_slots = m_slots.empty() ? std::vector<std::uint64_t>(1024, 0) : m_slots;
    out.m_starts.reserve(m_starts.size());
    out.m_entryAt.reserve(m_starts.size());
    for (const Piece& piece : pieces) {
        if (piece.from < 0) {
            out.read(piece.start, piece.start + piece.length);
            continue;
        }
        const auto first = std::lower_bound(m_starts.begin(), m_starts.end(), piece.from);
        const int shift = piece.start - piece.from;
        for (auto it = first; it != m_starts.end() && *it < piece.from + piece.length; ++it) {
            out.m_starts.push_back(*it + shift);
            out.m_entryAt.push_back(m_entryAt[std::size_t(it - m_starts.begin())]);
        }
    }
    out.groupByEntry();
    return out;
}

WordIndex WordIndex::withoutSpans(const QString& text, const QList<Span>& spans) const
{
    std::vector<Piece> kept;
    kept.reserve(std::size_t(spans.size()) + 1);
    int from = 0;
    int removed = 0;
    for (const Span& span : spans) {
        kept.push_back(Piece{from - removed, span.start - from, from});
        removed += span.length;
        from = span.end();
    }
    kept.push_back(Piece{from - removed, int(m_text.size()) - from, from});
    return spliced(text, kept);
}

bool WordIndex::answers(QStringView word)
{
    if (word.size() > 1 && word.front() == u'#')
        word = word.mid(1);
    return !word.isEmpty() && std::all_of(word.begin(), word.end(), [](QChar c) {
        return IsWordChar(c) && FoldCodeUnit(c.unicode()) < 128;
    });
}

int WordIndex::entryOf(QStringView name) const
{
    const QString folded = FoldedWord(name);
    return lookup(hashOf(name), codeUnits(folded), int(folded.size()));
}

std::span<const int> WordIndex::positions(int entry) const
{
    if (entry < 0 || entry >= entryCount())
        return {};
    const Entry& e = m_entries[std::size_t(entry)];
    return std::span<const int>(m_positions.data() + e.begin, std::size_t(e.count));
}

int WordIndex::nameLength(int entry) const
{
    return entry < 0 || entry >= entryCount() ? 0 : m_entries[std::size_t(entry)].length;
}

bool WordIndex::hashStartsWord(int p) const
{
    return p >= 0 && p < m_text.size() && m_text.at(p) == u'#' &&
           (p == 0 || !IsWordChar(m_text.at(p - 1)));
}

QList<int> WordIndex::occurrences(QStringView word) const
{
    const bool hashed = word.size() > 1 && word.front() == u'#';
    const std::span<const int> found = positions(entryOf(hashed ? word.mid(1) : word));
    QList<int> result;
    result.reserve(qsizetype(found.size()));
    for (int p : found) {
        if (!hashed)
            result.append(p);
        else if (hashStartsWord(p - 1))
            result.append(p - 1);
    }
    return result;
}

int WordIndex::find(QStringView word, int from, int to) const
{
    const bool hashed = word.size() > 1 && word.front() == u'#';
    const int length = int(word.size());
    const std::span<const int> found = positions(entryOf(hashed ? word.mid(1) : word));
    const int lead = hashed ? 1 : 0;
    for (auto it = std::lower_bound(found.begin(), found.end(), from + lead); it != found.end();
         ++it) {
        const int p = *it - lead;
        if (p + length > to)
            return -1;
        if (!hashed || hashStartsWord(p))
            return p;
    }
    return -1;
}

} // namespace Lex
