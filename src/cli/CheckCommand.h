#pragma once
// The sub-command "check": prints what loading and generating would report for a script.

#include <QStringList>

namespace Cli {

class Console;

/// Runs "check SCRIPT.afl [--show-signals]"; args follow the sub-command's name.
int runCheck(const QStringList& args, Console& console);

} // namespace Cli
