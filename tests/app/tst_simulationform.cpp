// The simulation dialog's model: when the menu offers it, the remembered quotes folder, runs
// that go through, stop, are refused or cancelled, and the two exports.

#include "../support/DemoScripts.h"
#include "WizardFixture.h"
#include "app/SimulationForm.h"
#include "app/SimulationFormTexts.h"
#include "app/SimulationTexts.h"
#include "chart/Painter.h"
#include "project/ProfileFile.h"
#include "project/TfmSetup.h"

#include <QImage>
#include <QSignalSpy>

using namespace Qt::Literals::StringLiterals;

Q_DECLARE_METATYPE(App::SimulationStatus)

namespace {

const QString DemoQuotes =
    QStringLiteral(ORVANTA_SOURCE_DIR "/examples/demo-notowania-syntetyczne.csv");

QString WritePng(const App::SimulationOutcome& outcome, const QString& path)
{
    return Chart::SavePng(outcome.quotes, outcome.result, path);
}

struct Fixture
{
    App::ScriptedDialogs dialogs;
    TestSupport::TempFiles files;
    QString settings = files.path(u"config/Orvanta.ini"_s);
    App::SimulationForm form{dialogs, WritePng, settings};

    explicit Fixture(const QString& script = TestSupport::Finished(TestSupport::DemoSettings()))
    {
        form.setScript(script, files.dir().path(), false);
    }
    void run()
    {
        QVERIFY(form.btRunClick());
        QVERIFY(form.isRunning());
        form.waitForFinished();
        QVERIFY(!form.isRunning());
    }
};

} // namespace

class TestSimulationForm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void menuFollowsSaveButton();
    void runs_data();
    void runs();
    void remembersTheQuotesFolder();
    void exportsWriteFiles();
    void cancelKeepsTheBarsDone();
};

void TestSimulationForm::menuFollowsSaveButton()
{
    Wizard w;
    App::TForm1& f = w.form;
    QVERIFY(!f.Symulacja1.isEnabled());
    w.walkTo(App::TForm1::PageEnd);
    QVERIFY(!f.Symulacja1.isEnabled());
    f.btGeneruj.click();
    QVERIFY(f.btZapisz.isEnabled());
    QVERIFY(f.Symulacja1.isEnabled());
    // The model takes the finished script and the script's folder.
    Fixture fixture{QString()};
    QVERIFY(!fixture.form.btRun.isEnabled());
    fixture.form.takeScript(f);
    QVERIFY(fixture.form.btRun.isEnabled());
    QVERIFY(!fixture.form.cbArm.isEnabled()); // no master switch in this script
    // A change of an answer discards the finished script: nothing to simulate.
    f.btWstecz.click();
    QVERIFY(!f.btZapisz.isEnabled());
    QVERIFY(!f.Symulacja1.isEnabled());
}

void TestSimulationForm::runs_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("quotes");
    QTest::addColumn<int>("refreshes");
    QTest::addColumn<App::SimulationStatus>("status");
    QTest::addColumn<bool>("result");
    QTest::addColumn<QString>("text");

    const QString demo = TestSupport::Finished(TestSupport::DemoSettings());
    QTest::newRow("demo quotes") << demo << DemoQuotes << 1 << App::SimulationStatus::Ran << true
                                 << u"wysłane: 10"_s;
    QTest::newRow("three refreshes, one order per candle")
        << demo << DemoQuotes << 3 << App::SimulationStatus::Ran << true
        << u"najwięcej zleceń na jednej świecy: 1"_s;
    QTest::newRow("no quotes file") << demo << QString() << 1 << App::SimulationStatus::BadInput
                                    << false << App::SimulationTexts::NoQuotesFile;
    QTest::newRow("missing quotes file")
        << demo << u"/nonexistent/q.csv"_s << 1 << App::SimulationStatus::BadInput << false
        << u"Nie można wczytać notowań z pliku /nonexistent/q.csv"_s;
    QTest::newRow("a run stops at bar 4")
        << u"if (BarCount == 4) Foo();"_s << DemoQuotes << 1 << App::SimulationStatus::Failed
        << true << u"świeca nr 4"_s;
    QTest::newRow("syntax error: nothing runs")
        << u"x = ;"_s << DemoQuotes << 1 << App::SimulationStatus::Failed << false
        << u"Skrypt nie został uruchomiony"_s;
}

void TestSimulationForm::runs()
{
    QFETCH(QString, script);
    QFETCH(QString, quotes);
    QFETCH(int, refreshes);
    QFETCH(App::SimulationStatus, status);
    QFETCH(bool, result);
    QFETCH(QString, text);

    Fixture f(script);
    QSignalSpy finished(&f.form, &App::SimulationForm::finished);
    f.form.leQuotes.setText(quotes);
    f.form.seRefreshes.setValue(refreshes);
    f.run();
    QCOMPARE(finished.count(), 1);
    QCOMPARE(f.form.outcome().status, status);
    QCOMPARE(f.form.hasResult(), result);
    QVERIFY2(f.form.resultText().contains(text), qPrintable(f.form.resultText()));
    QCOMPARE(f.form.orders().rowCount(), f.form.outcome().result.orders.size());
    QCOMPARE(f.form.btSaveLog.isEnabled(), result);
    QCOMPARE(f.form.btSaveChart.isEnabled(), result);
    QVERIFY(f.form.btRun.isEnabled() && !f.form.btCancel.isEnabled());
    QVERIFY(f.dialogs.messages().isEmpty());
}

void TestSimulationForm::remembersTheQuotesFolder()
{
    Fixture f;
    // An older settings file: its keys, no folder of quotes.
    QDir().mkpath(QFileInfo(f.settings).absolutePath());
    QFile old(f.settings);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("[DATA]\r\nleProjectDir=/p\r\n");
    old.close();
    QCOMPARE(f.form.rememberedFolder(), QString());

    // The first picker starts in the script's folder; the chosen file's folder is written.
    QDir(f.files.dir().path()).mkdir(u"q"_s);
    const QString quotes = f.files.write(u"q/quotes.csv"_s, "Data;Zamkniecie\r\n");
    f.dialogs.queueFile(quotes);
    f.form.btQuotes.click();
    QCOMPARE(f.dialogs.fileDialogs().last().initialDir, f.files.dir().path());
    QCOMPARE(f.form.leQuotes.text(), quotes);
    const QString folder = QFileInfo(quotes).absolutePath();
    Definicje::ProfileFile file(f.settings);
    QCOMPARE(file.readString(u"DATA"_s, App::SimulationForm::QuotesDirKey), folder);
    QCOMPARE(file.readString(u"DATA"_s, u"leProjectDir"_s), u"/p"_s);

    // Accepting the settings dialog keeps it.
    TfmSetup setup(f.dialogs, f.settings);
    QVERIFY(setup.Button1Click());
    QCOMPARE(Definicje::GetPrivateProfileString(u"DATA"_s, App::SimulationForm::QuotesDirKey,
                                                QString(), f.settings),
             folder);

    // A new dialog starts there.
    App::SimulationForm next(f.dialogs, WritePng, f.settings);
    f.dialogs.queueCancel();
    next.btQuotes.click();
    QCOMPARE(f.dialogs.fileDialogs().last().initialDir, folder);
    QVERIFY(next.leQuotes.text().isEmpty());
    QVERIFY(!f.dialogs.failed());
}

void TestSimulationForm::exportsWriteFiles()
{
    Fixture f;
    f.form.leQuotes.setText(DemoQuotes);
    f.run();
    const QString log = f.files.path(u"log.csv"_s);
    f.dialogs.queueFile(log);
    QVERIFY(f.form.btSaveLogClick());
    QCOMPARE(Platform::ReadTextFile(log).text, App::OrderLogCsv(f.form.outcome().result));

    const QString png = f.files.path(u"chart.png"_s);
    f.dialogs.queueFile(png);
    QVERIFY(f.form.btSaveChartClick());
    QCOMPARE(QImage(png).size(), QSize(1200, 700));
    QVERIFY(f.dialogs.messages().isEmpty());

    // A folder that is not there: a message, nothing written, nothing lost.
    f.dialogs.queueFile(u"/nonexistent/chart.png"_s);
    QVERIFY(!f.form.btSaveChartClick());
    f.dialogs.queueFile(u"/nonexistent/log.csv"_s);
    QVERIFY(!f.form.btSaveLogClick());
    QCOMPARE(f.dialogs.messages().size(), 2);
    QVERIFY(f.dialogs.messages().first().text.startsWith(
        u"Nie można zapisać pliku /nonexistent/chart.png\r\n"_s));
    QVERIFY(f.form.hasResult());
    // A cancelled save dialog writes nothing.
    f.dialogs.queueCancel();
    QVERIFY(!f.form.btSaveLogClick());
}

void TestSimulationForm::cancelKeepsTheBarsDone()
{
    Fixture f;
    f.form.leQuotes.setText(DemoQuotes);
    f.form.seRefreshes.setValue(50);
    f.form.cbRestart.click();
    f.form.edRestart.setText(u"8:30"_s);
    QSignalSpy progress(&f.form, &App::SimulationForm::progress);
    QVERIFY(f.form.btRunClick());
    QVERIFY(f.form.btCancel.isEnabled() && !f.form.btRun.isEnabled());
    QVERIFY(!f.form.leQuotes.isEnabled());
    QTRY_VERIFY(progress.count() > 0);
    f.form.btCancel.click();
    f.form.waitForFinished();
    QCOMPARE(f.form.outcome().status, App::SimulationStatus::Cancelled);
    QVERIFY(f.form.outcome().result.barsRun < f.form.outcome().quotes.bars.size());
    QVERIFY(f.form.hasResult() && f.form.btSaveChart.isEnabled());

    // A restart time that is no time of day: a message, no run.
    f.form.edRestart.setText(u"25:00"_s);
    QVERIFY(!f.form.btRunClick());
    QVERIFY(!f.form.isRunning());
    QCOMPARE(f.dialogs.messages().size(), 1);
    QCOMPARE(f.dialogs.messages().first().text,
             App::SimulationFormTexts::BadRestartTime(u"25:00"_s));
}

QTEST_MAIN(TestSimulationForm)
#include "tst_simulationform.moc"
