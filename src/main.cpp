// Orvanta: with no arguments or a project file the wizard window, otherwise the command line.

#include "cli/CommandLine.h"

int main(int argc, char** argv)
{
    return Cli::run(argc, argv);
}
