#include "cli/Console.h"

#include "cli/CliTexts.h"
#include "platform/TextFile.h"

#include <unistd.h>

#include <QFile>
#include <QIODevice>

namespace Cli {

Console::Console(QIODevice& out, QIODevice& err)
    : m_out(out)
    , m_err(err)
{
    const auto* file = qobject_cast<const QFile*>(&err);
    m_errIsTerminal = file && file->handle() >= 0 && isatty(file->handle());
}

void Console::progress(const QString& text)
{
    if (!m_errIsTerminal)
        return;
    // Back to the line's start, the text, and the rest of the line cleared.
    m_err.write("\r" + text.toUtf8() + "\x1b[K");
    m_progressShown = true;
}

void Console::endProgress()
{
    if (!m_progressShown)
        return;
    m_err.write("\r\x1b[K");
    m_progressShown = false;
}

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
