// What the window offers after loads, refusals and new projects; where the focus goes;
// how a project writes its script path back.

#include "WizardFixture.h"
#include "project/ProfileFile.h"

using App::TForm1;

namespace {

const QByteArray PluginScript = "Buy = 1; Sell = 0; voxInit();\r\n";

/// Brings the window into the state named by scenario.
void act(Wizard& w, const QString& scenario)
{
    TForm1& f = w.form;
    const QString project = w.dir.filePath(QStringLiteral("p.afp"));
    if (scenario.startsWith(QLatin1String("project"))) {
        w.walkTo(TForm1::PageSafeguards);
        w.dialogs.queueFile(project);
        f.Zapiszjako1.click();
        f.OpenProjectFile(project);
        QVERIFY(f.Zapisz1.isEnabled());
    }
    if (scenario.endsWith(QLatin1String("empty file")))
        w.load(w.write(QStringLiteral("empty.afl"), QByteArray()));
    else if (scenario.endsWith(QLatin1String("missing file")))
        w.load(w.dir.filePath(QStringLiteral("gone.afl")));
    else if (scenario.endsWith(QLatin1String("refused script")))
        w.load(w.write(QStringLiteral("vox.afl"), PluginScript));
    else if (scenario == QLatin1String("new project from step 3")) {
        w.walkTo(TForm1::PageSafeguards);
        f.Nowy1Click();
    }
}

} // namespace

class TestCommandStates : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void enabledCommandsMatchTheState_data();
    void enabledCommandsMatchTheState();
    void focusGoesWhereTheUserMustAnswer_data();
    void focusGoesWhereTheUserMustAnswer();
    void scriptPathKeepsItsForm_data();
    void scriptPathKeepsItsForm();
};

void TestCommandStates::enabledCommandsMatchTheState_data()
{
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<bool>("titleNamesProject");
    QTest::addColumn<bool>("save");
    for (const char* load : {"empty file", "missing file"}) {
        QTest::newRow(load) << QString::fromLatin1(load) << false << false;
        const QString withProject = QStringLiteral("project, then ") + QLatin1String(load);
        QTest::newRow(qPrintable(withProject)) << withProject << true << true;
    }
    QTest::newRow("project, then refused script")
        << QStringLiteral("project, then refused script") << false << false;
    QTest::newRow("new project from step 3")
        << QStringLiteral("new project from step 3") << false << false;
}

// Whatever happened, the window is on page 0 with no script to go on with: Next, Back and
// the later tabs are gone, generation is refused, and the title and Save match the record.
void TestCommandStates::enabledCommandsMatchTheState()
{
    QFETCH(QString, scenario);
    QFETCH(bool, titleNamesProject);
    QFETCH(bool, save);
    Wizard w;
    act(w, scenario);
    const TForm1& f = w.form;
    QCOMPARE(f.pcTab.currentIndex(), int(TForm1::PageStart));
    QVERIFY(!f.btDalej.isEnabled());
    QVERIFY(!f.btWstecz.isEnabled());
    QCOMPARE(w.visibleTabs(), QList<int>{0});
    QVERIFY(!f.stepDone(TForm1::PageStart));
    QCOMPARE(f.firstIncompleteStep(), int(TForm1::PageStart));
    QCOMPARE(f.caption() != QLatin1String("Orvanta"), titleNamesProject);
    QCOMPARE(f.Zapisz1.isEnabled(), save);
    QCOMPARE(f.projectData.ProjectPath.isEmpty(), !titleNamesProject);
    // "Wczytaj" only while there is a path to load.
    QCOMPARE(f.Button7.isEnabled(), f.leAFL.hasText());
}

void TestCommandStates::focusGoesWhereTheUserMustAnswer_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("focus");
    QTest::newRow("Next onto an unanswered page") << 1 << QString() << QStringLiteral("rgTicker");
    QTest::newRow("Back onto a done page")
        << 2 << QStringLiteral("back") << QStringLiteral("btDalej");
    QTest::newRow("Next onto the summary") << 5 << QString() << QStringLiteral("btGeneruj");
    QTest::newRow("another price")
        << 4 << QStringLiteral("rgDeviation 2") << QStringLiteral("edOtherPrice");
    QTest::newRow("activation limit")
        << 4 << QStringLiteral("cbLimAkt") << QStringLiteral("edLimAkt");
}

void TestCommandStates::focusGoesWhereTheUserMustAnswer()
{
    QFETCH(int, page);
    QFETCH(QString, action);
    QFETCH(QString, focus);
    Wizard w;
    TForm1& f = w.form;
    w.walkTo(page);
    if (action == QLatin1String("back")) {
        f.btWstecz.click();
    } else if (action == QLatin1String("rgDeviation 2")) {
        f.rgOrders.click(0);
        f.cbLimAkt.click(); // checked: the reference price is asked for
        f.rgDeviation.click(2);
    } else if (action == QLatin1String("cbLimAkt")) {
        f.rgOrders.click(0);
        f.cbLimAkt.click();
    }
    QVERIFY(f.focusRequest());
    QCOMPARE(f.focusRequest()->name(), focus);
}

void TestCommandStates::scriptPathKeepsItsForm_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("saveInto");
    QTest::addColumn<QString>("written");
    QTest::newRow("relative, saved in place") << "demo.afl"
                                              << ""
                                              << "demo.afl";
    QTest::newRow("relative in a subfolder") << "./src/../demo.afl"
                                             << ""
                                             << "./src/../demo.afl";
    QTest::newRow("relative, saved as beside it") << "demo.afl"
                                                  << "copy.afp"
                                                  << "demo.afl";
    QTest::newRow("relative, saved as elsewhere") << "demo.afl"
                                                  << "sub/copy.afp"
                                                  << "@/demo.afl";
    QTest::newRow("absolute stays absolute") << "@/demo.afl"
                                             << ""
                                             << "@/demo.afl";
}

// A project beside its script keeps naming it relatively, so the folder can be moved.
void TestCommandStates::scriptPathKeepsItsForm()
{
    QFETCH(QString, stored);
    QFETCH(QString, saveInto);
    QFETCH(QString, written);
    Wizard w;
    const QString folder = w.dir.path();
    QVERIFY(QDir(folder).mkpath(QStringLiteral("sub")));
    w.write(QStringLiteral("demo.afl"), Wizard::simpleScript());
    const QString project =
        w.write(QStringLiteral("p.afp"), "[DATA]\r\nEdytorAFL=Projekt\r\nFilename=" +
                                             stored.replace(u'@', folder).toUtf8() + "\r\n");
    w.form.OpenProjectFile(project);
    QVERIFY(w.form.ScriptAccepted);
    QString target = project;
    if (saveInto.isEmpty()) {
        w.form.Zapisz1.click();
    } else {
        target = w.dir.filePath(saveInto);
        w.dialogs.queueFile(target);
        w.form.Zapiszjako1.click();
    }
    QCOMPARE(Definicje::ProfileFile(target).readString(QStringLiteral("DATA"),
                                                       QStringLiteral("Filename")),
             written.replace(u'@', folder));
}

QTEST_GUILESS_MAIN(TestCommandStates)
#include "tst_commandstates.moc"
