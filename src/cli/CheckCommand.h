#pragma once
// The sub-command "check": prints what loading and generating would report for a script.

#include "cli/ScriptCheck.h"

#include <QStringList>

namespace Cli {

class Console;

/// Runs "check SCRIPT.afl [--show-signals]"; args follow the sub-command's name.
int runCheck(const QStringList& args, Console& console);

/// The remark lines of a report, in the order and words the window uses.
QStringList checkRemarks(const CheckReport& report);

} // namespace Cli
