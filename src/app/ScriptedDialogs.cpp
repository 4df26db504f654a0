#include "app/ScriptedDialogs.h"

namespace App {

namespace {

bool offers(Buttons buttons, Answer answer)
{
    switch (buttons) {
    case Buttons::Ok:
        return answer == Answer::Ok;
    case Buttons::YesNo:
        return answer == Answer::Yes || answer == Answer::No;
    case Buttons::YesNoCancel:
        return answer == Answer::Yes || answer == Answer::No || answer == Answer::Cancel;
    }
    return false;
}

} // namespace

void ScriptedDialogs::queueFile(const QString& path)
{
    m_files.append({true, path});
}

void ScriptedDialogs::queueCancel()
{
    m_files.append({false, QString()});
}

Answer ScriptedDialogs::message(const QString& caption, const QString& text, Buttons buttons,
                                Icon icon)
{
    m_messages.append({caption, text, buttons, icon});
    if (buttons == Buttons::Ok && m_autoOk)
        return Answer::Ok;
    if (m_answers.isEmpty()) {
        m_failures.append(QStringLiteral("unscripted message: ") + caption + u'|' + text);
        return Declined(buttons);
    }
    const Answer answer = m_answers.takeFirst();
    if (!offers(buttons, answer)) {
        m_failures.append(QStringLiteral("answer not offered by: ") + caption + u'|' + text);
        return Declined(buttons);
    }
    return answer;
}

bool ScriptedDialogs::run(FileDialog& dialog)
{
    m_fileDialogs.append(dialog);
    if (m_files.isEmpty()) {
        m_failures.append(QStringLiteral("unscripted file dialog: ") + dialog.objectName + u'|' +
                          dialog.title);
        return false;
    }
    const File file = m_files.takeFirst();
    if (!file.accept)
        return false;
    dialog.fileName = file.path;
    return true;
}

void ScriptedDialogs::clearRecords()
{
    m_messages.clear();
    m_fileDialogs.clear();
    m_failures.clear();
}

} // namespace App
