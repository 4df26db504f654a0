#include "controls/CheckBox.h"

namespace Controls {

CheckBox::CheckBox(const QString& name, const QString& caption, CheckState state, QObject* parent)
    : Control(Kind::CheckBox, name, parent)
    , m_caption(caption)
    , m_state(state)
{}

void CheckBox::setState(CheckState state)
{
    if (m_state == state)
        return;
    m_state = state;
    notify();
    runClick();
}

void CheckBox::click()
{
    if (!isEnabled())
        return;
    setState(m_state == CheckState::Checked ? CheckState::Unchecked : CheckState::Checked);
}

void CheckBox::mouseDown()
{
    if (isEnabled() && m_onMouseDown)
        m_onMouseDown();
}

void CheckBox::runClick()
{
    if (m_onClick)
        m_onClick();
}

} // namespace Controls
