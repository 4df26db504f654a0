#pragma once
// Saving the window's project with failures reported; shared by the project and output commands.

#include <QString>

namespace App {

class TForm1;

/// How a Save As ended.
enum class SaveAsOutcome
{
    Saved,
    Cancelled,
    Failed,
};

/// Writes the project into path; a failure is shown ("Nie można zapisać pliku ...") and
/// leaves the project and the old file as they were. True when written.
bool SaveProjectAndReport(TForm1& form, const QString& path);
/// The Save As command: proposes the project's file (or starts in the projects folder), runs
/// the dialog, writes, then sets the caption and clears ProjectModified.
SaveAsOutcome RunSaveAs(TForm1& form);

} // namespace App
