#pragma once
// Model of a push button or menu item: caption, enabled state and its command.

#include "controls/Control.h"
#include "controls/Handler.h"

namespace Controls {

class Button : public Control
{
    Q_OBJECT
public:
    Button(const QString& name, const QString& caption, bool enabled = true,
           QObject* parent = nullptr);

    const QString& caption() const { return m_caption; }
    void setOnClick(Handler handler) { m_onClick = std::move(handler); }
    /// A user's click: runs the command when the button is enabled.
    void click();

private:
    QString m_caption;
    Handler m_onClick;
};

} // namespace Controls
