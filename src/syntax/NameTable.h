#pragma once
// The interned names of one tree: case-folded identifiers in a hash table, stored in an arena.

#include "syntax/Name.h"

#include <array>
#include <cstdint>
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

/// Folds identifiers and interns them. The folded text and the Name records live in an arena
/// of the table's own, close together, so that looking a name up touches little memory.
class NameTable
{
public:
    /// text: the start of the text the names come from (Name::text).
    explicit NameTable(const char16_t* text);
    ~NameTable();

    /// The Name of word in any letter case, made on first use; hash is hash(word).
    const Name* intern(QStringView word, std::uint32_t hash);
    const Name* intern(QStringView word) { return intern(word, hash(word)); }
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
    /// One step of the name hash (FNV-1a over the folded characters); start from HashSeed.
    static std::uint32_t hashStep(std::uint32_t hash, char16_t folded)
    {
        return (hash ^ folded) * 16777619u;
    }
    static constexpr std::uint32_t HashSeed = 2166136261u;
    /// The hash of word's folded spelling.
    static std::uint32_t hash(QStringView word);

private:
    static char16_t foldUnicode(char16_t c);

    // A slot keeps the hash and length beside the name, so that a probe reads no name it
    // does not want.
    struct Slot
    {
        std::uint32_t hash = 0;
        std::uint32_t length = 0;
        const Name* name = nullptr;
    };
    struct Recent
    {
        Slot slot;
        /// The spelling met last, in the text it came from.
        const char16_t* spelling = nullptr;
    };

    std::uint32_t probe(QStringView word, std::uint32_t hash) const;
    const Name* lookUp(QStringView word, std::uint32_t hash);
    void grow();

    const char16_t* m_text;
    std::unique_ptr<Arena> m_arena;
    std::vector<Slot> m_slots;
    // The names met last, by hash: most identifiers repeat a name used a few lines before,
    // and these stay in the cache where the table does not.
    std::array<Recent, 256> m_recent{};
    std::vector<const Name*> m_names;
};

} // namespace Syntax
