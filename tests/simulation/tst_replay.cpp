// The replay of finished scripts over quotes: what the generated safeguards really let through,
// the recorder's rules, restarts, and where a failing run stops.

#include "../support/DemoScripts.h"
#include "SimTestSupport.h"
#include "generator/Sections.h"
#include "simulation/DateTime.h"
#include "simulation/Replay.h"

#include <cmath>

#include <QTest>

using namespace Qt::Literals::StringLiterals;

Q_DECLARE_METATYPE(Afl::GeneratorSettings)

namespace {

using TestSupport::DemoSettings;
using TestSupport::Finished;

// The first `bars` bars of the synthetic demo quotes.
Sim::Quotes DemoQuotes(qsizetype bars)
{
    Sim::Quotes quotes =
        Sim::ReadQuotes(SimTest::ReadTestFile(QStringLiteral(
                            ORVANTA_SOURCE_DIR "/examples/demo-notowania-syntetyczne.csv")))
            .quotes;
    quotes.bars = quotes.bars.first(bars);
    return quotes;
}

Sim::Quotes TwoSessions()
{
    return Sim::ReadQuotes(SimTest::ReadTestFile(
                               QStringLiteral(ORVANTA_TEST_DATA "/simulation/two-sessions.csv")))
        .quotes;
}

Sim::ReplayResult Replay(const QString& script, const Sim::Quotes& quotes,
                         const Sim::ReplayOptions& options = {})
{
    return Sim::Replay({script, QString(), {}}, quotes, options);
}

QList<int> Sent(const Sim::ReplayResult& result, Sim::OrderSide side)
{
    QList<int> bars;
    for (const Sim::OrderRow& row : result.orders)
        if (row.status == Sim::OrderStatus::Sent && row.side == side)
            bars.append(row.bar);
    return bars;
}

} // namespace

class TestReplay : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void demoScriptIsTheGoldenOne();
    void demoOrdersAlternateWithPercentLimits();
    void ordersPerSignalBar_data();
    void ordersPerSignalBar();
    void fixedLimitsAndActivation_data();
    void fixedLimitsAndActivation();
    void namedSecurityAndDailyReference();
    void wrongIntervalRefusesEveryOrder();
    void recorderRules();
    void restartForgetsStaticFlags();
    void staticsOutliveRunsAndTracesKeepTheirPlace();
    void failureSaysWhere();
    void syntaxErrorsRunNothing();
    void paramOverrides_data();
    void paramOverrides();
};

void TestReplay::initTestCase()
{
    qputenv("SOURCE_DATE_EPOCH", "1706832000");
}

void TestReplay::demoScriptIsTheGoldenOne()
{
    // The settings above are those of demo.afp: they write the golden finished script of
    // `orvanta generate examples/demo.afp`, the one the scenarios below vary.
    QString actual = Finished(DemoSettings());
    const QString dateLine = u"// "_s + Afl::HeaderDate() + u"\r\n"_s;
    QVERIFY(actual.contains(dateLine));
    actual.replace(dateLine, u"// @DATE@\r\n"_s);
    QCOMPARE(actual,
             SimTest::ReadTestFile(QStringLiteral(ORVANTA_TEST_DATA "/cli/demo.expected.afl")));
}

void TestReplay::demoOrdersAlternateWithPercentLimits()
{
    const Sim::Quotes quotes = DemoQuotes(2496);
    const Sim::ReplayResult result = Replay(Finished(DemoSettings()), quotes, {});
    QCOMPARE(result.status, Sim::ReplayStatus::Ran);
    QCOMPARE(result.barsRun, 2496);
    QVERIFY(result.counts.sent >= 6);
    QCOMPARE(result.counts.refused, 0);
    QCOMPARE(result.counts.mostPerBar, 1);
    // Buy, sell, buy, ...: the first order buys, every sell sells the whole holding.
    Sim::Number holding = 0;
    for (qsizetype i = 0; i < result.orders.size(); ++i) {
        const Sim::OrderRow& row = result.orders[i];
        const Sim::Number close = quotes.bars.close[row.bar];
        QCOMPARE(row.side, i % 2 == 0 ? Sim::OrderSide::Buy : Sim::OrderSide::Sell);
        QCOMPARE(row.answer, u"SIM-"_s + QString::number(i + 1));
        if (row.side == Sim::OrderSide::Buy) {
            QCOMPARE(row.quantity, std::floor(5000 / close));
            QCOMPARE(row.limit, close + close * 0.01);
        } else {
            QCOMPARE(row.quantity, holding);
            QCOMPARE(row.limit, close - close * 0.01);
        }
        QCOMPARE(row.activation, 0.0);
        holding = row.holdingAfter;
    }
    QCOMPARE(result.holdingByBar.last(), holding);
    // The plug-in was set up once, on the first run.
    QCOMPARE(result.calls.first().function, u"voxInit"_s);
    QCOMPARE(Sim::CallText(result.calls[1]), u"voxSetInterval(\"\", 300)"_s);
    QCOMPARE(Sim::CallText(result.calls[2]), u"voxOnlyReverse(\"\", 1)"_s);
    QCOMPARE(Sim::CallText(result.calls[3]), u"voxPositions(\"\") → 0"_s);
}

void TestReplay::ordersPerSignalBar_data()
{
    QTest::addColumn<bool>("oneOrderPerBar");
    QTest::addColumn<bool>("reverseOnly");
    QTest::addColumn<int>("refreshes");
    QTest::addColumn<int>("mostPerBar");
    QTest::newRow("no safeguard, 3 refreshes") << false << false << 3 << 3;
    QTest::newRow("one order per candle, 3 refreshes") << true << false << 3 << 1;
    QTest::newRow("alternate orders, 3 refreshes") << false << true << 3 << 1;
    QTest::newRow("no safeguard, 1 refresh") << false << false << 1 << 1;
}

void TestReplay::ordersPerSignalBar()
{
    QFETCH(bool, oneOrderPerBar);
    QFETCH(bool, reverseOnly);
    QFETCH(int, refreshes);
    QFETCH(int, mostPerBar);
    Afl::GeneratorSettings s = DemoSettings();
    s.oneOrderPerBar = oneOrderPerBar;
    s.reverseOnly = reverseOnly;
    Sim::ReplayOptions options;
    options.refreshesPerBar = refreshes;
    const Sim::ReplayResult result = Replay(Finished(s), DemoQuotes(700), options);
    QCOMPARE(result.status, Sim::ReplayStatus::Ran);
    QCOMPARE(result.counts.mostPerBar, mostPerBar);
    // The first buy signal of the demo quotes is at bar 459: every buy is sent there.
    const QList<int> buys = Sent(result, Sim::OrderSide::Buy);
    QCOMPARE(buys, QList<int>(mostPerBar, 459));
    QCOMPARE(result.counts.mostPerBarAt, 459);
}

void TestReplay::fixedLimitsAndActivation_data()
{
    QTest::addColumn<bool>("peg");
    QTest::addColumn<QString>("function");
    QTest::addColumn<double>("activation");
    QTest::newRow("fixed limit, activation by amount") << false << u"voxBuy"_s << 0.5;
    QTest::newRow("PEG") << true << u"voxBuyPEG"_s << 0.0;
}

void TestReplay::fixedLimitsAndActivation()
{
    QFETCH(bool, peg);
    QFETCH(QString, function);
    QFETCH(double, activation);
    Afl::GeneratorSettings s = DemoSettings();
    s.orderMode = Afl::OrderMode::Limit;
    s.limitValue = 123.45;
    s.activationMode = peg ? Afl::ActivationMode::Off : Afl::ActivationMode::Amount;
    s.activationValue = 0.5;
    s.peg = peg;
    const Sim::Quotes quotes = DemoQuotes(700);
    const Sim::ReplayResult result = Replay(Finished(s), quotes);
    QCOMPARE(result.status, Sim::ReplayStatus::Ran);
    QVERIFY(!result.orders.isEmpty());
    const Sim::OrderRow& buy = result.orders.first();
    QCOMPARE(buy.function, function);
    QCOMPARE(buy.limit, 123.45);
    const Sim::Number close = quotes.bars.close[buy.bar];
    QCOMPARE(buy.activation, activation == 0 ? 0 : close + activation);
}

void TestReplay::namedSecurityAndDailyReference()
{
    // The security named in the wizard (Foreign, voxAddTicker) and the limit from the daily
    // close (TimeFrameSet inside getLimit): the close of the day so far, that is the bar's.
    Afl::GeneratorSettings s = DemoSettings();
    s.tickerMode = Afl::TickerMode::Defined;
    s.tickerName = u"DEMO"_s;
    s.referenceMode = Afl::ReferenceMode::ReferencePrice;
    const Sim::Quotes quotes = DemoQuotes(700);
    const Sim::ReplayResult result = Replay(Finished(s), quotes);
    QCOMPARE(result.status, Sim::ReplayStatus::Ran);
    QCOMPARE(Sim::CallText(result.calls[1]), u"voxAddTicker(\"DEMO\")"_s);
    QVERIFY(!result.orders.isEmpty());
    const Sim::OrderRow& buy = result.orders.first();
    const Sim::Number close = quotes.bars.close[buy.bar];
    QCOMPARE(buy.ticker, u"DEMO"_s);
    QCOMPARE(buy.limit, close + close * 0.01);
}

void TestReplay::wrongIntervalRefusesEveryOrder()
{
    // A script for 1-minute charts on 5-minute quotes: every order is refused, the holding
    // stays, and the safeguards in the script let it try again on the next signal bar only.
    Afl::GeneratorSettings s = DemoSettings();
    s.interval = 60;
    const Sim::ReplayResult result = Replay(Finished(s), DemoQuotes(2496));
    QCOMPARE(result.status, Sim::ReplayStatus::Ran);
    QCOMPARE(result.counts.sent, 0);
    QVERIFY(result.counts.refused >= 5);
    for (const Sim::OrderRow& row : result.orders) {
        QCOMPARE(row.status, Sim::OrderStatus::Refused);
        QCOMPARE(row.answer, QString());
        QCOMPARE(row.holdingAfter, 0.0);
        QCOMPARE(row.reason, u"wykres ma interwał 300 s, a zlecenia są dozwolone tylko przy "
                             u"interwale 60 s (voxSetInterval)"_s);
    }
}

void TestReplay::recorderRules()
{
    const QString script = uR"(
        voxInit();
        voxOnlyReverse("", 1);
        start = voxPositions("");
        a = voxBuy("", "konto", 10, 12.5, 0);
        b = voxBuy("", "konto", 10, 12.5, 0);
        c = voxSellPEG("", "", 15, 0, 0);
        d = voxBuy("", "", 2.5, 0, 0);
        _TRACE(start + " " + a + "|" + b + "|" + c + "|" + d + " " + voxPositions(""));
    )"_s;
    Sim::ReplayOptions options;
    options.startingHolding = 5;
    Sim::Quotes quotes = TwoSessions();
    quotes.bars = quotes.bars.first(1);
    const Sim::ReplayResult result = Replay(script, quotes, options);
    QCOMPARE(result.status, Sim::ReplayStatus::Ran);
    QCOMPARE(result.traces.size(), 1);
    QCOMPARE(result.traces[0].text, u"5 SIM-1||SIM-2| 0"_s);
    QCOMPARE(result.orders.size(), 4);
    QCOMPARE(result.orders[1].status, Sim::OrderStatus::Refused);
    QCOMPARE(result.orders[1].reason, u"drugie z rzędu zlecenie kupna, a dozwolone są tylko "
                                      u"zlecenia naprzemienne (voxOnlyReverse)"_s);
    QCOMPARE(result.orders[1].holdingAfter, 15.0);
    QCOMPARE(result.orders[2].holdingAfter, 0.0);
    QCOMPARE(result.orders[3].reason,
             u"ilość 2.5 nie jest dodatnią liczbą całkowitą mniejszą od 10^15"_s);
    QCOMPARE(result.orders[0].account, u"konto"_s);
    QCOMPARE(result.counts.sent, 2);
    QCOMPARE(result.counts.refused, 2);
    QCOMPARE(result.calls.size(), 8);
}

void TestReplay::restartForgetsStaticFlags()
{
    // A strategy without ExRem, wrapped with "alternate orders only": its buy signal holds for
    // many bars, the flags let one buy through. A restart each morning at 9:00 forgets them (and
    // the plug-in its last side), so each session buys again.
    const QString source = u"Buy = C > MA(C, 20);\r\nSell = C < 0;\r\n"_s;
    const QString script = Finished(DemoSettings(), source);
    QVERIFY(!script.isEmpty());
    const Sim::Quotes quotes = DemoQuotes(96 * 4);
    const Sim::ReplayResult plain = Replay(script, quotes);
    QCOMPARE(Sent(plain, Sim::OrderSide::Buy).size(), 1);

    Sim::ReplayOptions options;
    options.restartTime = 9 * 3600;
    const Sim::ReplayResult restarted = Replay(script, quotes, options);
    QCOMPARE(restarted.restarts, (QList<int>{96, 192, 288}));
    const QList<int> buys = Sent(restarted, Sim::OrderSide::Buy);
    QCOMPARE(buys.size(), 4);
    for (int day = 0; day < 4; ++day)
        QVERIFY(buys[day] >= day * 96 && buys[day] < (day + 1) * 96);
    Sim::Number bought = 0;
    for (const Sim::OrderRow& row : restarted.orders)
        bought += row.quantity;
    QCOMPARE(restarted.holdingByBar.last(), bought);
}

void TestReplay::staticsOutliveRunsAndTracesKeepTheirPlace()
{
    const QString script = uR"(
        n = Nz(StaticVarGet("n")) + 1;
        StaticVarSet("n", n);
        _TRACE(NumToStr(n, 1.0) + " " + Now(2));
    )"_s;
    Sim::ReplayOptions options;
    options.refreshesPerBar = 2;
    options.restartTime = 9 * 3600;
    const Sim::ReplayResult result = Replay(script, TwoSessions(), options);
    QCOMPARE(result.status, Sim::ReplayStatus::Ran);
    QCOMPARE(result.traces.size(), 24);
    QCOMPARE(result.traces[11].text, u"12 16:55:00"_s);
    QCOMPARE(result.traces[11].bar, 5);
    QCOMPARE(result.traces[11].run, 1);
    // The restart before the 9:00 bar starts the count again.
    QCOMPARE(result.restarts, QList<int>{6});
    QCOMPARE(result.traces[12].text, u"1 09:00:00"_s);
    QCOMPARE(Sim::DateTimeText(result.traces[12].time), u"2024-03-15 09:00:00"_s);
}

void TestReplay::failureSaysWhere()
{
    const QString script = u"x = 1;\nif (BarCount > 4)\n  x = Oops(x);\nvoxInit();"_s;
    Sim::ReplayOptions options;
    options.refreshesPerBar = 3;
    const Sim::ReplayResult result = Replay(script, TwoSessions(), options);
    QCOMPARE(result.status, Sim::ReplayStatus::Failed);
    QVERIFY(result.failure);
    QCOMPARE(
        result.failure->text(),
        u"świeca nr 5 (2024-03-14 16:50:00), odświeżenie 1: wiersz 3: nieznana funkcja Oops"_s);
    QCOMPARE(result.barsRun, 5);
    QCOMPARE(result.calls.size(), 12); // four bars of three runs came first
}

void TestReplay::syntaxErrorsRunNothing()
{
    const Sim::ReplayResult result = Replay(u"voxInit();\nx = (1;"_s, TwoSessions());
    QCOMPARE(result.status, Sim::ReplayStatus::NotRun);
    QCOMPARE(result.barsRun, 0);
    QVERIFY(result.calls.isEmpty());
    QCOMPARE(result.diagnostics.size(), 1);
    QCOMPARE(result.diagnostics[0].text(), u"wiersz 2, znak 5: niedomknięty nawias"_s);
}

void TestReplay::paramOverrides_data()
{
    QTest::addColumn<QString>("call");
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("expected"); // the _TRACE of the value, or "error: ..."
    QTest::newRow("default") << u"Param(\"Okres\", 10, 1, 100)"_s << QString() << u"10"_s;
    QTest::newRow("number, any letter case")
        << u"Param(\"Okres\", 10, 1, 100)"_s << u"okres=20,5"_s << u"20.5"_s;
    QTest::newRow("toggle by item")
        << u"ParamToggle(\"Wysyłanie zleceń\", \"Wyłączone|Włączone\", 0)"_s
        << u"WYSYŁANIE ZLECEŃ=włączone"_s << u"1"_s;
    QTest::newRow("toggle by number") << u"ParamToggle(\"T\", \"a|b\")"_s << u"t=1"_s << u"1"_s;
    QTest::newRow("list by name") << u"ParamList(\"L\", \"a|bb|c\", 0)"_s << u"l=BB"_s << u"bb"_s;
    QTest::newRow("text") << u"ParamStr(\"S\", \"x\")"_s << u"S=abc"_s << u"abc"_s;
    QTest::newRow("time") << u"ParamTime(\"Od\", \"09:00\")"_s << u"od=10:30"_s << u"103000"_s;
    QTest::newRow("toggle, no such item")
        << u"ParamToggle(\"T\", \"a|b\")"_s << u"t=2"_s
        << u"error: wiersz 1: funkcja ParamToggle: parametr „T”: niepoprawna wartość „2”"_s;
    QTest::newRow("not a number")
        << u"Param(\"P\", 1, 0, 9)"_s << u"p=abc"_s
        << u"error: wiersz 1: funkcja Param: parametr „P”: niepoprawna wartość „abc”"_s;
}

// A replay gives parameters values by name in any letter case; the result shows what ran.
void TestReplay::paramOverrides()
{
    QFETCH(QString, call);
    QFETCH(QString, given);
    QFETCH(QString, expected);
    Sim::ReplayOptions options;
    if (!given.isEmpty())
        options.params.insert(given.section(u'=', 0, 0), given.section(u'=', 1));
    Sim::Quotes quotes = TwoSessions();
    quotes.bars = quotes.bars.first(1);
    const Sim::ReplayResult result =
        Replay(u"v = "_s + call + u";\n_TRACE(\"\" + v);"_s, quotes, options);
    if (expected.startsWith(u"error: "_s)) {
        QCOMPARE(result.status, Sim::ReplayStatus::Failed);
        QCOMPARE(result.failure->where.text(), expected.mid(7));
        return;
    }
    QCOMPARE(result.status, Sim::ReplayStatus::Ran);
    QCOMPARE(result.traces.first().text, expected);
    QCOMPARE(result.params.size(), 1);
    QCOMPARE(result.params.first().given, !given.isEmpty());
}

QTEST_GUILESS_MAIN(TestReplay)
#include "tst_replay.moc"
