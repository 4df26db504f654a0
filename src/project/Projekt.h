#pragma once
// Project files (.afp): the marker, the source path, Build, five pages' controls, StepDone.

#include "platform/TextFile.h"
#include "project/ProjectData.h"

#include <span>

#include <QList>

namespace Controls {
class Page;
}

namespace Projekt {

/// Writes the project into path (section DATA): EdytorAFL, Filename, Build, the controls of
/// pages in order, panel0.. for stepDone, then the controls of trailing (containers added
/// later, whose keys follow all others). Keys the file already holds keep their place.
/// On success data.ProjectPath becomes path; on failure the old file stays whole.
Platform::WriteResult SaveProject(const QString& path, ProjectData& data,
                                  const QList<Controls::Page*>& pages,
                                  std::span<const bool> stepDone,
                                  const QList<Controls::Page*>& trailing = {});

/// Reads the project path: 0 when read, -1 when it is no project (EdytorAFL is not exactly
/// "Projekt", or the file cannot be read; then error gets the system's reason, if any, and
/// nothing is changed). Controls are set through their setters, so their handlers run; a
/// control of trailing whose key the file lacks (an older project) keeps its state.
int LoadProject(const QString& path, ProjectData& data, const QList<Controls::Page*>& pages,
                std::span<bool> stepDone, QString* error = nullptr,
                const QList<Controls::Page*>& trailing = {});

} // namespace Projekt
