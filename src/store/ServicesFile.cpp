#include "ServicesFile.h"

#include <QFile>
#include <QFileInfo>

namespace lark::store {

ServiceState serviceState(const QString& servicesFile)
{
    QFile f(servicesFile);
    if (!QFileInfo(servicesFile).isFile() || !f.open(QIODevice::ReadOnly))
        return ServiceState::NoFile;
    while (!f.atEnd()) {
        const QByteArray line = f.readLine();
        if (line.toLower().contains("gds_db"))
            return ServiceState::Registered;
    }
    return ServiceState::Unregistered;
}

Result<ServiceState> registerService(const QString& servicesFile)
{
    const ServiceState before = serviceState(servicesFile);
    if (before != ServiceState::Unregistered)
        return before;
    QFile f(servicesFile);
    if (!f.open(QIODevice::ReadWrite))
        return makeError(f.errorString());
    QByteArray tail;
    if (f.size() > 0) {
        f.seek(f.size() - 1);
        tail = f.read(1);
    }
    f.seek(f.size());
    // A file that does not end with a line end gets one first, so the entry starts its own line.
    QByteArray add;
    if (!tail.isEmpty() && tail != "\n")
        add += '\n';
    add += kServicesLine.toUtf8() + '\n';
    if (f.write(add) != add.size() || !f.flush())
        return makeError(f.errorString());
    f.close();
    return serviceState(servicesFile);
}

} // namespace lark::store
