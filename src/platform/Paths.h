#pragma once
// Where the program keeps its files, the start folder, and folder parts of paths.

#include <QString>

namespace Platform {

/// The settings file: $XDG_CONFIG_HOME/Orvanta/Orvanta.ini (the AppConfigLocation of an
/// application named "Orvanta").
QString SettingsFilePath();

/// Records the working directory the first time it is called; later calls change nothing.
void RecordStartDirectory();
/// The recorded working directory, or the current one when nothing was recorded yet.
QString StartDirectory();

/// Everything up to and including the last '/' of path (empty when it has none).
QString FolderPart(const QString& path);

} // namespace Platform
