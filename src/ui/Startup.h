#pragma once
// Start-up of the wizard window: application object, windows in order, the message loop.

#include <QString>
#include <QStringList>

class QCoreApplication;

namespace Shell {

/// Whether the first argument asks for the command line rather than the window: a
/// sub-command or its help, an option that neither the program nor Qt knows, or a plain
/// word that names no file (an unknown sub-command). The command line answers the last two
/// with its usage.
bool isCommandLineArgument(const QString& first);
/// The arguments without Qt's own options (-style fusion, -platform=..., -reverse, ...).
QStringList withoutQtOptions(const QStringList& args);

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

/// Installs Qt's own Polish texts (standard dialogs, their buttons, context menus) from Qt's
/// translations folder. False, and nothing said, when the file is missing: Qt's texts then
/// stay in English.
bool installQtTranslation(QCoreApplication& app);

/// Runs the window: the application object, TForm1 and its MainWindow, the settings model
/// with its file loaded, the About model; shows the window (FormShow), opens a project file
/// given as the one argument, runs the loop, then destroys the windows. An exception that
/// escapes creation is shown and the program ends with 0; one that escapes a command is
/// shown and the program goes on. With ORVANTA_QUIT_AFTER_PAINT=1 the loop ends right after
/// the window's first paint. Where no display can be opened it says so in one line on
/// standard error and returns 2.
int runWindow(int argc, char** argv);

} // namespace Shell
