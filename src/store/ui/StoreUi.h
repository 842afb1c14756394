#pragma once
// The archive's part of the main window: the data module (created after the window, as the
// program's start-up order wants) and the list window and dialogs bound to its actions.
namespace lark::shell {
class TFrmLarksp;
}

namespace lark::store::ui {

// Creates the data module for the window (owned by it), runs its start-up sequence and binds
// the list window and the dialogs to the window's actions.
void installStoreUi(shell::TFrmLarksp& window);

} // namespace lark::store::ui
