#include "project/Projekt.h"

#include "project/ControlStates.h"
#include "project/ProfileFile.h"
#include "project/ProjectTexts.h"

namespace Projekt {

namespace {

const QString Section = QStringLiteral("DATA");

QString panelKey(qsizetype index)
{
    return QStringLiteral("panel%1").arg(index);
}

} // namespace

Platform::WriteResult SaveProject(const QString& path, ProjectData& data,
                                  const QList<Controls::Page*>& pages,
                                  std::span<const bool> stepDone,
                                  const QList<Controls::Page*>& trailing)
{
    Definicje::ProfileFile file(path);
    file.writeString(Section, QStringLiteral("EdytorAFL"), Texts::ProjectMarker);
    file.writeString(Section, QStringLiteral("Filename"), data.sourcePathFor(path));
    file.writeInt(Section, QStringLiteral("Build"), data.Build);
    for (const Controls::Page* page : pages)
        Definicje::SaveControlStates(file, *page, Section);
    for (size_t i = 0; i < stepDone.size(); ++i)
        file.writeInt(Section, panelKey(qsizetype(i)), stepDone[i] ? 1 : 0);
    for (const Controls::Page* page : trailing)
        Definicje::SaveControlStates(file, *page, Section);
    const Platform::WriteResult result = file.save();
    if (result.ok)
        data.ProjectPath = path;
    return result;
}

int LoadProject(const QString& path, ProjectData& data, const QList<Controls::Page*>& pages,
                std::span<bool> stepDone, QString* error, const QList<Controls::Page*>& trailing)
{
    const Definicje::ProfileFile file(path);
    if (error)
        *error = file.readError();
    if (file.readString(Section, QStringLiteral("EdytorAFL")) != Texts::ProjectMarker)
        return -1;
    data.ProjectPath = path;
    data.SourcePath = file.readString(Section, QStringLiteral("Filename"));
    data.RelativeSourcePath.clear();
    data.Build = file.readInt(Section, QStringLiteral("Build"), 0);
    for (const Controls::Page* page : pages)
        Definicje::LoadControlStates(file, *page, Section);
    for (const Controls::Page* page : trailing)
        Definicje::LoadControlStates(file, *page, Section, Definicje::MissingKey::Keep);
    for (size_t i = 0; i < stepDone.size(); ++i)
        stepDone[i] = file.readInt(Section, panelKey(qsizetype(i)), 0) != 0;
    return 0;
}

} // namespace Projekt
