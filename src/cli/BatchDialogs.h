#pragma once
// Dialogs of the command line: nothing waits for input, every message is kept for stderr.

#include "app/Dialogs.h"

#include <QList>

namespace Cli {

/// Answers every message box with the button that changes nothing (OK, No, Cancel), cancels
/// every file dialog, and records what was shown so the command can print it.
class BatchDialogs : public App::Dialogs
{
public:
    struct Message
    {
        QString caption;
        QString text;
    };

    App::Answer message(const QString& caption, const QString& text, App::Buttons buttons,
                        App::Icon icon) override;
    bool run(App::FileDialog& dialog) override;

    /// Every message box shown, in order.
    const QList<Message>& messages() const { return m_messages; }
    /// Titles of the file dialogs that were run (and cancelled).
    const QStringList& fileDialogs() const { return m_fileDialogs; }

private:
    QList<Message> m_messages;
    QStringList m_fileDialogs;
};

} // namespace Cli
