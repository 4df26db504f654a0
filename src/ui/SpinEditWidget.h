#pragma once
// A QSpinBox bound to a Controls::SpinEdit: value both ways, clamped by the model.

#include "controls/SpinEdit.h"

#include <QSpinBox>

namespace Shell {

/// Integer spin box with the model's range; the user's value goes to the model.
class SpinEditWidget : public QSpinBox
{
    Q_OBJECT
public:
    SpinEditWidget(Controls::SpinEdit* model, QWidget* parent = nullptr);

    Controls::SpinEdit* model() const { return m_model; }

public Q_SLOTS:
    void sync();

protected:
    /// Leaving the box (focus out, Return) hands the typed text to the model's setText, so
    /// text that reads as no integer becomes the minimum.
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void commitText(const QString& text);

    Controls::SpinEdit* m_model;
};

} // namespace Shell
