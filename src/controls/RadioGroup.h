#pragma once
// Model of a radio group: caption, items and the selected index (-1 = none).

#include "controls/Control.h"
#include "controls/Handler.h"

#include <QStringList>

namespace Controls {

class RadioGroup : public Control
{
    Q_OBJECT
public:
    RadioGroup(const QString& name, const QString& caption, const QStringList& items,
               QObject* parent = nullptr);

    const QString& caption() const { return m_caption; }
    const QStringList& items() const { return m_items; }
    int columns() const { return m_columns; }
    void setColumns(int columns);
    /// Replaces the items; leaves no selection and runs nothing.
    void setItems(const QStringList& items);
    void clearItems() { setItems({}); }
    void addItem(const QString& item);

    int itemIndex() const { return m_index; }
    /// Selects index (out of range: none). Selecting an item that differs from the current
    /// one runs the click handler; -1 or the same index runs nothing.
    void setItemIndex(int index);
    /// A user's click on item index.
    void click(int index) { setItemIndex(index); }

    void setOnClick(Handler handler) { m_onClick = std::move(handler); }
    const Handler& onClick() const { return m_onClick; }
    /// Runs the click handler directly, as a program does when it calls it.
    void runClick();

    const QString& hint() const { return m_hint; }
    void setHint(const QString& hint);

private:
    QString m_caption;
    QStringList m_items;
    int m_index = -1;
    int m_columns = 1;
    QString m_hint;
    Handler m_onClick;
};

} // namespace Controls
