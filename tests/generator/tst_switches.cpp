// The safety switches: the finished scripts they give, that every combination parses, and the
// summary's heading of them.

#include "../support/Golden.h"
#include "analysis/AnalysisContext.h"
#include "analysis/ScriptView.h"
#include "generator/Pipeline.h"
#include "generator/Sections.h"
#include "generator/Summary.h"
#include "generator/Switches.h"
#include "syntax/SyntaxTree.h"

#include <QFile>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

Q_DECLARE_METATYPE(Afl::GeneratorSettings)
Q_DECLARE_METATYPE(Afl::SafetySwitches)

namespace {

const QString DataDir = QStringLiteral(ORVANTA_TEST_DATA "/generator/switches/");

QString ReadUtf8(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

struct Generated
{
    QString script;
    QStringList remarks;
};

Generated Generate(const QString& source, const Afl::GeneratorSettings& s)
{
    Lex::ScriptView rEdit;
    rEdit.setText(source);
    Lex::ScriptView rGenAFL;
    Lex::ScriptView rUwagi;
    Lex::AnalysisContext context;
    const Afl::GenerationResult result =
        Afl::GenerateScript(rEdit, rGenAFL, rUwagi, context, s, s.showSignals);
    return {result.success ? rGenAFL.text() : QString(), rUwagi.lines()};
}

// A named security and account, alternate orders, one order a candle, a 5-minute interval,
// ten shares, no limit, comments.
Afl::GeneratorSettings Base()
{
    Afl::GeneratorSettings s;
    s.tickerMode = Afl::TickerMode::Defined;
    s.tickerName = u"KGHM"_s;
    s.accountMode = Afl::AccountMode::Defined;
    s.accountName = u"00-123"_s;
    s.signalMode = Afl::SignalMode::PreviousCandle;
    s.refresh = false;
    s.reverseOnly = true;
    s.oneOrderPerBar = true;
    s.intervalMode = Afl::IntervalMode::Standard;
    s.interval = 300;
    s.positionCount = 10;
    s.comments = true;
    return s;
}

Afl::SafetySwitches Switches(bool test, bool master, bool log, int cap)
{
    return {test, master, log, cap};
}

} // namespace

class TestSwitches : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void golden_data();
    void golden();
    void everyCombinationParses();
    void summary_data();
    void summary();
    void readLine_data();
    void readLine();
};

void TestSwitches::initTestCase()
{
    qputenv("SOURCE_DATE_EPOCH", "1706832000");
}

void TestSwitches::golden_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<Afl::GeneratorSettings>("settings");
    const auto row = [](const char* name, const char* source, Afl::GeneratorSettings s) {
        QTest::newRow(name) << QString::fromLatin1(source) << s;
    };
    Afl::GeneratorSettings s = Base();
    s.switches = Switches(true, false, false, 0);
    row("test-mode", "signals", s);
    s.switches = Switches(false, true, false, 0);
    s.comments = false;
    row("master-switch", "signals", s);
    s.switches = Switches(false, false, true, 0);
    s.comments = true;
    row("order-log", "signals", s);
    s.switches = Switches(false, false, false, 5);
    s.comments = false;
    row("daily-cap", "signals", s);
    s.switches = Switches(true, true, true, 10);
    s.comments = true;
    s.showSignals = true;
    row("all-four", "signals", s);

    // PEG orders with an absolute limit.
    s.comments = false;
    s.peg = true;
    s.orderMode = Afl::OrderMode::Limit;
    s.limitValue = 105.5;
    row("all-four-peg", "signals", s);
    s.switches.testMode = false;
    row("switch-log-cap-peg", "signals", s);

    // A percent limit and an activation limit (both functions), and a script that uses the
    // switches' names: they take the suffix _plug.
    s = Base();
    s.switches = Switches(true, true, true, 3);
    s.orderMode = Afl::OrderMode::Percent;
    s.limitValue = 1.5;
    s.referenceMode = Afl::ReferenceMode::LastTrade;
    s.activationMode = Afl::ActivationMode::Amount;
    s.activationValue = 0.5;
    row("all-four-activation-plug", "collisions", s);
    s.switches.testMode = false;
    row("switch-log-cap-activation-plug", "collisions", s);
}

void TestSwitches::golden()
{
    QFETCH(QString, source);
    QFETCH(Afl::GeneratorSettings, settings);
    const Generated out = Generate(ReadUtf8(DataDir + source + u".afl"_s), settings);
    QVERIFY(!out.script.isEmpty());
    // The date follows the locale; the golden files hold a mark in its place.
    QString text = out.script;
    text.replace(u"// "_s + Afl::HeaderDate() + u"\r\n"_s, u"// @DATE@\r\n"_s);
    const QString name = DataDir + QString::fromLatin1(QTest::currentDataTag());
    QCOMPARE(text, TestSupport::Golden(name + u".expected.afl"_s, text));
    // Test mode closes the remarks with one line of its own.
    QCOMPARE(out.remarks.last() == u"Tryb testowy: skrypt nie wysyła zleceń, tylko zapisuje je "
                                   u"w dzienniku i rysuje na wykresie."_s,
             settings.switches.testMode);
}

// Every combination of the switches, with other options varied, gives a script the parser
// reads without a diagnostic; test mode's calls no plug-in function.
void TestSwitches::everyCombinationParses()
{
    const QString source = ReadUtf8(DataDir + u"collisions.afl"_s);
    const QStringList plugin = {u"voxInit"_s,        u"voxAddTicker"_s, u"voxSetInterval"_s,
                                u"voxOnlyReverse"_s, u"voxPositions"_s, u"voxBuy"_s,
                                u"voxSell"_s,        u"voxBuyPEG"_s,    u"voxSellPEG"_s};
    for (int variant = 0; variant < 16; ++variant) {
        Afl::GeneratorSettings s;
        s.comments = variant & 1;
        s.reverseOnly = variant & 2;
        s.oneOrderPerBar = variant & 2;
        s.showSignals = variant & 4;
        s.signalMode = Afl::SignalMode(variant & 1);
        if (variant & 8) {
            s.tickerMode = Afl::TickerMode::Defined;
            s.tickerName = u"A\"B\\C"_s;
            s.positionUnit = Afl::PositionUnit::Value;
            s.positionValue = 5000;
            s.intervalMode = Afl::IntervalMode::Ticks;
            s.interval = -100;
        }
        switch (variant % 4) {
        case 0:
            break;
        case 1:
            s.peg = true;
            s.orderMode = Afl::OrderMode::Limit;
            s.limitValue = 12.5;
            break;
        default:
            s.orderMode = Afl::OrderMode::Percent;
            s.limitValue = 2;
            s.referenceMode = Afl::ReferenceMode(variant % 3);
            s.activationMode = Afl::ActivationMode(1 + variant % 2);
            s.activationValue = 1;
        }
        for (int on = 0; on < 16; ++on) {
            s.switches = Switches(on & 1, on & 2, on & 4, on & 8 ? 1 + variant * 6 : 0);
            const QString script = Generate(source, s).script;
            const QString what = u"variant %1, switches %2"_s.arg(variant).arg(on);
            QVERIFY2(!script.isEmpty(), qPrintable(what));
            const Syntax::SyntaxTree tree = Syntax::SyntaxTree::parse(script);
            for (const Syntax::Diagnostic& d : tree.diagnostics())
                QFAIL(qPrintable(what + u": "_s + QString::number(d.line) + u":"_s +
                                 QString::number(d.column) + u" "_s + d.message));
            for (const QString& name : plugin)
                QVERIFY2(!s.switches.testMode || !tree.name(name), qPrintable(what + name));
            QCOMPARE(bool(tree.name(u"sendOrder_plug"_s)), s.switches.any());
        }
    }
}

void TestSwitches::summary_data()
{
    QTest::addColumn<Afl::SafetySwitches>("switches");
    QTest::addColumn<QStringList>("values"); // empty: no heading of the switches
    QTest::newRow("all off") << Switches(false, false, false, 0) << QStringList{};
    QTest::newRow("test mode") << Switches(true, false, false, 0)
                               << QStringList{u"Tryb testowy (bez wysyłania zleceń)"_s};
    QTest::newRow("switch and cap") << Switches(false, true, false, 25)
                                    << QStringList{u"Włącznik zleceń w parametrach wykresu"_s,
                                                   u"Najwyżej 25 zleceń dziennie"_s};
    QTest::newRow("all four") << Switches(true, true, true, 10)
                              << QStringList{u"Tryb testowy (bez wysyłania zleceń)"_s,
                                             u"Włącznik zleceń w parametrach wykresu"_s,
                                             u"Zlecenia zapisywane w dzienniku"_s,
                                             u"Najwyżej 10 zleceń dziennie"_s};
}

void TestSwitches::summary()
{
    QFETCH(Afl::SafetySwitches, switches);
    QFETCH(QStringList, values);
    Afl::GeneratorSettings s;
    const QList<Afl::SummaryNode> plain = Afl::BuildSummary(s, u"5 minut"_s);
    s.switches = switches;
    QList<Afl::SummaryNode> tree = Afl::BuildSummary(s, u"5 minut"_s);
    if (values.isEmpty()) {
        QCOMPARE(tree.size(), 9);
        return;
    }
    // One heading more, right after "Zlecenia - transakcje: "; the others as they were.
    QCOMPARE(tree.size(), 10);
    QCOMPARE(tree.at(3).header, u"Zlecenia - transakcje: "_s);
    const Afl::SummaryNode added = tree.takeAt(4);
    QCOMPARE(added.header, u"Kontrola zleceń:"_s);
    QStringList shown;
    for (const Afl::SummaryValue& value : added.values)
        shown << value.text;
    QCOMPARE(shown, values);
    for (qsizetype i = 0; i < plain.size(); ++i) {
        QCOMPARE(tree.at(i).header, plain.at(i).header);
        QCOMPARE(tree.at(i).values.size(), plain.at(i).values.size());
    }
}

void TestSwitches::readLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("read"); // kind|security|buy|quantity|limit|activation|last
    QTest::newRow("test order") << u"ORVANTA|TEST|2024-03-15 09:30:00|KGHM|kupno|10|0|0"_s
                                << u"TEST|KGHM|1|10|0|0|"_s;
    QTest::newRow("logged call, no answer")
        << u"ORVANTA|ZLECENIE|2024-03-15 09:35:00|KGHM|sprzedaż|10|105.5|1.23457e+06|"_s
        << u"ZLECENIE|KGHM|0|10|105.5|1234570|"_s;
    QTest::newRow("cap, a security holding the separator")
        << u"ORVANTA|LIMIT|2024-03-15 10:05:00|A|B|kupno|3|0|0|osiągnięto"_s
        << u"LIMIT|A|B|1|3|0|0|osiągnięto"_s;
    QTest::newRow("another trace") << u"zwykły komunikat"_s << QString();
    QTest::newRow("unknown kind") << u"ORVANTA|INNE|t|X|kupno|1|0|0|x"_s << QString();
    QTest::newRow("cap without its reason") << u"ORVANTA|LIMIT|t|X|kupno|1|0|0"_s << QString();
    QTest::newRow("side unreadable") << u"ORVANTA|TEST|t|X|kup|1|0|0"_s << QString();
    QTest::newRow("number unreadable") << u"ORVANTA|TEST|t|X|kupno|1|0|x"_s << QString();
}

// The log lines are read back by the one definition that writes them.
void TestSwitches::readLine()
{
    QFETCH(QString, line);
    QFETCH(QString, read);
    const std::optional<Afl::OrderTrace::Line> got = Afl::OrderTrace::Read(line);
    QCOMPARE(got.has_value(), !read.isEmpty());
    if (!got)
        return;
    const QStringList fields{got->kind,
                             got->security,
                             QString::number(got->buy),
                             QString::number(got->quantity, 'g', 15),
                             QString::number(got->limit, 'g', 15),
                             QString::number(got->activation, 'g', 15),
                             got->last};
    QCOMPARE(fields.join(u'|'), read);
}

QTEST_GUILESS_MAIN(TestSwitches)
#include "tst_switches.moc"
