#include "portmap/PortAssignments.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/ConfigPaths.h"
#include "platform/PortMap.h"

namespace portmap {
namespace {

QString systemReason() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

txlink::Error portOutOfRange(int port) {
    return txlink::Error{txlink::error::kPortNotDetected,
                         QStringLiteral("Port %1 is not a port number: choose one from %2 to %3.")
                             .arg(port)
                             .arg(kFirstPort)
                             .arg(kLastPort)
                             .toStdString()};
}

txlink::Error unwritable(const QString& what) {
    return txlink::Error{txlink::error::kSettingsFile, what.toStdString()};
}

bool isCharacterDevice(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISCHR(st.st_mode);
}

}  // namespace

PortAssignment describePort(int port) {
    PortAssignment assignment;
    assignment.port = port;
    if (port < kFirstPort || port > kLastPort) {
        return assignment;
    }
    assignment.entryPath = platform::portMapEntryPath(port);
    assignment.mapped = platform::entryExists(assignment.entryPath);
    if (assignment.mapped) {
        const QString text = platform::linkText(assignment.entryPath);
        assignment.entryTarget = text.isEmpty() ? assignment.entryPath : text;
    }
    assignment.device = platform::devicePathForPort(port);
    assignment.present = !assignment.device.isEmpty() && isCharacterDevice(assignment.device);
    return assignment;
}

txlink::Result<QString> assignPort(int port, const QString& device, const QString& stableFolder) {
    if (port < kFirstPort || port > kLastPort) {
        return portOutOfRange(port);
    }
    const txlink::Result<QString> checked = checkSerialDevice(device);
    if (!checked) {
        return checked.error();
    }
    // A stable name survives re-plugging in another socket; a name given inside the stable
    // folder is kept as the operator chose it.
    const QFileInfo given(device);
    QString target = given.absoluteFilePath();
    if (given.absolutePath() != QDir(stableFolder).absolutePath()) {
        const QString stable = stableNameOf(device, stableFolder);
        if (!stable.isEmpty()) {
            target = stable;
        }
    }

    const QString entry = platform::portMapEntryPath(port);
    const QString folder = platform::portMapFolder();
    if (!QDir().mkpath(folder)) {
        return unwritable(QStringLiteral("The port map %1 cannot be created.").arg(folder));
    }
    if (const txlink::Status linked = platform::linkInOneStep(entry, target); !linked) {
        return unwritable(QStringLiteral("%1 cannot be pointed at %2 (%3).")
                              .arg(entry, target, QString::fromStdString(linked.error().reason)));
    }
    return target;
}

txlink::Result<bool> clearPort(int port) {
    if (port < kFirstPort || port > kLastPort) {
        return portOutOfRange(port);
    }
    const QString entry = platform::portMapEntryPath(port);
    const QByteArray encoded = QFile::encodeName(entry);
    struct stat st {};
    if (::lstat(encoded.constData(), &st) != 0) {  // a link that points nowhere is an entry too
        return false;
    }
    if (S_ISDIR(st.st_mode)) {
        return unwritable(
            QStringLiteral("%1 is a folder, not a port-map entry; leaving it alone.").arg(entry));
    }
    if (::unlink(encoded.constData()) != 0) {
        return unwritable(QStringLiteral("%1 cannot be removed (%2).").arg(entry, systemReason()));
    }
    return true;
}

}  // namespace portmap
