#pragma once
// An INI profile file read once, queried and changed in memory, and saved as a whole.

#include "platform/TextFile.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace Definicje {

/// Reads and writes profile files by the rules of the Windows profile functions: names match
/// without regard to case, the first section and the first duplicate key win, a changed key
/// keeps its line, a new key follows the last key line of its section, every other line is
/// kept byte for byte. Load once, apply many reads and writes, save once.
class ProfileFile
{
public:
    /// Reads path; a missing file reads as empty and is created by save().
    explicit ProfileFile(const QString& path);

    const QString& path() const { return m_path; }
    /// True when the file existed and was read.
    bool exists() const { return m_exists; }
    /// The system's reason when an existing file could not be read (then save() refuses).
    const QString& readError() const { return m_readError; }
    /// The encoding of the file as read; a value Windows-1250 lacks switches it to UTF-8.
    Platform::Encoding encoding() const { return m_encoding; }

    /// Value of key in section, one pair of matching quotes removed; def (trailing blanks cut)
    /// when the section or key is missing.
    QString readString(const QString& section, const QString& key,
                       const QString& def = QString()) const;
    /// Integer by the rules of GetPrivateProfileIntA: wraps to unsigned 32 bits.
    quint32 readUInt(const QString& section, const QString& key, quint32 def) const;
    /// readUInt taken as a signed 32-bit integer.
    int readInt(const QString& section, const QString& key, int def) const;
    bool contains(const QString& section, const QString& key) const;
    /// Section names in file order, and the keys of the first matching section in file order.
    QStringList sections() const;
    QStringList keys(const QString& section) const;

    /// Sets key in section (created when missing). The value reads back unchanged: one with
    /// outer blanks or outer matching quotes is written in double quotes; line breaks become
    /// blanks.
    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInt(const QString& section, const QString& key, int value);

    /// The file's bytes as save() writes them.
    QByteArray toBytes() const;
    /// Writes the file atomically; the result carries the system's reason on failure.
    Platform::WriteResult save();

    /// The value part of a key line as the reader returns it (trimmed, quotes removed).
    static QString unquote(QStringView raw);
    /// The text to write after "key=" so that unquote() gives value back.
    static QString quoteForWrite(const QString& value);
    /// GetPrivateProfileIntA's reading of a value: blanks, sign, decimal digits, modulo 2^32.
    static quint32 parseUInt(QStringView value, quint32 def);

private:
    struct Line
    {
        QString text;
        QString eol; // "\r\n", "\n", "\r" or "" for a last line without a break
    };
    struct Section
    {
        QString name;             // as written in the header ("" for lines before any header)
        QList<Line> lines;        // the header line first (none for the leading block)
        QHash<QString, int> keys; // folded key name -> line index of its first occurrence
        int lastKeyLine = -1;     // index of the last key line, -1 when there is none
    };

    void parse(const QString& text);
    QString joinedText() const;
    const Section* findSection(const QString& name) const;
    const Line* findLine(const QString& section, const QString& key) const;
    static QString fold(QStringView name);

    QString m_path;
    bool m_exists = false;
    QString m_readError;
    Platform::Encoding m_encoding = Platform::Encoding::Windows1250;
    QList<Section> m_sections;          // m_sections[0] holds lines before any header
    QHash<QString, int> m_sectionIndex; // folded name -> first section with it
};

/// One read, as GetPrivateProfileStringA does it.
QString GetPrivateProfileString(const QString& section, const QString& key, const QString& def,
                                const QString& path);
/// One integer read, as GetPrivateProfileIntA does it.
quint32 GetPrivateProfileInt(const QString& section, const QString& key, quint32 def,
                             const QString& path);
/// One write, as WritePrivateProfileStringA does it, with the failure reported.
Platform::WriteResult WritePrivateProfileString(const QString& section, const QString& key,
                                                const QString& value, const QString& path);

} // namespace Definicje
