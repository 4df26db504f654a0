// What later work reads from a tree: positions, comment and string ranges, names, and the
// questions about assignments, calls, loops and statement boundaries.

#include "syntax/LineMap.h"
#include "syntax/SyntaxTree.h"
#include "syntax/TreeDump.h"
#include "syntax/TreeQueries.h"

#include <QTest>

using namespace Syntax;

namespace {

// The script the query tests read: a function that sets the signals, a loop that assigns
// them element by element, a call, and the names in a string and a comment.
const QString Script =
    QStringLiteral("function SetSignals() { Buy = 1; Sell[0] = 0; }\n"
                   "Buy1 = Buy;\n"
                   "for (i = 0; i < 10; i++) { if (x) Buy[i] = 1; else Sell[i] += 1; }\n"
                   "x = SetSignals();\n"
                   "s = \"Buy = 1\"; // Buy = 2\n");

int offsetOf(const QString& needle, int occurrence = 1)
{
    qsizetype p = -1;
    for (int i = 0; i < occurrence; ++i)
        p = Script.indexOf(needle, p + 1);
    return int(p);
}

} // namespace

class TestSyntaxTree : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void positions_data();
    void positions();
    void textKinds_data();
    void textKinds();
    void namesIgnoreCase();
    void namesOfAnyLength_data();
    void namesOfAnyLength();
    void stringsAndCommentsOfAnyLength_data();
    void stringsAndCommentsOfAnyLength();
    void treesKeepTheirMemory();
    void assignsAndCalls_data();
    void assignsAndCalls();
    void assignmentKinds_data();
    void assignmentKinds();
    void loopsAndParents();
    void statementBoundaries_data();
    void statementBoundaries();
};

void TestSyntaxTree::positions_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("column");
    QTest::newRow("start") << "x" << 0 << 1 << 1;
    QTest::newRow("after CR LF") << "ab\r\ncd" << 4 << 2 << 1;
    QTest::newRow("on the LF of CR LF") << "ab\r\ncd" << 3 << 1 << 4;
    QTest::newRow("after LF") << "a\nb" << 2 << 2 << 1;
    QTest::newRow("after a lone CR") << "a\rb\r\nc\nd" << 2 << 2 << 1;
    QTest::newRow("every break once") << "a\rb\r\nc\nd" << 7 << 4 << 1;
    QTest::newRow("empty last line") << "a\n" << 2 << 2 << 1;
    QTest::newRow("beyond the end") << "ab" << 9 << 1 << 3;
    QTest::newRow("empty text") << "" << 0 << 1 << 1;
}

void TestSyntaxTree::positions()
{
    QFETCH(QString, text);
    QFETCH(int, offset);
    QFETCH(int, line);
    QFETCH(int, column);
    const TextPosition expected{line, column};
    QCOMPARE(LineMap(text).position(offset), expected);
    // The parser's map, made while lexing, is the same.
    QCOMPARE(SyntaxTree::parse(text).position(offset), expected);
}

void TestSyntaxTree::textKinds_data()
{
    QTest::addColumn<QString>("needle");
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("insideForInsertion");
    QTest::newRow("code") << "s =" << int(TextKind::Code) << false;
    QTest::newRow("string's opening quote") << "\"Buy" << int(TextKind::String) << false;
    QTest::newRow("in a string") << "Buy = 1\"" << int(TextKind::String) << true;
    QTest::newRow("after a string") << "; //" << int(TextKind::Code) << false;
    QTest::newRow("a line comment's start") << "// Buy" << int(TextKind::Comment) << false;
    QTest::newRow("in a line comment") << "Buy = 2" << int(TextKind::Comment) << true;
    QTest::newRow("before a line comment's break") << "\n" << int(TextKind::Code) << true;
}

void TestSyntaxTree::textKinds()
{
    QFETCH(QString, needle);
    QFETCH(int, kind);
    QFETCH(bool, insideForInsertion);
    const SyntaxTree tree = SyntaxTree::parse(Script);
    const int last = offsetOf(QStringLiteral("s = \""));
    const int offset = int(Script.indexOf(needle, last));
    QVERIFY(offset >= 0);
    QCOMPARE(int(tree.characterKind(offset)), kind);
    QCOMPARE(tree.isInsideCommentOrString(offset), insideForInsertion);
}

void TestSyntaxTree::namesIgnoreCase()
{
    const SyntaxTree tree = SyntaxTree::parse(QStringLiteral("Buy = 1; BUY++; x = buy[0];"));
    const Name* name = tree.name(u"bUY");
    QVERIFY(name);
    QCOMPARE(name->folded, QStringView(u"buy"));
    QCOMPARE(tree.nameCount(), 2);
    QVERIFY(!tree.name(u"Sell"));
    QList<const Name*> names;
    Walk(tree, [&](const Node& node, ParentChain) {
        const auto* identifier = NodeCast<Identifier>(&node);
        if (identifier && identifier->spelling().compare(u"buy", Qt::CaseInsensitive) == 0)
            names.append(identifier->name);
        return true;
    });
    QCOMPARE(names, QList<const Name*>(3, name));
}

void TestSyntaxTree::namesOfAnyLength_data()
{
    QTest::addColumn<QString>("word");
    for (int length : {1, 3, 4, 5, 8, 9, 12, 16, 17, 30}) {
        QString word;
        for (int i = 0; i < length; ++i)
            word += QChar(u"aB_1cD2e"[i % 8]);
        QTest::newRow(qPrintable(QStringLiteral("%1 characters").arg(length))) << word;
    }
    QTest::newRow("beyond ASCII first") << QStringLiteral("Średnia");
    QTest::newRow("beyond ASCII eighth") << QStringLiteral("abcdefgĄ");
    QTest::newRow("beyond ASCII after eight") << QStringLiteral("abcdefghijŁ2");
}

void TestSyntaxTree::namesOfAnyLength()
{
    // The lexer reads a name eight characters at a time inside the text and one at a time at
    // its end; every spelling must come to the name that the tree finds for it.
    QFETCH(QString, word);
    const QString lower = word.toLower();
    const SyntaxTree tree = SyntaxTree::parse(word + QStringLiteral(" = 1;\n") + lower +
                                              QStringLiteral(" += 2;\n") + word.toUpper());
    const Name* name = tree.name(lower);
    QVERIFY(name);
    QCOMPARE(tree.nameCount(), 1);
    QList<const Name*> names;
    Walk(tree, [&](const Node& node, ParentChain) {
        if (const auto* identifier = NodeCast<Identifier>(&node))
            names.append(identifier->name);
        return true;
    });
    QCOMPARE(names, QList<const Name*>(3, name));
}

void TestSyntaxTree::stringsAndCommentsOfAnyLength_data()
{
    QTest::addColumn<int>("length");
    for (int length : {0, 1, 6, 7, 8, 9, 15, 16, 17, 40})
        QTest::newRow(qPrintable(QStringLiteral("%1 characters").arg(length))) << length;
}

void TestSyntaxTree::stringsAndCommentsOfAnyLength()
{
    // The lexer looks for a string's quote, backslash or line break and a comment's line
    // break eight characters at a time inside the text and one at a time at its end.
    QFETCH(int, length);
    const QString run(length, u'x');
    const QString string = run + QStringLiteral("\\\"") + run + QStringLiteral("\\t") + run;
    const QString comment = QStringLiteral("// ") + run;
    for (const QString& end : {QStringLiteral("\r\n"), QString()}) {
        const QString text =
            QStringLiteral("s = \"") + string + QStringLiteral("\"; ") + comment + end;
        const SyntaxTree tree = SyntaxTree::parse(text);
        QVERIFY(!tree.hasErrors());
        const auto* statement = NodeCast<ExpressionStatement>(tree.statements().front());
        const auto* assignment = NodeCast<AssignmentExpression>(statement->expression);
        QCOMPARE(NodeCast<StringLiteral>(assignment->value)->value, run + u'"' + run + u'\t' + run);
        QCOMPARE(tree.strings().size(), std::size_t(1));
        QCOMPARE(tree.strings().front().length(), string.size() + 2);
        QCOMPARE(tree.comments().size(), std::size_t(1));
        QCOMPARE(tree.comments().front().length(), comment.size());
        QCOMPARE(tree.lines().lineCount(), end.isEmpty() ? 1 : 2);
    }
}

void TestSyntaxTree::treesKeepTheirMemory()
{
    // Large trees give their memory to the next ones; trees alive at the same time must each
    // keep their own.
    auto script = [](const QString& name) {
        QString text;
        for (int i = 0; i < 20000; ++i)
            text += QStringLiteral("%1%2 = MA(C, %2) + Ref(%1%2, -1);\n").arg(name).arg(i);
        return text;
    };
    for (int round = 0; round < 2; ++round)
        QVERIFY(!SyntaxTree::parse(script(QStringLiteral("gone"))).hasErrors());
    const SyntaxTree first = SyntaxTree::parse(script(QStringLiteral("first")));
    const QString firstDump = Dump(first);
    const SyntaxTree second = SyntaxTree::parse(script(QStringLiteral("second")));
    QCOMPARE(Dump(first), firstDump);
    QCOMPARE(Dump(second),
             QString(firstDump).replace(QStringLiteral("first"), QStringLiteral("second")));
}

void TestSyntaxTree::assignsAndCalls_data()
{
    QTest::addColumn<int>("statement");
    QTest::addColumn<bool>("assignsBuy");
    QTest::addColumn<bool>("assignsSell");
    QTest::addColumn<bool>("callsSetSignals");
    // A definition runs nothing; reading Buy is not assigning it; the loop assigns both
    // by element, Sell with +=; the names in a string or comment count for nothing.
    QTest::newRow("definition") << 0 << false << false << false;
    QTest::newRow("reads Buy") << 1 << false << false << false;
    QTest::newRow("loop") << 2 << true << true << false;
    QTest::newRow("call") << 3 << false << false << true;
    QTest::newRow("string and comment") << 4 << false << false << false;
}

void TestSyntaxTree::assignsAndCalls()
{
    QFETCH(int, statement);
    QFETCH(bool, assignsBuy);
    QFETCH(bool, assignsSell);
    QFETCH(bool, callsSetSignals);
    const SyntaxTree tree = SyntaxTree::parse(Script);
    QCOMPARE(tree.statements().size(), std::size_t(5));
    const Statement& s = *tree.statements()[std::size_t(statement)];
    QCOMPARE(AssignsVariable(s, tree.name(u"buy")), assignsBuy);
    QCOMPARE(AssignsVariable(s, tree.name(u"SELL")), assignsSell);
    QCOMPARE(CallsFunction(s, tree.name(u"setsignals")), callsSetSignals);
    // Inside the definition's body the assignments are seen.
    const FunctionDefinition* f = tree.functions()[0];
    QVERIFY(AssignsVariable(*f->body, tree.name(u"Buy")));
    QCOMPARE(f->name->spelling(), QStringView(u"SetSignals"));
}

void TestSyntaxTree::assignmentKinds_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<bool>("assignsBuy");
    QTest::newRow("increment") << "Buy++;" << true;
    QTest::newRow("element decrement") << "--Buy[i];" << true;
    QTest::newRow("matrix element") << "Buy[0][1] |= 1;" << true;
    QTest::newRow("declaration with a value") << "global Buy = 1;" << true;
    QTest::newRow("declaration without") << "local Buy;" << false;
    QTest::newRow("inside an argument") << "_N(Buy = 1);" << true;
    QTest::newRow("inside a condition") << "if (a) { if (b) x = 1; else Buy = 0; }" << true;
    QTest::newRow("a property named so") << "ab.Buy = 1;" << false;
    QTest::newRow("an index") << "x[Buy] = 1;" << false;
    QTest::newRow("compared") << "x = Buy == 1;" << false;
}

void TestSyntaxTree::assignmentKinds()
{
    QFETCH(QString, statement);
    QFETCH(bool, assignsBuy);
    const SyntaxTree tree = SyntaxTree::parse(statement + QStringLiteral(" Buy;"));
    QVERIFY(!tree.hasErrors());
    QCOMPARE(AssignsVariable(*tree.statements()[0], tree.name(u"BUY")), assignsBuy);
}

void TestSyntaxTree::loopsAndParents()
{
    const SyntaxTree tree = SyntaxTree::parse(Script);
    const std::vector<const Statement*> loops = Loops(tree);
    QCOMPARE(loops.size(), std::size_t(1));
    QVERIFY(tree.textOf(loops[0]->range).startsWith(u"for (i = 0;"));
    QVERIFY(tree.textOf(loops[0]->range).endsWith(u"+= 1; }"));

    const Node* assignment = nullptr;
    Walk(tree, [&](const Node& node, ParentChain) {
        if (node.kind == NodeKind::Assignment &&
            tree.textOf(node.range) == QStringView(u"Buy[i] = 1"))
            assignment = &node;
        return true;
    });
    QVERIFY(assignment);
    QStringList kinds;
    for (const Node* parent : ParentsOf(tree, *assignment))
        kinds << QString::number(int(parent->kind));
    const QList<NodeKind> expected{NodeKind::For, NodeKind::Block, NodeKind::If, NodeKind::IfBranch,
                                   NodeKind::ExpressionStatement};
    QStringList expectedKinds;
    for (NodeKind k : expected)
        expectedKinds << QString::number(int(k));
    QCOMPARE(kinds, expectedKinds);
}

void TestSyntaxTree::statementBoundaries_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<bool>("boundary");
    QTest::newRow("before the first statement") << 0 << true;
    QTest::newRow("between top-level statements") << offsetOf(QStringLiteral("Buy1")) << true;
    QTest::newRow("inside an assignment") << offsetOf(QStringLiteral("= Buy;")) << false;
    QTest::newRow("in a function body") << offsetOf(QStringLiteral(" Sell[0]")) << true;
    QTest::newRow("in a loop body") << offsetOf(QStringLiteral(" if (x)")) << true;
    QTest::newRow("between then and else") << offsetOf(QStringLiteral(" else")) << false;
    QTest::newRow("in a for header") << offsetOf(QStringLiteral(" i < 10")) << false;
    QTest::newRow("at the end") << int(Script.size()) << true;
}

void TestSyntaxTree::statementBoundaries()
{
    QFETCH(int, offset);
    QFETCH(bool, boundary);
    QCOMPARE(IsStatementBoundary(SyntaxTree::parse(Script), offset), boundary);

    // In a switch: after a label's colon, not between the label and its colon.
    const QString text = QStringLiteral("switch (m) { case 1: x = 1; break; default: y = 2; }");
    const SyntaxTree tree = SyntaxTree::parse(text);
    QVERIFY(IsStatementBoundary(tree, int(text.indexOf(u':')) + 1));
    QVERIFY(!IsStatementBoundary(tree, int(text.indexOf(u':'))));
    QVERIFY(IsStatementBoundary(tree, int(text.indexOf(QLatin1String(" default")))));
}

QTEST_GUILESS_MAIN(TestSyntaxTree)
#include "tst_syntaxtree.moc"
