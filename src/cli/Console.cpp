#include "cli/Console.h"

#include "cli/CliTexts.h"
#include "platform/TextFile.h"

#include <QIODevice>

namespace Cli {

Console::Console(QIODevice& out, QIODevice& err)
    : m_out(out)
    , m_err(err)
{}

void Console::line(const QString& text)
{
    const QStringList parts = text.isEmpty() ? QStringList{QString()} : Platform::SplitLines(text);
    for (const QString& part : parts)
        m_out.write(part.toUtf8() + '\n');
}

void Console::lines(const QStringList& texts)
{
    for (const QString& text : texts)
        line(text);
}

void Console::bytes(const QByteArray& data)
{
    m_out.write(data);
}

void Console::error(const QString& message)
{
    m_err.write(QStringLiteral("orvanta: %1\n").arg(oneLine(message)).toUtf8());
}

void Console::usageError(const QString& reason)
{
    error(reason);
    note(Texts::Usage);
}

void Console::note(const QString& text)
{
    const QStringList parts = text.isEmpty() ? QStringList{QString()} : Platform::SplitLines(text);
    for (const QString& part : parts)
        m_err.write(part.toUtf8() + '\n');
}

QString Console::oneLine(const QString& message)
{
    QString result;
    for (const QString& part : Platform::SplitLines(message)) {
        const QString trimmed = part.trimmed();
        if (trimmed.isEmpty())
            continue;
        if (!result.isEmpty()) {
            const QChar last = result.back();
            result += (last == u'.' || last == u'!' || last == u'?' || last == u':')
                          ? QStringLiteral(" ")
                          : QStringLiteral(": ");
        }
        result += trimmed;
    }
    return result;
}

} // namespace Cli
