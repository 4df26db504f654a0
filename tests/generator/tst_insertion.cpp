// The syntax check of where the order sections go: kept where it passes, moved after the last
// statement computing a signal where it would stand in a loop, a comment, a split statement
// or before the signals; the wrapped scripts of the four shapes are golden files.

#include "../support/Golden.h"
#include "analysis/ScriptView.h"
#include "generator/Checks.h"
#include "generator/Reports.h"
#include "generator/Sections.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using Outcome = Afl::InsertionCheck::Outcome;
using Fault = Afl::InsertionFault;

Q_DECLARE_METATYPE(Outcome)
Q_DECLARE_METATYPE(Fault)

class TestInsertion : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { qputenv("SOURCE_DATE_EPOCH", "1706832000"); }
    void insertion_data();
    void insertion();
};

void TestInsertion::insertion_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<int>("movedAfter"); // line of the source the sections follow, 0 if kept
    QTest::addColumn<int>("before");     // line of the source the sections stand before
    QTest::addColumn<QString>("golden");

    const QString plot = u"Plot(C, \"Close\", colorBlack);"_s;
    QTest::newRow("inside a loop")
        << u"Sell = C < O;\nBuy = C > O;\nBuy1 = Buy;\nfor (i = 10; i < BarCount; i++)\n{\n"
           u"    if (Buy1[i]) Buy[i] = 1;\n    else Buy[i] = 0;\n    x = i;\n}\n"_s +
               plot
        << Outcome::Moved << Fault::InLoop << 9 << 10 << u"insertion_loop"_s;
    QTest::newRow("splitting a statement")
        << u"Sell = C < O; if (C > 10) Buy = 1; else x = 0;\n"_s + plot << Outcome::Moved
        << Fault::SplitsStatement << 1 << 2 << u"insertion_split"_s;
    QTest::newRow("inside a comment")
        << u"ApplyStop(0, 1, 5);\n// Buy when the 5\" bar closes up\nBuy = C > O;\n"
           u"Title = \"RSI\";\nSell = C < O;\n/* Sell = 0; */\n"_s +
               plot
        << Outcome::Moved << Fault::InCommentOrString << 5 << 7 << u"insertion_comment"_s;
    QTest::newRow("before the call")
        << u"function f() { Buy = 1; Sell = 0; }\nx = f();\ns = \"f\";"_s << Outcome::Moved
        << Fault::BeforeSignals << 2 << 3 << u"insertion_call"_s;

    // "/*/" is a whole comment to the colouring, an opening one to the parser.
    QTest::newRow("comment the colouring ends early")
        << u"Buy = 1;\nSell = 0; /*/ x = 1; */\n"_s + plot << Outcome::Moved
        << Fault::InCommentOrString << 2 << 3 << QString();

    const QString body = u"{ x = Buy[i]; Buy[i] = 1; y = i; }\n"_s;
    QTest::newRow("for") << u"Sell = 0;\nfor (i = 0; i < 9; i++) "_s + body + plot << Outcome::Moved
                         << Fault::InLoop << 2 << 3 << QString();
    QTest::newRow("while") << u"Sell = 0; i = 0;\nwhile (i < 9)\n"_s + body + plot << Outcome::Moved
                           << Fault::InLoop << 3 << 4 << QString();
    QTest::newRow("do") << u"Sell = 0; i = 0;\ndo "_s + body + u"while (i < 9);\n"_s + plot
                        << Outcome::Moved << Fault::InLoop << 3 << 4 << QString();
    QTest::newRow("nested loops")
        << u"Sell = 0;\nfor (j = 0; j < 2; j++)\n{\n    for (i = 0; i < 9; i++) "_s + body +
               u"}\n"_s + plot
        << Outcome::Moved << Fault::InLoop << 5 << 6 << QString();
    QTest::newRow("loop inside if")
        << u"Sell = 0;\nif (C[0] > 1)\n{\n    for (i = 0; i < 9; i++) "_s + body +
               u"}\nelse\n    z = 1;\n"_s + plot
        << Outcome::Moved << Fault::InLoop << 7 << 8 << QString();
    // The function's body is the block holding the assignment: its last call ends the
    // signals, which the check accepts.
    QTest::newRow("loop inside a function")
        << u"Sell = 0;\nfunction f(n)\n{\n    for (i = 0; i < n; i++) { Buy[i] = 1; y = i; }\n"
           u"    return n;\n}\nz = f(3);\n"_s +
               plot
        << Outcome::Passed << Fault::None << 0 << 8 << QString();
    QTest::newRow("loop inside a function, signal used before")
        << u"Sell = 0;\nfunction f(n)\n{\n    for (i = 0; i < n; i++) "_s + body +
               u"    return n;\n}\nz = f(3);\n"_s + plot
        << Outcome::Moved << Fault::InLoop << 7 << 8 << QString();
    QTest::newRow("tab before the bracket of a function")
        << u"function\tf\t(n) { Buy = 1; Sell = 0; return n; }\nz = f(1);\n"_s + plot
        << Outcome::Passed << Fault::None << 0 << 3 << QString();
    QTest::newRow("kept at the top level") << u"Buy = C > O;\nSell = C < O;\n\n// plot\n"_s + plot
                                           << Outcome::Passed << Fault::None << 0 << 5 << QString();
    // The scan takes the comparisons for assignments; the parser finds none to move after.
    QTest::newRow("no statement computes a signal")
        << u"for (i = 0; i < 9; i++) { z = Buy[0]; v = Sell[0]; x = Buy[i] >= 1; "
           u"w = Sell[i] >= 1; y = 1; }\n"_s +
               plot
        << Outcome::NoSignals << Fault::InLoop << 0 << 1 << QString();
    QTest::newRow("syntax errors")
        << u"Sell = 0;\nfor (i = 0; i < 9; i++) { x = Buy[i]; Buy[i] = 1 y = i; }\n"_s + plot
        << Outcome::SyntaxErrors << Fault::None << 0 << 2 << QString();
}

void TestInsertion::insertion()
{
    QFETCH(QString, source);
    QFETCH(Outcome, outcome);
    QFETCH(Fault, fault);
    QFETCH(int, movedAfter);
    QFETCH(int, before);
    QFETCH(QString, golden);
    const QStringList lines = source.split(u'\n');
    const Afl::ScriptCheck check = Afl::CheckScript(lines, false);
    QCOMPARE(check.copy.insertion.outcome, outcome);
    QCOMPARE(check.copy.insertion.fault, fault);
    QCOMPARE(check.copy.movedAfterLine, movedAfter);
    QCOMPARE(check.insertionLine, before);
    if (outcome == Outcome::Passed || outcome == Outcome::Moved) // else it stays in its line
        QCOMPARE(check.insertionColumn, 1);
    const QStringList remarks = Afl::InsertionRemarks(check.copy);
    QCOMPARE(remarks.isEmpty(), outcome == Outcome::Passed);
    if (outcome == Outcome::Moved)
        QVERIFY(remarks.first().contains(u"przeniesiono za wiersz %1 "_s.arg(movedAfter)));
    if (golden.isEmpty())
        return;

    Afl::GeneratorSettings settings;
    settings.positionCount = 10;
    Lex::AnalysisContext context;
    Lex::ScriptView rEdit;
    Lex::ScriptView rGenAFL;
    Lex::ScriptView rUwagi;
    rEdit.setLines(lines);
    QVERIFY(Afl::GenerateScript(rEdit, rGenAFL, rUwagi, context, settings, false).success);
    QString text = rGenAFL.text();
    text.replace(Afl::HeaderDate(), u"@DATE@"_s);
    const QString path =
        QStringLiteral(ORVANTA_TEST_DATA "/generator/") + golden + u".expected.afl"_s;
    QCOMPARE(text, TestSupport::Golden(path, text));
}

QTEST_GUILESS_MAIN(TestInsertion)
#include "tst_insertion.moc"
