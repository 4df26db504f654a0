#pragma once
// The sub-commands "project show" and "project set": a project file's keys read and edited.

#include <QStringList>

namespace Cli {

class Console;

/// Runs "project show PROJECT.afp" or "project set PROJECT.afp KEY=VALUE..."; args follow
/// the word "project".
int runProject(const QStringList& args, Console& console);

} // namespace Cli
