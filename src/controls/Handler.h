#pragma once
// The event handler a control runs when its value changes, by the user or by the program.

#include <functional>

namespace Controls {

using Handler = std::function<void()>;

} // namespace Controls
