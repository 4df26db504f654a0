// Tests of finding AmiBroker's folder in a Wine prefix: user.reg values and drive links.

#include "platform/GetAmiBrokerDir.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const char* const Header = "WINE REGISTRY Version 2\n"
                           ";; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n"
                           "\n"
                           "#arch=win64\n"
                           "\n"
                           "[Software\\\\Microsoft\\\\Notepad] 1700000000\n"
                           "#time=1da0000000000000\n"
                           "\"LastGoodPath\"=\"C:\\\\Wrong\"\n"
                           "\n";

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class TstGetAmiBrokerDir : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void readValue_data();
    void readValue();
    void mapsThroughDriveLinks_data();
    void mapsThroughDriveLinks();
    void missingPieces_data();
    void missingPieces();
    void usesWinePrefixVariable();
};

void TstGetAmiBrokerDir::readValue_data()
{
    QTest::addColumn<QByteArray>("keyBlock");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << QByteArray("[Software\\\\TJP\\\\Broker\\\\Defaults] 1700000000\n"
                                         "#time=1da\n"
                                         "\"Other\"=dword:00000001\n"
                                         "\"LastGoodPath\"=\"C:\\\\Program Files\\\\AmiBroker\"\n")
                           << "C:\\Program Files\\AmiBroker";
    QTest::newRow("names ignore case")
        << QByteArray("[software\\\\tjp\\\\broker\\\\defaults] 1\n\"lastgoodpath\"=\"D:\\\\AB\"\n")
        << "D:\\AB";
    QTest::newRow("crlf lines")
        << QByteArray(
               "[Software\\\\TJP\\\\Broker\\\\Defaults] 1\r\n\"LastGoodPath\"=\"C:\\\\AB\"\r\n")
        << "C:\\AB";
    QTest::newRow("hex escapes")
        << QByteArray("[Software\\\\TJP\\\\Broker\\\\Defaults] 1\n"
                      "\"LastGoodPath\"=\"C:\\\\Programy\\\\\\x17a\\xF3\\x142w\\\\AB\"\n")
        << "C:\\Programy\\\u017a\u00f3\u0142w\\AB";
    QTest::newRow("hex escape before a hex letter uses four digits")
        << QByteArray("[Software\\\\TJP\\\\Broker\\\\Defaults] 1\n"
                      "\"LastGoodPath\"=\"C:\\\\\\x0142a\"\n")
        << "C:\\\u0142a";
    QTest::newRow("quote escape") << QByteArray("[Software\\\\TJP\\\\Broker\\\\Defaults] 1\n"
                                                "\"LastGoodPath\"=\"C:\\\\a\\\"b\"\n")
                                  << "C:\\a\"b";
    QTest::newRow("expandable string") << QByteArray("[Software\\\\TJP\\\\Broker\\\\Defaults] 1\n"
                                                     "\"LastGoodPath\"=str(2):\"C:\\\\AB\"\n")
                                       << "C:\\AB";
    QTest::newRow("value missing")
        << QByteArray("[Software\\\\TJP\\\\Broker\\\\Defaults] 1\n\"Path\"=\"C:\\\\AB\"\n")
        << QString();
    QTest::newRow("value in a sub key only")
        << QByteArray("[Software\\\\TJP\\\\Broker\\\\Defaults\\\\Sub] 1\n"
                      "\"LastGoodPath\"=\"C:\\\\AB\"\n")
        << QString();
    QTest::newRow("binary value") << QByteArray("[Software\\\\TJP\\\\Broker\\\\Defaults] 1\n"
                                                "\"LastGoodPath\"=hex:43,3a\n")
                                  << QString();
    QTest::newRow("next key after the wanted one")
        << QByteArray("[Software\\\\TJP\\\\Broker\\\\Defaults] 1\n\n"
                      "[Software\\\\TJP\\\\Other] 1\n\"LastGoodPath\"=\"C:\\\\AB\"\n")
        << QString();
}

void TstGetAmiBrokerDir::readValue()
{
    QFETCH(QByteArray, keyBlock);
    QFETCH(QString, expected);
    const QString text = QString::fromUtf8(QByteArray(Header) + keyBlock +
                                           "\n[Software\\\\Wine] 1\n\"Version\"=\"win10\"\n");
    QCOMPARE(Platform::ReadWineRegistryString(text,
                                              QStringLiteral("Software\\TJP\\Broker\\Defaults"),
                                              QStringLiteral("LastGoodPath")),
             expected);
}

void TstGetAmiBrokerDir::mapsThroughDriveLinks_data()
{
    QTest::addColumn<QString>("windowsPath");
    QTest::addColumn<QString>("relative"); // under drive_c, empty: not found
    QTest::newRow("exact") << "C:\\Program Files\\AmiBroker"
                           << "Program Files/AmiBroker";
    QTest::newRow("other case") << "c:\\PROGRAM FILES\\amibroker"
                                << "Program Files/AmiBroker";
    QTest::newRow("trailing backslash") << "C:\\Program Files\\AmiBroker\\"
                                        << "Program Files/AmiBroker";
    QTest::newRow("drive root") << "C:\\"
                                << "";
    QTest::newRow("second drive") << "D:\\Data"
                                  << "../data/Data";
    QTest::newRow("missing folder") << "C:\\Program Files\\Nothing" << QString();
    QTest::newRow("missing drive") << "E:\\AB" << QString();
    QTest::newRow("a file, not a folder") << "C:\\file.txt" << QString();
    QTest::newRow("no drive") << "\\\\server\\share" << QString();
}

void TstGetAmiBrokerDir::mapsThroughDriveLinks()
{
    QFETCH(QString, windowsPath);
    QFETCH(QString, relative);
    QTemporaryDir dir;
    const QString prefix = dir.path();
    QVERIFY(QDir().mkpath(prefix + QStringLiteral("/drive_c/Program Files/AmiBroker")));
    QVERIFY(QDir().mkpath(prefix + QStringLiteral("/data/Data")));
    QVERIFY(QDir().mkpath(prefix + QStringLiteral("/dosdevices")));
    writeFile(prefix + QStringLiteral("/drive_c/file.txt"), "x");
    QVERIFY(QFile::link(QStringLiteral("../drive_c"), prefix + QStringLiteral("/dosdevices/c:")));
    QVERIFY(
        QFile::link(prefix + QStringLiteral("/data"), prefix + QStringLiteral("/dosdevices/d:")));

    const QString mapped = Platform::MapWindowsPath(prefix, windowsPath);
    if (relative.isNull()) {
        QCOMPARE(mapped, QString());
    } else {
        const QString expected = QDir::cleanPath(
            QDir(prefix + QStringLiteral("/drive_c")).canonicalPath() + u'/' + relative);
        QCOMPARE(QDir::cleanPath(mapped), QDir(expected).canonicalPath());
    }
}

void TstGetAmiBrokerDir::missingPieces_data()
{
    QTest::addColumn<bool>("withRegistry");
    QTest::addColumn<bool>("withDrive");
    QTest::addColumn<bool>("withFolder");
    QTest::addColumn<bool>("found");
    QTest::newRow("all there") << true << true << true << true;
    QTest::newRow("no user.reg") << false << true << true << false;
    QTest::newRow("no drive link") << true << false << true << false;
    QTest::newRow("no folder") << true << true << false << false;
}

void TstGetAmiBrokerDir::missingPieces()
{
    QFETCH(bool, withRegistry);
    QFETCH(bool, withDrive);
    QFETCH(bool, withFolder);
    QFETCH(bool, found);
    QTemporaryDir dir;
    const QString prefix = dir.path();
    if (withRegistry)
        writeFile(prefix + QStringLiteral("/user.reg"),
                  QByteArray(Header) + "[Software\\\\TJP\\\\Broker\\\\Defaults] 1\n"
                                       "\"LastGoodPath\"=\"C:\\\\AB\"\n");
    QVERIFY(QDir().mkpath(prefix + QStringLiteral("/drive_c")));
    if (withFolder)
        QVERIFY(QDir().mkpath(prefix + QStringLiteral("/drive_c/AB")));
    QVERIFY(QDir().mkpath(prefix + QStringLiteral("/dosdevices")));
    if (withDrive)
        QVERIFY(
            QFile::link(QStringLiteral("../drive_c"), prefix + QStringLiteral("/dosdevices/c:")));
    const QString result = Platform::GetAmiBrokerDir(prefix);
    if (found)
        QCOMPARE(result, QDir(prefix + QStringLiteral("/drive_c/AB")).canonicalPath());
    else
        QCOMPARE(result, QString());
}

void TstGetAmiBrokerDir::usesWinePrefixVariable()
{
    QTemporaryDir dir;
    const QString prefix = dir.path();
    writeFile(prefix + QStringLiteral("/user.reg"),
              QByteArray(Header) + "[Software\\\\TJP\\\\Broker\\\\Defaults] 1\n"
                                   "\"LastGoodPath\"=\"C:\\\\AB\"\n");
    QVERIFY(QDir().mkpath(prefix + QStringLiteral("/drive_c/AB")));
    QVERIFY(QDir().mkpath(prefix + QStringLiteral("/dosdevices")));
    QVERIFY(QFile::link(QStringLiteral("../drive_c"), prefix + QStringLiteral("/dosdevices/c:")));
    const QByteArray old = qgetenv("WINEPREFIX");
    qputenv("WINEPREFIX", QFile::encodeName(prefix));
    const QString result = Platform::GetAmiBrokerDir();
    qputenv("WINEPREFIX", old);
    QCOMPARE(result, QDir(prefix + QStringLiteral("/drive_c/AB")).canonicalPath());
}

QTEST_GUILESS_MAIN(TstGetAmiBrokerDir)
#include "tst_getamibrokerdir.moc"
