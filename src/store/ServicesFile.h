#pragma once
// The Firebird service name "gds_db" in the system's services file (/etc/services): whether
// it is registered, and registering it.
#include "platform/Result.h"

#include <QString>

namespace lark::store {

inline const QString kDefaultServicesFile = QStringLiteral("/etc/services");
inline const QString kServicesLine =
    QStringLiteral("gds_db           3050/tcp                           #Borland InterBase Server");

enum class ServiceState {
    NoFile,       // the services file does not exist
    Registered,   // a line holds "gds_db" (any letter case)
    Unregistered, // the file exists without such a line
};

ServiceState serviceState(const QString& servicesFile);

// Appends the registration line (and a line end) when no line holds "gds_db". A file that
// cannot be written gives an error; a missing file is left alone (NoFile).
Result<ServiceState> registerService(const QString& servicesFile);

} // namespace lark::store
