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

}  // namespace
