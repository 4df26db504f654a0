#include "syntax/TreeQueries.h"

#include "syntax/SyntaxTree.h"

namespace Syntax {

namespace {

bool walk(const Node& node, std::vector<const Node*>& parents, const NodeVisitor& visit)
{
    if (!visit(node, parents))
        return true;
    parents.push_back(&node);
    ForEachChild(node, [&](const Node& child) { walk(child, parents, visit); });
    parents.pop_back();
    return true;
}

// True when some node below root (outside nested function definitions) satisfies found.
template <class Predicate> bool anyBelow(const Node& root, Predicate found)
{
    if (root.kind == NodeKind::Function)
        return false;
    bool result = false;
    Walk(root, [&](const Node& node, ParentChain) {
        if (result || node.kind == NodeKind::Function)
            return false;
        if (found(node))
            result = true;
        return !result;
    });
    return result;
}

bool findPath(const Node& from, const Node& target, std::vector<const Node*>& path)
{
    bool found = false;
    ForEachChild(from, [&](const Node& child) {
        if (found)
            return;
        if (&child == &target) {
            found = true;
            return;
        }
        if (child.range.contains(target.range)) {
            path.push_back(&child);
            if (findPath(child, target, path))
                found = true;
            else
                path.pop_back();
        }
    });
    return found;
}

void nodesAround(const Node& node, int offset, std::vector<const Node*>& out)
{
    ForEachChild(node, [&](const Node& child) {
        if (child.range.begin < offset && offset < child.range.end) {
            out.push_back(&child);
            nodesAround(child, offset, out);
        }
    });
}

} // namespace

void Walk(const Node& root, const NodeVisitor& visit)
{
    std::vector<const Node*> parents;
    walk(root, parents, visit);
}

void Walk(const SyntaxTree& tree, const NodeVisitor& visit)
{
    std::vector<const Node*> parents;
    for (const Statement* statement : tree.statements())
        walk(*statement, parents, visit);
}

const Identifier* AssignedVariable(const Node& node)
{
    const Expression* target = nullptr;
    if (const auto* assignment = NodeCast<AssignmentExpression>(&node))
        target = assignment->target;
    else if (const auto* unary = NodeCast<UnaryExpression>(&node))
        target = (unary->op == Operator::PreIncrement || unary->op == Operator::PreDecrement ||
                  unary->isPostfix())
                     ? unary->operand
                     : nullptr;
    while (const auto* subscript = NodeCast<SubscriptExpression>(target))
        target = subscript->object;
    return NodeCast<Identifier>(target);
}

bool AssignsVariable(const Node& node, const Name* name)
{
    if (!name)
        return false;
    return anyBelow(node, [&](const Node& n) {
        if (const Identifier* variable = AssignedVariable(n))
            return variable->name == name;
        if (const auto* declaration = NodeCast<Declaration>(&n)) {
            for (const Declarator& d : declaration->declarators) {
                if (d.initializer && d.name->name == name)
                    return true;
            }
        }
        return false;
    });
}

bool CallsFunction(const Node& node, const Name* name)
{
    if (!name)
        return false;
    return anyBelow(node, [&](const Node& n) {
        const auto* call = NodeCast<CallExpression>(&n);
        return call && call->function() && call->function()->name == name;
    });
}

std::vector<const Statement*> Loops(const SyntaxTree& tree)
{
    std::vector<const Statement*> loops;
    Walk(tree, [&](const Node& node, ParentChain) {
        if (IsLoop(node.kind))
            loops.push_back(static_cast<const Statement*>(&node));
        return true;
    });
    return loops;
}

std::vector<const Node*> NodesAround(const SyntaxTree& tree, int offset)
{
    std::vector<const Node*> out;
    for (const Statement* statement : tree.statements()) {
        if (statement->range.begin < offset && offset < statement->range.end) {
            out.push_back(statement);
            nodesAround(*statement, offset, out);
            break;
        }
    }
    return out;
}

std::vector<const Node*> ParentsOf(const SyntaxTree& tree, const Node& node)
{
    std::vector<const Node*> path;
    for (const Statement* statement : tree.statements()) {
        if (statement == &node)
            return {};
        if (statement->range.contains(node.range)) {
            path.push_back(statement);
            if (findPath(*statement, node, path))
                return path;
            path.clear();
        }
    }
    return {};
}

bool IsStatementBoundary(const SyntaxTree& tree, int offset)
{
    const std::vector<const Node*> around = NodesAround(tree, offset);
    if (around.empty())
        return true;
    const Node* inner = around.back();
    if (inner->kind == NodeKind::Block)
        return true;
    if (const auto* c = NodeCast<SwitchCase>(inner))
        return offset >= c->labelRange.end;
    // In a switch between its cases or after the last one: the statement joins the case before.
    if (const auto* s = NodeCast<SwitchStatement>(inner)) {
        for (const SwitchCase* c : s->cases) {
            if (offset >= c->range.end)
                return true;
        }
    }
    return false;
}

} // namespace Syntax
