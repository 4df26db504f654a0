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

private:
    Controls::SpinEdit* m_model;
};

} // namespace Shell
