// The safety switches in the wizard: their handlers, and how projects store and restore them.

#include "WizardFixture.h"
#include "project/ProfileFile.h"

namespace {

const QString Section = QStringLiteral("DATA");
const QStringList SwitchKeys = {"cbTestMode", "cbSwitch", "cbOrderLog", "cbDailyCap", "csDailyCap"};

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

/// The switches as the form shows them: four boxes, then the cap and whether it can be edited.
QString shown(const App::TForm1& f)
{
    return QStringLiteral("%1%2%3%4 %5%6")
        .arg(f.cbTestMode.isChecked())
        .arg(f.cbSwitch.isChecked())
        .arg(f.cbOrderLog.isChecked())
        .arg(f.cbDailyCap.isChecked())
        .arg(f.csDailyCap.value())
        .arg(f.csDailyCap.isEnabled() ? "" : " disabled");
}

} // namespace

class TstSwitches : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void handlers();
    void projects_data();
    void projects();
};

// A switch marks the project modified and never decides the step; New puts them back.
void TstSwitches::handlers()
{
    Wizard w;
    App::TForm1& f = w.form;
    QCOMPARE(shown(f), QStringLiteral("0000 10 disabled"));
    w.walkTo(5);
    f.btGeneruj.click();
    QVERIFY(!f.ProjectModified);
    f.pcTab.clickTab(App::TForm1::PageSafeguards);
    QVERIFY(f.btDalej.isEnabled());

    f.cbDailyCap.click();
    QVERIFY(f.ProjectModified);
    QVERIFY(f.rGenAFL.isEmpty());
    QCOMPARE(shown(f), QStringLiteral("0001 10"));
    f.btGeneruj.setEnabled(false); // as after a generation: only a change enables it again
    f.ProjectModified = false;
    f.csDailyCap.setText(QStringLiteral("250"));
    QCOMPARE(f.csDailyCap.value(), 100);
    QVERIFY(f.ProjectModified);
    QVERIFY(f.btGeneruj.isEnabled());
    for (Controls::CheckBox* box : {&f.cbTestMode, &f.cbSwitch, &f.cbOrderLog})
        box->click();
    QVERIFY(f.btDalej.isEnabled());
    QVERIFY(f.StepDone[App::TForm1::PageSafeguards]);
    QCOMPARE(shown(f), QStringLiteral("1111 100"));

    w.dialogs.queueAnswer(App::Answer::No);
    f.Nowy1.click();
    QCOMPARE(shown(f), QStringLiteral("0000 10 disabled"));
}

void TstSwitches::projects_data()
{
    QTest::addColumn<QByteArray>("stored"); // the switch keys of the file, after panel5
    QTest::addColumn<QString>("restored");
    QTest::addColumn<QByteArray>("saved"); // what saving the opened project writes after panel5
    const QByteArray off = "cbTestMode=0\r\ncbSwitch=0\r\ncbOrderLog=0\r\ncbDailyCap=0\r\n"
                           "csDailyCap=10\r\n";
    QTest::newRow("older project without the keys") << QByteArray() << "0000 10 disabled" << off;
    QTest::newRow("saved with all off") << off << "0000 10 disabled" << off;
    QTest::newRow("all four, cap 25")
        << QByteArray("cbTestMode=1\r\ncbSwitch=1\r\ncbOrderLog=1\r\ncbDailyCap=1\r\n"
                      "csDailyCap=25\r\n")
        << "1111 25"
        << QByteArray("cbTestMode=1\r\ncbSwitch=1\r\ncbOrderLog=1\r\ncbDailyCap=1\r\n"
                      "csDailyCap=25\r\n");
    // Keys set by hand (project set appends them): their order stays, the rest follow.
    QTest::newRow("cap without its number")
        << QByteArray("cbDailyCap=1\r\ncbSwitch=1\r\n") << "0101 10"
        << QByteArray("cbDailyCap=1\r\ncbSwitch=1\r\ncbTestMode=0\r\ncbOrderLog=0\r\n"
                      "csDailyCap=10\r\n");
    QTest::newRow("cap beyond its range")
        << QByteArray("cbDailyCap=1\r\ncsDailyCap=500\r\n") << "0001 100"
        << QByteArray("cbDailyCap=1\r\ncsDailyCap=100\r\ncbTestMode=0\r\ncbSwitch=0\r\n"
                      "cbOrderLog=0\r\n");
}

// The first 38 keys keep their values and order; the switches come after them.
void TstSwitches::projects()
{
    QFETCH(QByteArray, stored);
    QFETCH(QString, restored);
    QFETCH(QByteArray, saved);
    Wizard w;
    w.walkTo(5);
    const QString path = w.dir.filePath(QStringLiteral("p.afp"));
    w.dialogs.queueFile(path);
    w.form.Zapiszjako1.click();
    QByteArray first = readAll(path);
    first.truncate(first.indexOf("\r\n", first.indexOf("panel5=")) + 2);
    QVERIFY(first.endsWith("panel5=0\r\n"));
    w.write(QStringLiteral("p.afp"), first + stored);

    Wizard again;
    again.dialogs.queueFile(path);
    again.form.Otwrz1.click();
    QVERIFY(again.dialogs.messages().isEmpty());
    QCOMPARE(shown(again.form), restored);
    QVERIFY(!again.form.ProjectModified);

    // The summary lists the switches that are on under a heading of their own.
    again.form.btDalej.click();
    QVERIFY(again.form.btGeneruj.isEnabled());
    const bool any = restored.left(4) != QLatin1String("0000");
    QCOMPARE(again.form.tvSummary.size(), any ? 10 : 9);
    QCOMPARE(again.form.tvSummary.at(4).header == QStringLiteral("Kontrola zleceń:"), any);

    again.form.Zapisz1.click();
    QCOMPARE(readAll(path), first + saved);
    QCOMPARE(Definicje::ProfileFile(path).keys(Section).mid(38).size(), SwitchKeys.size());
}

QTEST_GUILESS_MAIN(TstSwitches)
#include "tst_switches.moc"
