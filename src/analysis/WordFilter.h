#pragma once
// Which words a text may hold: a bit set of word hashes (a Bloom filter with two bits a word).
// "No" is certain, "maybe" is checked by a search.

#include <algorithm>
#include <bit>
#include <cstdint>
#include <vector>

#include <QStringView>

namespace Lex {

/// FNV-1a over code units, fed one unit at a time while a word is read.
constexpr std::uint32_t WordHashSeed = 2166136261u;
inline std::uint32_t WordHashStep(std::uint32_t h, char16_t c)
{
    return (h ^ c) * 16777619u;
}

/// The hash of a case-folded word, as a pass over a text computes it.
inline std::uint32_t WordHash(QStringView folded)
{
    std::uint32_t h = WordHashSeed;
    for (QChar c : folded)
        h = WordHashStep(h, c.unicode());
    return h;
}

class WordFilter
{
public:
    /// A filter sized for a text of textLength code units (a word every few units at most).
    explicit WordFilter(qsizetype textLength = 0)
    {
        const std::uint64_t wanted = std::uint64_t(textLength) / 2;
        const std::uint64_t bits = std::bit_ceil(std::clamp<std::uint64_t>(wanted, 1024, 1u << 26));
        m_bits.assign(std::size_t(bits / 64), 0);
        m_mask = std::uint32_t(bits - 1);
    }

    void add(std::uint32_t h)
    {
        const std::uint32_t a = h & m_mask;
        const std::uint32_t b = second(h) & m_mask;
        m_bits[a >> 6] |= std::uint64_t(1) << (a & 63);
        m_bits[b >> 6] |= std::uint64_t(1) << (b & 63);
    }

    /// False when no word of this hash was added.
    bool mayHold(std::uint32_t h) const
    {
        const std::uint32_t a = h & m_mask;
        const std::uint32_t b = second(h) & m_mask;
        return (m_bits[a >> 6] >> (a & 63) & 1) && (m_bits[b >> 6] >> (b & 63) & 1);
    }

private:
    // A second index from the same hash: its bits mixed and turned.
    static std::uint32_t second(std::uint32_t h) { return std::rotl(h * 0x9E3779B1u, 16); }

    std::vector<std::uint64_t> m_bits;
    std::uint32_t m_mask = 0;
};

} // namespace Lex
