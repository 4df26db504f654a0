#include "cli/SimulateCommand.h"

#include "app/Simulation.h"
#include "app/SimulationTexts.h"
#include "chart/Painter.h"
#include "cli/Arguments.h"
#include "cli/CliTexts.h"
#include "cli/CommandLine.h"
#include "cli/Console.h"
#include "cli/GenerateCommand.h"
#include "simulation/DateTime.h"
#include "simulation/SimTexts.h"

#include <cmath>

#include <QFileInfo>
#include <QLocale>

namespace Cli {

namespace {

const QString Source = QStringLiteral("--source");
const QString Refreshes = QStringLiteral("--refreshes-per-bar");
const QString Holding = QStringLiteral("--holding");
const QString RestartAt = QStringLiteral("--restart-at");
const QString Arm = QStringLiteral("--arm");
const QString Param = QStringLiteral("--param");
const QString Log = QStringLiteral("--log");
const QString Traces = QStringLiteral("--traces");
const QString ChartOption = QStringLiteral("--chart");

constexpr int MaxRefreshes = 100;
constexpr double MaxHolding = 1e15;

// HH:MM or HH:MM:SS as seconds after midnight; nullopt when it is no time of day.
std::optional<int> TimeOfDay(const QString& text)
{
    const QStringList parts = text.split(u':');
    if (parts.size() < 2 || parts.size() > 3)
        return std::nullopt;
    const int limits[3] = {23, 59, 59};
    int seconds = 0;
    for (int i = 0; i < 3; ++i) {
        bool ok = i == 2 && parts.size() == 2;
        const int value = ok ? 0 : parts[i].toInt(&ok);
        if (!ok || parts.value(i).size() > 2 || value < 0 || value > limits[i])
            return std::nullopt;
        seconds = seconds * 60 + value;
    }
    return seconds;
}

// The options of the replay, or nullopt after printing which value is wrong.
std::optional<App::SimulationRequest> ReadRequest(const Arguments& args, Console& console)
{
    App::SimulationRequest request;
    request.quotesPath = args.files.at(1);
    request.armed = args.has(Arm);
    const auto bad = [&console](const QString& option, const QString& value,
                                const QString& expected) {
        console.error(Texts::BadOptionValue.arg(option, value, expected));
        return std::nullopt;
    };
    if (args.has(Refreshes)) {
        bool ok = false;
        const int n = args.value(Refreshes).toInt(&ok);
        if (!ok || n < 1 || n > MaxRefreshes)
            return bad(Refreshes, args.value(Refreshes), Texts::ExpectedRefreshes);
        request.options.refreshesPerBar = n;
    }
    if (args.has(Holding)) {
        bool ok = false;
        const double n = QLocale::c().toDouble(args.value(Holding), &ok);
        if (!ok || n != std::floor(n) || std::fabs(n) >= MaxHolding)
            return bad(Holding, args.value(Holding), Texts::ExpectedHolding);
        request.options.startingHolding = n;
    }
    if (args.has(RestartAt)) {
        request.options.restartTime = TimeOfDay(args.value(RestartAt));
        if (!request.options.restartTime)
            return bad(RestartAt, args.value(RestartAt), Texts::ExpectedTime);
    }
    for (const QString& assignment : args.values(Param)) {
        const qsizetype eq = assignment.indexOf(u'=');
        const QString name = assignment.left(eq).trimmed();
        if (eq < 0 || name.isEmpty())
            return bad(Param, assignment, Texts::ExpectedParam);
        request.options.params.insert(name, assignment.mid(eq + 1));
    }
    return request;
}

void PrintResult(const App::SimulationOutcome& outcome, bool traces, Console& console)
{
    const Sim::ReplayResult& result = outcome.result;
    console.line(App::OrderLogTable(result));
    console.line();
    console.line(App::CountsText(result) + Texts::TraceCount.arg(result.traces.size()));
    if (traces && !result.traces.isEmpty()) {
        console.line();
        for (const Sim::ReplayTrace& trace : result.traces)
            console.line(Sim::Texts::AtBar(trace.bar + 1, Sim::DateTimeText(trace.time),
                                           trace.run + 1, trace.text));
    }
}

} // namespace

int runSimulate(const QStringList& args, Console& console)
{
    const std::optional<Arguments> arguments = ParseArguments(args,
                                                              {{Source},
                                                               {Refreshes},
                                                               {Holding},
                                                               {RestartAt},
                                                               {Arm, false},
                                                               {Param, true, true},
                                                               {Log},
                                                               {Traces, false},
                                                               {ChartOption}},
                                                              2, console);
    if (!arguments)
        return BadInput;
    std::optional<App::SimulationRequest> request = ReadRequest(*arguments, console);
    if (!request)
        return BadInput;

    GeneratedProject generated;
    const int generatedStatus =
        OpenAndGenerate(arguments->files.first(), arguments->value(Source), generated, console);
    if (generatedStatus != Success)
        return generatedStatus;
    for (const BatchDialogs::Message& message : generated.dialogs.messages())
        console.error(message.text);
    request->script = generated.form.rGenAFL.text();
    request->scriptFolder = QFileInfo(generated.form.projectData.SourcePath).absolutePath();

    int shown = -1;
    const App::SimulationOutcome outcome =
        App::RunSimulation(*request, [&console, &shown](int done, int total) {
            const int percent = total > 0 ? int(qint64(done) * 100 / total) : 100;
            if (percent != shown) {
                shown = percent;
                console.progress(App::SimulationTexts::Progress(done, total));
            }
            return true;
        });
    console.endProgress();
    if (outcome.status == App::SimulationStatus::BadInput) {
        console.error(outcome.message);
        return BadInput;
    }
    const bool ran = outcome.result.status != Sim::ReplayStatus::NotRun;
    if (ran)
        PrintResult(outcome, arguments->has(Traces), console);
    for (const QString& warning : outcome.warnings)
        console.note(warning);
    if (!outcome.message.isEmpty())
        console.error(outcome.message);

    if (ran && arguments->has(Log)) {
        const QString log = arguments->value(Log);
        const Platform::WriteResult written = App::WriteOrderLog(log, outcome.result);
        if (!written.ok) {
            console.error(Texts::CannotWrite.arg(log, written.error));
            return BadInput;
        }
    }
    if (ran && arguments->has(ChartOption)) {
        const QString path = arguments->value(ChartOption);
        const QString error = Chart::SavePng(outcome.quotes, outcome.result, path);
        if (!error.isEmpty()) {
            console.error(Texts::CannotWrite.arg(path, error));
            return BadInput;
        }
    }

    return outcome.status == App::SimulationStatus::Ran ? Success : Failed;
}

} // namespace Cli
