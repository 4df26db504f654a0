// Tests of the project commands of the main window: New, Open, Save, Save As, the close query.

#include "WizardFixture.h"
#include "project/ProfileFile.h"

#include <QDir>

using App::Answer;
using App::TForm1;

namespace {

const QStringList ProjectKeys = {
    "EdytorAFL", "Filename", "Build", "leAFL", "cbComments", "rgTicker", "edName", "rgSignals",
    "cbShow", "rgAccount", "edAccount", "cbRefresh", "csRefresh", "rgInterval", "cbIntSecs",
    "csIntSecs", "csIntTicks", "cbReverse", "cbOneSignal", "rgHowPosition", "rgPositions",
    "csCount", "csValue", "rgOrders", "rgDeviation", "edOtherPrice", "edValDev", "edCentDev",
    "edLimAkt", "cbLimAkt", "rgCentPkt", "cbPEG", "panel0", "panel1", "panel2", "panel3", "panel4",
    "panel5",
    // The safety switches follow every key of the first version.
    "cbTestMode", "cbSwitch", "cbOrderLog", "cbDailyCap", "csDailyCap"};

QByteArray readAll(const QString& path)
{
    if (path.isEmpty())
        return {};
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

int highestDone(const TForm1& form)
{
    int page = 0;
    for (int i = 0; i < TForm1::WizardPageCount; ++i) {
        if (form.StepDone[i])
            page = i;
    }
    return page;
}

/// Everything a project restores, one line per control, for comparing two windows: the values
/// of every page (a grayed box reads back unchecked), and on the pages up to the highest
/// complete one also what the handlers rebuild (enabled, invalid, visible).
QStringList optionStates(const TForm1& form, int highestDonePage)
{
    using namespace Controls;
    QStringList states;
    const QList<Page*> pages = form.optionPages();
    for (int p = 0; p < pages.size(); ++p) {
        const bool rebuilt = p <= highestDonePage;
        for (const Control* c : pages.at(p)->controls()) {
            QString value;
            switch (c->kind()) {
            case Kind::Edit:
            case Kind::LabeledEdit: {
                const auto* e = static_cast<const Edit*>(c);
                value = u'\'' + e->text() + u'\'';
                if (rebuilt)
                    value += QStringLiteral(" invalid=%1 visible=%2")
                                 .arg(e->isInvalid())
                                 .arg(e->isVisible());
                break;
            }
            case Kind::CheckBox:
                value = QString::number(static_cast<const CheckBox*>(c)->isChecked());
                break;
            case Kind::SpinEdit:
                value = QString::number(static_cast<const SpinEdit*>(c)->value());
                break;
            case Kind::RadioGroup: {
                const auto* r = static_cast<const RadioGroup*>(c);
                // The rebuilt order list ends its items with a blank, the first one does not.
                for (const QString& item : r->items())
                    value += item.trimmed() + u'|';
                value += QString::number(r->itemIndex());
                break;
            }
            case Kind::ComboBox:
                value = QString::number(static_cast<const ComboBox*>(c)->itemIndex());
                break;
            default:
                continue;
            }
            if (rebuilt)
                value += QStringLiteral(" enabled=%1").arg(c->isEnabled());
            states.append(c->name() + u' ' + value);
        }
    }
    return states;
}

QList<bool> stepDone(const TForm1& form)
{
    return QList<bool>(form.StepDone.begin(), form.StepDone.end());
}

QString saveAs(Wizard& w, const QString& name)
{
    const QString path = w.dir.filePath(name);
    w.dialogs.queueFile(path);
    w.form.Zapiszjako1.click();
    return path;
}

void open(Wizard& w, const QString& path)
{
    w.dialogs.queueFile(path);
    w.form.Otwrz1.click();
}

/// Answers the wizard in one of several ways; returns false when a step did not complete.
bool answerScenario(Wizard& w, const QString& scenario)
{
    TForm1& f = w.form;
    if (scenario == QLatin1String("first answers")) {
        w.walkTo(5);
        return f.pcTab.currentIndex() == 5;
    }
    if (scenario == QLatin1String("defined names and limits")) {
        w.loadText(Wizard::simpleScript());
        f.cbComments.click();
        f.btDalej.click();
        f.rgTicker.click(1);
        f.edName.setText(QStringLiteral("KGHM"));
        f.rgAccount.click(1);
        f.edAccount.setText(QStringLiteral("00-123"));
        f.rgSignals.click(1);
        f.cbShow.click();
        f.cbRefresh.click();
        f.csRefresh.setText(QStringLiteral("5"));
        f.btDalej.click();
        f.cbReverse.click();
        f.cbOneSignal.click();
        f.rgInterval.click(2);
        f.csIntSecs.setText(QStringLiteral("90"));
        f.btDalej.click();
        f.rgHowPosition.click(1);
        f.rgPositions.click(1);
        f.csValue.setText(QStringLiteral("5000"));
        f.btDalej.click();
        f.rgOrders.click(2);
        f.edCentDev.setText(QStringLiteral("1,5"));
        f.rgDeviation.click(2);
        f.edOtherPrice.setText(QStringLiteral("101,25"));
        f.cbLimAkt.mouseDown();
        f.cbLimAkt.click();
        f.cbLimAkt.mouseDown();
        f.cbLimAkt.click();
        f.edLimAkt.setText(QStringLiteral("2"));
        f.rgCentPkt.click(1);
        if (!f.cbLimAkt.isChecked() || !f.btDalej.isEnabled())
            return false;
        f.btDalej.click();
        return f.pcTab.currentIndex() == 5;
    }
    if (scenario == QLatin1String("peg order")) {
        w.walkTo(4);
        f.cbPEG.click();
        f.rgOrders.click(1);
        f.edValDev.setText(QStringLiteral("0,5"));
        if (!f.btDalej.isEnabled())
            return false;
        f.btDalej.click();
        return f.pcTab.currentIndex() == 5;
    }
    if (scenario == QLatin1String("two steps done")) {
        w.walkTo(3);
        f.rgHowPosition.click(0);
        return f.pcTab.currentIndex() == 3;
    }
    if (scenario == QLatin1String("texts with blanks and quotes")) {
        w.walkTo(1);
        f.rgTicker.click(1);
        f.edName.setText(QStringLiteral("  \"KGHM\"  "));
        f.rgAccount.click(1);
        f.edAccount.setText(QString(300, u'9'));
        return true;
    }
    return false;
}

} // namespace

class TstProject : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void newProjectSavedAtOnceWritesAllKeys();
    void saveAsShowsThePathButLeavesSaveDisabled();
    void lowerCaseMarkerIsRefused();
    void savingOverAFileKeepsForeignKeysAndOrder();
    void saveWithoutFileWritesNothing();
    void failedWritesAreReported();
    void questionBeforeNewAndOpen_data();
    void questionBeforeNewAndOpen();
    void closeQuery_data();
    void closeQuery();
    void roundTrip_data();
    void roundTrip();
    void unreadableSourceIsReported();
    void rejectedSourceEmptiesTheProject();
    void restoredCheckedActivationLimitStaysChecked();
    void relativeSourceIsTakenBesideTheProject();
};

void TstProject::initTestCase()
{
    qputenv("SOURCE_DATE_EPOCH", "1700000000");
}

void TstProject::newProjectSavedAtOnceWritesAllKeys()
{
    Wizard w;
    const QString path = saveAs(w, QStringLiteral("new.afp"));
    QVERIFY(!w.dialogs.failed());
    const Definicje::ProfileFile file(path);
    QCOMPARE(file.sections(), QStringList{"DATA"});
    QCOMPARE(file.keys(QStringLiteral("DATA")), ProjectKeys);
    const QByteArray bytes = readAll(path);
    QVERIFY(bytes.startsWith("[DATA]\r\nEdytorAFL=Projekt\r\nFilename=\r\nBuild=0\r\nleAFL=\r\n"));
    QVERIFY(bytes.endsWith("panel0=0\r\npanel1=0\r\npanel2=0\r\npanel3=0\r\npanel4=0\r\n"
                           "panel5=0\r\ncbTestMode=0\r\ncbSwitch=0\r\ncbOrderLog=0\r\n"
                           "cbDailyCap=0\r\ncsDailyCap=10\r\n"));
    QCOMPARE(bytes.count("\r\n"), 44);
    QCOMPARE(file.readString(QStringLiteral("DATA"), QStringLiteral("rgTicker")),
             QStringLiteral("-1"));
    QCOMPARE(file.readString(QStringLiteral("DATA"), QStringLiteral("cbComments")),
             QStringLiteral("1"));
}

void TstProject::saveAsShowsThePathButLeavesSaveDisabled()
{
    Wizard w;
    w.loadText(Wizard::simpleScript());
    QVERIFY(w.form.ProjectModified);
    const QString path = saveAs(w, QStringLiteral("named.afp"));
    QCOMPARE(w.form.caption(), QStringLiteral("Orvanta [%1]").arg(path));
    QVERIFY(!w.form.Zapisz1.isEnabled());
    QVERIFY(!w.form.ProjectModified);
    QCOMPARE(w.form.projectData.ProjectPath, path);
    const App::FileDialog& run = w.dialogs.fileDialogs().last();
    QCOMPARE(run.objectName, QStringLiteral("svSaveProject"));
    QCOMPARE(run.title, QStringLiteral("Zapisz projekt"));
    QVERIFY(run.overwritePrompt);

    // The next Save As proposes the project's file.
    w.dialogs.queueCancel();
    w.form.Zapiszjako1.click();
    QCOMPARE(w.dialogs.fileDialogs().last().fileName, path);
    QCOMPARE(w.form.caption(), QStringLiteral("Orvanta [%1]").arg(path));
}

void TstProject::lowerCaseMarkerIsRefused()
{
    Wizard w;
    const QByteArray content = "[DATA]\r\nEdytorAFL=projekt\r\nFilename=\r\npanel1=1\r\n";
    const QString path = w.write(QStringLiteral("lower.afp"), content);
    open(w, path);
    QCOMPARE(w.dialogs.messages().size(), 1);
    const App::ScriptedDialogs::Message& m = w.dialogs.messages().first();
    QCOMPARE(m.caption, QStringLiteral("Orvanta"));
    QCOMPARE(m.text, QStringLiteral("Plik %1 nie jest projektem.").arg(path));
    QCOMPARE(m.icon, App::Icon::Warning);
    QCOMPARE(w.form.caption(), QStringLiteral("Orvanta"));
    QCOMPARE(w.form.projectData.ProjectPath, QString());
    QVERIFY(!w.form.Zapisz1.isEnabled());
    QCOMPARE(w.visibleTabs(), QList<int>{0});

    // A later Save does not write into the refused file.
    w.form.Zapisz1Click();
    QCOMPARE(readAll(path), content);
}

void TstProject::savingOverAFileKeepsForeignKeysAndOrder()
{
    Wizard w;
    const QString path =
        w.write(QStringLiteral("foreign.afp"),
                "; written by hand\r\n[DATA]\r\npanel0=1\r\nEdytorAFL=Projekt\r\nNote=keep me\r\n"
                "Filename=\r\n[Extra]\r\nx=1\r\n");
    open(w, path);
    QCOMPARE(w.form.caption(), QStringLiteral("Orvanta [%1]").arg(path));
    QVERIFY(w.form.Zapisz1.isEnabled());
    w.form.rgTicker.click(1);
    QVERIFY(w.form.ProjectModified);
    w.form.Zapisz1.click();
    QVERIFY(!w.form.ProjectModified);
    const Definicje::ProfileFile file(path);
    QStringList expected = ProjectKeys;
    expected.removeOne(QStringLiteral("panel0"));
    expected.removeOne(QStringLiteral("EdytorAFL"));
    expected.removeOne(QStringLiteral("Filename"));
    expected = QStringList{"panel0", "EdytorAFL", "Note", "Filename"} + expected;
    QCOMPARE(file.keys(QStringLiteral("DATA")), expected);
    QCOMPARE(file.readString(QStringLiteral("DATA"), QStringLiteral("Note")),
             QStringLiteral("keep me"));
    QCOMPARE(file.readString(QStringLiteral("DATA"), QStringLiteral("rgTicker")),
             QStringLiteral("1"));
    QCOMPARE(file.readString(QStringLiteral("Extra"), QStringLiteral("x")), QStringLiteral("1"));
    QVERIFY(readAll(path).startsWith("; written by hand\r\n[DATA]\r\n"));
}

void TstProject::saveWithoutFileWritesNothing()
{
    Wizard w;
    w.loadText(Wizard::simpleScript());
    QVERIFY(w.form.ProjectModified);
    w.form.Zapisz1Click();
    QVERIFY(!w.form.ProjectModified);
    QVERIFY(w.dialogs.fileDialogs().size() == 1); // only the script's
    QCOMPARE(QDir(w.dir.path()).entryList({QStringLiteral("*.afp")}, QDir::Files), QStringList());
}

void TstProject::failedWritesAreReported()
{
    Wizard w;
    w.loadText(Wizard::simpleScript());
    const QString missing = w.dir.filePath(QStringLiteral("no/such/folder/p.afp"));
    w.dialogs.queueFile(missing);
    w.form.Zapiszjako1.click();
    QCOMPARE(w.dialogs.messages().size(), 1);
    QVERIFY(w.dialogs.messages().first().text.startsWith(
        QStringLiteral("Nie można zapisać pliku %1\r\n").arg(missing)));
    QCOMPARE(w.dialogs.messages().first().caption, QStringLiteral("Orvanta"));
    QCOMPARE(w.dialogs.messages().first().icon, App::Icon::Warning);
    QCOMPARE(w.form.caption(), QStringLiteral("Orvanta"));
    QVERIFY(w.form.ProjectModified);
    QCOMPARE(w.form.projectData.ProjectPath, QString());

    // Save into a file that has become a folder: reported, still modified.
    const QString path = saveAs(w, QStringLiteral("p.afp"));
    QVERIFY(!w.form.ProjectModified);
    w.form.rgTicker.click(1);
    QVERIFY(QFile::remove(path));
    QVERIFY(QDir().mkdir(path));
    w.form.Zapisz1Click();
    QCOMPARE(w.dialogs.messages().size(), 2);
    QVERIFY(w.dialogs.messages().last().text.startsWith(
        QStringLiteral("Nie można zapisać pliku %1\r\n").arg(path)));
    QVERIFY(w.form.ProjectModified);

    // Closing: Yes with a failing save keeps the window open.
    w.dialogs.queueAnswer(Answer::Yes);
    QVERIFY(!w.form.FormCloseQuery());
    QCOMPARE(w.dialogs.messages().size(), 4);
}

void TstProject::questionBeforeNewAndOpen_data()
{
    QTest::addColumn<bool>("openCommand");
    QTest::addColumn<bool>("withFile");
    QTest::addColumn<int>("answer");
    QTest::newRow("new, yes, saved project") << false << true << int(Answer::Yes);
    QTest::newRow("new, yes, never saved") << false << false << int(Answer::Yes);
    QTest::newRow("new, no") << false << true << int(Answer::No);
    QTest::newRow("open, yes, saved project") << true << true << int(Answer::Yes);
    QTest::newRow("open, no") << true << false << int(Answer::No);
}

void TstProject::questionBeforeNewAndOpen()
{
    QFETCH(bool, openCommand);
    QFETCH(bool, withFile);
    QFETCH(int, answer);
    Wizard w;
    w.loadText(Wizard::simpleScript());
    QString path;
    if (withFile) {
        path = saveAs(w, QStringLiteral("q.afp"));
        w.form.rgTicker.click(1);
    }
    QVERIFY(w.form.ProjectModified);
    const QByteArray before = readAll(path);
    w.dialogs.clearRecords();
    w.dialogs.queueAnswer(Answer(answer));
    if (!withFile && answer == int(Answer::Yes))
        w.dialogs.queueCancel(); // the Save As dialog
    if (openCommand) {
        w.dialogs.queueCancel(); // the open dialog
        w.form.Otwrz1.click();
    } else {
        w.form.Nowy1.click();
    }
    QVERIFY2(!w.dialogs.failed(), qPrintable(w.dialogs.failures().join(u'\n')));
    QVERIFY(w.dialogs.exhausted());
    QCOMPARE(w.dialogs.messages().first().caption, QStringLiteral("Uwaga!"));
    QCOMPARE(w.dialogs.messages().first().text,
             QStringLiteral("Projekt został zmieniony !\r\nCzy chcesz go zapisać?"));
    QCOMPARE(w.dialogs.messages().first().buttons, App::Buttons::YesNo);
    QCOMPARE(w.dialogs.messages().first().icon, App::Icon::None);
    const bool saved = withFile && answer == int(Answer::Yes);
    QCOMPARE(readAll(path) != before, saved);
    if (!openCommand) {
        QCOMPARE(w.form.caption(), QStringLiteral("Orvanta"));
        QVERIFY(!w.form.ProjectModified);
    }
}

void TstProject::closeQuery_data()
{
    QTest::addColumn<bool>("loadScript");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<int>("answer"); // -1: no question expected
    QTest::addColumn<bool>("closes");
    QTest::newRow("nothing loaded") << false << false << -1 << true;
    QTest::newRow("saved, unmodified") << true << true << -1 << true;
    QTest::newRow("modified, no") << true << false << int(Answer::No) << true;
    QTest::newRow("modified, cancel") << true << false << int(Answer::Cancel) << false;
    QTest::newRow("modified, yes, save as cancelled") << true << false << int(Answer::Yes) << true;
}

void TstProject::closeQuery()
{
    QFETCH(bool, loadScript);
    QFETCH(bool, saved);
    QFETCH(int, answer);
    QFETCH(bool, closes);
    Wizard w;
    if (loadScript)
        w.loadText(Wizard::simpleScript());
    else
        w.form.ProjectModified = true; // no script yet: never asks, whatever the flags
    if (saved)
        saveAs(w, QStringLiteral("c.afp"));
    w.dialogs.clearRecords();
    if (answer >= 0)
        w.dialogs.queueAnswer(Answer(answer));
    if (answer == int(Answer::Yes))
        w.dialogs.queueCancel();
    QCOMPARE(w.form.FormCloseQuery(), closes);
    QVERIFY2(!w.dialogs.failed(), qPrintable(w.dialogs.failures().join(u'\n')));
    QCOMPARE(w.dialogs.messages().size(), answer >= 0 ? 1 : 0);
    if (answer >= 0) {
        QCOMPARE(w.dialogs.messages().first().buttons, App::Buttons::YesNoCancel);
        QCOMPARE(w.dialogs.messages().first().text,
                 QStringLiteral("Projekt został zmieniony !\r\nCzy chcesz go zapisać?"));
    }
    QCOMPARE(w.dialogs.fileDialogs().size(), answer == int(Answer::Yes) ? 1 : 0);
}

void TstProject::roundTrip_data()
{
    QTest::addColumn<QString>("scenario");
    QTest::newRow("first answers") << "first answers";
    QTest::newRow("defined names and limits") << "defined names and limits";
    QTest::newRow("peg order") << "peg order";
    QTest::newRow("two steps done") << "two steps done";
    QTest::newRow("texts with blanks and quotes") << "texts with blanks and quotes";
}

void TstProject::roundTrip()
{
    QFETCH(QString, scenario);
    Wizard original;
    QVERIFY(answerScenario(original, scenario));
    const bool complete = original.form.pcTab.currentIndex() == 5;
    const QString path = saveAs(original, QStringLiteral("round.afp"));
    const QStringList states = optionStates(original.form, highestDone(original.form));
    QString generated;
    if (complete) {
        original.form.btGeneruj.click();
        generated = original.form.rGenAFL.text();
        QVERIFY(!generated.isEmpty());
    }

    // Another window with a different project open first.
    Wizard other;
    QVERIFY(answerScenario(other, scenario == QLatin1String("peg order")
                                      ? QStringLiteral("defined names and limits")
                                      : QStringLiteral("peg order")));
    const QString otherPath = saveAs(other, QStringLiteral("other.afp"));
    open(other, otherPath);

    Wizard fresh;
    for (Wizard* w : {&fresh, &other}) {
        open(*w, path);
        TForm1& f = w->form;
        QVERIFY2(!w->dialogs.failed(), qPrintable(w->dialogs.failures().join(u'\n')));
        QCOMPARE(f.caption(), QStringLiteral("Orvanta [%1]").arg(path));
        QVERIFY(f.Zapisz1.isEnabled());
        QVERIFY(!f.ProjectModified);
        QCOMPARE(f.projectData.SourcePath, original.form.projectData.SourcePath);
        QCOMPARE(f.leAFL.text(), original.form.leAFL.text());
        QCOMPARE(f.rEdit.text(), original.form.rEdit.text());
        QCOMPARE(stepDone(f), stepDone(original.form));
        QCOMPARE(optionStates(f, highestDone(original.form)), states);
        QCOMPARE(f.pcTab.currentIndex(), highestDone(original.form));
        for (int i = 1; i < TForm1::WizardPageCount; ++i)
            QCOMPARE(f.pcTab.isTabVisible(i), original.form.StepDone[i]);
        QCOMPARE(f.btWstecz.isEnabled(), original.form.StepDone[1]);
        QCOMPARE(f.stepTitle(), f.StepTitle.at(highestDone(original.form)));
        if (complete) {
            QVERIFY(f.btDalej.isEnabled());
            f.btDalej.click();
            QCOMPARE(f.pcTab.currentIndex(), 5);
            QVERIFY(f.btGeneruj.isEnabled());
            f.btGeneruj.click();
            QCOMPARE(f.rGenAFL.text(), generated);
        }
    }
}

// A script that cannot be read leaves the project open on step 1 without a script, as a
// failed load there does; loading it once it can be read goes on from there.
void TstProject::unreadableSourceIsReported()
{
    Wizard w;
    w.walkTo(5);
    const QString script = w.form.projectData.SourcePath;
    const QString path = saveAs(w, QStringLiteral("gone.afp"));
    const QStringList options = optionStates(w.form, -1);
    QVERIFY(QFile::rename(script, script + QStringLiteral(".away")));

    Wizard fresh;
    auto& f = fresh.form;
    open(fresh, path);
    QCOMPARE(fresh.dialogs.messages().size(), 1);
    QVERIFY(fresh.dialogs.messages().first().text.startsWith(
        QStringLiteral("Nie można wczytać skryptu AFL %1\r\n").arg(script)));
    QVERIFY(fresh.dialogs.messages().first().text.size() > script.size() + 32);
    QCOMPARE(f.leAFL.text(), script);
    QVERIFY(f.leAFL.isInvalid());
    QVERIFY(f.rEdit.isEmpty());
    QCOMPARE(f.caption(), QStringLiteral("Orvanta [%1]").arg(path));
    QCOMPARE(f.projectData.ProjectPath, path);
    QCOMPARE(optionStates(f, -1), options);
    QVERIFY(!f.ScriptAccepted);
    QVERIFY(!f.stepDone(TForm1::PageStart));
    QVERIFY(!f.generationAllowed());
    QCOMPARE(f.pcTab.currentIndex(), 0);
    QCOMPARE(fresh.visibleTabs(), QList<int>{0});
    QVERIFY(!f.btDalej.isEnabled());
    QVERIFY(!f.btWstecz.isEnabled());
    QVERIFY(f.Zapisz1.isEnabled());
    QVERIFY(!f.ProjectModified);

    QVERIFY(QFile::rename(script + QStringLiteral(".away"), script));
    QVERIFY(f.Button7.isEnabled());
    f.Button7.click();
    QVERIFY(f.ScriptAccepted);
    QVERIFY(!f.leAFL.isInvalid());
    QVERIFY(f.btDalej.isEnabled());
    for (int page = TForm1::PageStart; page < TForm1::PageEnd; ++page)
        f.btDalej.click();
    QCOMPARE(f.pcTab.currentIndex(), int(TForm1::PageEnd));
    QVERIFY(f.generationAllowed());
}

void TstProject::rejectedSourceEmptiesTheProject()
{
    Wizard w;
    w.walkTo(2);
    const QString script = w.form.projectData.SourcePath;
    const QString path = saveAs(w, QStringLiteral("plugin.afp"));
    QFile f(script);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("Buy = C > O;\r\nSell = C < O;\r\nvoxInit(1);\r\n");
    f.close();

    Wizard fresh;
    open(fresh, path);
    QCOMPARE(fresh.form.caption(), QStringLiteral("Orvanta"));
    QVERIFY(!fresh.form.ScriptAccepted);
    QCOMPARE(fresh.form.projectData.SourcePath, QString());
    QCOMPARE(fresh.form.projectData.ProjectPath, QString());
    QCOMPARE(fresh.visibleTabs(), QList<int>{0});
    QVERIFY(!fresh.form.ProjectModified);
}

void TstProject::restoredCheckedActivationLimitStaysChecked()
{
    Wizard w;
    QVERIFY(answerScenario(w, QStringLiteral("defined names and limits")));
    const QString path = saveAs(w, QStringLiteral("limit.afp"));
    QVERIFY(w.form.cbLimAkt.isChecked());

    // Arm the from-grayed marker in the window that opens the project.
    Wizard other;
    other.walkTo(4);
    other.form.rgOrders.click(0);
    other.form.cbLimAkt.mouseDown();
    QVERIFY(other.form.limAktFromGrayed());
    open(other, path);
    QVERIFY(other.form.cbLimAkt.isChecked());
    QCOMPARE(other.form.edLimAkt.text(), QStringLiteral("2"));
    QVERIFY(other.form.edLimAkt.isEnabled());
}

void TstProject::relativeSourceIsTakenBesideTheProject()
{
    Wizard w;
    w.walkTo(2);
    const QString script = w.form.projectData.SourcePath;
    const QString path = saveAs(w, QStringLiteral("relative.afp"));
    QVERIFY(Definicje::WritePrivateProfileString(QStringLiteral("DATA"), QStringLiteral("Filename"),
                                                 QFileInfo(script).fileName(), path)
                .ok);

    // The working folder is elsewhere; the script sits beside the project.
    const QString cwd = QDir::currentPath();
    QVERIFY(QDir::setCurrent(QDir::tempPath()));
    Wizard fresh;
    open(fresh, path);
    QDir::setCurrent(cwd);
    QVERIFY2(fresh.dialogs.messages().isEmpty(), qPrintable(fresh.dialogs.failures().join(u'\n')));
    QCOMPARE(QFileInfo(fresh.form.projectData.SourcePath).canonicalFilePath(),
             QFileInfo(script).canonicalFilePath());
    QCOMPARE(fresh.form.leAFL.text(), fresh.form.projectData.SourcePath);
    QCOMPARE(fresh.form.rEdit.text(), w.form.rEdit.text());
}

QTEST_GUILESS_MAIN(TstProject)
#include "tst_project.moc"
