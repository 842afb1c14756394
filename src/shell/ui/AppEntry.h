#pragma once
// The program's entry routine: one instance per executable name, the splash window, the main
// window and the data module, the one-second splash wait and the event loop.
#include <QObject>

#include <functional>

namespace lark::shell {

class TFrmLarksp;

struct EntryHooks {
    // Runs before the application object exists (registration of URL schemes and the like).
    std::function<void()> beforeApplication;
    // Creates the other subsystems' controllers and the data module for the main window, in
    // that order; they are owned by the window.
    std::function<void(TFrmLarksp&)> createSubsystems;
    // Runs after the main window and everything it owns are gone (orderly shutdown of clients).
    std::function<void()> afterWindow;
};

int runEntry(int argc, char** argv, const EntryHooks& hooks);

} // namespace lark::shell
