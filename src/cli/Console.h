#pragma once
// Text output of the command line: result lines to one device, reasons to another.

#include <QString>
#include <QStringList>

class QIODevice;

namespace Cli {

/// Writes UTF-8 lines ending in LF; failure reasons go out as one line "orvanta: ...".
class Console
{
public:
    Console(QIODevice& out, QIODevice& err);

    /// Writes one line (a text with CR LF, LF or CR breaks becomes several lines).
    void line(const QString& text = QString());
    void lines(const QStringList& texts);
    /// Writes raw bytes to the output device.
    void bytes(const QByteArray& data);
    /// Writes "orvanta: " and the message on one line.
    void error(const QString& message);
    /// error() followed by the usage text, for arguments that make no command.
    void usageError(const QString& reason);
    /// Writes a line to the error device as it is (remarks of a command).
    void note(const QString& text);
    /// Shows the state of a long task on one line of the error device, written over each
    /// time, when that device is a terminal; nothing otherwise.
    void progress(const QString& text);
    /// Clears the line progress() wrote.
    void endProgress();

    /// The message on one line: its non-empty lines joined by ": " (by a blank after a
    /// sentence's final punctuation).
    static QString oneLine(const QString& message);

private:
    QIODevice& m_out;
    QIODevice& m_err;
    bool m_errIsTerminal = false;
    bool m_progressShown = false;
};

} // namespace Cli
