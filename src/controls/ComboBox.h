#pragma once
// Model of a drop-down list of fixed items.

#include "controls/Control.h"

#include <QStringList>

namespace Controls {

class ComboBox : public Control
{
    Q_OBJECT
public:
    ComboBox(const QString& name, const QStringList& items, int index, QObject* parent = nullptr);

    const QStringList& items() const { return m_items; }
    int itemIndex() const { return m_index; }
    /// Selects index (out of range: none, -1).
    void setItemIndex(int index);
    /// Text of the selected item, empty when none.
    QString currentText() const;

private:
    QStringList m_items;
    int m_index;
};

} // namespace Controls
