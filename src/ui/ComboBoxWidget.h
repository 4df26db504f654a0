#pragma once
// A QComboBox bound to a Controls::ComboBox: fixed items, the chosen index both ways.

#include "controls/ComboBox.h"

#include <QComboBox>

namespace Shell {

/// Drop-down list of the model's items; the user's choice goes to the model.
class ComboBoxWidget : public QComboBox
{
    Q_OBJECT
public:
    ComboBoxWidget(Controls::ComboBox* model, QWidget* parent = nullptr);

    Controls::ComboBox* model() const { return m_model; }

public Q_SLOTS:
    void sync();

private:
    Controls::ComboBox* m_model;
};

} // namespace Shell
