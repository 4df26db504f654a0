// One user's walk through the whole wizard: load, answer every step, summary, generate.

#include "WizardFixture.h"

class TestWizardWalk : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void walkAndGenerate();
};

void TestWizardWalk::walkAndGenerate()
{
    qputenv("SOURCE_DATE_EPOCH", "1700000000");
    Wizard w;
    auto& f = w.form;
    const QString path = w.write(
        QStringLiteral("system.afl"),
        "// System\r\nfast = MA(C, 10);\r\nBuy = Cross(C, fast);\r\nSell = Cross(fast, C);\r\n"
        "ApplyStop(0, 1, 3, 1);\r\nApplyStop(1, 1, 5, 1);\r\nPlotShapes(Buy, colorGreen);\r\n");

    // Step 1: choose and load.
    w.dialogs.queueFile(path);
    f.Button11.click();
    QVERIFY(f.Button7.isEnabled());
    f.Button7.click();
    QVERIFY(f.ScriptAccepted);
    f.btDalej.click();

    // Step 2: a defined security and account, previous candle, arrows and refresh.
    QCOMPARE(f.stepTitle(), QStringLiteral("Krok 2/6 - Ustawienia ogólne"));
    f.rgTicker.click(1);
    QCOMPARE(f.focusRequest(), &f.edName);
    f.edName.setText(QStringLiteral("KGHM"));
    f.rgAccount.click(1);
    f.edAccount.setText(QStringLiteral("00-123"));
    f.rgSignals.click(1);
    f.cbShow.click();
    f.cbRefresh.click();
    f.csRefresh.setText(QStringLiteral("5"));
    QVERIFY(f.btDalej.isEnabled());
    f.btDalej.click();

    // Step 3: alternate orders, one per candle, a standard interval of one hour.
    f.cbReverse.click();
    f.cbOneSignal.click();
    f.rgInterval.click(1);
    f.cbIntSecs.setItemIndex(1);
    f.btDalej.click();

    // Step 4: a position worth 5000 zł.
    f.rgHowPosition.click(0);
    f.rgPositions.click(1);
    f.csValue.setText(QStringLiteral("5000"));
    f.btDalej.click();

    // Step 5: a percentage limit against the last price, no activation limit.
    QCOMPARE(f.pcTab.currentIndex(), 4);
    f.rgOrders.click(2);
    QVERIFY(f.edCentDev.isInvalid());
    f.edCentDev.setText(QStringLiteral("1,5"));
    QVERIFY(f.rgDeviation.isEnabled());
    f.rgDeviation.click(1);
    f.cbLimAkt.mouseDown();
    f.cbLimAkt.click();
    QVERIFY(!f.cbLimAkt.isChecked());
    QVERIFY(f.btDalej.isEnabled());
    f.btDalej.click();

    // Step 6: the summary.
    QCOMPARE(f.pcTab.currentIndex(), 5);
    QCOMPARE(w.visibleTabs(), (QList<int>{0, 1, 2, 3, 4, 5}));
    QVERIFY(!f.btDalej.isEnabled());
    QVERIFY(f.btGeneruj.isEnabled());
    QVERIFY(!f.btZapisz.isEnabled());
    QCOMPARE(f.settings.tickerName, QStringLiteral("KGHM"));
    QCOMPARE(f.settings.interval, 3600);
    QCOMPARE(f.settings.limitValue, 1.5);
    QCOMPARE(f.settings.refreshSeconds, 5);
    QCOMPARE(f.tvSummary.size(), 9);
    QCOMPARE(f.tvSummary.at(0).header, QStringLiteral("Walor:"));
    QCOMPARE(f.tvSummary.at(0).values.first().text, QStringLiteral("KGHM"));
    QCOMPARE(f.tvSummary.at(4).values.first().text, QStringLiteral("Standardowy 1 Godzina"));
    QCOMPARE(f.tvSummary.at(6).values.first().text,
             QStringLiteral("Limit z odchyleniem procentowym 1,5 %"));

    // Generate.
    f.btGeneruj.click();
    QVERIFY(!w.dialogs.failed());
    QVERIFY(w.dialogs.messages().isEmpty());
    const QStringList out = f.rGenAFL.lines();
    QCOMPARE(out.first(), QStringLiteral("// **************************************"));
    QCOMPARE(out.at(1), QStringLiteral("// Formuła AFL wygenerowana przez Orvanta"));
    for (const QString& line :
         {QStringLiteral("RequestTimedRefresh(5, false);"),
          QStringLiteral("symbol = \"KGHM\";  // Nazwa waloru"),
          QStringLiteral("  voxAddTicker(\"KGHM\");  // Wywołanie funkcji dodającej wybrany "
                         "walor (argument funkcji) do listy zleceń manualnych"),
          QStringLiteral("  voxSetInterval(\"KGHM\", 3600);  // Zabezpieczenie: wybrano "
                         "konkretny interwał"),
          QStringLiteral("fast = MA(C, 10);"), QStringLiteral("Buy = Cross(C, fast);")})
        QVERIFY2(out.contains(line), qPrintable(line));
    QVERIFY(!f.rGenAFL.text().contains(QStringLiteral("ApplyStop(")));
    QVERIFY(!f.rGenAFL.text().contains(QStringLiteral("colorGreen")));
    QCOMPARE(f.SourceLines.value(), out);

    const QStringList remarks = f.rUwagi.lines();
    QVERIFY(remarks.contains(QStringLiteral("   ApplyStop x2")));
    QVERIFY(remarks.contains(QStringLiteral("   PlotShapes x1")));
    QCOMPARE(remarks.last(),
             QStringLiteral("Użytkownik powinien samodzielnie sprawdzić poprawność kodu!"));
    QVERIFY(remarks.contains(QStringLiteral("Kod został wygenerowany.")));
    QCOMPARE(f.pcEdits.currentIndex(), 2);

    QVERIFY(!f.btGeneruj.isEnabled());
    QVERIFY(f.btZapisz.isEnabled());
    QVERIFY(f.btExport.isEnabled());
    QVERIFY(!f.ProjectModified);
    QVERIFY(f.GeneratedUnsaved);
    QVERIFY(!f.ProjectAutoSaved);

    // Going back to an option discards the generated script.
    f.btWstecz.click();
    QCOMPARE(f.pcTab.currentIndex(), 4);
    QCOMPARE(f.rgOrders.itemIndex(), 2); // the answer survives the visit
    QVERIFY(f.rGenAFL.isEmpty());
    QVERIFY(!f.btZapisz.isEnabled());
    QVERIFY(f.ProjectModified);
}

QTEST_GUILESS_MAIN(TestWizardWalk)
#include "tst_wizard_walk.moc"
