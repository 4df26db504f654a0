// Orvanta: with no arguments or a project file the wizard window, otherwise the command line.

#include "cli/CommandLine.h"
#include "ui/Startup.h"

#include <QString>

int main(int argc, char** argv)
{
    if (argc > 1 && Shell::isCommandLineArgument(QString::fromLocal8Bit(argv[1])))
        return Cli::run(argc, argv);
    return Shell::runWindow(argc, argv);
}
