#pragma once
// The nodes of an AFL syntax tree: plain structs that live in their tree's arena.
//
// Every node has a kind, the height of its subtree and its source range. Expressions and
// statements are told apart by kind (IsExpression, IsStatement); NodeCast<T> gives the typed
// node. Pointers between nodes are never dangling while the tree lives; optional parts are
// null. The node types are aggregates read together, so they share this one header.

#include "syntax/Name.h"
#include "syntax/SourceRange.h"
#include "syntax/Token.h"

#include <cstdint>
#include <span>

#include <QStringView>

namespace Syntax {

enum class NodeKind : std::uint8_t
{
    // expressions
    Number,
    String,
    Identifier,
    Call,
    Subscript,
    Member,
    Unary,
    Binary,
    Conditional,
    Assignment,
    ErrorExpression,
    // statements
    ExpressionStatement,
    Block,
    Empty,
    If,
    For,
    While,
    DoWhile,
    Switch,
    Break,
    Continue,
    Return,
    Function,
    Declaration,
    Directive,
    ErrorStatement,
    // parts of statements
    IfBranch,
    SwitchCase,
};

/// Operators of unary, binary and assignment expressions. Spellings that mean the same share
/// one operator: AND and &&, OR and ||, NOT and !, != and <>.
enum class Operator : std::uint8_t
{
    Add,
    Subtract,
    Multiply,
    Divide,
    Modulo,
    Power,
    MatrixProduct, // @
    Less,
    LessEqual,
    Greater,
    GreaterEqual,
    Equal,
    NotEqual,
    BitAnd,
    BitOr,
    And,
    Or,
    // unary
    Not,
    Negate,
    UnaryPlus,
    PreIncrement,
    PreDecrement,
    PostIncrement,
    PostDecrement,
    // assignment
    Assign,
    AddAssign,
    SubtractAssign,
    MultiplyAssign,
    DivideAssign,
    ModuloAssign,
    BitAndAssign,
    BitOrAssign,
};

/// The binary operator a compound assignment applies (Add for +=); Assign for plain `=`.
constexpr Operator CompoundOperator(Operator assignment)
{
    switch (assignment) {
    case Operator::AddAssign:
        return Operator::Add;
    case Operator::SubtractAssign:
        return Operator::Subtract;
    case Operator::MultiplyAssign:
        return Operator::Multiply;
    case Operator::DivideAssign:
        return Operator::Divide;
    case Operator::ModuloAssign:
        return Operator::Modulo;
    case Operator::BitAndAssign:
        return Operator::BitAnd;
    case Operator::BitOrAssign:
        return Operator::BitOr;
    default:
        return Operator::Assign;
    }
}

struct Node
{
    NodeKind kind = NodeKind::ErrorExpression;
    /// Height of the subtree: 1 for a leaf. The parser keeps it within MaxDepth.
    std::uint16_t height = 1;
    SourceRange range;
};

constexpr bool IsExpression(NodeKind kind)
{
    return kind <= NodeKind::ErrorExpression;
}
constexpr bool IsStatement(NodeKind kind)
{
    return kind >= NodeKind::ExpressionStatement && kind <= NodeKind::ErrorStatement;
}
constexpr bool IsLoop(NodeKind kind)
{
    return kind == NodeKind::For || kind == NodeKind::While || kind == NodeKind::DoWhile;
}

struct Expression : Node
{
};

struct Statement : Node
{
};

/// The typed node, or null when node is null or of another kind.
template <class T> const T* NodeCast(const Node* node)
{
    return node && node->kind == T::Kind ? static_cast<const T*>(node) : nullptr;
}

// ---- expressions ----

/// `10`, `1.5`, `.5`, `1e-3`.
struct NumberLiteral : Expression
{
    static constexpr NodeKind Kind = NodeKind::Number;
    double value = 0;
};

/// `"text"`; value has its escapes decoded (\n, \r, \t, \\, \"; another backslash stays).
struct StringLiteral : Expression
{
    static constexpr NodeKind Kind = NodeKind::String;
    QStringView value;
};

/// A variable or function name; its range is exactly its spelling.
struct Identifier : Expression
{
    static constexpr NodeKind Kind = NodeKind::Identifier;
    const Name* name = nullptr;

    /// As written in the script.
    QStringView spelling() const { return QStringView(name->text + range.begin, range.length()); }
    /// The case-folded name ("buy" for Buy).
    QStringView folded() const { return name->folded; }
};

/// `f(a, b)`, or a method call `obj.Method(a)` (the callee is then a Member).
struct CallExpression : Expression
{
    static constexpr NodeKind Kind = NodeKind::Call;
    const Expression* callee = nullptr;
    std::span<const Expression* const> arguments;

    /// The function's name for a plain call, null for a method call.
    const Identifier* function() const { return NodeCast<Identifier>(callee); }
};

/// `x[i]`, also chained: `m[r][c]`.
struct SubscriptExpression : Expression
{
    static constexpr NodeKind Kind = NodeKind::Subscript;
    const Expression* object = nullptr;
    const Expression* index = nullptr;
};

/// `obj.Property` of an automation object.
struct MemberExpression : Expression
{
    static constexpr NodeKind Kind = NodeKind::Member;
    const Expression* object = nullptr;
    const Identifier* member = nullptr;
};

/// `-x`, `+x`, `NOT x`, `!x`, `++i`, `--i`, `i++`, `i--`.
struct UnaryExpression : Expression
{
    static constexpr NodeKind Kind = NodeKind::Unary;
    Operator op = Operator::Negate;
    const Expression* operand = nullptr;

    bool isPostfix() const
    {
        return op == Operator::PostIncrement || op == Operator::PostDecrement;
    }
};

struct BinaryExpression : Expression
{
    static constexpr NodeKind Kind = NodeKind::Binary;
    Operator op = Operator::Add;
    const Expression* left = nullptr;
    const Expression* right = nullptr;
};

/// `condition ? whenTrue : whenFalse`.
struct ConditionalExpression : Expression
{
    static constexpr NodeKind Kind = NodeKind::Conditional;
    const Expression* condition = nullptr;
    const Expression* whenTrue = nullptr;
    const Expression* whenFalse = nullptr;
};

/// What an assignment writes: a variable (`x = ...`), an element (`x[i] = ...`) or a property
/// of an automation object (`obj.Visible = ...`).
enum class AssignmentTarget : std::uint8_t
{
    Variable,
    Element,
    Member,
};

/// `x = v`, `x[i] = v`, `x += v`, ...; an assignment is an expression (`_N(Title = "x")`).
struct AssignmentExpression : Expression
{
    static constexpr NodeKind Kind = NodeKind::Assignment;
    Operator op = Operator::Assign;
    AssignmentTarget targetKind = AssignmentTarget::Variable;
    /// An Identifier, Subscript or Member.
    const Expression* target = nullptr;
    const Expression* value = nullptr;
};

/// Stands where an expression was expected and could not be read (the error is reported).
struct ErrorExpression : Expression
{
    static constexpr NodeKind Kind = NodeKind::ErrorExpression;
};

// ---- statements ----

/// `expression;`
struct ExpressionStatement : Statement
{
    static constexpr NodeKind Kind = NodeKind::ExpressionStatement;
    const Expression* expression = nullptr;
};

/// `{ statements }`; also the body of a function whose opening brace is missing.
struct Block : Statement
{
    static constexpr NodeKind Kind = NodeKind::Block;
    std::span<const Statement* const> statements;
};

/// A lone `;`.
struct EmptyStatement : Statement
{
    static constexpr NodeKind Kind = NodeKind::Empty;
};

/// One `if (condition) body` of an if statement; the range runs from `if` to the body's end.
struct IfBranch : Node
{
    static constexpr NodeKind Kind = NodeKind::IfBranch;
    const Expression* condition = nullptr;
    const Statement* body = nullptr;
};

/// `if (a) x; else if (b) y; else z;` as one statement: the branches in order (at least
/// one), then the last else's body or null.
struct IfStatement : Statement
{
    static constexpr NodeKind Kind = NodeKind::If;
    std::span<const IfBranch* const> branches;
    const Statement* elseBody = nullptr;
};

/// `for (init; condition; step) body`; each of the three may be missing (null).
struct ForStatement : Statement
{
    static constexpr NodeKind Kind = NodeKind::For;
    const Expression* init = nullptr;
    const Expression* condition = nullptr;
    const Expression* step = nullptr;
    const Statement* body = nullptr;
};

struct WhileStatement : Statement
{
    static constexpr NodeKind Kind = NodeKind::While;
    const Expression* condition = nullptr;
    const Statement* body = nullptr;
};

/// `do body while (condition);`
struct DoWhileStatement : Statement
{
    static constexpr NodeKind Kind = NodeKind::DoWhile;
    const Statement* body = nullptr;
    const Expression* condition = nullptr;
};

/// `case label:` or `default:` with the statements after it up to the next label. Statements
/// before the first label form a case with neither label nor default.
struct SwitchCase : Node
{
    static constexpr NodeKind Kind = NodeKind::SwitchCase;
    const Expression* label = nullptr;
    bool isDefault = false;
    /// From `case` or `default` to the colon.
    SourceRange labelRange;
    std::span<const Statement* const> statements;
};

struct SwitchStatement : Statement
{
    static constexpr NodeKind Kind = NodeKind::Switch;
    const Expression* subject = nullptr;
    std::span<const SwitchCase* const> cases;
};

struct BreakStatement : Statement
{
    static constexpr NodeKind Kind = NodeKind::Break;
};

struct ContinueStatement : Statement
{
    static constexpr NodeKind Kind = NodeKind::Continue;
};

/// `return;` or `return value;`
struct ReturnStatement : Statement
{
    static constexpr NodeKind Kind = NodeKind::Return;
    const Expression* value = nullptr;
};

/// `function name(a, b) { ... }` or `procedure name(a) { ... }`.
struct FunctionDefinition : Statement
{
    static constexpr NodeKind Kind = NodeKind::Function;
    bool isProcedure = false;
    const Identifier* name = nullptr;
    std::span<const Identifier* const> parameters;
    const Block* body = nullptr;
};

enum class DeclarationScope : std::uint8_t
{
    Local,
    Global,
    /// `static name;` (with `#pragma enable_static_decl`).
    Static,
};

/// One name of a declaration, with its initial value or null.
struct Declarator
{
    const Identifier* name = nullptr;
    const Expression* initializer = nullptr;
};

/// `local a, b;`, `global x = 1;`
struct Declaration : Statement
{
    static constexpr NodeKind Kind = NodeKind::Declaration;
    DeclarationScope scope = DeclarationScope::Local;
    std::span<const Declarator> declarators;
};

/// A preprocessor line: `#include "path"`, `#include <path>`, `#include_once ...`,
/// `#pragma text`. No semicolon follows it.
struct Directive : Statement
{
    static constexpr NodeKind Kind = NodeKind::Directive;
    DirectiveKind directive = DirectiveKind::Unknown;
    /// The path (raw, without quotes or brackets) or the pragma's text.
    QStringView argument;
    SourceRange argumentRange;
    bool angleBrackets = false;
};

/// Text skipped after a syntax error, up to where the parser found its feet again.
struct ErrorStatement : Statement
{
    static constexpr NodeKind Kind = NodeKind::ErrorStatement;
};

/// Calls f(const Node&) for each direct child of node, in source order.
template <class F> void ForEachChild(const Node& node, F&& f)
{
    auto visit = [&](const Node* child) {
        if (child)
            f(*child);
    };
    switch (node.kind) {
    case NodeKind::Call: {
        const auto& n = static_cast<const CallExpression&>(node);
        visit(n.callee);
        for (const Expression* argument : n.arguments)
            visit(argument);
        break;
    }
    case NodeKind::Subscript: {
        const auto& n = static_cast<const SubscriptExpression&>(node);
        visit(n.object);
        visit(n.index);
        break;
    }
    case NodeKind::Member: {
        const auto& n = static_cast<const MemberExpression&>(node);
        visit(n.object);
        visit(n.member);
        break;
    }
    case NodeKind::Unary:
        visit(static_cast<const UnaryExpression&>(node).operand);
        break;
    case NodeKind::Binary: {
        const auto& n = static_cast<const BinaryExpression&>(node);
        visit(n.left);
        visit(n.right);
        break;
    }
    case NodeKind::Conditional: {
        const auto& n = static_cast<const ConditionalExpression&>(node);
        visit(n.condition);
        visit(n.whenTrue);
        visit(n.whenFalse);
        break;
    }
    case NodeKind::Assignment: {
        const auto& n = static_cast<const AssignmentExpression&>(node);
        visit(n.target);
        visit(n.value);
        break;
    }
    case NodeKind::ExpressionStatement:
        visit(static_cast<const ExpressionStatement&>(node).expression);
        break;
    case NodeKind::Block:
        for (const Statement* statement : static_cast<const Block&>(node).statements)
            visit(statement);
        break;
    case NodeKind::If: {
        const auto& n = static_cast<const IfStatement&>(node);
        for (const IfBranch* branch : n.branches)
            visit(branch);
        visit(n.elseBody);
        break;
    }
    case NodeKind::IfBranch: {
        const auto& n = static_cast<const IfBranch&>(node);
        visit(n.condition);
        visit(n.body);
        break;
    }
    case NodeKind::For: {
        const auto& n = static_cast<const ForStatement&>(node);
        visit(n.init);
        visit(n.condition);
        visit(n.step);
        visit(n.body);
        break;
    }
    case NodeKind::While: {
        const auto& n = static_cast<const WhileStatement&>(node);
        visit(n.condition);
        visit(n.body);
        break;
    }
    case NodeKind::DoWhile: {
        const auto& n = static_cast<const DoWhileStatement&>(node);
        visit(n.body);
        visit(n.condition);
        break;
    }
    case NodeKind::Switch: {
        const auto& n = static_cast<const SwitchStatement&>(node);
        visit(n.subject);
        for (const SwitchCase* c : n.cases)
            visit(c);
        break;
    }
    case NodeKind::SwitchCase: {
        const auto& n = static_cast<const SwitchCase&>(node);
        visit(n.label);
        for (const Statement* statement : n.statements)
            visit(statement);
        break;
    }
    case NodeKind::Return:
        visit(static_cast<const ReturnStatement&>(node).value);
        break;
    case NodeKind::Function: {
        const auto& n = static_cast<const FunctionDefinition&>(node);
        visit(n.name);
        for (const Identifier* parameter : n.parameters)
            visit(parameter);
        visit(n.body);
        break;
    }
    case NodeKind::Declaration:
        for (const Declarator& d : static_cast<const Declaration&>(node).declarators) {
            visit(d.name);
            visit(d.initializer);
        }
        break;
    default:
        break;
    }
}

} // namespace Syntax
