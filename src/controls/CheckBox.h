#pragma once
// Model of a three-state check box; grayed means "not answered" and only the program sets it.

#include "controls/Control.h"
#include "controls/Handler.h"

namespace Controls {

enum class CheckState
{
    Unchecked,
    Checked,
    Grayed,
};

class CheckBox : public Control
{
    Q_OBJECT
public:
    CheckBox(const QString& name, const QString& caption, CheckState state,
             QObject* parent = nullptr);

    const QString& caption() const { return m_caption; }
    CheckState state() const { return m_state; }
    bool isChecked() const { return m_state == CheckState::Checked; }
    bool isGrayed() const { return m_state == CheckState::Grayed; }

    /// Sets the state; a different state runs the click handler.
    void setState(CheckState state);
    void setChecked(bool checked)
    {
        setState(checked ? CheckState::Checked : CheckState::Unchecked);
    }
    /// A user's click: unchecked and grayed become checked, checked becomes unchecked.
    void click();
    /// A pointer button pressed on the box (before its click).
    void mouseDown();

    void setOnClick(Handler handler) { m_onClick = std::move(handler); }
    void setOnMouseDown(Handler handler) { m_onMouseDown = std::move(handler); }
    void runClick();

    /// The control's integer tag (cbLimAkt keeps its from-grayed marker in the sign).
    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

private:
    QString m_caption;
    CheckState m_state;
    int m_tag = 0;
    Handler m_onClick;
    Handler m_onMouseDown;
};

} // namespace Controls
