#pragma once
// The inside of a Program, as the interpreter reads it (not part of the layer's interface).

#include "simulation/Program.h"
#include "syntax/SyntaxTree.h"

#include <memory>
#include <unordered_map>
#include <vector>

#include <QHash>
#include <QString>

namespace Sim {

/// One parsed text: the script or an included file.
struct Unit
{
    /// Empty for the script; the included file as its first directive names it.
    QString file;
    Syntax::SyntaxTree tree;
    /// The program-wide number of the tree's name 0 (ProgramData::canonical).
    int nameBase = 0;
    /// The height of the tallest top-level statement.
    int height = 1;
};

/// A user function: where it is defined and the local slot of each of its local names.
struct FunctionInfo
{
    const Syntax::FunctionDefinition* node = nullptr;
    const Unit* unit = nullptr;
    /// The canonical number of its name.
    int name = 0;
    /// Canonical name → slot; parameters take slots 0 to parameters − 1 in order.
    QHash<int, int> slots;
    int slotCount = 0;
    /// The slot of each parameter, in order.
    std::vector<int> parameterSlots;

    int slot(int canonicalName) const { return slots.value(canonicalName, -1); }
};

struct ProgramData
{
    /// units[0] is the script.
    std::vector<std::unique_ptr<Unit>> units;
    /// The unit an #include or #include_once runs; absent: it runs nothing.
    std::unordered_map<const Syntax::Directive*, const Unit*> includes;
    std::unordered_map<const Syntax::FunctionDefinition*, FunctionInfo> functions;
    /// Program name number (Unit::nameBase + Name::id) → canonical number: names that fold to
    /// the same text share it, whatever file they come from.
    std::vector<int> canonicalOf;
    /// Canonical number → the folded name, the key of the environment's variables.
    std::vector<QString> keys;
    /// Canonical number → whether some function of the program has that name.
    std::vector<bool> isFunctionName;
    QList<ScriptDiagnostic> diagnostics;

    int canonical(const Unit& unit, const Syntax::Identifier& identifier) const
    {
        return canonicalOf[std::size_t(unit.nameBase + identifier.name->id)];
    }
};

} // namespace Sim
