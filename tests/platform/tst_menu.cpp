// Tests of the desktop entry: its place, the quoting of Exec and replacing an existing entry.

#include "platform/Menu.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TstMenu : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void quoteExecArgument_data();
    void quoteExecArgument();
    void addWritesAndReplacesTheEntry();
    void addReportsFailure();
    void settingsFileFollowsXdgConfigHome();
    void folderPart_data();
    void folderPart();
    void startDirectoryIsRecordedOnce();

private:
    QTemporaryDir m_dir;
    QByteArray m_oldData;
    QByteArray m_oldConfig;
};

void TstMenu::initTestCase()
{
    m_oldData = qgetenv("XDG_DATA_HOME");
    m_oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("data"))));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("config"))));
}

void TstMenu::cleanupTestCase()
{
    qputenv("XDG_DATA_HOME", m_oldData);
    qputenv("XDG_CONFIG_HOME", m_oldConfig);
}

void TstMenu::quoteExecArgument_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("quoted");
    QTest::newRow("plain") << "/usr/bin/orvanta"
                           << "\"/usr/bin/orvanta\"";
    QTest::newRow("blank") << "/opt/my apps/orvanta"
                           << "\"/opt/my apps/orvanta\"";
    QTest::newRow("quote") << "/a\"b"
                           << "\"/a\\\\\"b\"";
    QTest::newRow("dollar and backtick") << "/a$b`c"
                                         << "\"/a\\\\$b\\\\`c\"";
    QTest::newRow("backslash") << "/a\\b"
                               << "\"/a\\\\\\\\b\"";
    QTest::newRow("percent") << "/100%/orvanta"
                             << "\"/100%%/orvanta\"";
    QTest::newRow("polish") << "/home/łukasz/orvanta"
                            << "\"/home/łukasz/orvanta\"";
}

void TstMenu::quoteExecArgument()
{
    QFETCH(QString, argument);
    QFETCH(QString, quoted);
    QCOMPARE(Menu::QuoteExecArgument(argument), quoted);
}

void TstMenu::addWritesAndReplacesTheEntry()
{
    const QString path = Menu::DesktopEntryPath();
    QCOMPARE(path, m_dir.filePath(QStringLiteral("data/applications/orvanta.desktop")));
    QVERIFY(!QFile::exists(path));
    Platform::WriteResult r = Menu::add(QStringLiteral("/opt/o v/orvanta"), QStringLiteral("/w"));
    QVERIFY2(r.ok, qPrintable(r.error));
    r = Menu::add(QStringLiteral("/usr/bin/orvanta"), QStringLiteral("/home/u"));
    QVERIFY2(r.ok, qPrintable(r.error));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    QVERIFY(text.startsWith(QStringLiteral("[Desktop Entry]\n")));
    QVERIFY(text.contains(QStringLiteral("\nType=Application\n")));
    QVERIFY(text.contains(QStringLiteral("\nName=Orvanta\n")));
    QVERIFY(text.contains(QStringLiteral("\nExec=\"/usr/bin/orvanta\"\n")));
    QVERIFY(text.contains(QStringLiteral("\nPath=/home/u\n")));
    QVERIFY(!text.contains(QStringLiteral("/opt/o v")));
    QCOMPARE(QDir(QFileInfo(path).absolutePath()).entryList(QDir::Files),
             QStringList{"orvanta.desktop"});
}

void TstMenu::addReportsFailure()
{
    // A file where the applications folder should be.
    QTemporaryDir other;
    QFile blocker(other.filePath(QStringLiteral("applications")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    qputenv("XDG_DATA_HOME", QFile::encodeName(other.path()));
    const Platform::WriteResult r = Menu::add(QStringLiteral("/usr/bin/orvanta"), QString());
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("data"))));
    QVERIFY(!r.ok);
    QVERIFY(!r.error.isEmpty());
}

void TstMenu::settingsFileFollowsXdgConfigHome()
{
    QCOMPARE(Platform::SettingsFilePath(),
             m_dir.filePath(QStringLiteral("config/Orvanta/Orvanta.ini")));
}

void TstMenu::folderPart_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("folder");
    QTest::newRow("file") << "/home/u/Projekty/test.afp"
                          << "/home/u/Projekty/";
    QTest::newRow("root") << "/test.afp"
                          << "/";
    QTest::newRow("folder with slash") << "/home/u/"
                                       << "/home/u/";
    QTest::newRow("no slash") << "test.afp"
                              << "";
    QTest::newRow("empty") << ""
                           << "";
}

void TstMenu::folderPart()
{
    QFETCH(QString, path);
    QFETCH(QString, folder);
    QCOMPARE(Platform::FolderPart(path), folder);
}

void TstMenu::startDirectoryIsRecordedOnce()
{
    const QString before = QDir::currentPath();
    Platform::RecordStartDirectory();
    QVERIFY(QDir::setCurrent(m_dir.path()));
    Platform::RecordStartDirectory();
    const QString recorded = Platform::StartDirectory();
    QDir::setCurrent(before);
    QCOMPARE(recorded, before);
}

QTEST_GUILESS_MAIN(TstMenu)
#include "tst_menu.moc"
