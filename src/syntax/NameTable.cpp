#include "syntax/NameTable.h"

#include "syntax/Arena.h"

#include <algorithm>
#include <bit>

#include <QChar>

namespace Syntax {

namespace {

// True when word folds to folded.
bool foldsTo(QStringView word, QStringView folded)
{
    if (word.size() != folded.size())
        return false;
    const char16_t* a = word.utf16();
    const char16_t* b = folded.utf16();
    for (qsizetype i = 0; i < word.size(); ++i) {
        if (NameTable::fold(a[i]) != b[i])
            return false;
    }
    return true;
}

// The names a text of textSize characters may well have: one in 64 characters. A text with
// more grows the table.
std::size_t expectedNames(qsizetype textSize)
{
    return std::size_t(textSize / 64);
}

std::size_t initialSlots(qsizetype textSize)
{
    return std::max<std::size_t>(1024, std::bit_ceil(expectedNames(textSize) * 2));
}

} // namespace

NameTable::NameTable(const char16_t* text, qsizetype textSize)
    : m_text(text)
    // The table and the names with their folded spelling, about 48 bytes a name.
    , m_arena(std::make_unique<Arena>(initialSlots(textSize) * sizeof(Slot) +
                                      expectedNames(textSize) * 48))
{
    makeSlots(initialSlots(textSize));
    m_names.reserve(std::max<std::size_t>(512, expectedNames(textSize)));
}

NameTable::~NameTable() = default;

const NameTable::Slot NameTable::Prefetcher::None{};

char16_t NameTable::foldUnicode(char16_t c)
{
    return QChar(c).toCaseFolded().unicode();
}

std::uint32_t NameTable::hash(QStringView word)
{
    NameHash h;
    for (QChar c : word)
        h.add(fold(c.unicode()));
    return h.finish();
}

[[gnu::always_inline]] inline std::uint32_t NameTable::probe(QStringView word,
                                                             std::uint32_t hash) const
{
    const std::uint32_t mask = m_slotMask;
    std::uint32_t i = hash & mask;
    while (const Name* name = m_slots[i].name) {
        if (m_slots[i].hash == hash && m_slots[i].length == std::uint32_t(word.size()) &&
            foldsTo(word, name->folded))
            return i;
        i = (i + 1) & mask;
    }
    return i;
}

const Name* NameTable::internAgain(QStringView word, std::uint32_t hash)
{
    const Name* name = lookUp(word, hash);
    m_recent[hash % m_recent.size()] = {hash, std::uint32_t(word.size()), word.utf16(), name};
    return name;
}

const Name* NameTable::lookUp(QStringView word, std::uint32_t hash)
{
    std::uint32_t slot = probe(word, hash);
    if (const Name* found = m_slots[slot].name)
        return found;
    if ((m_names.size() + 1) * 2 > std::size_t(m_slotMask) + 1) {
        grow();
        slot = probe(word, hash);
    }
    // The name and its folded spelling right after it.
    auto* name = new (m_arena->allocate(sizeof(Name) + sizeof(char16_t) * std::size_t(word.size()),
                                        alignof(Name))) Name;
    auto* chars = reinterpret_cast<char16_t*>(name + 1);
    const char16_t* units = word.utf16();
    qsizetype i = 0;
    // Four ASCII units folded in one step: most names are ASCII, and a new name is folded whole.
    constexpr std::uint64_t NonAscii = 0xFF80FF80FF80FF80ull;
    for (std::uint64_t block; i + 4 <= word.size(); i += 4) {
        std::memcpy(&block, units + i, sizeof block);
        if (block & NonAscii)
            break;
        block = NameHash::foldAsciiBlock(block);
        std::memcpy(chars + i, &block, sizeof block);
    }
    for (; i < word.size(); ++i)
        chars[i] = fold(units[i]);
    name->id = int(m_names.size());
    name->hash = hash;
    name->folded = QStringView(chars, word.size());
    name->text = m_text;
    m_slots[slot] = {hash, std::uint32_t(word.size()), name};
    m_names.push_back(name);
    return name;
}

const Name* NameTable::find(QStringView word) const
{
    return m_slots[probe(word, hash(word))].name;
}

void NameTable::makeSlots(std::size_t count)
{
    m_slots = m_arena->allocateArray<Slot>(count);
    std::fill_n(m_slots, count, Slot{});
    m_slotMask = std::uint32_t(count - 1);
}

void NameTable::grow()
{
    const Slot* old = m_slots;
    const std::size_t oldCount = std::size_t(m_slotMask) + 1;
    makeSlots(oldCount * 2);
    for (const Slot* slot = old; slot != old + oldCount; ++slot) {
        if (!slot->name)
            continue;
        std::uint32_t i = slot->hash & m_slotMask;
        while (m_slots[i].name)
            i = (i + 1) & m_slotMask;
        m_slots[i] = *slot;
    }
}

} // namespace Syntax
