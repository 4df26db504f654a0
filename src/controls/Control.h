#pragma once
// Base of every window-control model: name, kind, enabled and visible state, observers.

#include <QObject>
#include <QString>

namespace Controls {

/// The kinds that control-state persistence tells apart (a window's class names).
enum class Kind
{
    Edit,
    LabeledEdit,
    CheckBox,
    SpinEdit,
    RadioGroup,
    ComboBox,
    PageControl,
    Button,
    Other,
};

/// A control model. Every change of state emits changed(); a view re-reads what it shows.
class Control : public QObject
{
    Q_OBJECT
public:
    Control(Kind kind, const QString& name, QObject* parent = nullptr);

    Kind kind() const { return m_kind; }
    const QString& name() const { return m_name; }

    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    bool isVisible() const { return m_visible; }
    void setVisible(bool visible);

    /// Asks the view to give this control the keyboard focus (recorded, the shell obeys).
    void requestFocus();

Q_SIGNALS:
    void changed();
    void focusRequested();

protected:
    void notify() { Q_EMIT changed(); }

private:
    Kind m_kind;
    QString m_name;
    bool m_enabled = true;
    bool m_visible = true;
};

} // namespace Controls
