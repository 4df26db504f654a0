// Tests of "orvanta check": reports, insertion lines mapped to the file, exit codes, odd input.

#include "../support/TempFiles.h"
#include "CliRun.h"

#include <QBuffer>
#include <QtTest>

namespace {

const QByteArray Crossover = "// moving averages\r\n"
                             "fast = MA(C, 10);\r\n"
                             "slow = MA(C, 30);\r\n"
                             "Buy = Cross(fast, slow);\r\n"
                             "Sell = Cross(slow, fast);\r\n"
                             "\r\n"
                             "Plot(C, \"Close\", colorBlack);\r\n";

} // namespace

class TestCheck : public QObject
{
    Q_OBJECT

private:
    TestSupport::TempFiles m_files;

    QString write(const QByteArray& bytes) { return m_files.write(bytes); }

private Q_SLOTS:
    void insertionLine_data();
    void insertionLine();
    void reports_data();
    void reports();
    void showSignals();
    void syntax_data();
    void syntax();
    void arguments_data();
    void arguments();
    void unreadable();
    void longScript();
};

// The line before which the sections go, counted in the file as read, whatever was removed.
void TestCheck::insertionLine_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<QString>("expected");

    QTest::newRow("top level, blank line and comment skipped")
        << QByteArray("Buy = C > O;\r\nSell = C < O;\r\n\r\n  // plot\r\nPlot(C, \"C\", 1);\r\n")
        << QStringLiteral("przed wierszem 5:\nPlot(C, \"C\", 1);\n");
    QTest::newRow("removed call above shifts the copy")
        << QByteArray("// x\r\nApplyStop(stopTypeLoss, stopModePercent, 5);\r\nBuy = C > O;\r\n"
                      "Sell = C < O;\r\n\r\nPlot(C, \"C\", 1);\r\n")
        << QStringLiteral("przed wierszem 6:\nPlot(C, \"C\", 1);\n");
    QTest::newRow("removed calls above and between")
        << QByteArray("ApplyStop(0, 1, 5);\r\nApplyStop(1, 1, 9);\r\nBuy = C > O;\r\n"
                      "ApplyStop(2, 1, 3);\r\nSell = C < O;\r\nx = 1;\r\n")
        << QStringLiteral("przed wierszem 6:\nx = 1;\n");
    QTest::newRow("removed call right after the signals")
        << QByteArray("Buy = C > O;\r\nSell = C < O;\r\nApplyStop(0, 1, 5);\r\n"
                      "ApplyX = 2;\r\n")
        << QStringLiteral("przed wierszem 4:\nApplyX = 2;\n");
    QTest::newRow("LF line ends") << QByteArray("a = 1;\nBuy = 1;\nSell = 0;\n\nb = 2;\n")
                                  << QStringLiteral("przed wierszem 5:\nb = 2;\n");
    QTest::newRow("CR line ends") << QByteArray("a = 1;\rBuy = 1;\rSell = 0;\r\rb = 2;\r")
                                  << QStringLiteral("przed wierszem 5:\nb = 2;\n");
    QTest::newRow("middle of a line")
        << QByteArray("Buy = 1; Sell = 0; x = 2;\r\n")
        << QStringLiteral("w wierszu 1 przed znakiem 20:\nBuy = 1; Sell = 0; x = 2;\n");
    QTest::newRow("end of the script") << QByteArray("x = 1;\r\nBuy = 1;\r\nSell = 0;\r\n")
                                       << QStringLiteral("dopisane na końcu skryptu.\n");
    QTest::newRow("Buy inside a loop body")
        << QByteArray("for (i = 0; i < 10; i++)\r\n{\r\n    Buy[i] = 1;\r\n}\r\nSell = 0;\r\n"
                      "y = 3;\r\n")
        << QStringLiteral("przed wierszem 6:\ny = 3;\n");
}

void TestCheck::insertionLine()
{
    QFETCH(QByteArray, script);
    QFETCH(QString, expected);
    const CliRun run = runCli({QStringLiteral("check"), write(script)});
    QCOMPARE(run.status, 0);
    QVERIFY2(run.out.endsWith(expected), qPrintable(run.out));
    QCOMPARE(run.err, QString());
}

// Exit codes and the program's own remark texts for scripts the window treats differently.
void TestCheck::reports_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");

    QTest::newRow("accepted") << Crossover << 0
                              << QStringLiteral(
                                     "przed wierszem 7:\nPlot(C, \"Close\", colorBlack);\n")
                              << QString();
    QTest::newRow("no Buy") << QByteArray("Sell = C < O;\r\nx = 1;\r\n") << 1
                            << QStringLiteral(
                                   "W oryginalnym kodzie AFL brakuje definicji sygnału BUY!\n"
                                   "\nNie można odnaleźć definicji sygnału BUY!\n"
                                   "\nNie można wygenerować poprawnego kodu AFL.\n")
                            << QString();
    QTest::newRow("no Sell") << QByteArray("Buy = C > O;\r\n") << 1
                             << QStringLiteral(
                                    "W oryginalnym kodzie AFL brakuje definicji sygnału SELL!\n"
                                    "\nNie można odnaleźć definicji sygnału SELL!\n"
                                    "\nNie można wygenerować poprawnego kodu AFL.\n")
                             << QString();
    QTest::newRow("Buy only compared")
        << QByteArray("x = Buy > 0;\r\nSell = 1;\r\n") << 1
        << QStringLiteral("\nNie można odnaleźć definicji sygnału BUY!\n"
                          "\nNie można wygenerować poprawnego kodu AFL.\n")
        << QString();
    QTest::newRow("plug-in call only in comments")
        << QByteArray("// voxBuy(1);\r\n/* voxInit(); */\r\nBuy = 1;\r\nSell = 0;\r\nz = 1;\r\n")
        << 0 << QStringLiteral("przed wierszem 5:\nz = 1;\n") << QString();
    QTest::newRow("plug-in calls in code")
        << QByteArray("voxInit();\r\nBuy = 1;\r\nvoxBuy(1);\r\nvoxBuy(2);\r\n") << 2
        << QStringLiteral("\nW oryginalnum kodzie AFL znaleziono wywołania następujących "
                          "funkcji plugina:\n"
                          "W oryginalnym kodzie AFL brakuje definicji sygnału SELL!\n"
                          "   voxInit\n   voxBuy\n   voxBuy\n\n"
                          "Należy usunąć wszelkie odwołania do funkcji plugina\n\n"
                          "Skrypt AFL nie może być redagowany za pomocą tego edytora!\n")
        << QStringLiteral("orvanta: Znaleziono odwołania do funkcji plugina! Skrypt AFL nie "
                          "może być redagowany za pomocą tego edytora!\n");
    QTest::newRow("removed and risky calls")
        << QByteArray("ApplyStop(0, 1, 5);\r\nApplyStop(1, 1, 9);\r\no = CreateObject(\"x\");\r\n"
                      "Buy = 1;\r\nSell = 0;\r\nq = 1;\r\n")
        << 0
        << QStringLiteral("\nZ oryginalnego kodu usunięto wywołania następujących funkcji "
                          "(liczba z prawej pokazuje liczbę wywołań)\n"
                          "   ApplyStop x2\n"
                          "Funkcje te zostały usunięte z powodu wystąpienia potencjalnych "
                          "kolizji z kodem dodanym przez edytor.\n"
                          "\nW kodzie AFL wykryto następujące wywołania:\n"
                          "   CreateObject\n"
                          "Funkcje te mogą być potencjalnym źródłem błędnego działania kodu "
                          "wynikowego.\n"
                          "\nSekcje sygnałów i zleceń zostaną wstawione przed wierszem 6:\n"
                          "q = 1;\n")
        << QString();
    QTest::newRow("unterminated block comment")
        << QByteArray("Buy = 1;\r\nSell = 0;\r\n/* never closed\r\nx = 1;\r\n") << 0
        << QStringLiteral("dopisane na końcu skryptu.\n@FILE@:3:1: niedomknięty komentarz\n")
        << QString();
    QTest::newRow("unterminated string")
        << QByteArray("Buy = 1;\r\nSell = 0;\r\nt = \"open\r\nx = 1;\r\n") << 0
        << QStringLiteral(
               "przed wierszem 3:\nt = \"open\n@FILE@:3:5: niedomknięty łańcuch znaków\n")
        << QString();
    QTest::newRow("unbalanced brackets")
        << QByteArray("x = ((1;\r\n{\r\nBuy = 1;\r\nSell = 0;\r\n}}\r\n)) y;\r\n") << 0 << QString()
        << QString();
    QTest::newRow("unbalanced call to a removed function")
        << QByteArray("Buy = 1;\r\nSell = 0;\r\nApplyStop(1, 2\r\n") << 0 << QString() << QString();
    QTest::newRow("binary file") << QByteArray("Buy\0Sell\x01\x02", 10) << 2 << QString()
                                 << QStringLiteral("Plik nie jest plikiem tekstowym.\n");
    QTest::newRow("empty file") << QByteArray() << 2 << QString()
                                << QStringLiteral("orvanta: Uwaga! Nie został wczytany kod AFL\n");
    QTest::newRow("Windows-1250 text") << QByteArray("// cena \xb9\xea\r\nBuy = 1;\r\nSell = 0;\r\n"
                                                     "\xb9 = 1;\r\n")
                                       << 0 << QStringLiteral("\ną = 1;\n") << QString();
}

void TestCheck::reports()
{
    QFETCH(QByteArray, script);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);
    const QString path = write(script);
    out.replace(QStringLiteral("@FILE@"), path);
    const CliRun run = runCli({QStringLiteral("check"), path});
    QCOMPARE(run.status, status);
    QVERIFY2(run.out.endsWith(out), qPrintable(run.out));
    QVERIFY2(run.err.endsWith(err), qPrintable(run.err));
    if (err.isEmpty())
        QCOMPARE(run.err, QString());
}

// The summary option's "PlotShapes" entry decides whether the script's own calls are deleted.
void TestCheck::showSignals()
{
    const QString path = write("Buy = 1;\r\nSell = 0;\r\nPlotShapes(Buy * shapeUpArrow, 5);\r\n"
                               "Plot(C, \"C\", 1);\r\n");
    const CliRun plain = runCli({QStringLiteral("check"), path});
    QCOMPARE(plain.status, 0);
    QVERIFY(!plain.out.contains(QStringLiteral("PlotShapes x1")));
    QVERIFY2(plain.out.endsWith(QStringLiteral("przed wierszem 3:\nPlotShapes(Buy * shapeUpArrow, "
                                               "5);\n")),
             qPrintable(plain.out));

    const CliRun shown = runCli({QStringLiteral("check"), path, QStringLiteral("--show-signals")});
    QCOMPARE(shown.status, 0);
    QVERIFY2(shown.out.contains(QStringLiteral("\n   PlotShapes x1\n")), qPrintable(shown.out));
    QVERIFY2(shown.out.endsWith(QStringLiteral("przed wierszem 4:\nPlot(C, \"C\", 1);\n")),
             qPrintable(shown.out));
}

// Syntax errors after the report, as FILE:LINE:COLUMN; --strict fails on them; a moved
// insertion point is explained before the line it names.
void TestCheck::syntax_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<bool>("strict");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");

    const QByteArray broken = "Buy = 1;\r\nSell = 0\r\nx = (1;\r\n";
    const QString errors =
        QStringLiteral("@FILE@:2:9: brak średnika\n@FILE@:3:5: niedomknięty nawias\n");
    QTest::newRow("errors") << broken << false << 0 << errors;
    QTest::newRow("errors, strict") << broken << true << 1 << errors;
    QTest::newRow("clean, strict") << QByteArray("Buy = 1;\r\nSell = 0;\r\n") << true << 0
                                   << QStringLiteral("dopisane na końcu skryptu.\n");
    QTest::newRow("refused, strict") << QByteArray("voxInit(;\r\nBuy = 1;\r\nSell = 0;\r\n") << true
                                     << 2 << QStringLiteral("@FILE@:1:9: brak wyrażenia\n");
    QTest::newRow("moved out of a loop")
        << QByteArray("Sell = 0;\r\nfor (i = 0; i < 9; i++) { x = Buy[i]; Buy[i] = 1; y = i; }\r\n"
                      "Plot(C, \"C\", 1);\r\n")
        << true << 0
        << QStringLiteral("\nSekcje sygnałów i zleceń przeniesiono za wiersz 2 oryginalnego kodu "
                          "AFL, bo znalazłyby się wewnątrz pętli.\n\nSekcje sygnałów i zleceń "
                          "zostaną wstawione przed wierszem 3:\nPlot(C, \"C\", 1);\n");
}

void TestCheck::syntax()
{
    QFETCH(QByteArray, script);
    QFETCH(bool, strict);
    QFETCH(int, status);
    QFETCH(QString, out);
    const QString path = write(script);
    out.replace(QStringLiteral("@FILE@"), path);
    QStringList args{QStringLiteral("check"), path};
    if (strict)
        args << QStringLiteral("--strict");
    const CliRun run = runCli(args);
    QCOMPARE(run.status, status);
    QVERIFY2(run.out.endsWith(out), qPrintable(run.out));
}

void TestCheck::arguments_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("err");

    QTest::newRow("nothing") << QStringList() << 2 << QStringLiteral("orvanta: brak polecenia\n");
    QTest::newRow("unknown command") << QStringList{QStringLiteral("frobnicate")} << 2
                                     << QStringLiteral("orvanta: nieznane polecenie: frobnicate\n");
    QTest::newRow("check without file") << QStringList{QStringLiteral("check")} << 2
                                        << QStringLiteral("orvanta: brak nazwy pliku\n");
    QTest::newRow("check with unknown option")
        << QStringList{QStringLiteral("check"), QStringLiteral("a.afl"), QStringLiteral("--bogus")}
        << 2 << QStringLiteral("orvanta: nieznana opcja: --bogus\n");
    QTest::newRow("check with two files")
        << QStringList{QStringLiteral("check"), QStringLiteral("a.afl"), QStringLiteral("b.afl")}
        << 2 << QStringLiteral("orvanta: nadmiarowy argument: b.afl\n");
    QTest::newRow("help") << QStringList{QStringLiteral("--help")} << 0 << QString();
}

void TestCheck::arguments()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, err);
    const CliRun run = runCli(args);
    QCOMPARE(run.status, status);
    QVERIFY2(run.err.startsWith(err), qPrintable(run.err));
    if (status == 2)
        QVERIFY(run.err.contains(QStringLiteral("orvanta check SKRYPT.afl")));
    else
        QVERIFY(run.out.contains(QStringLiteral("orvanta check SKRYPT.afl")));
}

void TestCheck::unreadable()
{
    const QString path = m_files.path(QStringLiteral("missing.afl"));
    const CliRun run = runCli({QStringLiteral("check"), path});
    QCOMPARE(run.status, 2);
    QVERIFY2(run.err.startsWith(QStringLiteral("orvanta: Nie można wczytać skryptu AFL ") + path +
                                QStringLiteral(": ")),
             qPrintable(run.err));
    QCOMPARE(run.err.count(u'\n'), 1);
    QCOMPARE(run.out, QString());
}

// A long script with calls to delete all through it: the insertion line is still exact.
void TestCheck::longScript()
{
    QByteArray script;
    const int blocks = 25000;
    for (int i = 0; i < blocks; ++i) {
        script += "m" + QByteArray::number(i) + " = MA(C, " + QByteArray::number(i % 50 + 2) +
                  "); // average\r\n";
        script += "/* block */ x = IIf(m" + QByteArray::number(i) + " > C, 1, 0);\r\n";
        script += "Buy = Cross(C, m" + QByteArray::number(i) + ");\r\n";
        script += (i % 1000 == 0) ? "ApplyStop(0, 1, 5);\r\n" : "Sell = C < O;\r\n";
    }
    script += "Plot(C, \"C\", 1);\r\n";
    const CliRun run = runCli({QStringLiteral("check"), write(script)});
    QCOMPARE(run.status, 0);
    QVERIFY2(run.out.contains(QStringLiteral("   ApplyStop x25\n")), qPrintable(run.out.left(500)));
    QVERIFY2(run.out.endsWith(
                 QStringLiteral("przed wierszem %1:\nPlot(C, \"C\", 1);\n").arg(4 * blocks + 1)),
             qPrintable(run.out.right(200)));
}

QTEST_GUILESS_MAIN(TestCheck)
#include "tst_check.moc"
