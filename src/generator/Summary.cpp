#include "generator/Summary.h"

#include "generator/FormatReal.h"
#include "generator/GeneratorTexts.h"

using namespace Qt::Literals::StringLiterals;

namespace Afl {

namespace {

// Values are given in the order they are added; each one goes in above the ones before it.
SummaryNode Node(const QString& header, const QStringList& added)
{
    SummaryNode node;
    node.header = header;
    for (const QString& text : added)
        node.values.prepend(SummaryValue{text, text == u"?"_s});
    return node;
}

QString IntervalText(const GeneratorSettings& s, const QString& intSecsText)
{
    switch (s.intervalMode) {
    case IntervalMode::FromChart:
        return u"Pobierany z wykresu w Amibrokerze"_s;
    case IntervalMode::Standard:
        return u"Standardowy "_s + intSecsText;
    case IntervalMode::Seconds:
        return u"Sekundowy "_s + QString::number(s.interval);
    case IntervalMode::Ticks:
        return u"Tickowy "_s + QString::number(-qint64(s.interval));
    default:
        return u"?"_s;
    }
}

QString ReferenceText(const GeneratorSettings& s, const QLocale& locale)
{
    if (s.orderMode != OrderMode::Percent && s.activationMode == ActivationMode::Off)
        return u"Nie ma zastosowania"_s;
    switch (s.referenceMode) {
    case ReferenceMode::ReferencePrice:
        return u"Kurs odniesienia (zamknięcie poprzedniego dnia)"_s;
    case ReferenceMode::LastTrade:
        return u"Kurs ostatniej transakcji"_s;
    case ReferenceMode::OtherPrice:
        return u"Inny kurs "_s + FormatLocaleReal(s.otherPrice, locale);
    default:
        return u"?"_s;
    }
}

// The switches that are on, in the order of their boxes.
SummaryNode SwitchesNode(const SafetySwitches& on)
{
    SummaryNode node;
    node.header = Texts::SwitchesCaption + u':';
    const auto add = [&node](const QString& text) { node.values.append(SummaryValue{text}); };
    if (on.testMode)
        add(Texts::TestModeCaption);
    if (on.masterSwitch)
        add(Texts::MasterSwitchCaption);
    if (on.orderLog)
        add(Texts::OrderLogSummary);
    if (on.dailyCap > 0)
        add(Texts::DailyCapBefore + u' ' + QString::number(on.dailyCap) + u' ' +
            Texts::DailyCapAfter);
    return node;
}

} // namespace

QList<SummaryNode> BuildSummary(const GeneratorSettings& s, const QString& intSecsText,
                                const QLocale& locale)
{
    QList<SummaryNode> tree;
    tree << Node(u"Walor:"_s, {s.tickerMode != TickerMode::FromChart
                                   ? s.tickerName
                                   : u"Nazwa pobierana z wykresu w Amibrokerze"_s});
    tree << Node(
        u"Rachunek:"_s,
        {s.accountMode != AccountMode::Automatic ? s.accountName : u"Określany automatycznie"_s});
    tree << Node(u"Sygnały kupna/sprzedaży:"_s,
                 {s.signalMode != SignalMode::CurrentCandle
                      ? u" Sygnał pada w poprzedniej lub wcześniejszej świeczce"_s
                      : u"Sygnał pada w bieżącej świeczce"_s});
    tree << Node(u"Zlecenia - transakcje: "_s,
                 {s.oneOrderPerBar ? u"Tylko jedno zlecenie w świeczce"_s
                                   : u"Dopuszczalne wiele zleceń w świeczce"_s,
                  s.reverseOnly ? u"Zlecenie tylko odwrotne do poprzedniego. "_s
                                : u"Dopuszczalne wielokrotne zlecenia w tym samym kierunku. "_s});
    if (s.switches.any())
        tree << SwitchesNode(s.switches);
    tree << Node(u"Interwał:"_s, {IntervalText(s, intSecsText)});

    QStringList positions;
    if (s.positionMode != PositionMode::TargetSize) {
        positions << u"Wielkość (wartość) pozycji określona przez system"_s;
    } else {
        positions << u"Dokup aby osiągnąć docelową wielkość (wartość) pozycji/Sprzedaj wszystko"_s;
        if (s.positionUnit != PositionUnit::Shares)
            positions << u"Wartość pozycji = "_s + FormatLocaleReal(s.positionValue, locale) +
                             u" zł"_s;
        else
            positions << u"Wielkość pozycji = "_s + QString::number(s.positionCount) + u" szt."_s;
    }
    tree << Node(u"Operuj pozycjami:"_s, positions);

    QString orders;
    switch (s.orderMode) {
    case OrderMode::NoLimit:
        orders = u"Limit PKC"_s;
        break;
    case OrderMode::Limit:
        orders = u"Limit kwotowy "_s + FormatLocaleReal(s.limitValue, locale) + u" zł/pkt."_s;
        break;
    case OrderMode::Percent:
        orders = u"Limit z odchyleniem procentowym "_s + FormatLocaleReal(s.limitValue, locale) +
                 u" %"_s;
        break;
    default:
        orders = u"?"_s;
    }
    tree << Node(u"Parametry zleceń:"_s, {orders});
    tree << Node(u"Odchylenie lub/i limit aktywacji względem:"_s, {ReferenceText(s, locale)});

    QString activation = u"Brak"_s;
    if (s.activationMode != ActivationMode::Off)
        activation = u"Odchylenie od kursu odniesienia "_s +
                     FormatLocaleReal(s.activationValue, locale) +
                     (s.activationMode == ActivationMode::Percent ? u" %"_s : u" zł/pkt."_s);
    tree << Node(u"Limit aktywacji:"_s, {activation});
    return tree;
}

} // namespace Afl
