// Tests of saving and restoring the direct controls of a page in a profile file section.

#include "controls/Button.h"
#include "controls/CheckBox.h"
#include "controls/ComboBox.h"
#include "controls/Edit.h"
#include "controls/Page.h"
#include "controls/PageControl.h"
#include "controls/RadioGroup.h"
#include "controls/SpinEdit.h"
#include "project/ControlStates.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Controls;

namespace {

/// A page holding one control of every kind, plus a nested page and a button.
struct Form
{
    Page page{QStringLiteral("tbStart"), QStringLiteral("Start")};
    Edit edName{QStringLiteral("edName")};
    LabeledEdit leAFL{QStringLiteral("leAFL"), QStringLiteral("Plik")};
    CheckBox cbShow{QStringLiteral("cbShow"), QStringLiteral("Pokaż"), CheckState::Grayed};
    SpinEdit csCount{QStringLiteral("csCount"), 1, 1000, 5};
    RadioGroup rgTicker{QStringLiteral("rgTicker"),
                        QStringLiteral("Walor"),
                        {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}};
    ComboBox cbIntSecs{QStringLiteral("cbIntSecs"),
                       {QStringLiteral("1"), QStringLiteral("5"), QStringLiteral("10")},
                       1};
    PageControl pcInner{QStringLiteral("pcInner")};
    Page inner1{QStringLiteral("inner1"), QStringLiteral("1")};
    Page inner2{QStringLiteral("inner2"), QStringLiteral("2")};
    Button btGo{QStringLiteral("btGo"), QStringLiteral("Idź")};
    Page group{QStringLiteral("gbGroup"), QStringLiteral("Grupa")};
    Edit edNested{QStringLiteral("edNested")};
    QStringList handled;

    Form()
    {
        pcInner.addPage(&inner1);
        pcInner.addPage(&inner2);
        group.add(&edNested);
        for (Control* c :
             std::initializer_list<Control*>{&edName, &leAFL, &cbShow, &csCount, &rgTicker,
                                             &cbIntSecs, &pcInner, &btGo, &group})
            page.add(c);
        edName.setOnChange([this] { handled << QStringLiteral("edName"); });
        leAFL.setOnChange([this] { handled << QStringLiteral("leAFL"); });
        cbShow.setOnClick([this] { handled << QStringLiteral("cbShow"); });
        rgTicker.setOnClick([this] { handled << QStringLiteral("rgTicker"); });
    }
};

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TstControlStates : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void saveWritesValueFormsInLayoutOrder();
    void roundTrip_data();
    void roundTrip();
    void missingKeysGiveDefaults();
    void loadRunsHandlersOnlyOnChange();
    void savingOverAFileKeepsForeignKeys();

private:
    QTemporaryDir m_dir;
};

void TstControlStates::saveWritesValueFormsInLayoutOrder()
{
    Form form;
    form.edName.setText(QStringLiteral(" a=b "));
    form.pcInner.setCurrentIndex(1);
    form.edNested.setText(QStringLiteral("never stored"));
    const QString path = m_dir.filePath(QStringLiteral("order.ini"));
    Definicje::ProfileFile file(path);
    Definicje::SaveControlStates(file, form.page);
    QVERIFY(file.save().ok);
    QCOMPARE(readAll(path), QByteArray("[DATA]\r\nedName=\" a=b \"\r\nleAFL=\r\ncbShow=0\r\n"
                                       "csCount=5\r\nrgTicker=-1\r\ncbIntSecs=1\r\npcInner=1\r\n"));
}

void TstControlStates::roundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("check"); // CheckState
    QTest::addColumn<int>("spin");
    QTest::addColumn<int>("radio");
    QTest::addColumn<int>("combo");
    QTest::addColumn<int>("loadedCheck");
    QTest::newRow("grayed comes back unchecked")
        << "x" << int(CheckState::Grayed) << 7 << 2 << 0 << int(CheckState::Unchecked);
    QTest::newRow("checked") << "" << int(CheckState::Checked) << 1000 << 0 << 2
                             << int(CheckState::Checked);
    QTest::newRow("no selection stays none") << "  blanks  " << int(CheckState::Unchecked) << 1
                                             << -1 << -1 << int(CheckState::Unchecked);
    QTest::newRow("quotes and 300 characters")
        << QStringLiteral("\"%1\"").arg(QString(300, u'ż')) << int(CheckState::Checked) << 3 << 1
        << 1 << int(CheckState::Checked);
}

void TstControlStates::roundTrip()
{
    QFETCH(QString, text);
    QFETCH(int, check);
    QFETCH(int, spin);
    QFETCH(int, radio);
    QFETCH(int, combo);
    QFETCH(int, loadedCheck);
    const QString path = m_dir.filePath(QStringLiteral("%1.ini").arg(QTest::currentDataTag()));
    {
        Form form;
        form.edName.setText(text);
        form.leAFL.setText(text + QStringLiteral("/"));
        form.cbShow.setState(CheckState(check));
        form.csCount.setValue(spin);
        form.rgTicker.setItemIndex(radio);
        form.cbIntSecs.setItemIndex(combo);
        Definicje::ProfileFile file(path);
        Definicje::SaveControlStates(file, form.page);
        QVERIFY(file.save().ok);
    }
    Form loaded;
    loaded.rgTicker.setItemIndex(0);
    Definicje::LoadControlStates(Definicje::ProfileFile(path), loaded.page);
    QCOMPARE(loaded.edName.text(), text);
    QCOMPARE(loaded.leAFL.text(), text + QStringLiteral("/"));
    QCOMPARE(int(loaded.cbShow.state()), loadedCheck);
    QCOMPARE(loaded.csCount.value(), spin);
    QCOMPARE(loaded.rgTicker.itemIndex(), radio);
    QCOMPARE(loaded.cbIntSecs.itemIndex(), combo);
}

void TstControlStates::missingKeysGiveDefaults()
{
    const QString path = m_dir.filePath(QStringLiteral("empty.ini"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[DATA]\r\nedNested=x\r\n[Other]\r\nedName=wrong section\r\n");
    f.close();
    Form form;
    form.edName.setText(QStringLiteral("old"));
    form.cbShow.setState(CheckState::Checked);
    form.csCount.setValue(50);
    form.cbIntSecs.setItemIndex(2);
    form.pcInner.setCurrentIndex(1);
    Definicje::LoadControlStates(Definicje::ProfileFile(path), form.page);
    QCOMPARE(form.edName.text(), QString());
    QCOMPARE(form.cbShow.state(), CheckState::Unchecked);
    QCOMPARE(form.csCount.value(), 1); // 0, raised to the minimum
    QCOMPARE(form.rgTicker.itemIndex(), 0);
    QCOMPARE(form.cbIntSecs.itemIndex(), 0);
    QCOMPARE(form.pcInner.currentIndex(), 0);
    QCOMPARE(form.edNested.text(), QString()); // not a direct control of the page
}

void TstControlStates::loadRunsHandlersOnlyOnChange()
{
    const QString path = m_dir.filePath(QStringLiteral("handlers.ini"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[DATA]\r\nedName=same\r\nleAFL=new\r\ncbShow=1\r\nrgTicker=-1\r\n");
    f.close();
    Form form;
    form.edName.setText(QStringLiteral("same"));
    form.rgTicker.setItemIndex(1);
    form.handled.clear();
    Definicje::LoadControlStates(Definicje::ProfileFile(path), form.page);
    QCOMPARE(form.handled, (QStringList{"leAFL", "cbShow"}));
    QCOMPARE(form.rgTicker.itemIndex(), -1);
}

void TstControlStates::savingOverAFileKeepsForeignKeys()
{
    const QString path = m_dir.filePath(QStringLiteral("foreign.ini"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[DATA]\r\ncsCount=9\r\nforeign=1\r\nedName=old\r\n");
    f.close();
    Form form;
    form.edName.setText(QStringLiteral("new"));
    Definicje::ProfileFile file(path);
    Definicje::SaveControlStates(file, form.page);
    QVERIFY(file.save().ok);
    QCOMPARE(readAll(path), QByteArray("[DATA]\r\ncsCount=5\r\nforeign=1\r\nedName=new\r\n"
                                       "leAFL=\r\ncbShow=0\r\nrgTicker=-1\r\ncbIntSecs=1\r\n"
                                       "pcInner=0\r\n"));
}

QTEST_GUILESS_MAIN(TstControlStates)
#include "tst_controlstates.moc"
