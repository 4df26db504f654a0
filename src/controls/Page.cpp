#include "controls/Page.h"

namespace Controls {

Page::Page(const QString& name, const QString& caption, QObject* parent)
    : Control(Kind::Other, name, parent)
    , m_caption(caption)
{}

void Page::add(Control* control)
{
    m_controls.append(control);
}

Control* Page::find(const QString& name) const
{
    for (Control* control : m_controls) {
        if (control->name() == name)
            return control;
    }
    return nullptr;
}

void Page::show()
{
    if (m_onShow)
        m_onShow();
}

} // namespace Controls
