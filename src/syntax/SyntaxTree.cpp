#include "syntax/SyntaxTree.h"

#include "syntax/Parser.h"
#include "syntax/TreeData.h"

#include <algorithm>

namespace Syntax {

namespace {

// The range of ranges (sorted, not overlapping) that holds offset, or null.
const SourceRange* rangeAt(const std::vector<SourceRange>& ranges, int offset)
{
    auto it = std::upper_bound(ranges.begin(), ranges.end(), offset,
                               [](int o, const SourceRange& r) { return o < r.begin; });
    if (it == ranges.begin())
        return nullptr;
    --it;
    return offset < it->end ? &*it : nullptr;
}

// The last range that begins before offset, or null.
const SourceRange* rangeBefore(const std::vector<SourceRange>& ranges, int offset)
{
    auto it = std::lower_bound(ranges.begin(), ranges.end(), offset,
                               [](const SourceRange& r, int o) { return r.begin < o; });
    if (it == ranges.begin())
        return nullptr;
    return &*(it - 1);
}

} // namespace

SyntaxTree::SyntaxTree(std::unique_ptr<TreeData> data)
    : d(std::move(data))
{}

SyntaxTree::SyntaxTree(SyntaxTree&&) noexcept = default;
SyntaxTree& SyntaxTree::operator=(SyntaxTree&&) noexcept = default;
SyntaxTree::~SyntaxTree() = default;

SyntaxTree SyntaxTree::parse(const QString& text)
{
    auto data = std::make_unique<TreeData>(text);
    Parser::parse(*data);
    return SyntaxTree(std::move(data));
}

const QString& SyntaxTree::text() const
{
    return d->text;
}

QStringView SyntaxTree::textOf(SourceRange range) const
{
    const int size = int(d->text.size());
    const int begin = std::clamp(range.begin, 0, size);
    const int end = std::clamp(range.end, begin, size);
    return QStringView(d->text).sliced(begin, end - begin);
}

std::span<const Statement* const> SyntaxTree::statements() const
{
    return d->statements;
}

const QList<Diagnostic>& SyntaxTree::diagnostics() const
{
    return d->diagnostics;
}

std::span<const SourceRange> SyntaxTree::comments() const
{
    return d->comments;
}

std::span<const SourceRange> SyntaxTree::strings() const
{
    return d->strings;
}

TextKind SyntaxTree::characterKind(int offset) const
{
    if (rangeAt(d->comments, offset))
        return TextKind::Comment;
    if (rangeAt(d->strings, offset))
        return TextKind::String;
    return TextKind::Code;
}

bool SyntaxTree::isInsideCommentOrString(int offset) const
{
    if (const SourceRange* c = rangeBefore(d->comments, offset)) {
        const bool lineComment = c->length() >= 2 && d->text.at(c->begin + 1) == u'/';
        if (offset < c->end || (lineComment && offset == c->end))
            return true;
    }
    if (const SourceRange* s = rangeBefore(d->strings, offset))
        return offset < s->end;
    return false;
}

const LineMap& SyntaxTree::lines() const
{
    return d->lines;
}

const Name* SyntaxTree::name(QStringView word) const
{
    return d->names.find(word);
}

int SyntaxTree::nameCount() const
{
    return d->names.size();
}

std::span<const FunctionDefinition* const> SyntaxTree::functions() const
{
    return d->functions;
}

} // namespace Syntax
