#include "controls/RadioGroup.h"

namespace Controls {

RadioGroup::RadioGroup(const QString& name, const QString& caption, const QStringList& items,
                       QObject* parent)
    : Control(Kind::RadioGroup, name, parent)
    , m_caption(caption)
    , m_items(items)
{}

void RadioGroup::setColumns(int columns)
{
    if (m_columns == columns)
        return;
    m_columns = columns;
    notify();
}

void RadioGroup::setItems(const QStringList& items)
{
    m_items = items;
    m_index = -1;
    notify();
}

void RadioGroup::addItem(const QString& item)
{
    m_items.append(item);
    notify();
}

void RadioGroup::setItemIndex(int index)
{
    if (index < 0 || index >= m_items.size())
        index = -1;
    if (m_index == index)
        return;
    m_index = index;
    notify();
    if (index >= 0)
        runClick();
}

void RadioGroup::runClick()
{
    if (m_onClick)
        m_onClick();
}

void RadioGroup::setHint(const QString& hint)
{
    if (m_hint == hint)
        return;
    m_hint = hint;
    notify();
}

} // namespace Controls
