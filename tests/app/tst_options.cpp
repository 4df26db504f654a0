// Option controls of pages 1 to 4: enabling chains, invalid marks, step checks, cbLimAkt, PEG.

#include "WizardFixture.h"

using Controls::CheckState;

Q_DECLARE_METATYPE(Controls::CheckState)

class TestOptions : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void stateAfterStart_data();
    void stateAfterStart();
    void generalChainEnablesNextOnlyAtTheEnd();
    void definedNameMarksRed_data();
    void definedNameMarksRed();
    void intervalEnablesOneValueControl_data();
    void intervalEnablesOneValueControl();
    void positionsChain();
    void incompletePageHidesLaterTabs_data();
    void incompletePageHidesLaterTabs();
    void numbersInEdits_data();
    void numbersInEdits();
    void ordersCheck_data();
    void ordersCheck();
    void grayedLimAktClickLeavesItUnchecked();
    void armedMarkerSurvivesReset();
    void resetLeavesOrderEditsEmptyNormalDisabled();
    void pegRebuildsOrderList();
    void pegKeepsCheckedActivationLimitDemands();
    void markModifiedDiscardsGeneratedOnce();
    void valueControlsDoNotMarkModified_data();
    void valueControlsDoNotMarkModified();
};

void TestOptions::stateAfterStart_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("enabled");
    const QStringList enabled = {QStringLiteral("leAFL"),     QStringLiteral("cbComments"),
                                 QStringLiteral("rgTicker"),  QStringLiteral("rgAccount"),
                                 QStringLiteral("cbReverse"), QStringLiteral("rgHowPosition"),
                                 QStringLiteral("rgOrders"),  QStringLiteral("cbPEG")};
    const QStringList disabled = {
        QStringLiteral("edName"),       QStringLiteral("edAccount"),  QStringLiteral("rgSignals"),
        QStringLiteral("cbShow"),       QStringLiteral("cbRefresh"),  QStringLiteral("csRefresh"),
        QStringLiteral("cbOneSignal"),  QStringLiteral("rgInterval"), QStringLiteral("cbIntSecs"),
        QStringLiteral("csIntSecs"),    QStringLiteral("csIntTicks"), QStringLiteral("rgPositions"),
        QStringLiteral("csCount"),      QStringLiteral("csValue"),    QStringLiteral("rgDeviation"),
        QStringLiteral("edOtherPrice"), QStringLiteral("edValDev"),   QStringLiteral("edLimAkt"),
        QStringLiteral("cbLimAkt"),     QStringLiteral("rgCentPkt"),  QStringLiteral("Button7")};
    for (const QString& n : enabled)
        QTest::newRow(qPrintable(n)) << n << true;
    for (const QString& n : disabled)
        QTest::newRow(qPrintable(n)) << n << false;
}

void TestOptions::stateAfterStart()
{
    QFETCH(QString, name);
    QFETCH(bool, enabled);
    Wizard w;
    Controls::Control* c = w.control(name);
    QVERIFY2(c, qPrintable(name));
    QCOMPARE(c->isEnabled(), enabled);
    QVERIFY(w.form.cbLimAkt.isGrayed());
    QVERIFY(w.form.cbReverse.isGrayed());
    QCOMPARE(w.form.rgOrders.itemIndex(), -1);
    QCOMPARE(w.form.cbIntSecs.currentText(), QStringLiteral("5 minut"));
}

void TestOptions::generalChainEnablesNextOnlyAtTheEnd()
{
    Wizard w;
    w.walkTo(1);
    auto& f = w.form;
    QCOMPARE(f.pcTab.currentIndex(), 1);
    QVERIFY(!f.btDalej.isEnabled());
    f.rgTicker.click(0);
    QVERIFY(!f.edName.isEnabled());
    f.rgAccount.click(0);
    QVERIFY(f.rgSignals.isEnabled());
    QVERIFY(!f.cbShow.isEnabled());
    f.rgSignals.click(1);
    QVERIFY(f.cbShow.isEnabled());
    QVERIFY(!f.cbRefresh.isEnabled());
    f.cbShow.click();
    QVERIFY(f.cbRefresh.isEnabled());
    QVERIFY(!f.btDalej.isEnabled());
    f.cbRefresh.click();
    QVERIFY(f.csRefresh.isEnabled());
    QVERIFY(f.btDalej.isEnabled());
    QVERIFY(f.StepDone[1]);
    f.cbRefresh.click(); // unchecked is an answer too
    QVERIFY(!f.csRefresh.isEnabled());
    QVERIFY(f.btDalej.isEnabled());
}

void TestOptions::definedNameMarksRed_data()
{
    QTest::addColumn<bool>("account");
    QTest::newRow("rgTicker/edName") << false;
    QTest::newRow("rgAccount/edAccount") << true;
}

void TestOptions::definedNameMarksRed()
{
    QFETCH(bool, account);
    Wizard w;
    w.walkTo(1);
    auto& f = w.form;
    Controls::RadioGroup& group = account ? f.rgAccount : f.rgTicker;
    Controls::Edit& edit = account ? f.edAccount : f.edName;
    Controls::RadioGroup& next = account ? f.rgSignals : f.rgAccount;
    if (account)
        f.rgTicker.click(0);
    next.setEnabled(false);
    group.click(1);
    QVERIFY(edit.isEnabled());
    QVERIFY(edit.isInvalid());
    QCOMPARE(f.focusRequest(), &edit);
    QVERIFY(!next.isEnabled());
    QVERIFY(!f.btDalej.isEnabled());
    edit.setText(QStringLiteral("K"));
    QVERIFY(!edit.isInvalid());
    QVERIFY(next.isEnabled());
    edit.setText(QString());
    QVERIFY(edit.isInvalid());
    group.click(0);
    QVERIFY(!edit.isInvalid());
    QVERIFY(!edit.isEnabled());
}

void TestOptions::intervalEnablesOneValueControl_data()
{
    QTest::addColumn<int>("item");
    QTest::addColumn<bool>("secs");
    QTest::addColumn<bool>("seconds");
    QTest::addColumn<bool>("ticks");
    QTest::newRow("from chart") << 0 << false << false << false;
    QTest::newRow("standard") << 1 << true << false << false;
    QTest::newRow("seconds") << 2 << false << true << false;
    QTest::newRow("ticks") << 3 << false << false << true;
}

void TestOptions::intervalEnablesOneValueControl()
{
    QFETCH(int, item);
    QFETCH(bool, secs);
    QFETCH(bool, seconds);
    QFETCH(bool, ticks);
    Wizard w;
    w.walkTo(2);
    auto& f = w.form;
    f.cbReverse.click();
    QVERIFY(f.cbOneSignal.isEnabled());
    QVERIFY(!f.rgInterval.isEnabled());
    f.cbOneSignal.click();
    f.rgInterval.click(3 - item); // a different item first: the last handler must switch
    f.rgInterval.click(item);
    QCOMPARE(f.cbIntSecs.isEnabled(), secs);
    QCOMPARE(f.csIntSecs.isEnabled(), seconds);
    QCOMPARE(f.csIntTicks.isEnabled(), ticks);
    QVERIFY(f.btDalej.isEnabled());
}

void TestOptions::positionsChain()
{
    Wizard w;
    w.walkTo(3);
    auto& f = w.form;
    QVERIFY(!f.rgPositions.isEnabled());
    f.rgHowPosition.click(0);
    QVERIFY(f.rgPositions.isEnabled());
    QVERIFY(!f.btDalej.isEnabled());
    f.rgPositions.click(1);
    QVERIFY(f.csValue.isEnabled());
    QVERIFY(!f.csCount.isEnabled());
    QVERIFY(f.btDalej.isEnabled());
    f.rgHowPosition.click(1);
    QVERIFY(!f.rgPositions.isEnabled());
    QVERIFY(f.csValue.isEnabled()); // left as it was
    QVERIFY(f.btDalej.isEnabled());
}

void TestOptions::incompletePageHidesLaterTabs_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QList<int>>("visible");
    QTest::newRow("page 1") << 1 << QList<int>{0, 1};
    QTest::newRow("page 2 hides none") << 2 << QList<int>{0, 1, 2, 3, 4, 5};
    QTest::newRow("page 3") << 3 << QList<int>{0, 1, 2, 3};
    QTest::newRow("page 4") << 4 << QList<int>{0, 1, 2, 3, 4};
}

void TestOptions::incompletePageHidesLaterTabs()
{
    QFETCH(int, page);
    QFETCH(QList<int>, visible);
    Wizard w;
    w.walkTo(5);
    auto& f = w.form;
    QCOMPARE(w.visibleTabs(), (QList<int>{0, 1, 2, 3, 4, 5}));
    f.pcTab.clickTab(page);
    QCOMPARE(f.pcTab.currentIndex(), page);
    switch (page) {
    case 1:
        f.rgTicker.click(1); // empty name
        break;
    case 2:
        f.cbReverse.setState(CheckState::Grayed);
        break;
    case 3:
        f.rgHowPosition.click(0);
        f.rgPositions.setItemIndex(-1);
        f.rgHowPosition.runClick();
        break;
    case 4:
        f.rgOrders.click(1); // empty limit
        break;
    }
    QVERIFY(!f.btDalej.isEnabled());
    QCOMPARE(w.visibleTabs(), visible);
    QCOMPARE(f.pcTab.currentIndex(), page);
}

void TestOptions::numbersInEdits_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    const QLocale pl(QLocale::Polish, QLocale::Poland);
    const QLocale c = QLocale::c();
    QTest::newRow("zero") << pl << "0" << true;
    QTest::newRow("decimal comma") << pl << "12,5" << true;
    QTest::newRow("minus one") << pl << "-1" << false;
    QTest::newRow("negative fraction") << pl << "-0,5" << false;
    QTest::newRow("point under comma locale") << pl << "12.5" << false;
    QTest::newRow("comma under point locale") << c << "12,5x" << false;
    QTest::newRow("point under point locale") << c << "12.5" << true;
    QTest::newRow("letters") << pl << "abc" << false;
    QTest::newRow("blank") << pl << " " << false;
}

void TestOptions::numbersInEdits()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QFETCH(bool, valid);
    Wizard w(locale);
    w.walkTo(4);
    auto& f = w.form;
    f.rgOrders.click(1);
    QVERIFY(f.edValDev.isInvalid()); // empty
    f.edValDev.setText(text);
    QCOMPARE(f.edValDev.isInvalid(), !valid);
    QCOMPARE(f.edValDev.numberValid(), valid);
    QVERIFY(!f.btDalej.isEnabled() || valid);

    f.rgOrders.click(2);
    f.edCentDev.setText(text);
    QCOMPARE(f.edCentDev.isInvalid(), !valid);
    QCOMPARE(f.rgDeviation.isEnabled(), valid);
    QVERIFY(!f.edValDev.isInvalid()); // the percentage order clears the other mark
}

void TestOptions::ordersCheck_data()
{
    QTest::addColumn<int>("order");
    QTest::addColumn<QString>("limit");
    QTest::addColumn<bool>("activation");
    QTest::addColumn<int>("deviation");
    QTest::addColumn<QString>("other");
    QTest::addColumn<int>("centPkt");
    QTest::addColumn<QString>("limAkt");
    QTest::addColumn<bool>("done");
    QTest::newRow("PKC plain") << 0 << "" << false << -1 << "" << -1 << "" << true;
    QTest::newRow("value limit") << 1 << "10" << false << -1 << "" << -1 << "" << true;
    QTest::newRow("value limit empty") << 1 << "" << false << -1 << "" << -1 << "" << false;
    QTest::newRow("percent needs deviation")
        << 2 << "1,5" << false << -1 << "" << -1 << "" << false;
    QTest::newRow("percent with last price") << 2 << "1,5" << false << 1 << "" << -1 << "" << true;
    QTest::newRow("percent other price") << 2 << "1,5" << false << 2 << "40,2" << -1 << "" << true;
    QTest::newRow("percent other price bad")
        << 2 << "1,5" << false << 2 << "x" << -1 << "" << false;
    QTest::newRow("activation complete") << 0 << "" << true << 0 << "" << 0 << "2" << true;
    QTest::newRow("activation no unit") << 0 << "" << true << 0 << "" << -1 << "2" << false;
    QTest::newRow("activation empty") << 0 << "" << true << 0 << "" << 1 << "" << false;
    QTest::newRow("activation no deviation") << 0 << "" << true << -1 << "" << 1 << "2" << false;
}

void TestOptions::ordersCheck()
{
    QFETCH(int, order);
    QFETCH(QString, limit);
    QFETCH(bool, activation);
    QFETCH(int, deviation);
    QFETCH(QString, other);
    QFETCH(int, centPkt);
    QFETCH(QString, limAkt);
    QFETCH(bool, done);
    Wizard w;
    w.walkTo(4);
    auto& f = w.form;
    f.rgOrders.click(order);
    if (order == 1)
        f.edValDev.setText(limit);
    if (order == 2)
        f.edCentDev.setText(limit);
    QVERIFY(f.cbLimAkt.isEnabled() || order == 2 || limit.isEmpty());
    if (!f.cbLimAkt.isEnabled())
        f.cbLimAkt.setEnabled(true); // reachable through the other answers
    f.cbLimAkt.mouseDown();
    f.cbLimAkt.click(); // from grayed: unchecked
    QVERIFY(!f.cbLimAkt.isChecked());
    if (activation) {
        f.cbLimAkt.mouseDown();
        f.cbLimAkt.click();
        QVERIFY(f.cbLimAkt.isChecked());
        QVERIFY(f.edLimAkt.isEnabled());
        QVERIFY(f.rgCentPkt.isEnabled());
        f.edLimAkt.setText(limAkt);
        f.rgCentPkt.setItemIndex(centPkt);
    }
    if (deviation >= 0) {
        QVERIFY(f.rgDeviation.isEnabled() || (activation && limAkt.isEmpty()));
        f.rgDeviation.setEnabled(true);
        f.rgDeviation.click(deviation);
    }
    if (deviation == 2)
        f.edOtherPrice.setText(other);
    QCOMPARE(f.CheckOrdersStep(), done);
    QCOMPARE(f.btDalej.isEnabled(), done);
    QCOMPARE(f.StepDone[4], done);
}

void TestOptions::grayedLimAktClickLeavesItUnchecked()
{
    Wizard w;
    w.walkTo(4);
    auto& f = w.form;
    f.rgOrders.click(0);
    QVERIFY(f.cbLimAkt.isEnabled());
    QVERIFY(f.cbLimAkt.isGrayed());
    QVERIFY(!f.btDalej.isEnabled());
    f.cbLimAkt.mouseDown();
    QVERIFY(f.limAktFromGrayed());
    f.cbLimAkt.click();
    QCOMPARE(f.cbLimAkt.state(), CheckState::Unchecked);
    QVERIFY(!f.edLimAkt.isEnabled());
    QVERIFY(f.btDalej.isEnabled());
    // A keyboard toggle while the marker is armed also ends unchecked.
    f.cbLimAkt.click();
    QCOMPARE(f.cbLimAkt.state(), CheckState::Unchecked);
    f.cbLimAkt.mouseDown();
    QVERIFY(!f.limAktFromGrayed());
    f.cbLimAkt.click();
    QCOMPARE(f.cbLimAkt.state(), CheckState::Checked);
    QVERIFY(f.edLimAkt.isEnabled());
    QVERIFY(f.edLimAkt.isInvalid()); // checked with no text
    QVERIFY(!f.btDalej.isEnabled());
}

void TestOptions::armedMarkerSurvivesReset()
{
    Wizard w;
    w.walkTo(4);
    auto& f = w.form;
    f.rgOrders.click(0);
    f.cbLimAkt.mouseDown();
    f.cbLimAkt.click();
    f.ResetOptions();
    QCOMPARE(f.cbLimAkt.state(), CheckState::Unchecked);
    QVERIFY(!f.cbLimAkt.isEnabled());
    QVERIFY(f.limAktFromGrayed());

    Wizard fresh;
    fresh.form.ResetOptions();
    QCOMPARE(fresh.form.cbLimAkt.state(), CheckState::Grayed);
}

void TestOptions::resetLeavesOrderEditsEmptyNormalDisabled()
{
    Wizard w;
    w.walkTo(4);
    auto& f = w.form;
    f.rgOrders.click(2);
    f.edCentDev.setText(QStringLiteral("1"));
    f.rgDeviation.click(2);
    f.edOtherPrice.setText(QStringLiteral("-3"));
    f.cbLimAkt.click();
    f.edLimAkt.setText(QStringLiteral("x"));
    f.rgOrders.click(1);
    f.edValDev.setText(QStringLiteral("2"));
    f.ResetOptions();
    for (Controls::Edit* edit : {&f.edOtherPrice, &f.edValDev, &f.edCentDev, &f.edLimAkt}) {
        QVERIFY2(edit->text().isEmpty(), qPrintable(edit->name()));
        QVERIFY2(!edit->isInvalid(), qPrintable(edit->name()));
        QVERIFY2(!edit->isEnabled(), qPrintable(edit->name()));
    }
    QVERIFY(f.cbLimAkt.isGrayed());
    QVERIFY(!f.cbLimAkt.isEnabled());
    QVERIFY(!f.rgDeviation.isEnabled());
    QVERIFY(!f.rgCentPkt.isEnabled());
    QVERIFY(f.cbReverse.isEnabled());
    QVERIFY(f.rgAccount.isEnabled());
    QCOMPARE(w.visibleTabs(), QList<int>{0});
    QCOMPARE(f.pcTab.currentIndex(), 0);
}

void TestOptions::pegRebuildsOrderList()
{
    Wizard w;
    w.walkTo(4);
    auto& f = w.form;
    f.rgOrders.click(2);
    f.edCentDev.setText(QStringLiteral("1"));
    f.rgDeviation.click(0);
    QVERIFY(f.cbLimAkt.isEnabled() || f.cbLimAkt.isGrayed());
    f.cbPEG.click();
    QCOMPARE(f.rgOrders.items(),
             (QStringList{QStringLiteral("Bez limitu"), QStringLiteral("Z limitem (zł/pkt.) ")}));
    QCOMPARE(f.rgOrders.itemIndex(), -1);
    QVERIFY(!f.edCentDev.isVisible());
    QVERIFY(!f.cbLimAkt.isEnabled());
    QVERIFY(!f.rgDeviation.isEnabled());
    QCOMPARE(f.rgDeviation.itemIndex(), 0); // values are kept
    f.rgOrders.click(0);
    QVERIFY(f.btDalej.isEnabled()); // PEG needs no answer about the activation limit
    f.cbPEG.click();
    QCOMPARE(f.rgOrders.items(),
             (QStringList{QStringLiteral("PKC"), QStringLiteral("Z limitem (zł/pkt.) "),
                          QStringLiteral("Z limitem (% odchylenia) ")}));
    QCOMPARE(f.rgOrders.itemIndex(), -1);
    QVERIFY(f.edCentDev.isVisible());
    QVERIFY(f.edCentDev.isEnabled());
}

void TestOptions::pegKeepsCheckedActivationLimitDemands()
{
    Wizard w;
    w.walkTo(4);
    auto& f = w.form;
    f.rgOrders.click(0);
    f.cbLimAkt.click(); // no pointer press: grayed becomes checked
    QVERIFY(f.cbLimAkt.isChecked());
    f.cbPEG.click();
    QVERIFY(f.cbLimAkt.isChecked());
    f.rgOrders.click(0);
    QVERIFY(!f.CheckOrdersStep());
    f.edLimAkt.setText(QStringLiteral("3"));
    f.rgCentPkt.setItemIndex(0);
    f.rgDeviation.setEnabled(true);
    f.rgDeviation.click(1);
    QVERIFY(f.CheckOrdersStep());
}

void TestOptions::markModifiedDiscardsGeneratedOnce()
{
    Wizard w;
    auto& f = w.form;
    QVERIFY(!f.ProjectModified);
    f.rGenAFL.setText(QStringLiteral("x"));
    f.btGeneruj.setEnabled(false);
    f.btZapisz.setEnabled(true);
    f.btExport.setEnabled(true);
    f.rgHowPosition.click(1);
    QVERIFY(f.ProjectModified);
    QVERIFY(f.rGenAFL.isEmpty());
    QVERIFY(f.btGeneruj.isEnabled());
    QVERIFY(!f.btZapisz.isEnabled());
    QVERIFY(!f.btExport.isEnabled());
    f.rGenAFL.setText(QStringLiteral("y"));
    f.rgHowPosition.click(0);
    QCOMPARE(f.rGenAFL.text(), QStringLiteral("y")); // already modified: view left alone
}

void TestOptions::valueControlsDoNotMarkModified_data()
{
    QTest::addColumn<QString>("name");
    for (const char* n :
         {"csRefresh", "cbIntSecs", "csIntSecs", "csIntTicks", "csCount", "csValue", "cbComments"})
        QTest::newRow(n) << QString::fromLatin1(n);
}

void TestOptions::valueControlsDoNotMarkModified()
{
    QFETCH(QString, name);
    Wizard w;
    auto& f = w.form;
    f.rGenAFL.setText(QStringLiteral("generated"));
    Controls::Control* c = w.control(name);
    QVERIFY(c);
    if (auto* spin = qobject_cast<Controls::SpinEdit*>(c))
        spin->setValue(spin->value() + 1);
    else if (auto* combo = qobject_cast<Controls::ComboBox*>(c))
        combo->setItemIndex(0);
    else if (auto* box = qobject_cast<Controls::CheckBox*>(c))
        box->click();
    QVERIFY(!f.ProjectModified);
    QCOMPARE(f.rGenAFL.text(), QStringLiteral("generated"));
}

QTEST_GUILESS_MAIN(TestOptions)
#include "tst_options.moc"
