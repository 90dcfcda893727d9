// The Serial Ports window, offscreen, over real ptys standing in for USB adapters: the links in
// one folder play the devices present, another /dev/serial/by-id; the port map is private.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include "ProgramFixture.h"
#include "platform/ConfigPaths.h"
#include "support/Wait.h"

using namespace std::chrono_literals;
using testsupport::waitUntil;

namespace {

class SerialPortsWindowTest : public ProgramFixture {
protected:
    void SetUp() override {
        source.list = [this] {
            QList<portmap::SerialDevice> present;
            for (const QFileInfo& link : QDir(dev.path()).entryInfoList(QDir::System)) {
                const QString device = link.canonicalFilePath();
                present.append({device, portmap::stableNameOf(device, byId.path()),
                                "USB-Serial Controller", "Prolific", "", 0});
            }
            return present;
        };
        source.watchedFolders = {dev.path()};
        source.stableFolder = byId.path();
        devices = &source;
        config.mapPort(1, mainPort.slavePath());
        config.mapPort(5, QStringLiteral("/tmp/\x1b[31mred"));  // made by hand
        ASSERT_TRUE(QFile::link(adapter.slavePath(), dev.filePath("ttyUSB0")));
        ASSERT_TRUE(QFile::link(adapter.slavePath(), stable));
        start();
        window().findChild<QAction*>(QStringLiteral("mnu_serialPorts"))->trigger();
        ports = program->serialPortsWindow();
        ASSERT_NE(ports, nullptr);
    }
    template <typename T = QWidget>
    T* control(const char* name) {
        T* found = ports->findChild<T*>(QString::fromLatin1(name));
        return found != nullptr ? found : throw std::runtime_error(name);
    }
    QStringList row(const char* list, int index) {
        QStringList texts;
        const QTreeWidgetItem* item = control<QTreeWidget>(list)->topLevelItem(index);
        for (int column = 0; item != nullptr && column < item->columnCount(); ++column) {
            texts << item->text(column);
        }
        return texts;
    }
    QString entry(int port) { return QFileInfo(platform::portMapEntryPath(port)).symLinkTarget(); }

    testsupport::Pty mainPort;
    testsupport::Pty adapter;
    QTemporaryDir dev;
    QTemporaryDir byId;
    const QString stable = byId.filePath("usb-Prolific_PL2303-if00-port0");
    ui::ports::DeviceSource source;
    ui::ports::SerialPortsWindow* ports = nullptr;
};

// Assigning the main window's port starts it again there, as the Settings dialog's Save does.
TEST_F(SerialPortsWindowTest, AssignsTheSelectedDeviceByItsStableNameAndClearsIt) {
    EXPECT_EQ(row("deviceList", 0), (QStringList{stable, adapter.slavePath(),
                                                 "USB-Serial Controller", "Prolific", "", "no"}));
    EXPECT_FALSE(control("assignButton")->isEnabled()) << "no device chosen yet";
    auto* deviceList = control<QTreeWidget>("deviceList");
    deviceList->setCurrentItem(deviceList->topLevelItem(0));
    auto* portList = control<QTreeWidget>("portList");
    portList->setCurrentItem(portList->topLevelItem(2));  // chooses Com 3

    const ui::main::MainWindow* before = program->mainWindow();
    QTest::mouseClick(control<QPushButton>("assignButton"), Qt::LeftButton);
    EXPECT_EQ(entry(3), stable);
    EXPECT_EQ(row("portList", 2), (QStringList{"Com 3", stable, adapter.slavePath(), "yes"}));
    EXPECT_EQ(program->mainWindow(), before) << "port 3 is not the main window's";
    QTest::mouseClick(control<QPushButton>("clearButton"), Qt::LeftButton);
    EXPECT_FALSE(QFileInfo(platform::portMapEntryPath(3)).isSymLink());
    EXPECT_EQ(row("portList", 2).mid(0, 3),
              (QStringList{"Com 3", "none (the default)", "/dev/ttyS2"}));

    ASSERT_EQ(mainPort.read(2), "2a");
    portList->setCurrentItem(portList->topLevelItem(0));
    QTest::mouseClick(control<QPushButton>("assignButton"), Qt::LeftButton);
    EXPECT_EQ(adapter.read(2), "2a");
    EXPECT_EQ(program->session().link().device(), adapter.slavePath());
    EXPECT_TRUE(ports->isVisible());
}

TEST_F(SerialPortsWindowTest, NamesShowTheirControlCharactersWrittenOut) {
    EXPECT_EQ(row("portList", 4),
              (QStringList{"Com 5", "/tmp/\\e[31mred", "nothing: the entry points nowhere", "no"}));
}

TEST_F(SerialPortsWindowTest, TheListFollowsDevicesComingAndGoing) {
    ASSERT_TRUE(QFile::remove(dev.filePath("ttyUSB0")));
    auto* list = control<QTreeWidget>("deviceList");
    EXPECT_TRUE(waitUntil([&] { return list->topLevelItemCount() == 0; }, 5s));
    ASSERT_TRUE(QFile::link(adapter.slavePath(), dev.filePath("ttyUSB1")));
    EXPECT_TRUE(waitUntil([&] { return list->topLevelItemCount() == 1; }, 5s));
}

TEST_F(SerialPortsWindowTest, KeyboardAloneReachesEveryControlAndAssigns) {
    QApplication::setActiveWindow(ports);
    ASSERT_TRUE(QTest::qWaitForWindowActive(ports));
    control("deviceList")->setFocus();
    QTest::keyClick(control("deviceList"), Qt::Key_Down);  // the first device
    for (const char* name : {"deviceList", "portNumberBox", "assignButton", "clearButton",
                             "portList", "closeButton", "deviceList"}) {
        EXPECT_EQ(QApplication::focusWidget()->objectName().toStdString(), name);
        EXPECT_FALSE(QApplication::focusWidget()->accessibleName().isEmpty()) << name;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Tab, Qt::Key_Space}) {  // Com 2, Assign
        QTest::keyClick(QApplication::focusWidget(), key);
    }
    EXPECT_EQ(entry(2), stable);
    QTest::keyClick(ports, Qt::Key_Escape);
    EXPECT_TRUE(waitUntil([&] { return program->serialPortsWindow() == nullptr; }));
}

}  // namespace
