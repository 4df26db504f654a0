#include "ui/CheckBoxWidget.h"

#include "ui/ControlBinding.h"
#include "ui/Guard.h"

#include <QMouseEvent>

namespace Shell {

CheckBoxWidget::CheckBoxWidget(Controls::CheckBox* model, QWidget* parent)
    : QCheckBox(model->caption(), parent)
    , m_model(model)
{
    setTristate(true);
    ControlBinding::bind(this, model);
    connect(model, &Controls::Control::changed, this, &CheckBoxWidget::sync);
    sync();
}

void CheckBoxWidget::sync()
{
    ControlBinding::syncCommon(this, m_model);
    if (text() != m_model->caption())
        setText(m_model->caption());
    Qt::CheckState wanted = Qt::Unchecked;
    switch (m_model->state()) {
    case Controls::CheckState::Unchecked:
        wanted = Qt::Unchecked;
        break;
    case Controls::CheckState::Checked:
        wanted = Qt::Checked;
        break;
    case Controls::CheckState::Grayed:
        wanted = Qt::PartiallyChecked;
        break;
    }
    if (checkState() != wanted)
        setCheckState(wanted);
}

void CheckBoxWidget::nextCheckState()
{
    guarded([this] { m_model->click(); });
    sync();
}

void CheckBoxWidget::mousePressEvent(QMouseEvent* event)
{
    if (isEnabled())
        guarded([this] { m_model->mouseDown(); });
    QCheckBox::mousePressEvent(event);
}

} // namespace Shell
