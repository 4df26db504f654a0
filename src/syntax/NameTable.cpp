#include "syntax/NameTable.h"

#include "syntax/Arena.h"

#include <cstring>

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

// True when the n characters at a and b are the same (compared four at a time).
bool sameChars(const char16_t* a, const char16_t* b, std::uint32_t n)
{
    for (; n >= 4; n -= 4, a += 4, b += 4) {
        std::uint64_t x, y;
        std::memcpy(&x, a, sizeof x);
        std::memcpy(&y, b, sizeof y);
        if (x != y)
            return false;
    }
    for (; n > 0; --n)
        if (*a++ != *b++)
            return false;
    return true;
}

} // namespace

NameTable::NameTable(const char16_t* text)
    : m_text(text)
    , m_arena(std::make_unique<Arena>(16384))
    , m_slots(1024)
{
    m_names.reserve(512);
}

NameTable::~NameTable() = default;

char16_t NameTable::foldUnicode(char16_t c)
{
    return QChar(c).toCaseFolded().unicode();
}

std::uint32_t NameTable::hash(QStringView word)
{
    std::uint32_t h = HashSeed;
    for (QChar c : word)
        h = hashStep(h, fold(c.unicode()));
    return h;
}

std::uint32_t NameTable::probe(QStringView word, std::uint32_t hash) const
{
    const std::uint32_t mask = std::uint32_t(m_slots.size() - 1);
    std::uint32_t i = hash & mask;
    while (const Name* name = m_slots[i].name) {
        if (m_slots[i].hash == hash && m_slots[i].length == std::uint32_t(word.size()) &&
            foldsTo(word, name->folded))
            return i;
        i = (i + 1) & mask;
    }
    return i;
}

const Name* NameTable::intern(QStringView word, std::uint32_t hash)
{
    Recent& recent = m_recent[hash % m_recent.size()];
    const std::uint32_t length = std::uint32_t(word.size());
    if (recent.slot.name && recent.slot.hash == hash && recent.slot.length == length &&
        (sameChars(word.utf16(), recent.spelling, length) ||
         foldsTo(word, recent.slot.name->folded)))
        return recent.slot.name;
    const Name* name = lookUp(word, hash);
    recent = {{hash, length, name}, word.utf16()};
    return name;
}

const Name* NameTable::lookUp(QStringView word, std::uint32_t hash)
{
    std::uint32_t slot = probe(word, hash);
    if (const Name* found = m_slots[slot].name)
        return found;
    if ((m_names.size() + 1) * 2 > m_slots.size()) {
        grow();
        slot = probe(word, hash);
    }
    auto* name = new (m_arena->allocate(sizeof(Name), alignof(Name))) Name;
    char16_t* chars = m_arena->allocateArray<char16_t>(std::size_t(word.size()));
    for (qsizetype i = 0; i < word.size(); ++i)
        chars[i] = fold(word.utf16()[i]);
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

void NameTable::grow()
{
    std::vector<Slot> old(m_slots.size() * 2);
    old.swap(m_slots);
    const std::uint32_t mask = std::uint32_t(m_slots.size() - 1);
    for (const Slot& slot : old) {
        if (!slot.name)
            continue;
        std::uint32_t i = slot.hash & mask;
        while (m_slots[i].name)
            i = (i + 1) & mask;
        m_slots[i] = slot;
    }
}

} // namespace Syntax
