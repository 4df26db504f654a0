#pragma once
// A three-state QCheckBox bound to a Controls::CheckBox; clicks go to the model's click().

#include "controls/CheckBox.h"

#include <QCheckBox>

namespace Shell {

/// Shows unchecked, checked and grayed (partially checked). A user's click or key toggle
/// is the model's click(), so the box never turns grayed by hand; a pointer press is
/// forwarded to mouseDown() before the click.
class CheckBoxWidget : public QCheckBox
{
    Q_OBJECT
public:
    CheckBoxWidget(Controls::CheckBox* model, QWidget* parent = nullptr);

    Controls::CheckBox* model() const { return m_model; }

public Q_SLOTS:
    void sync();

protected:
    void nextCheckState() override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    Controls::CheckBox* m_model;
};

} // namespace Shell
