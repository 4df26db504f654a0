#include "ui/RadioGroupWidget.h"

#include "ui/ControlBinding.h"
#include "ui/Guard.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionGroupBox>

namespace Shell {

RadioGroupWidget::RadioGroupWidget(Controls::RadioGroup* model, QWidget* parent)
    : QGroupBox(model->caption(), parent)
    , m_model(model)
    , m_group(new QButtonGroup(this))
{
    ControlBinding::bind(this, model);
    connect(m_group, &QButtonGroup::idClicked, this, [this](int index) {
        guarded([this, index] { m_model->click(index); });
        sync();
    });
    connect(model, &Controls::Control::changed, this, &RadioGroupWidget::sync);
    sync();
}

void RadioGroupWidget::sync()
{
    ControlBinding::syncCommon(this, m_model);
    if (title() != m_model->caption())
        setTitle(m_model->caption());
    if (toolTip() != m_model->hint())
        setToolTip(m_model->hint());
    if (m_shownItems != m_model->items())
        rebuild();
    const int index = m_model->itemIndex();
    QAbstractButton* wanted = m_buttons.value(index);
    if (m_group->checkedButton() != wanted) {
        if (wanted) {
            wanted->setChecked(true);
        } else {
            m_group->setExclusive(false);
            for (QRadioButton* button : std::as_const(m_buttons))
                button->setChecked(false);
            m_group->setExclusive(true);
        }
    }
}

void RadioGroupWidget::rebuild()
{
    for (QRadioButton* button : std::as_const(m_buttons)) {
        m_group->removeButton(button);
        delete button;
    }
    m_buttons.clear();
    m_shownItems = m_model->items();
    for (int i = 0; i < m_shownItems.size(); ++i) {
        auto* button = new QRadioButton(m_shownItems[i], this);
        button->setObjectName(m_model->name() + QStringLiteral("_item") + QString::number(i));
        m_group->addButton(button, i);
        m_buttons.append(button);
        button->show();
    }
    layoutItems();
}

void RadioGroupWidget::layoutItems()
{
    if (m_buttons.isEmpty()) {
        Q_EMIT itemsLaidOut();
        return;
    }
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    const QRect contents =
        style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxContents, this);
    const int columns = std::max(1, m_model->columns());
    const int rows = (int(m_buttons.size()) + columns - 1) / columns;
    const int left = contents.left() + 6;
    const int width = (contents.width() - 6) / columns;
    const int rowHeight = contents.height() / rows;
    for (int i = 0; i < m_buttons.size(); ++i) {
        const int column = i / rows;
        const int row = i % rows;
        const int height = std::min(rowHeight, m_buttons[i]->sizeHint().height());
        const int top = contents.top() + row * rowHeight + (rowHeight - height) / 2;
        m_buttons[i]->setGeometry(left + column * width, top, width - 2, height);
    }
    Q_EMIT itemsLaidOut();
}

QRect RadioGroupWidget::itemGeometry(int index) const
{
    const QRadioButton* button = m_buttons.value(index);
    if (!button)
        return {};
    return button->geometry().translated(pos());
}

void RadioGroupWidget::resizeEvent(QResizeEvent* event)
{
    QGroupBox::resizeEvent(event);
    layoutItems();
}

} // namespace Shell
