#include "controls/Edit.h"

namespace Controls {

Edit::Edit(const QString& name, QObject* parent)
    : Edit(Kind::Edit, name, parent)
{}

Edit::Edit(Kind kind, const QString& name, QObject* parent)
    : Control(kind, name, parent)
{}

void Edit::setText(const QString& text)
{
    if (m_text == text)
        return;
    m_text = text;
    notify();
    runChange();
}

void Edit::setInvalid(bool invalid)
{
    if (m_invalid == invalid)
        return;
    m_invalid = invalid;
    notify();
}

void Edit::runChange()
{
    if (m_onChange)
        m_onChange();
}

LabeledEdit::LabeledEdit(const QString& name, const QString& label, QObject* parent)
    : Edit(Kind::LabeledEdit, name, parent)
    , m_label(label)
{}

} // namespace Controls
