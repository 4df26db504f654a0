// The AFL front end on any text: ranges inside the text and properly nested, heights within
// the limit, at most 20 diagnostics where the line map puts them, the same result twice.

#include "FuzzTargets.h"
#include "syntax/LineMap.h"
#include "syntax/NameTable.h"
#include "syntax/Parser.h"
#include "syntax/SyntaxTree.h"
#include "syntax/TreeDump.h"
#include "syntax/TreeQueries.h"

#include <algorithm>

namespace Fuzz {

namespace {

// The input as text: after a first byte 1 the rest as Latin-1, after a 2 as UTF-16 code
// units (lone surrogates too), otherwise all of it as UTF-8.
QString textOf(const std::uint8_t* data, std::size_t size)
{
    const char* bytes = reinterpret_cast<const char*>(data);
    if (size > 0 && data[0] == 1)
        return QString::fromLatin1(bytes + 1, qsizetype(size - 1));
    if (size > 0 && data[0] == 2) {
        QString text;
        for (std::size_t i = 1; i + 1 < size; i += 2)
            text += QChar(char16_t(data[i] | (data[i + 1] << 8)));
        return text;
    }
    return QString::fromUtf8(bytes, qsizetype(size));
}

QString diagnosticsOf(const Syntax::SyntaxTree& tree)
{
    QString out;
    for (const Syntax::Diagnostic& d : tree.diagnostics())
        out +=
            QStringLiteral("%1:%2:%3 %4\n").arg(d.offset).arg(d.line).arg(d.column).arg(d.message);
    return out;
}

void checkRanges(const std::vector<Syntax::SourceRange>& ranges, int size)
{
    int previousEnd = 0;
    for (const Syntax::SourceRange& r : ranges) {
        FUZZ_CHECK(previousEnd <= r.begin && r.begin < r.end && r.end <= size);
        previousEnd = r.end;
    }
}

// Every node: inside its parent, after its previous sibling, as high as its children say.
int checkNode(const Syntax::Node& node, const Syntax::SyntaxTree& tree)
{
    using namespace Syntax;
    const int size = int(tree.text().size());
    FUZZ_CHECK(0 <= node.range.begin && node.range.begin <= node.range.end &&
               node.range.end <= size);
    int previousEnd = node.range.begin;
    int height = 0;
    ForEachChild(node, [&](const Node& child) {
        FUZZ_CHECK(node.range.contains(child.range));
        FUZZ_CHECK(previousEnd <= child.range.begin);
        previousEnd = child.range.end;
        height = std::max(height, checkNode(child, tree));
    });
    FUZZ_CHECK(node.height == height + 1 && node.height <= MaxDepth);
    if (const auto* identifier = NodeCast<Identifier>(&node)) {
        FUZZ_CHECK(identifier->spelling() == tree.textOf(node.range) && !node.range.isEmpty());
        FUZZ_CHECK(tree.name(identifier->spelling()) == identifier->name);
        FUZZ_CHECK(identifier->folded().size() == identifier->spelling().size());
        for (qsizetype i = 0; i < identifier->folded().size(); ++i)
            FUZZ_CHECK(identifier->folded()[i].unicode() ==
                       NameTable::fold(identifier->spelling()[i].unicode()));
    }
    if (const auto* number = NodeCast<NumberLiteral>(&node))
        FUZZ_CHECK(number->value >= 0);
    if (const auto* string = NodeCast<StringLiteral>(&node))
        FUZZ_CHECK(string->value.size() <= node.range.length());
    return height + 1;
}

} // namespace

int Parse(const std::uint8_t* data, std::size_t size)
{
    using namespace Syntax;
    const QString text = textOf(data, size);
    const SyntaxTree tree = SyntaxTree::parse(text);
    const int length = int(text.size());

    // Diagnostics: at most 20, by offset, where the line map puts them.
    const LineMap lines(text);
    FUZZ_CHECK(tree.diagnostics().size() <= MaxDiagnostics);
    int previous = 0;
    for (const Diagnostic& d : tree.diagnostics()) {
        FUZZ_CHECK(previous <= d.offset && d.offset <= length && !d.message.isEmpty());
        FUZZ_CHECK(lines.position(d.offset) == (TextPosition{d.line, d.column}));
        previous = d.offset;
    }
    FUZZ_CHECK(tree.lines().lineCount() == lines.lineCount());

    // Nodes, statements, comments and strings inside the text, in order, not overlapping.
    int previousEnd = 0;
    for (const Statement* statement : tree.statements()) {
        FUZZ_CHECK(previousEnd <= statement->range.begin);
        previousEnd = statement->range.end;
        checkNode(*statement, tree);
    }
    checkRanges(std::vector<SourceRange>(tree.comments().begin(), tree.comments().end()), length);
    checkRanges(std::vector<SourceRange>(tree.strings().begin(), tree.strings().end()), length);
    for (const SourceRange& c : tree.comments())
        FUZZ_CHECK(text.at(c.begin) == u'/' && tree.characterKind(c.begin) == TextKind::Comment);
    for (const SourceRange& s : tree.strings())
        FUZZ_CHECK(text.at(s.begin) == u'"' && tree.characterKind(s.begin) == TextKind::String);

    // The same result twice.
    const SyntaxTree again = SyntaxTree::parse(text);
    const QString dump = Dump(tree);
    FUZZ_CHECK(Dump(again) == dump && diagnosticsOf(again) == diagnosticsOf(tree));

    // The queries hold together: the nodes around an offset each contain it and lie inside
    // the one before.
    const int offset = length ? int(size % std::size_t(length + 1)) : 0;
    const std::vector<const Node*> around = NodesAround(tree, offset);
    for (std::size_t i = 0; i < around.size(); ++i) {
        FUZZ_CHECK(around[i]->range.begin < offset && offset < around[i]->range.end);
        if (i > 0)
            FUZZ_CHECK(around[i - 1]->range.contains(around[i]->range));
    }
    if (!around.empty()) {
        const std::vector<const Node*> parents = ParentsOf(tree, *around.back());
        FUZZ_CHECK(parents.size() <= around.size());
    }
    IsStatementBoundary(tree, offset);

    // A clean script cut after a top-level statement is a clean script of those statements.
    if (!tree.hasErrors() && !tree.statements().empty()) {
        const std::size_t k = size % tree.statements().size();
        const QString prefix = text.left(tree.statements()[k]->range.end);
        const SyntaxTree cut = SyntaxTree::parse(prefix);
        FUZZ_CHECK(!cut.hasErrors() && cut.statements().size() == k + 1);
    }
    return 0;
}

} // namespace Fuzz
