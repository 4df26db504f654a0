#include "controls/Button.h"

namespace Controls {

Button::Button(const QString& name, const QString& caption, bool enabled, QObject* parent)
    : Control(Kind::Button, name, parent)
    , m_caption(caption)
{
    setEnabled(enabled);
}

void Button::click()
{
    if (isEnabled() && m_onClick)
        m_onClick();
}

} // namespace Controls
