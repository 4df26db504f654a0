// Tests of the colouring: golden files, edge cases, and the one-pass identifier colouring
// against the name-by-name reference.

#include "../support/Golden.h"
#include "../support/StyledText.h"
#include "analysis/AnalysisContext.h"
#include "analysis/Catalogue.h"
#include "analysis/Highlighter.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace Lex;

Q_DECLARE_METATYPE(Lex::Kind)

namespace {

const QString DataDir = QStringLiteral(ORVANTA_TEST_DATA "/analysis");

// Every whole-word occurrence of word whose first character is not in a comment takes kind.
void referenceWord(ScriptView& view, QStringView word, Kind kind)
{
    const int n = view.length();
    const int len = int(word.size());
    for (int p = view.findWord(word, 0, n); p >= 0; p = view.findWord(word, p + len, n - p - len)) {
        if (view.kindAt(p) != Kind::Comment)
            view.setRangeKind(p, len, kind);
    }
}

// The colouring as the name-by-name passes define it: every catalogue line in order, then
// every current reserved value, each searched through the whole text.
void referenceHighlight(ScriptView& view, const QList<ReservedName>& reserved)
{
    HighlightComments(view);
    HighlightStrings(view);
    for (const QString& line : FunctionCatalogueLines()) {
        const QString name = CatalogueName(line);
        if (name.isEmpty())
            continue;
        if (line.contains(u"vox$"))
            referenceWord(view, name, Kind::Plugin);
        else if (line.contains(u"lang#"))
            referenceWord(view, name, Kind::Language);
        else
            referenceWord(view, name, Kind::Catalogue);
    }
    for (const ReservedName& pair : reserved)
        referenceWord(view, pair.value, Kind::Reserved);
}

QString readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

bool sameKinds(const ScriptView& a, const ScriptView& b)
{
    if (a.text() != b.text())
        return false;
    for (int i = 0; i < a.length(); ++i) {
        if (a.kindAt(i) != b.kindAt(i))
            return false;
    }
    return true;
}

QStringList scriptFiles()
{
    return QDir(DataDir).entryList({QStringLiteral("*.afl")}, QDir::Files, QDir::Name);
}

} // namespace

class TestHighlighter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void golden_data();
    void golden();
    void fastMatchesReference_data();
    void fastMatchesReference();
    void classes_data();
    void classes();
    void onlyFirstBlockWithoutLineBreak();
    void recolouringAfterChange();
};

void TestHighlighter::golden_data()
{
    QTest::addColumn<QString>("name");
    for (const QString& name : scriptFiles())
        QTest::newRow(qPrintable(name)) << name;
    QVERIFY(!scriptFiles().isEmpty());
}

void TestHighlighter::golden()
{
    QFETCH(QString, name);
    AnalysisContext context;
    context.ResetReservedNames(true);
    ScriptView view;
    view.setText(readFile(DataDir + u'/' + name));
    HighlightScript(view, context.reservedNames());
    const QString actual = TestSupport::StyledText(view);
    QCOMPARE(actual,
             TestSupport::Golden(DataDir + u'/' + name + QStringLiteral(".styled"), actual));
}

void TestHighlighter::fastMatchesReference_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("reservedFrom");
    const QString resolveFrom = QStringLiteral("symbol newBar cena_plug cena idBuy");
    for (const QString& name : scriptFiles()) {
        const QString text = readFile(DataDir + u'/' + name);
        QTest::newRow(qPrintable(name + QStringLiteral(" plain"))) << text << QString();
        QTest::newRow(qPrintable(name + QStringLiteral(" resolved"))) << text << resolveFrom;
    }
    QTest::newRow("hash names")
        << "#include #INCLUDE_once ##include a#include #include_onceX # include (#pragma)"
        << QString();
    QTest::newRow("hash in comment and string")
        << "// #include\r\n\"#include\" #include" << QString();
    QTest::newRow("suffixed names")
        << "symbol_plug symbol newBar_plug cena_plug_plug idBuy_plug" << resolveFrom;
    QTest::newRow("duplicates") << "graphNbarcolor GRAPHNBARCOLOR graphNbarcolor_x" << QString();
    QTest::newRow("accented neighbours") << "ąClose Closeą Close_ _Close Close" << QString();
    QTest::newRow("empty") << "" << QString();
    QTest::newRow("long-s folds") << "ſymbol Cloſe" << resolveFrom;
}

void TestHighlighter::fastMatchesReference()
{
    QFETCH(QString, text);
    QFETCH(QString, reservedFrom);
    for (int variant = 0; variant < 2; ++variant) {
        AnalysisContext context;
        if (!reservedFrom.isEmpty()) {
            ScriptView source;
            source.setText(reservedFrom);
            context.ResolveReservedNames(source);
        } else if (variant == 1) {
            context.ResetReservedNames(true);
        }
        ScriptView fast;
        fast.setText(text);
        HighlightScript(fast, context.reservedNames());
        ScriptView reference;
        reference.setText(text);
        referenceHighlight(reference, context.reservedNames());
        QVERIFY2(sameKinds(fast, reference),
                 qPrintable(TestSupport::StyledText(fast) + QStringLiteral("\n---\n") +
                            TestSupport::StyledText(reference)));
    }
}

void TestHighlighter::classes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("probe");
    QTest::addColumn<int>("occurrence");
    QTest::addColumn<Kind>("kind");
    QTest::newRow("word after //") << "x = 1; // Buy = 2"
                                   << "Buy" << 1 << Kind::Comment;
    QTest::newRow("language word") << "Buy = 1;"
                                   << "Buy" << 1 << Kind::Language;
    QTest::newRow("url in string: literal") << "s = \"http://a.b\" + Close;"
                                            << "\"" << 2 << Kind::String;
    QTest::newRow("url in string: after") << "s = \"http://a.b\" + Close;"
                                          << "Close" << 1 << Kind::Comment;
    QTest::newRow("quote in comment shifts pairs") << "// it\"s\r\na = \"x\" + \"y\";"
                                                   << "+" << 1 << Kind::String;
    QTest::newRow("word in string") << "t = \"Close\";"
                                    << "Close" << 1 << Kind::Language;
    QTest::newRow("Cross") << "Cross(a, b) + cross(c, d)"
                           << "Cross" << 1 << Kind::Catalogue;
    QTest::newRow("cross") << "Cross(a, b) + cross(c, d)"
                           << "cross" << 1 << Kind::Catalogue;
    QTest::newRow("plug-in") << "voxBuy(1);"
                             << "voxBuy" << 1 << Kind::Plugin;
    QTest::newRow("reserved") << "symbol = 1;"
                              << "symbol" << 1 << Kind::Reserved;
    QTest::newRow("opener in line comment") << "// x /* y\r\nz = 1; */ w"
                                            << "z" << 1 << Kind::Comment;
    QTest::newRow("opener in string") << "s = \"/*\"; Close */ w"
                                      << "Close" << 1 << Kind::Comment;
    QTest::newRow("stray close stays code") << "a */ Close /* b */"
                                            << "Close" << 1 << Kind::Language;
    QTest::newRow("stray close, block after it") << "a */ x /* b */ Close"
                                                 << "b" << 1 << Kind::Comment;
    QTest::newRow("unclosed block") << "/* a\r\n\r\nClose"
                                    << "Close" << 1 << Kind::Comment;
    QTest::newRow("line comment keeps line break") << "// a\r\nClose"
                                                   << "\r" << 1 << Kind::Plain;
    QTest::newRow("unpaired quote") << "a = \"x\" + \"y"
                                    << "y" << 1 << Kind::Plain;
    QTest::newRow("second line comment of a block line") << "/* a // b */ c // d"
                                                         << "d" << 1 << Kind::Plain;
}

void TestHighlighter::classes()
{
    QFETCH(QString, text);
    QFETCH(QString, probe);
    QFETCH(int, occurrence);
    QFETCH(Kind, kind);
    AnalysisContext context;
    context.ResetReservedNames(true);
    ScriptView view;
    view.setText(text);
    HighlightScript(view, context.reservedNames());
    qsizetype at = -1;
    for (int i = 0; i < occurrence; ++i)
        at = view.text().indexOf(probe, at + 1);
    QVERIFY(at >= 0);
    QCOMPARE(view.kindAt(int(at)), kind);
}

void TestHighlighter::onlyFirstBlockWithoutLineBreak()
{
    AnalysisContext context;
    ScriptView view;
    view.setText(QStringLiteral("/* a */ x /* b */ y /* c */"));
    HighlightScript(view, context.reservedNames());
    QCOMPARE(view.kindAt(view.text().indexOf(u'a')), Kind::Comment);
    QCOMPARE(view.kindAt(view.text().indexOf(u'b')), Kind::Plain);
    QCOMPARE(view.kindAt(view.text().indexOf(u'c')), Kind::Language);
}

void TestHighlighter::recolouringAfterChange()
{
    AnalysisContext context;
    ScriptView view;
    view.setText(QStringLiteral("// Close\r\nClose"));
    HighlightScript(view, context.reservedNames());
    view.setText(QStringLiteral("Close\r\n// Close"));
    QCOMPARE(view.kindAt(0), Kind::Plain);
    HighlightScript(view, context.reservedNames());
    QCOMPARE(view.kindAt(0), Kind::Language);
    QCOMPARE(view.kindAt(view.length() - 1), Kind::Comment);
}

QTEST_GUILESS_MAIN(TestHighlighter)
#include "tst_highlighter.moc"
