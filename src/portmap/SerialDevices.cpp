#include "portmap/SerialDevices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <QStandardPaths>
#include <algorithm>

#include <cerrno>
#include <csignal>
#include <cstring>

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace portmap {
namespace {

const QString kTtyDriversTable = QStringLiteral("/proc/tty/drivers");

// A minor number or a range of them, as the drivers table writes it: "64" or "0-1048575".
bool minorInRange(QStringView range, unsigned minor) {
    const qsizetype dash = range.indexOf(u'-');
    bool firstOk = false;
    bool lastOk = true;
    const unsigned first = range.left(dash < 0 ? range.size() : dash).toUInt(&firstOk);
    const unsigned last = dash < 0 ? first : range.mid(dash + 1).toUInt(&lastOk);
    return firstOk && lastOk && minor >= first && minor <= last;
}

bool processIsAlive(qint64 pid) {
    return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
}

// A lock file names its holder on its first line: "1234" (QLockFile) or "      1234" (UUCP).
qint64 pidInLockFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return 0;
    }
    bool ok = false;
    const qint64 pid = file.readLine(64).trimmed().toLongLong(&ok);
    return ok ? pid : 0;
}

// What the kernel's table of tty drivers says a character device is: "serial" for a serial
// line, "pty:slave" for the program's end of a pseudo-terminal, "console", "system:/dev/tty" and
// so on for the rest; empty when no driver claims it.
QString ttyDriverType(QStringView driversTable, unsigned major, unsigned minor) {
    // Each line: driver name, device name, major, minor or minor range, type.
    for (QStringView line : driversTable.split(u'\n')) {
        const QList<QStringView> fields = line.split(u' ', Qt::SkipEmptyParts);
        if (fields.size() < 5) {
            continue;
        }
        bool ok = false;
        if (fields.at(2).toUInt(&ok) == major && ok && minorInRange(fields.at(3), minor)) {
            return fields.at(4).toString();
        }
    }
    return {};
}

}  // namespace

QList<SerialDevice> presentSerialDevices(const QString& stableFolder) {
    QList<SerialDevice> devices;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        SerialDevice device;
        device.kernelPath = info.systemLocation();
        device.stablePath = stableNameOf(device.kernelPath, stableFolder);
        device.description = info.description();
        device.manufacturer = info.manufacturer();
        device.serialNumber = info.serialNumber();
        device.holderPid = lockHolderOf(device.kernelPath);
        devices.append(device);
    }
    std::sort(devices.begin(), devices.end(), [](const SerialDevice& a, const SerialDevice& b) {
        return a.kernelPath < b.kernelPath;
    });
    return devices;
}

QString stableNameOf(const QString& device, const QString& stableFolder) {
    const QString real = QFileInfo(device).canonicalFilePath();
    if (real.isEmpty()) {
        return {};
    }
    const QDir folder(stableFolder);
    // Sorted, so that a device with two stable names is always given the same one.
    const QFileInfoList entries = folder.entryInfoList(QDir::System | QDir::Files, QDir::Name);
    for (const QFileInfo& entry : entries) {
        if (entry.canonicalFilePath() == real) {
            return entry.absoluteFilePath();
        }
    }
    return {};
}

QStringList lockFolders() {
    return {QStringLiteral("/var/lock"),
            QStringLiteral("/etc/locks"),
            QStringLiteral("/var/spool/locks"),
            QStringLiteral("/var/spool/uucp"),
            QStringLiteral("/tmp"),
            QStringLiteral("/var/tmp"),
            QStringLiteral("/var/lock/lockdev"),
            QStringLiteral("/run/lock"),
            QStandardPaths::writableLocation(QStandardPaths::TempLocation)};
}

qint64 lockHolderOf(const QString& device, const QStringList& folders) {
    // A lock is named after the device without "/dev/", with its slashes made underscores:
    // /dev/pts/7 is LCK..pts_7.
    QString name = QFileInfo(device).canonicalFilePath();
    if (name.isEmpty()) {
        return 0;
    }
    if (name.startsWith(QLatin1String("/dev/"))) {
        name.remove(0, 5);
    }
    name.replace(u'/', u'_');
    for (const QString& folder : folders) {
        const qint64 pid = pidInLockFile(folder + QStringLiteral("/LCK..") + name);
        if (processIsAlive(pid)) {
            return pid;
        }
    }
    return 0;
}

txlink::Result<QString> checkSerialDevice(const QString& path) {
    const auto refused = [&path](int number, const QString& why) {
        return txlink::Error{number, QStringLiteral("%1 %2").arg(path, why).toStdString()};
    };
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) {
        return refused(txlink::error::kPortNotDetected,
                       QStringLiteral("does not exist (%1).")
                           .arg(QString::fromLocal8Bit(std::strerror(errno))));
    }
    if (S_ISDIR(st.st_mode)) {
        return refused(txlink::error::kPortSettings,
                       QStringLiteral("is a folder, not a serial device."));
    }
    if (!S_ISCHR(st.st_mode)) {
        return refused(txlink::error::kPortSettings,
                       QStringLiteral("is a file, not a serial device."));
    }
    QFile drivers(kTtyDriversTable);
    if (!drivers.open(QIODevice::ReadOnly)) {
        return refused(txlink::error::kPortSettings,
                       QStringLiteral("cannot be told a serial device: %1 cannot be read (%2).")
                           .arg(kTtyDriversTable, drivers.errorString()));
    }
    const QString type =
        ttyDriverType(QString::fromLatin1(drivers.readAll()), major(st.st_rdev), minor(st.st_rdev));
    if (type != QLatin1String("serial") && type != QLatin1String("pty:slave")) {
        return refused(
            txlink::error::kPortSettings,
            type.isEmpty()
                ? QStringLiteral("is not a serial device.")
                : QStringLiteral("is a terminal of the kind \"%1\", not a serial line.").arg(type));
    }
    return QFileInfo(path).canonicalFilePath();
}

}  // namespace portmap
