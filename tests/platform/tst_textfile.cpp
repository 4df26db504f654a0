// Tests of reading, decoding, encoding and atomic writing of text files.

#include "platform/TextFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Platform;

Q_DECLARE_METATYPE(Platform::Encoding)

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

class TstTextFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void splitLines_data();
    void splitLines();
    void decode_data();
    void decode();
    void refusedContent_data();
    void refusedContent();
    void readRefusesLargeFileWithoutDecoding();
    void readMissingFileGivesSystemReason();
    void encode_data();
    void encode();
    void writeReplacesWholeFile();
    void writeFailureGivesReason_data();
    void writeFailureGivesReason();
    void writeIntoReadOnlyFolderFailsAndKeepsOldFile();
    void writeFallsBackWhenFolderForbidsTemporaryFile();
    void roundTripPolishText();
};

void TstTextFile::splitLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty") << QString() << QStringList();
    QTest::newRow("crlf") << QStringLiteral("a\r\nb\r\n") << QStringList{"a", "b"};
    QTest::newRow("lf") << QStringLiteral("a\nb") << QStringList{"a", "b"};
    QTest::newRow("cr") << QStringLiteral("a\rb\r") << QStringList{"a", "b"};
    QTest::newRow("mixed") << QStringLiteral("a\r\n\nb\rc") << QStringList{"a", "", "b", "c"};
    QTest::newRow("lf cr is two breaks") << QStringLiteral("a\n\rb") << QStringList{"a", "", "b"};
    QTest::newRow("only breaks") << QStringLiteral("\r\n\r\n") << QStringList{"", ""};
    QTest::newRow("no final break") << QStringLiteral("x = 1;") << QStringList{"x = 1;"};
}

void TstTextFile::splitLines()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(SplitLines(text), lines);
}

void TstTextFile::decode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Platform::Encoding>("encoding");
    QTest::newRow("ascii") << QByteArray("Buy = 1;\r\n") << QStringLiteral("Buy = 1;\r\n")
                           << Encoding::Windows1250;
    QTest::newRow("utf8") << QByteArray("// zażółć\r\n") << QStringLiteral("// zażółć\r\n")
                          << Encoding::Utf8;
    QTest::newRow("utf8 bom") << QByteArray("\xEF\xBB\xBF// łódź") << QStringLiteral("// łódź")
                              << Encoding::Utf8Bom;
    QTest::newRow("bom only") << QByteArray("\xEF\xBB\xBF") << QString() << Encoding::Utf8Bom;
    // "zażółć" in Windows-1250: a \xBF, \xF3 \xB3 \xE6
    QTest::newRow("cp1250") << QByteArray("za\xBF\xF3\xB3\xE6") << QStringLiteral("zażółć")
                            << Encoding::Windows1250;
    QTest::newRow("cp1250 quotes and dash")
        << QByteArray("\x84x\x94 \x96") << QStringLiteral("„x” –") << Encoding::Windows1250;
    QTest::newRow("truncated utf8 falls back")
        << QByteArray("a\xC5") << QStringLiteral("aĹ") << Encoding::Windows1250;
    // Windows-1250 whose bytes also form valid UTF-8 ("ÓŁ" is D3 A3, UTF-8 for "ӣ").
    QTest::newRow("cp1250 name that is valid utf8")
        << QByteArray("edName=P\xD3\xA3NOC\r\n") << QStringLiteral("edName=PÓŁNOC\r\n")
        << Encoding::Windows1250;
    QTest::newRow("cp1250 STÓŁ") << QByteArray("ST\xD3\xA3") << QStringLiteral("STÓŁ")
                                 << Encoding::Windows1250;
    QTest::newRow("cp1250 KÓŁKO") << QByteArray("K\xD3\xA3KO") << QStringLiteral("KÓŁKO")
                                  << Encoding::Windows1250;
    QTest::newRow("cp1250 upper-case comment")
        << QByteArray("// WSP\xD3\xA3"
                      "CZYNNIK\r\nBuy = Cross(C, MA(C, 10));\r\n")
        << QStringLiteral("// WSPÓŁCZYNNIK\r\nBuy = Cross(C, MA(C, 10));\r\n")
        << Encoding::Windows1250;
    QTest::newRow("utf8 upper-case name")
        << QByteArray("P\xC3\x93\xC5\x81NOC") << QStringLiteral("PÓŁNOC") << Encoding::Utf8;
}

void TstTextFile::decode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(Platform::Encoding, encoding);
    const ReadResult r = DecodeText(bytes);
    QVERIFY(r.ok);
    QCOMPARE(r.text, text);
    QCOMPARE(r.encoding, encoding);
    QCOMPARE(r.lines, SplitLines(text));
}

void TstTextFile::refusedContent_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    QTest::newRow("nul at start") << QByteArray("\0abc", 4)
                                  << QStringLiteral("Plik nie jest plikiem tekstowym.");
    QTest::newRow("nul late") << QByteArray(200000, 'a').append('\0')
                              << QStringLiteral("Plik nie jest plikiem tekstowym.");
    QTest::newRow("utf16") << QByteArray("\xFF\xFE"
                                         "B\0u\0y\0",
                                         8)
                           << QStringLiteral("Plik nie jest plikiem tekstowym.");
}

void TstTextFile::refusedContent()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    const ReadResult decoded = DecodeText(bytes);
    QVERIFY(!decoded.ok);
    QVERIFY(decoded.refused);
    QCOMPARE(decoded.error, message);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.afl"));
    QVERIFY(writeAll(path, bytes));
    const ReadResult read = ReadTextFile(path);
    QVERIFY(!read.ok);
    QVERIFY(read.refused);
    QCOMPARE(read.error, message);
}

void TstTextFile::readRefusesLargeFileWithoutDecoding()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.afl"));
    {
        // A sparse file: its size is over the limit although nothing was written.
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QVERIFY(f.resize(MaxScriptSize + 1));
    }
    const ReadResult r = ReadTextFile(path);
    QVERIFY(!r.ok);
    QVERIFY(r.refused);
    QCOMPARE(r.error, QStringLiteral("Plik jest większy niż 16 MiB."));

    QVERIFY(writeAll(path, QByteArray(int(MaxScriptSize), 'a')));
    QVERIFY(ReadTextFile(path).ok);
}

void TstTextFile::readMissingFileGivesSystemReason()
{
    QTemporaryDir dir;
    const ReadResult r = ReadTextFile(dir.filePath(QStringLiteral("none.afl")));
    QVERIFY(!r.ok);
    QVERIFY(!r.refused);
    QVERIFY(!r.error.isEmpty());
}

void TstTextFile::encode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Platform::Encoding>("preferred");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Platform::Encoding>("used");
    QTest::newRow("ascii") << QStringLiteral("a\r\n") << Encoding::Windows1250
                           << QByteArray("a\r\n") << Encoding::Windows1250;
    QTest::newRow("polish in cp1250") << QStringLiteral("zażółć") << Encoding::Windows1250
                                      << QByteArray("za\xBF\xF3\xB3\xE6") << Encoding::Windows1250;
    QTest::newRow("euro sign in cp1250") << QStringLiteral("€") << Encoding::Windows1250
                                         << QByteArray("\x80") << Encoding::Windows1250;
    QTest::newRow("cyrillic switches to utf8") << QStringLiteral("ż Ж") << Encoding::Windows1250
                                               << QByteArray("\xC5\xBC \xD0\x96") << Encoding::Utf8;
    QTest::newRow("emoji switches to utf8")
        << QStringLiteral("x\U0001F600") << Encoding::Windows1250 << QByteArray("x\xF0\x9F\x98\x80")
        << Encoding::Utf8;
    // Windows-1250 bytes that are valid UTF-8 stay when they read back as written.
    QTest::newRow("cp1250 bytes that read back as cp1250 stay")
        << QStringLiteral("PÓŁNOC") << Encoding::Windows1250 << QByteArray("P\xD3\xA3NOC")
        << Encoding::Windows1250;
    QTest::newRow("mojibake goes out in utf8")
        << QStringLiteral("wartoĹ›Ä‡") << Encoding::Windows1250
        << QByteArray("warto\xC4\xB9\xE2\x80\xBA\xC3\x84\xE2\x80\xA1") << Encoding::Utf8;
    QTest::newRow("cp1250 bytes that are not utf8 stay")
        << QStringLiteral("Ółż") << Encoding::Windows1250 << QByteArray("\xD3\xB3\xBF")
        << Encoding::Windows1250;
    QTest::newRow("utf8 kept") << QStringLiteral("ż") << Encoding::Utf8 << QByteArray("\xC5\xBC")
                               << Encoding::Utf8;
    QTest::newRow("utf8 bom kept") << QStringLiteral("a") << Encoding::Utf8Bom
                                   << QByteArray("\xEF\xBB\xBF"
                                                 "a")
                                   << Encoding::Utf8Bom;
}

void TstTextFile::encode()
{
    QFETCH(QString, text);
    QFETCH(Platform::Encoding, preferred);
    QFETCH(QByteArray, bytes);
    QFETCH(Platform::Encoding, used);
    Encoding actual = Encoding::Utf8Bom;
    const QByteArray encoded = EncodeText(text, preferred, &actual);
    QCOMPARE(encoded, bytes);
    QCOMPARE(actual, used);
    QCOMPARE(DecodeText(encoded).text, text);
    QCOMPARE(FitsWindows1250(text), !QByteArray(QTest::currentDataTag()).contains("switches"));

    QTemporaryDir dir;
    const WriteResult w = WriteTextFile(dir.filePath(QStringLiteral("e.txt")), text, preferred);
    QVERIFY(w.ok);
    QCOMPARE(w.encoding, used);
    QCOMPARE(w.outsideWindows1250, !FitsWindows1250(text));
    QCOMPARE(readAll(dir.filePath(QStringLiteral("e.txt"))), bytes);
}

void TstTextFile::writeReplacesWholeFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.afl"));
    QVERIFY(writeAll(path, QByteArray(5000, 'x')));
    const WriteResult r = WriteTextFile(path, QStringLiteral("Buy = 1;\r\n"));
    QVERIFY2(r.ok, qPrintable(r.error));
    QCOMPARE(readAll(path), QByteArray("Buy = 1;\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"out.afl"});
}

void TstTextFile::writeFailureGivesReason_data()
{
    QTest::addColumn<QString>("relative");
    QTest::newRow("missing folder") << QStringLiteral("no/such/folder/x.afl");
    QTest::newRow("path is a folder") << QStringLiteral("sub");
    QTest::newRow("parent is a file") << QStringLiteral("file.txt/x.afl");
}

void TstTextFile::writeFailureGivesReason()
{
    QFETCH(QString, relative);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    QVERIFY(writeAll(dir.filePath(QStringLiteral("file.txt")), "keep"));
    const WriteResult r = WriteTextFile(dir.filePath(relative), QStringLiteral("x"));
    QVERIFY(!r.ok);
    QVERIFY(!r.error.isEmpty());
    QCOMPARE(readAll(dir.filePath(QStringLiteral("file.txt"))), QByteArray("keep"));
}

void TstTextFile::writeIntoReadOnlyFolderFailsAndKeepsOldFile()
{
    if (::geteuid() == 0)
        QSKIP("permissions do not bind the superuser");
    QTemporaryDir dir;
    const QString sub = dir.filePath(QStringLiteral("ro"));
    QVERIFY(QDir().mkdir(sub));
    QVERIFY(::chmod(QFile::encodeName(sub).constData(), 0555) == 0);
    const WriteResult r = WriteTextFile(sub + QStringLiteral("/new.afl"), QStringLiteral("x"));
    ::chmod(QFile::encodeName(sub).constData(), 0755);
    QVERIFY(!r.ok);
    QVERIFY(!r.error.isEmpty());
    QVERIFY(!QFile::exists(sub + QStringLiteral("/new.afl")));

    // A read-only file in a writable folder is not replaced either.
    const QString path = dir.filePath(QStringLiteral("locked.afl"));
    QVERIFY(writeAll(path, "old"));
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
    const WriteResult locked = WriteTextFile(path, QStringLiteral("new"));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    QVERIFY(!locked.ok);
    QVERIFY(!locked.error.isEmpty());
    QCOMPARE(readAll(path), QByteArray("old"));
}

void TstTextFile::writeFallsBackWhenFolderForbidsTemporaryFile()
{
    if (::geteuid() == 0)
        QSKIP("permissions do not bind the superuser");
    QTemporaryDir dir;
    const QString sub = dir.filePath(QStringLiteral("ro"));
    QVERIFY(QDir().mkdir(sub));
    const QString path = sub + QStringLiteral("/p.afp");
    QVERIFY(writeAll(path, "old"));
    QVERIFY(::chmod(QFile::encodeName(sub).constData(), 0555) == 0);
    const WriteResult r = WriteTextFile(path, QStringLiteral("nowy"));
    ::chmod(QFile::encodeName(sub).constData(), 0755);
    QVERIFY2(r.ok, qPrintable(r.error));
    QCOMPARE(readAll(path), QByteArray("nowy"));
}

void TstTextFile::roundTripPolishText()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("pl.afl"));
    const QString text = QStringLiteral("// Zażółć gęślą jaźń\r\nBuy = C > O;\r\n");
    const WriteResult w = WriteTextFile(path, text);
    QVERIFY(w.ok);
    QCOMPARE(w.encoding, Encoding::Windows1250);
    QVERIFY(!w.outsideWindows1250);
    QCOMPARE(readAll(path).size(), text.size());
    const ReadResult r = ReadTextFile(path);
    QVERIFY(r.ok);
    QCOMPARE(r.text, text);
    QCOMPARE(r.encoding, Encoding::Windows1250);
    QCOMPARE(r.lines, (QStringList{"// Zażółć gęślą jaźń", "Buy = C > O;"}));
}

QTEST_GUILESS_MAIN(TstTextFile)
#include "tst_textfile.moc"
