// Installation: `cmake --install` into a temporary prefix puts the program, its icon and its
// desktop entry where desktops look for them, and the installed program runs.

#include "platform/Menu.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

/// Key=value lines of the [Desktop Entry] group.
QMap<QString, QString> desktopEntry(const QString& text)
{
    QMap<QString, QString> keys;
    bool inGroup = false;
    for (const QString& line : text.split(u'\n')) {
        if (line.startsWith(u'[')) {
            inGroup = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (inGroup && eq > 0)
            keys.insert(line.left(eq), line.mid(eq + 1));
    }
    return keys;
}

} // namespace

class TstInstall : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void filesLand_data();
    void filesLand();
    void iconIsTheProgramsIcon();
    void desktopEntryStartsTheProgram();
    void desktopEntryMatchesTheMenuEntry_data();
    void desktopEntryMatchesTheMenuEntry();
    void installedProgramRuns();

private:
    QString m_prefix;
    QTemporaryDir m_dir;
    QMap<QString, QString> m_entry;
};

void TstInstall::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_prefix = m_dir.path() + QStringLiteral("/prefix ą");
    QProcess install;
    install.setProcessChannelMode(QProcess::MergedChannels);
    install.start(QStringLiteral(ORVANTA_CMAKE_COMMAND),
                  {QStringLiteral("--install"), QStringLiteral(ORVANTA_BINARY_DIR),
                   QStringLiteral("--prefix"), m_prefix});
    QVERIFY(install.waitForFinished(120000));
    QVERIFY2(install.exitStatus() == QProcess::NormalExit && install.exitCode() == 0,
             install.readAll().constData());
    QFile file(m_prefix + QStringLiteral("/share/applications/orvanta.desktop"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    m_entry = desktopEntry(QString::fromUtf8(file.readAll()));
}

void TstInstall::filesLand_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("executable");
    QTest::newRow("program") << "bin/orvanta" << true;
    QTest::newRow("icon") << "share/icons/hicolor/128x128/apps/orvanta.png" << false;
    QTest::newRow("desktop entry") << "share/applications/orvanta.desktop" << false;
}

void TstInstall::filesLand()
{
    QFETCH(QString, path);
    QFETCH(bool, executable);
    const QFileInfo info(m_prefix + u'/' + path);
    QVERIFY2(info.isFile(), qPrintable(info.filePath()));
    QVERIFY(info.size() > 0);
    QCOMPARE(info.isExecutable(), executable);
}

void TstInstall::iconIsTheProgramsIcon()
{
    const QImage icon(m_prefix + QStringLiteral("/share/icons/hicolor/128x128/apps/orvanta.png"));
    QVERIFY(!icon.isNull());
    // The size folder names the picture's size.
    QCOMPARE(icon.size(), QSize(128, 128));
    // The entry's icon name finds this picture in the theme.
    QVERIFY(QFileInfo::exists(m_prefix + QStringLiteral("/share/icons/hicolor/128x128/apps/") +
                              m_entry.value(QStringLiteral("Icon")) + QStringLiteral(".png")));
}

void TstInstall::desktopEntryStartsTheProgram()
{
    QCOMPARE(m_entry.value(QStringLiteral("Type")), QStringLiteral("Application"));
    const QString exec = m_entry.value(QStringLiteral("Exec"));
    QVERIFY(!exec.isEmpty());
    QVERIFY2(!exec.contains(u'@'), qPrintable(exec));
    // The command is found on the PATH of the installation.
    const QString program = exec.section(u' ', 0, 0);
    QCOMPARE(QStandardPaths::findExecutable(program, {m_prefix + QStringLiteral("/bin")}),
             m_prefix + QStringLiteral("/bin/orvanta"));
    const QString validator =
        QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (!validator.isEmpty()) {
        QProcess check;
        check.setProcessChannelMode(QProcess::MergedChannels);
        check.start(validator, {m_prefix + QStringLiteral("/share/applications/orvanta.desktop")});
        QVERIFY(check.waitForFinished(30000));
        QVERIFY2(check.exitCode() == 0, check.readAll().constData());
    }
}

void TstInstall::desktopEntryMatchesTheMenuEntry_data()
{
    QTest::addColumn<QString>("key");
    for (const char* key : {"Type", "Name", "Comment", "Icon", "Terminal", "Categories"})
        QTest::newRow(key) << QString::fromLatin1(key);
}

void TstInstall::desktopEntryMatchesTheMenuEntry()
{
    // The entry that the settings dialog writes and the installed one describe the program
    // in the same words.
    QFETCH(QString, key);
    const auto menu = desktopEntry(Menu::DesktopEntryText(QStringLiteral("/x/orvanta"), {}));
    QVERIFY(menu.contains(key));
    QCOMPARE(m_entry.value(key), menu.value(key));
}

void TstInstall::installedProgramRuns()
{
    QProcess run;
    run.start(m_prefix + QStringLiteral("/bin/orvanta"),
              {QStringLiteral("check"), QStringLiteral(ORVANTA_SOURCE_DIR "/examples/demo.afl")});
    QVERIFY(run.waitForFinished(60000));
    QCOMPARE(run.exitStatus(), QProcess::NormalExit);
    QCOMPARE(run.exitCode(), 0);
    QVERIFY(!run.readAllStandardOutput().isEmpty());
}

QTEST_GUILESS_MAIN(TstInstall)
#include "tst_install.moc"
