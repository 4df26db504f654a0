#include "controls/ComboBox.h"

namespace Controls {

ComboBox::ComboBox(const QString& name, const QStringList& items, int index, QObject* parent)
    : Control(Kind::ComboBox, name, parent)
    , m_items(items)
    , m_index(index >= 0 && index < items.size() ? index : -1)
{}

void ComboBox::setItemIndex(int index)
{
    if (index < 0 || index >= m_items.size())
        index = -1;
    if (m_index == index)
        return;
    m_index = index;
    notify();
}

QString ComboBox::currentText() const
{
    return m_index >= 0 ? m_items.at(m_index) : QString();
}

} // namespace Controls
