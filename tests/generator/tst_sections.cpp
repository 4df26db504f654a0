// The generated sections, byte for byte, before and after the reserved-name replacement.

#include "analysis/AnalysisContext.h"
#include "generator/Sections.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

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
    void prologueExample();
    void orderSectionsExample();
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
    void plotSection_data();
    void plotSection();
    void suffixes_data();
    void suffixes();
    void namesKeptInLiterals_data();
    void namesKeptInLiterals();
    void headerDate();
};

void TestSections::prologueExample()
{
    const Afl::GeneratorSettings s = ExampleSettings();
    const QStringList before = {
        u"// **************************************"_s,
        u"// Formuła AFL wygenerowana przez Orvanta"_s,
        u"// 1.02.2024"_s,
        u"// Autor programu: Ferwant"_s,
        u"// **************************************"_s,
        QString(),
        u"symbol = Name();"_s,
        u"chartID = NumToStr(GetChartID(), 1.0, False);"_s,
        u"svCanBuy = \"CanBuy\" + symbol + chartID;"_s,
        u"svCanSell = \"CanSell\" + symbol + chartID;"_s,
        u"svInit = \"Init\" + symbol + chartID;"_s,
        u"svPrevTime =  \"PrevTime\" + symbol + chartID;"_s,
        QString(),
        u"if(Nz(StaticVarGet(svInit))==0)"_s,
        u"{"_s,
        u"  StaticVarSet(svInit, 1);"_s,
        u"  StaticVarSet(svPrevTime, 0);"_s,
        u"  voxInit();"_s,
        u"  voxSetInterval(\"\", 300);"_s,
        u"  voxOnlyReverse(\"\", 1);"_s,
        u"}"_s,
        QString(),
        u"mBuy = 0;"_s,
        u"mSell = 0;"_s,
        u"idBuy = \"\";"_s,
        u"idSell = \"\";"_s,
        u"liczba = voxPositions(\"\");"_s,
        u"pozycje = 10;"_s,
        QString(),
        QString(),
        QString(),
        u"function isNewBar()"_s,
        u"{"_s,
        u"  local lastTime;"_s,
        u"  lastTime = DateTime();"_s,
        u"  local prevTimeNum;"_s,
        u"  prevTimeNum = StaticVarGet(svPrevTime);"_s,
        u"  local lastTimeNum;"_s,
        u"  lastTimeNum = LastValue(lastTime);"_s,
        u"  StaticVarSet(svPrevTime, lastTimeNum);"_s,
        u"  return DateTimeDiff(lastTimeNum, prevTimeNum)>0;"_s,
        u"}"_s,
        QString(),
        u"newbar = isNewBar();"_s,
    };
    const QString date = u"1.02.2024"_s;
    QCOMPARE(Afl::BuildHeaderSection(s, date) + Afl::BuildDeclarationSection(s), Lines(before));

    QStringList after = before;
    after[43] = u"newBar = isNewBar();"_s;
    const Afl::Sections sections = Afl::GenerateSections(s, DefaultPairs(), date);
    QCOMPARE(sections.header, Lines(after));
}

void TestSections::orderSectionsExample()
{
    Afl::GeneratorSettings s = ExampleSettings();
    s.signalMode = Afl::SignalMode::CurrentCandle;
    s.orderMode = Afl::OrderMode::NoLimit;
    const Afl::Sections sections = Afl::GenerateSections(s, DefaultPairs(), u"x"_s);
    QCOMPARE(sections.buy,
             Lines({QString(), QString(),
                    u"mBuy = LastValue(Ref(Buy, -1)) && Nz(StaticVarGet(svCanBuy), 1) && newBar;"_s,
                    u"mSell = LastValue(Ref(Sell, -1)) && Nz(StaticVarGet(svCanSell), 1) && "
                    u"newBar;"_s,
                    QString(), QString(), u"if(mBuy && (pozycje>0))"_s, u"{"_s,
                    u"  idBuy = voxBuy(\"\", \"\", pozycje, 0, 0);"_s, u"  if(StrLen(idBuy)>0)"_s,
                    u"  {"_s, u"    StaticVarSet(svCanBuy, 0);"_s,
                    u"    StaticVarSet(svCanSell, 1);  }"_s, u"}"_s, QString()}));
    QCOMPARE(sections.sell,
             Lines({QString(), QString(), u"if(mSell && (liczba>0))"_s, u"{"_s,
                    u"  idSell = voxSell(\"\", \"\", liczba, 0, 0);"_s, u"  if(StrLen(idSell)>0)"_s,
                    u"  {"_s, u"    StaticVarSet(svCanBuy, 1);"_s,
                    u"    StaticVarSet(svCanSell, 0);  }"_s, u"}"_s, QString()}));
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

    const QString head = Lines({u"function getLimit(bs)"_s, u"{"_s, u"  local cena;"_s});
    const QString tail = Lines({u"  if(bs) cena = cena + cena*0.015;  // kupno"_s,
                                u"  else cena = cena - cena*0.015;  // sprzedaż"_s,
                                u"  return cena;"_s, u"}"_s, QString()});
    s = {};
    s.orderMode = Afl::OrderMode::Percent;
    s.limitValue = 1.5;
    s.referenceMode = Afl::ReferenceMode::LastTrade;
    QTest::newRow("percent, last price") << s << head + Lines({u"  cena = LastValue(C);"_s}) + tail;
    s.comments = true;
    QTest::newRow("percent, last price, comments")
        << s
        << Lines({u"  // Funkcja obliczająca limit ceny w zleceniu"_s}) + head +
               Lines({u"  cena = LastValue(C);"_s}) + tail;
    s.comments = false;
    s.referenceMode = Afl::ReferenceMode::ReferencePrice;
    s.tickerMode = Afl::TickerMode::Defined;
    s.tickerName = u"KGHM"_s;
    QTest::newRow("percent, reference price of a defined security")
        << s
        << head +
               Lines({u"  TimeFrameSet(inDaily);"_s,
                      u"  cena = LastValue(FOREIGN(\"KGHM\", \"Close\"));"_s,
                      u"  TimeFrameRestore();"_s}) +
               tail;
    s.referenceMode = Afl::ReferenceMode::OtherPrice;
    s.otherPrice = 20;
    QTest::newRow("percent, other price") << s << head + Lines({u"  cena = 20;"_s}) + tail;
    s.referenceMode = Afl::ReferenceMode::None;
    QTest::newRow("percent, no reference: no price line") << s << head + tail;
    s.referenceMode = Afl::ReferenceMode::LastTrade;
    s.tickerMode = Afl::TickerMode::FromChart;
    s.limitValue = 0.3;
    QTest::newRow("percent factor rounded to six digits")
        << s
        << head + Lines({u"  cena = LastValue(C);"_s}) +
               Lines({u"  if(bs) cena = cena + cena*0.003;  // kupno"_s,
                      u"  else cena = cena - cena*0.003;  // sprzedaż"_s, u"  return cena;"_s,
                      u"}"_s, QString()});
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

    const QString head = Lines(
        {u"function getLimAkt(bs)"_s, u"{"_s, u"  local cena;"_s, u"  cena = LastValue(C);"_s});
    s.referenceMode = Afl::ReferenceMode::LastTrade;
    s.activationMode = Afl::ActivationMode::Percent;
    s.activationValue = 1.5;
    QTest::newRow("percent") << s
                             << head + Lines({u"  if(bs) cena = cena + cena*0.015;"_s,
                                              u"  else cena = cena - cena*0.015;"_s,
                                              u"  return cena;"_s, u"}"_s, QString()});
    s.activationMode = Afl::ActivationMode::Amount;
    s.activationValue = 0.5;
    QTest::newRow("amount") << s
                            << head + Lines({u"  if(bs) cena = cena + 0.5;  // kupno"_s,
                                             u"  else cena = cena - 0.5;  // sprzedaż"_s, QString(),
                                             u"  return cena;"_s, u"}"_s, QString()});
    s.comments = true;
    QTest::newRow("amount, comments")
        << s
        << Lines({u"  // Funkcja obliczająca limit aktywacji w zleceniach"_s}) + head +
               Lines({u"  if(bs) cena = cena + 0.5;  // kupno"_s,
                      u"  else cena = cena - 0.5;  // sprzedaż"_s, QString(), u"  return cena;"_s,
                      u"}"_s, QString()});
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

void TestSections::plotSection_data()
{
    QTest::addColumn<int>("signalMode");
    QTest::addColumn<bool>("comments");
    QTest::addColumn<QString>("text");
    QTest::newRow("previous candle")
        << 1 << false
        << Lines({QString(), QString(),
                  u"PlotShapes( IIf(Buy, shapeUpArrow, shapeNone), colorBrightGreen, 0, BuyPrice, "
                  u"-12 );"_s,
                  u"PlotShapes( IIf(Sell, shapeDownArrow, shapeNone), colorRed, 0, SellPrice, -24 "
                  u");"_s});
    QTest::newRow("current candle, comments")
        << 0 << true
        << Lines({QString(), u"  // Rysowanie wygenerowanych sygnałów kupna i sprzedaży"_s,
                  u"PlotShapes( IIf(Ref(Buy, -1), shapeUpArrow, shapeNone), colorBrightGreen, 0, "
                  u"Ref(BuyPrice, -1), -12 );"_s,
                  u"PlotShapes( IIf(Ref(Sell, -1), shapeDownArrow, shapeNone), colorRed, 0, "
                  u"Ref(SellPrice, -1), -24 );"_s});
}

void TestSections::plotSection()
{
    QFETCH(int, signalMode);
    QFETCH(bool, comments);
    QFETCH(QString, text);
    Afl::GeneratorSettings s;
    s.signalMode = Afl::SignalMode(signalMode);
    s.comments = comments;
    QCOMPARE(Afl::BuildPlotSection(s), text);
    QCOMPARE(Afl::GenerateSections(s, DefaultPairs(), u"d"_s).plot, text);
}

void TestSections::suffixes_data()
{
    QTest::addColumn<QStringList>("suffixed");
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QStringList>("absent");
    QTest::newRow("cena")
        << QStringList{u"cena"_s}
        << QStringList{u"cena_plug = LastValue(C);  // Zmienna określająca limit ceny do "
                       u"obliczenia ilości pozycji"_s,
                       u"pozycje = int(5000/cena_plug);  // Zmienna określająca ilość walorów do "
                       u"kupienia"_s,
                       u"  local cena_plug;"_s,
                       u"  cena_plug = LastValue(C);"_s,
                       u"  if(bs) cena_plug = cena_plug + cena_plug*0.015;  // kupno"_s,
                       u"  if(bs) cena_plug = cena_plug + 0.5;  // kupno"_s,
                       u"  return cena_plug;"_s}
        << QStringList{u"cena "_s, u"cena;"_s, u"cena*"_s};
    QTest::newRow("newBar only: isNewBar stays")
        << QStringList{u"newBar"_s}
        << QStringList{u"newBar_plug = isNewBar();  // Zmienna określająca czy powstała nowa "
                       u"świeczka"_s,
                       u"function isNewBar()"_s, u"mBuy = LastValue(Buy) && newBar_plug;"_s}
        << QStringList{u"newbar"_s, u"isNewBar_plug"_s};
    QTest::newRow("chartID and idBuy: svIdBuy-like names stay")
        << QStringList{u"chartID"_s, u"idBuy"_s}
        << QStringList{u"chartID_plug = NumToStr(GetChartID(), 1.0, False);  // Zmienna "
                       u"zawierająca identyfikator wykresu"_s,
                       u"svInit = \"Init\" + symbol + chartID_plug;  // Zmienna statyczna "
                       u"wskazująca czy plugin został zaincjalizowany dla danego waloru"_s,
                       u"idBuy_plug = \"\";  // Zmienna przechowująca identyfikator zlecenia "
                       u"kupna (łańcuch znakowy)"_s,
                       u"  idBuy_plug = voxBuy(\"\", \"\", pozycje, getLimit(1), getLimAkt(1));"_s}
        << QStringList{u"GetChartID_plug"_s};
}

void TestSections::suffixes()
{
    QFETCH(QStringList, suffixed);
    QFETCH(QStringList, present);
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
    const QStringList lines = all.split(u"\r\n"_s);
    for (const QString& line : present)
        QVERIFY2(lines.contains(line), qPrintable(line));
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
