#pragma once
// An identifier as the language sees it: case-folded, interned once per tree.

#include <cstdint>

#include <QStringView>

namespace Syntax {

/// One distinct identifier of a tree. Every occurrence of a word in any letter case points to
/// the same Name, so names compare by pointer or by id.
struct Name
{
    /// Dense number of the name in its tree, from 0 in order of first occurrence.
    int id = 0;
    std::uint32_t hash = 0;
    /// The case-folded spelling ("buy" for Buy, BUY and buy).
    QStringView folded;
    /// The first character of the tree's text (where identifiers read their spelling).
    const char16_t* text = nullptr;
};

} // namespace Syntax
