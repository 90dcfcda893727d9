// What the operator reads when a device does not open: the number the panel reports and a reason
// that says what to do. Permission refusals cannot be provoked by a test running as root, so
// the judgement is checked here on its own.

#include <gtest/gtest.h>

#include "serial/OpenFailure.h"

namespace {

TEST(OpenFailure, NumberAndPlainWordsForEachKindOfRefusal) {
    struct Case {
        QSerialPort::SerialPortError error;
        const char* systemReason;
        bool permissionDenied;
        int number;
        const char* says;
    };
    const Case cases[] = {
        {QSerialPort::PermissionError, "Permission denied", true, 8005, "dialout"},
        {QSerialPort::PermissionError, "Permission denied", true, 8005, "log out and in again"},
        {QSerialPort::PermissionError, "Permission error while locking the device", false, 8005,
         "held by another program"},
        {QSerialPort::OpenError, "Device or resource busy", false, 8005, "held by another program"},
        {QSerialPort::DeviceNotFoundError, "No such file or directory", false, 8002,
         "does not exist"},
        {QSerialPort::ResourceError, "Input/output error", false, 8002, "Input/output error"},
        {QSerialPort::UnknownError, "Unknown error", false, 8002, "failed as it was opened"},
        {QSerialPort::UnsupportedOperationError, "Inappropriate ioctl for device", false, 8015,
         "not a serial line"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.systemReason);
        const txlink::Error failure =
            serial::openFailure(QStringLiteral("/dev/ttyUSB0"), c.error,
                                QString::fromLatin1(c.systemReason), c.permissionDenied);
        EXPECT_EQ(failure.number, c.number);
        EXPECT_NE(failure.reason.find(c.says), std::string::npos) << failure.reason;
        EXPECT_NE(failure.reason.find("/dev/ttyUSB0"), std::string::npos) << failure.reason;
        EXPECT_NE(failure.reason.find(c.systemReason), std::string::npos) << failure.reason;
    }
}

// A busy device names what its lock file tells, escaped, and nobody when there is no lock: an
// exclusive open without a lock file is busy all the same.
TEST(OpenFailure, ABusyDeviceNamesTheHolderItsLockFileTells) {
    const QString lock = QStringLiteral("/var/lock/LCK..ttyUSB0");
    struct Case {
        const char* what;
        QSerialPort::SerialPortError error;
        bool permissionDenied;
        std::optional<serial::LockHolder> holder;
        const char* reason;
    };
    const Case cases[] = {
        {"a running program", QSerialPort::PermissionError, false,
         serial::LockHolder{lock, 4242, QStringLiteral("minicom"), true},
         "/dev/ttyUSB0 is held by minicom (process 4242)."},
        {"a name with control characters", QSerialPort::PermissionError, false,
         serial::LockHolder{lock, 4242, QStringLiteral("\x1b[2Jmini\ncom"), true},
         "/dev/ttyUSB0 is held by \\e[2Jmini\\x0acom (process 4242)."},
        {"a process the system does not name", QSerialPort::PermissionError, false,
         serial::LockHolder{lock, 4242, QString(), true}, "/dev/ttyUSB0 is held by process 4242."},
        {"a lock that outlived its process", QSerialPort::PermissionError, false,
         serial::LockHolder{lock, 4242, QString(), false},
         "/dev/ttyUSB0 is locked by /var/lock/LCK..ttyUSB0 for process 4242, which has ended: "
         "remove that file (why)."},
        {"busy without a lock", QSerialPort::OpenError, false, std::nullopt,
         "/dev/ttyUSB0 is held by another program (why)."},
        {"not this user's to open", QSerialPort::PermissionError, true,
         serial::LockHolder{lock, 4242, QStringLiteral("minicom"), true}, "You may not open"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const txlink::Error failure =
            serial::openFailure(QStringLiteral("/dev/ttyUSB0"), c.error, QStringLiteral("why"),
                                c.permissionDenied, c.holder);
        EXPECT_EQ(failure.number, 8005);
        EXPECT_EQ(failure.reason.rfind(c.reason, 0), 0u) << failure.reason;
    }
}

}  // namespace
