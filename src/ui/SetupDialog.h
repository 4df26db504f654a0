#pragma once
// The settings dialog "Ustawienia": the view of TfmSetup.

#include <QDialog>

class TfmSetup;
class QLabel;

namespace Shell {

class ButtonWidget;
class EditWidget;

/// Shows the settings model: two labelled folder edits with "..." pickers, the AmiBroker
/// folder button, the menu entry button, "&Akceptuj" and "&Cancel". Every widget is bound to
/// the control of the same name; "&Cancel" and the close box keep what was typed.
class SetupDialog : public QDialog
{
    Q_OBJECT
public:
    SetupDialog(TfmSetup& model, QWidget* parent = nullptr);

    TfmSetup& model() const { return m_model; }

    static constexpr QSize ClientSize{456, 315};

    void setVisible(bool visible) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* labelFor(EditWidget* edit, const QString& text);

    TfmSetup& m_model;
};

} // namespace Shell
