// The check service: what loading and generating would say of a script, as typed results.

#include "generator/Checks.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestChecks : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void insertion_data();
    void insertion();
    void findings();
};

// The place of the sections, in the lines as given, whatever the deletions moved.
void TestChecks::insertion_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<bool>("showSignals");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("column");
    QTest::newRow("blank line and comment skipped")
        << u"Buy = C > O;\nSell = C < O;\n\n  // plot\nPlot(C, \"C\", 1);"_s << false << 5 << 1;
    QTest::newRow("deleted calls above and between")
        << u"ApplyStop(0, 1, 5);\nApplyStop(1, 1, 9);\nBuy = C > O;\nApplyStop(2, 1, 3);\n"
           u"Sell = C < O;\nx = 1;"_s
        << false << 6 << 1;
    QTest::newRow("deleted call right after the signals")
        << u"Buy = C > O;\nSell = C < O;\nApplyStop(0, 1, 5);\nApplyX = 2;"_s << false << 4 << 1;
    QTest::newRow("call deleted inside a deleted call")
        << u"Buy = 1;\nSell = 0;\nPlotShapes(ApplyStop(1), 2);\nApplyStop(3);\nz = 1;"_s << true
        << 5 << 1;
    QTest::newRow("middle of a line") << u"Buy = 1; Sell = 0; x = 2;"_s << false << 1 << 20;
    QTest::newRow("end of the script") << u"x = 1;\nBuy = 1;\nSell = 0;"_s << false << 0 << 0;
    QTest::newRow("Buy inside a loop body")
        << u"for (i = 0; i < 10; i++)\n{\n    Buy[i] = 1;\n}\nSell = 0;\ny = 3;"_s << false << 6
        << 1;
}

void TestChecks::insertion()
{
    QFETCH(QString, script);
    QFETCH(bool, showSignals);
    QFETCH(int, line);
    QFETCH(int, column);
    const Afl::ScriptCheck check = Afl::CheckScript(script.split(u'\n'), showSignals);
    QVERIFY(check.load.accepted());
    QVERIFY(check.copy.signalsFound());
    QCOMPARE(check.insertionLine, line);
    QCOMPARE(check.insertionColumn, column);
}

void TestChecks::findings()
{
    const Afl::ScriptCheck refused =
        Afl::CheckScript({u"voxBuy(1);"_s, u"Buy = 1; // voxSell(2);"_s, u"voxInit();"_s}, false);
    QCOMPARE(refused.load.pluginCalls, (QStringList{u"voxInit"_s, u"voxBuy"_s}));
    QVERIFY(!refused.load.missingBuy);
    QVERIFY(refused.load.missingSell);
    QVERIFY(!refused.load.accepted());
    QCOMPARE(refused.copy.insertionPoint, -1);

    const Afl::ScriptCheck noSell = Afl::CheckScript(
        {u"Buy = 1; ApplyStop(1); ApplyStop(2);"_s, u"o = CreateObject(\"x\");"_s}, false);
    QVERIFY(noSell.copy.noSell && !noSell.copy.noBuy);
    QCOMPARE(noSell.copy.removedCalls.size(), 1);
    QCOMPARE(noSell.copy.removedCalls.at(0).count, 2);
    QCOMPARE(noSell.copy.removedSpans.size(), 2);
    QCOMPARE(noSell.copy.riskyCalls.size(), 1);
    QCOMPARE(noSell.copy.riskyCalls.at(0).text, u"CreateObject"_s);
    QCOMPARE(noSell.insertionLine, 0);

    const Afl::ScriptCheck noBuy = Afl::CheckScript({u"x = Buy == 1;"_s, u"Sell = 0;"_s}, false);
    QVERIFY(noBuy.copy.noBuy && !noBuy.copy.noSell);
}

QTEST_GUILESS_MAIN(TestChecks)
#include "tst_checks.moc"
