#include "project/ProjectData.h"

#include <QDir>
#include <QFileInfo>

namespace Projekt {

void ProjectData::clear()
{
    SourcePath.clear();
    ProjectPath.clear();
    Build = 0;
    RelativeSourcePath.clear();
}

QString ProjectData::sourcePathFor(const QString& projectPath) const
{
    if (!RelativeSourcePath.isEmpty() &&
        QDir::cleanPath(QFileInfo(projectPath).absoluteDir().filePath(RelativeSourcePath)) ==
            SourcePath)
        return RelativeSourcePath;
    return SourcePath;
}

} // namespace Projekt
