#include "Composition.h"

#include "intake/ui/IntakeUi.h"
#include "intake/ui/WebEngineSetup.h"
#include "shell/ui/TFrmLarksp.h"
#include "store/ArchiveConnection.h"
#include "store/ui/StoreUi.h"

namespace lark::app {

void createSubsystems(lark::shell::TFrmLarksp& window)
{
    // The reader first (the data module's store and display actions read the shown message),
    // then the data module with its start-up sequence.
    lark::intake::ui::installIntakeUi(window);
    lark::store::ui::installStoreUi(window);
}

lark::shell::EntryHooks entryHooks()
{
    lark::shell::EntryHooks h;
    // The HTML view's URL scheme and engine settings must exist before the application object.
    h.beforeApplication = &lark::intake::ui::prepareHtmlViewEnvironment;
    h.createSubsystems = &createSubsystems;
    h.afterWindow = &lark::store::shutdownDatabaseClient;
    return h;
}

} // namespace lark::app
