#pragma once
// What a SyntaxTree owns: the text, the node arena, names, ranges and diagnostics.

#include "syntax/Arena.h"
#include "syntax/Diagnostic.h"
#include "syntax/LineMap.h"
#include "syntax/NameTable.h"
#include "syntax/Nodes.h"

#include <span>
#include <vector>

#include <QList>
#include <QString>

namespace Syntax {

/// The storage behind a SyntaxTree, filled by the Parser; it does not move once made, so
/// nodes may point into it.
struct TreeData
{
    explicit TreeData(const QString& source)
        : text(source)
        , arena(std::size_t(source.size()) * 6 + 4096)
        // utf16() also puts the null after the text that the lexer stops at (a QString made
        // by fromRawData has none); it is called before anything keeps a pointer into text.
        , names(reinterpret_cast<const char16_t*>(text.utf16()), text.size())
    {}

    QString text;
    Arena arena;
    NameTable names;
    std::span<const Statement* const> statements;
    std::vector<SourceRange> comments;
    std::vector<SourceRange> strings;
    QList<Diagnostic> diagnostics;
    std::vector<const FunctionDefinition*> functions;
    LineMap lines;
};

} // namespace Syntax
