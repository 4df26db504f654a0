// One generation from source view to finished script and remarks.

#include "../support/Golden.h"
#include "../support/StyledText.h"
#include "analysis/AnalysisContext.h"
#include "analysis/Highlighter.h"
#include "analysis/ScriptView.h"
#include "generator/Pipeline.h"
#include "generator/Sections.h"
#include "platform/TextFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

Q_DECLARE_METATYPE(Afl::GeneratorSettings)

namespace {

const QString DataDir = QStringLiteral(ORVANTA_TEST_DATA "/generator/");
const QString DateMark = QStringLiteral("@DATE@");

QString ReadUtf8(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

Lex::ScriptView Source(const QString& text)
{
    Lex::ScriptView view;
    view.setText(text);
    return view;
}

QString Lines(const QStringList& lines)
{
    QString text;
    for (const QString& line : lines)
        text += line + u"\r\n"_s;
    return text;
}

// Every option that writes something, names that need escaping, a percent limit and an
// activation limit in percent, signals drawn.
Afl::GeneratorSettings FullSettings()
{
    Afl::GeneratorSettings s;
    s.tickerMode = Afl::TickerMode::Defined;
    s.tickerName = u"AB\"C\\D"_s;
    s.accountMode = Afl::AccountMode::Defined;
    s.accountName = u"CENA"_s;
    s.signalMode = Afl::SignalMode::CurrentCandle;
    s.showSignals = true;
    s.refresh = true;
    s.refreshSeconds = 5;
    s.reverseOnly = true;
    s.oneOrderPerBar = true;
    s.intervalMode = Afl::IntervalMode::Standard;
    s.interval = 300;
    s.positionUnit = Afl::PositionUnit::Value;
    s.positionValue = 5000;
    s.orderMode = Afl::OrderMode::Percent;
    s.limitValue = 1.5;
    s.referenceMode = Afl::ReferenceMode::ReferencePrice;
    s.activationMode = Afl::ActivationMode::Percent;
    s.activationValue = 2;
    s.comments = true;
    return s;
}

// No comments, no refresh, the security from the chart, an absolute limit, PEG orders.
Afl::GeneratorSettings PlainSettings()
{
    Afl::GeneratorSettings s;
    s.refresh = false;
    s.signalMode = Afl::SignalMode::PreviousCandle;
    s.positionCount = 100;
    s.orderMode = Afl::OrderMode::Limit;
    s.limitValue = 1234567;
    s.referenceMode = Afl::ReferenceMode::LastTrade;
    s.peg = true;
    return s;
}

struct Run
{
    Lex::ScriptView rGenAFL;
    Lex::ScriptView rUwagi;
    Afl::GenerationResult result;
};

Run Generate(Lex::AnalysisContext& context, const QString& source,
             const Afl::GeneratorSettings& settings, bool cbShowChecked)
{
    Run run;
    const Lex::ScriptView rEdit = Source(source);
    run.result =
        Afl::GenerateScript(rEdit, run.rGenAFL, run.rUwagi, context, settings, cbShowChecked);
    return run;
}

} // namespace

class TestPipeline : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void golden_data();
    void golden();
    void layout();
    void remarks();
    void missingSignals_data();
    void missingSignals();
    void plotShapesRemovalFollowsShowSignals();
    void writtenInWindows1250();
    void colouredSource_data();
    void colouredSource();
    void failedGenerationShowsCurrentReservedNames();
};

void TestPipeline::initTestCase()
{
    qputenv("SOURCE_DATE_EPOCH", "1706832000");
}

void TestPipeline::golden_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("name");
    QTest::addColumn<Afl::GeneratorSettings>("settings");
    QTest::addColumn<bool>("cbShowChecked");
    QTest::newRow("full") << u"crossover"_s << u"crossover_full"_s << FullSettings() << true;
    QTest::newRow("plain") << u"crossover"_s << u"crossover_plain"_s << PlainSettings() << false;
    // A quote in a comment: the first colouring of the working copy makes the block comment
    // after Sell a string, the second a comment again; the sections go after it.
    QTest::newRow("stray quote") << u"strayquote"_s << u"strayquote_plain"_s << PlainSettings()
                                 << false;
}

void TestPipeline::golden()
{
    QFETCH(QString, source);
    QFETCH(QString, name);
    QFETCH(Afl::GeneratorSettings, settings);
    QFETCH(bool, cbShowChecked);
    Lex::AnalysisContext context;
    const Run run =
        Generate(context, ReadUtf8(DataDir + source + u".afl"_s), settings, cbShowChecked);
    QVERIFY(run.result.success);
    QCOMPARE(Lines(run.result.sourceLines), run.rGenAFL.text());

    // The date follows the locale; the golden files hold a mark in its place.
    const QString date = Afl::HeaderDate();
    const auto marked = [&date](QString text) {
        const qsizetype at = text.indexOf(u"// "_s + date);
        if (at >= 0)
            text.replace(at + 3, date.size(), DateMark);
        return text;
    };
    QVERIFY(run.rGenAFL.text().contains(u"// "_s + date + u"\r\n"_s));
    const QString text = marked(run.rGenAFL.text());
    QCOMPARE(text, TestSupport::Golden(DataDir + name + u".expected.afl"_s, text));
    const QString styled = marked(TestSupport::StyledText(run.rGenAFL));
    QCOMPARE(styled, TestSupport::Golden(DataDir + name + u".expected.styled"_s, styled));
}

void TestPipeline::layout()
{
    Afl::GeneratorSettings s = FullSettings();
    const QString source = ReadUtf8(DataDir + u"crossover.afl"_s);
    Lex::AnalysisContext context;
    const Run run = Generate(context, source, s, true);
    QVERIFY(run.result.success);

    // The sections as the pipeline builds them: the source uses cena.
    Lex::AnalysisContext names;
    names.ResolveReservedNames(Source(source));
    const Afl::Sections sections =
        Afl::GenerateSections(s, names.reservedNames(), Afl::HeaderDate());
    QVERIFY(sections.buy.contains(u"  local cena_plug;"_s));

    const QString text = run.rGenAFL.text();
    const QString top = u"Buy = Cross(fast, slow);\r\nSell = Cross(slow, fast);   // exit on the "
                        u"opposite cross\r\n\r\n"_s;
    const QString rest = u"Plot(C, \"Kurs\", colorBlack, styleCandle);\r\n"_s;
    QVERIFY(text.startsWith(sections.header + u"\r\n// Crossover"_s));
    const qsizetype at = text.indexOf(top);
    QVERIFY(at > 0);
    const qsizetype after = at + top.size();
    QCOMPARE(text.mid(after, sections.buy.size()), sections.buy);
    QCOMPARE(text.mid(after + sections.buy.size(), sections.sell.size()), sections.sell);
    QVERIFY(text.mid(after + sections.buy.size() + sections.sell.size()).startsWith(rest));
    QVERIFY(text.endsWith(sections.plot + u"\r\n"_s));
    // The user's calls are gone, the generated PlotShapes remain.
    QVERIFY(!text.contains(u"ApplyStop"_s));
    QVERIFY(!text.contains(u"colorGreen"_s));
    QCOMPARE(text.count(u"PlotShapes("_s), 2);
    QVERIFY(text.contains(u"CreateObject"_s));
}

void TestPipeline::remarks()
{
    Lex::AnalysisContext context;
    const Run run = Generate(context, ReadUtf8(DataDir + u"crossover.afl"_s), FullSettings(), true);
    QVERIFY(run.result.success);
    const QString success1 = u"Kod został wygenerowany."_s;
    const QString success2 =
        u"Wynikowy AFL nie musi być optymalny z punktu widzenia obliczeniowego."_s;
    const QString success3 = u"Użytkownik powinien samodzielnie sprawdzić poprawność kodu!"_s;
    const QStringList expected = {
        QString(),
        u"Z oryginalnego kodu usunięto wywołania następujących funkcji (liczba z prawej pokazuje "
        u"liczbę wywołań)"_s,
        u"   ApplyStop x2"_s,
        u"   PlotShapes x1"_s,
        u"Funkcje te zostały usunięte z powodu wystąpienia potencjalnych kolizji z kodem dodanym "
        u"przez edytor."_s,
        QString(),
        u"W kodzie AFL wykryto następujące wywołania:"_s,
        u"   CreateObject"_s,
        u"Funkcje te mogą być potencjalnym źródłem błędnego działania kodu wynikowego."_s,
        QString(),
        success1,
        QString(),
        success2,
        QString(),
        success3,
    };
    QCOMPARE(run.rUwagi.lines(), expected);

    // Plain entries keep the view's font; the three success remarks are formatted.
    const QString text = run.rUwagi.text();
    QCOMPARE(run.rUwagi.sizeAt(text.indexOf(u"ApplyStop"_s)), 0);
    const struct
    {
        QString text;
        Lex::Styles styles;
        int size;
    } formatted[] = {
        {success1, Lex::Bold, 10}, {success2, Lex::NoStyle, 9}, {success3, Lex::Bold, 10}};
    for (const auto& remark : formatted) {
        const int start = int(text.indexOf(remark.text));
        const QList<Lex::Run> runs = run.rUwagi.runs(start, int(remark.text.size()));
        QCOMPARE(runs.size(), 1);
        QCOMPARE(runs.first().styles, remark.styles);
        QCOMPARE(runs.first().size, remark.size);
    }
}

void TestPipeline::missingSignals_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("missing");
    QTest::newRow("no Buy assignment") << u"x = Buy > 0;\r\nSell = 1;\r\nApplyStop(1, 2, 3);\r\n"_s
                                       << u"Nie można odnaleźć definicji sygnału BUY!"_s;
    QTest::newRow("no Sell assignment") << u"Buy = 1;\r\nApplyStop(1, 2, 3);\r\n// Sell = 0;\r\n"_s
                                        << u"Nie można odnaleźć definicji sygnału SELL!"_s;
}

void TestPipeline::missingSignals()
{
    QFETCH(QString, source);
    QFETCH(QString, missing);
    Lex::AnalysisContext context;
    const Run run = Generate(context, source, FullSettings(), true);
    QVERIFY(!run.result.success);
    QCOMPARE(run.result.noBuy, missing.contains(u"BUY"_s));
    QCOMPARE(run.result.noSell, missing.contains(u"SELL"_s));
    QCOMPARE(run.result.insertionPoint, -1);
    const QStringList remarks = run.rUwagi.lines();
    QCOMPARE(remarks.mid(remarks.size() - 4),
             (QStringList{QString(), missing, QString(),
                          u"Nie można wygenerować poprawnego kodu AFL."_s}));
    // The working copy: one empty line first, the listed calls deleted, nothing generated.
    QString copy = u"\r\n"_s + source;
    copy.remove(u"ApplyStop(1, 2, 3);\r\n"_s);
    QCOMPARE(run.rGenAFL.text(), copy);
    QCOMPARE(Lines(run.result.sourceLines), copy);
}

void TestPipeline::plotShapesRemovalFollowsShowSignals()
{
    const QString source = u"Buy = 1;\r\nSell = 0;\r\nPlotShapes(Buy, colorGreen);\r\n"_s;
    Afl::GeneratorSettings s = PlainSettings();
    Lex::AnalysisContext context;
    s.showSignals = true;
    QVERIFY(!Generate(context, source, s, true).rGenAFL.text().contains(u"colorGreen"_s));
    QVERIFY(!Generate(context, source, s, true).rGenAFL.text().contains(u"colorGreen"_s));
    s.showSignals = false;
    const Run third = Generate(context, source, s, false);
    QVERIFY(third.rGenAFL.text().contains(u"PlotShapes(Buy, colorGreen);"_s));
    QVERIFY(!third.rUwagi.text().contains(u"PlotShapes"_s));
    QVERIFY(!context.removalList().contains(u"PlotShapes"_s));
}

void TestPipeline::writtenInWindows1250()
{
    Lex::AnalysisContext context;
    const Run run = Generate(context, ReadUtf8(DataDir + u"crossover.afl"_s), FullSettings(), true);
    QVERIFY(run.result.success);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"out.afl"_s);
    const Platform::WriteResult written = Platform::WriteTextFile(path, run.rGenAFL.text());
    QVERIFY2(written.ok, qPrintable(written.error));
    QCOMPARE(written.encoding, Platform::Encoding::Windows1250);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.contains("// Formu\xb3"
                           "a AFL wygenerowana przez Orvanta\r\n"));
    QCOMPARE(bytes.count("\r\n"), bytes.count('\n'));
    QVERIFY(!bytes.contains('?'));
}

QTEST_GUILESS_MAIN(TestPipeline)
// The window colours its source view on loading, which leaves a filter of its words; the
// generation must come out the same as from a source that was never coloured.
void TestPipeline::colouredSource_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<bool>("showSignals");
    const QString crossover = ReadUtf8(DataDir + u"crossover.afl"_s);
    QTest::newRow("crossover") << crossover << true;
    QTest::newRow("crossover, own PlotShapes kept") << crossover << false;
    QTest::newRow("listed calls, some absent")
        << u"Buy = 1; ApplyStop(1, 2, 3);\r\nSell = 0; GetTradingInterface(\"x\");\r\n"
           u"PlotShapes(Buy, 1);\r\n// EnableRotationalTrading();\r\n"_s
        << true;
    QTest::newRow("no Buy") << u"x = Buy > 0;\r\nSell = 1;\r\nApplyStop(1, 2, 3);\r\n"_s << true;
    QTest::newRow("reserved names taken") << u"symbol = 1; cena_plug = 2; Cena = 3;\r\n"
                                             u"Buy = cena > 1; Sell = 0; liczba = idBuy;\r\n"_s
                                          << true;
}

void TestPipeline::colouredSource()
{
    QFETCH(QString, source);
    QFETCH(bool, showSignals);
    Afl::GeneratorSettings settings = FullSettings();
    settings.showSignals = showSignals;

    Lex::AnalysisContext plainContext;
    const Lex::ScriptView plain = Source(source);
    Lex::ScriptView plainGen, plainRemarks;
    const Afl::GenerationResult expected =
        Afl::GenerateScript(plain, plainGen, plainRemarks, plainContext, settings, true);

    Lex::AnalysisContext context;
    Lex::ScriptView coloured = Source(source);
    Lex::HighlightScript(coloured, context.reservedNames());
    Lex::ScriptView gen, remarks;
    const Afl::GenerationResult result =
        Afl::GenerateScript(coloured, gen, remarks, context, settings, true);

    QCOMPARE(result.success, expected.success);
    QCOMPARE(result.sourceLines, expected.sourceLines);
    QCOMPARE(gen.text(), plainGen.text());
    const QList<Lex::Run> runs = gen.runs(0, gen.length());
    const QList<Lex::Run> expectedRuns = plainGen.runs(0, plainGen.length());
    QCOMPARE(runs.size(), expectedRuns.size());
    for (qsizetype i = 0; i < runs.size(); ++i) {
        QCOMPARE(runs.at(i).start, expectedRuns.at(i).start);
        QCOMPARE(runs.at(i).length, expectedRuns.at(i).length);
        QCOMPARE(runs.at(i).colour, expectedRuns.at(i).colour);
        QCOMPARE(runs.at(i).styles, expectedRuns.at(i).styles);
    }
    QCOMPARE(remarks.text(), plainRemarks.text());
}

// A failed generation leaves the working copy coloured with the reserved names of this
// generation only, not with those of the one before.
void TestPipeline::failedGenerationShowsCurrentReservedNames()
{
    Lex::AnalysisContext context;
    QVERIFY(Generate(context, u"symbol = 1;\r\nBuy = 1;\r\nSell = 0;\r\n"_s, PlainSettings(), false)
                .result.success);
    const Run failed =
        Generate(context, u"x = symbol_plug;\r\nSell = 1;\r\n"_s, PlainSettings(), false);
    QVERIFY(!failed.result.success);
    const int at = int(failed.rGenAFL.text().indexOf(u"symbol_plug"_s));
    QVERIFY(at > 0);
    QCOMPARE(failed.rGenAFL.charColourAt(at), Lex::Colours::Black);
}

#include "tst_pipeline.moc"
