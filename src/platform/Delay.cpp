#include "Delay.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace lark::platform {

void Delay(int ms)
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (ms <= 0)
        return;
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace lark::platform
