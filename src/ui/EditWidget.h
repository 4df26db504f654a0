#pragma once
// A QLineEdit bound to a Controls::Edit: text both ways, the red invalid mark.

#include "controls/Edit.h"

#include <QLineEdit>

namespace Shell {

/// One-line edit showing the model's text, enabled state and invalid mark (a pure red
/// background); text typed by the user goes to the model's setText.
class EditWidget : public QLineEdit
{
    Q_OBJECT
public:
    EditWidget(Controls::Edit* model, QWidget* parent = nullptr);

    Controls::Edit* model() const { return m_model; }
    /// The background the widget shows now (red when marked invalid).
    QColor background() const;
    static QColor invalidColour() { return QColor(255, 0, 0); }

public Q_SLOTS:
    void sync();

private:
    Controls::Edit* m_model;
    QPalette m_normal;
};

} // namespace Shell
