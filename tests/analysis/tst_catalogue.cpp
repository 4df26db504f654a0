// Tests of the catalogue resource, its derived lists, the reserved names and the call tally.

#include "analysis/AnalysisContext.h"
#include "analysis/Catalogue.h"
#include "analysis/ScriptView.h"

#include <QTest>

using namespace Lex;

class TestCatalogue : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void countsPerTag_data();
    void countsPerTag();
    void layout();
    void derivedLists();
    void buildersRunOnce();
    void reservedNames_data();
    void reservedNames();
    void resetWithoutRefill();
    void tally();
};

void TestCatalogue::countsPerTag_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<int>("count");
    QTest::newRow("ok") << "ok" << 290;
    QTest::newRow("lang#") << "lang#" << 138;
    QTest::newRow("vox$") << "vox$" << 19;
    QTest::newRow("remove-") << "remove-" << 4;
    QTest::newRow("warning?") << "warning?" << 6;
    QTest::newRow("gfx") << "gfx" << 23;
    QTest::newRow("param") << "param" << 10;
    QTest::newRow("exploration") << "exploration" << 3;
    QTest::newRow("empty") << "" << 12;
}

void TestCatalogue::countsPerTag()
{
    QFETCH(QString, tag);
    QFETCH(int, count);
    int found = 0;
    for (const QString& line : FunctionCatalogueLines()) {
        const QString lineTag = line.mid(CatalogueName(line).size()).trimmed();
        if (line.isEmpty() ? tag.isEmpty() : lineTag == tag)
            ++found;
    }
    QCOMPARE(found, count);
}

void TestCatalogue::layout()
{
    const QStringList& lines = FunctionCatalogueLines();
    QCOMPARE(lines.size(), 505);
    QVERIFY(lines.contains(QStringLiteral("abs ok ")));
    QVERIFY(lines.contains(QStringLiteral("colorCustom1 lang#  ")));
    QVERIFY(lines.contains(QStringLiteral("colorCustom16 lang#")));
    const qsizetype vox = lines.indexOf(QStringLiteral("voxInit vox$"));
    QVERIFY(vox >= 2);
    QVERIFY(lines.at(vox - 1).isEmpty() && lines.at(vox - 2).isEmpty());
    for (const char* name : {"Open", "BuyPrice", "colorCustom1", "colorBlack", "colorDarkRed",
                             "colorRed", "colorPink", "colorRose", "styleLine"}) {
        qsizetype at = -1;
        for (qsizetype i = 0; i < lines.size() && at < 0; ++i) {
            if (CatalogueName(lines.at(i)) == QLatin1String(name))
                at = i;
        }
        QVERIFY2(at > 0 && lines.at(at - 1).isEmpty(), name);
    }
    for (const QString& line : lines) {
        if (!line.isEmpty())
            QVERIFY2(!CatalogueName(line).isEmpty() && line.contains(u' '), qPrintable(line));
    }
}

void TestCatalogue::derivedLists()
{
    AnalysisContext context;
    QVERIFY(context.hasRemovalList());
    QVERIFY(!context.hasPluginList());
    QVERIFY(!context.hasWarningList());
    QCOMPARE(context.removalList(), QStringList({"ApplyStop", "EnableRotationalTrading",
                                                 "GetBacktesterObject", "GetTradingInterface"}));
    context.BuildPluginList();
    context.BuildWarningList();
    QCOMPARE(context.pluginFunctions().size(), 19);
    QCOMPARE(context.pluginFunctions().first(), QStringLiteral("voxInit"));
    QCOMPARE(context.pluginFunctions().last(), QStringLiteral("voxSellPEG"));
    QCOMPARE(context.warningList(),
             QStringList({"#include", "#include_once", "CreateObject", "CreateStaticObject",
                          "EnableScript", "GETSCRIPTOBJECT"}));
    for (const QString& name : context.pluginFunctions())
        QVERIFY(!name.isEmpty());
}

void TestCatalogue::buildersRunOnce()
{
    AnalysisContext context;
    context.removalList().append(QStringLiteral("PlotShapes"));
    context.BuildRemovalList();
    QCOMPARE(context.removalList().size(), 5);
    QCOMPARE(context.removalList().last(), QStringLiteral("PlotShapes"));
    context.ReleaseAnalysisLists();
    QVERIFY(!context.hasRemovalList());
    QCOMPARE(context.removalList().size(), 4);
}

void TestCatalogue::reservedNames_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::newRow("unused") << "x = 1;"
                            << "chartID"
                            << "chartID";
    QTest::newRow("used") << "chartID = 5;"
                          << "chartID"
                          << "chartID_plug";
    QTest::newRow("twice") << "newBar = 1; newBar_plug = 2;"
                           << "newBar"
                           << "newBar_plug_plug";
    QTest::newRow("case") << "SYMBOL = Name();"
                          << "symbol"
                          << "symbol_plug";
    QTest::newRow("comment") << "// cena\r\nx = 1;"
                             << "cena"
                             << "cena_plug";
    QTest::newRow("longer word") << "isNewBar2 = 1;"
                                 << "isNewBar"
                                 << "isNewBar";
    QTest::newRow("at start, no break") << "pozycje"
                                        << "pozycje"
                                        << "pozycje_plug";
}

void TestCatalogue::reservedNames()
{
    QFETCH(QString, script);
    QFETCH(QString, name);
    QFETCH(QString, value);
    AnalysisContext context;
    ScriptView view;
    view.setText(script);
    QCOMPARE(context.ResolveReservedNames(view), 19);
    const QList<ReservedName>& pairs = context.reservedNames();
    QCOMPARE(pairs.size(), 19);
    QCOMPARE(pairs.first().name, QStringLiteral("symbol"));
    QCOMPARE(pairs.last().name, QStringLiteral("getLimAkt"));
    int changed = 0;
    for (const ReservedName& pair : pairs) {
        if (pair.name == name)
            QCOMPARE(pair.value, value);
        else if (pair.value != pair.name)
            ++changed;
    }
    QCOMPARE(changed, 0);
}

void TestCatalogue::resetWithoutRefill()
{
    AnalysisContext context;
    context.ResetReservedNames(false);
    QVERIFY(context.reservedNames().isEmpty());
    ScriptView view;
    view.setText(QStringLiteral("idBuy = 1;"));
    context.ResolveReservedNames(view);
    context.ResetReservedNames(false);
    QCOMPARE(context.reservedNames().at(12).value, QStringLiteral("idBuy_plug"));
    context.ResetReservedNames(true);
    QCOMPARE(context.reservedNames().at(12).value, QStringLiteral("idBuy"));
}

void TestCatalogue::tally()
{
    CallTally tally;
    const int a = tally.add(QStringLiteral("   b"));
    tally.setCount(a, 2);
    tally.add(QStringLiteral("   C"));
    tally.add(QStringLiteral("   a"));
    QCOMPARE(tally.add(QStringLiteral("   B")), 1);
    QCOMPARE(tally.size(), 3);
    QCOMPARE(tally.at(0).text, QStringLiteral("   a"));
    QCOMPARE(tally.at(1).text, QStringLiteral("   b"));
    QCOMPARE(tally.at(1).count, 2);
    QCOMPARE(tally.at(2).text, QStringLiteral("   C"));
    QCOMPARE(tally.indexOf(QStringLiteral("   c")), 2);
    QCOMPARE(tally.indexOf(QStringLiteral("   d")), -1);
}

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
