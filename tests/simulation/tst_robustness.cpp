// Every built-in called with many counts and kinds of arguments, odd values among them, over
// runs of 0 to 12 bars: it gives a value whose arrays have the run's bars, or stops the run
// with a message naming the function; nothing else (the sanitizer build checks memory too).

#include "SimTestSupport.h"
#include "simulation/Environment.h"

#include <random>

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestRobustness : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void anyArguments();
};

void TestRobustness::anyArguments()
{
    const Sim::QuotesRead read = Sim::ReadQuotes(
        SimTest::ReadTestFile(QStringLiteral(ORVANTA_TEST_DATA "/simulation/two-sessions.csv")));
    QVERIFY(read.ok());
    Sim::Environment env;
    env.setQuotes(read.quotes);
    std::mt19937 random(16);
    const QList<Sim::Value> scalars = {
        Sim::Value(0.0),        Sim::Value(-1.0),      Sim::Value(2.5),
        Sim::Value(1e9),        Sim::Value(-1e12),     Sim::Value(Sim::Null),
        Sim::Value(4e18),       Sim::Value(u""_s),     Sim::Value(u"1"_s),
        Sim::Value(u"%d%s%"_s), Sim::Value(u"TEST"_s), Sim::Value(u"c"_s),
        Sim::Value(u"a|b"_s),   Sim::Value()};
    const QStringList names = env.library().functionNames();
    int values = 0;
    for (int bars = 0; bars <= 12; ++bars) {
        env.beginRun(bars);
        // Arrays of the run's bars, and one of another length (as a static array can be).
        QList<Sim::Value> pool = scalars;
        for (const qsizetype length : {qsizetype(bars), qsizetype(bars), qsizetype(bars + 2)}) {
            Sim::Array a;
            for (qsizetype i = 0; i < length; ++i)
                a.append(random() % 4 == 0 ? Sim::Null : Sim::Number(int(random() % 40) - 20) / 3);
            pool.append(Sim::Value(a));
        }
        for (const QString& name : names) {
            const Sim::Builtin* builtin = env.library().find(name);
            const int most = builtin->maxArgs < 0 ? builtin->minArgs + 3 : builtin->maxArgs;
            for (int count = std::max(0, builtin->minArgs - 1); count <= most + 1; ++count) {
                for (int trial = 0; trial < 8; ++trial) {
                    QList<Sim::Value> args;
                    for (int i = 0; i < count; ++i)
                        args.append(pool[qsizetype(random() % pool.size())]);
                    try {
                        const Sim::Value v = Sim::Invoke(*builtin, env, args);
                        QVERIFY2(!v.isArray() || v.array().size() == bars, qPrintable(name));
                        ++values;
                    } catch (const Sim::RunError& e) {
                        QVERIFY2(e.message().startsWith(u"funkcja "_s + builtin->name),
                                 qPrintable(e.message()));
                    }
                    env.restoreTimeFrame();
                }
            }
        }
    }
    QVERIFY(values > 1000);
}

QTEST_GUILESS_MAIN(TestRobustness)
#include "tst_robustness.moc"
