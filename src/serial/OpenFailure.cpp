#include "serial/OpenFailure.h"

#include <QCoreApplication>

#include "platform/PrintableName.h"

namespace serial {

// The reasons are read in the start-up box, so they are in the operator's language (context
// "OpenFailure"); the system's own reason inside one is in it already.
namespace {

// A busy device as the operator can act on it: the program to close, or the lock file that
// outlived its program. Without a lock that names a process nobody is named.
QString heldBy(const QString& device, const std::optional<LockHolder>& holder,
               const QString& systemReason) {
    if (!holder) {
        return QCoreApplication::translate("OpenFailure", "%1 is held by another program (%2).")
            .arg(device, systemReason);
    }
    const QString pid = QString::number(holder->pid);
    if (!holder->running) {
        return QCoreApplication::translate(
                   "OpenFailure",
                   "%1 is locked by %2 for process %3, which has ended: remove that "
                   "file (%4).")
            .arg(device, platform::printableName(holder->lockFile), pid, systemReason);
    }
    if (holder->program.isEmpty()) {
        return QCoreApplication::translate("OpenFailure", "%1 is held by process %2.")
            .arg(device, pid);
    }
    return QCoreApplication::translate("OpenFailure", "%1 is held by %2 (process %3).")
        .arg(device, platform::printableName(holder->program), pid);
}

}  // namespace

txlink::Error openFailure(const QString& devicePath, QSerialPort::SerialPortError error,
                          const QString& systemReason, bool permissionDenied,
                          const std::optional<LockHolder>& holder) {
    const QString device = platform::printableName(devicePath);
    int number = txlink::error::kPortNotDetected;
    QString reason;
    switch (error) {
        case QSerialPort::PermissionError:
        case QSerialPort::OpenError:
            number = txlink::error::kPortInUse;
            reason = permissionDenied ? QCoreApplication::translate(
                                            "OpenFailure",
                                            "You may not open %1 (%2). Add yourself to the dialout "
                                            "group (sudo adduser $USER dialout), then log out and "
                                            "in again.")
                                            .arg(device, systemReason)
                                      : heldBy(device, holder, systemReason);
            break;
        case QSerialPort::UnsupportedOperationError:
            number = txlink::error::kPortSettings;
            reason = QCoreApplication::translate(
                         "OpenFailure", "%1 is not a serial line, or it refused 9600 8N1 (%2).")
                         .arg(device, systemReason);
            break;
        case QSerialPort::DeviceNotFoundError:
            reason = QCoreApplication::translate("OpenFailure", "%1 does not exist (%2).")
                         .arg(device, systemReason);
            break;
        default:
            // EIO or EAGAIN: a /dev/ttyS* with no UART behind it, or a device that failed.
            reason =
                QCoreApplication::translate(
                    "OpenFailure", "%1 failed as it was opened (%2): is a serial port behind it?")
                    .arg(device, systemReason);
            break;
    }
    return txlink::Error{number, reason.toStdString()};
}

}  // namespace serial
