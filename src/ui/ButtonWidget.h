#pragma once
// A QPushButton bound to a Controls::Button: caption, enabled and visible state, command.

#include "controls/Button.h"

#include <QPushButton>

namespace Shell {

/// Push button whose click runs the model's command.
class ButtonWidget : public QPushButton
{
    Q_OBJECT
public:
    ButtonWidget(Controls::Button* model, QWidget* parent = nullptr);

    Controls::Button* model() const { return m_model; }

public Q_SLOTS:
    void sync();

private:
    Controls::Button* m_model;
};

} // namespace Shell
