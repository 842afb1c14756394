#include "StoreUi.h"

#include "shell/ui/TFrmLarksp.h"
#include "store/DmLdb.h"

namespace lark::store::ui {

void installStoreUi(shell::TFrmLarksp& window)
{
    auto* dm = new TDm_Ldb(window.ctx(), &window);
    dm->setObjectName(QStringLiteral("Dm_Ldb"));
    dm->installActions();
    dm->DataModuleCreate();
}

} // namespace lark::store::ui
