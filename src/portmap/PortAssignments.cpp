#include "portmap/PortAssignments.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/ConfigPaths.h"
#include "platform/PortMap.h"
#include "platform/PrintableName.h"

namespace portmap {
// What went wrong is read in the Serial Ports window and on the command line, so it is in the
// operator's language (context "PortAssignments").
namespace {

QString systemReason() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

txlink::Error portOutOfRange(int port) {
    return txlink::Error{
        txlink::error::kPortNotDetected,
        QCoreApplication::translate("PortAssignments",
                                    "Port %1 is not a port number: choose one from %2 to %3.")
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
    // The name stored is one that leads to the device by itself: the stable one, else the real
    // path. What the operator typed may be a link that is repointed later, into the port map
    // even, and entries would then lead to each other.
    const txlink::Result<QString> real = platform::checkSerialDevice(device);
    if (!real) {
        return real.error();
    }
    // A stable name survives re-plugging in another socket; a name given inside the stable
    // folder is kept as the operator chose it.
    const QFileInfo given(device);
    QString target = *real;
    if (given.absolutePath() == QDir(stableFolder).absolutePath()) {
        target = given.absoluteFilePath();
    } else if (const QString stable = stableNameOf(*real, stableFolder); !stable.isEmpty()) {
        target = stable;
    }

    const QString entry = platform::portMapEntryPath(port);
    const QString folder = platform::portMapFolder();
    if (!QDir().mkpath(folder)) {
        return unwritable(
            QCoreApplication::translate("PortAssignments", "The port map %1 cannot be created.")
                .arg(platform::printableName(folder)));
    }
    if (const txlink::Status linked = platform::linkInOneStep(entry, target); !linked) {
        return unwritable(
            QCoreApplication::translate("PortAssignments", "%1 cannot be pointed at %2 (%3).")
                .arg(platform::printableName(entry), platform::printableName(target),
                     QString::fromStdString(linked.error().reason)));
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
            QCoreApplication::translate("PortAssignments",
                                        "%1 is a folder, not a port-map entry; leaving it alone.")
                .arg(platform::printableName(entry)));
    }
    if (::unlink(encoded.constData()) != 0) {
        return unwritable(
            QCoreApplication::translate("PortAssignments", "%1 cannot be removed (%2).")
                .arg(platform::printableName(entry), systemReason()));
    }
    return true;
}

}  // namespace portmap
