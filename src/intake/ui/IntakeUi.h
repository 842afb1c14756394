#pragma once
// The intake's part of the main window: the handlers on the window's actions and hooks, and the
// views that render the display model into the window's named controls.
namespace lark::shell {
class TFrmLarksp;
}

namespace lark::intake {
class IntakeHandlers;
}

namespace lark::intake::ui {

class DropTarget;
class HtmlView;
class MessageView;

// What installIntakeUi created for a window (all owned by the window).
struct IntakeUi {
    IntakeHandlers* handlers = nullptr;
    MessageView* view = nullptr;
    HtmlView* html = nullptr;
    DropTarget* drop = nullptr;
};

// Creates the intake handlers for the window and binds them to its controls.
IntakeUi installIntakeUi(shell::TFrmLarksp& window);

} // namespace lark::intake::ui
