// The environment of runs: what outlives a run, the time frame, the predefined variables, and
// the built-ins the generated sections call.

#include "SimTestSupport.h"
#include "generator/Sections.h"
#include "simulation/DateTime.h"
#include "simulation/Environment.h"

#include <QRegularExpression>
#include <QSet>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

Sim::Environment TwoSessions(qsizetype bars = 12)
{
    const Sim::QuotesRead read = Sim::ReadQuotes(
        SimTest::ReadTestFile(QStringLiteral(ORVANTA_TEST_DATA "/simulation/two-sessions.csv")));
    Sim::Environment env;
    env.setQuotes(read.quotes);
    env.beginRun(bars);
    return env;
}

Sim::Value Run(Sim::Environment& env, const QString& name, const QList<Sim::Value>& args = {})
{
    const Sim::Builtin* builtin = env.library().find(name);
    if (!builtin)
        return Sim::Value(u"no function "_s + name);
    return Sim::Invoke(*builtin, env, args);
}

Sim::Value Text(const char* text)
{
    return Sim::Value(QString::fromUtf8(text));
}

QString Shown(const Sim::Value& v)
{
    return SimTest::Show(v);
}

} // namespace

class TestEnvironment : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void generatedSectionsCallOnlyBuiltins();
    void staticVariablesOutliveRuns();
    void newBarTestOfTheGeneratedScript();
    void traceParamsAndPopups();
    void dailyTimeFrame();
    void predefinedVariables();
    void laterFunctionsJoinTheRun();
};

void TestEnvironment::generatedSectionsCallOnlyBuiltins()
{
    // Every function the sections call, under settings that switch each section's branches,
    // is a built-in, a function the sections define, or a plug-in function (the replay's).
    const QRegularExpression call(u"\\b([A-Za-z_]\\w*)\\s*\\("_s);
    const QRegularExpression word(u"\\b(color|shape|style|in)[A-Z]\\w*|\\b(True|False)\\b"_s);
    const QRegularExpression strings(u"\"(\\\\.|[^\"\\\\])*\"|//[^\\r\\n]*"_s);
    const Sim::Library& library = Sim::StandardLibrary();
    QSet<QString> missing;
    int combinations = 0;
    for (int variant = 0; variant < 64; ++variant) {
        Afl::GeneratorSettings s;
        s.tickerMode = Afl::TickerMode(variant & 1);
        s.tickerName = s.tickerMode == Afl::TickerMode::Defined ? u"KGHM"_s : QString();
        s.signalMode = Afl::SignalMode((variant >> 1) & 1);
        s.reverseOnly = (variant >> 2) & 1;
        s.oneOrderPerBar = s.reverseOnly;
        s.intervalMode = Afl::IntervalMode((variant >> 3) & 1);
        s.interval = 300;
        s.positionMode = Afl::PositionMode((variant >> 4) & 1);
        s.positionUnit = Afl::PositionUnit((variant >> 5) & 1);
        s.positionCount = 10;
        s.positionValue = 5000;
        s.orderMode = Afl::OrderMode(variant % 3);
        s.limitValue = 1;
        s.referenceMode = Afl::ReferenceMode(variant % 3);
        s.otherPrice = 50;
        s.activationMode = Afl::ActivationMode((variant / 3) % 3);
        s.activationValue = 2;
        s.comments = variant & 2;
        s.peg = variant & 8;
        const Afl::Sections sections = Afl::GenerateSections(s, {}, u"2024-03-15"_s);
        QString code = sections.header + sections.buy + sections.sell + sections.plot;
        code.replace(strings, u"\"\""_s);
        QSet<QString> defined;
        for (const auto& m : QRegularExpression(u"function\\s+(\\w+)"_s).globalMatch(code))
            defined.insert(m.captured(1).toCaseFolded());
        for (const auto& m : call.globalMatch(code)) {
            const QString name = m.captured(1);
            const QString folded = name.toCaseFolded();
            if (folded == u"if" || folded.startsWith(u"vox") || defined.contains(folded))
                continue;
            if (!library.find(name))
                missing.insert(name);
        }
        for (const auto& m : word.globalMatch(code)) {
            if (!library.constant(m.captured(0)))
                missing.insert(m.captured(0));
        }
        ++combinations;
    }
    QCOMPARE(combinations, 64);
    QVERIFY2(missing.isEmpty(), qPrintable(QStringList(missing.values()).join(u", ")));
}

void TestEnvironment::staticVariablesOutliveRuns()
{
    Sim::Environment env = TwoSessions(3);
    // Never set: Null, so Nz(StaticVarGet(...)) == 0 as the initialisation section asks.
    QCOMPARE(Shown(Run(env, u"StaticVarGet"_s, {Text("InitKGHM1")})), u"{EMPTY}"_s);
    QCOMPARE(Shown(Run(env, u"Nz"_s, {Run(env, u"StaticVarGet"_s, {Text("InitKGHM1")})})), u"0"_s);
    QCOMPARE(Shown(Run(env, u"StaticVarSet"_s, {Text("InitKGHM1"), Sim::Value(1.0)})), u"1"_s);
    Run(env, u"StaticVarSet"_s, {Text("series"), env.variable(u"C"_s)});
    Run(env, u"StaticVarSetText"_s, {Text("id"), Text("SIM-1")});

    env.beginRun(5, 2);
    QCOMPARE(Shown(Run(env, u"StaticVarGet"_s, {Text("initkghm1")})), u"1"_s);
    // An array kept from a run of 3 bars, aligned at the first bar of a run of 5.
    QCOMPARE(Shown(Run(env, u"StaticVarGet"_s, {Text("series")})), u"[10.5 11.5 12 N N]"_s);
    QCOMPARE(Shown(Run(env, u"StaticVarGetText"_s, {Text("id")})), u"'SIM-1'"_s);
    QCOMPARE(Shown(Run(env, u"StaticVarGetText"_s, {Text("InitKGHM1")})), u"'1'"_s);
    QCOMPARE(Shown(Run(env, u"StaticVarGetText"_s, {Text("none")})), u"''"_s);
    Run(env, u"StaticVarRemove"_s, {Text("id")});
    QCOMPARE(Shown(Run(env, u"StaticVarGetText"_s, {Text("id")})), u"''"_s);

    // A restart forgets them.
    env.statics().clear();
    env.beginRun(6);
    QCOMPARE(Shown(Run(env, u"StaticVarGet"_s, {Text("InitKGHM1")})), u"{EMPTY}"_s);
}

void TestEnvironment::newBarTestOfTheGeneratedScript()
{
    // isNewBar(): DateTimeDiff(LastValue(DateTime()), StaticVarGet(svPrevTime)) > 0, the time
    // then kept for the next run. True once per bar, whatever the number of runs.
    Sim::Environment env = TwoSessions();
    Run(env, u"StaticVarSet"_s, {Text("PrevTime"), Sim::Value(0.0)});
    QList<bool> seen;
    for (const auto& [bars, run] : {std::pair{10, 0}, {10, 1}, {10, 2}, {11, 0}, {11, 1}}) {
        env.beginRun(bars, run);
        const Sim::Value last = Run(env, u"LastValue"_s, {Run(env, u"DateTime"_s)});
        const Sim::Value previous = Run(env, u"StaticVarGet"_s, {Text("PrevTime")});
        Run(env, u"StaticVarSet"_s, {Text("PrevTime"), last});
        const Sim::Value diff = Run(env, u"DateTimeDiff"_s, {last, previous});
        seen.append(Sim::Condition(Sim::Apply(Sim::BinaryOp::Greater, diff, Sim::Value(0.0))));
    }
    QCOMPARE(seen, (QList<bool>{true, false, false, true, false}));
}

void TestEnvironment::traceParamsAndPopups()
{
    Sim::Environment env = TwoSessions(4);
    Run(env, u"_TRACE"_s, {Text("kupno 10 szt.")});
    Run(env, u"Param"_s, {Text("Okres"), Sim::Value(10.0), Sim::Value(2.0), Sim::Value(50.0)});
    env.beginRun(5, 1);
    Run(env, u"_trace"_s, {Text("sprzedaż")});
    Run(env, u"Param"_s, {Text("Okres"), Sim::Value(10.0)});
    Run(env, u"ParamToggle"_s, {Text("Zlecenia"), Text("Nie|Tak")});
    Run(env, u"PopupWindow"_s, {Text("treść"), Text("UWAGA!"), Sim::Value(10.0)});
    Run(env, u"RequestTimedRefresh"_s, {Sim::Value(5.0), Sim::Value(0.0)});

    QCOMPARE(env.traces().size(), 2);
    QCOMPARE(env.traces()[0].bar, 3);
    QCOMPARE(env.traces()[0].run, 0);
    QCOMPARE(env.traces()[1].bar, 4);
    QCOMPARE(env.traces()[1].run, 1);
    QCOMPARE(env.traces()[1].text, u"sprzedaż"_s);
    QCOMPARE(env.params().size(), 2);
    QCOMPARE(env.params()[0].function, u"Param"_s);
    QCOMPARE(env.params()[0].name, u"Okres"_s);
    QCOMPARE(env.params()[0].value, u"10"_s);
    QCOMPARE(env.params()[1].value, u"0"_s);
    QCOMPARE(env.popups().size(), 1);
    QCOMPARE(env.popups()[0].caption, u"UWAGA!"_s);
    QCOMPARE(env.popups()[0].bar, 4);
    QCOMPARE(env.refreshSeconds(), 5.0);
}

void TestEnvironment::dailyTimeFrame()
{
    // Two sessions of six bars become two daily bars at the end; BarCount stays 12.
    Sim::Environment env = TwoSessions();
    Run(env, u"TimeFrameSet"_s, {*env.library().constant(u"inDaily")});
    const QString nulls = u"N N N N N N N N N N "_s;
    QCOMPARE(Shown(env.variable(u"O"_s)), u"["_s + nulls + u"10 10.8]"_s);
    QCOMPARE(Shown(env.variable(u"High"_s)), u"["_s + nulls + u"12.5 13.2]"_s);
    QCOMPARE(Shown(env.variable(u"L"_s)), u"["_s + nulls + u"9 10.5]"_s);
    QCOMPARE(Shown(env.variable(u"C"_s)), u"["_s + nulls + u"10.8 12.8]"_s);
    QCOMPARE(Shown(env.variable(u"V"_s)), u"["_s + nulls + u"750 910]"_s);
    QCOMPARE(Shown(env.variable(u"BarCount"_s)), u"12"_s);
    QCOMPARE(Shown(Run(env, u"DateNum"_s)), u"["_s + nulls + u"1240314 1240315]"_s);
    QCOMPARE(Shown(Run(env, u"Interval"_s)), u"86400"_s);
    // The generated limit reads the daily close of its own security.
    QCOMPARE(
        Shown(Run(env, u"LastValue"_s, {Run(env, u"FOREIGN"_s, {Text("TEST"), Text("Close")})})),
        u"12.8"_s);
    QCOMPARE(Shown(Run(env, u"MA"_s, {env.variable(u"C"_s), Sim::Value(2.0)})),
             u"["_s + nulls + u"N 11.8]"_s);
    Run(env, u"TimeFrameRestore"_s);
    QCOMPARE(Shown(env.variable(u"C"_s)),
             u"[10.5 11.5 12 11 10.2 10.8 11.8 12.7 12.1 11.3 11.6 12.8]"_s);
    QCOMPARE(Shown(Run(env, u"Interval"_s)), u"300"_s);

    // Hourly bars carry the start of their hour.
    Run(env, u"TimeFrameSet"_s, {*env.library().constant(u"inHourly")});
    QCOMPARE(Shown(env.variable(u"C"_s)), u"["_s + nulls + u"10.8 12.8]"_s);
    QCOMPARE(Shown(Run(env, u"TimeNum"_s)), u"["_s + nulls + u"160000 90000]"_s);
    Run(env, u"TimeFrameSet"_s, {*env.library().constant(u"inWeekly")});
    QCOMPARE(Shown(env.variable(u"H"_s)), u"[N N N N N N N N N N N 13.2]"_s);
}

void TestEnvironment::predefinedVariables()
{
    Sim::Environment env = TwoSessions(5);
    QCOMPARE(env.barCount(), 5);
    QCOMPARE(env.bar(), 4);
    QCOMPARE(Shown(env.variable(u"BarCount"_s)), u"5"_s);
    QCOMPARE(Shown(env.variable(u"close"_s)), u"[10.5 11.5 12 11 10.2]"_s);
    QCOMPARE(Shown(env.variable(u"C"_s)), Shown(env.variable(u"Close"_s)));
    QCOMPARE(Shown(env.variable(u"BuyPrice"_s)), Shown(env.variable(u"C"_s)));
    QCOMPARE(Shown(env.variable(u"SellPrice"_s)), Shown(env.variable(u"C"_s)));
    QCOMPARE(Shown(env.variable(u"Avg"_s)),
             u"[10.16666667 11.16666667 11.83333333 11.33333333 10.56666667]"_s);
    QVERIFY(env.variable(u"Buy"_s).isNone());
    QVERIFY(env.variable(u"Title"_s).isNone());
    // A new run forgets the variables of the last one.
    env.setVariable(u"Buy"_s, Sim::Value(1.0));
    env.beginRun(6);
    QVERIFY(env.variable(u"Buy"_s).isNone());
    QCOMPARE(Shown(env.variable(u"BarCount"_s)), u"6"_s);
    QCOMPARE(Sim::DateTimeText(env.now()), u"2024-03-14 16:55:00"_s);
}

void TestEnvironment::laterFunctionsJoinTheRun()
{
    // The replay registers its own functions (the plug-in recorder) in a run's library only.
    Sim::Environment env = TwoSessions(2);
    int calls = 0;
    env.library().add(u"voxPositions"_s, 1, 1, {Sim::ArgKind::String}, [&calls](Sim::Call& c) {
        ++calls;
        return Sim::Value(Sim::Number(c.string(0).size()));
    });
    QCOMPARE(Shown(Run(env, u"VOXPOSITIONS"_s, {Text("KGHM")})), u"4"_s);
    QCOMPARE(calls, 1);
    QVERIFY(!Sim::StandardLibrary().find(u"voxPositions"));
    QVERIFY_THROWS_EXCEPTION(Sim::RunError, Run(env, u"voxPositions"_s, {Sim::Value(1.0)}));
}

QTEST_GUILESS_MAIN(TestEnvironment)
#include "tst_environment.moc"
