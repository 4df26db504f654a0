// The dry run of the demo's finished script (`orvanta generate examples/demo.afp`) over the
// synthetic demo quotes, one refresh a bar: the whole replay, and the cost of a bar by tenths
// of the run, which grows with the bars a run sees.
//   build/bench/orvanta_bench_replay [BARS [REFRESHES]]      (default 2000 1)

#include "BenchFiles.h"
#include "ByTenths.h"
#include "simulation/Replay.h"

#include <cstdio>

#include <QCoreApplication>
#include <QElapsedTimer>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int wanted = argc > 1 ? std::atoi(argv[1]) : 2000;
    Sim::ReplayOptions options;
    options.refreshesPerBar = argc > 2 ? std::max(1, std::atoi(argv[2])) : 1;

    const QString script = DemoScript();
    Sim::Quotes quotes = DemoQuotes();
    quotes.bars = quotes.bars.first(std::min<qsizetype>(wanted, quotes.bars.size()));
    const int bars = int(quotes.bars.size());

    QList<qint64> perBar; // nanoseconds
    perBar.reserve(bars);
    QElapsedTimer clock;
    qint64 last = 0;
    clock.start();
    const Sim::ReplayResult result =
        Sim::Replay({script, QString(), {}}, quotes, options, [&](int, int) {
            const qint64 now = clock.nsecsElapsed();
            perBar.append(now - last);
            last = now;
            return true;
        });
    const double seconds = clock.nsecsElapsed() / 1e9;
    if (result.status != Sim::ReplayStatus::Ran)
        qFatal("the replay did not run: %s",
               qPrintable(result.failure ? result.failure->text()
                                         : result.diagnostics.value(0).text()));

    std::printf("replay of the demo's finished script, %d refresh(es) a bar over %d bars: "
                "%.3f s (goal: under 2 s for 2000 bars, 1 refresh); %d orders sent\n",
                options.refreshesPerBar, bars, seconds, result.counts.sent);
    PrintByTenths(perBar, "us per bar");
    return 0;
}
