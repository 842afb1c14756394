#include "StoreUi.h"

#include "TDBListFrm.h"
#include "TDBSelectFrm.h"
#include "TDBSetFrm.h"

#include "shell/ui/TFrmLarksp.h"
#include "store/DmLdb.h"

#include <QAction>
#include <QTabWidget>

namespace lark::store::ui {

void runSearchDialog(shell::TFrmLarksp& window, TDm_Ldb& dm)
{
    DBSelectExecute(dm, [&window, &dm](SearchForm& form) {
        TDBSelectFrm dlg(form, dm, &window);
        dlg.move(window.geometry().center() - dlg.rect().center());
        window.setStayOnTop(false);
        dlg.exec();
        dlg.collect();
    });
    window.PageControl1->setCurrentIndex(window.PageControl1->count() - 1);
}

void runSettingsDialog(shell::TFrmLarksp& window, TDm_Ldb& dm)
{
    DBFileSetExecute(dm, [&window, &dm](DBSetLogic& logic) {
        window.setStayOnTop(false);
        TDBSetFrm dlg(logic, dm, &window);
        dlg.move(window.geometry().center() - dlg.rect().center());
        window.dbSetDialog = &dlg;
        dlg.exec();
    });
}

void installStoreUi(shell::TFrmLarksp& window)
{
    auto* dm = new TDm_Ldb(window.ctx(), &window);
    dm->setObjectName(QStringLiteral("Dm_Ldb"));
    dm->installActions();
    new TDBListFrm(*dm, window);
    // Children go in the order they were added: the data module goes last, after the list
    // window whose grid shows its dataset.
    dm->setParent(nullptr);
    dm->setParent(&window);

    shell::ActionList& a = window.ctx().actions();
    QObject::connect(a.get(QStringLiteral("DBConnect")), &QAction::toggled, &window,
                     [&window](bool on) { window.setConnectIcon(on); });
    QObject::connect(a.get(QStringLiteral("DBSelect")), &QAction::triggered, &window,
                     [&window, dm] { runSearchDialog(window, *dm); });
    QObject::connect(a.get(QStringLiteral("DBFileSet")), &QAction::triggered, &window,
                     [&window, dm] { runSettingsDialog(window, *dm); });
    dm->DataModuleCreate();
}

} // namespace lark::store::ui
