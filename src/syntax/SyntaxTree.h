#pragma once
// A parsed AFL script: its statements, diagnostics, comment and string ranges and names.

#include "syntax/Diagnostic.h"
#include "syntax/LineMap.h"
#include "syntax/Name.h"
#include "syntax/Nodes.h"
#include "syntax/SourceRange.h"

#include <memory>
#include <span>

#include <QList>
#include <QString>
#include <QStringView>

namespace Syntax {

struct TreeData;

/// What the character at an offset belongs to.
enum class TextKind
{
    Code,
    Comment,
    String,
};

/// The syntax tree of one text. It keeps the text (shared, not copied) and owns every node;
/// nodes, names and string values stay valid as long as the tree lives, also when the tree
/// is moved. Parsing never fails: a text with errors gives a tree of what could be read and
/// up to MaxDiagnostics diagnostics. The tree is immutable and may be read from any thread.
class SyntaxTree
{
public:
    /// Parses text, in time linear in its length.
    static SyntaxTree parse(const QString& text);

    SyntaxTree(SyntaxTree&&) noexcept;
    SyntaxTree& operator=(SyntaxTree&&) noexcept;
    ~SyntaxTree();

    const QString& text() const;
    /// The characters of range.
    QStringView textOf(SourceRange range) const;

    /// The top-level statements in source order.
    std::span<const Statement* const> statements() const;
    /// The syntax errors by offset, at most MaxDiagnostics.
    const QList<Diagnostic>& diagnostics() const;
    bool hasErrors() const { return !diagnostics().isEmpty(); }

    /// Every comment (`//` up to the line break, `/* */` with its delimiters), by offset.
    std::span<const SourceRange> comments() const;
    /// Every string literal with its quotes, and the quoted path of each #include, by offset.
    std::span<const SourceRange> strings() const;
    /// What the character at offset belongs to, in O(log n).
    TextKind characterKind(int offset) const;
    /// True when text inserted at offset would land inside a comment or a string: after its
    /// first character and before its last (a line comment also up to its line break).
    bool isInsideCommentOrString(int offset) const;

    /// Lines of the text, for positions of offsets.
    const LineMap& lines() const;
    TextPosition position(int offset) const { return lines().position(offset); }

    /// The interned name of word in any letter case, or null when the script never uses it as
    /// an identifier; compare it with Identifier::name.
    const Name* name(QStringView word) const;
    /// Number of distinct names; Name::id runs from 0 below it.
    int nameCount() const;

    /// Every function and procedure definition, wherever it stands, in source order.
    std::span<const FunctionDefinition* const> functions() const;

private:
    explicit SyntaxTree(std::unique_ptr<TreeData> data);

    std::unique_ptr<TreeData> d;
};

} // namespace Syntax
