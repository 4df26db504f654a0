// The synthetic demo quotes suit the demo project: 5-minute bars of DEMO, enough of them for
// the 200-bar trend filter, and crossovers both ways that give a handful of signals.

#include "SimTestSupport.h"
#include "simulation/Environment.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

Sim::Value Run(Sim::Environment& env, const char* name, const QList<Sim::Value>& args)
{
    return Sim::Invoke(*env.library().find(QString::fromLatin1(name)), env, args);
}

QList<int> TrueBars(const Sim::Value& v)
{
    QList<int> bars;
    for (qsizetype i = 0; i < v.array().size(); ++i)
        if (Sim::IsTrue(v.array()[i]))
            bars.append(int(i));
    return bars;
}

} // namespace

class TestDemoQuotes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void suitsTheDemoProject();
    void scriptWritesTheSameBytes();
};

void TestDemoQuotes::suitsTheDemoProject()
{
    const Sim::QuotesRead read = Sim::ReadQuotes(SimTest::ReadTestFile(
        QStringLiteral(ORVANTA_SOURCE_DIR "/examples/demo-notowania-syntetyczne.csv")));
    QVERIFY2(read.ok(), qPrintable(read.message()));
    QCOMPARE(read.quotes.ticker, u"DEMO"_s);
    QCOMPARE(read.quotes.interval, 300); // the demo project's interval safeguard
    QVERIFY(read.quotes.bars.size() >= 2000 && read.quotes.bars.size() <= 3000);

    // examples/demo.afl over all bars, with its parameters' defaults (10, 30).
    Sim::Environment env;
    env.setQuotes(read.quotes);
    env.beginRun(read.quotes.bars.size());
    using Sim::BinaryOp;
    using Sim::Value;
    const Value h = env.variable(u"H"_s), l = env.variable(u"L"_s), c = env.variable(u"C"_s);
    const Value cena =
        Sim::Apply(BinaryOp::Divide, Sim::Apply(BinaryOp::Add, Sim::Apply(BinaryOp::Add, h, l), c),
                   Value(3.0));
    const Value fast = Run(env, "MA", {cena, Value(10.0)});
    const Value slow = Run(env, "EMA", {cena, Value(30.0)});
    const Value trendUp = Sim::Apply(BinaryOp::Greater, c, Run(env, "MA", {c, Value(200.0)}));
    Value buy = Sim::Apply(BinaryOp::And, Run(env, "Cross", {fast, slow}), trendUp);
    Value sell = Run(env, "Cross", {slow, fast});
    const Value exBuy = Run(env, "ExRem", {buy, sell});
    sell = Run(env, "ExRem", {sell, exBuy});
    buy = exBuy;

    const QList<int> buys = TrueBars(buy);
    const QList<int> sells = TrueBars(sell);
    QVERIFY2(!buys.isEmpty() && buys.first() >= 199, "the trend filter opens after bar 200");
    QVERIFY2(buys.size() >= 4 && buys.size() <= 10, qPrintable(QString::number(buys.size())));
    QVERIFY2(sells.size() >= 4 && sells.size() <= 10, qPrintable(QString::number(sells.size())));
    // Crossovers both ways well beyond the signals that pass the filter.
    QVERIFY(TrueBars(Run(env, "Cross", {fast, slow})).size() >= 2 * buys.size());
}

void TestDemoQuotes::scriptWritesTheSameBytes()
{
    // The committed file is what the script writes, byte for byte.
    QTemporaryDir dir;
    const QString written = dir.filePath(u"demo.csv"_s);
    QProcess script;
    script.start(QStringLiteral(ORVANTA_SOURCE_DIR "/scripts/make-demo-quotes"), {written});
    QVERIFY(script.waitForFinished(60000));
    QCOMPARE(script.exitCode(), 0);
    QFile made(written);
    QFile committed(QStringLiteral(ORVANTA_SOURCE_DIR "/examples/demo-notowania-syntetyczne.csv"));
    QVERIFY(made.open(QIODevice::ReadOnly) && committed.open(QIODevice::ReadOnly));
    QVERIFY(made.readAll() == committed.readAll());
}

QTEST_GUILESS_MAIN(TestDemoQuotes)
#include "tst_demoquotes.moc"
