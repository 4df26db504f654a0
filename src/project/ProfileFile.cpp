#include "project/ProfileFile.h"

#include <QFile>
#include <QFileInfo>

namespace Definicje {

namespace {

const QString CrLf = QStringLiteral("\r\n");

bool isQuote(QChar c)
{
    return c == u'"' || c == u'\'';
}

bool isBlank(QChar c)
{
    return c.isSpace();
}

/// A header line: '[' after leading blanks, name up to the last ']'. Returns false otherwise.
bool headerName(QStringView trimmed, QString* name)
{
    if (!trimmed.startsWith(u'['))
        return false;
    const qsizetype close = trimmed.lastIndexOf(u']');
    if (close < 0)
        return false;
    *name = trimmed.mid(1, close - 1).trimmed().toString();
    return true;
}

/// The key part of a key line, or a null view when the line is no key line.
QStringView keyPart(QStringView line)
{
    const QStringView trimmed = line.trimmed();
    if (trimmed.isEmpty() || trimmed.front() == u';' || trimmed.front() == u'[')
        return {};
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0)
        return {};
    return line.left(eq).trimmed();
}

} // namespace

ProfileFile::ProfileFile(const QString& path)
    : m_path(path)
{
    QFile file(path);
    QByteArray bytes;
    // QFileInfo follows symlinks: a link whose target is missing is a new file (the save
    // creates the target and keeps the link), not an unreadable one.
    if (QFileInfo(path).exists()) {
        if (file.open(QIODevice::ReadOnly)) {
            bytes = file.readAll();
            if (file.error() != QFileDevice::NoError)
                m_readError = file.errorString();
            else
                m_exists = true;
        } else {
            m_readError = file.errorString();
        }
    }
    if (!m_readError.isEmpty())
        bytes.clear();
    parse(Platform::DecodeBytes(bytes, &m_encoding));
    if (!m_exists)
        m_encoding = Platform::Encoding::Windows1250;
}

QString ProfileFile::fold(QStringView name)
{
    return name.toString().toCaseFolded();
}

void ProfileFile::parse(const QString& text)
{
    m_sections.clear();
    m_sectionIndex.clear();
    m_sections.append(Section{});
    const qsizetype n = text.size();
    qsizetype start = 0;
    while (start < n) {
        qsizetype end = start;
        while (end < n && text.at(end) != u'\r' && text.at(end) != u'\n')
            ++end;
        Line line;
        line.text = text.mid(start, end - start);
        if (end < n) {
            const bool crlf = text.at(end) == u'\r' && end + 1 < n && text.at(end + 1) == u'\n';
            line.eol = text.mid(end, crlf ? 2 : 1);
        }
        start = end + line.eol.size();

        QString name;
        if (headerName(QStringView(line.text).trimmed(), &name)) {
            Section section;
            section.name = name;
            section.lines.append(std::move(line));
            m_sections.append(std::move(section));
            continue;
        }
        Section& section = m_sections.last();
        const QStringView key = keyPart(line.text);
        const int index = int(section.lines.size());
        if (!key.isNull()) {
            const QString folded = fold(key);
            if (!section.keys.contains(folded))
                section.keys.insert(folded, index);
            section.lastKeyLine = index;
        }
        section.lines.append(std::move(line));
    }
    // Backwards, so that the first section of each name ends up in the index.
    for (int i = int(m_sections.size()) - 1; i >= 1; --i)
        m_sectionIndex.insert(fold(m_sections.at(i).name), i);
}

const ProfileFile::Section* ProfileFile::findSection(const QString& name) const
{
    const auto it = m_sectionIndex.constFind(fold(name));
    return it == m_sectionIndex.cend() ? nullptr : &m_sections.at(*it);
}

const ProfileFile::Line* ProfileFile::findLine(const QString& section, const QString& key) const
{
    const Section* s = findSection(section);
    if (!s)
        return nullptr;
    const auto it = s->keys.constFind(fold(key.trimmed()));
    return it == s->keys.cend() ? nullptr : &s->lines.at(*it);
}

QString ProfileFile::unquote(QStringView raw)
{
    const QStringView value = raw.trimmed();
    if (value.size() >= 2 && isQuote(value.front()) && value.back() == value.front())
        return value.mid(1, value.size() - 2).toString();
    return value.toString();
}

QString ProfileFile::quoteForWrite(const QString& value)
{
    QString v = value;
    v.replace(u'\r', u' ').replace(u'\n', u' ');
    const bool outerBlank = !v.isEmpty() && (isBlank(v.front()) || isBlank(v.back()));
    const bool outerQuotes = v.size() >= 2 && isQuote(v.front()) && v.back() == v.front();
    if (outerBlank || outerQuotes)
        return u'"' + v + u'"';
    return v;
}

quint32 ProfileFile::parseUInt(QStringView value, quint32 def)
{
    qsizetype i = 0;
    while (i < value.size() && isBlank(value.at(i)))
        ++i;
    if (i == value.size())
        return def;
    bool negative = false;
    if (value.at(i) == u'-' || value.at(i) == u'+') {
        negative = value.at(i) == u'-';
        ++i;
    }
    quint32 result = 0;
    for (; i < value.size(); ++i) {
        const char16_t c = value.at(i).unicode();
        if (c < u'0' || c > u'9')
            break;
        result = result * 10u + quint32(c - u'0');
    }
    return negative ? 0u - result : result;
}

QString ProfileFile::readString(const QString& section, const QString& key,
                                const QString& def) const
{
    const Line* line = findLine(section, key);
    if (!line) {
        QString d = def;
        while (!d.isEmpty() && isBlank(d.back()))
            d.chop(1);
        return d;
    }
    return unquote(QStringView(line->text).mid(line->text.indexOf(u'=') + 1));
}

quint32 ProfileFile::readUInt(const QString& section, const QString& key, quint32 def) const
{
    const Line* line = findLine(section, key);
    if (!line)
        return def;
    const QString value = unquote(QStringView(line->text).mid(line->text.indexOf(u'=') + 1));
    if (value.isEmpty())
        return def;
    return parseUInt(value, 0);
}

int ProfileFile::readInt(const QString& section, const QString& key, int def) const
{
    return int(readUInt(section, key, quint32(def)));
}

bool ProfileFile::contains(const QString& section, const QString& key) const
{
    return findLine(section, key) != nullptr;
}

QStringList ProfileFile::sections() const
{
    QStringList names;
    for (qsizetype i = 1; i < m_sections.size(); ++i)
        names.append(m_sections.at(i).name);
    return names;
}

QStringList ProfileFile::keys(const QString& section) const
{
    QStringList names;
    const Section* s = findSection(section);
    if (!s)
        return names;
    for (int i = 0; i < s->lines.size(); ++i) {
        const QStringView key = keyPart(s->lines.at(i).text);
        if (!key.isNull() && s->keys.value(fold(key), -1) == i)
            names.append(key.toString());
    }
    return names;
}

void ProfileFile::writeString(const QString& section, const QString& key, const QString& value)
{
    const QString written = quoteForWrite(value);
    if (m_encoding == Platform::Encoding::Windows1250 &&
        !(Platform::FitsWindows1250(written) && Platform::FitsWindows1250(key) &&
          Platform::FitsWindows1250(section)))
        m_encoding = Platform::Encoding::Utf8;

    const QString trimmedKey = key.trimmed();
    auto it = m_sectionIndex.constFind(fold(section));
    if (it == m_sectionIndex.cend()) {
        // A new section goes at the end of the file, after a line break.
        for (qsizetype i = m_sections.size() - 1; i >= 0; --i) {
            if (!m_sections.at(i).lines.isEmpty()) {
                Line& last = m_sections[i].lines.last();
                if (last.eol.isEmpty())
                    last.eol = CrLf;
                break;
            }
        }
        Section s;
        s.name = section.trimmed();
        s.lines.append(Line{u'[' + s.name + u']', CrLf});
        it = m_sectionIndex.insert(fold(section), int(m_sections.size()));
        m_sections.append(std::move(s));
    }
    Section& s = m_sections[*it];
    const QString folded = fold(trimmedKey);
    const auto keyIt = s.keys.constFind(folded);
    if (keyIt != s.keys.cend()) {
        Line& line = s.lines[*keyIt];
        line.text = keyPart(line.text).toString() + u'=' + written;
        return;
    }
    const int at = s.lastKeyLine >= 0 ? s.lastKeyLine + 1 : 1;
    Line& before = s.lines[at - 1];
    if (before.eol.isEmpty())
        before.eol = CrLf;
    s.lines.insert(at, Line{trimmedKey + u'=' + written, CrLf});
    s.keys.insert(folded, at);
    s.lastKeyLine = at;
}

void ProfileFile::writeInt(const QString& section, const QString& key, int value)
{
    writeString(section, key, QString::number(value));
}

QString ProfileFile::joinedText() const
{
    QString text;
    for (const Section& s : m_sections) {
        for (const Line& line : s.lines) {
            text += line.text;
            text += line.eol;
        }
    }
    return text;
}

QByteArray ProfileFile::toBytes() const
{
    return Platform::EncodeText(joinedText(), m_encoding);
}

Platform::WriteResult ProfileFile::save()
{
    if (!m_readError.isEmpty()) {
        Platform::WriteResult refused;
        refused.error = m_readError;
        refused.encoding = m_encoding;
        return refused;
    }
    const QString text = joinedText();
    Platform::Encoding used = m_encoding;
    const QByteArray bytes = Platform::EncodeText(text, m_encoding, &used);
    Platform::WriteResult result = Platform::WriteFileAtomically(m_path, bytes);
    result.encoding = used;
    result.outsideWindows1250 =
        used != Platform::Encoding::Windows1250 && !Platform::FitsWindows1250(text);
    if (result.ok)
        m_exists = true;
    return result;
}

QString GetPrivateProfileString(const QString& section, const QString& key, const QString& def,
                                const QString& path)
{
    return ProfileFile(path).readString(section, key, def);
}

quint32 GetPrivateProfileInt(const QString& section, const QString& key, quint32 def,
                             const QString& path)
{
    return ProfileFile(path).readUInt(section, key, def);
}

Platform::WriteResult WritePrivateProfileString(const QString& section, const QString& key,
                                                const QString& value, const QString& path)
{
    ProfileFile file(path);
    file.writeString(section, key, value);
    return file.save();
}

} // namespace Definicje
