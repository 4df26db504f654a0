#include "controls/SpinEdit.h"

#include <algorithm>
#include <limits>

#include <QRegularExpression>

namespace Controls {

SpinEdit::SpinEdit(const QString& name, int minimum, int maximum, int value, QObject* parent)
    : Control(Kind::SpinEdit, name, parent)
    , m_min(minimum)
    , m_max(maximum)
    , m_value(value)
{}

void SpinEdit::setValue(qint64 value)
{
    const qint64 low = m_min != m_max ? m_min : std::numeric_limits<int>::min();
    const qint64 high = m_min != m_max ? m_max : std::numeric_limits<int>::max();
    value = std::clamp(value, low, high);
    if (m_value == int(value))
        return;
    m_value = int(value);
    notify();
    if (m_onChange)
        m_onChange();
}

void SpinEdit::setText(const QString& text)
{
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok);
    if (ok) {
        setValue(value);
        return;
    }
    // Out of 64-bit range but still digits: clamp by its sign.
    const QString t = text.trimmed();
    static const QRegularExpression digits(QStringLiteral("^[+-]?[0-9]+$"));
    if (digits.match(t).hasMatch()) {
        setValue(t.startsWith(u'-') ? std::numeric_limits<qint64>::min()
                                    : std::numeric_limits<qint64>::max());
        return;
    }
    setValue(m_min);
    // The text is replaced by the minimum even when the value did not change.
    notify();
}

} // namespace Controls
