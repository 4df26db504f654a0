#include "platform/Menu.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace Menu {

namespace {

/// Escapes a desktop entry string value: backslash and control characters.
QString escapeValue(const QString& value)
{
    QString out;
    for (QChar c : value) {
        switch (c.unicode()) {
        case u'\\':
            out += QStringLiteral("\\\\");
            break;
        case u'\n':
            out += QStringLiteral("\\n");
            break;
        case u'\r':
            out += QStringLiteral("\\r");
            break;
        case u'\t':
            out += QStringLiteral("\\t");
            break;
        default:
            out += c;
            break;
        }
    }
    return out;
}

} // namespace

QString DesktopEntryPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/applications/orvanta.desktop");
}

QString QuoteExecArgument(const QString& argument)
{
    // Inside double quotes the Exec rules escape '"', '`', '$' and '\' with a backslash;
    // '%' is doubled as field codes begin with it; then the string value is escaped.
    QString quoted;
    for (QChar c : argument) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        if (c == u'%')
            quoted += u'%';
        quoted += c;
    }
    return escapeValue(u'"' + quoted + u'"');
}

QString DesktopEntryText(const QString& program, const QString& workingDirectory)
{
    QString text = QStringLiteral("[Desktop Entry]\n"
                                  "Type=Application\n"
                                  "Name=Orvanta\n"
                                  "Comment=Kreator skryptów AFL z pluginem Tesmar\n"
                                  "Exec=") +
                   QuoteExecArgument(program) + u'\n';
    if (!workingDirectory.isEmpty())
        text += QStringLiteral("Path=") + escapeValue(workingDirectory) + u'\n';
    text += QStringLiteral("Icon=orvanta\n"
                           "Terminal=false\n"
                           "Categories=Office;Finance;\n");
    return text;
}

Platform::WriteResult add(const QString& program, const QString& workingDirectory)
{
    const QString path = DesktopEntryPath();
    // A folder that cannot be made shows in the write's own reason.
    QDir().mkpath(QFileInfo(path).absolutePath());
    Platform::WriteResult result =
        Platform::WriteFileAtomically(path, DesktopEntryText(program, workingDirectory).toUtf8());
    result.encoding = Platform::Encoding::Utf8;
    return result;
}

} // namespace Menu
