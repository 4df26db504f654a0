#pragma once
// Run-time values of AFL: a number, an array of bar values, a text, or no value at all; the
// operators between them and the truth of a condition.

#include <exception>

#include <QByteArray>
#include <QList>
#include <QString>

namespace Sim {

/// A number of a run. Doubles, not AFL's documented 32-bit floats: date-time values must stay
/// exact to the second (docs/decisions/simulation.md).
using Number = double;

/// The longest text a run may build; a longer one stops it.
inline constexpr qsizetype MaxTextLength = 1'000'000;

/// AFL's Null, the empty value: what an indicator gives before it has enough bars.
inline constexpr Number Null = -1e10;

inline bool IsNull(Number x)
{
    return x == Null;
}
/// A number taken as a condition: true when neither zero nor Null.
inline bool IsTrue(Number x)
{
    return x != 0 && x != Null;
}

/// The values of a series, one a bar. Implicitly shared: a copy costs a reference count, and
/// the storage is copied only when a shared array is written.
using Array = QList<Number>;

/// An error that stops a run: the message without its place, which the caller adds.
class RunError : public std::exception
{
public:
    explicit RunError(QString message);
    const QString& message() const { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

class Value
{
public:
    enum class Kind : quint8
    {
        None,
        Number,
        Array,
        String
    };

    /// No value: what a procedure or a drawing call gives.
    Value() = default;
    explicit Value(Number number)
        : m_kind(Kind::Number)
        , m_number(number)
    {}
    explicit Value(Array array)
        : m_kind(Kind::Array)
        , m_array(std::move(array))
    {}
    explicit Value(QString text)
        : m_kind(Kind::String)
        , m_string(std::move(text))
    {}
    /// 1 or 0, AFL's True and False.
    static Value truth(bool value) { return Value(value ? 1.0 : 0.0); }

    Kind kind() const { return m_kind; }
    bool isNone() const { return m_kind == Kind::None; }
    bool isNumber() const { return m_kind == Kind::Number; }
    bool isArray() const { return m_kind == Kind::Array; }
    bool isString() const { return m_kind == Kind::String; }
    /// A number or an array.
    bool isNumeric() const { return m_kind == Kind::Number || m_kind == Kind::Array; }

    Number number() const { return m_number; }
    const Array& array() const { return m_array; }
    const QString& string() const { return m_string; }

    /// The value at bar `i`: a number at every bar, an array's element (Null past its end).
    Number at(qsizetype i) const
    {
        if (m_kind == Kind::Array)
            return i >= 0 && i < m_array.size() ? m_array.at(i) : Null;
        return m_kind == Kind::Number ? m_number : Null;
    }
    /// A number, or an array's last element (Null when it is empty).
    Number last() const;
    /// The value as `count` bar values: a number repeated, an array cut or padded with Null.
    Array toArray(qsizetype count) const;

    /// The kind as the error texts name it ("liczbą", "tablicą", ...).
    QString kindName() const;

    /// Moves the array out, leaving an empty one: an operation on a temporary writes its result
    /// into the same storage.
    Array takeArray() { return std::move(m_array); }

private:
    Kind m_kind = Kind::None;
    Number m_number = 0;
    Array m_array;
    QString m_string;
};

enum class BinaryOp : quint8
{
    Add,
    Subtract,
    Multiply,
    Divide,
    Modulo,
    Power,
    Less,
    LessEqual,
    Greater,
    GreaterEqual,
    Equal,
    NotEqual,
    And,
    Or,
    BitAnd,
    BitOr,
};
enum class UnaryOp : quint8
{
    Negate,
    Not
};

/// The operator as AFL writes it ("+", "<=", "AND", ...), for messages.
QString OperatorName(BinaryOp op);
QString OperatorName(UnaryOp op);

/// `left op right`, element by element, a number standing for every bar; throws RunError for
/// kinds the operator does not take. Operands are taken by value so that a temporary array is
/// reused for the result.
Value Apply(BinaryOp op, Value left, Value right);
Value Apply(UnaryOp op, Value operand);

/// The truth of an if, while, for, do or ?: condition: a number only (throws RunError for an
/// array, a text or no value).
bool Condition(const Value& value);

/// A number as `+` joins it to a text: "%g" (six significant digits), "{EMPTY}" for Null.
QString NumberText(Number x);

/// `x[index]` of a script over `count` bars: an array's element, or a number (it stands for every
/// bar). The index must be a whole bar number from 0 to count − 1 (its fraction is dropped);
/// RunError otherwise, and for a text or no value.
Number Subscript(const Value& x, Number index, qsizetype count);
/// `x[index] = y`: a number becomes an array of `count` bars of that number first, no value an
/// array of Null; the array is written in place unless it is shared.
void AssignSubscript(Value& x, Number index, Number y, qsizetype count);

} // namespace Sim
