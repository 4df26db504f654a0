#pragma once
// App::Dialogs on Qt Widgets: QMessageBox for messages, QFileDialog for file choices.

#include "app/Dialogs.h"

#include <QStringList>

class QWidget;

namespace Shell {

/// Message boxes and file dialogs of the window, parented to a widget.
class QtDialogs : public App::Dialogs
{
public:
    explicit QtDialogs(QWidget* parent = nullptr);

    void setParent(QWidget* parent) { m_parent = parent; }

    App::Answer message(const QString& caption, const QString& text, App::Buttons buttons,
                        App::Icon icon) override;
    bool run(App::FileDialog& dialog) override;

    /// "Plik AFL|*afl|Dowolny plik|*.*" as Qt's "Plik AFL (*afl);;Dowolny plik (*.*)".
    static QStringList qtFilters(const QString& filter);
    /// The extension part of a default extension such as "*.afl", ".afl" or "afl".
    static QString suffixOf(const QString& defaultExt);
    /// The chosen name with the default extension appended when it has none of its own.
    static QString withDefaultSuffix(const QString& path, const QString& defaultExt);
    /// Windows line breaks as line breaks of a Qt text.
    static QString displayText(const QString& text);

private:
    QWidget* m_parent;
};

} // namespace Shell
