#include "cli/CommandLine.h"

#include "cli/CheckCommand.h"
#include "cli/CliTexts.h"
#include "cli/Console.h"
#include "cli/GenerateCommand.h"
#include "cli/ProjectCommand.h"
#include "cli/SimulateCommand.h"

#include <algorithm>
#include <memory>

#include <QFile>
#include <QGuiApplication>

namespace Cli {

namespace {

/// simulate --chart draws text, which needs a QGuiApplication.
bool PaintsChart(const QStringList& args)
{
    return args.value(0) == QLatin1String("simulate") &&
           std::any_of(args.begin(), args.end(), [](const QString& arg) {
               return arg == QLatin1String("--chart") || arg.startsWith(QLatin1String("--chart="));
           });
}

} // namespace

int execute(const QStringList& args, QIODevice& out, QIODevice& err)
{
    Console console(out, err);
    if (args.isEmpty()) {
        console.usageError(Texts::MissingCommand);
        return BadInput;
    }
    const QString command = args.first();
    const QStringList rest = args.mid(1);
    if (command == QLatin1String("--help") || command == QLatin1String("-h") ||
        command == QLatin1String("help")) {
        console.line(Texts::Usage);
        return Success;
    }
    int status = BadInput;
    if (command == QLatin1String("check")) {
        status = runCheck(rest, console);
    } else if (command == QLatin1String("generate")) {
        status = runGenerate(rest, console);
    } else if (command == QLatin1String("simulate")) {
        status = runSimulate(rest, console);
    } else if (command == QLatin1String("project")) {
        status = runProject(rest, console);
    } else {
        const bool option = command.size() > 1 && command.startsWith(u'-');
        console.usageError((option ? Texts::UnknownOption : Texts::UnknownCommand).arg(command));
        return BadInput;
    }
    return status;
}

int run(int argc, char** argv, const std::optional<QStringList>& given)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    if (given)
        args = *given;

    std::unique_ptr<QCoreApplication> app;
    if (!QCoreApplication::instance()) {
        if (PaintsChart(args)) {
            // Fonts need a QGuiApplication; the offscreen platform needs no display.
            qputenv("QT_QPA_PLATFORM", "offscreen");
            app = std::make_unique<QGuiApplication>(argc, argv);
        } else {
            app = std::make_unique<QCoreApplication>(argc, argv);
        }
    }
    QCoreApplication::setApplicationName(QStringLiteral("Orvanta"));

    QFile out;
    QFile err;
    out.open(stdout, QIODevice::WriteOnly | QIODevice::Unbuffered);
    err.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered);
    const int status = execute(args, out, err);
    out.flush();
    err.flush();
    return status;
}

} // namespace Cli
