#pragma once
// Whole-word lookups in one pass: a table of case-folded words, hashed the way the pass reads
// the text, so that each identifier of the text costs one probe.

#include "analysis/ScriptView.h"
#include "analysis/WordFilter.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include <QString>

namespace Lex {

inline const char16_t* CodeUnits(const QString& s)
{
    return reinterpret_cast<const char16_t*>(s.constData());
}

/// Whether s is not empty and made of word characters only, so that it can match nothing
/// but a whole run of them.
inline bool AllWordChars(QStringView s)
{
    return !s.isEmpty() && std::all_of(s.begin(), s.end(), [](QChar c) { return IsWordChar(c); });
}

/// Calls fn(start, end, hash) for every maximal run of word characters of the view, the hash
/// taken over the case-folded run; fn must not change the text. The view keeps the words
/// seen as its word filter.
template <typename Fn> void ForEachWord(const ScriptView& view, Fn&& fn)
{
    const char16_t* text = CodeUnits(view.text());
    const char16_t* folded = CodeUnits(view.foldedText());
    const int n = view.length();
    WordFilter words(n);
    int i = 0;
    while (i < n) {
        if (!IsWordChar(text[i])) {
            ++i;
            continue;
        }
        const int start = i;
        std::uint32_t h = WordHashSeed;
        while (i < n && IsWordChar(text[i]))
            h = WordHashStep(h, folded[i++]);
        words.add(h);
        fn(start, i, h);
    }
    view.keepWordFilter(std::move(words));
}

/// Case-folded words and a value for each; open addressing, kept at most half full.
template <typename Value> class WordTable
{
public:
    bool isEmpty() const { return m_count == 0; }

    /// A later value for the same folded word replaces the earlier one.
    void insert(const QString& folded, const Value& value)
    {
        if (2 * (m_count + 1) > m_slots.size())
            grow();
        const std::uint32_t h = WordHash(folded);
        Slot& slot = m_slots[probe(h, CodeUnits(folded), folded.size())];
        if (!slot.value) {
            slot.hash = h;
            slot.key = folded;
            ++m_count;
        }
        slot.value = value;
    }

    /// The value of the folded word s[0, n) whose hash is h; null when absent.
    const Value* find(std::uint32_t h, const char16_t* s, qsizetype n) const
    {
        if (m_count == 0)
            return nullptr;
        const Slot& slot = m_slots[probe(h, s, n)];
        return slot.value ? &*slot.value : nullptr;
    }

private:
    struct Slot
    {
        std::uint32_t hash = 0;
        QString key;
        std::optional<Value> value;
    };

    // The slot holding s, or the empty slot where it would go.
    std::size_t probe(std::uint32_t h, const char16_t* s, qsizetype n) const
    {
        const std::size_t mask = m_slots.size() - 1;
        for (std::size_t i = h & mask;; i = (i + 1) & mask) {
            const Slot& slot = m_slots[i];
            if (!slot.value)
                return i;
            if (slot.hash == h && slot.key.size() == n && std::equal(s, s + n, CodeUnits(slot.key)))
                return i;
        }
    }

    void grow()
    {
        std::vector<Slot> old = std::move(m_slots);
        m_slots.assign(std::max<std::size_t>(16, 2 * old.size()), Slot());
        for (Slot& slot : old) {
            if (slot.value)
                m_slots[probe(slot.hash, CodeUnits(slot.key), slot.key.size())] = std::move(slot);
        }
    }

    std::vector<Slot> m_slots;
    std::size_t m_count = 0;
};

} // namespace Lex
