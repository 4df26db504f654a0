// Operators on numbers, arrays, texts and no value: Null, broadcasting, joining texts, errors;
// conditions; shared array storage.

#include "SimTestSupport.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using Sim::BinaryOp;
using Sim::UnaryOp;

Q_DECLARE_METATYPE(Sim::BinaryOp)

class TestValue : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void binary_data();
    void binary();
    void unary_data();
    void unary();
    void condition_data();
    void condition();
    void arraysAreShared();
    void subscripts_data();
    void subscripts();
};

void TestValue::binary_data()
{
    QTest::addColumn<QString>("left");
    QTest::addColumn<BinaryOp>("op");
    QTest::addColumn<QString>("right");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char* name, const char* l, BinaryOp op, const char* r,
                        const char* e) {
        QTest::newRow(name) << QString::fromUtf8(l) << op << QString::fromUtf8(r)
                            << QString::fromUtf8(e);
    };
    // Arithmetic: Null wins, a number stands for every bar, no infinity survives.
    row("numbers", "2", BinaryOp::Add, "3", "5");
    row("null plus", "2", BinaryOp::Add, "N", "N");
    row("null times zero", "N", BinaryOp::Multiply, "0", "N");
    row("array plus number", "[1 2 N]", BinaryOp::Add, "1", "[2 3 N]");
    row("number minus array", "10", BinaryOp::Subtract, "[1 2 3]", "[9 8 7]");
    row("array times array", "[1 2 3]", BinaryOp::Multiply, "[4 N 6]", "[4 N 18]");
    row("shorter array", "[1 2 3]", BinaryOp::Add, "[1]", "[2 N N]");
    row("divide by zero", "[1 2]", BinaryOp::Divide, "[0 2]", "[N 1]");
    row("modulo", "7", BinaryOp::Modulo, "3", "1");
    row("modulo zero", "7", BinaryOp::Modulo, "0", "N");
    row("power", "2", BinaryOp::Power, "10", "1024");
    row("root of negative", "-8", BinaryOp::Power, "0.5", "N");
    row("overflow", "1e308", BinaryOp::Multiply, "10", "N");
    // Comparisons: Null is neither below nor above anything, but equals Null.
    row("less", "1", BinaryOp::Less, "2", "1");
    row("null less", "N", BinaryOp::Less, "2", "0");
    row("null greater", "N", BinaryOp::Greater, "2", "0");
    row("greater than null", "5", BinaryOp::GreaterEqual, "N", "0");
    row("array compared", "[1 N 3]", BinaryOp::GreaterEqual, "2", "[0 0 1]");
    row("null equals null", "N", BinaryOp::Equal, "N", "1");
    row("null not five", "N", BinaryOp::NotEqual, "5", "1");
    row("less equal", "[1 2 3]", BinaryOp::LessEqual, "2", "[1 1 0]");
    // Logic: Null is false; bitwise operators work on whole numbers.
    row("and null", "1", BinaryOp::And, "N", "0");
    row("or null", "0", BinaryOp::Or, "N", "0");
    row("or number", "2", BinaryOp::Or, "0", "1");
    row("and array", "[1 0 N 5]", BinaryOp::And, "1", "[1 0 0 1]");
    row("bit and", "12", BinaryOp::BitAnd, "10", "8");
    row("bit or", "12", BinaryOp::BitOr, "3", "15");
    row("bit or null", "N", BinaryOp::BitOr, "1", "N");
    row("bit or too large", "1e19", BinaryOp::BitOr, "1", "N");
    row("bit or flags", "[1 2]", BinaryOp::BitOr, "4", "[5 6]");
    // Texts: + joins, a number written as %g, an array by its last value.
    row("text plus number", "'MA('", BinaryOp::Add, "10", "'MA(10'");
    row("number plus text", "10.5", BinaryOp::Add, "')'", "'10.5)'");
    row("texts", "'ab'", BinaryOp::Add, "'cd'", "'abcd'");
    row("text plus array", "'x'", BinaryOp::Add, "[1 2 3.5]", "'x3.5'");
    row("six digits", "'p'", BinaryOp::Add, "0.333333333", "'p0.333333'");
    row("large number", "'v'", BinaryOp::Add, "1234567", "'v1.23457e+06'");
    row("text plus null", "'a'", BinaryOp::Add, "N", "'a{EMPTY}'");
    row("texts equal", "'a'", BinaryOp::Equal, "'a'", "1");
    row("case counts", "'a'", BinaryOp::NotEqual, "'A'", "1");
    row("text minus", "'a'", BinaryOp::Subtract, "1", "error: operator - nie działa na tekście");
    row("texts ordered", "'a'", BinaryOp::Less, "'b'", "error: operator < nie działa na tekście");
    row("text equals number", "'1'", BinaryOp::Equal, "1",
        "error: operator == nie działa na tekście");
    row("text and", "'a'", BinaryOp::And, "1", "error: operator AND nie działa na tekście");
    row("no value", "none", BinaryOp::Add, "1", "error: operator + nie działa na wartości pustej");
    row("no value and text", "'a'", BinaryOp::Add, "none",
        "error: operator + nie działa na wartości pustej");
}

void TestValue::binary()
{
    QFETCH(QString, left);
    QFETCH(BinaryOp, op);
    QFETCH(QString, right);
    QFETCH(QString, expected);
    const QString mismatch = SimTest::Mismatch(
        [&] { return Sim::Apply(op, SimTest::ParseLiteral(left), SimTest::ParseLiteral(right)); },
        expected, SimTest::ParseLiteral(expected), 1e-12);
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
}

void TestValue::unary_data()
{
    QTest::addColumn<bool>("negate");
    QTest::addColumn<QString>("operand");
    QTest::addColumn<QString>("expected");
    QTest::newRow("minus") << true << u"[1 N -2]"_s << u"[-1 N 2]"_s;
    QTest::newRow("minus number") << true << u"3"_s << u"-3"_s;
    QTest::newRow("not") << false << u"[0 1 N 7]"_s << u"[1 0 1 0]"_s;
    QTest::newRow("not null") << false << u"N"_s << u"1"_s;
    QTest::newRow("minus text") << true << u"'a'"_s << u"error: operator - nie działa na tekście"_s;
    QTest::newRow("not none") << false << u"none"_s
                              << u"error: operator NOT nie działa na wartości pustej"_s;
}

void TestValue::unary()
{
    QFETCH(bool, negate);
    QFETCH(QString, operand);
    QFETCH(QString, expected);
    const QString mismatch = SimTest::Mismatch(
        [&] {
            return Sim::Apply(negate ? UnaryOp::Negate : UnaryOp::Not,
                              SimTest::ParseLiteral(operand));
        },
        expected, SimTest::ParseLiteral(expected), 0);
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
}

void TestValue::condition_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("one") << u"1"_s << u"true"_s;
    QTest::newRow("negative") << u"-0.5"_s << u"true"_s;
    QTest::newRow("zero") << u"0"_s << u"false"_s;
    QTest::newRow("null") << u"N"_s << u"false"_s;
    QTest::newRow("array") << u"[1 1]"_s << u"warunek musi być liczbą, a jest tablicą"_s;
    QTest::newRow("text") << u"'1'"_s << u"warunek musi być liczbą, a jest tekstem"_s;
    QTest::newRow("none") << u"none"_s << u"warunek musi być liczbą, a jest wartością pustą"_s;
}

void TestValue::condition()
{
    QFETCH(QString, value);
    QFETCH(QString, expected);
    QString actual;
    try {
        actual = Sim::Condition(SimTest::ParseLiteral(value)) ? u"true"_s : u"false"_s;
    } catch (const Sim::RunError& e) {
        actual = e.message();
    }
    QCOMPARE(actual, expected);
}

void TestValue::arraysAreShared()
{
    // Copies share storage; an operation on a copy leaves the original as it was.
    const Sim::Value original(Sim::Array{1, 2, 3});
    Sim::Value copy = original;
    QCOMPARE(copy.array().constData(), original.array().constData());
    const Sim::Value sum = Sim::Apply(BinaryOp::Add, copy, Sim::Value(1.0));
    QCOMPARE(SimTest::Show(original), u"[1 2 3]"_s);
    QCOMPARE(SimTest::Show(sum), u"[2 3 4]"_s);
    const Sim::Value twice = Sim::Apply(BinaryOp::Add, original, original);
    QCOMPARE(SimTest::Show(twice), u"[2 4 6]"_s);
    QCOMPARE(SimTest::Show(original), u"[1 2 3]"_s);

    // A temporary's storage takes the result: no new array.
    Sim::Array temporary{1, 2, 3};
    const Sim::Number* storage = temporary.constData();
    const Sim::Value result =
        Sim::Apply(BinaryOp::Multiply, Sim::Value(std::move(temporary)), Sim::Value(2.0));
    QCOMPARE(result.array().constData(), storage);
    QCOMPARE(SimTest::Show(result), u"[2 4 6]"_s);

    // An element written into an array no one else holds: in place.
    Sim::Value unique(Sim::Array{1, 2, 3});
    const Sim::Number* before = unique.array().constData();
    Sim::AssignSubscript(unique, 0, 7, 3);
    QCOMPARE(unique.array().constData(), before);
}

void TestValue::subscripts_data()
{
    // x[index] over 3 bars, and x after x[index] = 9.
    QTest::addColumn<QString>("x");
    QTest::addColumn<double>("index");
    QTest::addColumn<QString>("read");
    QTest::addColumn<QString>("written");
    const QString outside = u"error: indeks 3 poza zakresem 0–2"_s;
    QTest::newRow("array") << u"[1 2 3]"_s << 1.0 << u"2"_s << u"[1 9 3]"_s;
    QTest::newRow("fraction dropped") << u"[1 2 3]"_s << 2.7 << u"3"_s << u"[1 2 9]"_s;
    QTest::newRow("null element") << u"[1 N 3]"_s << 1.0 << u"N"_s << u"[1 9 3]"_s;
    QTest::newRow("number") << u"5"_s << 0.0 << u"5"_s << u"[9 5 5]"_s;
    QTest::newRow("no value") << u"none"_s << 2.0
                              << u"error: nie można indeksować wartości, która "
                                 u"jest wartością pustą"_s
                              << u"[N N 9]"_s;
    QTest::newRow("past the end") << u"[1 2 3]"_s << 3.0 << outside << outside;
    QTest::newRow("negative") << u"[1 2 3]"_s << -1.0 << u"error: indeks -1 poza zakresem 0–2"_s
                              << u"error: indeks -1 poza zakresem 0–2"_s;
    QTest::newRow("text") << u"'ab'"_s << 0.0
                          << u"error: nie można indeksować wartości, która jest tekstem"_s
                          << u"error: nie można indeksować wartości, która jest tekstem"_s;
}

void TestValue::subscripts()
{
    QFETCH(QString, x);
    QFETCH(double, index);
    QFETCH(QString, read);
    QFETCH(QString, written);
    const Sim::Value value = SimTest::ParseLiteral(x);
    QString mismatch =
        SimTest::Mismatch([&] { return Sim::Value(Sim::Subscript(value, index, 3)); }, read,
                          SimTest::ParseLiteral(read), 0);
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    Sim::Value target = value;
    mismatch = SimTest::Mismatch(
        [&] {
            Sim::AssignSubscript(target, index, 9, 3);
            return target;
        },
        written, SimTest::ParseLiteral(written), 0);
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    QCOMPARE(SimTest::Show(value), SimTest::Show(SimTest::ParseLiteral(x))); // a copy kept
}

QTEST_GUILESS_MAIN(TestValue)
#include "tst_value.moc"
