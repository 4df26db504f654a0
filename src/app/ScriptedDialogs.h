#pragma once
// A Dialogs fake for tests: answers from a script in order and records every question.

#include "app/Dialogs.h"

#include <QList>
#include <QStringList>

namespace App {

/// Answers message boxes and file dialogs in the order they were scripted and records each
/// call word for word. A call that was not scripted, or an answer the box does not offer,
/// is noted in failures() and answered with Cancel / No / no file.
class ScriptedDialogs : public Dialogs
{
public:
    struct Message
    {
        QString caption;
        QString text;
        Buttons buttons = Buttons::Ok;
        Icon icon = Icon::None;
    };

    /// Scripts the answer of the next message box that offers a choice.
    void queueAnswer(Answer answer) { m_answers.append(answer); }
    /// Scripts the next file dialog to end with OK on path.
    void queueFile(const QString& path);
    /// Scripts the next file dialog to be cancelled.
    void queueCancel();
    /// With auto-OK (the default) a box with only an OK button needs no scripted answer.
    void setAutoOk(bool autoOk) { m_autoOk = autoOk; }

    Answer message(const QString& caption, const QString& text, Buttons buttons,
                   Icon icon) override;
    bool run(FileDialog& dialog) override;

    /// Every message box shown, in order.
    const QList<Message>& messages() const { return m_messages; }
    /// Every file dialog run, as it was set up when it was run (fileName: the proposed name).
    const QList<FileDialog>& fileDialogs() const { return m_fileDialogs; }
    /// What was asked without a script, or answered against the buttons offered.
    const QStringList& failures() const { return m_failures; }
    bool failed() const { return !m_failures.isEmpty(); }
    /// True when every scripted answer and file was used.
    bool exhausted() const { return m_answers.isEmpty() && m_files.isEmpty(); }
    void clearRecords();

private:
    struct File
    {
        bool accept = false;
        QString path;
    };
    QList<Answer> m_answers;
    QList<File> m_files;
    QList<Message> m_messages;
    QList<FileDialog> m_fileDialogs;
    QStringList m_failures;
    bool m_autoOk = true;
};

} // namespace App
