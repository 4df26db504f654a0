// The AFL front end on tables of snippets, a corpus of realistic scripts with their trees,
// seeded mutations of that corpus, and the limits that keep any input safe.

#include "platform/TextFile.h"
#include "syntax/Lexer.h"
#include "syntax/Parser.h"
#include "syntax/SyntaxTree.h"
#include "syntax/TreeDump.h"
#include "syntax/TreeQueries.h"

#include <random>
#include <set>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTest>

using namespace Syntax;

namespace {

QString diagnosticsOf(const SyntaxTree& tree)
{
    QStringList out;
    for (const Diagnostic& d : tree.diagnostics())
        out << QStringLiteral("%1:%2 %3").arg(d.line).arg(d.column).arg(d.message);
    return out.join(QLatin1String("; "));
}

QString readScript(const QString& path)
{
    const Platform::ReadResult file = Platform::ReadTextFile(path);
    return file.ok ? file.text : QString();
}

QString corpusDir()
{
    return QStringLiteral(ORVANTA_TEST_DATA "/syntax");
}

// Offsets of code brackets and their partners, found on the text alone.
QHash<int, int> bracketPartners(const SyntaxTree& tree)
{
    QHash<int, int> partner;
    QList<int> open;
    const QString& text = tree.text();
    for (int i = 0; i < text.size(); ++i) {
        if (tree.characterKind(i) != TextKind::Code)
            continue;
        const QChar c = text.at(i);
        if (c == u'(' || c == u'[' || c == u'{') {
            open.append(i);
        } else if ((c == u')' || c == u']' || c == u'}') && !open.isEmpty()) {
            const int o = open.takeLast();
            partner.insert(o, i);
            partner.insert(i, o);
        }
    }
    return partner;
}

} // namespace

class TestParser : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void trees_data();
    void trees();
    void errors_data();
    void errors();
    void corpus_data();
    void corpus();
    void otherScriptsParseClean_data();
    void otherScriptsParseClean();
    void mutations_data();
    void mutations();
    void limits_data();
    void limits();
    void atMostTwentyErrors();
    void textWithoutNull_data();
    void textWithoutNull();
};

void TestParser::trees_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("tree");

    // Precedence, weakest first: assignment, ?:, OR, AND, NOT, |, &, equality, relational,
    // additive, multiplicative, unary minus, ^, postfix.
    QTest::newRow("arithmetic") << "x = a + b * c - d / e % f;"
                                << "(= x (- (+ a (* b c)) (% (/ d e) f)))";
    QTest::newRow("power before negation") << "x = -2 ^ 2;"
                                           << "(= x (- (^ 2 2)))";
    QTest::newRow("power from the left") << "x = 2 ^ 3 ^ 2;"
                                         << "(= x (^ (^ 2 3) 2))";
    QTest::newRow("power of a negative") << "x = 2 ^ -1;"
                                         << "(= x (^ 2 (- 1)))";
    QTest::newRow("comparisons") << "x = a + 1 < b * 2 == c >= d;"
                                 << "(= x (== (< (+ a 1) (* b 2)) (>= c d)))";
    QTest::newRow("not equal spellings") << "x = a <> b != c;"
                                         << "(= x (!= (!= a b) c))";
    QTest::newRow("bitwise") << "x = a & b | c & d == e;"
                             << "(= x (| (& a b) (& c (== d e))))";
    QTest::newRow("NOT below comparison") << "x = NOT a == b;"
                                          << "(= x (not (== a b)))";
    QTest::newRow("NOT above AND") << "x = NOT a AND b OR c;"
                                   << "(= x (or (and (not a) b) c))";
    QTest::newRow("word operators in any case") << "x = a and b Or not c;"
                                                << "(= x (or (and a b) (not c)))";
    QTest::newRow("symbol operators") << "x = !a && b || c;"
                                      << "(= x (or (and (not a) b) c))";
    QTest::newRow("NOT after an operator") << "x = a * NOT b + c;"
                                           << "(= x (* a (not (+ b c))))";
    QTest::newRow("matrix product") << "p = a @ b + c;"
                                    << "(= p (+ (@ a b) c))";
    QTest::newRow("conditional from the right") << "x = a ? b : c ? d : e;"
                                                << "(= x (? a b (? c d e)))";
    QTest::newRow("conditional below OR") << "x = a OR b ? c : d;"
                                          << "(= x (? (or a b) c d))";
    QTest::newRow("assignment chain") << "Short = Cover = 0;"
                                      << "(= Short (= Cover 0))";
    QTest::newRow("compound assignments")
        << "x[i] += 2; y -= 1; z *= 3; w /= 4; v %= 5; b &= 1; c |= 2;"
        << "(+= ([] x i) 2)\n(-= y 1)\n(*= z 3)\n(/= w 4)\n(%= v 5)\n(&= b 1)\n(|= c 2)";
    QTest::newRow("increments") << "i++; --j; k--; ++m[0];"
                                << "(post++ i)\n(-- j)\n(post-- k)\n(++ ([] m 0))";
    QTest::newRow("chained subscripts") << "m[r][c] = Buy[i - 1];"
                                        << "(= ([] ([] m r) c) ([] Buy (- i 1)))";
    QTest::newRow("nested calls") << "x = IIf(Cross(a, MA(C, 10)), 1, -1);"
                                  << "(= x (call IIf (call Cross a (call MA C 10)) 1 (- 1)))";
    QTest::newRow("assignment as an argument") << "_N(Title = \"t\");"
                                               << "(call _N (= Title \"t\"))";
    QTest::newRow("call without arguments") << "x = Name();"
                                            << "(= x (call Name))";
    QTest::newRow("objects") << "ab.Documents.Open(\"x\"); ab.Visible = 1;"
                             << "(call (. (. ab Documents) Open) \"x\")\n(= (. ab Visible) 1)";
    QTest::newRow("numbers") << "x = 10 + 1.5 + .5 + 1e-3 + 2E+2 + 1.;"
                             << "(= x (+ (+ (+ (+ (+ 10 1.5) 0.5) 0.001) 200) 1))";
    QTest::newRow("long whole numbers")
        << "x = 999999999 + 1000000000 + 123456789012345 + 0009;"
        << "(= x (+ (+ (+ 999999999 1000000000) 123456789012345) 9))";
    QTest::newRow("string escapes") << "s = \"a\\\"b\\\\c\\nd\\te\\q\";"
                                    << "(= s \"a\\\"b\\\\c\\nd\\te\\\\q\")";
    QTest::newRow("string closed on the next line")
        << "PopupWindow(\"a\r\nb.\", \"UWAGA!\", 10); x = \"c\";"
        << "(call PopupWindow \"a\\r\\nb.\" \"UWAGA!\" 10)\n(= x \"c\")";
    QTest::newRow("if else chain") << "if (a) x = 1; else if (b) x = 2; else x = 3;"
                                   << "(if a (= x 1) (elseif b (= x 2)) (else (= x 3)))";
    QTest::newRow("dangling else") << "if (a) if (b) x = 1; else x = 2;"
                                   << "(if a (if b (= x 1) (else (= x 2))))";
    QTest::newRow("assignment in a condition") << "if (x = 5) y = 1;"
                                               << "(if (= x 5) (= y 1))";
    QTest::newRow("for") << "for (i = 0; i < BarCount; i++) s += C[i];"
                         << "(for (= i 0) (< i BarCount) (post++ i) (+= s ([] C i)))";
    QTest::newRow("for without parts") << "for (;;) break;"
                                       << "(for _ _ _ (break))";
    QTest::newRow("while") << "while (x > 0) { x--; continue; }"
                           << "(while (> x 0) (block (post-- x) (continue)))";
    QTest::newRow("do while") << "do x++; while (x < 10);"
                              << "(do (post++ x) (< x 10))";
    QTest::newRow("switch") << "switch (m) { case 1: case \"a\": x = 1; break; default: x = 0; }"
                            << "(switch m (case 1) (case \"a\" (= x 1) (break)) (default (= x 0)))";
    QTest::newRow("function") << "function f(a, b) { local t; t = a + b; return t; }"
                              << "(function f (a b) (block (local t) (= t (+ a b)) (return t)))";
    QTest::newRow("procedure") << "procedure p() { global g; g = 1; return; }"
                               << "(procedure p () (block (global g) (= g 1) (return)))";
    QTest::newRow("declarations with values") << "local a = 1, b; global c = a;"
                                              << "(local (= a 1) b)\n(global (= c a))";
    QTest::newRow("static declaration") << "static counter;"
                                        << "(static counter)";
    QTest::newRow("static as a variable") << "static = 1;"
                                          << "(= static 1)";
    QTest::newRow("directives")
        << "#include \"C:\\AFL\\x.afl\"\n#include_once <y.afl>\n#pragma nocache // c\nx = 1;"
        << "(#include \"C:\\AFL\\x.afl\")\n(#include_once <y.afl>)\n(#pragma \"nocache\")\n(= x 1)";
    QTest::newRow("include of the last formula") << "#include @LastBacktestFormula"
                                                 << "(#include \"@LastBacktestFormula\")";
    QTest::newRow("keywords in any case") << "IF (a) X = 1; ELSE Y = 2;"
                                          << "(if a (= X 1) (else (= Y 2)))";
    QTest::newRow("empty statement and block") << ";{}"
                                               << "(empty)\n(block)";
    QTest::newRow("comments between tokens") << "x /* a */ = // b\n 1;"
                                             << "(= x 1)";
    QTest::newRow("letters beyond ASCII") << "średnia = Close;"
                                          << "(= średnia Close)";
}

void TestParser::trees()
{
    QFETCH(QString, source);
    QFETCH(QString, tree);
    const SyntaxTree parsed = SyntaxTree::parse(source);
    QCOMPARE(diagnosticsOf(parsed), QString());
    QCOMPARE(Dump(parsed), tree + u'\n');
}

void TestParser::errors_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("diagnostics");

    // A missing semicolon is reported at the end of the token before it.
    QTest::newRow("missing semicolon at the line end") << "x = 1\ny = 2;"
                                                       << "1:6 brak średnika";
    QTest::newRow("missing semicolon before a brace") << "if (a) { x = 1 }"
                                                      << "1:15 brak średnika";
    QTest::newRow("missing semicolon at the end") << "x = 1"
                                                  << "1:6 brak średnika";
    // An unclosed bracket is reported at the opening one.
    QTest::newRow("unclosed call") << "Plot(C, \"a\", colorRed;"
                                   << "1:5 niedomknięty nawias";
    QTest::newRow("unclosed call across lines") << "Buy = Cross(a,\n b\nSell = 1;"
                                                << "1:12 niedomknięty nawias";
    QTest::newRow("unclosed subscript") << "x = C[i;"
                                        << "1:6 niedomknięty nawias";
    QTest::newRow("unclosed condition") << "if (a > b { x = 1; }"
                                        << "1:4 niedomknięty nawias";
    QTest::newRow("unclosed brace") << "if (a) {\n x = 1;\n"
                                    << "1:8 niedomknięty nawias klamrowy";
    QTest::newRow("closing brace lost inside a function")
        << "function f(n)\n{\n    for (i = 0; i < n; i++)\n    {\n        s = i;\n\n    return "
           "s;\n}\n"
        << "4:5 niedomknięty nawias klamrowy";
    QTest::newRow("opening brace lost inside a function")
        << "function f(n)\n{\n    for (i = 0; i < n; i++)\n        s = i;\n    }\n    return "
           "s;\n}\n"
        << "5:5 nieoczekiwany nawias zamykający";
    QTest::newRow("stray closing bracket") << "x = f(a));"
                                           << "1:9 nieoczekiwany nawias zamykający";
    QTest::newRow("stray closing brace") << "x = 1; }"
                                         << "1:8 nieoczekiwany nawias zamykający";
    QTest::newRow("unclosed comment") << "x = 1; /* note\n y = 2;"
                                      << "1:8 niedomknięty komentarz";
    QTest::newRow("unclosed string") << "s = \"abc;\nx = 1;"
                                     << "1:5 niedomknięty łańcuch znaków";
    QTest::newRow("unclosed string, two quotes on the next line")
        << "s = \"abc;\nx = \"d\";"
        << "1:5 niedomknięty łańcuch znaków";
    QTest::newRow("unexpected character") << "x = 1 $ 2;"
                                          << "1:7 nieoczekiwany znak";
    QTest::newRow("bad number") << "x = 10abc;"
                                << "1:5 niepoprawna liczba";
    QTest::newRow("missing operand") << "x = ;"
                                     << "1:5 brak wyrażenia";
    QTest::newRow("missing operand at the line end") << "x = 1 +\n;"
                                                     << "1:8 brak wyrażenia";
    QTest::newRow("unexpected operator") << "x = * 2;"
                                         << "1:5 nieoczekiwany symbol";
    QTest::newRow("assignment to a call") << "f(x) = 1;"
                                          << "1:6 niepoprawne przypisanie";
    QTest::newRow("increment of a number") << "5++;"
                                           << "1:2 niepoprawne przypisanie";
    QTest::newRow("if without bracket") << "if a > b) x = 1;"
                                        << "1:4 brak nawiasu otwierającego";
    QTest::newRow("function without name") << "function (a) { }"
                                           << "1:10 brak nazwy";
    QTest::newRow("function without braces") << "function f(a)\n return a;\n}"
                                             << "2:2 brak nawiasu klamrowego";
    QTest::newRow("case without colon") << "switch (x) { case 1 x = 2; }"
                                        << "1:20 brak dwukropka";
    QTest::newRow("conditional without colon") << "x = a ? b;"
                                               << "1:10 brak dwukropka";
    QTest::newRow("do without while") << "do x++; y = 1;"
                                      << "1:9 brak słowa while";
    QTest::newRow("else alone") << "else x = 1;"
                                << "1:1 nieoczekiwany symbol";
    QTest::newRow("unknown directive") << "#define X 1\nx = 1;"
                                       << "1:1 nieznana dyrektywa";
    QTest::newRow("include without file") << "#include\nx = 1;"
                                          << "1:1 brak nazwy pliku";
    QTest::newRow("include with an unclosed quote") << "#include \"a.afl\nx = 1;"
                                                    << "1:10 niedomknięty łańcuch znaków";
    QTest::newRow("one error a statement") << "x = f(a b c);"
                                           << "1:6 niedomknięty nawias";
    QTest::newRow("recovery at the next statement") << "x = ;\ny = 1 2;\nz = 3;"
                                                    << "1:5 brak wyrażenia; 2:6 brak średnika";
    QTest::newRow("columns after CR LF") << "x = 1;\r\ny = ;"
                                         << "2:5 brak wyrażenia";
}

void TestParser::errors()
{
    QFETCH(QString, source);
    QFETCH(QString, diagnostics);
    QCOMPARE(diagnosticsOf(SyntaxTree::parse(source)), diagnostics);
}

void TestParser::corpus_data()
{
    QTest::addColumn<QString>("path");
    const QStringList scripts = QDir(corpusDir()).entryList({QStringLiteral("*.afl")}, QDir::Files);
    QVERIFY(scripts.size() >= 6);
    for (const QString& name : scripts)
        QTest::newRow(qPrintable(name)) << QDir(corpusDir()).filePath(name);
}

// Each script of the corpus parses without a diagnostic, and its tree is the reviewed one
// in NAME.afl.tree (a difference is written to NAME.afl.tree.new for scripts/promote-golden).
void TestParser::corpus()
{
    QFETCH(QString, path);
    const SyntaxTree tree = SyntaxTree::parse(readScript(path));
    QCOMPARE(diagnosticsOf(tree), QString());
    const QString dump = Dump(tree);
    QFile golden(path + QStringLiteral(".tree"));
    const QString expected =
        golden.open(QIODevice::ReadOnly) ? QString::fromUtf8(golden.readAll()) : QString();
    if (dump != expected) {
        QFile candidate(golden.fileName() + QStringLiteral(".new"));
        QVERIFY(candidate.open(QIODevice::WriteOnly));
        candidate.write(dump.toUtf8());
    }
    QCOMPARE(dump, expected);
}

void TestParser::otherScriptsParseClean_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("demo.afl") << QStringLiteral(ORVANTA_SOURCE_DIR "/examples/demo.afl");
    // The colouring fixtures comments.afl and identifiers.afl are left out: they hold broken
    // code on purpose (a stray "*/", a word after the last statement, "x#include y").
    const QSet<QString> fixtures{QStringLiteral("comments.afl"), QStringLiteral("identifiers.afl")};
    QDirIterator it(QStringLiteral(ORVANTA_TEST_DATA), {QStringLiteral("*.afl")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (!path.contains(QLatin1String("/syntax/")) && !fixtures.contains(it.fileName()))
            QTest::newRow(
                qPrintable(QDir(QStringLiteral(ORVANTA_TEST_DATA)).relativeFilePath(path)))
                << path;
    }
}

void TestParser::otherScriptsParseClean()
{
    QFETCH(QString, path);
    const QString text = readScript(path);
    QVERIFY(!text.isEmpty());
    QCOMPARE(diagnosticsOf(SyntaxTree::parse(text)), QString());
}

void TestParser::mutations_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("mutant");
    QTest::addColumn<QList<int>>("lines");

    // The rule for the line a mutant must be reported at (the first diagnostic's line):
    // - a deleted ")", "]" or "}": the line of its opening bracket, which is left unclosed;
    // - a deleted "(", "[" or quote: the line of the deletion;
    // - a deleted "{": the line of the deletion, or of its closing brace, which is left
    //   without an opening one; a brace alone on its line leaves the line empty, and then
    //   the next line with code counts as the line of the deletion;
    // - a statement on one line cut after an operand up to its semicolon (followed by a name,
    //   a keyword or a closing brace): the statement's line.
    std::mt19937 random(20261209);
    const QStringList scripts = QDir(corpusDir()).entryList({QStringLiteral("*.afl")}, QDir::Files);
    for (const QString& name : scripts) {
        const QString text = readScript(QDir(corpusDir()).filePath(name));
        const SyntaxTree tree = SyntaxTree::parse(text);
        const QHash<int, int> partner = bracketPartners(tree);
        auto lineOf = [&](int offset) { return tree.position(offset).line; };
        auto nextCodeLine = [&](int offset) {
            int line = lineOf(offset);
            for (int i = offset; i < text.size(); ++i) {
                if (!text.at(i).isSpace() && tree.characterKind(i) == TextKind::Code)
                    return lineOf(i);
            }
            return line;
        };
        auto add = [&](const QString& what, int offset, int length, QList<int> lines) {
            QString mutant = text;
            mutant.remove(offset, length);
            QTest::addRow("%s: %s at line %d", qPrintable(name), qPrintable(what), lineOf(offset))
                << text << mutant << lines;
        };
        auto pick = [&](QList<int> candidates, int count) {
            std::shuffle(candidates.begin(), candidates.end(), random);
            return candidates.mid(0, count);
        };

        // Brackets and braces.
        for (const QChar bracket : QStringLiteral("()[]{}")) {
            QList<int> candidates;
            for (int i = 0; i < text.size(); ++i) {
                if (text.at(i) == bracket && tree.characterKind(i) == TextKind::Code &&
                    partner.contains(i))
                    candidates.append(i);
            }
            for (int offset : pick(candidates, 4)) {
                QList<int> lines;
                if (bracket == u')' || bracket == u']' || bracket == u'}') {
                    lines = {lineOf(partner.value(offset))};
                } else if (bracket == u'{') {
                    lines = {lineOf(offset), nextCodeLine(offset + 1),
                             lineOf(partner.value(offset))};
                } else {
                    lines = {lineOf(offset)};
                }
                add(QStringLiteral("delete '%1'").arg(bracket), offset, 1, lines);
            }
        }
        // Quotes of string literals (not the paths of #include).
        QList<int> quotes;
        for (const SourceRange& s : tree.strings()) {
            const std::vector<const Node*> around = NodesAround(tree, s.begin + 1);
            if (!around.empty() && around.front()->kind == NodeKind::Directive)
                continue;
            quotes << s.begin << s.end - 1;
        }
        for (int offset : pick(quotes, 6))
            add(QStringLiteral("delete quote"), offset, 1, {lineOf(offset)});
        // Statements cut after an operand.
        QList<QPair<int, int>> cuts;
        Lexer lexer(text);
        QList<Token> tokens;
        for (Token t = lexer.next(); t.kind != TokenKind::End; t = lexer.next())
            tokens.append(t);
        tokens.append(lexer.next());
        Walk(tree, [&](const Node& node, ParentChain) {
            if (node.kind != NodeKind::ExpressionStatement ||
                lineOf(node.range.begin) != lineOf(node.range.end - 1) ||
                text.at(node.range.end - 1) != u';')
                return true;
            int next = 0;
            while (tokens[next].offset < node.range.end)
                ++next;
            const TokenKind after = tokens[next].kind;
            if (after != TokenKind::Identifier && after != TokenKind::RightBrace &&
                after != TokenKind::End && (after < TokenKind::If || after > TokenKind::Global))
                return true;
            for (const Token& t : tokens) {
                if (t.offset < node.range.begin || t.end() >= node.range.end)
                    continue;
                if (t.kind == TokenKind::Identifier || t.kind == TokenKind::Number ||
                    t.kind == TokenKind::String || t.kind == TokenKind::RightParen ||
                    t.kind == TokenKind::RightBracket)
                    cuts.append({t.end(), node.range.end});
            }
            return true;
        });
        std::shuffle(cuts.begin(), cuts.end(), random);
        for (const auto& [from, to] : cuts.mid(0, 6))
            add(QStringLiteral("cut statement"), from, to - from, {lineOf(from)});
    }
}

void TestParser::mutations()
{
    QFETCH(QString, source);
    QFETCH(QString, mutant);
    QFETCH(QList<int>, lines);
    const SyntaxTree tree = SyntaxTree::parse(mutant);
    QVERIFY2(tree.hasErrors(), "the mutant parsed clean");
    const Diagnostic& first = tree.diagnostics().first();
    QVERIFY2(lines.contains(first.line),
             qPrintable(QStringLiteral("reported at %1:%2 (%3), expected line %4")
                            .arg(first.line)
                            .arg(first.column)
                            .arg(first.message)
                            .arg(QString::number(lines.first()))));
}

void TestParser::limits_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<bool>("tooDeep");

    QTest::newRow("brackets") << QString(100000, u'(') << true;
    QTest::newRow("blocks") << QString(100000, u'{') << true;
    QTest::newRow("unary minus") << QStringLiteral("x = ") + QString(100000, u'-') + u'1' << true;
    QTest::newRow("increments") << QStringLiteral("x = ") + QString(100000, u'+') + u'i' << true;
    QTest::newRow("assignments") << QStringLiteral("a = ").repeated(100000) + u'1' << true;
    QTest::newRow("sum") << QStringLiteral("x = a") + QStringLiteral(" + a").repeated(100000) + u';'
                         << true;
    QTest::newRow("subscripts") << QStringLiteral("x = a") +
                                       QStringLiteral("[0]").repeated(100000) + u';'
                                << true;
    QTest::newRow("if inside if") << QStringLiteral("if (a) ").repeated(100000) +
                                         QStringLiteral("x;")
                                  << true;
    // Within the limits: no diagnostic.
    QTest::newRow("400 brackets") << QStringLiteral("x = ") + QString(400, u'(') + u'1' +
                                         QString(400, u')') + u';'
                                  << false;
    QTest::newRow("long else-if chain")
        << QStringLiteral("if (a == 0) x = 0;") +
               QStringLiteral(" else if (a == 1) x = 1;").repeated(20000)
        << false;
}

void TestParser::limits()
{
    QFETCH(QString, source);
    QFETCH(bool, tooDeep);
    const SyntaxTree tree = SyntaxTree::parse(source);
    QVERIFY(tree.diagnostics().size() <= MaxDiagnostics);
    bool reported = false;
    for (const Diagnostic& d : tree.diagnostics())
        reported = reported || d.kind == DiagnosticKind::TooDeep;
    QCOMPARE(reported, tooDeep);
    if (!tooDeep)
        QCOMPARE(diagnosticsOf(tree), QString());
    int highest = 0;
    Walk(tree, [&](const Node&, ParentChain parents) {
        highest = std::max(highest, int(parents.size()) + 1);
        return true;
    });
    QVERIFY(highest <= MaxDepth);
}

void TestParser::atMostTwentyErrors()
{
    const SyntaxTree tree = SyntaxTree::parse(QStringLiteral("x = ;\n").repeated(100));
    QCOMPARE(tree.diagnostics().size(), MaxDiagnostics);
    QCOMPARE(tree.diagnostics().last().line, MaxDiagnostics);
}

void TestParser::textWithoutNull_data()
{
    // The text is the start of a longer one, whose next characters would go on with the last
    // token if the lexer read past the end.
    QTest::addColumn<QString>("whole");
    QTest::addColumn<int>("length");
    QTest::newRow("number") << "x = 12345;" << 6;
    QTest::newRow("name") << "x = abcdef;" << 6;
    QTest::newRow("operator") << "x == 1;" << 3;
    QTest::newRow("blank") << "x = 1;   y;" << 7;
    QTest::newRow("CR before LF") << "x = 1;\r\ny = 2;" << 7;
    QTest::newRow("comment") << "x = 1; // one\ny = 2;" << 13;
    QTest::newRow("string") << "s = \"ab\";" << 7;
    QTest::newRow("empty") << "x;" << 0;
}

void TestParser::textWithoutNull()
{
    QFETCH(QString, whole);
    QFETCH(int, length);
    const QString copy = whole.left(length);
    const SyntaxTree raw = SyntaxTree::parse(QString::fromRawData(whole.constData(), length));
    const SyntaxTree own = SyntaxTree::parse(copy);
    QCOMPARE(raw.text(), copy);
    QCOMPARE(Dump(raw), Dump(own));
    QCOMPARE(diagnosticsOf(raw), diagnosticsOf(own));
    QCOMPARE(raw.lines().lineCount(), own.lines().lineCount());
}

QTEST_GUILESS_MAIN(TestParser)
#include "tst_parser.moc"
