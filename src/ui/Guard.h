#pragma once
// Runs the shell's calls into the model so that an escaping exception is shown, not fatal.

#include <functional>

#include <QString>

namespace Shell {

/// Shows the text of an exception that escaped a command.
using ExceptionReporter = std::function<void(const QString& text)>;

/// Installs the reporter used by guarded() and Application::notify; an empty one restores
/// the default (a message box "Orvanta" with the text).
void setExceptionReporter(ExceptionReporter reporter);

/// Reports text through the installed reporter.
void reportException(const QString& text);

/// Runs command; an exception that escapes it is reported with its message (an empty text
/// for one that is not a std::exception) and the program goes on.
void guarded(const std::function<void()>& command);

} // namespace Shell
