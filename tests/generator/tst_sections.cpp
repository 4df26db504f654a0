// The generated sections, byte for byte, before and after the reserved-name replacement.

#include "../support/Golden.h"
#include "analysis/AnalysisContext.h"
#include "generator/Sections.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString DataDir = QStringLiteral(ORVANTA_TEST_DATA "/generator/sections/");

// The lines, each followed by CR LF.
QString Lines(const QStringList& lines)
{
    QString text;
    for (const QString& line : lines)
        text += line + u"\r\n"_s;
    return text;
}

QList<Lex::ReservedName> DefaultPairs()
{
    Lex::AnalysisContext context;
    context.ResetReservedNames(true);
    return context.reservedNames();
}

// The default pairs with the given names suffixed, as if the user's script used them.
QList<Lex::ReservedName> PairsWithSuffix(const QStringList& suffixed)
{
    QList<Lex::ReservedName> pairs = DefaultPairs();
    for (Lex::ReservedName& pair : pairs) {
        if (suffixed.contains(pair.name))
            pair.value += u"_plug"_s;
    }
    return pairs;
}

// Settings of the prologue example: security from the chart, no refresh, alternate orders,
// one order per candle, 5-minute interval, 10 shares.
Afl::GeneratorSettings ExampleSettings()
{
    Afl::GeneratorSettings s;
    s.refresh = false;
    s.reverseOnly = true;
    s.oneOrderPerBar = true;
    s.intervalMode = Afl::IntervalMode::Standard;
    s.interval = 300;
    s.positionCount = 10;
    return s;
}

// Settings under which every section writes both names somewhere.
Afl::GeneratorSettings SettingsUsingNames(const QString& ticker, const QString& account)
{
    Afl::GeneratorSettings s;
    s.tickerMode = Afl::TickerMode::Defined;
    s.tickerName = ticker;
    s.accountMode = Afl::AccountMode::Defined;
    s.accountName = account;
    s.comments = true;
    s.reverseOnly = true;
    s.oneOrderPerBar = true;
    s.intervalMode = Afl::IntervalMode::Seconds;
    s.interval = 30;
    s.positionUnit = Afl::PositionUnit::Value;
    s.positionValue = 5000;
    s.orderMode = Afl::OrderMode::Percent;
    s.limitValue = 1.5;
    s.referenceMode = Afl::ReferenceMode::ReferencePrice;
    s.activationMode = Afl::ActivationMode::Amount;
    s.activationValue = 0.5;
    return s;
}

} // namespace

Q_DECLARE_METATYPE(Afl::GeneratorSettings)

class TestSections : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void golden_data();
    void golden();
    void prologueExample();
    void headerLines_data();
    void headerLines();
    void positionSize_data();
    void positionSize();
    void limitFunction_data();
    void limitFunction();
    void activationFunction_data();
    void activationFunction();
    void orderCalls_data();
    void orderCalls();
    void signalLines_data();
    void signalLines();
    void commentSwitch_data();
    void commentSwitch();
    void suffixes_data();
    void suffixes();
    void namesKeptInLiterals_data();
    void namesKeptInLiterals();
    void headerDate();
};

// Which text of the generator a golden file holds.
enum class Text
{
    HeaderAndDeclarations, // of the date "1.02.2024"
    Buy,
    Sell,
    Plot,
    Limit,
    Activation,
};

void TestSections::golden_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<Afl::GeneratorSettings>("settings");
    QTest::addColumn<int>("text");
    const auto row = [](const char* name, const Afl::GeneratorSettings& s, Text text) {
        QTest::newRow(name) << QString::fromLatin1(name) << s << int(text);
    };

    Afl::GeneratorSettings s = ExampleSettings();
    row("prologue", s, Text::HeaderAndDeclarations);
    row("order-buy", s, Text::Buy);
    row("order-sell", s, Text::Sell);

    s = {};
    s.orderMode = Afl::OrderMode::Percent;
    s.limitValue = 1.5;
    s.referenceMode = Afl::ReferenceMode::LastTrade;
    row("limit-percent-last-price", s, Text::Limit);
    s.comments = true;
    row("limit-percent-last-price-comments", s, Text::Limit);
    s.comments = false;
    s.referenceMode = Afl::ReferenceMode::ReferencePrice;
    s.tickerMode = Afl::TickerMode::Defined;
    s.tickerName = u"KGHM"_s;
    row("limit-percent-reference-price-defined-security", s, Text::Limit);
    s.referenceMode = Afl::ReferenceMode::OtherPrice;
    s.otherPrice = 20;
    row("limit-percent-other-price", s, Text::Limit);
    s.referenceMode = Afl::ReferenceMode::None;
    row("limit-percent-no-reference", s, Text::Limit); // no price line
    s.referenceMode = Afl::ReferenceMode::LastTrade;
    s.tickerMode = Afl::TickerMode::FromChart;
    s.limitValue = 0.3;
    row("limit-percent-factor-rounded", s, Text::Limit); // 0.003 to six digits

    s = {};
    s.referenceMode = Afl::ReferenceMode::LastTrade;
    s.activationMode = Afl::ActivationMode::Percent;
    s.activationValue = 1.5;
    row("activation-percent", s, Text::Activation);
    s.activationMode = Afl::ActivationMode::Amount;
    s.activationValue = 0.5;
    row("activation-amount", s, Text::Activation);
    s.comments = true;
    row("activation-amount-comments", s, Text::Activation);

    s = {};
    s.signalMode = Afl::SignalMode::PreviousCandle;
    row("plot-previous-candle", s, Text::Plot);
    s.signalMode = Afl::SignalMode::CurrentCandle;
    s.comments = true;
    row("plot-current-candle-comments", s, Text::Plot);
}

void TestSections::golden()
{
    QFETCH(QString, name);
    QFETCH(Afl::GeneratorSettings, settings);
    QFETCH(int, text);
    const Afl::Sections sections = Afl::GenerateSections(settings, DefaultPairs(), u"d"_s);
    QString actual;
    switch (Text(text)) {
    case Text::HeaderAndDeclarations:
        actual = Afl::BuildHeaderSection(settings, u"1.02.2024"_s) +
                 Afl::BuildDeclarationSection(settings);
        break;
    case Text::Buy:
        actual = sections.buy;
        break;
    case Text::Sell:
        actual = sections.sell;
        break;
    case Text::Plot:
        actual = Afl::BuildPlotSection(settings);
        QCOMPARE(sections.plot, actual);
        break;
    case Text::Limit:
        actual = Afl::BuildLimitFunction(settings);
        break;
    case Text::Activation:
        actual = Afl::BuildActivationFunction(settings);
        break;
    }
    QCOMPARE(actual, TestSupport::Golden(DataDir + name + u".afl"_s, actual));
}

// The reserved names of the prologue: only the letter case of newbar changes.
void TestSections::prologueExample()
{
    const Afl::GeneratorSettings s = ExampleSettings();
    const QString date = u"1.02.2024"_s;
    QStringList lines =
        (Afl::BuildHeaderSection(s, date) + Afl::BuildDeclarationSection(s)).split(u"\r\n"_s);
    QCOMPARE(lines.size(), 45);
    QCOMPARE(lines[43], u"newbar = isNewBar();"_s);
    lines[43] = u"newBar = isNewBar();"_s;
    QCOMPARE(Afl::GenerateSections(s, DefaultPairs(), date).header, lines.join(u"\r\n"_s));
}

void TestSections::headerLines_data()
{
    QTest::addColumn<Afl::GeneratorSettings>("settings");
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QStringList>("absent");

    Afl::GeneratorSettings s;
    QTest::newRow("defaults: refresh every second, security from the chart")
        << s
        << QStringList{u"RequestTimedRefresh(1, false);"_s, u"symbol = Name();"_s,
                       u"  voxInit();"_s}
        << QStringList{u"  voxSetInterval("_s, u"  voxAddTicker("_s, u"  voxOnlyReverse("_s,
                       u"svCanBuy"_s, u"svPrevTime"_s};

    s = {};
    s.tickerMode = Afl::TickerMode::Defined;
    QTest::newRow("defined security with an empty name")
        << s << QStringList{u"symbol = Name();"_s, u"  voxAddTicker(\"\");"_s} << QStringList{};

    s = {};
    s.tickerMode = Afl::TickerMode::FromChart;
    s.tickerName = u"KGHM"_s;
    QTest::newRow("the name decides the symbol line, not the mode")
        << s << QStringList{u"symbol = \"KGHM\";"_s} << QStringList{u"  voxAddTicker("_s};

    s = {};
    s.intervalMode = Afl::IntervalMode::Ticks;
    s.interval = -100;
    QTest::newRow("ticks") << s << QStringList{u"  voxSetInterval(\"\", -100);"_s} << QStringList{};

    s = {};
    s.intervalMode = Afl::IntervalMode::None;
    QTest::newRow("interval without selection")
        << s << QStringList{u"  voxSetInterval(\"\", 0);"_s} << QStringList{};

    s = {};
    s.refresh = true;
    s.refreshSeconds = 15;
    s.comments = true;
    QTest::newRow("refresh and comments")
        << s
        << QStringList{u"RequestTimedRefresh(15, false);"_s,
                       u"// Konstrukcja nazw zmiennych statycznych powinna zapewnić ich "
                       u"unikalnośćr"_s,
                       u"symbol = Name();  // Nazwa waloru pobierana z wykresu"_s,
                       u"  voxInit();  // Inicjalizacja plugina dla bieżącego wykresu"_s}
        << QStringList{};
}

void TestSections::headerLines()
{
    QFETCH(Afl::GeneratorSettings, settings);
    QFETCH(QStringList, present);
    QFETCH(QStringList, absent);
    const QStringList lines = Afl::BuildHeaderSection(settings, u"d"_s).split(u"\r\n"_s);
    for (const QString& line : present)
        QVERIFY2(lines.contains(line), qPrintable(line));
    for (const QString& start : absent) {
        for (const QString& line : lines)
            QVERIFY2(!line.startsWith(start), qPrintable(line));
    }
}

void TestSections::positionSize_data()
{
    QTest::addColumn<Afl::GeneratorSettings>("settings");
    QTest::addColumn<QString>("tail");

    Afl::GeneratorSettings s;
    s.positionCount = 25;
    QTest::newRow("shares") << s << Lines({u"pozycje = 25;"_s, QString(), QString()});

    s = {};
    s.positionUnit = Afl::PositionUnit::Value;
    s.positionValue = 1e9;
    QTest::newRow("value, security from the chart")
        << s
        << Lines({u"cena = LastValue(C);"_s, u"pozycje = int(1000000000/cena);"_s, QString(),
                  QString()});

    s.tickerMode = Afl::TickerMode::Defined;
    s.tickerName = u"PKN"_s;
    QTest::newRow("value, defined security")
        << s
        << Lines({u"cena = LastValue(FOREIGN(\"PKN\", \"Close\"));"_s,
                  u"pozycje = int(1000000000/cena);"_s, QString(), QString()});

    s = {};
    s.positionMode = Afl::PositionMode::UserCode;
    QTest::newRow("user's own size, even without comments")
        << s
        << Lines({u"PopupWindow(\"Ten kod AFL wymaga uzupełnienia definicji wielkości pozycji "
                  u"(zmienne 'pozycje' dla kupna i 'liczba' dla sprzedaży)!"_s,
                  u"Po edycji usuń tę linię z kodu (wywołującą okno PopupWindow).\", \"UWAGA!\", "
                  u"10);"_s,
                  u"pozycje = 0; // Tu zmień definicję wielkości pozycji"_s, QString(), QString()});
}

void TestSections::positionSize()
{
    QFETCH(Afl::GeneratorSettings, settings);
    QFETCH(QString, tail);
    const QString text = Afl::BuildDeclarationSection(settings);
    QVERIFY2(text.endsWith(tail), qPrintable(text));
}

void TestSections::limitFunction_data()
{
    QTest::addColumn<Afl::GeneratorSettings>("settings");
    QTest::addColumn<QString>("text");

    Afl::GeneratorSettings s;
    QTest::newRow("PKC") << s << u"0"_s;
    s.orderMode = Afl::OrderMode::Limit;
    s.limitValue = 105.5;
    QTest::newRow("amount") << s << u"105.5"_s;
    s.limitValue = 1234567;
    QTest::newRow("amount in exponent form") << s << u"1.23457e+06"_s;
    s.orderMode = Afl::OrderMode::None;
    QTest::newRow("no order kind") << s << u"BŁĄD"_s;
    s.orderMode = Afl::OrderMode(3);
    s.comments = true;
    QTest::newRow("unknown order kind") << s << u"BŁĄD"_s;
}

void TestSections::limitFunction()
{
    QFETCH(Afl::GeneratorSettings, settings);
    QFETCH(QString, text);
    QCOMPARE(Afl::BuildLimitFunction(settings), text);
}

void TestSections::activationFunction_data()
{
    QTest::addColumn<Afl::GeneratorSettings>("settings");
    QTest::addColumn<QString>("text");

    Afl::GeneratorSettings s;
    s.activationValue = 5;
    QTest::newRow("none") << s << u"0"_s;

    s.activationMode = Afl::ActivationMode::Amount;
    s.referenceMode = Afl::ReferenceMode::None;
    QTest::newRow("no reference") << s << u"BŁĄD"_s;
    s.referenceMode = Afl::ReferenceMode(3);
    QTest::newRow("unknown reference") << s << u"BŁĄD"_s;
}

void TestSections::activationFunction()
{
    QFETCH(Afl::GeneratorSettings, settings);
    QFETCH(QString, text);
    QCOMPARE(Afl::BuildActivationFunction(settings), text);
}

void TestSections::orderCalls_data()
{
    QTest::addColumn<int>("orderMode");
    QTest::addColumn<int>("activationMode");
    QTest::addColumn<int>("referenceMode");
    QTest::addColumn<bool>("peg");
    QTest::addColumn<QString>("buyCall");
    QTest::addColumn<QString>("sellCall");
    QTest::addColumn<QStringList>("functions");

    QTest::newRow("PKC") << 0 << 0 << 1 << false
                         << u"  idBuy = voxBuy(\"W\", \"R\", pozycje, 0, 0);"_s
                         << u"  idSell = voxSell(\"W\", \"R\", liczba, 0, 0);"_s << QStringList{};
    QTest::newRow("amount") << 1 << 0 << 1 << false
                            << u"  idBuy = voxBuy(\"W\", \"R\", pozycje, 105.5, 0);"_s
                            << u"  idSell = voxSell(\"W\", \"R\", liczba, 105.5, 0);"_s
                            << QStringList{};
    QTest::newRow("percent and activation")
        << 2 << 1 << 1 << false
        << u"  idBuy = voxBuy(\"W\", \"R\", pozycje, getLimit(1), getLimAkt(1));"_s
        << u"  idSell = voxSell(\"W\", \"R\", liczba, getLimit(0), getLimAkt(0));"_s
        << QStringList{u"function getLimit(bs)"_s, u"function getLimAkt(bs)"_s};
    QTest::newRow("amount and activation")
        << 1 << 2 << 0 << false
        << u"  idBuy = voxBuy(\"W\", \"R\", pozycje, 105.5, getLimAkt(1));"_s
        << u"  idSell = voxSell(\"W\", \"R\", liczba, 105.5, getLimAkt(0));"_s
        << QStringList{u"function getLimAkt(bs)"_s};
    QTest::newRow("PEG") << 2 << 0 << 1 << true
                         << u"  idBuy = voxBuyPEG(\"W\", \"R\", pozycje, getLimit(1), 0);"_s
                         << u"  idSell = voxSellPEG(\"W\", \"R\", liczba, getLimit(0), 0);"_s
                         << QStringList{u"function getLimit(bs)"_s};
    QTest::newRow("no order kind")
        << -1 << 1 << -1 << false << u"  idBuy = voxBuy(\"W\", \"R\", pozycje, BŁĄD, BŁĄD);"_s
        << u"  idSell = voxSell(\"W\", \"R\", liczba, BŁĄD, BŁĄD);"_s << QStringList{};
}

void TestSections::orderCalls()
{
    QFETCH(int, orderMode);
    QFETCH(int, activationMode);
    QFETCH(int, referenceMode);
    QFETCH(bool, peg);
    QFETCH(QString, buyCall);
    QFETCH(QString, sellCall);
    QFETCH(QStringList, functions);
    Afl::GeneratorSettings s;
    s.tickerMode = Afl::TickerMode::Defined;
    s.tickerName = u"W"_s;
    s.accountMode = Afl::AccountMode::Defined;
    s.accountName = u"R"_s;
    s.orderMode = Afl::OrderMode(orderMode);
    s.limitValue = 105.5;
    s.activationMode = Afl::ActivationMode(activationMode);
    s.activationValue = 2;
    s.referenceMode = Afl::ReferenceMode(referenceMode);
    s.peg = peg;
    const QStringList buy = Afl::BuildBuySection(s).split(u"\r\n"_s);
    const QStringList sell = Afl::BuildSellSection(s).split(u"\r\n"_s);
    QVERIFY(buy.contains(buyCall));
    QVERIFY(sell.contains(sellCall));

    // Function texts stand in the buy section between the signal lines and the order block,
    // getLimit before getLimAkt, and never in the sell section.
    qsizetype previous = buy.indexOf(u"mSell = LastValue(Ref(Sell, -1));"_s);
    QVERIFY(previous >= 0);
    for (const QString& function : functions) {
        const qsizetype at = buy.indexOf(function);
        QVERIFY2(at > previous, qPrintable(function));
        previous = at;
    }
    QVERIFY(previous < buy.indexOf(u"if(mBuy && (pozycje>0))"_s));
    QCOMPARE(buy.filter(u"function"_s).size(), functions.size());
    QVERIFY(sell.filter(u"function"_s).isEmpty());
}

void TestSections::signalLines_data()
{
    QTest::addColumn<bool>("reverseOnly");
    QTest::addColumn<int>("signalMode");
    QTest::addColumn<bool>("oneOrderPerBar");
    QTest::addColumn<QString>("buyLine");
    QTest::addColumn<QString>("sellLine");
    QTest::newRow("reverse, previous candle")
        << true << 1 << false << u"mBuy = LastValue(Buy) && Nz(StaticVarGet(svCanBuy), 1);"_s
        << u"mSell = LastValue(Sell) && Nz(StaticVarGet(svCanSell), 1);"_s;
    QTest::newRow("reverse, current candle, one per bar")
        << true << 0 << true
        << u"mBuy = LastValue(Ref(Buy, -1)) && Nz(StaticVarGet(svCanBuy), 1) && newBar;"_s
        << u"mSell = LastValue(Ref(Sell, -1)) && Nz(StaticVarGet(svCanSell), 1) && newBar;"_s;
    QTest::newRow("free, previous candle, one per bar")
        << false << 1 << true << u"mBuy = LastValue(Buy) && newBar;"_s
        << u"mSell = LastValue(Sell) && newBar;"_s;
    QTest::newRow("free, current candle")
        << false << 0 << false << u"mBuy = LastValue(Ref(Buy, -1));"_s
        << u"mSell = LastValue(Ref(Sell, -1));"_s;
    QTest::newRow("free, no selection counts as previous")
        << false << -1 << false << u"mBuy = LastValue(Buy);"_s << u"mSell = LastValue(Sell);"_s;
}

void TestSections::signalLines()
{
    QFETCH(bool, reverseOnly);
    QFETCH(int, signalMode);
    QFETCH(bool, oneOrderPerBar);
    QFETCH(QString, buyLine);
    QFETCH(QString, sellLine);
    Afl::GeneratorSettings s;
    s.reverseOnly = reverseOnly;
    s.signalMode = Afl::SignalMode(signalMode);
    s.oneOrderPerBar = oneOrderPerBar;
    const Afl::Sections sections = Afl::GenerateSections(s, DefaultPairs(), u"d"_s);
    const QStringList lines = sections.buy.split(u"\r\n"_s);
    QCOMPARE(lines.value(2), buyLine);
    QCOMPARE(lines.value(3), sellLine);
    QCOMPARE(sections.buy.contains(u"if(StrLen(idBuy)>0)"_s), reverseOnly);
    QCOMPARE(sections.sell.contains(u"if(StrLen(idSell)>0)"_s), reverseOnly);
    QCOMPARE(sections.header.contains(u"newBar = isNewBar();"_s), oneOrderPerBar);
}

void TestSections::commentSwitch_data()
{
    QTest::addColumn<bool>("comments");
    QTest::addColumn<QString>("buyTail");
    QTest::addColumn<QString>("sellTail");
    QTest::addColumn<QString>("declarationTail");
    QTest::newRow("off") << false
                         << Lines({u"    StaticVarSet(svCanSell, 1);  }"_s, u"}"_s, QString()})
                         << Lines({u"    StaticVarSet(svCanSell, 0);  }"_s, u"}"_s, QString()})
                         << Lines({QString(), QString(), QString(), u"function isNewBar()"_s});
    QTest::newRow("on")
        << true
        << Lines({u"    StaticVarSet(svCanSell, 1);  // Znacznik kupna jest zerowany (kupno "
                  u"zabronione) a sprzedaży ustawiany (sprzedaż dozwolona)"_s,
                  u"  }"_s, u"}"_s, QString()})
        << Lines({u"    StaticVarSet(svCanSell, 0);  // Znacznik kupna jest ustawiany (kupno "
                  u"dozwolone) a sprzedaży zerowany (sprzedaż zabroniona)"_s,
                  u"  }"_s, u"}"_s, QString()})
        << Lines({QString(), QString(), u"  // Funkcja wykrywająca powstanie nowej świeczki"_s,
                  u"function isNewBar()"_s});
}

void TestSections::commentSwitch()
{
    QFETCH(bool, comments);
    QFETCH(QString, buyTail);
    QFETCH(QString, sellTail);
    QFETCH(QString, declarationTail);
    Afl::GeneratorSettings s;
    s.comments = comments;
    s.reverseOnly = true;
    s.oneOrderPerBar = true;
    QVERIFY(Afl::BuildBuySection(s).endsWith(buyTail));
    QVERIFY(Afl::BuildSellSection(s).endsWith(sellTail));
    QVERIFY(Afl::BuildDeclarationSection(s).contains(declarationTail));
    // Every line break is CR LF, and no bare comment survives the switch.
    for (const QString& text :
         {Afl::BuildHeaderSection(s, u"d"_s), Afl::BuildDeclarationSection(s),
          Afl::BuildBuySection(s), Afl::BuildSellSection(s), Afl::BuildPlotSection(s)}) {
        QCOMPARE(text.count(u'\n'), text.count(u"\r\n"_s));
        QCOMPARE(text.count(u'\r'), text.count(u"\r\n"_s));
        if (!comments) {
            const QString withoutBanner = text.mid(text.indexOf(u"Ferwant"_s) + 1);
            QVERIFY2(!withoutBanner.contains(u"  // Z"_s), qPrintable(text));
        }
    }
}

// The whole generated text with some names suffixed is in a golden file; names that must
// not appear are listed.
void TestSections::suffixes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("suffixed");
    QTest::addColumn<QStringList>("absent");
    QTest::newRow("cena") << u"suffix-cena"_s << QStringList{u"cena"_s}
                          << QStringList{u"cena "_s, u"cena;"_s, u"cena*"_s};
    QTest::newRow("newBar only: isNewBar stays") << u"suffix-newbar"_s << QStringList{u"newBar"_s}
                                                 << QStringList{u"newbar"_s, u"isNewBar_plug"_s};
    QTest::newRow("chartID and idBuy: svIdBuy-like names stay")
        << u"suffix-chartid-idbuy"_s << QStringList{u"chartID"_s, u"idBuy"_s}
        << QStringList{u"GetChartID_plug"_s};
}

void TestSections::suffixes()
{
    QFETCH(QString, name);
    QFETCH(QStringList, suffixed);
    QFETCH(QStringList, absent);
    Afl::GeneratorSettings s;
    s.comments = true;
    s.signalMode = Afl::SignalMode::PreviousCandle;
    s.oneOrderPerBar = true;
    s.positionUnit = Afl::PositionUnit::Value;
    s.positionValue = 5000;
    s.orderMode = Afl::OrderMode::Percent;
    s.limitValue = 1.5;
    s.referenceMode = Afl::ReferenceMode::LastTrade;
    s.activationMode = Afl::ActivationMode::Amount;
    s.activationValue = 0.5;
    const Afl::Sections sections = Afl::GenerateSections(s, PairsWithSuffix(suffixed), u"d"_s);
    const QString all = sections.header + sections.buy + sections.sell + sections.plot;
    QCOMPARE(all, TestSupport::Golden(DataDir + name + u".afl"_s, all));
    for (const QString& part : absent)
        QVERIFY2(!all.contains(part), qPrintable(part));
}

void TestSections::namesKeptInLiterals_data()
{
    QTest::addColumn<QString>("ticker");
    QTest::addColumn<QString>("account");
    QTest::addColumn<QString>("tickerLiteral");
    QTest::addColumn<QString>("accountLiteral");
    QTest::addColumn<QStringList>("suffixed");
    QTest::newRow("reserved names as names")
        << u"CENA"_s << u"symbol"_s << u"\"CENA\""_s << u"\"symbol\""_s
        << QStringList{u"cena"_s, u"symbol"_s};
    QTest::newRow("reserved names, no suffixes")
        << u"cena"_s << u"NEWBAR"_s << u"\"cena\""_s << u"\"NEWBAR\""_s << QStringList{};
    QTest::newRow("quote and backslash are escaped")
        << u"AB\"C\\D"_s << u"a\\\"b"_s << u"\"AB\\\"C\\\\D\""_s << u"\"a\\\\\\\"b\""_s
        << QStringList{u"cena"_s};
    QTest::newRow("a name ending in a reserved name")
        << u"XCENA"_s << u"idSell2"_s << u"\"XCENA\""_s << u"\"idSell2\""_s
        << QStringList{u"cena"_s, u"idSell"_s};
}

void TestSections::namesKeptInLiterals()
{
    QFETCH(QString, ticker);
    QFETCH(QString, account);
    QFETCH(QString, tickerLiteral);
    QFETCH(QString, accountLiteral);
    QFETCH(QStringList, suffixed);
    // The same script with neutral names, whose literals are then swapped for the real ones,
    // is what the generation has to give: the names take no part in the replacement.
    const QList<Lex::ReservedName> pairs = PairsWithSuffix(suffixed);
    Afl::Sections expected =
        Afl::GenerateSections(SettingsUsingNames(u"TTT"_s, u"AAA"_s), pairs, u"d"_s);
    const Afl::Sections actual =
        Afl::GenerateSections(SettingsUsingNames(ticker, account), pairs, u"d"_s);
    for (QString* text : {&expected.header, &expected.buy, &expected.sell, &expected.plot})
        text->replace(u"\"TTT\""_s, tickerLiteral).replace(u"\"AAA\""_s, accountLiteral);
    QCOMPARE(actual.header, expected.header);
    QCOMPARE(actual.buy, expected.buy);
    QCOMPARE(actual.sell, expected.sell);
    QCOMPARE(actual.plot, expected.plot);

    // Every place that writes a name: symbol, voxAddTicker, voxSetInterval, voxOnlyReverse,
    // voxPositions, the price line, the close lines of both limit functions, both orders.
    const QString all = actual.header + actual.buy + actual.sell;
    QCOMPARE(all.count(tickerLiteral), 10);
    QCOMPARE(all.count(accountLiteral), 2);
}

void TestSections::headerDate()
{
    const QByteArray previous = qgetenv("SOURCE_DATE_EPOCH");
    qputenv("SOURCE_DATE_EPOCH", "1706832000"); // 2024-02-02 00:00 UTC
    const QString date = Afl::HeaderDate();
    if (previous.isEmpty())
        qunsetenv("SOURCE_DATE_EPOCH");
    else
        qputenv("SOURCE_DATE_EPOCH", previous);
    QCOMPARE(date, QLocale::system().toString(QDate(2024, 2, 2), QLocale::ShortFormat));
    const QStringList lines = Afl::BuildHeaderSection({}, date).split(u"\r\n"_s);
    QCOMPARE(lines.value(2), u"// "_s + date);
}

QTEST_GUILESS_MAIN(TestSections)
#include "tst_sections.moc"
