#pragma once
// The sub-command "simulate": a project generated as "generate" does, its finished script
// replayed over a quotes file, the order log printed and written.

#include <QStringList>

namespace Cli {

class Console;

/// Runs "simulate PROJECT.afp QUOTES [--source F] [--refreshes-per-bar N] [--holding N]
/// [--restart-at HH:MM[:SS]] [--arm] [--param NAME=VALUE]... [--log LOG.csv] [--traces]";
/// args follow the sub-command's name. The order table, the counts and the _TRACE lines go to
/// the output device; remarks and reasons to the error device. Success when every bar ran,
/// Failed when the project did not generate or the script stopped, BadInput otherwise.
/// --chart CHART.png also writes the chart (Chart::Render); a write failure is BadInput.
int runSimulate(const QStringList& args, Console& console);

} // namespace Cli
