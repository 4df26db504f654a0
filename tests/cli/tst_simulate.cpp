// Tests of "orvanta simulate": arguments in, exit status and lines out.

#include "../support/TempFiles.h"
#include "CliRun.h"

#include <QImage>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString Examples = QStringLiteral(ORVANTA_SOURCE_DIR "/examples/");

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestSimulate : public QObject
{
    Q_OBJECT

private:
    TestSupport::TempFiles m_files;

    // "@demo", "@quotes" and "@/name" (a file of the test's folder) in an argument.
    QString expand(QString text) const
    {
        return text.replace(u"@demo"_s, Examples + u"demo.afp"_s)
            .replace(u"@quotes"_s, Examples + u"demo-notowania-syntetyczne.csv"_s)
            .replace(u"@/"_s, m_files.dir().path() + u'/');
    }

private Q_SLOTS:
    void initTestCase();
    void run_data();
    void run();
};

void TestSimulate::initTestCase()
{
    QVERIFY(m_files.dir().isValid());
    m_files.write(u"demo.afl"_s, ReadBytes(Examples + u"demo.afl"_s));
    const QByteArray project = ReadBytes(Examples + u"demo.afp"_s);
    m_files.write(u"test.afp"_s, project);
    m_files.write(u"switch.afp"_s, project);
    QCOMPARE(
        runCli({u"project"_s, u"set"_s, m_files.path(u"test.afp"_s), u"cbTestMode=1"_s}).status, 0);
    QCOMPARE(
        runCli({u"project"_s, u"set"_s, m_files.path(u"switch.afp"_s), u"cbSwitch=1"_s}).status, 0);
    m_files.write(u"nosell.afl"_s, "Buy = C > O;\r\nx = 1;\r\n");
    m_files.write(u"nobuy.afl"_s, "Sell = C < O;\r\nx = 1;\r\n");
    m_files.write(u"stops.afl"_s, "Buy = C > O;\r\nSell = C < O;\r\nx = Oops(C);\r\n");
    m_files.write(u"bad.csv"_s, "Data;Czas;Otwarcie;Najwyzszy;Najnizszy;Zamkniecie\n"
                                "2024-03-14;09:00;10;11;9;10\n2024-03-14;0900;10;11;9;10\n");
}

void TestSimulate::run_data()
{
    QTest::addColumn<QString>("args"); // blank-separated, with the marks of expand()
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("lines"); // each a whole line of standard output or error
    QTest::newRow("demo") << u"@demo @quotes"_s << 0
                          << QStringList{u"odrzucone: 0"_s, u"świece: 2496"_s,
                                         u"wiersze _TRACE: 0"_s};
    QTest::newRow("test mode, traces")
        << u"@/test.afp @quotes --traces --log @/log.csv"_s << 0
        << QStringList{u"wysłane: 0"_s,
                       u"świeca nr 460 (2024-01-12 15:15:00), odświeżenie 1: "
                       u"ORVANTA|TEST|2024-01-12 15:15:00|DEMO|kupno|97|51.6514|0"_s};
    QTest::newRow("master switch off")
        << u"@/switch.afp @quotes"_s << 0
        << QStringList{u"Skrypt nie złożył żadnego zlecenia."_s,
                       u"Włącznik „Wysyłanie zleceń” był wyłączony: żadne zlecenie nie zostało "
                       u"wysłane."_s};
    // Holding 5 at the start: the first signal sells them.
    QTest::newRow("armed, a parameter the script lacks")
        << u"@/switch.afp @quotes --arm --param Nic=1 --refreshes-per-bar=2 --holding 5"_s << 0
        << QStringList{
               u"211     2024-01-10 10:30:00  1            voxSell  sprzedaż  5      44,3124  0  "
               u"        SIM-1      0        wysłane"_s,
               u"Parametr „Nic” nie występuje w skrypcie."_s};
    QTest::newRow("restart") << u"@demo @quotes --restart-at 9:00"_s << 0
                             << QStringList{u"świece: 2496"_s};
    QTest::newRow("script stops")
        << u"@demo @quotes --source @/stops.afl"_s
        << 1
        // The line of the finished script.
        << QStringList{u"orvanta: Symulacja przerwana: świeca nr 1 (2024-01-08 09:00:00), "
                       u"odświeżenie 1: wiersz 93: nieznana funkcja Oops"_s,
                       u"świece: 1"_s};
    QTest::newRow("no buy") << u"@demo @quotes --source @/nobuy.afl"_s << 1 << QStringList{};
    QTest::newRow("bad quotes line")
        << u"@demo @/bad.csv"_s << 2
        << QStringList{u"orvanta: Nie można wczytać notowań z pliku @/bad.csv: wiersz 3: "
                       u"notowanie nie jest późniejsze od notowania z wiersza 2"_s};
    QTest::newRow("quotes as the project")
        << u"@quotes @quotes"_s << 2 << QStringList{u"orvanta: Plik @quotes nie jest projektem."_s};
    QTest::newRow("no quotes") << u"@demo"_s << 2 << QStringList{u"orvanta: brak nazwy pliku"_s};
    QTest::newRow("unknown option")
        << u"@demo @quotes --bogus"_s << 2 << QStringList{u"orvanta: nieznana opcja: --bogus"_s};
    QTest::newRow("flag with a value") << u"@demo @quotes --arm=1"_s << 2
                                       << QStringList{u"orvanta: opcja --arm nie przyjmuje "
                                                      u"wartości"_s};
    QTest::newRow("refreshes 0")
        << u"@demo @quotes --refreshes-per-bar 0"_s << 2
        << QStringList{u"orvanta: niepoprawna wartość opcji --refreshes-per-bar: 0 (liczba "
                       u"całkowita od 1 do 100)"_s};
    QTest::newRow("fractional holding")
        << u"@demo @quotes --holding 1.5"_s << 2
        << QStringList{u"orvanta: niepoprawna wartość opcji --holding: 1.5 (liczba całkowita)"_s};
    QTest::newRow("restart at 24:00")
        << u"@demo @quotes --restart-at 24:00"_s << 2
        << QStringList{u"orvanta: niepoprawna wartość opcji --restart-at: 24:00 (godzina GG:MM "
                       u"lub GG:MM:SS)"_s};
    QTest::newRow("parameter without a value")
        << u"@demo @quotes --param x"_s << 2
        << QStringList{u"orvanta: niepoprawna wartość opcji --param: x (NAZWA=WARTOŚĆ)"_s};
    QTest::newRow("chart") << u"@demo @quotes --chart @/chart.png"_s << 0
                           << QStringList{u"wysłane: 10"_s};
    QTest::newRow("chart folder missing")
        << u"@demo @quotes --chart @/no/chart.png"_s << 2 << QStringList{u"wysłane: 10"_s};
    QTest::newRow("log folder missing")
        << u"@demo @quotes --log @/no/log.csv"_s << 2 << QStringList{u"wysłane: 10"_s};
}

void TestSimulate::run()
{
    QFETCH(QString, args);
    QFETCH(int, status);
    QFETCH(QStringList, lines);
    QStringList arguments{u"simulate"_s};
    for (const QString& arg : args.split(u' '))
        arguments.append(expand(arg));
    const CliRun run = runCli(arguments);
    QCOMPARE(run.status, status);
    const QStringList written = (run.out + run.err).split(u'\n');
    for (const QString& line : lines)
        QVERIFY2(written.contains(expand(line)),
                 qPrintable(expand(line) + u"\n--\n"_s + run.out + run.err));
    if (args.contains(u"--log @/log.csv"_s)) {
        const QStringList log = QString::fromLocal8Bit(ReadBytes(m_files.path(u"log.csv"_s)))
                                    .split(u"\r\n"_s, Qt::SkipEmptyParts);
        QVERIFY(log.size() > 1);
        QVERIFY(log[1].startsWith(u"460;2024-01-12 15:15:00;1;_TRACE;kupno;DEMO;;97;51,6514;"_s));
    }
    if (args.contains(u"--chart @/chart.png"_s))
        QCOMPARE(QImage(m_files.path(u"chart.png"_s)).size(), QSize(1200, 700));
    if (args.contains(u"--chart @/no/"_s))
        QVERIFY(run.err.contains(expand(u"orvanta: Nie można zapisać pliku @/no/chart.png"_s)));
}

// --chart paints text, which needs a QGuiApplication.
QTEST_MAIN(TestSimulate)
#include "tst_simulate.moc"
