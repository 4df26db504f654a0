#pragma once
// Everything the program asks or shows the user: message boxes and file dialogs.

#include <QString>

namespace App {

enum class Buttons
{
    Ok,
    YesNo,
    YesNoCancel,
};

enum class Icon
{
    None,
    Warning,
    Information,
    Error,
};

enum class Answer
{
    Ok,
    Yes,
    No,
    Cancel,
};

/// The button of buttons that changes nothing: OK, No, or Cancel.
constexpr Answer Declined(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::YesNo:
        return Answer::No;
    case Buttons::YesNoCancel:
        return Answer::Cancel;
    }
    return Answer::Ok;
}

/// One file dialog of the window. It keeps its settings and remembers its last file name
/// between uses, as the window's own dialog objects do.
struct FileDialog
{
    enum class Mode
    {
        Open,
        Save,
        Folder, // an open dialog whose chosen name is not checked (the settings' "..." buttons)
    };
    QString
        objectName; // svOpenAFL, svOpenProject, svSaveProject, svSaveAFL, svExportAFL, svOpenDlg
    Mode mode = Mode::Open;
    QString title;
    QString filter; // "Plik AFL|*afl|Plik tekstowy|*.txt", pairs of description and pattern
    QString defaultExt;
    QString initialDir;
    QString fileName; // proposed before a run, the chosen path after OK
    bool overwritePrompt = false;
};

/// The abstract interface; the Qt shell, the tests and the command line implement it.
class Dialogs
{
public:
    virtual ~Dialogs() = default;
    /// Shows a message box and returns the button the user chose.
    virtual Answer message(const QString& caption, const QString& text, Buttons buttons,
                           Icon icon) = 0;
    /// Runs a file dialog; on OK sets dialog.fileName to the chosen path and returns true.
    virtual bool run(FileDialog& dialog) = 0;
};

} // namespace App
