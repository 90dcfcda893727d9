// What a port may open, whether --map-port names it or an entry made by hand does.
#include <gtest/gtest.h>

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/ConfigPaths.h"
#include "platform/PortMap.h"
#include "support/Pty.h"
#include "support/TestConfig.h"

namespace {

using txlink::error::kPortNotDetected;
using txlink::error::kPortSettings;

class PortMapChecks : public testing::Test {
protected:
    void SetUp() override {
        config.mapPort(1, pty.slavePath());
        ASSERT_TRUE(QFile::link(entry(1), outside.filePath("to-com1")));
        ASSERT_TRUE(QFile::link(platform::portMapFolder(), outside.filePath("ports")));
        ASSERT_TRUE(QFile::link(pty.slavePath(), outside.filePath("to-pty")));
        QFile(outside.filePath("file")).open(QIODevice::WriteOnly);
    }
    static QString entry(int port) { return platform::portMapEntryPath(port); }

    testsupport::TestConfig config;
    testsupport::Pty pty;
    QTemporaryDir outside;
};

struct CheckCase {
    const char* what;
    QString path;
    int number;  // 0: accepted, as the pty
    std::string says;
};

TEST_F(PortMapChecks, ADeviceIsASerialLineReachedWithoutThePortMap) {
    const CheckCase cases[] = {
        {"a pty's slave", pty.slavePath(), 0, ""},
        {"a link to one", outside.filePath("to-pty"), 0, ""},
        {"the multiplexer that makes a new pty on each open", "/dev/ptmx", kPortNotDetected,
         "not a serial line"},
        {"a file", outside.filePath("file"), kPortSettings, "not a serial line"},
        {"a folder", outside.path(), kPortSettings, "not a serial line"},
        {"nothing", outside.filePath("none"), kPortNotDetected, "does not exist"},
        {"an entry", entry(1), kPortNotDetected, "is a port-map entry"},
        {"an entry that points nowhere", entry(7), kPortNotDetected, "is a port-map entry"},
        {"a link to an entry", outside.filePath("to-com1"), kPortNotDetected,
         "leads into the port map"},
        {"an entry through a link to its folder", outside.filePath("ports/com1"), kPortNotDetected,
         "is a port-map entry"},
        {"an entry by a relative name", QDir().relativeFilePath(entry(1)), kPortNotDetected,
         "is a port-map entry"},
        {"a name with control characters", outside.filePath("\x1b[31mred"), kPortNotDetected,
         "\\e[31mred does not exist"},
    };
    config.mapPort(7, outside.filePath("gone"));
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.what);
        const txlink::Result<QString> checked = platform::checkSerialDevice(c.path);
        EXPECT_EQ(checked.ok() ? 0 : checked.error().number, c.number)
            << (checked.ok() ? checked.value().toStdString() : checked.error().reason);
        if (checked) {
            EXPECT_EQ(*checked, pty.slavePath());
            continue;
        }
        EXPECT_NE(checked.error().reason.find(c.says), std::string::npos) << checked.error().reason;
        EXPECT_EQ(checked.error().reason.find('\x1b'), std::string::npos);
    }
}

// An entry made by hand is checked when its port opens, as --map-port checks what it writes.
TEST_F(PortMapChecks, WhatAPortOpensIsCheckedWhateverMadeItsEntry) {
    const CheckCase cases[] = {
        {"an entry to a pty's slave", pty.slavePath(), 0, ""},
        {"an entry to the pty multiplexer", "/dev/ptmx", kPortNotDetected,
         "Port 4, through " + entry(4).toStdString() + ": /dev/ptmx is a terminal"},
        {"an entry to itself", entry(4), kPortNotDetected, "is a port-map entry"},
        {"an entry to itself, relative", "com4", kPortNotDetected, "is a port-map entry"},
        {"an entry to another entry", "com1", kPortNotDetected, "is a port-map entry"},
        {"an entry to a link to an entry", outside.filePath("to-com1"), kPortNotDetected,
         "leads into the port map"},
        {"an entry to a name with control characters", outside.filePath("\x1b[31mred"),
         kPortNotDetected, "\\e[31mred does not exist"},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(entry(4));
        ASSERT_EQ(::symlink(QFile::encodeName(c.path).constData(),
                            QFile::encodeName(entry(4)).constData()),
                  0);
        const txlink::Result<QString> checked = platform::checkedDeviceForPort(4);
        EXPECT_EQ(checked.ok() ? 0 : checked.error().number, c.number)
            << (checked.ok() ? checked.value().toStdString() : checked.error().reason);
        if (checked) {
            EXPECT_EQ(*checked, pty.slavePath());
            continue;
        }
        EXPECT_NE(checked.error().reason.find(c.says), std::string::npos) << checked.error().reason;
        EXPECT_EQ(checked.error().reason.find('\x1b'), std::string::npos);
    }
    QFile::remove(entry(4));
    QFile(entry(4)).open(QIODevice::WriteOnly);
    EXPECT_EQ(platform::checkedDeviceForPort(4).error().number, kPortNotDetected)
        << "an entry that is no link";
}

}  // namespace
