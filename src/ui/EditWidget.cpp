#include "ui/EditWidget.h"

#include "ui/ControlBinding.h"
#include "ui/Guard.h"

namespace Shell {

EditWidget::EditWidget(Controls::Edit* model, QWidget* parent)
    : QLineEdit(parent)
    , m_model(model)
    , m_normal(palette())
{
    ControlBinding::bind(this, model);
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
        guarded([this, &text] { m_model->setText(text); });
        sync();
    });
    connect(model, &Controls::Control::changed, this, &EditWidget::sync);
    sync();
}

QColor EditWidget::background() const
{
    return palette().color(QPalette::Active, QPalette::Base);
}

void EditWidget::sync()
{
    ControlBinding::syncCommon(this, m_model);
    if (text() != m_model->text()) {
        const int cursor = cursorPosition();
        setText(m_model->text());
        setCursorPosition(std::min(cursor, int(m_model->text().size())));
    }
    const bool shownInvalid = background() == invalidColour();
    if (m_model->isInvalid() == shownInvalid)
        return;
    if (m_model->isInvalid()) {
        // The mark shows in every state, a disabled edit included.
        QPalette pal = m_normal;
        for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            pal.setColor(group, QPalette::Base, invalidColour());
        setPalette(pal);
    } else {
        setPalette(m_normal);
    }
}

} // namespace Shell
