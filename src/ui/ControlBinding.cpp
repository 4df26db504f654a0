#include "ui/ControlBinding.h"

namespace Shell {

void ControlBinding::bind(QWidget* widget, Controls::Control* model)
{
    widget->setObjectName(model->name());
    QObject::connect(model, &Controls::Control::focusRequested, widget, [widget] {
        if (widget->isEnabled())
            widget->setFocus(Qt::OtherFocusReason);
    });
    syncCommon(widget, model);
}

void ControlBinding::syncCommon(QWidget* widget, const Controls::Control* model)
{
    if (widget->testAttribute(Qt::WA_ForceDisabled) == model->isEnabled())
        widget->setEnabled(model->isEnabled());
    if (widget->isHidden() == model->isVisible())
        widget->setHidden(!model->isVisible());
}

} // namespace Shell
