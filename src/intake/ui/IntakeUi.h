#pragma once
// The intake's part of the main window: the handlers on the window's actions and hooks, and the
// views that render the display model into the window's named controls.
namespace lark::shell {
class TFrmLarksp;
}

namespace lark::intake::ui {

// Creates the intake handlers for the window (owned by it) and binds them to its controls.
void installIntakeUi(shell::TFrmLarksp& window);

} // namespace lark::intake::ui
