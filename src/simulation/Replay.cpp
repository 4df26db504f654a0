#include "simulation/Replay.h"

#include "simulation/DateTime.h"
#include "simulation/SimTexts.h"

#include <algorithm>
#include <cmath>

namespace Sim {

namespace {

constexpr qint64 SecondsPerDay = 86400;

// True when a restart moment (restartTime on some day) lies after the previous bar's time
// and at or before this bar's.
bool RestartBefore(Number previous, Number now, int restartTime)
{
    const qint64 seconds = qint64(std::floor(now));
    qint64 day =
        seconds >= 0 ? seconds / SecondsPerDay : -((-seconds + SecondsPerDay - 1) / SecondsPerDay);
    if (seconds - day * SecondsPerDay < restartTime)
        --day;
    return Number(day * SecondsPerDay + restartTime) > previous;
}

} // namespace

QString ReplayFailure::text() const
{
    return Texts::AtBar(bar + 1, DateTimeText(time), run + 1, where.text());
}

ReplayResult Replay(const ScriptSource& script, const Quotes& quotes, const ReplayOptions& options,
                    const ReplayProgress& progress)
{
    ReplayResult result;
    const Program program = Program::Load(script);
    if (!program.ok()) {
        result.status = ReplayStatus::NotRun;
        result.diagnostics = program.diagnostics();
        return result;
    }

    Environment env;
    env.setQuotes(quotes);
    env.setParamValues(options.params);
    PluginRecorder recorder(options.startingHolding);
    recorder.setTraceReader(options.readTrace);
    recorder.install(env);
    Interpreter interpreter(program, env);
    interpreter.setStepLimit(options.stepLimit);

    const Array& times = quotes.bars.dateTime;
    const int bars = int(quotes.bars.size());
    const int refreshes = std::max(1, options.refreshesPerBar);
    QList<Number> testHoldingByBar;
    result.status = ReplayStatus::Ran;
    for (int bar = 0; bar < bars && result.status == ReplayStatus::Ran; ++bar) {
        if (options.restartTime && bar > 0 &&
            RestartBefore(times[bar - 1], times[bar], *options.restartTime)) {
            env.statics().clear();
            recorder.restart();
            result.restarts.append(bar);
        }
        const qsizetype ordersBefore = recorder.orders().size();
        for (int run = 0; run < refreshes; ++run) {
            env.beginRun(bar + 1, run);
            if (std::optional<RunFailure> failure = interpreter.run()) {
                result.status = ReplayStatus::Failed;
                result.failure = ReplayFailure{bar, times[bar], run, std::move(*failure)};
                break;
            }
        }
        ++result.barsRun;
        result.holdingByBar.append(recorder.holding());
        testHoldingByBar.append(recorder.testHolding());

        int wentOut = 0;
        for (qsizetype i = ordersBefore; i < recorder.orders().size(); ++i)
            wentOut += recorder.orders()[i].status != OrderStatus::Refused;
        if (wentOut > result.counts.mostPerBar) {
            result.counts.mostPerBar = wentOut;
            result.counts.mostPerBarAt = bar;
        }
        if (progress && !progress(bar + 1, bars) && result.status == ReplayStatus::Ran)
            result.status = ReplayStatus::Cancelled;
    }

    result.orders = recorder.orders();
    result.calls = recorder.calls();
    for (const OrderRow& row : result.orders) {
        result.counts.sent += row.status == OrderStatus::Sent;
        result.counts.refused += row.status == OrderStatus::Refused;
        result.counts.testMode += row.status == OrderStatus::TestMode;
    }
    // A test script sends nothing: the holding it trades with is its own.
    if (result.counts.testMode > 0)
        result.holdingByBar = std::move(testHoldingByBar);
    for (const TraceLine& line : env.traces())
        result.traces.append({line.bar, times.value(line.bar, Null), line.run, line.text});
    result.params = env.params();
    result.popups = env.popups();
    return result;
}

} // namespace Sim
