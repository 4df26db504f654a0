// Over every option value a project can hold, followed by random steps through the wizard,
// the program either refuses to generate or writes a script without "BŁĄD".

#include "WizardFixture.h"

#include <QRandomGenerator>

using Controls::Kind;

namespace {

const QStringList EditTexts{QString(),
                            QStringLiteral("0"),
                            QStringLiteral("2"),
                            QStringLiteral("1,5"),
                            QStringLiteral("1.5"),
                            QStringLiteral("-1"),
                            QStringLiteral("abc"),
                            QStringLiteral("KGHM")};

/// A project file that gives every option control of pages 1 to 5 a random stored value.
QByteArray randomProject(App::TForm1& form, const QString& script, QRandomGenerator& random)
{
    QByteArray text = "[DATA]\r\nEdytorAFL=Projekt\r\nFilename=" + script.toUtf8() + "\r\n";
    const auto pick = [&random](int low, int high) { return int(random.bounded(low, high + 1)); };
    for (Controls::Page* page : form.optionPages()) {
        for (Controls::Control* c : page->controls()) {
            QString value;
            // Mostly answered, so that complete projects come up often.
            if (c->kind() == Kind::RadioGroup)
                value = QString::number(
                    pick(0, 7)
                        ? pick(0, int(static_cast<Controls::RadioGroup*>(c)->items().size()) - 1)
                        : pick(-1, 3));
            else if (c->kind() == Kind::ComboBox)
                value = QString::number(pick(-1, 8));
            else if (c->kind() == Kind::CheckBox)
                value = QString::number(pick(0, 1));
            else if (c->kind() == Kind::SpinEdit)
                value = QString::number(pick(-1, 400));
            else if (c->kind() == Kind::Edit)
                value = EditTexts.at(pick(0, int(EditTexts.size()) - 1));
            else
                continue;
            text += c->name().toUtf8() + '=' + value.toUtf8() + "\r\n";
        }
    }
    // Mostly "done", so that generation is often within reach.
    for (int i = 0; i < App::TForm1::WizardPageCount; ++i)
        text += "panel" + QByteArray::number(i) + '=' + (pick(0, 5) ? "1" : "0") + "\r\n";
    return text;
}

/// One thing a user can do: Next, a tab, or an answer on the page shown (mostly to what it
/// still asks, else to any of its controls, the PEG box included).
void randomStep(App::TForm1& f, QRandomGenerator& random)
{
    const auto pick = [&random](int high) { return int(random.bounded(high + 1)); };
    const QList<Controls::Control*> controls = f.pcTab.page(f.pcTab.currentIndex())->controls();
    Controls::Control* c = f.firstUnanswered(f.pcTab.currentIndex());
    if (!c || pick(2) == 0)
        c = controls.isEmpty() ? nullptr : controls.at(pick(int(controls.size()) - 1));
    switch (pick(4)) {
    case 0:
        f.btDalej.click();
        return;
    case 1:
        f.pcTab.clickTab(pick(App::TForm1::WizardPageCount - 1));
        return;
    default:
        if (!c || !c->isEnabled())
            return;
        if (auto* group = qobject_cast<Controls::RadioGroup*>(c)) {
            group->click(pick(int(group->items().size()) - 1));
        } else if (auto* box = qobject_cast<Controls::CheckBox*>(c)) {
            box->mouseDown();
            box->click();
        } else if (c->kind() == Kind::Edit) {
            static_cast<Controls::Edit*>(c)->setText(EditTexts.at(pick(3)));
        }
    }
}

} // namespace

class TestGenerationGuard : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void noFinishedScriptHoldsError_data();
    void noFinishedScriptHoldsError();
    void orderListRebuildLeavesStepUndone_data();
    void orderListRebuildLeavesStepUndone();
    // The samples must reach generation, or the property says nothing.
    void cleanupTestCase() { QVERIFY(m_generated > 20); }

private:
    int m_generated = 0;
};

void TestGenerationGuard::noFinishedScriptHoldsError_data()
{
    QTest::addColumn<quint32>("seed");
    for (quint32 seed = 1; seed <= 400; ++seed)
        QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed))) << seed;
}

void TestGenerationGuard::noFinishedScriptHoldsError()
{
    QFETCH(quint32, seed);
    QRandomGenerator random(seed);
    Wizard w;
    App::TForm1& f = w.form;
    const QString script = w.write(QStringLiteral("s.afl"), Wizard::simpleScript());
    const QString project = w.write(QStringLiteral("p.afp"), randomProject(f, script, random));
    f.OpenProjectFile(project);

    for (int round = 0; round < 4; ++round) {
        for (int step = 0; step < 16; ++step)
            randomStep(f, random);
        f.pcTab.clickTab(App::TForm1::PageEnd);
        if (f.pcTab.currentIndex() != App::TForm1::PageEnd)
            continue;
        if (!f.btGeneruj.isEnabled())
            continue;
        QVERIFY(f.generationAllowed());
        f.btGeneruj.click();
        ++m_generated;
        QVERIFY2(!f.rGenAFL.text().contains(QStringLiteral("BŁĄD")), qPrintable(f.rGenAFL.text()));
    }
}

void TestGenerationGuard::orderListRebuildLeavesStepUndone_data()
{
    QTest::addColumn<int>("order");
    QTest::addColumn<int>("pegClicks");
    for (int order = 0; order <= 2; ++order) {
        for (int clicks = 1; clicks <= 2; ++clicks)
            QTest::addRow("order %d, PEG clicked %d times", order, clicks) << order << clicks;
    }
}

void TestGenerationGuard::orderListRebuildLeavesStepUndone()
{
    QFETCH(int, order);
    QFETCH(int, pegClicks);
    Wizard w;
    App::TForm1& f = w.form;
    w.walkTo(App::TForm1::PageOrders);
    f.rgOrders.click(order);
    f.edValDev.setText(QStringLiteral("1"));
    f.edCentDev.setText(QStringLiteral("1"));
    for (int i = 0; i < pegClicks; ++i)
        f.cbPEG.click();
    QVERIFY(!f.btDalej.isEnabled());
    QVERIFY(!f.pcTab.isTabVisible(App::TForm1::PageEnd));
    QCOMPARE(f.firstIncompleteStep(), int(App::TForm1::PageOrders));
    // Leaving by a tab and coming back keeps it undone.
    f.pcTab.clickTab(App::TForm1::PagePositions);
    f.pcTab.clickTab(App::TForm1::PageOrders);
    QVERIFY(!f.btDalej.isEnabled());
    f.tbEndShow();
    QVERIFY(!f.btGeneruj.isEnabled());
}

QTEST_GUILESS_MAIN(TestGenerationGuard)
#include "tst_generationguard.moc"
