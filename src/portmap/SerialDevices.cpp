#include "portmap/SerialDevices.h"

#include "platform/PortMap.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <algorithm>

namespace portmap {
namespace {

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

qint64 lockHolderOf(const QString& device, const QStringList& folders) {
    QString name = QFileInfo(device).canonicalFilePath();
    if (name.isEmpty()) {
        return 0;
    }
    if (name.startsWith(QLatin1String("/dev/"))) {
        name.remove(0, 5);
    }
    for (const QString& folder : folders) {
        const qint64 pid = pidInLockFile(QDir(folder).filePath(platform::serialLockFileName(name)));
        if (platform::lockHolderRuns(pid)) {
            return pid;
        }
    }
    return 0;
}

}  // namespace portmap
