#include "ui/SpinEditWidget.h"

#include "ui/ControlBinding.h"
#include "ui/Guard.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

namespace Shell {

SpinEditWidget::SpinEditWidget(Controls::SpinEdit* model, QWidget* parent)
    : QSpinBox(parent)
    , m_model(model)
{
    ControlBinding::bind(this, model);
    connect(this, &QSpinBox::valueChanged, this, [this](int value) {
        guarded([this, value] { m_model->setValue(value); });
        sync();
    });
    connect(model, &Controls::Control::changed, this, &SpinEditWidget::sync);
    sync();
}

void SpinEditWidget::sync()
{
    ControlBinding::syncCommon(this, m_model);
    const QSignalBlocker blocker(this);
    if (m_model->minimum() < m_model->maximum())
        setRange(m_model->minimum(), m_model->maximum());
    else
        setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    if (value() != m_model->value())
        setValue(m_model->value());
}

void SpinEditWidget::commitText(const QString& text)
{
    guarded([this, &text] { m_model->setText(text); });
    sync();
}

void SpinEditWidget::focusOutEvent(QFocusEvent* event)
{
    const QString typed = lineEdit()->text();
    QSpinBox::focusOutEvent(event);
    commitText(typed);
}

void SpinEditWidget::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const QString typed = lineEdit()->text();
    QSpinBox::keyPressEvent(event);
    if (enter)
        commitText(typed);
}

} // namespace Shell
