// The simulation service on the demo project's finished scripts with the safety switches set:
// what test mode, the master switch, the order log and the daily cap let out, as the order
// log shows it.

#include "../support/DemoScripts.h"
#include "app/Simulation.h"
#include "generator/GeneratorTexts.h"
#include "simulation/DateTime.h"

#include <QtTest>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString DemoQuotes =
    QStringLiteral(ORVANTA_SOURCE_DIR "/examples/demo-notowania-syntetyczne.csv");

App::SimulationOutcome Simulate(const Afl::GeneratorSettings& s, int refreshes, bool armed)
{
    App::SimulationRequest request;
    request.script = TestSupport::Finished(s);
    request.quotesPath = DemoQuotes;
    request.options.refreshesPerBar = refreshes;
    request.armed = armed;
    return App::RunSimulation(request);
}

// The orders of one status as "bar run side quantity" (test mode's quantities are whole).
QStringList Orders(const Sim::ReplayResult& result, Sim::OrderStatus status)
{
    QStringList orders;
    for (const Sim::OrderRow& row : result.orders)
        if (row.status == status)
            orders.append(u"%1 %2 %3 %4"_s.arg(row.bar)
                              .arg(row.run)
                              .arg(Sim::SideText(row.side))
                              .arg(row.quantity));
    return orders;
}

int OrderCalls(const Sim::ReplayResult& result)
{
    int calls = 0;
    for (const Sim::PluginCall& call : result.calls)
        calls += call.function.startsWith(u"voxBuy"_s) || call.function.startsWith(u"voxSell"_s);
    return calls;
}

} // namespace

class TestSimulation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void switches_data();
    void switches();
    void refusals_data();
    void refusals();
};

void TestSimulation::switches_data()
{
    QTest::addColumn<bool>("testMode");
    QTest::addColumn<bool>("masterSwitch");
    QTest::addColumn<bool>("armed");
    QTest::addColumn<bool>("orderLog");
    QTest::addColumn<int>("cap");
    QTest::addColumn<bool>("safeguards"); // one order per candle, alternate orders
    QTest::addColumn<int>("refreshes");
    // What goes out: the plain script's orders, sent or as test rows, or none; with a cap,
    // at most `cap` a day.
    QTest::addColumn<QString>("expected");
    QTest::newRow("test mode logs every order, sends none")
        << true << false << false << false << 0 << true << 1 << u"test"_s;
    QTest::newRow("test mode, 3 refreshes, no safeguard")
        << true << false << false << false << 0 << false << 3 << u"test"_s;
    QTest::newRow("master switch off")
        << false << true << false << false << 0 << true << 1 << u"none"_s;
    QTest::newRow("master switch armed")
        << false << true << true << false << 0 << true << 1 << u"sent"_s;
    QTest::newRow("order log doubles no row")
        << false << false << false << true << 0 << true << 1 << u"sent"_s;
    QTest::newRow("daily cap 2, 3 refreshes, no safeguard")
        << false << false << false << false << 2 << false << 3 << u"capped"_s;
    QTest::newRow("daily cap 1 in test mode")
        << true << false << false << false << 1 << false << 3 << u"capped"_s;
}

void TestSimulation::switches()
{
    QFETCH(bool, testMode);
    QFETCH(bool, masterSwitch);
    QFETCH(bool, armed);
    QFETCH(bool, orderLog);
    QFETCH(int, cap);
    QFETCH(bool, safeguards);
    QFETCH(int, refreshes);
    QFETCH(QString, expected);
    Afl::GeneratorSettings s = TestSupport::DemoSettings();
    s.oneOrderPerBar = s.reverseOnly = safeguards;
    static QHash<QString, App::SimulationOutcome> plainRuns;
    const QString key = u"%1 %2"_s.arg(safeguards).arg(refreshes);
    if (!plainRuns.contains(key))
        plainRuns.insert(key, Simulate(s, refreshes, false));
    const App::SimulationOutcome& plain = plainRuns[key];
    s.switches = {testMode, masterSwitch, orderLog, cap};
    const App::SimulationOutcome outcome = Simulate(s, refreshes, armed);
    QCOMPARE(outcome.status, App::SimulationStatus::Ran);
    QCOMPARE(outcome.message, QString());
    const Sim::ReplayResult& result = outcome.result;
    const QStringList plainSent = Orders(plain.result, Sim::OrderStatus::Sent);
    QVERIFY(plainSent.size() >= 6);
    const QStringList sent = Orders(result, Sim::OrderStatus::Sent);
    const QStringList test = Orders(result, Sim::OrderStatus::TestMode);
    const QStringList refused = Orders(result, Sim::OrderStatus::Refused);
    if (testMode)
        QCOMPARE(result.calls.size(), 0); // no plug-in function at all
    // A row per plug-in order call, and no more besides the order lines read back.
    int traced = 0;
    for (const Sim::OrderRow& row : result.orders)
        traced += row.function == u"_TRACE"_s;
    QCOMPARE(OrderCalls(result), int(result.orders.size()) - traced);

    if (expected == u"sent"_s) {
        QCOMPARE(sent, plainSent);
        QCOMPARE(result.orders.size(), plain.result.orders.size());
    } else if (expected == u"test"_s) {
        QCOMPARE(test, plainSent);
        QCOMPARE(result.counts.testMode, plainSent.size());
        QCOMPARE(result.counts.mostPerBar, plain.result.counts.mostPerBar);
        // The rows follow the test holding (every sell sells it all), and so does the holding
        // by bar.
        for (qsizetype i = 0; i < result.orders.size(); ++i) {
            const Sim::OrderRow& row = result.orders[i];
            if (row.side == Sim::OrderSide::Sell && safeguards)
                QCOMPARE(row.holdingAfter, 0.0);
            if (i + 1 == result.orders.size() || result.orders[i + 1].bar != row.bar)
                QCOMPARE(result.holdingByBar[row.bar], row.holdingAfter);
        }
    } else if (expected == u"none"_s) {
        QVERIFY(result.orders.isEmpty());
        QCOMPARE(outcome.warnings, QStringList{u"Włącznik „Wysyłanie zleceń” był wyłączony: "
                                               u"żadne zlecenie nie zostało wysłane."_s});
    } else {
        // At most `cap` a day; the first order held back each day is a refused row saying why,
        // right after the cap's last order; no more rows that day.
        const QStringList out = testMode ? test : sent;
        QVERIFY(!refused.isEmpty());
        QHash<QString, int> perDay;
        QString previousDay;
        for (qsizetype i = 0; i < result.orders.size(); ++i) {
            const Sim::OrderRow& row = result.orders[i];
            const QString day = Sim::DateTimeText(row.time).left(10);
            if (row.status == Sim::OrderStatus::Refused) {
                QCOMPARE(row.reason, Afl::Texts::CapReason.arg(cap));
                QCOMPARE(perDay.value(day), cap);
                QVERIFY(i + 1 == result.orders.size() ||
                        Sim::DateTimeText(result.orders[i + 1].time).left(10) != day);
            } else {
                QVERIFY(++perDay[day] <= cap);
            }
        }
        QCOMPARE(result.counts.mostPerBar, cap);
        QVERIFY(out.size() < plainSent.size());
    }
}

void TestSimulation::refusals_data()
{
    QTest::addColumn<QByteArray>("quotes"); // written to q.csv; "-" for no file at all
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message"); // after "…q.csv\r\n" for the quotes
    const QByteArray good = "Data;Czas;Otwarcie;Najwyzszy;Najnizszy;Zamkniecie\n"
                            "2024-03-14;09:00;10;11;9;10,5\n2024-03-14;09:05;10;11;9;10\n";
    using S = App::SimulationStatus;
    QTest::newRow("no file") << QByteArray("-") << u"x = 1;"_s << int(S::BadInput)
                             << QString(); // the system's reason
    QTest::newRow("binary") << QByteArray("Data;Czas\0\n", 11) << u"x = 1;"_s << int(S::BadInput)
                            << u"Plik nie jest plikiem tekstowym."_s;
    QTest::newRow("bad line, nothing loaded")
        << good + "2024-03-14;09:10;10;8;9;10\n"
        << u"x = 1;"_s << int(S::BadInput)
        << u"wiersz 4: cena najwyższa jest niższa od najniższej"_s;
    QTest::newRow("syntax error") << good << u"x = (1;"_s << int(S::Failed)
                                  << u"Skrypt nie został uruchomiony: wiersz 1, znak 5: "
                                     u"niedomknięty nawias"_s;
    QTest::newRow("missing include")
        << good << u"#include \"brak.afl\"\nx = 1;"_s << int(S::Failed)
        << u"Skrypt nie został uruchomiony: wiersz 1, znak 1: brak pliku „brak.afl” "
           u"dołączanego dyrektywą #include"_s;
    QTest::newRow("run stops")
        << good << u"if (BarCount > 1) x = Oops();"_s << int(S::Failed)
        << u"Symulacja przerwana: świeca nr 2 (2024-03-14 09:05:00), odświeżenie 1: wiersz 1: "
           u"nieznana funkcja Oops"_s;
    QTest::newRow("include read against the script's folder")
        << good << u"#include \"inc.afl\"\n_TRACE(\"\" + y);"_s << int(S::Ran) << QString();
}

void TestSimulation::refusals()
{
    QFETCH(QByteArray, quotes);
    QFETCH(QString, script);
    QFETCH(int, status);
    QFETCH(QString, message);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"q.csv"_s);
    QFile inc(dir.filePath(u"inc.afl"_s));
    QVERIFY(inc.open(QIODevice::WriteOnly) && inc.write("y = 7;\r\n") > 0);
    inc.close();
    QFile file(path);
    QVERIFY(quotes == "-" || (file.open(QIODevice::WriteOnly) && file.write(quotes) > 0));
    file.close();
    App::SimulationRequest request;
    request.script = script;
    request.scriptFolder = dir.path();
    request.quotesPath = path;
    const App::SimulationOutcome outcome = App::RunSimulation(request);
    QCOMPARE(int(outcome.status), status);
    if (status == int(App::SimulationStatus::BadInput)) {
        const QString heading = u"Nie można wczytać notowań z pliku "_s + path + u"\r\n"_s;
        QVERIFY2(outcome.message.startsWith(heading), qPrintable(outcome.message));
        if (!message.isEmpty())
            QCOMPARE(outcome.message.mid(heading.size()), message);
        QCOMPARE(outcome.quotes.bars.size(), 0);
    } else {
        QCOMPARE(outcome.message, message);
    }
}

QTEST_GUILESS_MAIN(TestSimulation)
#include "tst_simulation.moc"
