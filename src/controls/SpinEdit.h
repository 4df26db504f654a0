#pragma once
// Model of an integer spin edit clamped to its range.

#include "controls/Control.h"
#include "controls/Handler.h"

namespace Controls {

class SpinEdit : public Control
{
    Q_OBJECT
public:
    SpinEdit(const QString& name, int minimum, int maximum, int value, QObject* parent = nullptr);

    int minimum() const { return m_min; }
    int maximum() const { return m_max; }
    int value() const { return m_value; }
    /// Sets the value clamped into the range (no clamping when minimum equals maximum).
    void setValue(qint64 value);
    /// Text typed by the user: an integer is clamped, anything else reads as the minimum.
    void setText(const QString& text);
    /// Runs after every change of the value (none by default).
    void setOnChange(Handler handler) { m_onChange = std::move(handler); }

private:
    int m_min;
    int m_max;
    int m_value;
    Handler m_onChange;
};

} // namespace Controls
