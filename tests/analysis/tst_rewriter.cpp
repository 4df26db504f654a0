// Tests of the checks and rewrites: plug-in calls, call removal, identifier replacement and
// the end of the signal definitions.

#include "analysis/AnalysisContext.h"
#include "analysis/Highlighter.h"
#include "analysis/Rewriter.h"
#include "analysis/Scanner.h"

#include <QTest>

using namespace Lex;

namespace {

// Call removal as first described: delete one call, write the text back, search again.
int referenceRemoveCalls(QString& text, const QString& name)
{
    ScriptView view;
    view.setText(text);
    const int total = view.length();
    int removed = 0;
    int p = view.findWord(name, 0, total);
    while (p >= 0) {
        const int end = FindStatementEnd(view.text(), p, u'(');
        if (end < 0) {
            p = view.findWord(name, p + int(name.size()), total);
            continue;
        }
        QString copy = view.text();
        copy.remove(p, end - p + 1);
        view.setText(copy);
        ++removed;
        p = view.findWord(name, p, total);
    }
    text = view.text();
    return removed;
}

} // namespace

class TestRewriter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pluginCalls_data();
    void pluginCalls();
    void removeCalls_data();
    void removeCalls();
    void removeTallyAndKinds();
    void removeListed();
    void replaceIdentifier_data();
    void replaceIdentifier();
    void replaceSplitsLines();
    void signalsEnd_data();
    void signalsEnd();
};

void TestRewriter::pluginCalls_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("calls");
    QTest::newRow("comment only") << "// voxBuy(1);\r\n/* voxSell() */" << QStringList{};
    QTest::newRow("twice") << "voxBuy(1);\r\nx = voxBuy(2);" << QStringList{"voxBuy", "voxBuy"};
    QTest::newRow("in a string") << "s = \"voxInit\";" << QStringList{"voxInit"};
    QTest::newRow("catalogue order")
        << "voxSellPEG(); VOXINIT();" << QStringList{"voxInit", "voxSellPEG"};
    QTest::newRow("longer names") << "voxBuyX(1); myvoxBuy = 2;" << QStringList{};
}

void TestRewriter::pluginCalls()
{
    QFETCH(QString, text);
    QFETCH(QStringList, calls);
    AnalysisContext context;
    ScriptView view;
    view.setText(text);
    HighlightScript(view, context.reservedNames());
    QCOMPARE(PluginCalls(view, context), calls);
}

void TestRewriter::removeCalls_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("count");
    QTest::newRow("between lines")
        << "a = 1;\r\n  ApplyStop(stopTypeLoss, stopModePercent, 5);\r\n    b = 2;"
        << "a = 1;\r\n  b = 2;" << 1;
    QTest::newRow("twice and in a comment")
        << "ApplyStop(1);\r\nx;\r\n// ApplyStop(2);\r\nApplyStop(3) + 1;"
        << "x;\r\n//  + 1;" << 3;
    QTest::newRow("nested") << "ApplyStop(ApplyStop(1)); y"
                            << "y" << 1;
    QTest::newRow("no end") << "ApplyStop(1)\r\n"
                            << "ApplyStop(1)\r\n"
                            << 0;
    QTest::newRow("no end then end") << "ApplyStop x(1) ApplyStop(2)"
                                     << " ApplyStop(2)" << 1;
    QTest::newRow("without brackets") << "ApplyStop = f(1); z"
                                      << "z" << 1;
    QTest::newRow("longer name kept") << "ApplyStops(1); ApplyStop(2);"
                                      << "ApplyStops(1); " << 1;
    QTest::newRow("adjacent calls") << "ApplyStop(1);ApplyStop(2);q"
                                    << "q" << 1 + 1;
    QTest::newRow("at end") << "x; ApplyStop(1);"
                            << "x; " << 1;
    QTest::newRow("case ignored") << "applystop(1); APPLYSTOP(2); k"
                                  << "k" << 2;
}

void TestRewriter::removeCalls()
{
    QFETCH(QString, text);
    QFETCH(QString, result);
    QFETCH(int, count);
    AnalysisContext context;
    ScriptView view;
    view.setText(text);
    QCOMPARE(RemoveCalls(view, QStringLiteral("ApplyStop"), context).size(), count);
    QCOMPARE(view.text(), result);
    QString reference = text;
    QCOMPARE(referenceRemoveCalls(reference, QStringLiteral("ApplyStop")), count);
    QCOMPARE(reference, result);
}

void TestRewriter::removeTallyAndKinds()
{
    AnalysisContext context;
    ScriptView view;
    view.setText(QStringLiteral("EnableScript(\"x\");\r\nx = 1;"));
    HighlightScript(view, context.reservedNames());
    QCOMPARE(RemoveCalls(view, QStringLiteral("ApplyStop"), context).size(), 0);
    QCOMPARE(view.kindAt(0), Kind::Catalogue);
    QVERIFY(context.callTally().isEmpty());

    view.setText(QStringLiteral("x = Close; ApplyStop(1); ApplyStop(2); "
                                "GetTradingInterface(\"a\");\r\ny = 2;"));
    HighlightScript(view, context.reservedNames());
    QCOMPARE(RemoveCalls(view, QStringLiteral("ApplyStop"), context).size(), 2);
    QCOMPARE(view.kindAt(view.text().indexOf(QStringLiteral("Close"))), Kind::Plain);
    QCOMPARE(RemoveCalls(view, QStringLiteral("GetTradingInterface"), context).size(), 1);
    QCOMPARE(view.text(), QStringLiteral("x = Close; y = 2;"));
    const CallTally& tally = context.callTally();
    QCOMPARE(tally.size(), 2);
    QCOMPARE(tally.at(0).text, QStringLiteral("   ApplyStop"));
    QCOMPARE(tally.at(0).count, 2);
    QCOMPARE(tally.at(1).text, QStringLiteral("   GetTradingInterface"));
    QCOMPARE(tally.at(1).count, 1);
}

void TestRewriter::removeListed()
{
    AnalysisContext context;
    const QString text = QStringLiteral("Buy = 1; PlotShapes(Buy, 1); GetBacktesterObject(); "
                                        "EnableRotationalTrading(); z");
    ScriptView view;
    view.setText(text);
    QCOMPARE(RemoveListedCalls(view, context).size(), 2);
    QCOMPARE(view.text(), QStringLiteral("Buy = 1; PlotShapes(Buy, 1); z"));
    context.removalList().append(QStringLiteral("PlotShapes"));
    view.setText(text);
    QCOMPARE(RemoveListedCalls(view, context).size(), 3);
    QCOMPARE(view.text(), QStringLiteral("Buy = 1; z"));
    context.removalList().removeAll(QStringLiteral("PlotShapes"));
    view.setText(text);
    QCOMPARE(RemoveListedCalls(view, context).size(), 2);
}

void TestRewriter::replaceIdentifier_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("count");
    QTest::newRow("assignment") << "symbol = x;"
                                << "symbol"
                                << "symbol_plug"
                                << "symbol_plug = x;" << 1;
    QTest::newRow("letter after") << "symbols = 1;"
                                  << "symbol"
                                  << "symbol_plug"
                                  << "symbols = 1;" << 0;
    QTest::newRow("letter before") << "mysymbol = 1;"
                                   << "symbol"
                                   << "symbol_plug"
                                   << "mysymbol = 1;" << 0;
    QTest::newRow("case ignored") << "Symbol+1"
                                  << "symbol"
                                  << "symbol_plug"
                                  << "symbol_plug+1" << 1;
    QTest::newRow("text start") << "symbol"
                                << "symbol"
                                << "s2"
                                << "s2" << 1;
    QTest::newRow("accented after") << "symbolą symbol"
                                    << "symbol"
                                    << "s2"
                                    << "symbolą s2" << 1;
    QTest::newRow("accented before") << "ąsymbol;symbol"
                                     << "symbol"
                                     << "s2"
                                     << "ąsymbol;s2" << 1;
    QTest::newRow("underscore and digit") << "_idBuy idBuy2 idBuy"
                                          << "idBuy"
                                          << "idBuy_plug"
                                          << "_idBuy idBuy2 idBuy_plug" << 1;
    QTest::newRow("longer identifier") << "svIdBuy = idBuy;"
                                       << "idBuy"
                                       << "idBuy_plug"
                                       << "svIdBuy = idBuy_plug;" << 1;
    QTest::newRow("letter case rewritten") << "isNewBar = newbar;"
                                           << "newBar"
                                           << "newBar"
                                           << "isNewBar = newBar;" << 1;
    QTest::newRow("after line break") << "a\r\nsymbol"
                                      << "symbol"
                                      << "x"
                                      << "a\r\nx" << 1;
    QTest::newRow("adjacent after replacement") << "+a+a"
                                                << "+a"
                                                << "b"
                                                << "b+a" << 1;
}

void TestRewriter::replaceIdentifier()
{
    QFETCH(QString, text);
    QFETCH(QString, name);
    QFETCH(QString, replacement);
    QFETCH(QString, result);
    QFETCH(int, count);
    QStringList lines = text.split(QStringLiteral("\r\n"));
    QCOMPARE(ReplaceIdentifier(lines, name, replacement), count);
    QCOMPARE(lines.join(QStringLiteral("\r\n")), result);
}

void TestRewriter::replaceSplitsLines()
{
    QStringList lines{QStringLiteral("a = cena;"), QStringLiteral("b\r\nc = cena;"), QString()};
    QCOMPARE(ReplaceIdentifier(lines, QStringLiteral("cena"), QStringLiteral("cena_plug")), 2);
    QCOMPARE(lines, QStringList({"a = cena_plug;", "b", "c = cena_plug;", ""}));
}

void TestRewriter::signalsEnd_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("before");
    QTest::newRow("top level") << "Buy = C > O;\r\nSell = C < O;\r\n\r\n  // note\r\n  x = 1;"
                               << "x = 1;";
    QTest::newRow("sell first") << "Sell = 0;\r\nBuy = 1; /* c */ ;\r\nPlot(C);"
                                << "Plot";
    QTest::newRow("loop block")
        << "Buy = 0; Sell = 0;\r\nfor (i = 0; i < 9; i++) {\r\n  Buy[i] = 1;\r\n}\r\nend;"
        << "end;";
    QTest::newRow("function body")
        << "function f(a) {\r\n  Buy = a;\r\n}\r\nSell = 0;\r\nf(1);\r\nf(2);\r\nrest;"
        << "rest;";
    QTest::newRow("block calls assigning function")
        << "function g() { Sell = 1; }\r\nBuy = 0;\r\nif (x) { Sell = 2; }\r\ng();\r\ntail;"
        << "tail;";
    QTest::newRow("comparison only") << "Sell = 1; x = Buy == 1;"
                                     << "-1";
    QTest::newRow("no sell") << "Buy = 1; y = Sell;"
                             << "-2";
    QTest::newRow("at end") << "Buy = 1; Sell = 2;\r\n"
                            << "";
    QTest::newRow("no semicolon") << "Buy = 1; Sell = 2"
                                  << "";
}

void TestRewriter::signalsEnd()
{
    QFETCH(QString, text);
    QFETCH(QString, before);
    AnalysisContext context;
    ScriptView view;
    view.setText(text);
    HighlightScript(view, context.reservedNames());
    int expected = 0;
    if (before == QLatin1String("-1") || before == QLatin1String("-2"))
        expected = before.toInt();
    else if (before.isEmpty())
        expected = view.length() + 1;
    else
        expected = int(view.text().lastIndexOf(before)) + 1;
    QCOMPARE(FindSignalsEnd(view), expected);
}

QTEST_GUILESS_MAIN(TestRewriter)
#include "tst_rewriter.moc"
