#include "generator/Sections.h"

#include "analysis/Rewriter.h"
#include "generator/FormatReal.h"
#include "generator/GeneratorTexts.h"
#include "generator/SectionText.h"
#include "generator/Switches.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QStringList>

using namespace Qt::Literals::StringLiterals;

namespace Afl {

namespace {

// Stand-ins for the security and account names while the reserved names are replaced: not
// word characters, so they bound identifiers as the quotes around them do.
constexpr QChar TickerMark = QChar(0xE000);
constexpr QChar AccountMark = QChar(0xE001);

QString Ticker(const GeneratorSettings& s)
{
    return Escaped(s.tickerName);
}

QString Account(const GeneratorSettings& s)
{
    return Escaped(s.accountName);
}

QString CloseLine(const GeneratorSettings& s)
{
    if (s.tickerMode == TickerMode::Defined)
        return u"  cena = LastValue(FOREIGN(\""_s + Ticker(s) + u"\", \"Close\"));\r\n"_s;
    return u"  cena = LastValue(C);\r\n"_s;
}

// The market price read into the local cena; empty for an unknown reference.
QString PriceLines(const GeneratorSettings& s)
{
    switch (s.referenceMode) {
    case ReferenceMode::ReferencePrice:
        return u"  TimeFrameSet(inDaily);\r\n"_s + CloseLine(s) + u"  TimeFrameRestore();\r\n"_s;
    case ReferenceMode::LastTrade:
        return CloseLine(s);
    case ReferenceMode::OtherPrice:
        return u"  cena = "_s + FormatReal(s.otherPrice) + u";\r\n"_s;
    default:
        return QString();
    }
}

// The setting times 0.01, computed in extended precision and rounded to a double.
double Percent(double value)
{
    return double(static_cast<long double>(value) * 0.01L);
}

QString SignalLine(const GeneratorSettings& s, const QString& signal, const QString& canFlag)
{
    const QString array =
        s.signalMode != SignalMode::CurrentCandle ? signal : u"Ref("_s + signal + u", -1)"_s;
    QString text = u"m"_s + signal + u" = LastValue("_s + array + u")"_s;
    if (s.reverseOnly)
        text += u" && Nz(StaticVarGet("_s + canFlag + u"), 1)"_s;
    if (s.oneOrderPerBar)
        text += u" && newbar"_s;
    return text + u";"_s;
}

// One side of the orders: whether it buys, its signal, quantity, order id, plug-in function,
// and the values of the alternate-order flags after an order, with their comment.
struct OrderSide
{
    bool buy;
    QString signal;
    QString quantity;
    QString id;
    QString function;
    int canBuy;
    int canSell;
    QString flagsComment;
};

// The order block of one side: the order when its signal is set, and with alternate orders
// only, the flags that allow the other side next.
void WriteOrderBlock(LineWriter& w, const GeneratorSettings& s, const OrderSide& side,
                     const QString& limit, const QString& activation)
{
    w.line(u"if("_s + side.signal + u" && ("_s + side.quantity + u">0))"_s);
    w.line(u"{"_s);
    // With a safety switch on, the order goes through the generated sendOrder.
    const QString call = s.switches.any()
                             ? SendOrderCall(side.buy, side.quantity, limit, activation)
                             : PluginOrderCall(s, side.function, side.quantity, limit, activation);
    w.line(u"  "_s + side.id + u" = "_s + call + u";"_s);
    if (s.reverseOnly) {
        w.line(u"  if(StrLen("_s + side.id + u")>0)"_s);
        w.line(u"  {"_s);
        w.line(u"    StaticVarSet(svCanBuy, "_s + QString::number(side.canBuy) + u");"_s);
        const QString canSell =
            u"    StaticVarSet(svCanSell, "_s + QString::number(side.canSell) + u");"_s;
        if (s.comments) {
            w.line(canSell + u"  // "_s + side.flagsComment);
            w.line(u"  }"_s);
        } else {
            w.line(canSell + u"  }"_s);
        }
    }
    w.line(u"}"_s);
    w.line();
}

QString ApplyReservedNames(const QString& section, const QList<Lex::ReservedName>& reserved)
{
    QStringList scratch = section.split(CrLf);
    if (section.endsWith(CrLf))
        scratch.removeLast();
    for (const Lex::ReservedName& pair : reserved)
        Lex::ReplaceIdentifier(scratch, pair.name, pair.value);
    QString joined;
    for (const QString& line : scratch)
        joined += line + CrLf;
    return joined;
}

// Puts the escaped names in place of their marks, in one pass so that a name is never
// scanned again.
QString InsertNames(const QString& section, const QString& ticker, const QString& account)
{
    QString out;
    out.reserve(section.size());
    for (QChar ch : section) {
        if (ch == TickerMark)
            out += ticker;
        else if (ch == AccountMark)
            out += account;
        else
            out += ch;
    }
    return out;
}

} // namespace

QString Escaped(const QString& name)
{
    QString out;
    out.reserve(name.size());
    for (QChar ch : name) {
        if (ch == u'\\' || ch == u'"')
            out += u'\\';
        out += ch;
    }
    return out;
}

QString PluginOrderCall(const GeneratorSettings& s, const QString& function,
                        const QString& quantity, const QString& limit, const QString& activation)
{
    return function + (s.peg ? u"PEG(\""_s : u"(\""_s) + Ticker(s) + u"\", \""_s + Account(s) +
           u"\", "_s + quantity + u", "_s + limit + u", "_s + activation + u")"_s;
}

QString HeaderDate()
{
    QDate date = QDate::currentDate();
    const QByteArray epoch = qgetenv("SOURCE_DATE_EPOCH");
    if (!epoch.isEmpty()) {
        bool ok = false;
        const qint64 seconds = epoch.trimmed().toLongLong(&ok);
        if (ok)
            date = QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC).date();
    }
    return QLocale::system().toString(date, QLocale::ShortFormat);
}

QString BuildHeaderSection(const GeneratorSettings& s, const QString& date)
{
    LineWriter w(s.comments);
    w.raw(SwitchHeaderLine(s));
    w.line(u"// **************************************"_s);
    w.line(u"// Formuła AFL wygenerowana przez Orvanta"_s);
    w.line(u"// "_s + date);
    w.line(u"// Autor programu: Ferwant"_s);
    w.line(u"// **************************************"_s);
    w.line();
    if (s.refresh) {
        w.line(u"RequestTimedRefresh("_s + QString::number(s.refreshSeconds) + u", false);"_s);
        w.line();
    }
    if (s.comments) {
        w.line(u"// Poniżej znajdują się definicje nazw zmiennych dodanych przez Orvanta"_s);
        w.line(u"// Konstrukcja nazw zmiennych statycznych powinna zapewnić ich unikalnośćr"_s);
        w.line(u"// Więcej szczegółów na ten temat znajduje się w dokumentacji Orvanta"_s);
        w.line();
    }
    if (!s.tickerName.isEmpty())
        w.line(u"symbol = \""_s + Ticker(s) + u"\";"_s, u"  // Nazwa waloru");
    else
        w.line(u"symbol = Name();"_s, u"  // Nazwa waloru pobierana z wykresu");
    w.line(u"chartID = NumToStr(GetChartID(), 1.0, False);"_s,
           u"  // Zmienna zawierająca identyfikator wykresu");
    if (s.reverseOnly) {
        w.line(u"svCanBuy = \"CanBuy\" + symbol + chartID;"_s, u"  // Znacznik czy można kupować");
        w.line(u"svCanSell = \"CanSell\" + symbol + chartID;"_s,
               u"  // Znacznik czy można sprzedawać");
    }
    w.line(u"svInit = \"Init\" + symbol + chartID;"_s,
           u"  // Zmienna statyczna wskazująca czy plugin został zaincjalizowany dla danego "
           u"waloru");
    if (s.oneOrderPerBar)
        w.line(u"svPrevTime =  \"PrevTime\" + symbol + chartID;"_s,
               u"  // Zmienna statyczna przechowująca ostatnio odczytany czas w funkcji "
               u"isNewBar()");
    w.raw(SwitchNameLines(s));
    w.line();
    w.line(u"if(Nz(StaticVarGet(svInit))==0)"_s,
           u"  // Sekcja inicjalizacyjna wykonywana jednokrotnie dla danego wykresu");
    w.line(u"{"_s);
    w.line(u"  StaticVarSet(svInit, 1);"_s,
           u"  // svInit ustawiana na 1 aby nie wykonywać powtórnie bieżącego bloku");
    if (s.oneOrderPerBar)
        w.line(u"  StaticVarSet(svPrevTime, 0);"_s,
               u"  // Zerowanie zmiennej przechowującej czas dla potrzeb funkcji isNewBar");
    // A test script calls no plug-in function.
    const bool plugin = !s.switches.testMode;
    if (plugin)
        w.line(u"  voxInit();"_s, u"  // Inicjalizacja plugina dla bieżącego wykresu");
    if (plugin && s.tickerMode == TickerMode::Defined)
        w.line(u"  voxAddTicker(\""_s + Ticker(s) + u"\");"_s,
               u"  // Wywołanie funkcji dodającej wybrany walor (argument funkcji) do listy "
               u"zleceń manualnych");
    if (plugin && s.intervalMode != IntervalMode::FromChart)
        w.line(u"  voxSetInterval(\""_s + Ticker(s) + u"\", "_s + QString::number(s.interval) +
                   u");"_s,
               u"  // Zabezpieczenie: wybrano konkretny interwał");
    if (plugin && s.reverseOnly)
        w.line(u"  voxOnlyReverse(\""_s + Ticker(s) + u"\", 1);"_s,
               u"  // Zabezpiecznie: dozwolone tylko zlecenia naprzemienne (po kupnie sprzedaż "
               u"i odwrotnie)");
    w.line(u"}"_s);
    return w.text();
}

QString BuildDeclarationSection(const GeneratorSettings& s)
{
    LineWriter w(s.comments);
    w.line();
    w.line(u"mBuy = 0;"_s, u"  // Zmienna pomocnicza dla sygnału kupna");
    w.line(u"mSell = 0;"_s, u"  // Zmienna pomocnicza dla sygnału sprzedaży");
    w.line(u"idBuy = \"\";"_s,
           u"  // Zmienna przechowująca identyfikator zlecenia kupna (łańcuch znakowy)");
    w.line(u"idSell = \"\";"_s,
           u"  // Zmienna przechowująca identyfikator zlecenia sprzedaży (łańcuch znakowy)");
    if (s.switches.testMode)
        w.line(u"liczba = Nz(StaticVarGet(svTestPos));"_s, Texts::TestHoldingComment);
    else
        w.line(u"liczba = voxPositions(\""_s + Ticker(s) + u"\");"_s,
               u"  // Zmienna zwracająca ilość walorów na rachunku");
    if (s.positionMode != PositionMode::TargetSize) {
        // Written whatever the comment switch says: the user has to complete this code.
        w.raw(u"PopupWindow(\"Ten kod AFL wymaga uzupełnienia definicji wielkości pozycji "
              u"(zmienne 'pozycje' dla kupna i 'liczba' dla sprzedaży)!\r\n"
              u"Po edycji usuń tę linię z kodu (wywołującą okno PopupWindow).\", \"UWAGA!\", "
              u"10);\r\n"_s);
        w.raw(u"pozycje = 0; // Tu zmień definicję wielkości pozycji\r\n"_s);
    } else if (s.positionUnit == PositionUnit::Shares) {
        w.line(u"pozycje = "_s + QString::number(s.positionCount) + u";"_s,
               u"  // Zmienna określająca ilość walorów do kupienia");
    } else {
        const QString price =
            s.tickerMode == TickerMode::Defined
                ? u"cena = LastValue(FOREIGN(\""_s + Ticker(s) + u"\", \"Close\"));"_s
                : u"cena = LastValue(C);"_s;
        w.line(price, u"  // Zmienna określająca limit ceny do obliczenia ilości pozycji");
        w.line(u"pozycje = int("_s + FormatLocaleReal(s.positionValue, QLocale::system()) +
                   u"/cena);"_s,
               u"  // Zmienna określająca ilość walorów do kupienia");
    }
    w.line();
    w.line();
    if (s.oneOrderPerBar) {
        w.line(QString(), u"  // Funkcja wykrywająca powstanie nowej świeczki");
        w.line(u"function isNewBar()"_s);
        w.line(u"{"_s);
        w.line(u"  local lastTime;"_s);
        w.line(u"  lastTime = DateTime();"_s);
        w.line(u"  local prevTimeNum;"_s);
        w.line(u"  prevTimeNum = StaticVarGet(svPrevTime);"_s);
        w.line(u"  local lastTimeNum;"_s);
        w.line(u"  lastTimeNum = LastValue(lastTime);"_s);
        w.line(u"  StaticVarSet(svPrevTime, lastTimeNum);"_s);
        w.line(u"  return DateTimeDiff(lastTimeNum, prevTimeNum)>0;"_s);
        w.line(u"}"_s);
        w.line();
        w.line(u"newbar = isNewBar();"_s, u"  // Zmienna określająca czy powstała nowa świeczka");
    }
    w.raw(SwitchFunctions(s));
    return w.text();
}

QString BuildLimitFunction(const GeneratorSettings& s)
{
    if (s.orderMode == OrderMode::NoLimit)
        return u"0"_s;
    if (s.orderMode == OrderMode::Limit)
        return FormatReal(s.limitValue);
    if (!s.limitIsFunction())
        return u"BŁĄD"_s;
    LineWriter w(s.comments);
    if (s.comments)
        w.line(u"  // Funkcja obliczająca limit ceny w zleceniu"_s);
    w.line(u"function getLimit(bs)"_s);
    w.line(u"{"_s);
    w.line(u"  local cena;"_s);
    w.raw(PriceLines(s));
    const QString factor = FormatReal(Percent(s.limitValue));
    w.line(u"  if(bs) cena = cena + cena*"_s + factor + u";  // kupno"_s);
    w.line(u"  else cena = cena - cena*"_s + factor + u";  // sprzedaż"_s);
    w.line(u"  return cena;"_s);
    w.line(u"}"_s);
    w.line();
    return w.text();
}

QString BuildActivationFunction(const GeneratorSettings& s)
{
    if (s.activationMode == ActivationMode::Off)
        return u"0"_s;
    if (!s.activationIsFunction())
        return u"BŁĄD"_s;
    LineWriter w(s.comments);
    if (s.comments)
        w.line(u"  // Funkcja obliczająca limit aktywacji w zleceniach"_s);
    w.line(u"function getLimAkt(bs)"_s);
    w.line(u"{"_s);
    w.line(u"  local cena;"_s);
    w.raw(PriceLines(s));
    if (s.activationMode == ActivationMode::Percent) {
        const QString factor = FormatReal(Percent(s.activationValue));
        w.line(u"  if(bs) cena = cena + cena*"_s + factor + u";"_s);
        w.line(u"  else cena = cena - cena*"_s + factor + u";"_s);
    } else {
        const QString amount = FormatReal(s.activationValue);
        w.line(u"  if(bs) cena = cena + "_s + amount + u";  // kupno"_s);
        w.line(u"  else cena = cena - "_s + amount + u";  // sprzedaż"_s);
        w.line();
    }
    w.line(u"  return cena;"_s);
    w.line(u"}"_s);
    w.line();
    return w.text();
}

QString BuildBuySection(const GeneratorSettings& s)
{
    LineWriter w(s.comments);
    w.line();
    w.line(QString(), u"  // Tu następuje właściwa definicja sygnału kupna i sprzedaży:");
    w.line(SignalLine(s, u"Buy"_s, u"svCanBuy"_s));
    w.line(SignalLine(s, u"Sell"_s, u"svCanSell"_s));
    w.line();
    QString limit = BuildLimitFunction(s);
    if (s.limitIsFunction()) {
        w.raw(limit);
        limit = u"getLimit(1)"_s;
    }
    QString activation = BuildActivationFunction(s);
    if (s.activationIsFunction()) {
        w.raw(activation);
        activation = u"getLimAkt(1)"_s;
    }
    w.line(QString(), u"  // Sekcja składania zlecenia kupna:");
    WriteOrderBlock(w, s,
                    {true, u"mBuy"_s, u"pozycje"_s, u"idBuy"_s, u"voxBuy"_s, 0, 1,
                     u"Znacznik kupna jest zerowany (kupno zabronione) a sprzedaży ustawiany "
                     u"(sprzedaż dozwolona)"_s},
                    limit, activation);
    return w.text();
}

QString BuildSellSection(const GeneratorSettings& s)
{
    LineWriter w(s.comments);
    w.line();
    w.line(QString(), u"  // Sekcja składania zlecenia sprzedaży:");
    const QString limit = s.limitIsFunction() ? u"getLimit(0)"_s : BuildLimitFunction(s);
    const QString activation =
        s.activationIsFunction() ? u"getLimAkt(0)"_s : BuildActivationFunction(s);
    WriteOrderBlock(w, s,
                    {false, u"mSell"_s, u"liczba"_s, u"idSell"_s, u"voxSell"_s, 1, 0,
                     u"Znacznik kupna jest ustawiany (kupno dozwolone) a sprzedaży zerowany "
                     u"(sprzedaż zabroniona)"_s},
                    limit, activation);
    w.raw(SwitchPlotLines(s));
    return w.text();
}

QString BuildPlotSection(const GeneratorSettings& s)
{
    LineWriter w(s.comments);
    w.line();
    w.line(QString(), u"  // Rysowanie wygenerowanych sygnałów kupna i sprzedaży");
    if (s.signalMode != SignalMode::CurrentCandle) {
        w.line(u"PlotShapes( IIf(Buy, shapeUpArrow, shapeNone), colorBrightGreen, 0, BuyPrice, "
               u"-12 );"_s);
        w.line(u"PlotShapes( IIf(Sell, shapeDownArrow, shapeNone), colorRed, 0, SellPrice, "
               u"-24 );"_s);
    } else {
        w.line(u"PlotShapes( IIf(Ref(Buy, -1), shapeUpArrow, shapeNone), colorBrightGreen, 0, "
               u"Ref(BuyPrice, -1), -12 );"_s);
        w.line(u"PlotShapes( IIf(Ref(Sell, -1), shapeDownArrow, shapeNone), colorRed, 0, "
               u"Ref(SellPrice, -1), -24 );"_s);
    }
    return w.text();
}

Sections GenerateSections(const GeneratorSettings& s, const QList<Lex::ReservedName>& reserved,
                          const QString& date)
{
    // The names stand as marks during the replacement, so that a security called like a
    // reserved name (CENA, symbol) keeps its letters in every string literal.
    GeneratorSettings marked = s;
    if (!marked.tickerName.isEmpty())
        marked.tickerName = TickerMark;
    if (!marked.accountName.isEmpty())
        marked.accountName = AccountMark;

    Sections out;
    out.header = BuildHeaderSection(marked, date);
    out.declaration = BuildDeclarationSection(marked);
    out.buy = BuildBuySection(marked);
    out.sell = BuildSellSection(marked);
    out.plot = BuildPlotSection(marked);
    out.header += out.declaration;

    const QString ticker = Escaped(s.tickerName);
    const QString account = Escaped(s.accountName);
    for (QString* section : {&out.header, &out.buy, &out.sell, &out.plot})
        *section = InsertNames(ApplyReservedNames(*section, reserved), ticker, account);
    out.declaration = InsertNames(out.declaration, ticker, account);
    return out;
}

} // namespace Afl
