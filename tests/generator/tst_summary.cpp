// The summary tree's data: headers, values in display order, locale numbers, unanswered marks.

#include "generator/Summary.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

Q_DECLARE_METATYPE(Afl::GeneratorSettings)

namespace {

QStringList Texts(const Afl::SummaryNode& node)
{
    QStringList texts;
    for (const Afl::SummaryValue& value : node.values)
        texts << value.text;
    return texts;
}

} // namespace

class TestSummary : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void headers();
    void values_data();
    void values();
    void systemLocaleNumbers();
};

void TestSummary::headers()
{
    const QList<Afl::SummaryNode> tree = Afl::BuildSummary({}, QString(), QLocale::c());
    QStringList headers;
    for (const Afl::SummaryNode& node : tree)
        headers << node.header;
    QCOMPARE(headers,
             (QStringList{u"Walor:"_s, u"Rachunek:"_s, u"Sygnały kupna/sprzedaży:"_s,
                          u"Zlecenia - transakcje: "_s, u"Interwał:"_s, u"Operuj pozycjami:"_s,
                          u"Parametry zleceń:"_s, u"Odchylenie lub/i limit aktywacji względem:"_s,
                          u"Limit aktywacji:"_s}));
}

void TestSummary::values_data()
{
    QTest::addColumn<Afl::GeneratorSettings>("settings");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<int>("category");
    QTest::addColumn<QStringList>("shown");
    const QLocale polish(QLocale::Polish, QLocale::Poland);
    const QLocale c = QLocale::c();

    Afl::GeneratorSettings s;
    QTest::newRow("security from the chart")
        << s << c << 0 << QStringList{u"Nazwa pobierana z wykresu w Amibrokerze"_s};
    s.tickerMode = Afl::TickerMode::Defined;
    QTest::newRow("defined security, empty name") << s << c << 0 << QStringList{QString()};
    s.accountMode = Afl::AccountMode::Defined;
    s.accountName = u"00-123 x"_s;
    QTest::newRow("defined account as typed") << s << c << 1 << QStringList{u"00-123 x"_s};
    s = {};
    QTest::newRow("account chosen automatically")
        << s << c << 1 << QStringList{u"Określany automatycznie"_s};
    s.signalMode = Afl::SignalMode::PreviousCandle;
    QTest::newRow("previous candle")
        << s << c << 2 << QStringList{u" Sygnał pada w poprzedniej lub wcześniejszej świeczce"_s};
    s.signalMode = Afl::SignalMode::CurrentCandle;
    QTest::newRow("current candle")
        << s << c << 2 << QStringList{u"Sygnał pada w bieżącej świeczce"_s};

    s = {};
    s.reverseOnly = true;
    s.oneOrderPerBar = true;
    QTest::newRow("orders: reverse above one per candle")
        << s << c << 3
        << QStringList{u"Zlecenie tylko odwrotne do poprzedniego. "_s,
                       u"Tylko jedno zlecenie w świeczce"_s};
    s = {};
    QTest::newRow("orders: free")
        << s << c << 3
        << QStringList{u"Dopuszczalne wielokrotne zlecenia w tym samym kierunku. "_s,
                       u"Dopuszczalne wiele zleceń w świeczce"_s};

    s = {};
    QTest::newRow("interval from the chart")
        << s << c << 4 << QStringList{u"Pobierany z wykresu w Amibrokerze"_s};
    s.intervalMode = Afl::IntervalMode::Standard;
    QTest::newRow("standard interval") << s << c << 4 << QStringList{u"Standardowy 1 Godzina"_s};
    s.intervalMode = Afl::IntervalMode::Seconds;
    s.interval = 300;
    QTest::newRow("seconds") << s << c << 4 << QStringList{u"Sekundowy 300"_s};
    s.intervalMode = Afl::IntervalMode::Ticks;
    s.interval = -100;
    QTest::newRow("ticks shown positive") << s << c << 4 << QStringList{u"Tickowy 100"_s};
    s.intervalMode = Afl::IntervalMode::None;
    QTest::newRow("interval unanswered") << s << c << 4 << QStringList{u"?"_s};

    s = {};
    s.positionUnit = Afl::PositionUnit::Value;
    s.positionValue = 5000;
    QTest::newRow("position value above the rule")
        << s << polish << 5
        << QStringList{
               u"Wartość pozycji = 5000 zł"_s,
               u"Dokup aby osiągnąć docelową wielkość (wartość) pozycji/Sprzedaj wszystko"_s};
    s.positionValue = 1e9;
    QTest::newRow("large value without groups")
        << s << polish << 5
        << QStringList{
               u"Wartość pozycji = 1000000000 zł"_s,
               u"Dokup aby osiągnąć docelową wielkość (wartość) pozycji/Sprzedaj wszystko"_s};
    s.positionUnit = Afl::PositionUnit::Shares;
    s.positionCount = 10;
    QTest::newRow("position size")
        << s << c << 5
        << QStringList{
               u"Wielkość pozycji = 10 szt."_s,
               u"Dokup aby osiągnąć docelową wielkość (wartość) pozycji/Sprzedaj wszystko"_s};
    s.positionMode = Afl::PositionMode::UserCode;
    QTest::newRow("size by the user's code")
        << s << c << 5 << QStringList{u"Wielkość (wartość) pozycji określona przez system"_s};

    s = {};
    QTest::newRow("PKC") << s << c << 6 << QStringList{u"Limit PKC"_s};
    s.orderMode = Afl::OrderMode::Limit;
    s.limitValue = 12.5;
    QTest::newRow("amount, pl") << s << polish << 6 << QStringList{u"Limit kwotowy 12,5 zł/pkt."_s};
    QTest::newRow("amount, C") << s << c << 6 << QStringList{u"Limit kwotowy 12.5 zł/pkt."_s};
    s.limitValue = 0;
    QTest::newRow("amount that was no number")
        << s << c << 6 << QStringList{u"Limit kwotowy 0 zł/pkt."_s};
    s.orderMode = Afl::OrderMode::Percent;
    s.limitValue = 1.5;
    QTest::newRow("percent") << s << polish << 6
                             << QStringList{u"Limit z odchyleniem procentowym 1,5 %"_s};
    s.orderMode = Afl::OrderMode::None;
    QTest::newRow("orders unanswered") << s << c << 6 << QStringList{u"?"_s};

    s = {};
    QTest::newRow("reference not needed") << s << c << 7 << QStringList{u"Nie ma zastosowania"_s};
    s.orderMode = Afl::OrderMode::Percent;
    QTest::newRow("reference price")
        << s << c << 7 << QStringList{u"Kurs odniesienia (zamknięcie poprzedniego dnia)"_s};
    s.orderMode = Afl::OrderMode::Limit;
    s.activationMode = Afl::ActivationMode::Amount;
    s.referenceMode = Afl::ReferenceMode::LastTrade;
    QTest::newRow("last price for an activation limit")
        << s << c << 7 << QStringList{u"Kurs ostatniej transakcji"_s};
    s.referenceMode = Afl::ReferenceMode::OtherPrice;
    s.otherPrice = 20.25;
    QTest::newRow("other price") << s << polish << 7 << QStringList{u"Inny kurs 20,25"_s};
    s.referenceMode = Afl::ReferenceMode::None;
    QTest::newRow("reference unanswered") << s << c << 7 << QStringList{u"?"_s};

    s = {};
    QTest::newRow("no activation limit") << s << c << 8 << QStringList{u"Brak"_s};
    s.activationMode = Afl::ActivationMode::Percent;
    s.activationValue = 0.5;
    QTest::newRow("activation percent")
        << s << polish << 8 << QStringList{u"Odchylenie od kursu odniesienia 0,5 %"_s};
    s.activationMode = Afl::ActivationMode::Amount;
    QTest::newRow("activation amount")
        << s << c << 8 << QStringList{u"Odchylenie od kursu odniesienia 0.5 zł/pkt."_s};
}

void TestSummary::values()
{
    QFETCH(Afl::GeneratorSettings, settings);
    QFETCH(QLocale, locale);
    QFETCH(int, category);
    QFETCH(QStringList, shown);
    const QList<Afl::SummaryNode> tree = Afl::BuildSummary(settings, u"1 Godzina"_s, locale);
    QCOMPARE(tree.size(), 9);
    const Afl::SummaryNode& node = tree.at(category);
    QCOMPARE(Texts(node), shown);
    for (const Afl::SummaryValue& value : node.values)
        QCOMPARE(value.unanswered, value.text == u"?"_s);
}

void TestSummary::systemLocaleNumbers()
{
    // Under the Polish run the system locale's comma shows; under C a point.
    Afl::GeneratorSettings s;
    s.orderMode = Afl::OrderMode::Limit;
    s.limitValue = 12.5;
    const QList<Afl::SummaryNode> tree = Afl::BuildSummary(s, QString());
    const QString expected =
        u"Limit kwotowy 12"_s + QLocale::system().decimalPoint() + u"5 zł/pkt."_s;
    QCOMPARE(Texts(tree.at(6)), QStringList{expected});
}

QTEST_GUILESS_MAIN(TestSummary)
#include "tst_summary.moc"
