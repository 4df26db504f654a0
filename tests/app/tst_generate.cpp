// The summary page's enabling and capture, and the buttons and flags around generation.

#include "WizardFixture.h"

class TestGenerate : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void summaryEnablesGenerationOnlyWhenComplete_data();
    void summaryEnablesGenerationOnlyWhenComplete();
    void captureFollowsLaterChanges();
    void failedGenerationKeepsButtonsAndFlags_data();
    void failedGenerationKeepsButtonsAndFlags();
};

void TestGenerate::summaryEnablesGenerationOnlyWhenComplete_data()
{
    QTest::addColumn<int>("missing");
    QTest::newRow("all complete") << -1;
    for (int page = 0; page <= 4; ++page)
        QTest::newRow(qPrintable(QStringLiteral("step %1 missing").arg(page + 1))) << page;
}

void TestGenerate::summaryEnablesGenerationOnlyWhenComplete()
{
    QFETCH(int, missing);
    Wizard w;
    w.walkTo(5);
    auto& f = w.form;
    f.btExport.setEnabled(true);
    if (missing >= 0)
        f.StepDone[missing] = false;
    f.tbEndShow();
    QCOMPARE(f.btGeneruj.isEnabled(), missing < 0);
    QCOMPARE(f.btExport.isEnabled(), missing < 0);
}

void TestGenerate::captureFollowsLaterChanges()
{
    Wizard w;
    w.walkTo(5);
    auto& f = w.form;
    QVERIFY(f.settings.comments);
    QCOMPARE(f.settings.orderMode, Afl::OrderMode::NoLimit);
    f.cbComments.click();
    f.btWstecz.click();
    f.cbPEG.click();
    f.rgOrders.click(1);
    f.edValDev.setText(QStringLiteral("abc,1"));
    f.pcTab.navigate(5);
    QVERIFY(!f.settings.comments);
    QVERIFY(f.settings.peg);
    QCOMPARE(f.settings.orderMode, Afl::OrderMode::Limit);
    QCOMPARE(f.settings.limitValue, 0.0);
    QCOMPARE(f.tvSummary.at(6).values.first().text, QStringLiteral("Limit kwotowy 0 zł/pkt."));
    QVERIFY(!f.btGeneruj.isEnabled()); // step 5 is no longer complete
}

void TestGenerate::failedGenerationKeepsButtonsAndFlags_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<QString>("reason");
    QTest::newRow("no Buy") << QByteArray("x = C;\r\nSell = C < O;\r\n")
                            << QStringLiteral("Nie można odnaleźć definicji sygnału BUY!");
    // The source parses; deleting its ApplyStop call leaves an argument empty.
    QTest::newRow("the finished script does not parse")
        << QByteArray("Buy = C > O;\r\nSell = C < O;\r\nx = IIf(C > O, ApplyStop(0, 1, 2), 0);\r\n")
        << QStringLiteral("Błąd edytora: wygenerowany kod AFL zawiera błąd składni:");
}

void TestGenerate::failedGenerationKeepsButtonsAndFlags()
{
    QFETCH(QByteArray, script);
    QFETCH(QString, reason);
    Wizard w;
    w.loadText(script);
    QVERIFY(w.form.ScriptAccepted);
    for (int p = 0; p < 5; ++p) {
        w.answer(p);
        w.form.btDalej.click();
    }
    auto& f = w.form;
    QVERIFY(f.btGeneruj.isEnabled());
    f.btGeneruj.click();
    const QStringList remarks = f.rUwagi.lines();
    QCOMPARE(remarks.last(), QStringLiteral("Nie można wygenerować poprawnego kodu AFL."));
    QVERIFY(remarks.contains(reason));
    QVERIFY(!f.lastGeneration().success);
    QCOMPARE(f.pcEdits.currentIndex(), 2);
    QVERIFY(f.btGeneruj.isEnabled());
    QVERIFY(!f.btZapisz.isEnabled());
    QVERIFY(!f.btExport.isEnabled());
    QVERIFY(f.ProjectModified);
    QVERIFY(!f.GeneratedUnsaved);
    QVERIFY(w.dialogs.messages().isEmpty());
}

QTEST_GUILESS_MAIN(TestGenerate)
#include "tst_generate.moc"
