#pragma once

#include "platform/PortMap.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace portmap {

// Where udev keeps a name for each USB serial device that stays the same whichever socket it is
// plugged into.
inline const QString kStableNameFolder = QStringLiteral("/dev/serial/by-id");

// A serial device that is present now.
struct SerialDevice {
    QString kernelPath;  // e.g. /dev/ttyUSB0
    QString stablePath;  // e.g. /dev/serial/by-id/usb-FTDI_…-if00-port0; empty when it has none
    QString description;
    QString manufacturer;
    QString serialNumber;
    qint64 holderPid = 0;  // the live program whose lock file holds the device; 0 when free

    // The name a port-map entry should point at: the stable one where there is one.
    QString preferredPath() const { return stablePath.isEmpty() ? kernelPath : stablePath; }
};

// The serial devices the system reports (QSerialPortInfo), sorted by kernel name, each with its
// stable name from `stableFolder` and the holder of its lock file.
QList<SerialDevice> presentSerialDevices(const QString& stableFolder = kStableNameFolder);

// The entry of `stableFolder` that names the same device as `device`; empty when none does.
QString stableNameOf(const QString& device, const QString& stableFolder = kStableNameFolder);

// The live program that holds `device` through a lock file in one of `folders` (by default where
// QSerialPort looks for them); 0 when none does.
qint64 lockHolderOf(const QString& device,
                    const QStringList& folders = platform::serialLockFolders());

}  // namespace portmap
