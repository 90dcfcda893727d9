// What counts as a serial device, who holds one, and assigning and clearing port-map entries.
#include <gtest/gtest.h>

#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "platform/ConfigPaths.h"
#include "portmap/PortAssignments.h"
#include "support/Pty.h"
#include "support/TestConfig.h"

namespace {

using txlink::error::kPortNotDetected;
using txlink::error::kPortSettings;

class PortMap : public testing::Test {
protected:
    QString entry(int port) { return QFileInfo(platform::portMapEntryPath(port)).symLinkTarget(); }
    QStringList folder() {
        return QDir(platform::portMapFolder())
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden);
    }
    testsupport::TestConfig config;
    testsupport::Pty adapter;
    testsupport::Pty other;
    QTemporaryDir byId;
    const QString stable = byId.filePath("usb-Prolific_PL2303-if00-port0");
};

TEST_F(PortMap, AnEntryNamesTheDevicesStableNameAndReplacesTheOldOneWhole) {
    ASSERT_TRUE(QFile::link(adapter.slavePath(), stable));
    // A link of the operator's own may be repointed later: the entry names what it leads to.
    QTemporaryDir elsewhere;
    const QString ownLink = elsewhere.filePath("adapter");
    ASSERT_TRUE(QFile::link(other.slavePath(), ownLink));
    const std::pair<QString, QString> rows[] = {{adapter.slavePath(), stable},
                                                {stable, stable},
                                                {other.slavePath(), other.slavePath()},
                                                {ownLink, other.slavePath()}};
    for (const auto& [given, written] : rows) {
        ASSERT_EQ(portmap::assignPort(4, given, byId.path()).value(), written);
        EXPECT_EQ(entry(4), written);
        EXPECT_EQ(folder(), QStringList{"com4"}) << "nothing else left behind";
    }
    EXPECT_TRUE(portmap::clearPort(4).value());
    EXPECT_FALSE(portmap::clearPort(4).value()) << "nothing left to clear";
    EXPECT_TRUE(folder().isEmpty());
}

// An entry, its own included, is no device: pointing a port at one would lose the entry it had
// and leave a loop, or ports that follow each other.
TEST_F(PortMap, WhatIsNoSerialLineIsRefusedAndNothingChanges) {
    ASSERT_TRUE(portmap::assignPort(2, other.slavePath(), byId.path()).ok());
    QFile(byId.filePath("file")).open(QIODevice::WriteOnly);
    ASSERT_TRUE(QFile::link(platform::portMapEntryPath(2), byId.filePath("to-com2")));
    const std::tuple<int, QString, int> rows[] = {
        {0, adapter.slavePath(), kPortNotDetected},
        {10, adapter.slavePath(), kPortNotDetected},
        {2, "/dev/null", kPortNotDetected},
        {2, "/dev/tty", kPortNotDetected},
        {2, "/dev/ptmx", kPortNotDetected},
        {2, byId.path(), kPortSettings},
        {2, byId.filePath("file"), kPortSettings},
        {2, "/dev/no-such-adapter", kPortNotDetected},
        {2, platform::portMapEntryPath(2), kPortNotDetected},
        {2, byId.filePath("to-com2"), kPortNotDetected},
        {3, platform::portMapEntryPath(2), kPortNotDetected}};
    for (const auto& [port, device, number] : rows) {
        const txlink::Result<QString> written = portmap::assignPort(port, device, byId.path());
        ASSERT_FALSE(written.ok()) << device.toStdString();
        EXPECT_EQ(written.error().number, number) << written.error().reason;
        EXPECT_EQ(entry(2), other.slavePath());
        EXPECT_EQ(folder(), QStringList{"com2"});
    }
}

TEST(LockHolder, IsALiveProgramNamedInTheDevicesLockFile) {
    testsupport::Pty pty;
    QTemporaryDir locks;
    QFile lock(locks.filePath("LCK.." + pty.slavePath().mid(5).replace(u'/', u'_')));
    const QByteArray self = QByteArray::number(::getpid());
    const std::pair<QByteArray, qint64> rows[] = {
        {self + "\nvora-tx-controller\nhost\n", ::getpid()},  // as QLockFile writes it
        {"      " + self + "\n", ::getpid()},                 // as UUCP programs do
        {"4194304\n", 0}};                                    // a program that has ended
    for (const auto& [content, holder] : rows) {
        ASSERT_TRUE(lock.open(QIODevice::WriteOnly | QIODevice::Truncate));
        lock.write(content);
        lock.close();
        EXPECT_EQ(portmap::lockHolderOf(pty.slavePath(), {locks.path()}), holder) << content.data();
    }
}

}  // namespace
