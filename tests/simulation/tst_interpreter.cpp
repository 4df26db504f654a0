// The interpreter on small scripts: scoping, loops, switch, subscripts, includes, and the
// errors that stop a run, each with its line.

#include "SimTestSupport.h"
#include "simulation/Environment.h"
#include "simulation/Interpreter.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// Files an #include may name, read against the folder "/f".
std::optional<QString> ReadInclude(const QString& path)
{
    static const QHash<QString, QString> files = {
        {u"/f/lib/twice.afl"_s, u"function twice(x) { return 2 * x; }"_s},
        {u"/f/count.afl"_s, u"counter++;"_s},
        {u"/f/bad.afl"_s, u"\n\nx = Unknown(1);"_s},
        {u"/f/self.afl"_s, u"#include \"self.afl\""_s},
    };
    const auto it = files.constFind(path);
    return it == files.cend() ? std::nullopt : std::optional<QString>(*it);
}

// The value of r after one run over the twelve bars of two-sessions.csv, "error: " and the
// failure, or "not run: " and the first diagnostic.
QString Outcome(const QString& script)
{
    const Sim::Program program = Sim::Program::Load({script, u"/f"_s, ReadInclude});
    if (!program.ok())
        return u"not run: "_s + program.diagnostics().first().text();
    Sim::Environment env;
    env.setQuotes(Sim::ReadQuotes(SimTest::ReadTestFile(QStringLiteral(
                                      ORVANTA_TEST_DATA "/simulation/two-sessions.csv")))
                      .quotes);
    env.beginRun(12);
    Sim::Interpreter interpreter(program, env);
    interpreter.setStepLimit(100000);
    if (const std::optional<Sim::RunFailure> failure = interpreter.run())
        return u"error: "_s + failure->text();
    return SimTest::Show(env.variable(u"r"_s));
}

} // namespace

class TestInterpreter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cases_data();
    void cases();
    void deepScriptsStopCleanly_data();
    void deepScriptsStopCleanly();
};

void TestInterpreter::cases_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("expected");
    auto row = [](const char* name, const char* script, const char* expected) {
        QTest::newRow(name) << QString::fromUtf8(script) << QString::fromUtf8(expected);
    };

    // Scope: a name is global in a function when it appeared outside every function first.
    row("global seen before the function", "k = 4; function f(x) { return x * k; } r = f(2);", "8");
    row("first used inside: local", "function f() { z = 3; return z; } z = 5; r = f() * 10 + z;",
        "35");
    row("global written inside", "n = 0; function inc() { n = n + 1; } inc(); inc(); r = n;", "2");
    row("local hides global", "z = 5; function f() { local z; z = 1; return z; } t = f(); r = z;",
        "5");
    row("global declaration", "function f() { global g; g = 7; } f(); r = g;", "7");
    row("global appearing after the function is local in it",
        "function f() { return q; }\nq = 3;\nr = f();",
        "error: wiersz 1: zmienna q użyta przed nadaniem jej wartości");
    row("predefined arrays are global", "function f() { return C[1]; } r = f();", "11.5");
    row("name read as the generated isNewBar reads svPrevTime",
        "sv = \"t\"; StaticVarSet(sv, 5);\n"
        "function g() { local a; a = StaticVarGet(sv); return a; } r = g();",
        "5");
    row("arguments by value", "x = C; function f(a) { a[0] = 99; return a[0]; } r = f(x) + x[0];",
        "109.5");
    row("procedure", "procedure p(a) { global s; s = a * 2; } p(4); r = s;", "8");
    row("procedure has no value", "procedure p() { }\nr = p();",
        "error: wiersz 2: funkcja p nie zwraca wartości");
    row("return from a loop",
        "function f() { for (i = 0; i < 9; i++) if (i == 3) return i; } r = f();", "3");

    // Statements.
    row("for, break, continue",
        "r = 0; for (i = 0; i < 10; i++) { if (i == 2) continue; if (i == 5) break; r += i; }",
        "8");
    row("nested loops break the inner",
        "r = 0; for (i = 0; i < 3; i++) for (j = 0; j < 3; j++) { if (j == 1) break; r++; }", "3");
    row("while", "r = 0; i = 0; while (i < 4) { r = r + i; i++; }", "6");
    row("do runs once", "r = 0; do r += 10; while (0);", "10");
    row("switch falls through",
        "r = 0; switch (2) { case 1: r = 1; break; case 2: r = 2; case 3: r += 10; break; "
        "default: r = 99; }",
        "12");
    row("switch default", "switch (7) { case 1: r = 1; break; default: r = 5; }", "5");
    row("switch on text", "switch (\"b\") { case \"a\": r = 1; break; case \"b\": r = 2; }", "2");
    row("continue inside switch",
        "r = 0; for (i = 0; i < 3; i++) { switch (i) { case 1: continue; } r += 1; }", "2");
    row("conditional", "r = 1 > 2 ? 10 : 20;", "20");
    row("else if chain", "x = 2; if (x == 1) r = 1; else if (x == 2) r = 2; else r = 3;", "2");
    row("pragma ignored", "#pragma nocache\nr = 1;", "1");

    // Values, subscripts, ++ and --.
    row("element of a new variable", "r[2] = 5;", "[N N 5 N N N N N N N N N]");
    row("copies are separate", "x = C; x[0] = 1; r = C[0];", "10.5");
    row("compound element", "x = C; x[1] += 5; r = x[1];", "16.5");
    row("element increment", "x = C; x[0]++; r = x[0];", "11.5");
    row("post increment", "x = 5; r = x++ * 10 + x;", "56");
    row("pre decrement", "x = 5; r = --x;", "4");
    row("text joins", "r = \"MA(\" + 10 + \")\";", "'MA(10)'");
    row("loop over the bars", "r = 0; for (i = 1; i < BarCount; i++) if (C[i] > C[i - 1]) r++;",
        "7");

    // #include, read against the script's folder.
    row("include", "#include \"lib\\twice.afl\"\nr = twice(4);", "8");
    row("include_once after include",
        "counter = 0;\n#include \"count.afl\"\n"
        "#include_once \"count.afl\"\nr = counter;",
        "1");
    row("include twice",
        "counter = 0;\n#include \"count.afl\"\n#include \"count.afl\"\nr = counter;", "2");
    row("error in an included file", "#include \"bad.afl\"",
        "error: plik „bad.afl”, wiersz 3: nieznana funkcja Unknown");
    row("missing include", "r = 1;\n#include \"none.afl\"",
        "not run: wiersz 2, znak 1: brak pliku „none.afl” dołączanego dyrektywą #include");
    row("include cycle", "#include \"self.afl\"",
        "not run: plik „self.afl”, wiersz 1, znak 1: plik „self.afl” dołącza sam siebie");
    row("syntax error", "r = (1;", "not run: wiersz 1, znak 5: niedomknięty nawias");

    // Errors stop the run, with the line of the failing node.
    row("unknown function", "a = 1;\nb = Foo(a);", "error: wiersz 2: nieznana funkcja Foo");
    row("error inside a function", "function f() {\n  return Bar(1);\n}\nr = f();",
        "error: wiersz 2: nieznana funkcja Bar");
    row("array condition", "r = 0;\nif (C > 10) r = 1;",
        "error: wiersz 2: warunek musi być liczbą, a jest tablicą");
    row("array in ?:", "r = C > 10 ? 1 : 0;",
        "error: wiersz 1: warunek musi być liczbą, a jest tablicą");
    row("built-in argument count", "r = MA(C);",
        "error: wiersz 1: funkcja MA przyjmuje 2 argumenty, podano 1");
    row("user argument count", "function f(a, b) { return a; }\nr = f(1);",
        "error: wiersz 2: funkcja f przyjmuje 2 argumenty, podano 1");
    row("wrong type", "x = \"a\" - 1;", "error: wiersz 1: operator - nie działa na tekście");
    row("uninitialised", "Buy = C > O;\nSell = Cover;",
        "error: wiersz 2: zmienna Cover użyta przed nadaniem jej wartości");
    row("function without parentheses", "r = BarIndex;",
        "error: wiersz 1: BarIndex to funkcja: jej wywołanie wymaga nawiasów, np. BarIndex()");
    row("call before definition", "r = f(1);\nfunction f(a) { return a; }",
        "error: wiersz 1: funkcja f użyta przed swoją definicją");
    row("subscript out of range", "r = C[12];", "error: wiersz 1: indeks 12 poza zakresem 0–11");
    row("array into an element", "x = C;\nx[0] = C;",
        "error: wiersz 2: element tablicy musi być liczbą, a przypisywana wartość jest tablicą");
    row("endless recursion", "function f(n) { return f(n + 1); }\nr = f(0);",
        "error: wiersz 1: przekroczono limit 100 zagnieżdżonych wywołań funkcji (rekurencja bez "
        "końca?)");
    row("endless loop", "i = 0;\nwhile (1) { i++; }",
        "error: wiersz 2: przekroczono limit 100000 kroków jednego przebiegu skryptu (pętla bez "
        "końca?)");
    row("break outside a loop", "x = 1;\nbreak;",
        "error: wiersz 2: instrukcja break poza pętlą i instrukcją switch");
    row("return outside a function", "return 1;",
        "error: wiersz 1: instrukcja return poza funkcją");
    row("static declaration", "static x;",
        "error: wiersz 1: deklaracja static nie jest obsługiwana w symulacji; użyj StaticVarGet "
        "i StaticVarSet");
    row("unknown plug-in function", "voxCancel(\"\");",
        "error: wiersz 1: nieznana funkcja voxCancel");
}

void TestInterpreter::cases()
{
    QFETCH(QString, script);
    QFETCH(QString, expected);
    QCOMPARE(Outcome(script), expected);
}

void TestInterpreter::deepScriptsStopCleanly_data()
{
    // Recursion through bodies as deep as the parser allows: the nesting limit stops it with
    // the call-depth message long before the stack runs out.
    QTest::addColumn<QString>("script");
    const int depth = 200;
    QTest::newRow("deep expression") << u"function f(n) { return "_s + u"(1 + "_s.repeated(depth) +
                                            u"f(n + 1)"_s + u")"_s.repeated(depth) +
                                            u"; }\nr = f(0);"_s;
    QTest::newRow("deep blocks") << u"function f(n) { "_s + u"if (1) { "_s.repeated(depth * 3 / 4) +
                                        u"r = f(n + 1); "_s + u"} "_s.repeated(depth * 3 / 4) +
                                        u"return 1; }\nr = f(0);"_s;
}

void TestInterpreter::deepScriptsStopCleanly()
{
    QFETCH(QString, script);
    QVERIFY(Sim::Program::Load({script, QString(), {}}).ok());
    QVERIFY2(Outcome(script).contains(u"przekroczono limit 100 zagnieżdżonych wywołań"_s),
             qPrintable(Outcome(script).left(200)));
}

QTEST_GUILESS_MAIN(TestInterpreter)
#include "tst_interpreter.moc"
