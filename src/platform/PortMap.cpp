#include "platform/PortMap.h"

#include <QFileInfo>

#include "platform/ConfigPaths.h"

namespace platform {

QString devicePathForPort(int port) {
    if (port < 1 || port > 9) {
        return {};
    }
    const QFileInfo entry(portMapEntryPath(port));
    if (entry.exists() || entry.isSymLink()) {
        // Two names of one device must share one lock, so open it by its real path.
        return entry.canonicalFilePath();
    }
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(port);
#else
    return QStringLiteral("/dev/ttyS%1").arg(port - 1);
#endif
}

}  // namespace platform
