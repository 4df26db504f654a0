#pragma once
// Questions about a syntax tree: walks with the parent chain, assignments, calls, loops,
// and where a statement boundary lies.

#include "syntax/Nodes.h"

#include <functional>
#include <span>
#include <vector>

namespace Syntax {

class SyntaxTree;

/// The nodes above a visited node: from the top-level statement down to its parent.
using ParentChain = std::span<const Node* const>;
/// Called for each node of a walk, parents first; return false to skip the nodes below it.
using NodeVisitor = std::function<bool(const Node& node, ParentChain parents)>;

/// Visits root and every node below it in source order.
void Walk(const Node& root, const NodeVisitor& visit);
/// Visits every node of the tree, top-level statement by statement.
void Walk(const SyntaxTree& tree, const NodeVisitor& visit);

/// The variable that an assignment, `++` or `--` writes: the identifier at the base of its
/// target (x for x, x[i] and x[i][j]); null for any other node and for a property target.
const Identifier* AssignedVariable(const Node& node);
/// True when node or a node below it assigns the variable name: a plain, element or compound
/// assignment, `++`/`--`, or a declaration with a value. Function definitions inside are not
/// looked into (a definition runs nothing); node itself being one gives false.
bool AssignsVariable(const Node& node, const Name* name);
/// True when node or a node below it calls the function name (`name(...)`, not a method),
/// with the same exception for function definitions.
bool CallsFunction(const Node& node, const Name* name);

/// Every for, while and do statement, wherever it stands, in source order.
std::vector<const Statement*> Loops(const SyntaxTree& tree);
/// The nodes that text inserted at offset would split (begin < offset < end), outermost
/// first; empty when offset lies between top-level statements.
std::vector<const Node*> NodesAround(const SyntaxTree& tree, int offset);
/// The nodes above node, from its top-level statement down to its parent; empty for a
/// top-level statement or a node not in the tree.
std::vector<const Node*> ParentsOf(const SyntaxTree& tree, const Node& node);
/// True when a statement inserted at offset would stand between two statements (at the top
/// level, in a block, after a case label or after a case's statements) and split no statement.
/// Comments and strings are a separate question (SyntaxTree::isInsideCommentOrString).
bool IsStatementBoundary(const SyntaxTree& tree, int offset);

} // namespace Syntax
