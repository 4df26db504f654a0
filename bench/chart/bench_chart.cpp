// The dry run's chart of the demo project over the demo quotes (replayed once, up front): the
// layout and the painting of a PNG-sized image, repeated, for a growing number of bars.
//   build/bench/orvanta_bench_chart [WIDTH HEIGHT]      (default 1200 700)

#include "../simulation/BenchFiles.h"
#include "chart/Painter.h"
#include "simulation/Replay.h"

#include <cstdio>

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QSize size =
        argc > 2 ? QSize(std::atoi(argv[1]), std::atoi(argv[2])) : Chart::DefaultImageSize;
    const Sim::Quotes demo = DemoQuotes();
    const Sim::ReplayResult full = Sim::Replay({DemoScript(), QString(), {}}, demo);

    std::printf("| bars | layout ms | layout and paint ms |\n|---:|---:|---:|\n");
    constexpr int Rounds = 20;
    for (qsizetype bars : {100, 500, 1000, 2496}) {
        Sim::Quotes quotes = demo;
        quotes.bars = quotes.bars.first(bars);
        Sim::ReplayResult result = full;
        result.barsRun = int(bars);
        result.holdingByBar = full.holdingByBar.first(bars);
        result.orders.removeIf([bars](const Sim::OrderRow& row) { return row.bar >= bars; });

        QImage image(size, QImage::Format_RGB32);
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < Rounds; ++i)
            (void)Chart::Layout(quotes, result, QRectF(QPointF(), size), Chart::ChartFont());
        const double layout = clock.nsecsElapsed() / 1e6 / Rounds;
        clock.restart();
        for (int i = 0; i < Rounds; ++i) {
            QPainter painter(&image);
            Chart::Paint(painter, Chart::Layout(quotes, result, QRectF(QPointF(), size),
                                                Chart::ChartFont()));
        }
        const double both = clock.nsecsElapsed() / 1e6 / Rounds;
        std::printf("| %lld | %.2f | %.2f |\n", static_cast<long long>(bars), layout, both);
    }
    return 0;
}
