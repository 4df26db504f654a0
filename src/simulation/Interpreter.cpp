#include "simulation/Interpreter.h"

#include "simulation/Environment.h"
#include "simulation/ProgramData.h"
#include "simulation/SimTexts.h"

#include <cmath>

#include <QVarLengthArray>

namespace Sim {

namespace {

using namespace Syntax;

enum class Flow
{
    Normal,
    Break,
    Continue,
    Return,
};

/// The sum of the heights of the bodies and included files being run: a bound on how deep the
/// evaluation recurses, each level taking a few hundred bytes of stack.
constexpr int MaxNesting = 3000;

/// Characters of a joined text that count as one step.
constexpr qsizetype TextPerStep = 64;

BinaryOp ToBinary(Operator op)
{
    switch (op) {
    case Operator::Add:
        return BinaryOp::Add;
    case Operator::Subtract:
        return BinaryOp::Subtract;
    case Operator::Multiply:
        return BinaryOp::Multiply;
    case Operator::Divide:
        return BinaryOp::Divide;
    case Operator::Modulo:
        return BinaryOp::Modulo;
    case Operator::Power:
        return BinaryOp::Power;
    case Operator::Less:
        return BinaryOp::Less;
    case Operator::LessEqual:
        return BinaryOp::LessEqual;
    case Operator::Greater:
        return BinaryOp::Greater;
    case Operator::GreaterEqual:
        return BinaryOp::GreaterEqual;
    case Operator::Equal:
        return BinaryOp::Equal;
    case Operator::NotEqual:
        return BinaryOp::NotEqual;
    case Operator::BitAnd:
        return BinaryOp::BitAnd;
    case Operator::BitOr:
        return BinaryOp::BitOr;
    case Operator::And:
        return BinaryOp::And;
    default:
        return BinaryOp::Or;
    }
}

QString Spelling(const Identifier& identifier)
{
    return identifier.spelling().toString();
}

} // namespace

QString RunFailure::text() const
{
    const QString located = Texts::AtLine(line, message);
    return file.isEmpty() ? located : Texts::InFile(file, located);
}

class Interpreter::Machine
{
public:
    Machine(Program program, Environment& env)
        : m_program(std::move(program))
        , p(m_program.data())
        , env(env)
        , m_defined(p.keys.size(), nullptr)
        , m_builtins(p.keys.size(), nullptr)
        , m_constants(p.keys.size(), nullptr)
        , m_looked(p.keys.size(), false)
    {}

    qint64 m_limit = DefaultStepLimit;
    qint64 m_steps = 0;

    std::optional<RunFailure> run()
    {
        if (!p.diagnostics.isEmpty()) {
            const ScriptDiagnostic& d = p.diagnostics.first();
            return RunFailure{d.file, d.line, d.column, d.message};
        }
        const Unit& script = *p.units.front();
        m_unit = &script;
        m_function = nullptr;
        m_slots = nullptr;
        m_loops = 0;
        m_switches = 0;
        m_calls = 0;
        m_nesting = script.height;
        m_steps = 0;
        m_at = nullptr;
        m_located = false;
        m_result = Value();
        std::fill(m_defined.begin(), m_defined.end(), nullptr);
        try {
            executeAll(script.tree.statements());
        } catch (const RunError& error) {
            locate();
            m_failure.message = error.message();
            return m_failure;
        }
        return std::nullopt;
    }

private:
    // ---- places and errors ----

    // Keeps where the innermost failing node is, before the context it belongs to is left.
    void locate()
    {
        if (m_located)
            return;
        m_located = true;
        const TextPosition at =
            m_at ? m_unit->tree.position(m_at->range.begin) : TextPosition{1, 1};
        m_failure = RunFailure{m_unit->file, at.line, at.column, QString()};
    }

    [[noreturn]] void fail(const Node& at, const QString& message)
    {
        m_at = &at;
        throw RunError(message);
    }

    void step(qint64 steps = 1)
    {
        m_steps += steps;
        if (m_steps > m_limit)
            throw RunError(Texts::StepLimit(m_limit));
    }

    int canonical(const Identifier& identifier) const { return p.canonical(*m_unit, identifier); }

    // ---- names ----

    const Builtin* builtin(int name)
    {
        lookUp(name);
        return m_builtins[std::size_t(name)];
    }
    const Value* constant(int name)
    {
        lookUp(name);
        return m_constants[std::size_t(name)];
    }
    void lookUp(int name)
    {
        if (m_looked[std::size_t(name)])
            return;
        m_looked[std::size_t(name)] = true;
        m_builtins[std::size_t(name)] = env.library().find(p.keys[std::size_t(name)]);
        m_constants[std::size_t(name)] = env.library().constant(p.keys[std::size_t(name)]);
    }

    // The value a variable holds, or null when it holds none.
    const Value* find(int name)
    {
        if (m_function) {
            const int slot = m_function->slot(name);
            if (slot >= 0)
                return m_slots[slot].isNone() ? nullptr : &m_slots[slot];
        }
        const auto& variables = env.variables();
        const auto it = variables.constFind(p.keys[std::size_t(name)]);
        return it == variables.cend() || it->isNone() ? nullptr : &*it;
    }

    // Where an assignment to a variable writes.
    Value& target(int name)
    {
        if (m_function) {
            const int slot = m_function->slot(name);
            if (slot >= 0)
                return m_slots[slot];
        }
        return env.variables()[p.keys[std::size_t(name)]];
    }

    const Value& read(const Identifier& identifier)
    {
        const int name = canonical(identifier);
        if (const Value* value = find(name))
            return *value;
        if (const Value* value = constant(name))
            return *value;
        if (p.isFunctionName[std::size_t(name)] || builtin(name))
            fail(identifier, Texts::FunctionWithoutParentheses(Spelling(identifier)));
        fail(identifier, Texts::UninitialisedVariable(Spelling(identifier)));
    }

    void requireValue(const Value& value, const Expression& expression)
    {
        if (!value.isNone())
            return;
        const auto* call = NodeCast<CallExpression>(&expression);
        if (call && call->function())
            fail(expression, Texts::NoValueFrom(Spelling(*call->function())));
        fail(expression, Texts::NoValue);
    }

    Number index(const Expression& expression)
    {
        const Value value = evaluate(expression);
        if (!value.isNumber())
            fail(expression, Texts::IndexNotNumber(value.kindName()));
        return value.number();
    }

    // ---- statements ----

    Flow executeAll(std::span<const Statement* const> statements)
    {
        for (const Statement* statement : statements) {
            const Flow flow = execute(*statement);
            if (flow != Flow::Normal)
                return flow;
        }
        return Flow::Normal;
    }

    Flow execute(const Statement& statement)
    {
        m_at = &statement;
        step();
        switch (statement.kind) {
        case NodeKind::ExpressionStatement:
            evaluate(*static_cast<const ExpressionStatement&>(statement).expression);
            return Flow::Normal;
        case NodeKind::Block:
            return executeAll(static_cast<const Block&>(statement).statements);
        case NodeKind::If: {
            const auto& s = static_cast<const IfStatement&>(statement);
            for (const IfBranch* branch : s.branches) {
                if (condition(*branch->condition))
                    return executeBody(branch->body);
            }
            return executeBody(s.elseBody);
        }
        case NodeKind::For:
            return forLoop(static_cast<const ForStatement&>(statement));
        case NodeKind::While:
            return whileLoop(static_cast<const WhileStatement&>(statement));
        case NodeKind::DoWhile:
            return doLoop(static_cast<const DoWhileStatement&>(statement));
        case NodeKind::Switch:
            return switchStatement(static_cast<const SwitchStatement&>(statement));
        case NodeKind::Break:
            if (m_loops + m_switches == 0)
                fail(statement, Texts::BreakOutside);
            return Flow::Break;
        case NodeKind::Continue:
            if (m_loops == 0)
                fail(statement, Texts::ContinueOutside);
            return Flow::Continue;
        case NodeKind::Return: {
            if (!m_function)
                fail(statement, Texts::ReturnOutside);
            const Expression* value = static_cast<const ReturnStatement&>(statement).value;
            m_result = value ? evaluate(*value) : Value();
            return Flow::Return;
        }
        case NodeKind::Function: {
            const auto& definition = static_cast<const FunctionDefinition&>(statement);
            const auto it = p.functions.find(&definition);
            if (it != p.functions.end())
                m_defined[std::size_t(it->second.name)] = &it->second;
            return Flow::Normal;
        }
        case NodeKind::Declaration:
            declare(static_cast<const Declaration&>(statement));
            return Flow::Normal;
        case NodeKind::Directive:
            return include(static_cast<const Directive&>(statement));
        default:
            return Flow::Normal;
        }
    }

    Flow executeBody(const Statement* body) { return body ? execute(*body) : Flow::Normal; }

    bool condition(const Expression& expression)
    {
        const Value value = evaluate(expression);
        m_at = &expression;
        return Condition(value);
    }

    Flow forLoop(const ForStatement& s)
    {
        if (s.init)
            evaluate(*s.init);
        ++m_loops;
        Flow result = Flow::Normal;
        for (;;) {
            if (s.condition && !condition(*s.condition))
                break;
            const Flow flow = loopBody(s, s.body);
            if (flow == Flow::Break)
                break;
            if (flow == Flow::Return) {
                result = flow;
                break;
            }
            if (s.step)
                evaluate(*s.step);
        }
        --m_loops;
        return result;
    }

    Flow whileLoop(const WhileStatement& s)
    {
        ++m_loops;
        Flow result = Flow::Normal;
        while (condition(*s.condition)) {
            const Flow flow = loopBody(s, s.body);
            if (flow == Flow::Break)
                break;
            if (flow == Flow::Return) {
                result = flow;
                break;
            }
        }
        --m_loops;
        return result;
    }

    Flow doLoop(const DoWhileStatement& s)
    {
        ++m_loops;
        Flow result = Flow::Normal;
        do {
            const Flow flow = loopBody(s, s.body);
            if (flow == Flow::Break)
                break;
            if (flow == Flow::Return) {
                result = flow;
                break;
            }
        } while (condition(*s.condition));
        --m_loops;
        return result;
    }

    // One turn of a loop: a step even when the body is empty.
    Flow loopBody(const Statement& loop, const Statement* body)
    {
        if (body)
            return execute(*body);
        m_at = &loop;
        step();
        return Flow::Normal;
    }

    // Runs from the first case whose label equals the subject (or from default) on, falling
    // through the later cases until a break.
    Flow switchStatement(const SwitchStatement& s)
    {
        const Value subject = evaluate(*s.subject);
        if (!subject.isNumber() && !subject.isString())
            fail(*s.subject, Texts::SwitchSubject(subject.kindName()));
        qsizetype start = -1;
        qsizetype fallback = -1;
        for (qsizetype i = 0; i < qsizetype(s.cases.size()) && start < 0; ++i) {
            const SwitchCase& c = *s.cases[std::size_t(i)];
            if (c.isDefault) {
                if (fallback < 0)
                    fallback = i;
            } else if (c.label) {
                Value label = evaluate(*c.label);
                m_at = c.label;
                if (Condition(Apply(BinaryOp::Equal, subject, std::move(label))))
                    start = i;
            }
        }
        if (start < 0)
            start = fallback;
        if (start < 0)
            return Flow::Normal;
        ++m_switches;
        Flow result = Flow::Normal;
        for (qsizetype i = start; i < qsizetype(s.cases.size()); ++i) {
            result = executeAll(s.cases[std::size_t(i)]->statements);
            if (result != Flow::Normal)
                break;
        }
        --m_switches;
        return result == Flow::Break ? Flow::Normal : result;
    }

    void declare(const Declaration& declaration)
    {
        if (declaration.scope == DeclarationScope::Static)
            fail(declaration, Texts::StaticDeclarationNotSupported);
        for (const Declarator& declarator : declaration.declarators) {
            if (!declarator.initializer)
                continue;
            Value value = evaluate(*declarator.initializer);
            requireValue(value, *declarator.initializer);
            target(canonical(*declarator.name)) = std::move(value);
        }
    }

    // The statements of an included file, where the directive stands.
    Flow include(const Directive& directive)
    {
        const auto it = p.includes.find(&directive);
        if (it == p.includes.end())
            return Flow::Normal;
        const Unit& unit = *it->second;
        if (m_nesting + unit.height > MaxNesting)
            fail(directive, Texts::CallDepthLimit(MaxCallDepth));
        const Unit* const outer = m_unit;
        m_unit = &unit;
        m_nesting += unit.height;
        Flow flow = Flow::Normal;
        try {
            flow = executeAll(unit.tree.statements());
        } catch (const RunError&) {
            locate();
            m_unit = outer;
            throw;
        }
        m_nesting -= unit.height;
        m_unit = outer;
        return flow;
    }

    // ---- expressions ----

    Value evaluate(const Expression& expression)
    {
        switch (expression.kind) {
        case NodeKind::Number: {
            const double value = static_cast<const NumberLiteral&>(expression).value;
            return Value(std::isfinite(value) ? value : Null);
        }
        case NodeKind::String:
            return Value(static_cast<const StringLiteral&>(expression).value.toString());
        case NodeKind::Identifier:
            return read(static_cast<const Identifier&>(expression));
        case NodeKind::Call:
            return call(static_cast<const CallExpression&>(expression));
        case NodeKind::Subscript:
            return subscript(static_cast<const SubscriptExpression&>(expression));
        case NodeKind::Unary:
            return unary(static_cast<const UnaryExpression&>(expression));
        case NodeKind::Binary: {
            const auto& e = static_cast<const BinaryExpression&>(expression);
            if (e.op == Operator::MatrixProduct)
                fail(e, Texts::MatrixProductNotSupported);
            Value left = evaluate(*e.left);
            Value right = evaluate(*e.right);
            m_at = &e;
            Value result = Apply(ToBinary(e.op), std::move(left), std::move(right));
            // Joining texts costs by the length, so that a loop growing a text is stopped
            // by the step limit before its copying takes long.
            if (result.isString())
                step(result.string().size() / TextPerStep);
            return result;
        }
        case NodeKind::Conditional: {
            const auto& e = static_cast<const ConditionalExpression&>(expression);
            return condition(*e.condition) ? evaluate(*e.whenTrue) : evaluate(*e.whenFalse);
        }
        case NodeKind::Assignment:
            return assign(static_cast<const AssignmentExpression&>(expression));
        default:
            fail(expression, Texts::MemberNotSupported);
        }
    }

    Value subscript(const SubscriptExpression& e)
    {
        const Number at = index(*e.index);
        const Value object = evaluate(*e.object);
        m_at = &e;
        return Value(Subscript(object, at, env.barCount()));
    }

    Value unary(const UnaryExpression& e)
    {
        switch (e.op) {
        case Operator::Negate:
        case Operator::Not: {
            Value operand = evaluate(*e.operand);
            m_at = &e;
            return Apply(e.op == Operator::Negate ? UnaryOp::Negate : UnaryOp::Not,
                         std::move(operand));
        }
        case Operator::UnaryPlus: {
            Value operand = evaluate(*e.operand);
            if (operand.isString())
                fail(e, Texts::OperatorOnString(QStringLiteral("+")));
            if (operand.isNone())
                fail(e, Texts::OperatorOnNone(QStringLiteral("+")));
            return operand;
        }
        default:
            return incrementOrDecrement(e);
        }
    }

    // ++ and --, before or after: the variable or element changes by one.
    Value incrementOrDecrement(const UnaryExpression& e)
    {
        const bool increment = e.op == Operator::PreIncrement || e.op == Operator::PostIncrement;
        const Value delta(increment ? 1.0 : -1.0);
        if (const auto* identifier = NodeCast<Identifier>(e.operand)) {
            Value old = read(*identifier);
            m_at = &e;
            Value now = Apply(BinaryOp::Add, old, delta);
            target(canonical(*identifier)) = now;
            return e.isPostfix() ? old : now;
        }
        const auto* element = NodeCast<SubscriptExpression>(e.operand);
        if (!element)
            fail(e, Texts::MemberNotSupported);
        const auto* identifier = NodeCast<Identifier>(element->object);
        if (!identifier)
            fail(e, Texts::NestedElementNotSupported);
        const Number at = index(*element->index);
        m_at = &e;
        const Number old = Subscript(read(*identifier), at, env.barCount());
        const Number now = Apply(BinaryOp::Add, Value(old), delta).number();
        AssignSubscript(target(canonical(*identifier)), at, now, env.barCount());
        return Value(e.isPostfix() ? old : now);
    }

    Value assign(const AssignmentExpression& e)
    {
        const BinaryOp compound = ToBinary(CompoundOperator(e.op));
        if (e.targetKind == AssignmentTarget::Variable) {
            const auto& identifier = static_cast<const Identifier&>(*e.target);
            Value value = evaluate(*e.value);
            requireValue(value, *e.value);
            if (e.op != Operator::Assign) {
                Value old = read(identifier);
                m_at = &e;
                value = Apply(compound, std::move(old), std::move(value));
            }
            target(canonical(identifier)) = value;
            return value;
        }
        if (e.targetKind != AssignmentTarget::Element)
            fail(e, Texts::MemberNotSupported);
        const auto& element = static_cast<const SubscriptExpression&>(*e.target);
        const auto* identifier = NodeCast<Identifier>(element.object);
        if (!identifier)
            fail(e, Texts::NestedElementNotSupported);
        const Number at = index(*element.index);
        Value value = evaluate(*e.value);
        requireValue(value, *e.value);
        if (!value.isNumber())
            fail(*e.value, Texts::ElementNotNumber(value.kindName()));
        m_at = &e;
        if (e.op != Operator::Assign) {
            const Number old = Subscript(read(*identifier), at, env.barCount());
            value = Apply(compound, Value(old), std::move(value));
        }
        AssignSubscript(target(canonical(*identifier)), at, value.number(), env.barCount());
        return value;
    }

    Value call(const CallExpression& e)
    {
        const Identifier* name = e.function();
        if (!name)
            fail(e, Texts::MemberNotSupported);
        const int id = canonical(*name);
        if (const FunctionInfo* function = m_defined[std::size_t(id)])
            return callUser(*function, e, *name);
        const Builtin* function = builtin(id);
        if (!function)
            fail(*name, p.isFunctionName[std::size_t(id)]
                            ? Texts::FunctionBeforeDefinition(Spelling(*name))
                            : Texts::UnknownFunction(Spelling(*name)));
        QVarLengthArray<Value, 8> arguments;
        for (const Expression* argument : e.arguments)
            arguments.append(evaluate(*argument));
        m_at = name;
        return Invoke(*function, env, std::span<const Value>(arguments.data(), arguments.size()));
    }

    Value callUser(const FunctionInfo& function, const CallExpression& e, const Identifier& name)
    {
        const int expected = int(function.parameterSlots.size());
        const int given = int(e.arguments.size());
        if (given != expected)
            fail(name, Texts::WrongArgumentCount(Spelling(name),
                                                 Texts::ArgumentCount(expected, expected), given));
        std::vector<Value> slots(std::size_t(function.slotCount));
        for (int i = 0; i < given; ++i) {
            const Expression& argument = *e.arguments[std::size_t(i)];
            Value value = evaluate(argument);
            requireValue(value, argument);
            slots[std::size_t(function.parameterSlots[std::size_t(i)])] = std::move(value);
        }
        const int height = function.node->body ? function.node->body->height : 1;
        if (m_calls >= MaxCallDepth || m_nesting + height > MaxNesting)
            fail(name, Texts::CallDepthLimit(MaxCallDepth));
        m_at = &name;
        step();

        const Unit* const unit = m_unit;
        const FunctionInfo* const caller = m_function;
        Value* const callerSlots = m_slots;
        const int loops = m_loops;
        const int switches = m_switches;
        auto restore = [&] {
            m_unit = unit;
            m_function = caller;
            m_slots = callerSlots;
            m_loops = loops;
            m_switches = switches;
            --m_calls;
            m_nesting -= height;
        };
        m_unit = function.unit;
        m_function = &function;
        m_slots = slots.data();
        m_loops = 0;
        m_switches = 0;
        ++m_calls;
        m_nesting += height;
        Flow flow = Flow::Normal;
        try {
            flow = executeBody(function.node->body);
        } catch (const RunError&) {
            locate();
            restore();
            throw;
        }
        restore();
        Value result;
        if (flow == Flow::Return)
            std::swap(result, m_result);
        return result;
    }

    Program m_program;
    const ProgramData& p;
    Environment& env;

    const Unit* m_unit = nullptr;
    const FunctionInfo* m_function = nullptr;
    Value* m_slots = nullptr;
    Value m_result;
    int m_loops = 0;
    int m_switches = 0;
    int m_calls = 0;
    int m_nesting = 0;

    /// Canonical name → the user function its definition made in this run.
    std::vector<const FunctionInfo*> m_defined;
    std::vector<const Builtin*> m_builtins;
    std::vector<const Value*> m_constants;
    std::vector<bool> m_looked;

    const Node* m_at = nullptr;
    bool m_located = false;
    RunFailure m_failure;
};

Interpreter::Interpreter(Program program, Environment& env)
    : m(std::make_unique<Machine>(std::move(program), env))
{}

Interpreter::~Interpreter() = default;

void Interpreter::setStepLimit(qint64 steps)
{
    m->m_limit = steps;
}

std::optional<RunFailure> Interpreter::run()
{
    return m->run();
}

qint64 Interpreter::steps() const
{
    return m->m_steps;
}

} // namespace Sim
