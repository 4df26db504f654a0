#pragma once
// Model of a one-line edit with the invalid mark and the number-valid flag.

#include "controls/Control.h"
#include "controls/Handler.h"

namespace Controls {

class Edit : public Control
{
    Q_OBJECT
public:
    explicit Edit(const QString& name, QObject* parent = nullptr);

    const QString& text() const { return m_text; }
    /// Sets the text; a different text runs the change handler.
    void setText(const QString& text);
    bool hasText() const { return !m_text.isEmpty(); }

    /// The invalid mark: a pure red background (RGB 255, 0, 0) that the step checks read.
    bool isInvalid() const { return m_invalid; }
    void setInvalid(bool invalid);
    /// Has text and no invalid mark.
    bool isAcceptable() const { return hasText() && !m_invalid; }

    bool numberValid() const { return m_numberValid; }
    void setNumberValid(bool valid) { m_numberValid = valid; }

    void setOnChange(Handler handler) { m_onChange = std::move(handler); }
    void runChange();

protected:
    Edit(Kind kind, const QString& name, QObject* parent);

private:
    QString m_text;
    bool m_invalid = false;
    bool m_numberValid = false;
    Handler m_onChange;
};

/// An edit with a label of its own.
class LabeledEdit : public Edit
{
    Q_OBJECT
public:
    LabeledEdit(const QString& name, const QString& label, QObject* parent = nullptr);
    const QString& label() const { return m_label; }

private:
    QString m_label;
};

} // namespace Controls
