#pragma once
// Reading and writing text files at the program's edges (UTF-8 or Windows-1250, CR LF).

#include <QString>
#include <QStringList>

namespace Platform {

enum class Encoding
{
    Windows1250,
    Utf8,
    Utf8Bom,
};

struct ReadResult
{
    bool ok = false;
    /// Why reading failed, in the user's words (texts of the program), empty when ok.
    QString error;
    /// True when refused for NUL bytes or size, as opposed to a system error.
    bool refused = false;
    Encoding encoding = Encoding::Windows1250;
    QString text;      // decoded text, line breaks as in the file
    QStringList lines; // split at CR LF, LF or CR as a text reader does
};

struct WriteResult
{
    bool ok = false;
    QString error; // the system's reason when not ok
    Encoding encoding = Encoding::Windows1250;
    /// The text holds a character that Windows-1250 lacks (so it went out in UTF-8).
    bool outsideWindows1250 = false;
};

/// Largest script accepted: 16 MiB.
constexpr qint64 MaxScriptSize = 16 * 1024 * 1024;

/// Reads a script: UTF-8 when valid (BOM or not), else Windows-1250. A file with NUL bytes
/// or over 16 MiB is refused without being read ("Plik nie jest plikiem tekstowym." /
/// "Plik jest większy niż 16 MiB.").
ReadResult ReadTextFile(const QString& path);
/// Decodes bytes as ReadTextFile does.
ReadResult DecodeText(const QByteArray& bytes);
/// Decodes bytes by the same rule without refusing any content; plain ASCII counts as
/// Windows-1250. The encoding found goes to used.
QString DecodeBytes(const QByteArray& bytes, Encoding* used = nullptr);
/// Splits at CR LF, LF or CR; a final break does not start another line.
QStringList SplitLines(const QString& text);

/// True when every character of text has a Windows-1250 form.
bool FitsWindows1250(const QString& text);
/// Encodes in Windows-1250, or UTF-8 without BOM when a character has no Windows-1250 form
/// (preferred Utf8 keeps UTF-8). Never writes '?' in place of a character.
QByteArray EncodeText(const QString& text, Encoding preferred, Encoding* used = nullptr);
/// Writes the whole file atomically (a failed write leaves the old file whole); falls back
/// to a direct write only where the folder forbids a temporary file.
WriteResult WriteFileAtomically(const QString& path, const QByteArray& bytes);
/// EncodeText + WriteFileAtomically.
WriteResult WriteTextFile(const QString& path, const QString& text,
                          Encoding preferred = Encoding::Windows1250);

} // namespace Platform
