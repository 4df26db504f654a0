#include "ui/ButtonWidget.h"

#include "ui/ControlBinding.h"
#include "ui/Guard.h"

namespace Shell {

ButtonWidget::ButtonWidget(Controls::Button* model, QWidget* parent)
    : QPushButton(model->caption(), parent)
    , m_model(model)
{
    ControlBinding::bind(this, model);
    connect(this, &QPushButton::clicked, this, [this] { guarded([this] { m_model->click(); }); });
    connect(model, &Controls::Control::changed, this, &ButtonWidget::sync);
    sync();
}

void ButtonWidget::sync()
{
    ControlBinding::syncCommon(this, m_model);
    if (text() != m_model->caption())
        setText(m_model->caption());
}

} // namespace Shell
