#include "controls/PageControl.h"

namespace Controls {

PageControl::PageControl(const QString& name, QObject* parent)
    : Control(Kind::PageControl, name, parent)
{}

void PageControl::addPage(Page* page)
{
    m_pages.append(page);
    m_tabVisible.append(true);
    notify();
}

void PageControl::setCurrentIndex(int index)
{
    if (index < 0 || index >= m_pages.size() || index == m_current)
        return;
    m_current = index;
    notify();
    m_pages.at(index)->show();
}

void PageControl::navigate(int index)
{
    if (index < 0 || index >= m_pages.size() || index == m_current)
        return;
    if (m_onChanging)
        m_onChanging();
    m_current = index;
    notify();
    m_pages.at(index)->show();
    if (m_onChange)
        m_onChange();
}

void PageControl::clickTab(int index)
{
    if (isEnabled() && isTabVisible(index))
        navigate(index);
}

bool PageControl::isTabVisible(int index) const
{
    return m_tabVisible.value(index, false);
}

void PageControl::setTabVisible(int index, bool visible)
{
    if (index < 0 || index >= m_pages.size() || m_tabVisible.at(index) == visible)
        return;
    m_tabVisible[index] = visible;
    notify();
    if (visible || index != m_current)
        return;
    for (int i = index + 1; i < m_pages.size(); ++i) {
        if (m_tabVisible.at(i)) {
            setCurrentIndex(i);
            return;
        }
    }
    for (int i = index - 1; i >= 0; --i) {
        if (m_tabVisible.at(i)) {
            setCurrentIndex(i);
            return;
        }
    }
}

} // namespace Controls
