// Odd and hostile script files through the file reader, the Start page's Load command, the
// check command and the generator: a clear message or the documented result, never a crash.

#include "../cli/CliRun.h"
#include "../support/TempFiles.h"
#include "analysis/Highlighter.h"
#include "analysis/ScriptView.h"
#include "app/ScriptedDialogs.h"
#include "app/TForm1.h"
#include "generator/Pipeline.h"
#include "platform/TextFile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QtTest>

namespace {

const QString NotLoaded = QStringLiteral("Uwaga! Nie został wczytany kod AFL");
const QString NotText = QStringLiteral("Plik nie jest plikiem tekstowym.");
const QString TooLarge = QStringLiteral("Plik jest większy niż 16 MiB.");
const QByteArray Signals = "Buy = Cross(C, MA(C, 10));\r\nSell = Cross(MA(C, 10), C);\r\n";

QByteArray utf16(const QString& text, bool bigEndian, bool bom)
{
    QByteArray out;
    if (bom)
        out += bigEndian ? QByteArray("\xFE\xFF") : QByteArray("\xFF\xFE");
    for (QChar c : text) {
        const char hi = char(c.unicode() >> 8);
        const char lo = char(c.unicode() & 0xFF);
        out += bigEndian ? QByteArray{&hi, 1} + QByteArray{&lo, 1}
                         : QByteArray{&lo, 1} + QByteArray{&hi, 1};
    }
    return out;
}

QByteArray binary()
{
    QByteArray out;
    for (int i = 0; i < 4096; ++i)
        out += char(i * 7 % 256);
    return out;
}

// Code on one line of about 1 MiB, signals at its end.
QByteArray oneMegabyteLine()
{
    QByteArray line;
    line.reserve(1100000);
    while (line.size() < 1024 * 1024)
        line += "x = x + MA(C, 5) * 2; ";
    return line + "Buy = x > 0; Sell = x < 0;";
}

// Signals inside depth levels of braces, each level with one open bracket.
QByteArray deeplyNested(int depth)
{
    QByteArray out = "x = ";
    out += QByteArray(depth, '(');
    out += '1';
    out += QByteArray(depth, ')');
    out += ";\r\nif (x) ";
    out += QByteArray(depth, '{');
    out += "\r\nBuy = 1; Sell = 0;\r\n";
    out += QByteArray(depth, '}');
    return out + "\r\n";
}

// Unbalanced: every bracket and brace opened, none closed.
QByteArray neverClosed(int depth)
{
    QByteArray out = Signals;
    for (int i = 0; i < depth; ++i)
        out += "{(";
    return out;
}

QByteArray onlyComments()
{
    QByteArray out = "/* Buy = 1;\r\n   Sell = 0; */\r\n";
    for (int i = 0; i < 200; ++i)
        out += "// komentarz " + QByteArray::number(i) + "\r\n";
    return out + "/* niezamknięty komentarz";
}

// True when haystack holds text whole, or a prefix of it followed later by the rest.
bool containsInTwoPieces(const QString& haystack, const QString& text)
{
    qsizetype low = 0;
    qsizetype high = text.size();
    while (low < high) {
        const qsizetype mid = (low + high + 1) / 2;
        if (haystack.contains(QStringView(text).left(mid)))
            low = mid;
        else
            high = mid - 1;
    }
    const qsizetype at = haystack.indexOf(QStringView(text).left(low));
    return at >= 0 && haystack.indexOf(QStringView(text).mid(low), at + low) >= 0;
}

} // namespace

class TestHostileScripts : public QObject
{
    Q_OBJECT

private:
    TestSupport::TempFiles m_files;

    QString write(const QByteArray& bytes) { return m_files.write(bytes); }

    void addFileRows()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("reason");

        QTest::newRow("NUL inside code")
            << QByteArray("Buy = 1;\0Sell = 0;\r\n", 20) << false << NotText;
        QTest::newRow("binary") << binary() << false << NotText;
        QTest::newRow("UTF-16 LE with BOM")
            << utf16(QString::fromLatin1(Signals), false, true) << false << NotText;
        QTest::newRow("UTF-16 BE with BOM")
            << utf16(QString::fromLatin1(Signals), true, true) << false << NotText;
        QTest::newRow("UTF-16 LE without BOM")
            << utf16(QString::fromLatin1(Signals), false, false) << false << NotText;
        QTest::newRow("16 MiB + 1")
            << QByteArray(Signals).leftJustified(Platform::MaxScriptSize + 1, ' ') << false
            << TooLarge;
        QTest::newRow("16 MiB exactly")
            << QByteArray(Signals).leftJustified(Platform::MaxScriptSize, ' ') << true << QString();
        QTest::newRow("1 MiB single line") << oneMegabyteLine() << true << QString();
        QTest::newRow("100000 nested levels") << deeplyNested(100000) << true << QString();
        QTest::newRow("100000 levels never closed") << neverClosed(100000) << true << QString();
        QTest::newRow("only comments") << onlyComments() << true << QString();
        QTest::newRow("UTF-8 with BOM")
            << QByteArray("\xEF\xBB\xBF" + Signals + "// zażółć\r\n") << true << QString();
        QTest::newRow("UTF-8 without BOM")
            << QByteArray(Signals + "// zażółć gęślą jaźń\r\n") << true << QString();
        QTest::newRow("Windows-1250")
            << QByteArray(Signals + "// za\xbf\xf3\xb3\xe6\r\n") << true << QString();
        QTest::newRow("CR only") << QByteArray(Signals).replace("\r\n", "\r") << true << QString();
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_files.dir().isValid()); }

    void readTextFile_data() { addFileRows(); }
    void readTextFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, accepted);
        QFETCH(QString, reason);
        const Platform::ReadResult read = Platform::ReadTextFile(write(bytes));
        QCOMPARE(read.ok, accepted);
        QCOMPARE(read.refused, !accepted);
        QCOMPARE(read.error, reason);
        if (accepted)
            QVERIFY(!read.lines.isEmpty());
    }

    void encodings_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("encoding");
        QTest::newRow("UTF-8 with BOM")
            << QByteArray("\xEF\xBB\xBFzażółć") << QStringLiteral("zażółć")
            << int(Platform::Encoding::Utf8Bom);
        QTest::newRow("UTF-8") << QByteArray("zażółć") << QStringLiteral("zażółć")
                               << int(Platform::Encoding::Utf8);
        QTest::newRow("Windows-1250")
            << QByteArray("za\xbf\xf3\xb3\xe6") << QStringLiteral("zażółć")
            << int(Platform::Encoding::Windows1250);
        QTest::newRow("a BOM and then Windows-1250")
            << QByteArray("\xEF\xBB\xBFza\xbf") << QStringLiteral("ď»żzaż")
            << int(Platform::Encoding::Windows1250);
        QTest::newRow("two BOMs keep the second")
            << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFx") << QStringLiteral("\uFEFFx")
            << int(Platform::Encoding::Utf8Bom);
    }
    void encodings()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(int, encoding);
        const Platform::ReadResult read = Platform::ReadTextFile(write(bytes));
        QVERIFY(read.ok);
        QCOMPARE(read.text, text);
        QCOMPARE(int(read.encoding), encoding);
        // Written back in the encoding it came in, the file keeps its bytes.
        QCOMPARE(Platform::EncodeText(read.text, read.encoding), bytes);
    }

    void unreadablePaths_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("missing file") << m_files.path(QStringLiteral("missing.afl"));
        QTest::newRow("folder") << m_files.dir().path();
        QTest::newRow("dangling symlink") << m_files.path(QStringLiteral("dangling.afl"));
    }
    void unreadablePaths()
    {
        QFETCH(QString, path);
        QFile::link(m_files.path(QStringLiteral("gone.afl")),
                    m_files.path(QStringLiteral("dangling.afl")));
        const Platform::ReadResult read = Platform::ReadTextFile(path);
        QVERIFY(!read.ok);
        QVERIFY(!read.refused);
        QVERIFY(!read.error.isEmpty());

        App::TForm1 form;
        App::ScriptedDialogs dialogs;
        form.setDialogs(&dialogs);
        form.leAFL.setText(path);
        form.Button7Click();
        QCOMPARE(dialogs.messages().size(), 1);
        QCOMPARE(dialogs.messages().at(0).text, NotLoaded);
        QVERIFY(form.leAFL.isInvalid());
    }

    void symlinkedScript()
    {
        const QString target = write(Signals);
        const QString link = m_files.path(QStringLiteral("link.afl"));
        QVERIFY(QFile::link(target, link));
        const Platform::ReadResult read = Platform::ReadTextFile(link);
        QVERIFY(read.ok);
        QCOMPARE(read.lines.size(), 2);
    }

    // The Start page's Load command: refused files give the message and a red path edit;
    // accepted ones reach the source view whole.
    void loadCommand_data() { addFileRows(); }
    void loadCommand()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, accepted);
        QFETCH(QString, reason);
        App::TForm1 form;
        App::ScriptedDialogs dialogs;
        form.setDialogs(&dialogs);
        form.leAFL.setText(write(bytes));
        form.Button7Click();
        if (!accepted) {
            QCOMPARE(dialogs.messages().size(), 1);
            QCOMPARE(dialogs.messages().at(0).caption, QStringLiteral("Orvanta"));
            QCOMPARE(dialogs.messages().at(0).text, NotLoaded + QStringLiteral("\r\n") + reason);
            QVERIFY(form.leAFL.isInvalid());
            QVERIFY(form.rEdit.isEmpty());
            QVERIFY(!form.btDalej.isEnabled());
            return;
        }
        QVERIFY2(dialogs.messages().isEmpty(), qPrintable(dialogs.messages().value(0).text));
        QVERIFY(form.ScriptAccepted);
        QVERIFY(form.btDalej.isEnabled());
        QCOMPARE(form.rEdit.lines(), Platform::ReadTextFile(form.leAFL.text()).lines);
    }

    // "orvanta check": refused files exit with 2 and one line naming the reason.
    void checkCommand_data() { addFileRows(); }
    void checkCommand()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, accepted);
        QFETCH(QString, reason);
        const CliRun run = runCli({QStringLiteral("check"), write(bytes)});
        if (!accepted) {
            QCOMPARE(run.status, int(Cli::BadInput));
            // The window's two-line message, joined into one line.
            QCOMPARE(run.err, QStringLiteral("orvanta: ") + NotLoaded + QStringLiteral(": ") +
                                  reason + u'\n');
            QVERIFY(run.out.isEmpty());
            return;
        }
        QVERIFY2(run.status == Cli::Success || run.status == Cli::Failed, qPrintable(run.err));
        QVERIFY(!run.out.isEmpty());
    }

    // Generation over the shapes a script can take: a result and remarks, never a crash.
    void generate_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("success");
        QTest::newRow("1 MiB single line") << oneMegabyteLine() << true;
        QTest::newRow("100000 nested levels") << deeplyNested(100000) << true;
        QTest::newRow("100000 levels never closed") << neverClosed(100000) << true;
        QTest::newRow("only comments") << onlyComments() << false;
    }
    void generate()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, success);
        Lex::AnalysisContext context;
        Lex::ScriptView rEdit;
        rEdit.setText(Platform::DecodeBytes(bytes));
        Lex::HighlightScript(rEdit, context.reservedNames());
        Lex::ScriptView rGenAFL;
        Lex::ScriptView rUwagi;
        Afl::GeneratorSettings settings;
        settings.tickerMode = Afl::TickerMode::Defined;
        settings.tickerName = QStringLiteral("KGHM");
        const Afl::GenerationResult result =
            Afl::GenerateScript(rEdit, rGenAFL, rUwagi, context, settings, true);
        QCOMPARE(result.success, success);
        QVERIFY(!rUwagi.isEmpty());
        if (success) {
            // The user's code is all there, cut once where the sections go in.
            QVERIFY(rGenAFL.length() > rEdit.length());
            QVERIFY(containsInTwoPieces(rGenAFL.text(), rEdit.text()));
        }
    }
};

QTEST_GUILESS_MAIN(TestHostileScripts)
#include "tst_hostilescripts.moc"
