#include "generator/InsertionCheck.h"

#include "analysis/Characters.h"
#include "syntax/SyntaxTree.h"
#include "syntax/TreeQueries.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace Afl {

namespace {

using namespace Syntax;
using NameSet = std::unordered_set<const Name*>;

struct Signals
{
    const Name* buy = nullptr;
    const Name* sell = nullptr;
    /// User functions that assign Buy or Sell, or call one that does.
    NameSet functions;
};

NameSet signalFunctions(const SyntaxTree& tree, const Name* buy, const Name* sell)
{
    NameSet found;
    std::unordered_map<const Name*, std::vector<const Name*>> callers;
    std::vector<const Name*> work;
    for (const FunctionDefinition* f : tree.functions()) {
        if (!f->name || !f->body)
            continue;
        const Name* name = f->name->name;
        if ((AssignsVariable(*f->body, buy) || AssignsVariable(*f->body, sell)) &&
            found.insert(name).second)
            work.push_back(name);
        Walk(*f->body, [&](const Node& node, ParentChain) {
            if (node.kind == NodeKind::Function)
                return false;
            const auto* call = NodeCast<CallExpression>(&node);
            if (call && call->function())
                callers[call->function()->name].push_back(name);
            return true;
        });
    }
    while (!work.empty()) {
        const auto it = callers.find(work.back());
        work.pop_back();
        if (it == callers.end())
            continue;
        for (const Name* caller : it->second) {
            if (found.insert(caller).second)
                work.push_back(caller);
        }
    }
    return found;
}

bool computesSignal(const Statement& statement, const Signals& s)
{
    if (statement.kind == NodeKind::Function)
        return false;
    if (AssignsVariable(statement, s.buy) || AssignsVariable(statement, s.sell))
        return true;
    if (s.functions.empty())
        return false;
    bool found = false;
    Walk(statement, [&](const Node& node, ParentChain) {
        if (found || node.kind == NodeKind::Function)
            return false;
        const auto* call = NodeCast<CallExpression>(&node);
        found = call && call->function() && s.functions.contains(call->function()->name);
        return !found;
    });
    return found;
}

InsertionFault faultAt(const SyntaxTree& tree, int point, int signalsEnd)
{
    // At the very end a line comment is closed by the line break the sections begin with.
    if (point < tree.text().size() && tree.isInsideCommentOrString(point))
        return InsertionFault::InCommentOrString;
    for (const Node* node : NodesAround(tree, point)) {
        if (IsLoop(node->kind))
            return InsertionFault::InLoop;
    }
    if (!IsStatementBoundary(tree, point))
        return InsertionFault::SplitsStatement;
    if (point < signalsEnd)
        return InsertionFault::BeforeSignals;
    return InsertionFault::None;
}

// The first offset from p on that is not blank, ";" or in a comment as the parser reads it.
int skipBlanksAndComments(const SyntaxTree& tree, int p)
{
    const QString& text = tree.text();
    const auto comments = tree.comments();
    const int n = int(text.size());
    while (p < n) {
        if (Lex::IsWhitespace(text.at(p)) || text.at(p) == u';') {
            ++p;
            continue;
        }
        const auto next = std::upper_bound(comments.begin(), comments.end(), p,
                                           [](int at, SourceRange c) { return at < c.begin; });
        if (next == comments.begin() || !std::prev(next)->contains(p))
            break;
        p = std::prev(next)->end;
    }
    return p;
}

} // namespace

InsertionCheck CheckInsertionPoint(const SyntaxTree& tree, int point)
{
    InsertionCheck check;
    check.point = point;
    if (tree.hasErrors()) {
        check.outcome = InsertionCheck::Outcome::SyntaxErrors;
        return check;
    }
    Signals s;
    s.buy = tree.name(u"buy");
    s.sell = tree.name(u"sell");
    s.functions = signalFunctions(tree, s.buy, s.sell);
    const Statement* last = nullptr;
    const auto statements = tree.statements();
    for (auto it = statements.rbegin(); it != statements.rend() && !last; ++it) {
        if (computesSignal(**it, s))
            last = *it;
    }
    const int signalsEnd = last ? last->range.end : 0;
    check.fault = faultAt(tree, point, signalsEnd);
    if (check.fault == InsertionFault::None)
        return check;
    if (!last) {
        check.outcome = InsertionCheck::Outcome::NoSignals;
        return check;
    }
    check.outcome = InsertionCheck::Outcome::Moved;
    check.after = signalsEnd;
    check.point = skipBlanksAndComments(tree, signalsEnd);
    if (faultAt(tree, check.point, signalsEnd) != InsertionFault::None)
        check.point = signalsEnd;
    return check;
}

} // namespace Afl
