#pragma once
// Start-up of the wizard window: application object, windows in order, the message loop.

#include <QString>
#include <QStringList>

namespace Shell {

/// Whether the first argument asks for the command line (a sub-command or its help)
/// rather than the window.
bool isCommandLineArgument(const QString& first);

/// What the window is asked to do with the arguments left after Qt's own options.
struct WindowLaunch
{
    enum class Kind
    {
        Wizard,  // no argument: a new project
        Project, // one argument: open it as a project file
        TooMany, // more: refused with a message, no window
    };
    Kind kind = Kind::Wizard;
    QString project; // absolute path of the project file for Kind::Project
};
WindowLaunch classifyWindowArguments(const QStringList& args);

/// Runs the window: the application object, TForm1 and its MainWindow, the settings model
/// with its file loaded, the About model; shows the window (FormShow), opens a project file
/// given as the one argument, runs the loop, then destroys the windows. An exception that
/// escapes creation is shown and the program ends with 0; one that escapes a command is
/// shown and the program goes on. With ORVANTA_QUIT_AFTER_PAINT=1 the loop ends right after
/// the window's first paint.
int runWindow(int argc, char** argv);

} // namespace Shell
