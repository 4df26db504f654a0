// Wizard navigation: Next and Back, StepDone per page, tabs, the page 4 rebuild, step texts.

#include "WizardFixture.h"
#include "app/Dymki.h"

class TestNavigation : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void startState();
    void stepTexts_data();
    void stepTexts();
    void nextFollowsEachStepCheck_data();
    void nextFollowsEachStepCheck();
    void backDisablesOnlyOnPageZero();
    void stepDoneRememberedThroughBackAndNext();
    void arrivalOnOrdersKeepsOrderType_data();
    void arrivalOnOrdersKeepsOrderType();
    void arrivalOnOrdersDiscardsGenerated();
    void nextToSummaryDisablesNext();
    void restartWithEmptyPath();
    void restartReloadsScript();
};

void TestNavigation::startState()
{
    Wizard w;
    auto& f = w.form;
    QCOMPARE(f.pcTab.currentIndex(), 0);
    QCOMPARE(w.visibleTabs(), QList<int>{0});
    QCOMPARE(f.stepTitle(), QStringLiteral("Krok 1/6 - Wczytaj swój AFL"));
    QCOMPARE(f.stepHint(), Dymki::StepHint(0));
    QVERIFY(!f.btWstecz.isEnabled());
    QVERIFY(!f.btDalej.isEnabled());
    QVERIFY(!f.Zapisz1.isEnabled());
    QCOMPARE(f.caption(), QStringLiteral("Orvanta"));
    QVERIFY(!f.ProjectModified);
    QVERIFY(w.dialogs.messages().isEmpty());
}

void TestNavigation::stepTexts_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("paragraphs"); // pieces separated by an empty line
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::newRow("0") << 0 << "Krok 1/6 - Wczytaj swój AFL" << 2 << "Krok pierwszy pozwala"
                       << "nacisnąć przycisk [Wczytaj]";
    QTest::newRow("1") << 1 << "Krok 2/6 - Ustawienia ogólne" << 5 << "Krok drugi pozwala"
                       << "nawet jeśli nie jest widoczny w oknie Amibrokera.";
    QTest::newRow("2") << 2 << "Krok 3/6 - Zabezpieczenia" << 5 << "Krok trzeci pozwala"
                       << "Interwał 0 sekund oznacza interwał tickowy.";
    QTest::newRow("3") << 3 << "Krok 4/6 - Pozycje" << 5 << "Krok czwarty pozwala"
                       << "wystarczające pokrycie w gotówce!";
    QTest::newRow("4") << 4 << "Krok 5/6 - Zlecenia" << 2 << "Krok piąty pozwala"
                       << "limit aktywacji będzie wadliwie skonstruowany.\r\n\r\n";
    QTest::newRow("5") << 5 << "Krok 6/6 - Podsumowanie" << 3 << "Krok szósty pokazuje"
                       << "w zakładce \"Wygenerowny kod AFL\".";
}

void TestNavigation::stepTexts()
{
    QFETCH(int, page);
    QFETCH(QString, title);
    QFETCH(int, paragraphs);
    QFETCH(QString, start);
    QFETCH(QString, end);
    Wizard w;
    w.form.ShowStep(page);
    QCOMPARE(w.form.stepTitle(), title);
    const QString hint = w.form.stepHint();
    QVERIFY(hint.startsWith(start));
    QVERIFY2(hint.endsWith(end), qPrintable(hint.right(60)));
    QString body = hint;
    if (body.endsWith(QStringLiteral("\r\n\r\n")))
        body.chop(4);
    QCOMPARE(body.count(QStringLiteral("\r\n\r\n")) + 1, paragraphs);
    QVERIFY(!hint.contains(QStringLiteral("\r\n\r\n\r\n")));
    QCOMPARE(hint.count(u'\n'), hint.count(u'\r')); // every break is CR LF
}

void TestNavigation::nextFollowsEachStepCheck_data()
{
    QTest::addColumn<int>("page");
    for (int page = 1; page <= 4; ++page)
        QTest::newRow(qPrintable(QString::number(page))) << page;
}

void TestNavigation::nextFollowsEachStepCheck()
{
    QFETCH(int, page);
    Wizard w;
    w.walkTo(page);
    auto& f = w.form;
    QCOMPARE(f.pcTab.currentIndex(), page);
    QVERIFY(!f.btDalej.isEnabled());
    QVERIFY(f.btWstecz.isEnabled());
    QVERIFY(f.pcTab.isTabVisible(page));
    QVERIFY(!f.pcTab.isTabVisible(page + 1));
    w.answer(page);
    QVERIFY(f.btDalej.isEnabled());
    QVERIFY(f.StepDone[page]);
    f.btDalej.click();
    QCOMPARE(f.pcTab.currentIndex(), page + 1);
    QVERIFY(f.pcTab.isTabVisible(page + 1));
    QCOMPARE(f.stepTitle(), Dymki::StepTitle(page + 1));
}

void TestNavigation::backDisablesOnlyOnPageZero()
{
    Wizard w;
    w.walkTo(2);
    auto& f = w.form;
    f.btWstecz.click();
    QCOMPARE(f.pcTab.currentIndex(), 1);
    QVERIFY(f.btWstecz.isEnabled());
    f.btWstecz.click();
    QCOMPARE(f.pcTab.currentIndex(), 0);
    QVERIFY(!f.btWstecz.isEnabled());
    QVERIFY(f.btDalej.isEnabled()); // page 0 was done

    // Tabs clicked: enabled away from the first page, disabled on it.
    for (const int page : {2, 0, 1, 0}) {
        f.pcTab.clickTab(page);
        QCOMPARE(f.btWstecz.isEnabled(), page != 0);
    }
}

void TestNavigation::stepDoneRememberedThroughBackAndNext()
{
    Wizard w;
    w.walkTo(3);
    auto& f = w.form;
    f.rgHowPosition.click(0); // page 3 incomplete
    QVERIFY(!f.btDalej.isEnabled());
    f.btWstecz.click();
    QVERIFY(!f.StepDone[3]); // its tab turns grey
    QVERIFY(f.btDalej.isEnabled());
    f.btDalej.click();
    QCOMPARE(f.pcTab.currentIndex(), 3);
    QVERIFY(!f.btDalej.isEnabled());
    f.rgPositions.click(0);
    f.btWstecz.click();
    QVERIFY(f.StepDone[3]);
    f.pcTab.clickTab(3);
    QVERIFY(f.btDalej.isEnabled());
}

void TestNavigation::arrivalOnOrdersKeepsOrderType_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("peg");
    QTest::addColumn<int>("order");
    for (bool peg : {false, true}) {
        for (const char* how : {"next", "back", "tab"}) {
            const int order = peg ? 1 : 2;
            QTest::newRow(qPrintable(QStringLiteral("%1%2").arg(
                QLatin1String(how), peg ? QStringLiteral(" peg") : QString())))
                << QString::fromLatin1(how) << peg << order;
        }
    }
}

void TestNavigation::arrivalOnOrdersKeepsOrderType()
{
    QFETCH(QString, how);
    QFETCH(bool, peg);
    QFETCH(int, order);
    Wizard w;
    w.walkTo(4);
    auto& f = w.form;
    if (peg)
        f.cbPEG.click();
    f.rgOrders.click(order);
    if (order == 1)
        f.edValDev.setText(QStringLiteral("2,5"));
    else
        f.edCentDev.setText(QStringLiteral("1,5"));
    if (!peg) {
        f.rgDeviation.click(1);
        f.cbLimAkt.mouseDown();
        f.cbLimAkt.click();
    }
    QVERIFY(f.btDalej.isEnabled());
    const QStringList items = f.rgOrders.items();
    const bool centDevEnabled = f.edCentDev.isEnabled();

    if (how == QLatin1String("next")) {
        f.btWstecz.click();
        f.btDalej.click();
    } else if (how == QLatin1String("back")) {
        f.btDalej.click();
        f.btWstecz.click();
    } else {
        f.pcTab.clickTab(2);
        f.pcTab.clickTab(4);
    }
    QCOMPARE(f.pcTab.currentIndex(), 4);
    QCOMPARE(f.rgOrders.items(), items);
    QCOMPARE(f.rgOrders.itemIndex(), order);
    QCOMPARE(f.edCentDev.isEnabled(), centDevEnabled);
    QCOMPARE(f.edCentDev.isVisible(), !peg);
    QVERIFY(f.btDalej.isEnabled());
    QVERIFY(f.CheckOrdersStep());
}

void TestNavigation::arrivalOnOrdersDiscardsGenerated()
{
    Wizard w;
    w.walkTo(4);
    auto& f = w.form;
    f.ProjectModified = false;
    f.rGenAFL.setText(QStringLiteral("old"));
    f.btWstecz.click();
    f.btDalej.click();
    QVERIFY(f.ProjectModified);
    QVERIFY(f.rGenAFL.isEmpty());
    QCOMPARE(f.rgOrders.itemIndex(), -1); // nothing was chosen before
}

void TestNavigation::nextToSummaryDisablesNext()
{
    Wizard w;
    w.walkTo(5);
    auto& f = w.form;
    QCOMPARE(f.pcTab.currentIndex(), 5);
    QVERIFY(!f.btDalej.isEnabled());
    QVERIFY(f.btGeneruj.isEnabled());
    QCOMPARE(f.tvSummary.size(), 9);
    QCOMPARE(f.stepTitle(), QStringLiteral("Krok 6/6 - Podsumowanie"));
}

void TestNavigation::restartWithEmptyPath()
{
    Wizard w;
    auto& f = w.form;
    f.rgHowPosition.click(0);
    f.Uruchomwizarda1.click();
    QCOMPARE(f.pcTab.currentIndex(), 0);
    QCOMPARE(w.visibleTabs(), QList<int>{0});
    QVERIFY(!f.btWstecz.isEnabled());
    QCOMPARE(f.rgHowPosition.itemIndex(), -1);
    QVERIFY(w.dialogs.messages().isEmpty());
}

void TestNavigation::restartReloadsScript()
{
    Wizard w;
    w.walkTo(3);
    auto& f = w.form;
    f.Uruchomwizarda1.click();
    QCOMPARE(f.pcTab.currentIndex(), 0);
    QCOMPARE(w.visibleTabs(), QList<int>{0});
    QVERIFY(!f.rEdit.isEmpty());
    QVERIFY(f.Button7.isEnabled());
    QVERIFY(f.btDalej.isEnabled());
    QCOMPARE(f.rgTicker.itemIndex(), -1);
    QCOMPARE(f.stepTitle(), Dymki::StepTitle(0));
}

QTEST_GUILESS_MAIN(TestNavigation)
#include "tst_navigation.moc"
