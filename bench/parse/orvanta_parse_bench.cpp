// Parse rate of the AFL front end by size, against reading and decoding the same file once.

#include "syntax/SyntaxTree.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>

namespace {

// The script of orvanta_bench, line for line: a 25-line block of parameters, indicators,
// comments, strings, a user function with a loop, signals and plots, repeated.
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

bool g_once = false;

// CPU time of this thread in seconds.
double threadSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

struct Turns
{
    /// The best CPU time in seconds of each function.
    std::vector<double> best;
    /// How often each function ran.
    int runs = 0;
};

// Runs each of fns five times in a row, then the next, in turns for at least three rounds
// and about a second, and keeps the best CPU time of each. Each function is timed alike: warm
// from the runs before it, at the same moments of a machine shared with other work.
Turns bestInTurns(const std::vector<std::function<void()>>& fns)
{
    constexpr int RunsInARow = 5;
    std::vector<double> best(fns.size(), 1e300);
    QElapsedTimer total;
    total.start();
    int rounds = 0;
    do {
        for (std::size_t i = 0; i < fns.size(); ++i) {
            for (int run = 0; run < (g_once ? 1 : RunsInARow); ++run) {
                const double start = threadSeconds();
                fns[i]();
                best[i] = std::min(best[i], threadSeconds() - start);
            }
        }
        ++rounds;
    } while (!g_once && rounds < 40 && (rounds < 3 || total.nsecsElapsed() < 1'000'000'000LL));
    return {best, g_once ? 1 : rounds * RunsInARow};
}

struct Row
{
    int lines = 0;
    double floor = 0, parse = 0;
    int runs = 0;
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // "--once N": one run of each measurement at N lines, to profile it.
    QList<int> sizes{1000, 10000, 100000};
    const QStringList args = app.arguments();
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

        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            qFatal("cannot read %s", qPrintable(path));
        const QString text = QString::fromUtf8(file.readAll());
        // The floor: the file read and decoded as UTF-8 once, the least any load can cost.
        auto readAndDecode = [&] {
            QFile in(path);
            if (!in.open(QIODevice::ReadOnly))
                qFatal("cannot read %s", qPrintable(path));
            QStringDecoder decoder(QStringDecoder::Utf8);
            const QString decoded = decoder(in.readAll());
            if (decoded.isEmpty())
                qFatal("empty");
        };
        auto parse = [&] {
            const Syntax::SyntaxTree tree = Syntax::SyntaxTree::parse(text);
            if (tree.hasErrors() || tree.statements().empty())
                qFatal("the benchmark script does not parse");
        };
        const Turns turns = bestInTurns({readAndDecode, parse});
        Row row;
        row.lines = lines;
        row.floor = turns.best[0];
        row.parse = turns.best[1];
        row.runs = turns.runs;
        rows.append(row);
    }

    std::printf("%-10s %14s %12s %12s %10s %7s\n", "lines", "parse lines/s", "parse ms", "floor ms",
                "x floor", "runs");
    for (const Row& r : rows) {
        std::printf("%-10d %14.0f %12.3f %12.3f %10.1f %7d\n", r.lines, r.lines / r.parse,
                    r.parse * 1e3, r.floor * 1e3, r.parse / r.floor, r.runs);
    }
    const Row& large = rows.last();
    std::printf("\nparse at %d lines: %.1f ms = %.1f x read and decode (%.3f ms), best of %d "
                "runs each; goal at most 30 x\n",
                large.lines, large.parse * 1e3, large.parse / large.floor, large.floor * 1e3,
                large.runs);
    return 0;
}
