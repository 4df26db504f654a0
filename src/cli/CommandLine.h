#pragma once
// Entry point of the command line: sub-command dispatch, usage text and exit status.

#include <optional>

#include <QStringList>

class QIODevice;

namespace Cli {

/// Exit status of every sub-command.
enum Status
{
    Success = 0,
    Failed = 1,  // generation failed, or check found a missing signal definition
    BadInput = 2 // unreadable, not a project, refused script, incomplete project, bad arguments
};

/// Runs the command line on the process arguments (or on args when given), printing to
/// standard output and error. Creates a QCoreApplication named "Orvanta" when none exists.
int run(int argc, char** argv, const std::optional<QStringList>& args = std::nullopt);

/// Runs the sub-command in args (without the program name), writing text to out and err.
int execute(const QStringList& args, QIODevice& out, QIODevice& err);

} // namespace Cli
