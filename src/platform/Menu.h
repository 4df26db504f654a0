#pragma once
// The program's entry in the desktop's application menu (an XDG desktop entry).

#include "platform/TextFile.h"

#include <QString>

namespace Menu {

/// $XDG_DATA_HOME/applications/orvanta.desktop (default ~/.local/share/applications).
QString DesktopEntryPath();
/// The text of the desktop entry that starts program in workingDirectory.
QString DesktopEntryText(const QString& program, const QString& workingDirectory);
/// Quotes one argument of an Exec line and escapes it as a desktop entry string value.
QString QuoteExecArgument(const QString& argument);
/// Writes (or replaces) the desktop entry; the result says why it failed.
Platform::WriteResult add(const QString& program, const QString& workingDirectory);

} // namespace Menu
