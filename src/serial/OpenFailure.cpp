#include "serial/OpenFailure.h"

#include "platform/PrintableName.h"

namespace serial {

txlink::Error openFailure(const QString& devicePath, QSerialPort::SerialPortError error,
                          const QString& systemReason, bool permissionDenied) {
    const QString device = platform::printableName(devicePath);
    int number = txlink::error::kPortNotDetected;
    QString reason;
    switch (error) {
        case QSerialPort::PermissionError:
        case QSerialPort::OpenError:
            number = txlink::error::kPortInUse;
            reason = permissionDenied ? QStringLiteral(
                                            "You may not open %1 (%2). Add yourself to the dialout "
                                            "group (sudo adduser $USER dialout), then log out and "
                                            "in again.")
                                            .arg(device, systemReason)
                                      : QStringLiteral("%1 is held by another program (%2).")
                                            .arg(device, systemReason);
            break;
        case QSerialPort::UnsupportedOperationError:
            number = txlink::error::kPortSettings;
            reason = QStringLiteral("%1 is not a serial line, or it refused 9600 8N1 (%2).")
                         .arg(device, systemReason);
            break;
        case QSerialPort::DeviceNotFoundError:
            reason = QStringLiteral("%1 does not exist (%2).").arg(device, systemReason);
            break;
        default:
            // EIO or EAGAIN: a /dev/ttyS* with no UART behind it, or a device that failed.
            reason = QStringLiteral("%1 failed as it was opened (%2): is a serial port behind it?")
                         .arg(device, systemReason);
            break;
    }
    return txlink::Error{number, reason.toStdString()};
}

}  // namespace serial
