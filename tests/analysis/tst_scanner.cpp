// Tests of the structural scans; comments are known only by the kind the comment pass sets.

#include "analysis/Highlighter.h"
#include "analysis/Scanner.h"

#include <QTest>

using namespace Lex;

namespace {

ScriptView coloured(const QString& text)
{
    ScriptView view;
    view.setText(text);
    HighlightComments(view);
    return view;
}

// Position of the n-th (1-based) occurrence of needle in text; n = 0 means -1.
int nth(const QString& text, const QString& needle, int n)
{
    if (n == 0)
        return -1;
    qsizetype p = -1;
    for (int i = 0; i < n; ++i)
        p = text.indexOf(needle, p + 1);
    return int(p);
}

} // namespace

class TestScanner : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void findCodeChar_data();
    void findCodeChar();
    void commentsFollowTheKind();
    void matchingBracket_data();
    void matchingBracket();
    void statementEnd_data();
    void statementEnd();
    void lastCode_data();
    void lastCode();
    void collectFunctions_data();
    void collectFunctions();
    void lastAssignment_data();
    void lastAssignment();
    void assignmentFlagsFunctions();
    void signalBlocks();
    void callEndAfterLast();
};

void TestScanner::findCodeChar_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("occurrence");
    QTest::newRow("plain") << "x = 1; {" << 1;
    QTest::newRow("line comment") << "// {\r\n{" << 2;
    QTest::newRow("block comment") << "/* { \r\n { */ {" << 3;
    QTest::newRow("only in comment") << "x // {" << 0;
    QTest::newRow("after crlf") << "a\r\n\r\n{" << 1;
}

void TestScanner::findCodeChar()
{
    QFETCH(QString, text);
    QFETCH(int, occurrence);
    const ScriptView view = coloured(text);
    QCOMPARE(FindCodeChar(view, 0, view.length(), u'{'), nth(text, "{", occurrence));
}

void TestScanner::commentsFollowTheKind()
{
    const QString text = QStringLiteral("// ;\r\nx;");
    ScriptView view = coloured(text);
    QCOMPARE(FindCodeChar(view, 0, view.length(), u';'), nth(text, ";", 2));
    view.setText(text);
    QCOMPARE(FindCodeChar(view, 0, view.length(), u';'), nth(text, ";", 1));
    HighlightComments(view);
    QCOMPARE(FindCodeChar(view, 0, view.length(), u';'), nth(text, ";", 2));
}

void TestScanner::matchingBracket_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("opening");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("result");
    const QString nested = QStringLiteral("f(a, g(b), c) x");
    QTest::newRow("nested") << nested << "(" << 1 << nth(nested, ")", 2);
    QTest::newRow("unclosed") << "f(a"
                              << "(" << 0 << 2;
    QTest::newRow("none") << "abc"
                          << "(" << 0 << -1;
    QTest::newRow("empty range") << "()"
                                 << "(" << 2 << -1;
    const QString comment = QStringLiteral("{ // }\r\n}");
    QTest::newRow("comment skipped") << comment << "{" << 0 << nth(comment, "}", 2);
    const QString string = QStringLiteral("{ \"}\" }");
    QTest::newRow("string counts") << string << "{" << 0 << nth(string, "}", 1);
    QTest::newRow("opening in comment") << "/* { */ { }"
                                        << "{" << 0 << 10;
}

void TestScanner::matchingBracket()
{
    QFETCH(QString, text);
    QFETCH(QString, opening);
    QFETCH(int, from);
    QFETCH(int, result);
    const ScriptView view = coloured(text);
    QCOMPARE(FindMatchingBracket(view, from, view.length(), opening.at(0)), result);
}

void TestScanner::statementEnd_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("result");
    const QString call = QStringLiteral("ApplyStop(1, 2);  \r\nx = 1;");
    QTest::newRow("semicolon and line break") << call << 0 << nth(call, "\n", 1);
    const QString expr = QStringLiteral("ApplyStop(1, 2) + y;");
    QTest::newRow("expression") << expr << 0 << nth(expr, ")", 1);
    const QString tight = QStringLiteral("f(1);x");
    QTest::newRow("semicolon then code") << tight << 0 << nth(tight, ";", 1);
    const QString last = QStringLiteral("f(1) ;");
    QTest::newRow("semicolon at end") << last << 0 << nth(last, ";", 1);
    QTest::newRow("whitespace to end") << "f(1)  \r\n" << 0 << -1;
    QTest::newRow("never balances") << "f(1, g(2);" << 0 << -1;
    const QString bare = QStringLiteral("f + g(a(b)) ; y");
    QTest::newRow("without brackets") << bare << 0 << nth(bare, ";", 1) + 1;
    const QString cmt = QStringLiteral("f(/* ) */ 1); z");
    QTest::newRow("brackets in comments count") << cmt << 0 << nth(cmt, ")", 1);
}

void TestScanner::statementEnd()
{
    QFETCH(QString, text);
    QFETCH(int, start);
    QFETCH(int, result);
    QCOMPARE(FindStatementEnd(text, start, u'('), result);
}

void TestScanner::lastCode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("occurrence");
    QTest::newRow("position 0 never") << "f(1);" << 0;
    QTest::newRow("last") << "f(1); f(2); x" << 2;
    QTest::newRow("comment skipped") << "x f(1);\r\n// f(2)" << 1;
    QTest::newRow("longer word") << " f(1); ff(2); f_(3)" << 1;
}

void TestScanner::lastCode()
{
    QFETCH(QString, text);
    QFETCH(int, occurrence);
    const ScriptView view = coloured(text);
    QCOMPARE(FindLastCode(view, u"f"), nth(text, "f(", occurrence));
}

void TestScanner::collectFunctions_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("one") << "function foo (x) { return x; }" << QStringList{"foo"};
    QTest::newRow("comment skipped")
        << "// function bar() { }\r\nfunction baz(a)\r\n{\r\n}" << QStringList{"baz"};
    QTest::newRow("tab before bracket") << "function g\t(a) { }" << QStringList{"g"};
    QTest::newRow("two") << "function a() { if (x) { y; } }\r\nfunction b() { }"
                         << QStringList{"a", "b"};
    QTest::newRow("no body") << "function f(x);" << QStringList{};
    QTest::newRow("keyword at end") << "x = 1; function" << QStringList{};
    QTest::newRow("procedure ignored") << "procedure p() { }" << QStringList{};
}

void TestScanner::collectFunctions()
{
    QFETCH(QString, text);
    QFETCH(QStringList, names);
    const ScriptView view = coloured(text);
    FunctionDefs defs;
    CollectFunctions(view, defs);
    QStringList found;
    for (const FunctionDef& def : defs) {
        found.append(def.name);
        QCOMPARE(text.at(def.bodyStart), QChar(u'{'));
        QCOMPARE(text.at(def.bodyEnd), QChar(u'}'));
        QVERIFY(!def.assignsSignal);
    }
    QCOMPARE(found, names);
    if (!defs.isEmpty() && names.first() == "a") {
        QCOMPARE(defs.first().bodyStart, nth(text, "{", 1));
        QCOMPARE(defs.first().bodyEnd, nth(text, "}", 2));
    }
}

void TestScanner::lastAssignment_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("occurrence");
    QTest::newRow("second of two") << "Buy = a; Buy = b; x = Buy == 1;" << 2;
    QTest::newRow("comparison") << "x = Buy == 1;" << 0;
    QTest::newRow("in comment") << "// Buy = 1;\r\nx = Buy;" << 0;
    QTest::newRow("element") << "for (i = 0; i < 9; i++) { Buy[i] = 1; }" << 1;
    QTest::newRow("element compared with >=") << "x = Buy[i] >= 1;" << 1;
    QTest::newRow("element compared with ==") << "x = Buy[i] == 1;" << 1;
    QTest::newRow("element without semicolon") << "x = Buy[i] = 1" << 0;
    QTest::newRow("after crlf") << "a = 1;\r\n\r\nbuy\r\n= 2;" << 1;
    QTest::newRow("longer words") << "BuyPrice = 1; myBuy = 2;" << 0;
}

void TestScanner::lastAssignment()
{
    QFETCH(QString, text);
    QFETCH(int, occurrence);
    const ScriptView view = coloured(text);
    FunctionDefs defs;
    int expected = -1;
    if (occurrence > 0)
        expected = nth(text.toLower(), QStringLiteral("buy"), occurrence);
    QCOMPARE(FindLastAssignment(view, u"buy", defs), expected);
}

void TestScanner::assignmentFlagsFunctions()
{
    const QString text = QStringLiteral("function f() { Buy = 1; }\r\n"
                                        "function g() { Buy[1] = 1; }\r\n"
                                        "function h() { Sell = 1; }\r\n");
    const ScriptView view = coloured(text);
    FunctionDefs defs;
    CollectFunctions(view, defs);
    QCOMPARE(defs.size(), 3);
    QCOMPARE(FindLastAssignment(view, u"buy", defs), nth(text, "Buy", 2));
    QVERIFY(defs.at(0).assignsSignal);
    QVERIFY(!defs.at(1).assignsSignal);
    QVERIFY(!defs.at(2).assignsSignal);
    QCOMPARE(FunctionNameAt(defs, defs.at(2).bodyStart), QStringLiteral("h"));
    QCOMPARE(FunctionNameAt(defs, 0), QString());
}

void TestScanner::signalBlocks()
{
    const QString text = QStringLiteral("if (a) { x = 1; { Buy = 2; } Buy = 3; }\r\n"
                                        "{ // Buy\r\n}\r\n"
                                        "{ y = Buy; }");
    const ScriptView view = coloured(text);
    SignalBlocks blocks;
    CollectSignalBlocks(view, u"buy", 0, blocks);
    QCOMPARE(blocks.size(), 2);
    QCOMPARE(blocks.at(0).wordPos, nth(text, "Buy", 1));
    QCOMPARE(blocks.at(0).blockStart, nth(text, "{", 1));
    QCOMPARE(blocks.at(0).blockEnd, nth(text, "}", 2));
    QCOMPARE(blocks.at(1).wordPos, nth(text, "Buy", 4));
    CollectSignalBlocks(view, u"buy", nth(text, "{", 4), blocks);
    QCOMPARE(blocks.size(), 1);
}

void TestScanner::callEndAfterLast()
{
    const QString text = QStringLiteral("function f(a) { Buy = a; }\r\n"
                                        "f(1);\r\nx = f(g(2)) + 1 ;\r\n// f(3);\r\n");
    const ScriptView view = coloured(text);
    QCOMPARE(CallEndAfterLast(view, u"f"), nth(text, ";", 3));
    QCOMPARE(CallEndAfterLast(view, u"nothing"), -1);
    const QString open = QStringLiteral("x; f(1, 2)");
    const ScriptView noSemicolon = coloured(open);
    QCOMPARE(CallEndAfterLast(noSemicolon, u"f"), nth(open, ")", 1));
}

QTEST_GUILESS_MAIN(TestScanner)
#include "tst_scanner.moc"
