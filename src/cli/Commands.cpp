#include "Commands.h"

namespace lark::cli {

const QList<Command>& commands()
{
    static const QList<Command> table = {
    };
    return table;
}

} // namespace lark::cli
