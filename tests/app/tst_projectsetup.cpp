// Tests of the settings dialog model: the settings file, the folder pickers, AmiBroker's folder
// and the menu entry.

#include "app/ScriptedDialogs.h"
#include "platform/Menu.h"
#include "project/TfmSetup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using App::ScriptedDialogs;

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class TstProjectSetup : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void firstRunHasEmptyFolders();
    void acceptSavesAndARestartReadsBack();
    void cancelKeepsTypedValuesForTheRun();
    void loadsFileWrittenElsewhere();
    void pickFolder_data();
    void pickFolder();
    void amiBrokerFolder_data();
    void amiBrokerFolder();
    void menuEntryPointsAtTheRunningProgram();
    void failedSaveIsReported();

private:
    QString settingsPath() const
    {
        return m_dir.filePath(QStringLiteral("config/Orvanta/Orvanta.ini"));
    }
    QTemporaryDir m_dir;
};

void TstProjectSetup::initTestCase()
{
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("config"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("data"))));
    qputenv("WINEPREFIX", QFile::encodeName(m_dir.filePath(QStringLiteral("nowine"))));
}

void TstProjectSetup::init()
{
    QFile::remove(settingsPath());
}

void TstProjectSetup::firstRunHasEmptyFolders()
{
    ScriptedDialogs dialogs;
    TfmSetup setup(dialogs);
    QCOMPARE(setup.settingsPath(), settingsPath());
    QCOMPARE(setup.leProjectDir.text(), QString());
    QCOMPARE(setup.leAFLDir.text(), QString());
    QVERIFY(!QFile::exists(settingsPath()));
    QVERIFY(dialogs.messages().isEmpty());
}

void TstProjectSetup::acceptSavesAndARestartReadsBack()
{
    ScriptedDialogs dialogs;
    {
        TfmSetup setup(dialogs);
        setup.leProjectDir.setText(QStringLiteral("/home/łukasz/Moje projekty/"));
        setup.leAFLDir.setText(QStringLiteral(" /afl "));
        setup.Button1.click();
    }
    QCOMPARE(readAll(settingsPath()),
             QByteArray("[DATA]\r\nleProjectDir=/home/\xB3ukasz/Moje projekty/\r\n"
                        "leAFLDir=\" /afl \"\r\n"));
    TfmSetup again(dialogs);
    QCOMPARE(again.leProjectDir.text(), QStringLiteral("/home/łukasz/Moje projekty/"));
    QCOMPARE(again.leAFLDir.text(), QStringLiteral(" /afl "));
    QVERIFY(dialogs.messages().isEmpty());
}

void TstProjectSetup::cancelKeepsTypedValuesForTheRun()
{
    writeAll(settingsPath(), "[DATA]\r\nleProjectDir=/old/\r\nleAFLDir=/afl/\r\n");
    ScriptedDialogs dialogs;
    TfmSetup setup(dialogs);
    setup.leProjectDir.setText(QStringLiteral("/new/"));
    setup.Button2.click();
    QCOMPARE(setup.leProjectDir.text(), QStringLiteral("/new/"));
    QCOMPARE(TfmSetup(dialogs).leProjectDir.text(), QStringLiteral("/old/"));
}

void TstProjectSetup::loadsFileWrittenElsewhere()
{
    writeAll(settingsPath(), "; foreign\n[data]\nLEAFLDIR = /x/\nother=1\n");
    ScriptedDialogs dialogs;
    TfmSetup setup(dialogs);
    QCOMPARE(setup.leAFLDir.text(), QStringLiteral("/x/"));
    QCOMPARE(setup.leProjectDir.text(), QString());
    setup.leProjectDir.setText(QStringLiteral("/p/"));
    QVERIFY(setup.Button1Click());
    QCOMPARE(readAll(settingsPath()),
             QByteArray("; foreign\n[data]\nLEAFLDIR=/x/\nother=1\nleProjectDir=/p/\r\n"));
}

void TstProjectSetup::pickFolder_data()
{
    QTest::addColumn<bool>("projectButton");
    QTest::addColumn<QString>("chosen"); // null: cancelled
    QTest::addColumn<QString>("expected");
    QTest::newRow("project folder") << true << "/home/u/Projekty/test.afp"
                                    << "/home/u/Projekty/";
    QTest::newRow("afl folder") << false << "/srv/afl/x.afl"
                                << "/srv/afl/";
    QTest::newRow("typed folder name") << true << "/home/u/nowy/*.*"
                                       << "/home/u/nowy/";
    QTest::newRow("root") << false << "/x.afl"
                          << "/";
    QTest::newRow("cancel") << true << QString() << "/start/";
}

void TstProjectSetup::pickFolder()
{
    QFETCH(bool, projectButton);
    QFETCH(QString, chosen);
    QFETCH(QString, expected);
    ScriptedDialogs dialogs;
    TfmSetup setup(dialogs);
    Controls::LabeledEdit& edit = projectButton ? setup.leProjectDir : setup.leAFLDir;
    Controls::LabeledEdit& other = projectButton ? setup.leAFLDir : setup.leProjectDir;
    edit.setText(QStringLiteral("/start/"));
    other.setText(QStringLiteral("/other/"));
    if (chosen.isNull())
        dialogs.queueCancel();
    else
        dialogs.queueFile(chosen);
    (projectButton ? setup.BitBtn1 : setup.BitBtn2).click();
    QVERIFY2(!dialogs.failed(), qPrintable(dialogs.failures().join(u'\n')));
    QCOMPARE(edit.text(), expected);
    QCOMPARE(other.text(), QStringLiteral("/other/"));
    QCOMPARE(dialogs.fileDialogs().size(), 1);
    const App::FileDialog& run = dialogs.fileDialogs().first();
    QCOMPARE(run.objectName, QStringLiteral("svOpenDlg"));
    QCOMPARE(run.title, QStringLiteral("Otwórz katalog"));
    QCOMPARE(run.mode, App::FileDialog::Mode::Folder);
    QCOMPARE(run.initialDir, QStringLiteral("/start/"));
    QCOMPARE(run.fileName, QStringLiteral("*.*"));
    QVERIFY(!QFile::exists(settingsPath()));
}

void TstProjectSetup::amiBrokerFolder_data()
{
    QTest::addColumn<bool>("installed");
    QTest::newRow("registered under Wine") << true;
    QTest::newRow("no Wine prefix") << false;
}

void TstProjectSetup::amiBrokerFolder()
{
    QFETCH(bool, installed);
    QTemporaryDir wine;
    if (installed) {
        writeAll(wine.filePath(QStringLiteral("user.reg")),
                 "WINE REGISTRY Version 2\n\n[Software\\\\TJP\\\\Broker\\\\Defaults] 1\n"
                 "\"LastGoodPath\"=\"C:\\\\AB\"\n");
        QVERIFY(QDir().mkpath(wine.filePath(QStringLiteral("drive_c/AB"))));
        QVERIFY(QDir().mkpath(wine.filePath(QStringLiteral("dosdevices"))));
        QVERIFY(QFile::link(QStringLiteral("../drive_c"),
                            wine.filePath(QStringLiteral("dosdevices/c:"))));
    }
    qputenv("WINEPREFIX", QFile::encodeName(wine.path()));
    ScriptedDialogs dialogs;
    TfmSetup setup(dialogs);
    setup.Button3.click();
    qputenv("WINEPREFIX", QFile::encodeName(m_dir.filePath(QStringLiteral("nowine"))));
    const QString folder =
        installed ? QDir(wine.filePath(QStringLiteral("drive_c/AB"))).canonicalPath() : QString();
    QCOMPARE(setup.leAFLDir.text(), folder + QStringLiteral("/Formulas/Custom"));
    QVERIFY(!QFile::exists(settingsPath()));
}

void TstProjectSetup::menuEntryPointsAtTheRunningProgram()
{
    ScriptedDialogs dialogs;
    TfmSetup setup(dialogs);
    setup.Button4.click();
    QVERIFY(dialogs.messages().isEmpty());
    const QString text = QString::fromUtf8(readAll(Menu::DesktopEntryPath()));
    QVERIFY(Menu::DesktopEntryPath().startsWith(m_dir.path()));
    QVERIFY2(text.contains(QStringLiteral("\nExec=") +
                           Menu::QuoteExecArgument(QCoreApplication::applicationFilePath()) +
                           u'\n'),
             qPrintable(text));
}

void TstProjectSetup::failedSaveIsReported()
{
    const QString path = m_dir.filePath(QStringLiteral("blocked.ini"));
    QVERIFY(QDir().mkpath(path)); // a folder in the settings file's place
    ScriptedDialogs dialogs;
    TfmSetup setup(dialogs, path);
    setup.leProjectDir.setText(QStringLiteral("/p/"));
    QVERIFY(!setup.Button1Click());
    QCOMPARE(dialogs.messages().size(), 1);
    const ScriptedDialogs::Message& m = dialogs.messages().first();
    QCOMPARE(m.caption, QStringLiteral("Orvanta"));
    QCOMPARE(m.icon, App::Icon::Warning);
    QCOMPARE(m.buttons, App::Buttons::Ok);
    QVERIFY(m.text.startsWith(QStringLiteral("Nie można zapisać pliku %1\r\n").arg(path)));
    QVERIFY(m.text.size() > path.size() + 26);
    QCOMPARE(setup.leProjectDir.text(), QStringLiteral("/p/"));
}

QTEST_GUILESS_MAIN(TstProjectSetup)
#include "tst_projectsetup.moc"
