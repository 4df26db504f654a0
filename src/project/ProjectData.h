#pragma once
// The record of the current project: source script path, project file path and build number.

#include <QString>

namespace Projekt {

struct ProjectData
{
    QString SourcePath;
    QString ProjectPath;
    qint32 Build = 0;

    /// Empties both paths and sets Build to 0 (the window's ClearProject also clears StepDone).
    void clear();
};

} // namespace Projekt
