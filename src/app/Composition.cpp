#include "Composition.h"

#include "shell/ui/TFrmLarksp.h"

namespace lark::app {

void createSubsystems(lark::shell::TFrmLarksp& window)
{
    (void)window;
}

lark::shell::EntryHooks entryHooks()
{
    lark::shell::EntryHooks h;
    h.createSubsystems = &createSubsystems;
    return h;
}

} // namespace lark::app
