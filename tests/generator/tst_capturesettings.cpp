// Capture of the settings block from the option controls.

#include "generator/GeneratorSettings.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestCaptureSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void interval_data();
    void interval();
    void names_data();
    void names();
    void checkBoxes_data();
    void checkBoxes();
    void numbers_data();
    void numbers();
    void activation_data();
    void activation();
    void indexesTakenAsTheyAre();
};

void TestCaptureSettings::interval_data()
{
    QTest::addColumn<int>("rgInterval");
    QTest::addColumn<int>("cbIntSecs");
    QTest::addColumn<int>("interval");
    const int standard[] = {86400, 3600, 900, 300, 60, 15, 5, 1};
    for (int i = 0; i < 8; ++i)
        QTest::addRow("standard item %d", i) << 1 << i << standard[i];
    QTest::newRow("standard item past the list") << 1 << 8 << 0;
    QTest::newRow("standard, no item") << 1 << -1 << 0;
    QTest::newRow("seconds") << 2 << 3 << 45;
    QTest::newRow("ticks are negated") << 3 << 3 << -100;
    QTest::newRow("from the chart") << 0 << 3 << 0;
    QTest::newRow("no selection") << -1 << 3 << 0;
}

void TestCaptureSettings::interval()
{
    QFETCH(int, rgInterval);
    QFETCH(int, cbIntSecs);
    QFETCH(int, interval);
    Afl::OptionSnapshot o;
    o.rgInterval = rgInterval;
    o.cbIntSecs = cbIntSecs;
    o.csIntSecs = 45;
    o.csIntTicks = 100;
    const Afl::GeneratorSettings s = Afl::CaptureSettings(o);
    QCOMPARE(s.intervalMode, Afl::IntervalMode(rgInterval));
    QCOMPARE(s.interval, interval);
}

void TestCaptureSettings::names_data()
{
    QTest::addColumn<int>("rgTicker");
    QTest::addColumn<int>("rgAccount");
    QTest::addColumn<QString>("tickerName");
    QTest::addColumn<QString>("accountName");
    QTest::newRow("both from the plug-in") << 0 << 0 << QString() << QString();
    QTest::newRow("both defined") << 1 << 1 << u"KGHM"_s << u"00-123"_s;
    QTest::newRow("ticker defined only") << 1 << 0 << u"KGHM"_s << QString();
    QTest::newRow("no selection keeps the text") << -1 << -1 << u"KGHM"_s << u"00-123"_s;
}

void TestCaptureSettings::names()
{
    QFETCH(int, rgTicker);
    QFETCH(int, rgAccount);
    QFETCH(QString, tickerName);
    QFETCH(QString, accountName);
    Afl::OptionSnapshot o;
    o.rgTicker = rgTicker;
    o.edName = u"KGHM"_s;
    o.rgAccount = rgAccount;
    o.edAccount = u"00-123"_s;
    const Afl::GeneratorSettings s = Afl::CaptureSettings(o);
    QCOMPARE(s.tickerMode, Afl::TickerMode(rgTicker));
    QCOMPARE(s.tickerName, tickerName);
    QCOMPARE(s.accountMode, Afl::AccountMode(rgAccount));
    QCOMPARE(s.accountName, accountName);
}

void TestCaptureSettings::checkBoxes_data()
{
    QTest::addColumn<bool>("checked");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("flag");
    QTest::newRow("checked and enabled") << true << true << true;
    QTest::newRow("checked but disabled") << true << false << false;
    QTest::newRow("unchecked") << false << true << false;
}

void TestCaptureSettings::checkBoxes()
{
    QFETCH(bool, checked);
    QFETCH(bool, enabled);
    QFETCH(bool, flag);
    Afl::OptionSnapshot o;
    o.cbShow = o.cbRefresh = o.cbReverse = o.cbOneSignal = {checked, enabled};
    const Afl::GeneratorSettings s = Afl::CaptureSettings(o);
    QCOMPARE(s.showSignals, flag);
    QCOMPARE(s.refresh, flag);
    QCOMPARE(s.reverseOnly, flag);
    QCOMPARE(s.oneOrderPerBar, flag);
}

void TestCaptureSettings::numbers_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<int>("rgOrders");
    QTest::addColumn<int>("rgDeviation");
    QTest::addColumn<double>("limitValue");
    QTest::addColumn<double>("otherPrice");
    const QLocale polish(QLocale::Polish, QLocale::Poland);
    const QLocale c = QLocale::c();
    // edValDev "12,5", edCentDev "1,5", edOtherPrice "20,25"
    QTest::newRow("amount, pl") << polish << 1 << 2 << 12.5 << 20.25;
    QTest::newRow("amount, C: comma text is no number") << c << 1 << 2 << 0.0 << 0.0;
    QTest::newRow("percent, pl") << polish << 2 << 1 << 1.5 << 0.0;
    QTest::newRow("no order kind reads the percent edit") << polish << -1 << 2 << 1.5 << 20.25;
    QTest::newRow("PKC reads the percent edit") << polish << 0 << 0 << 1.5 << 0.0;
}

void TestCaptureSettings::numbers()
{
    QFETCH(QLocale, locale);
    QFETCH(int, rgOrders);
    QFETCH(int, rgDeviation);
    QFETCH(double, limitValue);
    QFETCH(double, otherPrice);
    Afl::OptionSnapshot o;
    o.locale = locale;
    o.rgOrders = rgOrders;
    o.rgDeviation = rgDeviation;
    o.edValDev = u"12,5"_s;
    o.edCentDev = u"1,5"_s;
    o.edOtherPrice = u"20,25"_s;
    const Afl::GeneratorSettings s = Afl::CaptureSettings(o);
    QCOMPARE(s.limitValue, limitValue);
    QCOMPARE(s.otherPrice, otherPrice);
}

void TestCaptureSettings::activation_data()
{
    QTest::addColumn<bool>("checked");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("rgCentPkt");
    QTest::addColumn<bool>("peg");
    QTest::addColumn<int>("activationMode");
    QTest::addColumn<double>("activationValue");
    QTest::newRow("percent") << true << true << 0 << false << 1 << 0.5;
    QTest::newRow("amount") << true << true << 1 << false << 2 << 0.5;
    QTest::newRow("no unit selected") << true << true << -1 << false << 0 << 0.0;
    QTest::newRow("disabled") << true << false << 1 << false << 0 << 0.0;
    QTest::newRow("unchecked") << false << true << 1 << false << 0 << 0.0;
    QTest::newRow("PEG forces none") << true << true << 1 << true << 0 << 0.0;
}

void TestCaptureSettings::activation()
{
    QFETCH(bool, checked);
    QFETCH(bool, enabled);
    QFETCH(int, rgCentPkt);
    QFETCH(bool, peg);
    QFETCH(int, activationMode);
    QFETCH(double, activationValue);
    Afl::OptionSnapshot o;
    o.locale = QLocale::c();
    o.cbLimAkt = {checked, enabled};
    o.rgCentPkt = rgCentPkt;
    o.cbPEG = peg;
    o.edLimAkt = u"0.5"_s;
    const Afl::GeneratorSettings s = Afl::CaptureSettings(o);
    QCOMPARE(s.peg, peg);
    QCOMPARE(s.activationMode, Afl::ActivationMode(activationMode));
    QCOMPARE(s.activationValue, activationValue);
}

void TestCaptureSettings::indexesTakenAsTheyAre()
{
    Afl::OptionSnapshot o; // every radio group without a selection
    o.csRefresh = 7;
    o.csCount = 10;
    o.csValue = 5000;
    o.cbComments = true;
    const Afl::GeneratorSettings s = Afl::CaptureSettings(o);
    QCOMPARE(s.signalMode, Afl::SignalMode::None);
    QCOMPARE(s.positionMode, Afl::PositionMode::None);
    QCOMPARE(s.positionUnit, Afl::PositionUnit::None);
    QCOMPARE(s.orderMode, Afl::OrderMode::None);
    QCOMPARE(s.referenceMode, Afl::ReferenceMode::None);
    QCOMPARE(s.refreshSeconds, 7);
    QCOMPARE(s.positionCount, 10);
    QCOMPARE(s.positionValue, 5000.0);
    QVERIFY(s.comments);
}

QTEST_GUILESS_MAIN(TestCaptureSettings)
#include "tst_capturesettings.moc"
