#include "ui/QtDialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace Shell {

QtDialogs::QtDialogs(QWidget* parent)
    : m_parent(parent)
{}

QString QtDialogs::displayText(const QString& text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(u'\r', u'\n');
    return shown;
}

App::Answer QtDialogs::message(const QString& caption, const QString& text, App::Buttons buttons,
                               App::Icon icon)
{
    QMessageBox box(m_parent);
    box.setWindowTitle(caption);
    box.setText(displayText(text));
    box.setTextFormat(Qt::PlainText);
    switch (icon) {
    case App::Icon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case App::Icon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case App::Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case App::Icon::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    }
    // Captions as the system's message boxes write them; Escape picks No or Cancel.
    switch (buttons) {
    case App::Buttons::Ok:
        box.addButton(QMessageBox::Ok);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
        break;
    case App::Buttons::YesNo:
        box.addButton(QMessageBox::Yes)->setText(QStringLiteral("&Tak"));
        box.addButton(QMessageBox::No)->setText(QStringLiteral("&Nie"));
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        break;
    case App::Buttons::YesNoCancel:
        box.addButton(QMessageBox::Yes)->setText(QStringLiteral("&Tak"));
        box.addButton(QMessageBox::No)->setText(QStringLiteral("&Nie"));
        box.addButton(QMessageBox::Cancel)->setText(QStringLiteral("Anuluj"));
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    }
    box.exec();
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Yes:
        return App::Answer::Yes;
    case QMessageBox::No:
        return App::Answer::No;
    case QMessageBox::Cancel:
        return App::Answer::Cancel;
    default:
        break;
    }
    if (buttons == App::Buttons::YesNoCancel)
        return App::Answer::Cancel;
    return buttons == App::Buttons::YesNo ? App::Answer::No : App::Answer::Ok;
}

QStringList QtDialogs::qtFilters(const QString& filter)
{
    QStringList result;
    const QStringList parts = filter.split(u'|');
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(u';', u' ');
        result.append(parts[i] + QStringLiteral(" (") + patterns.simplified() + u')');
    }
    return result;
}

QString QtDialogs::suffixOf(const QString& defaultExt)
{
    QString suffix = defaultExt.trimmed();
    while (suffix.startsWith(u'*') || suffix.startsWith(u'.'))
        suffix.remove(0, 1);
    if (suffix.contains(u'*') || suffix.contains(u'?'))
        return {};
    return suffix;
}

QString QtDialogs::withDefaultSuffix(const QString& path, const QString& defaultExt)
{
    const QString suffix = suffixOf(defaultExt);
    if (suffix.isEmpty() || path.isEmpty())
        return path;
    const QString name = QFileInfo(path).fileName();
    if (name.contains(u'.'))
        return path;
    return path + u'.' + suffix;
}

bool QtDialogs::run(App::FileDialog& dialog)
{
    QFileDialog box(m_parent, dialog.title);
    box.setObjectName(dialog.objectName);
    box.setOption(QFileDialog::DontUseNativeDialog, true);
    QString startDir = dialog.initialDir;
    const QFileInfo proposed(dialog.fileName);
    if (startDir.isEmpty() && !dialog.fileName.isEmpty() && proposed.isAbsolute())
        startDir = proposed.absolutePath();
    if (!startDir.isEmpty())
        box.setDirectory(startDir);

    if (dialog.mode == App::FileDialog::Mode::Folder) {
        // The picker only serves to name a folder: the caller keeps the folder part.
        box.setFileMode(QFileDialog::Directory);
        box.setOption(QFileDialog::ShowDirsOnly, true);
        box.setAcceptMode(QFileDialog::AcceptOpen);
        box.setSizeGripEnabled(true);
        if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty())
            return false;
        QString folder = box.selectedFiles().constFirst();
        if (!folder.endsWith(u'/'))
            folder += u'/';
        dialog.fileName = folder;
        return true;
    }

    const QStringList filters = qtFilters(dialog.filter);
    if (!filters.isEmpty())
        box.setNameFilters(filters);
    const bool save = dialog.mode == App::FileDialog::Mode::Save;
    box.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    box.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    box.setOption(QFileDialog::DontConfirmOverwrite, !dialog.overwritePrompt);
    const QString suffix = suffixOf(dialog.defaultExt);
    if (!suffix.isEmpty())
        box.setDefaultSuffix(suffix);
    if (!dialog.fileName.isEmpty())
        box.selectFile(proposed.fileName().isEmpty() ? dialog.fileName : proposed.fileName());
    if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty())
        return false;
    QString chosen = box.selectedFiles().constFirst();
    if (save)
        chosen = withDefaultSuffix(chosen, dialog.defaultExt);
    dialog.fileName = chosen;
    return true;
}

} // namespace Shell
