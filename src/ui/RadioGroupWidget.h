#pragma once
// A captioned group of radio buttons bound to a Controls::RadioGroup.

#include "controls/RadioGroup.h"

#include <QGroupBox>
#include <QList>

class QButtonGroup;
class QRadioButton;

namespace Shell {

/// Shows the model's items as radio buttons laid out in columns and rows, as a radio group
/// spreads them over its box; no selection shows no button checked. A click selects the
/// item in the model; the model's hint is the tooltip.
class RadioGroupWidget : public QGroupBox
{
    Q_OBJECT
public:
    RadioGroupWidget(Controls::RadioGroup* model, QWidget* parent = nullptr);

    Controls::RadioGroup* model() const { return m_model; }
    /// The radio button of item index, null when there is none.
    QRadioButton* button(int index) const { return m_buttons.value(index); }
    int buttonCount() const { return int(m_buttons.size()); }
    /// Geometry of item index in the coordinates of the group's parent.
    QRect itemGeometry(int index) const;

public Q_SLOTS:
    void sync();

Q_SIGNALS:
    /// The item buttons were rebuilt or moved (controls placed beside items follow).
    void itemsLaidOut();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void rebuild();
    void layoutItems();

    Controls::RadioGroup* m_model;
    QButtonGroup* m_group;
    QList<QRadioButton*> m_buttons;
    QStringList m_shownItems;
};

} // namespace Shell
