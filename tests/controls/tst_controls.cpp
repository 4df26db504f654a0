// Rules shared by every control model: handlers on change, clamping, check-box cycle, tabs.

#include "controls/Button.h"
#include "controls/CheckBox.h"
#include "controls/ComboBox.h"
#include "controls/Edit.h"
#include "controls/PageControl.h"
#include "controls/RadioGroup.h"
#include "controls/SpinEdit.h"

#include <QSignalSpy>
#include <QTest>

using namespace Controls;

Q_DECLARE_METATYPE(Controls::CheckState)

class TestControls : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void radioGroupRunsHandlerOnlyOnRealSelection_data();
    void radioGroupRunsHandlerOnlyOnRealSelection();
    void radioGroupSetItemsClearsSelectionSilently();
    void checkBoxUserClickCycle_data();
    void checkBoxUserClickCycle();
    void checkBoxProgramChangeRunsHandler();
    void disabledControlsIgnoreUserInput();
    void editRunsChangeOnDifferentTextOnly();
    void spinEditClamps_data();
    void spinEditClamps();
    void comboBoxOutOfRangeIsNone();
    void pageControlHidingCurrentTab_data();
    void pageControlHidingCurrentTab();
    void pageControlNavigateOrder();
    void pageControlProgramChangeRunsNoNavigationHandlers();
    void everyChangeEmitsChanged();
};

void TestControls::radioGroupRunsHandlerOnlyOnRealSelection_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("set");
    QTest::addColumn<int>("runs");
    QTest::addColumn<int>("index");
    QTest::newRow("none to item") << -1 << 1 << 1 << 1;
    QTest::newRow("item to other item") << 0 << 1 << 1 << 1;
    QTest::newRow("same item") << 1 << 1 << 0 << 1;
    QTest::newRow("item to none") << 1 << -1 << 0 << -1;
    QTest::newRow("out of range is none") << 0 << 7 << 0 << -1;
    QTest::newRow("none to none") << -1 << -1 << 0 << -1;
}

void TestControls::radioGroupRunsHandlerOnlyOnRealSelection()
{
    QFETCH(int, start);
    QFETCH(int, set);
    QFETCH(int, runs);
    QFETCH(int, index);
    RadioGroup group(QStringLiteral("rg"), QStringLiteral("G"),
                     {QStringLiteral("a"), QStringLiteral("b")});
    group.setItemIndex(start);
    int count = 0;
    int seen = -2;
    group.setOnClick([&] {
        ++count;
        seen = group.itemIndex();
    });
    group.setItemIndex(set);
    QCOMPARE(count, runs);
    QCOMPARE(group.itemIndex(), index);
    if (runs)
        QCOMPARE(seen, index); // the handler sees the new value
}

void TestControls::radioGroupSetItemsClearsSelectionSilently()
{
    RadioGroup group(QStringLiteral("rg"), QString(), {QStringLiteral("a"), QStringLiteral("b")});
    group.setItemIndex(1);
    int count = 0;
    group.setOnClick([&] { ++count; });
    group.setItems({QStringLiteral("x")});
    QCOMPARE(group.itemIndex(), -1);
    QCOMPARE(count, 0);
    group.addItem(QStringLiteral("y"));
    QCOMPARE(group.items().size(), 2);
    group.click(1);
    QCOMPARE(count, 1);
}

void TestControls::checkBoxUserClickCycle_data()
{
    QTest::addColumn<CheckState>("start");
    QTest::addColumn<CheckState>("after");
    QTest::newRow("unchecked") << CheckState::Unchecked << CheckState::Checked;
    QTest::newRow("checked") << CheckState::Checked << CheckState::Unchecked;
    QTest::newRow("grayed") << CheckState::Grayed << CheckState::Checked;
}

void TestControls::checkBoxUserClickCycle()
{
    QFETCH(CheckState, start);
    QFETCH(CheckState, after);
    CheckBox box(QStringLiteral("cb"), QString(), start);
    int count = 0;
    box.setOnClick([&] { ++count; });
    box.click();
    QCOMPARE(box.state(), after);
    QCOMPARE(count, 1);
    // A user never produces the grayed state, however often he clicks.
    for (int i = 0; i < 4; ++i) {
        box.click();
        QVERIFY(!box.isGrayed());
    }
}

void TestControls::checkBoxProgramChangeRunsHandler()
{
    CheckBox box(QStringLiteral("cb"), QString(), CheckState::Checked);
    QList<CheckState> seen;
    box.setOnClick([&] { seen.append(box.state()); });
    box.setState(CheckState::Checked);
    QVERIFY(seen.isEmpty());
    box.setState(CheckState::Grayed);
    box.setChecked(false);
    QCOMPARE(seen, (QList<CheckState>{CheckState::Grayed, CheckState::Unchecked}));
    box.runClick();
    QCOMPARE(seen.size(), 3);
}

void TestControls::disabledControlsIgnoreUserInput()
{
    CheckBox box(QStringLiteral("cb"), QString(), CheckState::Grayed);
    Button button(QStringLiteral("bt"), QStringLiteral("B"), false);
    int boxRuns = 0;
    int buttonRuns = 0;
    int downs = 0;
    box.setOnClick([&] { ++boxRuns; });
    box.setOnMouseDown([&] { ++downs; });
    button.setOnClick([&] { ++buttonRuns; });
    box.setEnabled(false);
    box.mouseDown();
    box.click();
    button.click();
    QCOMPARE(boxRuns + buttonRuns + downs, 0);
    QVERIFY(box.isGrayed()); // disabling keeps the value
    box.setEnabled(true);
    button.setEnabled(true);
    box.mouseDown();
    box.click();
    button.click();
    QCOMPARE(boxRuns, 1);
    QCOMPARE(buttonRuns, 1);
    QCOMPARE(downs, 1);
}

void TestControls::editRunsChangeOnDifferentTextOnly()
{
    Edit edit(QStringLiteral("ed"));
    int count = 0;
    edit.setOnChange([&] { ++count; });
    edit.setText(QString());
    QCOMPARE(count, 0);
    edit.setText(QStringLiteral("12,5"));
    edit.setText(QStringLiteral("12,5"));
    QCOMPARE(count, 1);
    edit.setInvalid(true);
    QVERIFY(!edit.isAcceptable());
    edit.setInvalid(false);
    QVERIFY(edit.isAcceptable());
    edit.setText(QString());
    QVERIFY(!edit.isAcceptable());
    QCOMPARE(count, 2);
}

void TestControls::spinEditClamps_data()
{
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("inside") << 1 << 3600 << "60" << 60;
    QTest::newRow("below") << 1 << 3600 << "0" << 1;
    QTest::newRow("above") << 1 << 3600 << "4000" << 3600;
    QTest::newRow("negative") << 0 << 100000000 << "-5" << 0;
    QTest::newRow("not a number") << 1 << 3600 << "abc" << 1;
    QTest::newRow("empty") << 1 << 3600 << "" << 1;
    QTest::newRow("decimal") << 1 << 3600 << "2,5" << 1;
    QTest::newRow("huge") << 1 << 1000000000 << "99999999999999999999999" << 1000000000;
    QTest::newRow("blanks") << 1 << 3600 << " 42 " << 42;
    QTest::newRow("no clamp when min equals max") << 0 << 0 << "-17" << -17;
}

void TestControls::spinEditClamps()
{
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(QString, text);
    QFETCH(int, value);
    SpinEdit spin(QStringLiteral("cs"), minimum, maximum, 7);
    spin.setText(text);
    QCOMPARE(spin.value(), value);
}

void TestControls::comboBoxOutOfRangeIsNone()
{
    ComboBox combo(QStringLiteral("cb"), {QStringLiteral("a"), QStringLiteral("b")}, 1);
    QCOMPARE(combo.currentText(), QStringLiteral("b"));
    combo.setItemIndex(5);
    QCOMPARE(combo.itemIndex(), -1);
    QVERIFY(combo.currentText().isEmpty());
}

void TestControls::pageControlHidingCurrentTab_data()
{
    QTest::addColumn<int>("current");
    QTest::addColumn<QList<int>>("hide");
    QTest::addColumn<int>("expected");
    QTest::newRow("next visible takes its place") << 2 << QList<int>{2} << 3;
    QTest::newRow("skips hidden followers") << 2 << QList<int>{3, 2} << 4;
    QTest::newRow("last visible when none follows") << 5 << QList<int>{5} << 4;
    QTest::newRow("hiding 1 to 5 in order ends on 0") << 3 << QList<int>{1, 2, 3, 4, 5} << 0;
    QTest::newRow("other tab leaves current") << 2 << QList<int>{4} << 2;
}

void TestControls::pageControlHidingCurrentTab()
{
    QFETCH(int, current);
    QFETCH(QList<int>, hide);
    QFETCH(int, expected);
    PageControl pc(QStringLiteral("pc"));
    QList<Page*> pages;
    for (int i = 0; i < 6; ++i) {
        pages.append(new Page(QStringLiteral("p%1").arg(i), QString(), &pc));
        pc.addPage(pages.last());
    }
    pc.setCurrentIndex(current);
    int navigations = 0;
    pc.setOnChanging([&] { ++navigations; });
    pc.setOnChange([&] { ++navigations; });
    for (int index : hide)
        pc.setTabVisible(index, false);
    QCOMPARE(pc.currentIndex(), expected);
    QCOMPARE(navigations, 0);
}

void TestControls::pageControlNavigateOrder()
{
    PageControl pc(QStringLiteral("pc"));
    Page a(QStringLiteral("a"), QStringLiteral("A"));
    Page b(QStringLiteral("b"), QStringLiteral("B"));
    pc.addPage(&a);
    pc.addPage(&b);
    QStringList log;
    pc.setOnChanging([&] { log << QStringLiteral("changing %1").arg(pc.currentIndex()); });
    b.setOnShow([&] { log << QStringLiteral("show b"); });
    pc.setOnChange([&] { log << QStringLiteral("change %1").arg(pc.currentIndex()); });
    pc.setTabVisible(1, false);
    pc.clickTab(1); // a hidden tab cannot be clicked
    QVERIFY(log.isEmpty());
    pc.navigate(1); // navigation reaches a hidden tab's page
    QCOMPARE(log, (QStringList{QStringLiteral("changing 0"), QStringLiteral("show b"),
                               QStringLiteral("change 1")}));
    log.clear();
    pc.navigate(1);
    pc.navigate(-1);
    pc.navigate(2);
    QVERIFY(log.isEmpty());
}

void TestControls::pageControlProgramChangeRunsNoNavigationHandlers()
{
    PageControl pc(QStringLiteral("pc"));
    Page a(QStringLiteral("a"), QString());
    Page b(QStringLiteral("b"), QString());
    pc.addPage(&a);
    pc.addPage(&b);
    int navigations = 0;
    int shows = 0;
    pc.setOnChanging([&] { ++navigations; });
    pc.setOnChange([&] { ++navigations; });
    b.setOnShow([&] { ++shows; });
    pc.setCurrentIndex(1);
    pc.setCurrentIndex(1);
    QCOMPARE(navigations, 0);
    QCOMPARE(shows, 1);
}

void TestControls::everyChangeEmitsChanged()
{
    RadioGroup group(QStringLiteral("rg"), QString(), {QStringLiteral("a")});
    CheckBox box(QStringLiteral("cb"), QString(), CheckState::Grayed);
    Edit edit(QStringLiteral("ed"));
    SpinEdit spin(QStringLiteral("cs"), 1, 10, 1);
    QSignalSpy g(&group, &Control::changed);
    QSignalSpy c(&box, &Control::changed);
    QSignalSpy e(&edit, &Control::changed);
    QSignalSpy s(&spin, &Control::changed);
    group.setItemIndex(0);
    group.setEnabled(false);
    box.setState(CheckState::Checked);
    edit.setText(QStringLiteral("x"));
    edit.setInvalid(true);
    spin.setValue(5);
    spin.setText(QStringLiteral("junk")); // replaced by the minimum
    QCOMPARE(g.count(), 2);
    QCOMPARE(c.count(), 1);
    QCOMPARE(e.count(), 2);
    QVERIFY(s.count() >= 2);
    QCOMPARE(spin.value(), 1);
    group.setEnabled(false);
    QCOMPARE(g.count(), 2);
}

QTEST_GUILESS_MAIN(TestControls)
#include "tst_controls.moc"
