#pragma once
// The archive's part of the main window: the data module (created after the window, as the
// program's start-up order wants), the list window, and the search and settings dialogs bound
// to the window's actions DBSelect and DBFileSet.
namespace lark::shell {
class TFrmLarksp;
}

namespace lark::store {
class TDm_Ldb;
}

namespace lark::store::ui {

// Creates the data module and the list window for the window (both owned by it), binds the
// dialogs to the window's actions and runs the data module's start-up sequence.
void installStoreUi(shell::TFrmLarksp& window);

// DBSelectExecute with the search dialog, and DBFileSetExecute with the settings dialog.
void runSearchDialog(shell::TFrmLarksp& window, TDm_Ldb& dm);
void runSettingsDialog(shell::TFrmLarksp& window, TDm_Ldb& dm);

} // namespace lark::store::ui
