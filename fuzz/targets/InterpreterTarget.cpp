// Any text run as a script: a replay over six bars of two sessions, two refreshes a bar, a
// restart between the sessions and a small step limit. It ends, and what it records holds
// together: the status matches its reasons, the holding follows the orders sent, every row
// and trace names a bar and run that were run, and a second replay gives the same.

#include "FuzzTargets.h"
#include "simulation/DateTime.h"
#include "simulation/Replay.h"

namespace Fuzz {

namespace {

Sim::Quotes SixBars()
{
    Sim::Quotes quotes;
    quotes.ticker = QStringLiteral("FUZZ");
    quotes.interval = 300;
    const struct
    {
        int day, hour, minute;
        double open, high, low, close;
    } bars[] = {
        {14, 16, 45, 10, 11, 9, 10.5},   {14, 16, 50, 10.5, 12, 10, 11.5},
        {14, 16, 55, 11.5, 12, 11, 11},  {15, 9, 0, 11, 11.5, 10, 10.2},
        {15, 9, 5, 10.2, 11, 9.5, 10.8}, {15, 9, 10, 10.8, 12, 10.5, 11.8},
    };
    for (const auto& b : bars) {
        quotes.bars.dateTime.append(Sim::EncodeDateTime(2024, 3, b.day, b.hour, b.minute));
        quotes.bars.open.append(b.open);
        quotes.bars.high.append(b.high);
        quotes.bars.low.append(b.low);
        quotes.bars.close.append(b.close);
        quotes.bars.volume.append(100);
        quotes.bars.openInterest.append(0);
    }
    return quotes;
}

// Two files to include: a function library, and one that includes itself.
std::optional<QString> ReadInclude(const QString& path)
{
    if (path == u"/fuzz/lib.afl")
        return QStringLiteral("function twice(x) { return 2 * x; }\nlibLoaded = 1;\n");
    if (path == u"/fuzz/self.afl")
        return QStringLiteral("#include \"self.afl\"\n");
    return std::nullopt;
}

void CheckResult(const Sim::ReplayResult& r, const Sim::ReplayOptions& options, int lines)
{
    using Sim::ReplayStatus;
    FUZZ_CHECK((r.status == ReplayStatus::NotRun) == !r.diagnostics.isEmpty());
    FUZZ_CHECK((r.status == ReplayStatus::Failed) == r.failure.has_value());
    FUZZ_CHECK(r.status != ReplayStatus::Cancelled);
    FUZZ_CHECK(r.status != ReplayStatus::Ran || r.barsRun == 6);
    FUZZ_CHECK(r.holdingByBar.size() == r.barsRun);
    for (const Sim::ScriptDiagnostic& d : r.diagnostics)
        FUZZ_CHECK(!d.message.isEmpty() && d.line >= 1 && d.column >= 1);
    if (r.failure) {
        FUZZ_CHECK(!r.failure->where.message.isEmpty());
        FUZZ_CHECK(r.failure->bar == r.barsRun - 1 && r.failure->run < options.refreshesPerBar);
        FUZZ_CHECK(r.failure->where.line >= 1);
        FUZZ_CHECK(!r.failure->where.file.isEmpty() || r.failure->where.line <= lines);
    }

    Sim::Number holding = options.startingHolding;
    int sent = 0;
    for (const Sim::OrderRow& row : r.orders) {
        FUZZ_CHECK(row.bar >= 0 && row.bar < r.barsRun && row.run < options.refreshesPerBar);
        if (row.status == Sim::OrderStatus::Sent) {
            holding += row.side == Sim::OrderSide::Buy ? row.quantity : -row.quantity;
            FUZZ_CHECK(row.answer == QStringLiteral("SIM-%1").arg(++sent));
        } else {
            FUZZ_CHECK(row.answer.isEmpty() && !row.reason.isEmpty());
        }
        FUZZ_CHECK(row.holdingAfter == holding);
    }
    FUZZ_CHECK(r.counts.sent == sent);
    FUZZ_CHECK(r.counts.sent + r.counts.refused + r.counts.testMode == r.orders.size());
    FUZZ_CHECK(r.counts.mostPerBar <= r.counts.sent);
    for (const Sim::ReplayTrace& trace : r.traces)
        FUZZ_CHECK(trace.bar >= 0 && trace.bar < r.barsRun && trace.run < options.refreshesPerBar);
    for (const int bar : r.restarts)
        FUZZ_CHECK(bar == 3);
}

QString Summary(const Sim::ReplayResult& r)
{
    QString text = QString::number(int(r.status)) + u' ' + QString::number(r.orders.size()) + u' ' +
                   QString::number(r.traces.size());
    if (r.failure)
        text += r.failure->text();
    for (const Sim::ScriptDiagnostic& d : r.diagnostics)
        text += d.text();
    return text;
}

} // namespace

int Interpret(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    Sim::ReplayOptions options;
    options.refreshesPerBar = 2;
    options.stepLimit = 20000;
    options.restartTime = 9 * 3600;
    options.startingHolding = Sim::Number(size % 3);
    const Sim::ScriptSource script{text, QStringLiteral("/fuzz"), ReadInclude};
    const Sim::Quotes quotes = SixBars();

    const Sim::ReplayResult result = Sim::Replay(script, quotes, options);
    CheckResult(result, options, int(text.count(u'\n') + text.count(u'\r') + 1));
    const Sim::ReplayResult again = Sim::Replay(script, quotes, options);
    FUZZ_CHECK(Summary(again) == Summary(result));
    return 0;
}

} // namespace Fuzz
