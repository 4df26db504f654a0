#pragma once
// The record of the current project: source script path, project file path and build number.

#include <QString>

namespace Projekt {

struct ProjectData
{
    QString SourcePath;
    QString ProjectPath;
    qint32 Build = 0;
    /// Filename as the project file held it when it was relative to the file's folder
    /// (SourcePath then holds it resolved); empty otherwise.
    QString RelativeSourcePath;

    /// Empties both paths and sets Build to 0 (the window's ClearProject also clears StepDone).
    void clear();
    /// Filename to write into the project file projectPath: the relative form it was read
    /// with while that still names SourcePath from projectPath's folder, else SourcePath.
    QString sourcePathFor(const QString& projectPath) const;
};

} // namespace Projekt
