#pragma once
// The sub-command "generate": a project opened as the Open command does, generated, written out.

#include <QStringList>

namespace Cli {

class Console;

/// Runs "generate PROJECT.afp [--source FILE] [--output FILE]"; args follow the sub-command's
/// name. The script goes to the output device (UTF-8, CR LF) or to FILE (Windows-1250, UTF-8
/// when needed); remarks and messages go to the error device.
int runGenerate(const QStringList& args, Console& console);

} // namespace Cli
