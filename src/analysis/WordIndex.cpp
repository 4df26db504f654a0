#include "analysis/WordIndex.h"

#include "analysis/Characters.h"

#include <algorithm>
#include <bit>

namespace Lex {

namespace {

// FNV-1a over case-folded code units, fed one unit at a time while a word is read.
constexpr std::uint32_t HashSeed = 2166136261u;
inline std::uint32_t HashStep(std::uint32_t h, char16_t folded)
{
    return (h ^ folded) * 16777619u;
}

std::uint32_t hashOf(QStringView name)
{
    std::uint32_t h = HashSeed;
    for (QChar c : name)
        h = HashStep(h, FoldCodeUnit(c.unicode()));
    return h;
}

bool sameFolded(const char16_t* a, const char16_t* b, int length)
{
    for (int k = 0; k < length; ++k) {
        if (a[k] != b[k] && FoldCodeUnit(a[k]) != FoldCodeUnit(b[k]))
            return false;
    }
    return true;
}

const char16_t* codeUnits(const QString& s)
{
    return reinterpret_cast<const char16_t*>(s.constData());
}

} // namespace

WordIndex::WordIndex(const QString& text)
    : m_text(text)
{
    const char16_t* s = codeUnits(m_text);
    const int n = int(m_text.size());
    // The occurrences in text order first, then grouped by entry.
    std::vector<int> starts;
    std::vector<int> entryOfStart;
    starts.reserve(std::size_t(n / 8));
    entryOfStart.reserve(std::size_t(n / 8));
    m_slots.assign(1024, 0);
    int i = 0;
    while (i < n) {
        if (!IsWordChar(s[i])) {
            ++i;
            continue;
        }
        const int start = i;
        std::uint32_t h = HashSeed;
        while (i < n && IsWordChar(s[i]))
            h = HashStep(h, FoldCodeUnit(s[i++]));
        const int length = i - start;
        int entry = lookup(h, s + start, length);
        if (entry < 0) {
            entry = int(m_entries.size());
            m_entries.push_back(Entry{h, start, length, 0, 0});
            if (2 * m_entries.size() > m_slots.size())
                buildTable();
            else
                m_slots[freeSlot(h)] = entry + 1;
        }
        ++m_entries[std::size_t(entry)].count;
        starts.push_back(start);
        entryOfStart.push_back(entry);
    }
    int next = 0;
    for (Entry& entry : m_entries) {
        entry.begin = next;
        next += entry.count;
    }
    m_positions.resize(starts.size());
    std::vector<int> cursor(m_entries.size());
    for (std::size_t e = 0; e < m_entries.size(); ++e)
        cursor[e] = m_entries[e].begin;
    for (std::size_t k = 0; k < starts.size(); ++k)
        m_positions[std::size_t(cursor[std::size_t(entryOfStart[k])]++)] = starts[k];
}

std::size_t WordIndex::freeSlot(std::uint32_t h) const
{
    const std::size_t mask = m_slots.size() - 1;
    std::size_t k = h & mask;
    while (m_slots[k] != 0)
        k = (k + 1) & mask;
    return k;
}

void WordIndex::buildTable()
{
    m_slots.assign(std::bit_ceil(std::max<std::size_t>(1024, 4 * m_entries.size())), 0);
    for (std::size_t e = 0; e < m_entries.size(); ++e)
        m_slots[freeSlot(m_entries[e].hash)] = int(e) + 1;
}

int WordIndex::lookup(std::uint32_t h, const char16_t* name, int length) const
{
    if (m_slots.empty())
        return -1;
    const char16_t* s = codeUnits(m_text);
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t k = h & mask; m_slots[k] != 0; k = (k + 1) & mask) {
        const Entry& entry = m_entries[std::size_t(m_slots[k] - 1)];
        if (entry.hash == h && entry.length == length && sameFolded(s + entry.first, name, length))
            return m_slots[k] - 1;
    }
    return -1;
}

WordIndex WordIndex::withoutSpans(const QString& text, const QList<Span>& spans) const
{
    // A position inside a span goes; any other moves up by the lengths of the spans before it.
    std::vector<int> removedBefore(std::size_t(spans.size()) + 1, 0);
    for (qsizetype k = 0; k < spans.size(); ++k)
        removedBefore[std::size_t(k) + 1] = removedBefore[std::size_t(k)] + spans.at(k).length;
    WordIndex out;
    out.m_text = text;
    out.m_positions.reserve(m_positions.size());
    for (const Entry& entry : m_entries) {
        const int begin = int(out.m_positions.size());
        for (int p : positions(int(&entry - m_entries.data()))) {
            const auto after = std::upper_bound(spans.begin(), spans.end(), p,
                                                [](int q, const Span& s) { return q < s.start; });
            const std::size_t k = std::size_t(after - spans.begin());
            if (k > 0 && p < spans.at(qsizetype(k) - 1).end())
                continue;
            out.m_positions.push_back(p - removedBefore[k]);
        }
        const int count = int(out.m_positions.size()) - begin;
        if (count > 0)
            out.m_entries.push_back(
                Entry{entry.hash, out.m_positions[std::size_t(begin)], entry.length, begin, count});
    }
    out.buildTable();
    return out;
}

WordIndex WordIndex::afterPrefix(const QString& text, int prefixLength) const
{
    WordIndex out = *this;
    out.m_text = text;
    for (Entry& entry : out.m_entries)
        entry.first += prefixLength;
    for (int& p : out.m_positions)
        p += prefixLength;
    return out;
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
    return lookup(hashOf(name), reinterpret_cast<const char16_t*>(name.utf16()), int(name.size()));
}

std::span<const int> WordIndex::positions(int entry) const
{
    if (entry < 0 || entry >= entryCount())
        return {};
    const Entry& e = m_entries[std::size_t(entry)];
    return std::span<const int>(m_positions.data() + e.begin, std::size_t(e.count));
}

QStringView WordIndex::spelling(int entry) const
{
    if (entry < 0 || entry >= entryCount())
        return {};
    const Entry& e = m_entries[std::size_t(entry)];
    return QStringView(m_text).mid(e.first, e.length);
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
