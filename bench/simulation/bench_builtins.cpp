// The built-in calls of the demo's finished script, run once per bar over the synthetic demo
// quotes with the arrays holding every bar up to that one, as the dry run will call them.
//   build/bench/orvanta_bench_builtins [BARS]      (default 2000)

#include "ByTenths.h"
#include "simulation/Environment.h"

#include <cstdio>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

using namespace Qt::Literals::StringLiterals;
using Sim::BinaryOp;
using Sim::Value;

namespace {

Value Call(Sim::Environment& env, const Sim::Builtin* builtin, const QList<Value>& args)
{
    return Sim::Invoke(*builtin, env, args);
}

// One run: examples/demo.afl, then the built-ins of the generated sections of demo.afp.
void RunScript(Sim::Environment& env)
{
    const Sim::Library& lib = env.library();
    static const Sim::Builtin* const param = lib.find(u"Param");
    static const Sim::Builtin* const ma = lib.find(u"MA");
    static const Sim::Builtin* const ema = lib.find(u"EMA");
    static const Sim::Builtin* const cross = lib.find(u"Cross");
    static const Sim::Builtin* const exRem = lib.find(u"ExRem");
    static const Sim::Builtin* const iif = lib.find(u"IIf");
    static const Sim::Builtin* const writeVal = lib.find(u"WriteVal");
    static const Sim::Builtin* const name = lib.find(u"Name");
    static const Sim::Builtin* const numToStr = lib.find(u"NumToStr");
    static const Sim::Builtin* const chartId = lib.find(u"GetChartID");
    static const Sim::Builtin* const get = lib.find(u"StaticVarGet");
    static const Sim::Builtin* const set = lib.find(u"StaticVarSet");
    static const Sim::Builtin* const nz = lib.find(u"Nz");
    static const Sim::Builtin* const lastValue = lib.find(u"LastValue");
    static const Sim::Builtin* const ref = lib.find(u"Ref");
    static const Sim::Builtin* const dateTime = lib.find(u"DateTime");
    static const Sim::Builtin* const diff = lib.find(u"DateTimeDiff");
    static const Sim::Builtin* const round = lib.find(u"int");

    const Value fastPeriod = Call(env, param, {Value(u"Szybka"_s), Value(10.0), Value(2.0)});
    const Value slowPeriod = Call(env, param, {Value(u"Wolna"_s), Value(30.0), Value(5.0)});
    const Value h = env.variable(u"h"_s), l = env.variable(u"l"_s), c = env.variable(u"c"_s);
    const Value cena =
        Sim::Apply(BinaryOp::Divide, Sim::Apply(BinaryOp::Add, Sim::Apply(BinaryOp::Add, h, l), c),
                   Value(3.0));
    const Value fast = Call(env, ma, {cena, fastPeriod});
    const Value slow = Call(env, ema, {cena, slowPeriod});
    const Value trend = Sim::Apply(BinaryOp::Greater, c, Call(env, ma, {c, Value(200.0)}));
    Value buy = Sim::Apply(BinaryOp::And, Call(env, cross, {fast, slow}), trend);
    Value sell = Call(env, cross, {slow, fast});
    buy = Call(env, exRem, {buy, sell});
    sell = Call(env, exRem, {sell, buy});
    Call(env, iif, {buy, Value(1.0), Value(0.0)});
    Call(env, iif, {sell, Value(2.0), Value(0.0)});
    Sim::Apply(BinaryOp::Add, Call(env, name, {}), Call(env, writeVal, {cena, Value(1.2)}));

    const Value symbol = Call(env, name, {});
    const Value id = Call(env, numToStr, {Call(env, chartId, {}), Value(1.0), Value(0.0)});
    const Value init =
        Sim::Apply(BinaryOp::Add, Value(u"Init"_s), Sim::Apply(BinaryOp::Add, symbol, id));
    const Value prevName =
        Sim::Apply(BinaryOp::Add, Value(u"PrevTime"_s), Sim::Apply(BinaryOp::Add, symbol, id));
    if (Sim::Condition(
            Sim::Apply(BinaryOp::Equal, Call(env, nz, {Call(env, get, {init})}), Value(0.0)))) {
        Call(env, set, {init, Value(1.0)});
        Call(env, set, {prevName, Value(0.0)});
    }
    const Value last = Call(env, lastValue, {Call(env, dateTime, {})});
    const Value previous = Call(env, get, {prevName});
    Call(env, set, {prevName, last});
    const Value newBar =
        Sim::Apply(BinaryOp::Greater, Call(env, diff, {last, previous}), Value(0.0));
    Sim::Apply(BinaryOp::And, Call(env, lastValue, {Call(env, ref, {buy, Value(-1.0)})}), newBar);
    Sim::Apply(BinaryOp::And, Call(env, lastValue, {Call(env, ref, {sell, Value(-1.0)})}), newBar);
    Call(env, round, {Sim::Apply(BinaryOp::Divide, Value(5000.0), Call(env, lastValue, {c}))});
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int wanted = argc > 1 ? std::atoi(argv[1]) : 2000;
    QFile file(QStringLiteral(ORVANTA_SOURCE_DIR "/examples/demo-notowania-syntetyczne.csv"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(file.fileName()));
    const Sim::QuotesRead read = Sim::ReadQuotes(QString::fromUtf8(file.readAll()));
    if (!read.ok())
        qFatal("%s", qPrintable(read.message()));
    const int bars = std::min<int>(wanted, int(read.quotes.bars.size()));

    Sim::Environment env;
    env.setQuotes(read.quotes);
    QElapsedTimer total;
    total.start();
    QList<qint64> perRun; // nanoseconds
    for (int n = 1; n <= bars; ++n) {
        QElapsedTimer one;
        one.start();
        env.beginRun(n);
        RunScript(env);
        perRun.append(one.nsecsElapsed());
    }
    const double seconds = total.nsecsElapsed() / 1e9;
    std::printf("built-ins of the demo script, one run per bar over %d bars: %.3f s\n", bars,
                seconds);
    PrintByTenths(perRun, "us per run");
    return 0;
}
