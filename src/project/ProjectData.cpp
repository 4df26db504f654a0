#include "project/ProjectData.h"

namespace Projekt {

void ProjectData::clear()
{
    SourcePath.clear();
    ProjectPath.clear();
    Build = 0;
}

} // namespace Projekt
