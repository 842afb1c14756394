#pragma once
// Puts the program together: the main window with the other subsystems' controllers and the
// data module. The GUI program and the window tests use the same composition.
#include "shell/ui/AppEntry.h"

namespace lark::app {

lark::shell::EntryHooks entryHooks();

// Creates the controllers of the intake and store subsystems for a main window.
void createSubsystems(lark::shell::TFrmLarksp& window);

} // namespace lark::app
