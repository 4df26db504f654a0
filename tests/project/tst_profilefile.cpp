// Tests of the INI profile file: the reading and writing rules of the Windows profile functions.

#include "project/ProfileFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using Definicje::ProfileFile;

namespace {

struct Write
{
    QString section;
    QString key;
    QString value;
};

} // namespace

Q_DECLARE_METATYPE(QList<Write>)
Q_DECLARE_METATYPE(Platform::Encoding)

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

} // namespace

class TstProfileFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void readString_data();
    void readString();
    void readInt_data();
    void readInt();
    void write_data();
    void write();
    void valuesReadBackUnchanged_data();
    void valuesReadBackUnchanged();
    void encodingIsKeptOrSwitched_data();
    void encodingIsKeptOrSwitched();
    void keysListsFirstSectionInOrder();
    void tenThousandKeysInOneBatch();
    void failedWriteIsReported();
    void unreadableFileIsNotOverwritten();
    void singleCallFunctions();

private:
    QTemporaryDir m_dir;
    QString m_path;
};

void TstProfileFile::init()
{
    m_path = m_dir.filePath(QStringLiteral("%1.ini").arg(QTest::currentTestFunction()));
    QFile::remove(m_path);
}

void TstProfileFile::readString_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("def");
    QTest::addColumn<QString>("expected");

    const QByteArray basic = "[App]\r\nname1=val1\r\nname2=\"val2\"\r\nname3='val3'\r\n";
    QTest::newRow("plain") << basic << "App"
                           << "name1"
                           << "d"
                           << "val1";
    QTest::newRow("names ignore case") << basic << "aPP"
                                       << "NaMe1"
                                       << "d"
                                       << "val1";
    QTest::newRow("double quotes removed") << basic << "App"
                                           << "name2"
                                           << "d"
                                           << "val2";
    QTest::newRow("single quotes removed") << basic << "App"
                                           << "name3"
                                           << "d"
                                           << "val3";
    QTest::newRow("missing key") << basic << "App"
                                 << "name4"
                                 << "dflt  "
                                 << "dflt";
    QTest::newRow("missing section") << basic << "Other"
                                     << "name1"
                                     << "d"
                                     << "d";
    QTest::newRow("blanks trimmed") << QByteArray("  [ App ]  \r\n  k  =  v w  \r\n") << "App"
                                    << "k"
                                    << ""
                                    << "v w";
    QTest::newRow("blanks inside quotes kept") << QByteArray("[App]\r\nk=\"  v  \"\r\n") << "App"
                                               << "k"
                                               << ""
                                               << "  v  ";
    QTest::newRow("mismatched quotes kept") << QByteArray("[App]\r\nk=\"v'\r\n") << "App"
                                            << "k"
                                            << ""
                                            << "\"v'";
    QTest::newRow("only one pair removed") << QByteArray("[App]\r\nk=\"\"v\"\"\r\n") << "App"
                                           << "k"
                                           << ""
                                           << "\"v\"";
    QTest::newRow("first duplicate key wins") << QByteArray("[App]\r\nk=1\r\nK=2\r\n") << "App"
                                              << "k"
                                              << ""
                                              << "1";
    QTest::newRow("only first section searched")
        << QByteArray("[App]\r\na=1\r\n[Other]\r\n[app]\r\nb=2\r\n") << "App"
        << "b"
        << "d"
        << "d";
    QTest::newRow("no inline comments") << QByteArray("[App]\r\nx=a ; b\r\n") << "App"
                                        << "x"
                                        << ""
                                        << "a ; b";
    QTest::newRow("semicolon line is a comment") << QByteArray("[App]\r\n;x=1\r\n") << "App"
                                                 << ";x"
                                                 << "d"
                                                 << "d";
    QTest::newRow("indented semicolon is a comment") << QByteArray("[App]\r\n  ;x=1\r\n") << "App"
                                                     << ";x"
                                                     << "d"
                                                     << "d";
    QTest::newRow("hash line is a key") << QByteArray("[App]\r\n#x=1\r\n") << "App"
                                        << "#x"
                                        << ""
                                        << "1";
    QTest::newRow("equals sign in value") << QByteArray("[App]\r\nk=a=b\r\n") << "App"
                                          << "k"
                                          << ""
                                          << "a=b";
    QTest::newRow("blank value is not the default") << QByteArray("[App]\r\nk=\r\n") << "App"
                                                    << "k"
                                                    << "d"
                                                    << "";
    QTest::newRow("line without equals is no key") << QByteArray("[App]\r\nk\r\n") << "App"
                                                   << "k"
                                                   << "d"
                                                   << "d";
    QTest::newRow("lf only") << QByteArray("[App]\na=1\nb=2\n") << "App"
                             << "b"
                             << ""
                             << "2";
    QTest::newRow("cr only") << QByteArray("[App]\ra=1\rb=2\r") << "App"
                             << "b"
                             << ""
                             << "2";
    QTest::newRow("no final line break") << QByteArray("[App]\r\na=1\r\nb=2") << "App"
                                         << "b"
                                         << ""
                                         << "2";
    QTest::newRow("key before any section is in no section")
        << QByteArray("k=0\r\n[App]\r\nj=1\r\n") << "App"
        << "k"
        << "d"
        << "d";
    QTest::newRow("cp1250 value") << QByteArray("[DATA]\r\nedName=\xBF\xF3\xB3w\r\n") << "DATA"
                                  << "edName"
                                  << ""
                                  << "żółw";
    QTest::newRow("utf8 value") << QByteArray("[DATA]\r\nedName=żółw\r\n") << "DATA"
                                << "edName"
                                << ""
                                << "żółw";
    QTest::newRow("utf8 bom") << QByteArray("\xEF\xBB\xBF[DATA]\r\nk=v\r\n") << "DATA"
                              << "k"
                              << ""
                              << "v";
    QTest::newRow("empty file") << QByteArray() << "DATA"
                                << "k"
                                << "d"
                                << "d";
}

void TstProfileFile::readString()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, def);
    QFETCH(QString, expected);
    writeAll(m_path, file);
    QCOMPARE(ProfileFile(m_path).readString(section, key, def), expected);
}

void TstProfileFile::readInt_data()
{
    QTest::addColumn<QString>("line"); // empty: the key is missing
    QTest::addColumn<int>("def");
    QTest::addColumn<int>("expected");
    QTest::addColumn<quint32>("unsignedValue");
    QTest::newRow("plain") << "k=42" << 7 << 42 << 42u;
    QTest::newRow("stops at a letter") << "k=42A9" << 7 << 42 << 42u;
    QTest::newRow("letter first reads 0") << "k=B42" << 7 << 0 << 0u;
    QTest::newRow("empty value gives default") << "k=" << 7 << 7 << 7u;
    QTest::newRow("missing gives default") << "" << -3 << -3 << 4294967293u;
    QTest::newRow("minus one") << "k=-1" << 0 << -1 << 4294967295u;
    QTest::newRow("plus sign") << "k=+5" << 0 << 5 << 5u;
    QTest::newRow("sign alone") << "k=-" << 9 << 0 << 0u;
    QTest::newRow("blanks skipped") << "k=   12 " << 0 << 12 << 12u;
    QTest::newRow("quoted") << "k=\"12\"" << 0 << 12 << 12u;
    QTest::newRow("blanks inside quotes") << "k=\" 12\"" << 0 << 12 << 12u;
    QTest::newRow("wraps past 2^32") << "k=4294967297" << 0 << 1 << 1u;
    QTest::newRow("2^31 is negative") << "k=2147483648" << 0 << int(-2147483647 - 1) << 2147483648u;
    QTest::newRow("hex is not read") << "k=0x10" << 0 << 0 << 0u;
}

void TstProfileFile::readInt()
{
    QFETCH(QString, line);
    QFETCH(int, def);
    QFETCH(int, expected);
    QFETCH(quint32, unsignedValue);
    writeAll(m_path, "[DATA]\r\n" + line.toLatin1() + "\r\n");
    const ProfileFile file(m_path);
    QCOMPARE(file.readInt(QStringLiteral("DATA"), QStringLiteral("K"), def), expected);
    QCOMPARE(file.readUInt(QStringLiteral("DATA"), QStringLiteral("K"), quint32(def)),
             unsignedValue);
}

void TstProfileFile::write_data()
{
    QTest::addColumn<QByteArray>("before"); // null: no file
    QTest::addColumn<QList<Write>>("writes");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("creates file and section")
        << QByteArray() << QList<Write>{{"App", "key", "value"}}
        << QByteArray("[App]\r\nkey=value\r\n");
    QTest::newRow("keys in order of first write")
        << QByteArray() << QList<Write>{{"DATA", "b", "1"}, {"DATA", "a", "2"}, {"DATA", "b", "3"}}
        << QByteArray("[DATA]\r\nb=3\r\na=2\r\n");
    QTest::newRow("update in place keeps every other line")
        << QByteArray("; top\r\n[DATA]\r\n a = 1 \r\n\r\n;c\r\nb=2\r\n[X]\r\na=9\r\n")
        << QList<Write>{{"data", "A", "5"}}
        << QByteArray("; top\r\n[DATA]\r\na=5\r\n\r\n;c\r\nb=2\r\n[X]\r\na=9\r\n");
    QTest::newRow("new key after last key line")
        << QByteArray("[DATA]\r\na=1\r\n\r\n; tail\r\n[X]\r\nz=0\r\n")
        << QList<Write>{{"DATA", "b", "2"}, {"DATA", "c", "3"}}
        << QByteArray("[DATA]\r\na=1\r\nb=2\r\nc=3\r\n\r\n; tail\r\n[X]\r\nz=0\r\n");
    QTest::newRow("new key in a section without keys")
        << QByteArray("[DATA]\r\n; note\r\n") << QList<Write>{{"DATA", "k", "v"}}
        << QByteArray("[DATA]\r\nk=v\r\n; note\r\n");
    QTest::newRow("new section at the end")
        << QByteArray("[A]\r\nx=1\r\n") << QList<Write>{{"DATA", "k", "v"}}
        << QByteArray("[A]\r\nx=1\r\n[DATA]\r\nk=v\r\n");
    QTest::newRow("no final line break, new key")
        << QByteArray("[DATA]\r\nx=1") << QList<Write>{{"DATA", "k", "v"}}
        << QByteArray("[DATA]\r\nx=1\r\nk=v\r\n");
    QTest::newRow("no final line break, new section")
        << QByteArray("[A]\r\nx=1") << QList<Write>{{"DATA", "k", "v"}}
        << QByteArray("[A]\r\nx=1\r\n[DATA]\r\nk=v\r\n");
    QTest::newRow("no final line break, update")
        << QByteArray("[DATA]\r\nx=1") << QList<Write>{{"DATA", "x", "2"}}
        << QByteArray("[DATA]\r\nx=2");
    QTest::newRow("lf only lines kept") << QByteArray("[DATA]\nx=1\n\n[B]\ny=2\n")
                                        << QList<Write>{{"DATA", "x", "3"}, {"DATA", "n", "4"}}
                                        << QByteArray("[DATA]\nx=3\nn=4\r\n\n[B]\ny=2\n");
    QTest::newRow("key before any section kept")
        << QByteArray("k=0\r\n") << QList<Write>{{"DATA", "k", "1"}}
        << QByteArray("k=0\r\n[DATA]\r\nk=1\r\n");
    QTest::newRow("first of duplicate keys updated")
        << QByteArray("[DATA]\r\nk=1\r\nk=2\r\n") << QList<Write>{{"DATA", "K", "3"}}
        << QByteArray("[DATA]\r\nk=3\r\nk=2\r\n");
    QTest::newRow("first of duplicate sections written")
        << QByteArray("[DATA]\r\na=1\r\n[DATA]\r\nb=2\r\n") << QList<Write>{{"DATA", "b", "3"}}
        << QByteArray("[DATA]\r\na=1\r\nb=3\r\n[DATA]\r\nb=2\r\n");
    QTest::newRow("empty value") << QByteArray() << QList<Write>{{"DATA", "k", ""}}
                                 << QByteArray("[DATA]\r\nk=\r\n");
    QTest::newRow("values that need quotes")
        << QByteArray()
        << QList<Write>{{"D", "a", " x"},  {"D", "b", "x "},     {"D", "c", "\"q\""},
                        {"D", "d", "'s'"}, {"D", "e", "\"half"}, {"D", "f", "a \"b\" c"}}
        << QByteArray("[D]\r\na=\" x\"\r\nb=\"x \"\r\nc=\"\"q\"\"\r\nd=\"'s'\"\r\ne=\"half\r\n"
                      "f=a \"b\" c\r\n");
    QTest::newRow("equals sign in value")
        << QByteArray() << QList<Write>{{"D", "k", "a=b"}} << QByteArray("[D]\r\nk=a=b\r\n");
    QTest::newRow("line break in value becomes a blank")
        << QByteArray() << QList<Write>{{"D", "k", "a\r\nb"}} << QByteArray("[D]\r\nk=a  b\r\n");
    QTest::newRow("cp1250 file stays cp1250")
        << QByteArray("[D]\r\nx=\xB3\r\n") << QList<Write>{{"D", "y", "ż"}}
        << QByteArray("[D]\r\nx=\xB3\r\ny=\xBF\r\n");
    QTest::newRow("character outside cp1250 switches to utf8")
        << QByteArray("[D]\r\nx=\xB3\r\n") << QList<Write>{{"D", "y", "Ж"}}
        << QByteArray("[D]\r\nx=\xC5\x82\r\ny=\xD0\x96\r\n");
    QTest::newRow("utf8 file stays utf8")
        << QByteArray("[D]\r\nx=\xC5\x82\r\n") << QList<Write>{{"D", "y", "ó"}}
        << QByteArray("[D]\r\nx=\xC5\x82\r\ny=\xC3\xB3\r\n");
    QTest::newRow("utf8 bom kept")
        << QByteArray("\xEF\xBB\xBF[D]\r\n") << QList<Write>{{"D", "y", "1"}}
        << QByteArray("\xEF\xBB\xBF[D]\r\ny=1\r\n");
    QTest::newRow("undefined cp1250 bytes kept")
        << QByteArray("[D]\r\nx=\x81\x98\xBF\r\n") << QList<Write>{{"D", "y", "1"}}
        << QByteArray("[D]\r\nx=\x81\x98\xBF\r\ny=1\r\n");
}

void TstProfileFile::write()
{
    QFETCH(QByteArray, before);
    QFETCH(QList<Write>, writes);
    QFETCH(QByteArray, after);
    if (!before.isNull())
        writeAll(m_path, before);
    ProfileFile file(m_path);
    for (const Write& w : writes)
        file.writeString(w.section, w.key, w.value);
    const Platform::WriteResult result = file.save();
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(readAll(m_path), after);
    QCOMPARE(file.toBytes(), after);

    // Each value reads back from the saved file as it was written.
    const ProfileFile reread(m_path);
    for (const Write& w : writes) {
        bool last = true;
        for (const Write& later : writes)
            last = last && (&later <= &w || later.key.compare(w.key, Qt::CaseInsensitive) != 0);
        if (last) {
            QString expected = w.value;
            expected.replace(u'\r', u' ').replace(u'\n', u' ');
            QCOMPARE(reread.readString(w.section, w.key), expected);
        }
    }
}

void TstProfileFile::valuesReadBackUnchanged_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("blanks around") << "  C:/Moje projekty/  ";
    QTest::newRow("tab at end") << "x\t";
    QTest::newRow("double quoted") << "\"a b\"";
    QTest::newRow("single quoted") << "'a'";
    QTest::newRow("two quotes") << "\"\"";
    QTest::newRow("one quote") << "\"";
    QTest::newRow("semicolon first") << "; not a comment";
    QTest::newRow("bracket first") << "[DATA]";
    QTest::newRow("300 characters") << QString(300, u'x') + QStringLiteral("ą");
    QTest::newRow("polish") << "Zażółć gęślą jaźń";
    QTest::newRow("outside cp1250") << "Привет €";
}

void TstProfileFile::valuesReadBackUnchanged()
{
    QFETCH(QString, value);
    {
        ProfileFile file(m_path);
        file.writeString(QStringLiteral("DATA"), QStringLiteral("edName"), value);
        file.writeString(QStringLiteral("DATA"), QStringLiteral("after"), QStringLiteral("1"));
        QVERIFY(file.save().ok);
    }
    const ProfileFile file(m_path);
    QCOMPARE(file.readString(QStringLiteral("DATA"), QStringLiteral("edName")), value);
    QCOMPARE(file.readInt(QStringLiteral("DATA"), QStringLiteral("after"), 0), 1);
}

void TstProfileFile::encodingIsKeptOrSwitched_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("value");
    QTest::addColumn<Platform::Encoding>("encoding");
    QTest::addColumn<bool>("outside");
    QTest::newRow("new file ascii")
        << QByteArray() << "a" << Platform::Encoding::Windows1250 << false;
    QTest::newRow("new file polish")
        << QByteArray() << "ą" << Platform::Encoding::Windows1250 << false;
    QTest::newRow("new file cyrillic")
        << QByteArray() << "Москва" << Platform::Encoding::Utf8 << true;
    // Too short for the detector to tell from Windows-1250: the BOM keeps it UTF-8.
    QTest::newRow("new file lone cyrillic letter")
        << QByteArray() << "Ж" << Platform::Encoding::Utf8Bom << true;
    QTest::newRow("utf8 file ascii value")
        << QByteArray("[DATA]\r\nx=\xC4\x85\r\n") << "a" << Platform::Encoding::Utf8 << false;
    QTest::newRow("utf8 file holding cyrillic")
        << QByteArray("[DATA]\r\nx=\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0\r\n") << "a"
        << Platform::Encoding::Utf8 << true;
}

void TstProfileFile::encodingIsKeptOrSwitched()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, value);
    QFETCH(Platform::Encoding, encoding);
    QFETCH(bool, outside);
    if (!before.isNull())
        writeAll(m_path, before);
    ProfileFile file(m_path);
    file.writeString(QStringLiteral("DATA"), QStringLiteral("k"), value);
    const Platform::WriteResult result = file.save();
    QVERIFY(result.ok);
    QCOMPARE(result.encoding, encoding);
    QCOMPARE(result.outsideWindows1250, outside);
    QCOMPARE(ProfileFile(m_path).encoding(), encoding);
}

void TstProfileFile::keysListsFirstSectionInOrder()
{
    writeAll(m_path, "x=0\r\n[DATA]\r\nb=1\r\n;c=2\r\na=3\r\nB=4\r\n[data]\r\nz=5\r\n[E]\r\n");
    const ProfileFile file(m_path);
    QCOMPARE(file.keys(QStringLiteral("Data")), (QStringList{"b", "a"}));
    QCOMPARE(file.sections(), (QStringList{"DATA", "data", "E"}));
    QVERIFY(file.exists());
    QVERIFY(!ProfileFile(m_dir.filePath(QStringLiteral("none.ini"))).exists());
}

void TstProfileFile::tenThousandKeysInOneBatch()
{
    const int count = 10000;
    {
        ProfileFile file(m_path);
        file.writeString(QStringLiteral("Other"), QStringLiteral("keep"), QStringLiteral("me"));
        for (int i = 0; i < count; ++i)
            file.writeInt(QStringLiteral("DATA"), QStringLiteral("key%1").arg(i), i);
        QVERIFY(file.save().ok);
    }
    {
        // The first section is in front, so every new key is inserted inside the file.
        ProfileFile file(m_path);
        QCOMPARE(file.keys(QStringLiteral("DATA")).size(), count);
        for (int i = 0; i < count; ++i)
            file.writeInt(QStringLiteral("Other"), QStringLiteral("n%1").arg(i), -i);
        for (int i = 0; i < count; i += 2)
            file.writeInt(QStringLiteral("DATA"), QStringLiteral("KEY%1").arg(i), i * 2);
        QVERIFY(file.save().ok);
    }
    const ProfileFile file(m_path);
    QCOMPARE(file.sections(), (QStringList{"Other", "DATA"}));
    for (int i = 0; i < count; ++i) {
        QCOMPARE(file.readInt(QStringLiteral("DATA"), QStringLiteral("key%1").arg(i), -1),
                 i % 2 ? i : i * 2);
        QCOMPARE(file.readInt(QStringLiteral("Other"), QStringLiteral("n%1").arg(i), 1), -i);
    }
    const QStringList keys = file.keys(QStringLiteral("Other"));
    QCOMPARE(keys.first(), QStringLiteral("keep"));
    QCOMPARE(keys.last(), QStringLiteral("n%1").arg(count - 1));
}

void TstProfileFile::failedWriteIsReported()
{
    ProfileFile file(m_dir.filePath(QStringLiteral("missing/folder/p.ini")));
    file.writeString(QStringLiteral("DATA"), QStringLiteral("k"), QStringLiteral("v"));
    const Platform::WriteResult result = file.save();
    QVERIFY(!result.ok);
    QVERIFY(!result.error.isEmpty());
}

void TstProfileFile::unreadableFileIsNotOverwritten()
{
    // A folder in place of the file: it exists, but cannot be read as a file.
    const QString path = m_dir.filePath(QStringLiteral("folder.ini"));
    QVERIFY(QDir().mkpath(path));
    ProfileFile file(path);
    QVERIFY(!file.exists());
    QVERIFY(!file.readError().isEmpty());
    file.writeString(QStringLiteral("DATA"), QStringLiteral("k"), QStringLiteral("v"));
    const Platform::WriteResult result = file.save();
    QVERIFY(!result.ok);
    QCOMPARE(result.error, file.readError());
}

void TstProfileFile::singleCallFunctions()
{
    using namespace Definicje;
    QVERIFY(WritePrivateProfileString(QStringLiteral("DATA"), QStringLiteral("a"),
                                      QStringLiteral("1"), m_path)
                .ok);
    QVERIFY(WritePrivateProfileString(QStringLiteral("DATA"), QStringLiteral("b"),
                                      QStringLiteral(" 2 "), m_path)
                .ok);
    QCOMPARE(readAll(m_path), QByteArray("[DATA]\r\na=1\r\nb=\" 2 \"\r\n"));
    QCOMPARE(
        GetPrivateProfileString(QStringLiteral("DATA"), QStringLiteral("B"), QString(), m_path),
        QStringLiteral(" 2 "));
    QCOMPARE(GetPrivateProfileInt(QStringLiteral("DATA"), QStringLiteral("b"), 9, m_path), 2u);
    QCOMPARE(GetPrivateProfileInt(QStringLiteral("DATA"), QStringLiteral("c"), 9, m_path), 9u);
}

QTEST_GUILESS_MAIN(TstProfileFile)
#include "tst_profilefile.moc"
