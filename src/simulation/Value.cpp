#include "simulation/Value.h"

#include "simulation/SimTexts.h"

#include <charconv>
#include <cmath>

namespace Sim {

namespace {

// Results that are not finite numbers (overflow, 0/0) become Null, so that no infinity or NaN
// ever reaches a comparison or a text.
Number Finite(Number x)
{
    return std::isfinite(x) ? x : Null;
}

bool EitherNull(Number x, Number y)
{
    return x == Null || y == Null;
}

// A whole number for & and |; false when it is out of the 64-bit range.
bool ToInteger(Number x, qint64& out)
{
    if (!(std::fabs(x) < 9.0e18))
        return false;
    out = qint64(x);
    return true;
}

Number Add(Number x, Number y)
{
    return EitherNull(x, y) ? Null : Finite(x + y);
}
Number Subtract(Number x, Number y)
{
    return EitherNull(x, y) ? Null : Finite(x - y);
}
Number Multiply(Number x, Number y)
{
    return EitherNull(x, y) ? Null : Finite(x * y);
}
Number Divide(Number x, Number y)
{
    return EitherNull(x, y) || y == 0 ? Null : Finite(x / y);
}
Number Modulo(Number x, Number y)
{
    return EitherNull(x, y) || y == 0 ? Null : Finite(std::fmod(x, y));
}
Number Power(Number x, Number y)
{
    return EitherNull(x, y) ? Null : Finite(std::pow(x, y));
}
Number Less(Number x, Number y)
{
    return !EitherNull(x, y) && x < y ? 1 : 0;
}
Number LessEqual(Number x, Number y)
{
    return !EitherNull(x, y) && x <= y ? 1 : 0;
}
Number Greater(Number x, Number y)
{
    return !EitherNull(x, y) && x > y ? 1 : 0;
}
Number GreaterEqual(Number x, Number y)
{
    return !EitherNull(x, y) && x >= y ? 1 : 0;
}
Number Equal(Number x, Number y)
{
    return x == y ? 1 : 0;
}
Number NotEqual(Number x, Number y)
{
    return x != y ? 1 : 0;
}
Number And(Number x, Number y)
{
    return IsTrue(x) && IsTrue(y) ? 1 : 0;
}
Number Or(Number x, Number y)
{
    return IsTrue(x) || IsTrue(y) ? 1 : 0;
}
Number BitAnd(Number x, Number y)
{
    qint64 a = 0;
    qint64 b = 0;
    return EitherNull(x, y) || !ToInteger(x, a) || !ToInteger(y, b) ? Null : Number(a & b);
}
Number BitOr(Number x, Number y)
{
    qint64 a = 0;
    qint64 b = 0;
    return EitherNull(x, y) || !ToInteger(x, a) || !ToInteger(y, b) ? Null : Number(a | b);
}

// One loop per shape, so that the compiler sees a plain function call in each.
template <typename F> Value Elementwise(Value left, Value right, F f)
{
    if (left.isNumber() && right.isNumber())
        return Value(f(left.number(), right.number()));
    if (left.isArray()) {
        Array result = left.takeArray();
        if (right.isArray() && right.array().size() > result.size())
            result.resize(right.array().size(), Null);
        Number* out = result.data();
        const qsizetype count = result.size();
        if (right.isNumber()) {
            const Number y = right.number();
            for (qsizetype i = 0; i < count; ++i)
                out[i] = f(out[i], y);
        } else {
            const Array& other = right.array();
            const qsizetype shared = other.size();
            const Number* in = other.constData();
            for (qsizetype i = 0; i < shared; ++i)
                out[i] = f(out[i], in[i]);
            for (qsizetype i = shared; i < count; ++i)
                out[i] = f(out[i], Null);
        }
        return Value(std::move(result));
    }
    Array result = right.takeArray();
    const Number x = left.number();
    Number* out = result.data();
    const qsizetype count = result.size();
    for (qsizetype i = 0; i < count; ++i)
        out[i] = f(x, out[i]);
    return Value(std::move(result));
}

// Each operator its own loop, the number function inlined.
template <Number (*F)(Number, Number)> Value Numeric(Value left, Value right)
{
    return Elementwise(std::move(left), std::move(right),
                       [](Number x, Number y) { return F(x, y); });
}

Value NumberOperation(BinaryOp op, Value left, Value right)
{
    switch (op) {
    case BinaryOp::Add:
        return Numeric<Add>(std::move(left), std::move(right));
    case BinaryOp::Subtract:
        return Numeric<Subtract>(std::move(left), std::move(right));
    case BinaryOp::Multiply:
        return Numeric<Multiply>(std::move(left), std::move(right));
    case BinaryOp::Divide:
        return Numeric<Divide>(std::move(left), std::move(right));
    case BinaryOp::Modulo:
        return Numeric<Modulo>(std::move(left), std::move(right));
    case BinaryOp::Power:
        return Numeric<Power>(std::move(left), std::move(right));
    case BinaryOp::Less:
        return Numeric<Less>(std::move(left), std::move(right));
    case BinaryOp::LessEqual:
        return Numeric<LessEqual>(std::move(left), std::move(right));
    case BinaryOp::Greater:
        return Numeric<Greater>(std::move(left), std::move(right));
    case BinaryOp::GreaterEqual:
        return Numeric<GreaterEqual>(std::move(left), std::move(right));
    case BinaryOp::Equal:
        return Numeric<Equal>(std::move(left), std::move(right));
    case BinaryOp::NotEqual:
        return Numeric<NotEqual>(std::move(left), std::move(right));
    case BinaryOp::And:
        return Numeric<And>(std::move(left), std::move(right));
    case BinaryOp::Or:
        return Numeric<Or>(std::move(left), std::move(right));
    case BinaryOp::BitAnd:
        return Numeric<BitAnd>(std::move(left), std::move(right));
    case BinaryOp::BitOr:
        break;
    }
    return Numeric<BitOr>(std::move(left), std::move(right));
}

// A value as `+` joins it to a text.
QString JoinedText(const Value& value)
{
    if (value.isString())
        return value.string();
    return NumberText(value.last());
}

} // namespace

RunError::RunError(QString message)
    : m_message(std::move(message))
    , m_utf8(m_message.toUtf8())
{}

Number Value::last() const
{
    if (m_kind == Kind::Array)
        return m_array.isEmpty() ? Null : m_array.constLast();
    return m_kind == Kind::Number ? m_number : Null;
}

Array Value::toArray(qsizetype count) const
{
    if (m_kind == Kind::Array) {
        if (m_array.size() == count)
            return m_array;
        Array out = m_array;
        out.resize(count, Null);
        return out;
    }
    return Array(count, m_kind == Kind::Number ? m_number : Null);
}

QString Value::kindName() const
{
    switch (m_kind) {
    case Kind::Number:
        return Texts::KindNumber;
    case Kind::Array:
        return Texts::KindArray;
    case Kind::String:
        return Texts::KindString;
    case Kind::None:
        break;
    }
    return Texts::KindNone;
}

QString OperatorName(BinaryOp op)
{
    static const char* const names[] = {
        "+", "-", "*", "/", "%", "^", "<", "<=", ">", ">=", "==", "!=", "AND", "OR", "&", "|"};
    return QString::fromLatin1(names[int(op)]);
}

QString OperatorName(UnaryOp op)
{
    return op == UnaryOp::Negate ? QStringLiteral("-") : QStringLiteral("NOT");
}

Value Apply(BinaryOp op, Value left, Value right)
{
    if (left.isNone() || right.isNone())
        throw RunError(Texts::OperatorOnNone(OperatorName(op)));
    if (left.isString() || right.isString()) {
        if (op == BinaryOp::Add) {
            QString joined = JoinedText(left);
            const QString tail = JoinedText(right);
            if (joined.size() + tail.size() > MaxTextLength)
                throw RunError(Texts::TextTooLong(MaxTextLength));
            return Value(joined + tail);
        }
        if ((op == BinaryOp::Equal || op == BinaryOp::NotEqual) && left.isString() &&
            right.isString())
            return Value::truth((left.string() == right.string()) == (op == BinaryOp::Equal));
        throw RunError(Texts::OperatorOnString(OperatorName(op)));
    }
    return NumberOperation(op, std::move(left), std::move(right));
}

Value Apply(UnaryOp op, Value operand)
{
    if (operand.isNone())
        throw RunError(Texts::OperatorOnNone(OperatorName(op)));
    if (operand.isString())
        throw RunError(Texts::OperatorOnString(OperatorName(op)));
    if (op == UnaryOp::Negate)
        return Elementwise(Value(0.0), std::move(operand), Subtract);
    return Elementwise(std::move(operand), Value(0.0),
                       [](Number x, Number) -> Number { return IsTrue(x) ? 0 : 1; });
}

bool Condition(const Value& value)
{
    if (!value.isNumber())
        throw RunError(Texts::ConditionNotNumber(value.kindName()));
    return IsTrue(value.number());
}

QString NumberText(Number x)
{
    if (IsNull(x))
        return QStringLiteral("{EMPTY}");
    char buffer[32];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::general, 6);
    return QString::fromLatin1(buffer, end.ptr - buffer);
}

namespace {

// A whole bar number from 0 to count - 1; RunError otherwise.
qsizetype BarIndex(Number index, qsizetype count)
{
    if (!(index > -1 && index < Number(count)))
        throw RunError(Texts::SubscriptOutOfRange(NumberText(index), count));
    return qsizetype(index);
}

} // namespace

Number Subscript(const Value& x, Number index, qsizetype count)
{
    if (!x.isNumeric())
        throw RunError(Texts::SubscriptOf(x.kindName()));
    return x.at(BarIndex(index, count));
}

void AssignSubscript(Value& x, Number index, Number y, qsizetype count)
{
    if (x.isString())
        throw RunError(Texts::SubscriptOf(x.kindName()));
    const qsizetype i = BarIndex(index, count);
    Array values = x.isArray() ? x.takeArray() : x.toArray(count);
    if (values.size() < count)
        values.resize(count, Null);
    values[i] = y;
    x = Value(std::move(values));
}

} // namespace Sim
