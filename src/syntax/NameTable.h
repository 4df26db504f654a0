#pragma once
// The interned names of one tree: case-folded identifiers in a hash table, stored in an arena.

#include "syntax/Name.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include <QStringView>

namespace Syntax {

class Arena;

namespace Detail {
constexpr std::array<std::uint8_t, 128> makeAsciiFold()
{
    std::array<std::uint8_t, 128> t{};
    for (int c = 0; c < 128; ++c)
        t[std::size_t(c)] = std::uint8_t(c >= 'A' && c <= 'Z' ? c | 0x20 : c);
    return t;
}
constexpr std::array<std::uint8_t, 128> AsciiFold = makeAsciiFold();
} // namespace Detail

/// The hash of a name: its case-folded spelling taken four UTF-16 units at a time, as one
/// 64-bit block each (the first unit in the low bits, the last block filled up with zeros),
/// so that the lexer can hash an ASCII name in blocks straight from the text.
class NameHash
{
public:
    constexpr void addBlock(std::uint64_t block)
    {
        m_hash = (m_hash ^ block) * 0x9E3779B97F4A7C15ull;
    }
    constexpr void add(char16_t folded)
    {
        m_block |= std::uint64_t(folded) << (16 * m_units);
        if (++m_units == 4) {
            addBlock(m_block);
            m_block = 0;
            m_units = 0;
        }
    }
    constexpr std::uint32_t finish()
    {
        if (m_units)
            addBlock(m_block);
        // Every bit of every block reaches the low bits, which index the tables.
        std::uint64_t h = m_hash ^ (m_hash >> 33);
        h *= 0xFF51AFD7ED558CCDull;
        return std::uint32_t(h ^ (h >> 33));
    }

    /// The block of four ASCII units with the letters lowered (also right for units that
    /// are not word characters).
    static constexpr std::uint64_t foldAsciiBlock(std::uint64_t units)
    {
        // In each unit below 0x80, bit 7 of unit + 0x3F is set from 'A' on, and bit 7 of
        // unit + 0x25 is clear up to 'Z'; no sum carries into the next unit.
        constexpr std::uint64_t Ones = 0x0001000100010001ull;
        const std::uint64_t upper = (units + 0x3F * Ones) & ~(units + 0x25 * Ones) & (0x80 * Ones);
        return units | (upper >> 2);
    }

private:
    std::uint64_t m_hash = 0x84222325CBF29CE4ull;
    std::uint64_t m_block = 0;
    int m_units = 0;
};

/// Folds identifiers and interns them. The folded text and the Name records live in an arena
/// of the table's own, close together, so that looking a name up touches little memory.
class NameTable
{
    struct Slot;

public:
    /// text: the start of the text the names come from (Name::text); textSize sizes the table
    /// for the names a text of that length may have.
    NameTable(const char16_t* text, qsizetype textSize);
    ~NameTable();

    /// The Name of word in any letter case, made on first use; hash is hash(word).
    const Name* intern(QStringView word, std::uint32_t hash)
    {
        const Recent& recent = m_recent[hash % m_recent.size()];
        if (recent.hash == hash && recent.length == std::uint32_t(word.size()) &&
            sameUnits(word.utf16(), recent.spelling, recent.length))
            return recent.name;
        return internAgain(word, hash);
    }
    const Name* intern(QStringView word) { return intern(word, hash(word)); }
    /// Brings the table's slot for a hash into the cache, so that interning the name a few
    /// tokens later does not wait for memory. Valid until the next name is interned; a
    /// default one fetches nothing useful.
    class Prefetcher
    {
    public:
        void operator()(std::uint32_t hash) const { __builtin_prefetch(&m_slots[hash & m_mask]); }

    private:
        friend class NameTable;
        static const Slot None;
        const Slot* m_slots = &None;
        std::uint32_t m_mask = 0;
    };
    Prefetcher prefetcher() const
    {
        Prefetcher p;
        p.m_slots = m_slots;
        p.m_mask = m_slotMask;
        return p;
    }
    /// The Name of word in any letter case, or null when the table does not hold it.
    const Name* find(QStringView word) const;
    /// Number of distinct names.
    int size() const { return int(m_names.size()); }
    /// Every name, by id.
    const std::vector<const Name*>& names() const { return m_names; }

    /// The case folding used for names: ASCII letters to lower case, other characters by
    /// Unicode case folding.
    static char16_t fold(char16_t c)
    {
        return c < 0x80 ? char16_t(Detail::AsciiFold[c]) : foldUnicode(c);
    }
    /// The hash of word's folded spelling (NameHash).
    static std::uint32_t hash(QStringView word);

private:
    static char16_t foldUnicode(char16_t c);
    /// True when the n units at a and b are the same, compared four at a time.
    static bool sameUnits(const char16_t* a, const char16_t* b, std::uint32_t n)
    {
        auto block = [](const char16_t* p) {
            std::uint64_t v;
            std::memcpy(&v, p, sizeof v);
            return v;
        };
        auto pair = [](const char16_t* p) {
            std::uint32_t v;
            std::memcpy(&v, p, sizeof v);
            return v;
        };
        if (n >= 4) {
            // Whole blocks, the last one overlapping the one before when n is not a multiple.
            for (std::uint32_t i = 0; i + 4 < n; i += 4) {
                if (block(a + i) != block(b + i))
                    return false;
            }
            return block(a + n - 4) == block(b + n - 4);
        }
        if (n >= 2)
            return pair(a) == pair(b) && pair(a + n - 2) == pair(b + n - 2);
        return n == 0 || *a == *b;
    }

    // A slot keeps the hash and length beside the name, so that a probe reads no name it
    // does not want.
    struct Slot
    {
        std::uint32_t hash = 0;
        std::uint32_t length = 0;
        const Name* name = nullptr;
    };
    // 32 bytes, so that an entry is found with a shift.
    struct alignas(32) Recent
    {
        std::uint32_t hash = 0;
        std::uint32_t length = 0;
        /// The spelling met last, in the text it came from.
        const char16_t* spelling = nullptr;
        const Name* name = nullptr;
    };

    const Name* internAgain(QStringView word, std::uint32_t hash);
    std::uint32_t probe(QStringView word, std::uint32_t hash) const;
    const Name* lookUp(QStringView word, std::uint32_t hash);
    /// A new empty table of count slots (the old one stays in the arena, unused).
    void makeSlots(std::size_t count);
    void grow();

    const char16_t* m_text;
    std::unique_ptr<Arena> m_arena;
    // The table, in the arena: a power of two slots, at most half of them used.
    Slot* m_slots = nullptr;
    std::uint32_t m_slotMask = 0;
    // The names met last, by hash: most identifiers repeat a name used a few lines before,
    // and these stay in the cache where the table does not.
    std::array<Recent, 256> m_recent{};
    std::vector<const Name*> m_names;
};

} // namespace Syntax
