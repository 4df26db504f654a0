// Throughput of load, colouring, FindSignalsEnd, generation and the whole pipeline by size.

#include "analysis/AnalysisContext.h"
#include "analysis/Highlighter.h"
#include "analysis/Rewriter.h"
#include "analysis/ScriptView.h"
#include "generator/GeneratorSettings.h"
#include "generator/Pipeline.h"
#include "platform/TextFile.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>

namespace {

// A realistic script of exactly `lines` lines: parameters, indicators, comments, strings, a
// user function, loops, stops and plots repeated in blocks; the signals close each block.
QByteArray makeScript(int lines)
{
    static const char* const block[] = {
        "// ---- block %1: moving averages and filters ----",
        "fastPeriod%1 = Param(\"Szybka %1\", 10, 2, 100, 1);",
        "slowPeriod%1 = Param(\"Wolna %1\", 30, 5, 250, 1);",
        "cena%1 = (H + L + C) / 3; /* typical price */",
        "fast%1 = MA(cena%1, fastPeriod%1);",
        "slow%1 = EMA(cena%1, slowPeriod%1);",
        "trend%1 = IIf(C > MA(C, 200), 1, 0);",
        "function Score%1(x, n)",
        "{",
        "    s = 0;",
        "    for (i = 1; i < n; i++)",
        "    {",
        "        s = s + Ref(x, -i) * i; // weighted",
        "    }",
        "    return s / n;",
        "}",
        "sc%1 = Score%1(C, 5);",
        "vol%1 = V > 1.5 * MA(V, 20) AND StrLen(Name()) > 0;",
        "Buy = Cross(fast%1, slow%1) AND trend%1 AND vol%1;",
        "Sell = Cross(slow%1, fast%1) OR sc%1 < 0;",
        "ApplyStop(stopTypeLoss, stopModePercent, 3, 1);",
        "Plot(C, \"Kurs %1\", colorDefault, styleCandle);",
        "PlotShapes(IIf(Buy, shapeUpArrow, shapeNone), colorGreen, 0, L, -12);",
        "Title = Name() + \" - \" + WriteVal(cena%1, 1.2);",
        "",
    };
    constexpr int blockLines = int(std::size(block));
    QByteArray text;
    text.reserve(qsizetype(lines) * 40);
    for (int i = 0; i < lines; ++i) {
        const QByteArray n = QByteArray::number(i / blockLines);
        text += QByteArray(block[i % blockLines]).replace("%1", n) + "\r\n";
    }
    return text;
}

// One run of each measurement only (for profiling with callgrind).
bool g_once = false;

// CPU time of this thread in seconds: time spent waiting for a core on a busy machine
// does not count, while the kernel's work for the thread (page faults) does.
double threadSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

// Best CPU time in seconds of fn over at least three runs and about half a second.
double best(const std::function<void()>& fn)
{
    double bestTime = 1e300;
    QElapsedTimer total;
    total.start();
    int runs = 0;
    do {
        const double start = threadSeconds();
        fn();
        bestTime = std::min(bestTime, threadSeconds() - start);
        ++runs;
    } while (!g_once && runs < 50 && (runs < 3 || total.nsecsElapsed() < 500'000'000LL));
    return bestTime;
}

struct Row
{
    int lines = 0;
    double load = 0, colour = 0, signalsEnd = 0, generate = 0, pipeline = 0, floor = 0;
};

Row measure(const QString& path, int lines)
{
    Row row;
    row.lines = lines;
    row.floor = best([&] {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            qFatal("cannot read %s", qPrintable(path));
        QStringDecoder decoder(QStringDecoder::Utf8);
        const QString text = decoder(file.readAll());
        if (text.isEmpty())
            qFatal("empty");
    });

    Platform::ReadResult file;
    row.load = best([&] { file = Platform::ReadTextFile(path); });
    if (!file.ok || file.lines.size() != lines)
        qFatal("load failed: %s", qPrintable(file.error));

    Lex::AnalysisContext context;
    Lex::ScriptView view;
    view.setLines(file.lines);
    // A view keeps its word index until its text changes: each run colours a new view.
    row.colour = best([&] {
        Lex::ScriptView fresh;
        fresh.setText(view.text());
        Lex::HighlightScript(fresh, context.reservedNames());
    });
    Lex::HighlightScript(view, context.reservedNames());
    row.signalsEnd = best([&] {
        if (Lex::FindSignalsEnd(view) <= 0)
            qFatal("no signals found");
    });

    const Afl::GeneratorSettings settings;
    row.generate = best([&] {
        Lex::ScriptView gen, remarks;
        if (!Afl::GenerateScript(view, gen, remarks, context, settings, false).success)
            qFatal("generation failed");
    });
    row.pipeline = best([&] {
        const Platform::ReadResult read = Platform::ReadTextFile(path);
        Lex::ScriptView rEdit, rGenAFL, rUwagi;
        rEdit.setLines(read.lines);
        Lex::HighlightScript(rEdit, context.reservedNames());
        Afl::GenerateScript(rEdit, rGenAFL, rUwagi, context, settings, false);
    });
    return row;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // "--once N": one run of each measurement at N lines, to profile it.
    QList<int> sizes{1000, 10000, 100000};
    const QStringList args = app.arguments();
    // "--script N FILE": writes the script of N lines the bench measures (for bench/startup).
    if (args.size() == 4 && args.at(1) == QLatin1String("--script")) {
        QFile out(args.at(3));
        return out.open(QIODevice::WriteOnly) && out.write(makeScript(args.at(2).toInt())) >= 0 ? 0
                                                                                                : 1;
    }
    if (args.size() == 3 && args.at(1) == QLatin1String("--once")) {
        g_once = true;
        sizes = {args.at(2).toInt()};
    }
    QTemporaryDir dir;
    QList<Row> rows;
    for (int lines : sizes) {
        const QString path = dir.filePath(QStringLiteral("bench%1.afl").arg(lines));
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly) || out.write(makeScript(lines)) < 0)
            qFatal("cannot write %s", qPrintable(path));
        out.close();
        rows.append(measure(path, lines));
    }

    auto rate = [](int lines, double seconds) { return seconds > 0 ? lines / seconds : 0.0; };
    std::printf("%-10s %12s %12s %12s %12s %12s %12s\n", "lines/s", "load", "colour", "signalsEnd",
                "generate", "pipeline", "floor ms");
    for (const Row& r : rows) {
        std::printf("%-10d %12.0f %12.0f %12.0f %12.0f %12.0f %12.3f\n", r.lines,
                    rate(r.lines, r.load), rate(r.lines, r.colour), rate(r.lines, r.signalsEnd),
                    rate(r.lines, r.generate), rate(r.lines, r.pipeline), r.floor * 1e3);
    }
    const Row& small = rows.first();
    const Row& large = rows.last();
    auto ratio = [&](double smallTime, double largeTime) {
        return rate(large.lines, largeTime) / rate(small.lines, smallTime);
    };
    std::printf("%-10s %12.2f %12.2f %12.2f %12.2f %12.2f %12s\n", "100k/1k",
                ratio(small.load, large.load), ratio(small.colour, large.colour),
                ratio(small.signalsEnd, large.signalsEnd), ratio(small.generate, large.generate),
                ratio(small.pipeline, large.pipeline), "");
    // The pipeline against reading and decoding the file once, and against the load and one
    // colouring pass (reading the file into the text model and scanning it once).
    std::printf("\npipeline at %d lines: %.1f ms = %.0f x read and decode (%.3f ms), %.2f x load "
                "and one colouring (%.1f ms)\n",
                large.lines, large.pipeline * 1e3, large.pipeline / large.floor, large.floor * 1e3,
                large.pipeline / (large.load + large.colour), (large.load + large.colour) * 1e3);
    return 0;
}
