#include "IntakeUi.h"

#include "intake/IntakeHandlers.h"
#include "shell/ui/TFrmLarksp.h"

namespace lark::intake::ui {

void installIntakeUi(shell::TFrmLarksp& window)
{
    auto* handlers = new IntakeHandlers(window.ctx(), &window);
    handlers->setObjectName(QStringLiteral("IntakeHandlers"));
}

} // namespace lark::intake::ui
