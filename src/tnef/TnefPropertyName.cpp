#include "TnefPropertyName.h"

#include <QtEndian>

namespace lark::tnef {

QUuid guidFromWindowsBytes(const QByteArray& bytes)
{
    if (bytes.size() != 16)
        return {};
    const auto* b = reinterpret_cast<const uchar*>(bytes.constData());
    return QUuid(qFromLittleEndian<quint32>(b), qFromLittleEndian<quint16>(b + 4),
                 qFromLittleEndian<quint16>(b + 6), b[8], b[9], b[10], b[11], b[12], b[13], b[14], b[15]);
}

} // namespace lark::tnef
