#include "ui/ComboBoxWidget.h"

#include "ui/ControlBinding.h"
#include "ui/Guard.h"

#include <QSignalBlocker>

namespace Shell {

ComboBoxWidget::ComboBoxWidget(Controls::ComboBox* model, QWidget* parent)
    : QComboBox(parent)
    , m_model(model)
{
    ControlBinding::bind(this, model);
    connect(this, &QComboBox::activated, this, [this](int index) {
        guarded([this, index] { m_model->setItemIndex(index); });
        sync();
    });
    connect(model, &Controls::Control::changed, this, &ComboBoxWidget::sync);
    sync();
}

void ComboBoxWidget::sync()
{
    ControlBinding::syncCommon(this, m_model);
    const QSignalBlocker blocker(this);
    QStringList shown;
    for (int i = 0; i < count(); ++i)
        shown.append(itemText(i));
    if (shown != m_model->items()) {
        clear();
        addItems(m_model->items());
    }
    if (currentIndex() != m_model->itemIndex())
        setCurrentIndex(m_model->itemIndex());
}

} // namespace Shell
