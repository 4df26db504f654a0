#pragma once
// What every bound widget mirrors of its control model: name, enabled, visible, focus.

#include "controls/Control.h"

#include <QWidget>

namespace Shell {

/// Ties a widget to its model's common state. The widget takes the model's name as its
/// objectName, follows its enabled and visible state and obeys its focus requests.
class ControlBinding
{
public:
    static void bind(QWidget* widget, Controls::Control* model);
    /// Copies enabled and visible from the model to the widget.
    static void syncCommon(QWidget* widget, const Controls::Control* model);
};

} // namespace Shell
