#pragma once
// AmiBroker's installation folder, as registered by AmiBroker running under Wine.

#include <QString>

namespace Platform {

/// LastGoodPath under [Software\\TJP\\Broker\\Defaults] of $WINEPREFIX/user.reg (default
/// ~/.wine), mapped through the prefix's dosdevices drive links to a real folder (no final
/// '/'). Empty when the prefix, the value, the drive or the folder is missing.
QString GetAmiBrokerDir();
/// The same for the Wine prefix winePrefix.
QString GetAmiBrokerDir(const QString& winePrefix);

/// Reads a string value of a key from the text of a Wine registry file; Wine's escapes are
/// undone. Key and value names match without regard to case. Empty when missing.
QString ReadWineRegistryString(const QString& regText, const QString& key, const QString& value);
/// Maps a Windows path (C:\dir\file) to the real path under winePrefix/dosdevices, matching
/// folder names without regard to case when the exact name is missing. Empty when not found.
QString MapWindowsPath(const QString& winePrefix, const QString& windowsPath);

} // namespace Platform
