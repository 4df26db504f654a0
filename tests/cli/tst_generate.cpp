// Tests of "orvanta generate": the demo project, output files, the source override, refusals.

#include "../support/TempFiles.h"
#include "CliRun.h"
#include "app/ScriptedDialogs.h"
#include "app/TForm1.h"
#include "generator/Sections.h"
#include "platform/TextFile.h"

#include <QBuffer>
#include <QDir>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QtTest>

namespace {

const QString ExamplesDir = QStringLiteral(ORVANTA_SOURCE_DIR "/examples");
const QString DemoProject = ExamplesDir + QStringLiteral("/demo.afp");
const QString DemoScript = ExamplesDir + QStringLiteral("/demo.afl");
const QString Golden = QStringLiteral(ORVANTA_TEST_DATA "/cli/demo.expected.afl");
const QString DateMark = QStringLiteral("@DATE@");

/// Runs the command line with folder as the working folder.
CliRun runIn(const QString& folder, const QStringList& args)
{
    const QString previous = QDir::currentPath();
    if (!QDir::setCurrent(folder))
        qFatal("cannot enter %s", qPrintable(folder));
    CliRun run = runCli(args);
    QDir::setCurrent(previous);
    return run;
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/// The generated script with its header date replaced by the mark the golden file holds.
QString withDateMark(QString script)
{
    const QString dateLine = QStringLiteral("// ") + Afl::HeaderDate() + QStringLiteral("\r\n");
    const qsizetype at = script.indexOf(dateLine);
    if (at >= 0)
        script.replace(at, dateLine.size(),
                       QStringLiteral("// ") + DateMark + QStringLiteral("\r\n"));
    return script;
}

QString readError(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString() : file.errorString();
}

QStringList argsOf(std::initializer_list<QString> items)
{
    return QStringList(items);
}

} // namespace

class TestGenerate : public QObject
{
    Q_OBJECT

private:
    TestSupport::TempFiles m_files;

    QString path(const QString& name) const { return m_files.path(name); }
    QString write(const QString& name, const QByteArray& bytes) const
    {
        return m_files.write(name, bytes);
    }
    /// A copy of the demo project with the keys changed through "project set".
    QString demoCopy(const QString& name, const QStringList& assignments) const
    {
        const QString target = write(name, readBytes(DemoProject));
        if (!assignments.isEmpty()) {
            const CliRun set =
                runCli(QStringList{QStringLiteral("project"), QStringLiteral("set"), target} +
                       assignments);
            if (set.status != 0)
                qFatal("project set failed: %s", qPrintable(set.err));
        }
        return target;
    }

private Q_SLOTS:
    void initTestCase();
    void demoProjectIsWhatTheWizardSaves();
    void demoGenerates_data();
    void demoGenerates();
    void outputFile_data();
    void outputFile();
    void sourceOverride();
    void badInput_data();
    void badInput();
    void generationFails_data();
    void generationFails();
    void switchesThroughProjectSet_data();
    void switchesThroughProjectSet();
};

void TestGenerate::initTestCase()
{
    qputenv("SOURCE_DATE_EPOCH", "1706832000");
    QVERIFY(m_files.dir().isValid());
    QVERIFY(QFile::exists(DemoProject));
    write(QStringLiteral("other.afl"),
          "// other system\r\nBuy = Cross(C, MA(C, 20));\r\nSell = Cross(MA(C, 20), C);\r\n");
    write(QStringLiteral("plugin.afl"),
          "Buy = 1;\r\nSell = 0;\r\nvoxBuy(\"X\", \"\", 1, 0, 0);\r\n");
    write(QStringLiteral("binary.afl"), QByteArray("Buy = 1;\0Sell = 0;\r\n", 20));
    write(QStringLiteral("nosell.afl"), "// buy only\r\nBuy = C > O;\r\nx = 1;\r\n");
    write(QStringLiteral("nobuy.afl"), "Sell = C < O;\r\nx = 1;\r\n");
    write(QStringLiteral("sellcomment.afl"), "Buy = C > O;\r\n// Sell = C < O;\r\n");
    write(QStringLiteral("empty.afl"), QByteArray());
    // Deleting the ApplyStop call leaves an argument empty.
    write(QStringLiteral("broken.afl"),
          "Buy = C > O;\r\nSell = C < O;\r\nx = IIf(C > O, ApplyStop(0, 1, 2), 0);\r\n");
    write(QStringLiteral("wide.afl"), "// \xe6\x97\xa5 chart\r\nBuy = C > O;\r\nSell = C < O;\r\n");
    write(QStringLiteral("notes.afp"), "[DATA]\r\nEdytorAFL=projekt\r\nFilename=demo.afl\r\n");
    write(QStringLiteral("old.afl"), "old script\r\n");
    QDir(m_files.dir().path()).mkdir(QStringLiteral("folder.afp"));
}

// The demo project is exactly what the window saves after this walk through the wizard,
// with the script chosen by a path relative to the project's folder.
void TestGenerate::demoProjectIsWhatTheWizardSaves()
{
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(ExamplesDir));
    App::ScriptedDialogs dialogs;
    App::TForm1 f;
    f.setDialogs(&dialogs);
    f.setLocale(QLocale::c());
    f.FormShow();
    dialogs.queueFile(QStringLiteral("demo.afl"));
    f.Button11.click();
    f.Button7.click();
    QDir::setCurrent(previous);
    QVERIFY(f.ScriptAccepted);
    f.btDalej.click();

    f.rgTicker.click(0);
    f.rgAccount.click(0);
    f.rgSignals.click(1);
    f.cbShow.click();
    f.cbRefresh.click();
    f.csRefresh.setText(QStringLiteral("5"));
    f.btDalej.click();

    f.cbReverse.click();
    f.cbOneSignal.click();
    f.rgInterval.click(1);
    f.cbIntSecs.setItemIndex(3);
    f.btDalej.click();

    f.rgHowPosition.click(0);
    f.rgPositions.click(1);
    f.csValue.setText(QStringLiteral("5000"));
    f.btDalej.click();

    f.rgOrders.click(2);
    f.edCentDev.setText(QStringLiteral("1"));
    f.rgDeviation.click(1);
    f.cbLimAkt.mouseDown();
    f.cbLimAkt.click();
    QVERIFY(f.btDalej.isEnabled());
    f.btDalej.click();
    QVERIFY(f.btGeneruj.isEnabled());

    const QString saved = path(QStringLiteral("walk.afp"));
    dialogs.queueFile(saved);
    f.Zapiszjako1.click();
    QVERIFY(!dialogs.failed());
    const QByteArray bytes = readBytes(saved);
    QVERIFY(bytes.contains("\r\nFilename=demo.afl\r\n"));
    if (bytes != readBytes(DemoProject)) {
        QFile out(DemoProject + QStringLiteral(".new"));
        if (out.open(QIODevice::WriteOnly))
            out.write(bytes);
    }
    QCOMPARE(bytes, readBytes(DemoProject));
}

// The demo project finds its script beside it from any working folder.
void TestGenerate::demoGenerates_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("project");
    QTest::newRow("repository root")
        << QStringLiteral(ORVANTA_SOURCE_DIR) << QStringLiteral("examples/demo.afp");
    QTest::newRow("examples folder") << ExamplesDir << QStringLiteral("demo.afp");
    QTest::newRow("other folder, absolute path") << m_files.dir().path() << DemoProject;
    QTest::newRow("other folder, relative path")
        << m_files.dir().path() << QDir(m_files.dir().path()).relativeFilePath(DemoProject);
}

void TestGenerate::demoGenerates()
{
    QFETCH(QString, folder);
    QFETCH(QString, project);
    const QByteArray before = readBytes(DemoProject);
    const CliRun run = runIn(folder, {QStringLiteral("generate"), project});
    QCOMPARE(run.status, 0);
    QVERIFY2(run.reasons().isEmpty(), qPrintable(run.err));

    const QString actual = withDateMark(run.out);
    const QString expected = QString::fromUtf8(readBytes(Golden));
    if (actual != expected) {
        QFile out(Golden + QStringLiteral(".new"));
        if (out.open(QIODevice::WriteOnly))
            out.write(actual.toUtf8());
    }
    QCOMPARE(actual, expected);
    QVERIFY(!run.bytes.contains("\n\n")); // CR LF throughout, as the view holds it

    // The remarks of the window go to stderr, the project file stays as it was.
    for (const QString& line :
         {QStringLiteral("   ApplyStop x1"), QStringLiteral("   PlotShapes x2"),
          QStringLiteral("Kod został wygenerowany."),
          QStringLiteral("Użytkownik powinien samodzielnie sprawdzić poprawność kodu!")})
        QVERIFY2(run.err.split(u'\n').contains(line), qPrintable(line));
    QCOMPARE(readBytes(DemoProject), before);
}

void TestGenerate::outputFile_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<bool>("utf8");
    QTest::newRow("Windows-1250") << QString() << false;
    QTest::newRow("UTF-8 for a character Windows-1250 lacks")
        << path(QStringLiteral("wide.afl")) << true;
}

// --output writes the same text as stdout, in Windows-1250 unless a character needs UTF-8,
// replacing an existing file.
void TestGenerate::outputFile()
{
    QFETCH(QString, source);
    QFETCH(bool, utf8);
    QStringList common{QStringLiteral("generate"), DemoProject};
    if (!source.isEmpty())
        common << QStringLiteral("--source") << source;
    const CliRun toStdout = runCli(common);
    QCOMPARE(toStdout.status, 0);

    const QString target = write(QStringLiteral("out.afl"), "old\r\n");
    const CliRun toFile = runCli(common + QStringList{QStringLiteral("--output"), target});
    QCOMPARE(toFile.status, 0);
    QVERIFY(toFile.out.isEmpty());
    const QByteArray bytes = readBytes(target);
    const QString expected = toStdout.out;
    QVERIFY(expected.startsWith(QStringLiteral("// ***")));

    const QString utf8Remark = QStringLiteral("Plik zawiera znaki spoza strony kodowej "
                                              "Windows-1250 i został zapisany w kodowaniu UTF-8.");
    if (utf8) {
        QCOMPARE(bytes, toStdout.bytes); // no BOM
        QVERIFY(bytes.contains("// \xe6\x97\xa5 chart\r\n"));
        QVERIFY(toFile.err.endsWith(QStringLiteral("\n") + utf8Remark + u'\n'));
    } else {
        QStringEncoder encoder("windows-1250");
        QCOMPARE(bytes, QByteArray(encoder.encode(expected)));
        QVERIFY(bytes.contains("// Formu\xb3"
                               "a AFL wygenerowana przez Orvanta\r\n"));
        QVERIFY(bytes.contains("\"Szybka \x9crednia\""));
        QVERIFY(!toFile.err.contains(utf8Remark));
        QCOMPARE(toFile.err, toStdout.err);
    }
}

// --source replaces the project's script; a relative one is taken against the working folder.
void TestGenerate::sourceOverride()
{
    const QByteArray before = readBytes(DemoProject);
    const QStringList entriesBefore = QDir(m_files.dir().path()).entryList(QDir::Files);
    const CliRun run = runIn(m_files.dir().path(), {QStringLiteral("generate"), DemoProject,
                                                    QStringLiteral("--source=other.afl")});
    QCOMPARE(run.status, 0);
    const QStringList lines = run.out.split(QStringLiteral("\r\n"));
    QVERIFY(lines.contains(QStringLiteral("// other system")));
    QVERIFY(lines.contains(QStringLiteral("Buy = Cross(C, MA(C, 20));")));
    QVERIFY(!run.out.contains(QStringLiteral("fastMA")));
    // The options still come from the project: a 5000 zł position, one percent from the last.
    QVERIFY(run.out.contains(QStringLiteral("5000")));
    QVERIFY(lines.contains(QStringLiteral("  if(bs) cena = cena + cena*0.01;  // kupno")));
    QCOMPARE(readBytes(DemoProject), before);
    QCOMPARE(QDir(m_files.dir().path()).entryList(QDir::Files), entriesBefore);

    // The same script named by its absolute path gives the same script.
    const CliRun absolute = runCli({QStringLiteral("generate"), QStringLiteral("--source"),
                                    path(QStringLiteral("other.afl")), DemoProject});
    QCOMPARE(absolute.status, 0);
    QCOMPARE(absolute.bytes, run.bytes);
}

// Every bad input ends with status 2 and exactly one reason line; nothing goes to stdout.
void TestGenerate::badInput_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<bool>("usage");

    const QString gen = QStringLiteral("generate");
    const QString missing = path(QStringLiteral("missing.afp"));
    const QString folder = path(QStringLiteral("folder.afp"));
    QTest::newRow("missing project")
        << argsOf({gen, missing})
        << QStringLiteral("Nie można wczytać pliku %1: %2").arg(missing, readError(missing))
        << false;
    QTest::newRow("folder as project")
        << argsOf({gen, folder})
        << QStringLiteral("Nie można wczytać pliku %1: %2").arg(folder, readError(folder)) << false;
    const QString notes = path(QStringLiteral("notes.afp"));
    QTest::newRow("marker in lower case")
        << argsOf({gen, notes}) << QStringLiteral("Plik %1 nie jest projektem.").arg(notes)
        << false;
    QTest::newRow("script given as project")
        << argsOf({gen, DemoScript})
        << QStringLiteral("Plik %1 nie jest projektem.").arg(DemoScript) << false;

    const QString plugin = path(QStringLiteral("plugin.afl"));
    QTest::newRow("script calls the plug-in")
        << argsOf({gen, DemoProject, QStringLiteral("--source"), plugin})
        << QStringLiteral("Znaleziono odwołania do funkcji plugina! Skrypt AFL nie może być "
                          "redagowany za pomocą tego edytora!")
        << false;
    const QString binary = path(QStringLiteral("binary.afl"));
    QTest::newRow("binary script")
        << argsOf({gen, DemoProject, QStringLiteral("--source"), binary})
        << QStringLiteral("Nie można wczytać skryptu AFL %1: Plik nie jest plikiem tekstowym.")
               .arg(binary)
        << false;
    const QString gone = path(QStringLiteral("gone.afl"));
    QTest::newRow("missing script") << argsOf({gen, DemoProject, QStringLiteral("--source"), gone})
                                    << QStringLiteral("Nie można wczytać skryptu AFL %1: %2")
                                           .arg(gone, Platform::ReadTextFile(gone).error)
                                    << false;
    // A relative path in the project is taken against the project's folder.
    const QString moved = demoCopy(QStringLiteral("moved.afp"), {});
    const QString besideMoved = path(QStringLiteral("demo.afl"));
    QTest::newRow("relative script beside a copied project")
        << argsOf({gen, moved})
        << QStringLiteral("Nie można wczytać skryptu AFL %1: %2")
               .arg(besideMoved, Platform::ReadTextFile(besideMoved).error)
        << false;
    QTest::newRow("no script in the project")
        << argsOf({gen, demoCopy(QStringLiteral("nosource.afp"), {QStringLiteral("Filename=")})})
        << QStringLiteral("projekt nie wskazuje skryptu AFL") << false;

    for (int step : {1, 2, 4, 5}) {
        const QString name = QStringLiteral("step%1.afp").arg(step);
        const QString project = demoCopy(name, {QStringLiteral("Filename=") + DemoScript,
                                                QStringLiteral("panel%1=0").arg(step - 1)});
        QTest::newRow(qPrintable(QStringLiteral("step %1 not done").arg(step)))
            << argsOf({gen, project})
            << QStringLiteral("projekt nie jest kompletny: krok %1 nie został zakończony").arg(step)
            << false;
    }

    // Step 5 marked done, but its order type unanswered.
    QTest::newRow("order type unanswered")
        << argsOf({gen, demoCopy(QStringLiteral("noorder.afp"),
                                 {QStringLiteral("Filename=") + DemoScript,
                                  QStringLiteral("rgOrders=-1")})})
        << QStringLiteral("projekt nie jest kompletny: krok 5 nie został zakończony") << false;

    const QString nowhere = path(QStringLiteral("no/such/folder/out.afl"));
    QTest::newRow("output folder missing")
        << argsOf({gen, DemoProject, QStringLiteral("--output"), nowhere})
        << QStringLiteral("Nie można zapisać pliku %1: %2")
               .arg(nowhere, Platform::WriteTextFile(nowhere, QStringLiteral("x")).error)
        << false;

    QTest::newRow("no project") << argsOf({gen}) << QStringLiteral("brak nazwy pliku") << true;
    QTest::newRow("option without value")
        << argsOf({gen, DemoProject, QStringLiteral("--output")})
        << QStringLiteral("opcja --output wymaga wartości") << true;
    QTest::newRow("empty inline value") << argsOf({gen, DemoProject, QStringLiteral("--source=")})
                                        << QStringLiteral("opcja --source wymaga wartości") << true;
    QTest::newRow("repeated option")
        << argsOf({gen, QStringLiteral("--output"), QStringLiteral("a.afl"), DemoProject,
                   QStringLiteral("--output=b.afl")})
        << QStringLiteral("opcja --output podana więcej niż raz") << true;
    QTest::newRow("unknown option") << argsOf({gen, DemoProject, QStringLiteral("--show-signals")})
                                    << QStringLiteral("nieznana opcja: --show-signals") << true;
    QTest::newRow("two projects") << argsOf({gen, DemoProject, notes})
                                  << QStringLiteral("nadmiarowy argument: ") + notes << true;
}

void TestGenerate::badInput()
{
    QFETCH(QStringList, args);
    QFETCH(QString, reason);
    QFETCH(bool, usage);
    const CliRun run = runCli(args);
    QCOMPARE(run.status, 2);
    QVERIFY2(run.out.isEmpty(), qPrintable(run.out));
    QCOMPARE(run.reasons(), QStringList{QStringLiteral("orvanta: ") + reason});
    QCOMPARE(run.err.contains(QStringLiteral("orvanta generate PROJEKT.afp")), usage);
}

// A script the generator cannot wrap: status 1, the window's remarks and one reason line, and
// an existing output file is left alone.
void TestGenerate::generationFails_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("reason");
    const QString buy = QStringLiteral("Nie można odnaleźć definicji sygnału BUY! ");
    const QString sell = QStringLiteral("Nie można odnaleźć definicji sygnału SELL! ");
    QTest::newRow("no Sell") << QStringLiteral("nosell.afl") << sell;
    QTest::newRow("no Buy") << QStringLiteral("nobuy.afl") << buy;
    QTest::newRow("Sell only in a comment") << QStringLiteral("sellcomment.afl") << sell;
    QTest::newRow("empty script") << QStringLiteral("empty.afl") << buy;
    QTest::newRow("the finished script does not parse")
        << QStringLiteral("broken.afl")
        << QStringLiteral("Błąd edytora: wygenerowany kod AFL zawiera błąd składni: wiersz 93, "
                          "znak 16: brak wyrażenia: ");
}

void TestGenerate::generationFails()
{
    QFETCH(QString, source);
    QFETCH(QString, reason);
    const QString old = path(QStringLiteral("old.afl"));
    const QByteArray oldBytes = readBytes(old);
    for (const bool toFile : {false, true}) {
        QStringList args{QStringLiteral("generate"), DemoProject, QStringLiteral("--source"),
                         path(source)};
        if (toFile)
            args << QStringLiteral("--output") << old;
        const CliRun run = runCli(args);
        QCOMPARE(run.status, 1);
        QVERIFY(run.out.isEmpty());
        QCOMPARE(run.reasons(),
                 QStringList{QStringLiteral("orvanta: ") + reason +
                             QStringLiteral("Nie można wygenerować poprawnego kodu AFL.")});
        QVERIFY2(run.err.contains(QStringLiteral("\n\nNie można wygenerować poprawnego kodu AFL.\n"
                                                 "orvanta: ")),
                 qPrintable(run.err));
        QCOMPARE(readBytes(old), oldBytes);
    }
}

void TestGenerate::switchesThroughProjectSet_data()
{
    QTest::addColumn<QStringList>("assignments");
    QTest::addColumn<QStringList>("lines"); // lines the script holds
    QTest::addColumn<bool>("plugin");       // whether it calls the plug-in
    QTest::newRow("test mode")
        << QStringList{QStringLiteral("cbTestMode=1")}
        << QStringList{QStringLiteral("// Skrypt testowy: nie wysyła zleceń, tylko zapisuje je w "
                                      "dzienniku i rysuje na wykresie"),
                       QStringLiteral("  idBuy = sendOrder(1, pozycje, getLimit(1), 0);")}
        << false;
    QTest::newRow("master switch")
        << QStringList{QStringLiteral("cbSwitch=1")}
        << QStringList{QStringLiteral("ordersOn = ParamToggle(\"Wysyłanie zleceń\", "
                                      "\"Wyłączone|Włączone\", 0);  // Włącznik zleceń w "
                                      "parametrach wykresu, wyłączony po wstawieniu formuły")}
        << true;
    QTest::newRow("order log") << QStringList{QStringLiteral("cbOrderLog=1")}
                               << QStringList{QStringLiteral(
                                      "  _TRACE(orderText(\"ZLECENIE\", bs, qty, lim, lAkt) + "
                                      "\"|\" + id);  // Dziennik: zlecenie i odpowiedź plugina")}
                               << true;
    QTest::newRow("cap of 3")
        << QStringList{QStringLiteral("cbDailyCap=1"), QStringLiteral("csDailyCap=3")}
        << QStringList{QStringLiteral("  if(sent >= 3)  // Dzienny limit zleceń wyczerpany")}
        << true;
    QTest::newRow("cap beyond 100 is 100")
        << QStringList{QStringLiteral("csDailyCap=500"), QStringLiteral("cbDailyCap=1")}
        << QStringList{QStringLiteral("  if(sent >= 100)  // Dzienny limit zleceń wyczerpany")}
        << true;
    QTest::newRow("number only, box off")
        << QStringList{QStringLiteral("csDailyCap=3")} << QStringList{} << true;
}

// The switches set with "project set" reach the generated script.
void TestGenerate::switchesThroughProjectSet()
{
    QFETCH(QStringList, assignments);
    QFETCH(QStringList, lines);
    QFETCH(bool, plugin);
    const QString project =
        demoCopy(QStringLiteral("switches.afp"),
                 QStringList{QStringLiteral("Filename=") + DemoScript} + assignments);
    const CliRun run = runCli({QStringLiteral("generate"), project});
    QCOMPARE(run.status, 0);
    const QStringList script = run.out.split(QStringLiteral("\r\n"));
    for (const QString& line : lines)
        QVERIFY2(script.contains(line), qPrintable(line));
    QCOMPARE(run.out.contains(QStringLiteral("voxBuy(")), plugin);
    QCOMPARE(run.out.contains(QStringLiteral("sendOrder")), !lines.isEmpty());
    QCOMPARE(run.err.contains(QStringLiteral("Tryb testowy:")), !plugin);
}

QTEST_GUILESS_MAIN(TestGenerate)
#include "tst_generate.moc"
