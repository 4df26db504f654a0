#pragma once
// The syntax tree written as S-expressions, for tests and debugging.

#include <QString>

namespace Syntax {

struct Node;
class SyntaxTree;

/// node as an S-expression: `(= Buy (and (call Cross fast slow) trend))`. Operators are
/// written as in AFL (`and`, `or` and `not` in lower case, `post++` for i++), missing parts
/// as `_`, strings with their decoded value escaped again.
QString Dump(const Node& node);
/// Every top-level statement of tree as an S-expression, one per line.
QString Dump(const SyntaxTree& tree);

} // namespace Syntax
