#include "ui/MenuAction.h"

#include "ui/Guard.h"

namespace Shell {

MenuAction::MenuAction(Controls::Button* model, QObject* parent)
    : QAction(model->caption(), parent)
    , m_model(model)
{
    setObjectName(model->name());
    connect(this, &QAction::triggered, this, [this] { guarded([this] { m_model->click(); }); });
    connect(model, &Controls::Control::changed, this, &MenuAction::sync);
    sync();
}

void MenuAction::sync()
{
    setEnabled(m_model->isEnabled());
    setVisible(m_model->isVisible());
    if (text() != m_model->caption())
        setText(m_model->caption());
}

} // namespace Shell
