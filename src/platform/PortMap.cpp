#include "platform/PortMap.h"

#include <QFileInfo>

#include "platform/ConfigPaths.h"

namespace platform {
namespace {

// The device of a port that has no entry in the port map.
QString defaultDevicePathForPort(int port) {
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(port);
#else
    return QStringLiteral("/dev/ttyS%1").arg(port - 1);
#endif
}

}  // namespace

QString devicePathForPort(int port) {
    if (port < kFirstPort || port > kLastPort) {
        return {};
    }
    if (portIsMapped(port)) {
        // Two names of one device must share one lock, so open it by its real path.
        return QFileInfo(portMapEntryPath(port)).canonicalFilePath();
    }
    return defaultDevicePathForPort(port);
}

bool portIsMapped(int port) {
    const QFileInfo entry(portMapEntryPath(port));
    return entry.exists() || entry.isSymLink();
}

}  // namespace platform
