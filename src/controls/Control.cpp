#include "controls/Control.h"

namespace Controls {

Control::Control(Kind kind, const QString& name, QObject* parent)
    : QObject(parent)
    , m_kind(kind)
    , m_name(name)
{
    setObjectName(name);
}

void Control::setEnabled(bool enabled)
{
    if (m_enabled == enabled)
        return;
    m_enabled = enabled;
    notify();
}

void Control::setVisible(bool visible)
{
    if (m_visible == visible)
        return;
    m_visible = visible;
    notify();
}

void Control::requestFocus()
{
    Q_EMIT focusRequested();
}

} // namespace Controls
