// Orvanta: with no arguments or a project file the wizard window, otherwise the command line.

#include "cli/CommandLine.h"
#include "ui/Startup.h"

#include <QString>

int main(int argc, char** argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    if (!args.isEmpty() && Shell::isCommandLineArgument(args.first()))
        return Cli::run(argc, argv);
    // An option that neither the program nor Qt knows, wherever it stands, gets the usage.
    for (const QString& arg : Shell::withoutQtOptions(args)) {
        if (arg.size() > 1 && arg.startsWith(u'-'))
            return Cli::run(argc, argv, QStringList{arg});
    }
    return Shell::runWindow(argc, argv);
}
