#pragma once
// A QAction bound to a Controls::Button model of a menu item.

#include "controls/Button.h"

#include <QAction>

namespace Shell {

/// Menu item whose trigger runs the model's command; follows its enabled state.
class MenuAction : public QAction
{
    Q_OBJECT
public:
    MenuAction(Controls::Button* model, QObject* parent = nullptr);

    Controls::Button* model() const { return m_model; }

public Q_SLOTS:
    void sync();

private:
    Controls::Button* m_model;
};

} // namespace Shell
