#include "syntax/TreeDump.h"

#include "syntax/Nodes.h"
#include "syntax/SyntaxTree.h"

#include <cmath>

#include <QLocale>

namespace Syntax {

namespace {

const char* spelling(Operator op)
{
    switch (op) {
    case Operator::Add:
    case Operator::UnaryPlus:
        return "+";
    case Operator::Subtract:
    case Operator::Negate:
        return "-";
    case Operator::Multiply:
        return "*";
    case Operator::Divide:
        return "/";
    case Operator::Modulo:
        return "%";
    case Operator::Power:
        return "^";
    case Operator::MatrixProduct:
        return "@";
    case Operator::Less:
        return "<";
    case Operator::LessEqual:
        return "<=";
    case Operator::Greater:
        return ">";
    case Operator::GreaterEqual:
        return ">=";
    case Operator::Equal:
        return "==";
    case Operator::NotEqual:
        return "!=";
    case Operator::BitAnd:
        return "&";
    case Operator::BitOr:
        return "|";
    case Operator::And:
        return "and";
    case Operator::Or:
        return "or";
    case Operator::Not:
        return "not";
    case Operator::PreIncrement:
        return "++";
    case Operator::PreDecrement:
        return "--";
    case Operator::PostIncrement:
        return "post++";
    case Operator::PostDecrement:
        return "post--";
    case Operator::Assign:
        return "=";
    case Operator::AddAssign:
        return "+=";
    case Operator::SubtractAssign:
        return "-=";
    case Operator::MultiplyAssign:
        return "*=";
    case Operator::DivideAssign:
        return "/=";
    case Operator::ModuloAssign:
        return "%=";
    case Operator::BitAndAssign:
        return "&=";
    case Operator::BitOrAssign:
        return "|=";
    }
    return "?";
}

QString quoted(QStringView value)
{
    QString out = QStringLiteral("\"");
    for (QChar c : value) {
        switch (c.unicode()) {
        case u'\\':
            out += QLatin1String("\\\\");
            break;
        case u'"':
            out += QLatin1String("\\\"");
            break;
        case u'\n':
            out += QLatin1String("\\n");
            break;
        case u'\r':
            out += QLatin1String("\\r");
            break;
        case u'\t':
            out += QLatin1String("\\t");
            break;
        default:
            out += c;
        }
    }
    return out + u'"';
}

class Writer
{
public:
    QString out;

    void node(const Node* n)
    {
        if (!n) {
            out += u'_';
            return;
        }
        switch (n->kind) {
        case NodeKind::Number: {
            const double value = static_cast<const NumberLiteral*>(n)->value;
            if (std::abs(value) < 1e15 && value == std::trunc(value))
                out += QString::number(qint64(value));
            else
                out += QString::number(value, 'g', QLocale::FloatingPointShortest);
            break;
        }
        case NodeKind::String:
            out += quoted(static_cast<const StringLiteral*>(n)->value);
            break;
        case NodeKind::Identifier:
            out += static_cast<const Identifier*>(n)->spelling();
            break;
        case NodeKind::Call: {
            const auto* c = static_cast<const CallExpression*>(n);
            open("call");
            item(c->callee);
            for (const Expression* argument : c->arguments)
                item(argument);
            close();
            break;
        }
        case NodeKind::Subscript:
            open("[]");
            item(static_cast<const SubscriptExpression*>(n)->object);
            item(static_cast<const SubscriptExpression*>(n)->index);
            close();
            break;
        case NodeKind::Member:
            open(".");
            item(static_cast<const MemberExpression*>(n)->object);
            item(static_cast<const MemberExpression*>(n)->member);
            close();
            break;
        case NodeKind::Unary:
            open(spelling(static_cast<const UnaryExpression*>(n)->op));
            item(static_cast<const UnaryExpression*>(n)->operand);
            close();
            break;
        case NodeKind::Binary: {
            const auto* b = static_cast<const BinaryExpression*>(n);
            open(spelling(b->op));
            item(b->left);
            item(b->right);
            close();
            break;
        }
        case NodeKind::Conditional: {
            const auto* c = static_cast<const ConditionalExpression*>(n);
            open("?");
            item(c->condition);
            item(c->whenTrue);
            item(c->whenFalse);
            close();
            break;
        }
        case NodeKind::Assignment: {
            const auto* a = static_cast<const AssignmentExpression*>(n);
            open(spelling(a->op));
            item(a->target);
            item(a->value);
            close();
            break;
        }
        case NodeKind::ErrorExpression:
            out += QLatin1String("error");
            break;
        case NodeKind::ExpressionStatement:
            node(static_cast<const ExpressionStatement*>(n)->expression);
            break;
        case NodeKind::Block:
            open("block");
            for (const Statement* s : static_cast<const Block*>(n)->statements)
                item(s);
            close();
            break;
        case NodeKind::Empty:
            out += QLatin1String("(empty)");
            break;
        case NodeKind::If: {
            const auto* s = static_cast<const IfStatement*>(n);
            open("if");
            for (std::size_t i = 0; i < s->branches.size(); ++i) {
                if (i > 0) {
                    out += u' ';
                    open("elseif");
                }
                item(s->branches[i]->condition);
                item(s->branches[i]->body);
                if (i > 0)
                    close();
            }
            if (s->elseBody) {
                out += u' ';
                open("else");
                item(s->elseBody);
                close();
            }
            close();
            break;
        }
        case NodeKind::For: {
            const auto* s = static_cast<const ForStatement*>(n);
            open("for");
            item(s->init);
            item(s->condition);
            item(s->step);
            item(s->body);
            close();
            break;
        }
        case NodeKind::While:
            open("while");
            item(static_cast<const WhileStatement*>(n)->condition);
            item(static_cast<const WhileStatement*>(n)->body);
            close();
            break;
        case NodeKind::DoWhile:
            open("do");
            item(static_cast<const DoWhileStatement*>(n)->body);
            item(static_cast<const DoWhileStatement*>(n)->condition);
            close();
            break;
        case NodeKind::Switch: {
            const auto* s = static_cast<const SwitchStatement*>(n);
            open("switch");
            item(s->subject);
            for (const SwitchCase* c : s->cases)
                item(c);
            close();
            break;
        }
        case NodeKind::SwitchCase: {
            const auto* c = static_cast<const SwitchCase*>(n);
            if (c->isDefault) {
                open("default");
            } else if (c->label) {
                open("case");
                item(c->label);
            } else {
                open("nolabel");
            }
            for (const Statement* s : c->statements)
                item(s);
            close();
            break;
        }
        case NodeKind::Break:
            out += QLatin1String("(break)");
            break;
        case NodeKind::Continue:
            out += QLatin1String("(continue)");
            break;
        case NodeKind::Return:
            open("return");
            if (const Expression* value = static_cast<const ReturnStatement*>(n)->value)
                item(value);
            close();
            break;
        case NodeKind::Function: {
            const auto* f = static_cast<const FunctionDefinition*>(n);
            open(f->isProcedure ? "procedure" : "function");
            item(f->name);
            out += QLatin1String(" (");
            bool first = true;
            for (const Identifier* parameter : f->parameters) {
                if (!first)
                    out += u' ';
                first = false;
                node(parameter);
            }
            out += u')';
            item(f->body);
            close();
            break;
        }
        case NodeKind::Declaration: {
            const auto* d = static_cast<const Declaration*>(n);
            open(d->scope == DeclarationScope::Local    ? "local"
                 : d->scope == DeclarationScope::Global ? "global"
                                                        : "static");
            for (const Declarator& declarator : d->declarators) {
                if (declarator.initializer) {
                    out += QLatin1String(" (= ");
                    node(declarator.name);
                    item(declarator.initializer);
                    out += u')';
                } else {
                    item(declarator.name);
                }
            }
            close();
            break;
        }
        case NodeKind::Directive: {
            const auto* d = static_cast<const Directive*>(n);
            open(d->directive == DirectiveKind::Include       ? "#include"
                 : d->directive == DirectiveKind::IncludeOnce ? "#include_once"
                 : d->directive == DirectiveKind::Pragma      ? "#pragma"
                                                              : "#unknown");
            out += u' ';
            if (d->angleBrackets)
                out += u'<' + d->argument.toString() + u'>';
            else
                out += u'"' + d->argument.toString() + u'"';
            close();
            break;
        }
        case NodeKind::ErrorStatement:
            out += QLatin1String("(error)");
            break;
        case NodeKind::IfBranch:
            open("branch");
            item(static_cast<const IfBranch*>(n)->condition);
            item(static_cast<const IfBranch*>(n)->body);
            close();
            break;
        }
    }

private:
    void open(const char* head)
    {
        out += u'(';
        out += QLatin1String(head);
    }
    void close() { out += u')'; }
    void item(const Node* n)
    {
        out += u' ';
        node(n);
    }
};

} // namespace

QString Dump(const Node& node)
{
    Writer writer;
    writer.node(&node);
    return writer.out;
}

QString Dump(const SyntaxTree& tree)
{
    Writer writer;
    for (const Statement* statement : tree.statements()) {
        writer.node(statement);
        writer.out += u'\n';
    }
    return writer.out;
}

} // namespace Syntax
