#include "platform/GetAmiBrokerDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace Platform {

namespace {

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

/// Reads a quoted registry string starting at text[pos] == '"' into out; Wine's escapes are
/// undone. False when the closing quote is missing.
bool parseQuoted(QStringView text, qsizetype pos, QString& out, qsizetype* end = nullptr)
{
    out.clear();
    qsizetype i = pos + 1;
    while (i < text.size()) {
        const QChar c = text.at(i);
        if (c == u'"') {
            if (end)
                *end = i + 1;
            return true;
        }
        if (c != u'\\' || i + 1 >= text.size()) {
            out += c;
            ++i;
            continue;
        }
        const QChar e = text.at(i + 1);
        i += 2;
        switch (e.unicode()) {
        case u'a':
            out += QChar(7);
            break;
        case u'b':
            out += QChar(8);
            break;
        case u'e':
            out += QChar(27);
            break;
        case u'f':
            out += QChar(12);
            break;
        case u'n':
            out += QChar(10);
            break;
        case u'r':
            out += QChar(13);
            break;
        case u't':
            out += QChar(9);
            break;
        case u'v':
            out += QChar(11);
            break;
        case u'x': {
            // Up to four hex digits name one UTF-16 code unit.
            char16_t value = 0;
            int digits = 0;
            while (digits < 4 && i < text.size() && hexValue(text.at(i)) >= 0) {
                value = char16_t(value * 16 + hexValue(text.at(i)));
                ++i;
                ++digits;
            }
            if (digits == 0)
                out += u'x';
            else
                out += QChar(value);
            break;
        }
        default:
            if (e >= u'0' && e <= u'7') {
                // Up to three octal digits.
                char16_t value = char16_t(e.unicode() - u'0');
                int digits = 1;
                while (digits < 3 && i < text.size() && text.at(i) >= u'0' && text.at(i) <= u'7') {
                    value = char16_t(value * 8 + (text.at(i).unicode() - u'0'));
                    ++i;
                    ++digits;
                }
                out += QChar(value);
            } else {
                out += e; // \\ and \" and anything else stand for the character itself
            }
            break;
        }
    }
    return false;
}

/// The key name of a header line "[Software\\TJP\\...] 1234", unescaped; null otherwise.
QString headerKey(QStringView line)
{
    if (!line.startsWith(u'['))
        return QString();
    QString key;
    for (qsizetype i = 1; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (c == u'\\' && i + 1 < line.size()) {
            key += line.at(++i);
        } else if (c == u']') {
            return key;
        } else {
            key += c;
        }
    }
    return QString();
}

/// The folder entry of dir named name, matching without regard to case when the exact name
/// is missing. Empty when there is none.
QString findEntry(const QString& dir, const QString& name)
{
    if (QFileInfo::exists(dir + u'/' + name))
        return dir + u'/' + name;
    const QStringList entries =
        QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir + u'/' + entry;
    }
    return QString();
}

} // namespace

QString ReadWineRegistryString(const QString& regText, const QString& key, const QString& value)
{
    const QStringView text(regText);
    bool inKey = false;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0)
            end = text.size();
        QStringView line = text.mid(start, end - start);
        if (line.endsWith(u'\r'))
            line.chop(1);
        start = end + 1;

        if (line.startsWith(u'[')) {
            inKey = headerKey(line).compare(key, Qt::CaseInsensitive) == 0;
            continue;
        }
        if (!inKey || !line.startsWith(u'"'))
            continue;
        qsizetype after = 0;
        QString name;
        if (!parseQuoted(line, 0, name, &after) || name.compare(value, Qt::CaseInsensitive) != 0)
            continue;
        if (after >= line.size() || line.at(after) != u'=')
            continue;
        QStringView data = line.mid(after + 1);
        qsizetype quote = 0;
        if (data.startsWith(u"str(")) {
            // str(2): and str(7): carry expandable and multi-strings in the same quoted form.
            const qsizetype colon = data.indexOf(u"):");
            if (colon < 0)
                return QString();
            quote = colon + 2;
        }
        if (quote >= data.size() || data.at(quote) != u'"')
            return QString(); // a value of another type
        QString result;
        return parseQuoted(data, quote, result) ? result : QString();
    }
    return QString();
}

QString MapWindowsPath(const QString& winePrefix, const QString& windowsPath)
{
    QString path = windowsPath;
    path.replace(u'\\', u'/');
    if (path.size() < 2 || !path.at(0).isLetter() || path.at(1) != u':')
        return QString();
    const QString drive = winePrefix + QStringLiteral("/dosdevices/") + path.at(0).toLower() + u':';
    const QFileInfo driveInfo(drive);
    if (!driveInfo.exists())
        return QString();
    QString real = driveInfo.canonicalFilePath();
    const QStringList parts = path.mid(2).split(u'/', Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        real = findEntry(real, part);
        if (real.isEmpty())
            return QString();
    }
    if (!QFileInfo(real).isDir())
        return QString();
    return real;
}

QString GetAmiBrokerDir(const QString& winePrefix)
{
    if (winePrefix.isEmpty())
        return QString();
    QFile file(winePrefix + QStringLiteral("/user.reg"));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QString text = QString::fromUtf8(file.readAll());
    const QString value = ReadWineRegistryString(
        text, QStringLiteral("Software\\TJP\\Broker\\Defaults"), QStringLiteral("LastGoodPath"));
    if (value.isEmpty())
        return QString();
    return MapWindowsPath(winePrefix, value);
}

QString GetAmiBrokerDir()
{
    QString prefix = qEnvironmentVariable("WINEPREFIX");
    if (prefix.isEmpty())
        prefix = QDir::homePath() + QStringLiteral("/.wine");
    return GetAmiBrokerDir(prefix);
}

} // namespace Platform
