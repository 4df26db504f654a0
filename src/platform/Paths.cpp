#include "platform/Paths.h"

#include <QDir>
#include <QStandardPaths>

namespace Platform {

namespace {

QString& recordedStart()
{
    static QString start;
    return start;
}

} // namespace

QString SettingsFilePath()
{
    // The same folder as AppConfigLocation of an application named "Orvanta" without an
    // organisation, whatever name the running process was given.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Orvanta/Orvanta.ini");
}

void RecordStartDirectory()
{
    if (recordedStart().isEmpty())
        recordedStart() = QDir::currentPath();
}

QString StartDirectory()
{
    return recordedStart().isEmpty() ? QDir::currentPath() : recordedStart();
}

QString FolderPart(const QString& path)
{
    return path.left(path.lastIndexOf(u'/') + 1);
}

} // namespace Platform
