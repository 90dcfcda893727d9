#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>
#include <memory>

#include "app/Program.h"
#include "platform/PortSetting.h"
#include "support/Fakes.h"
#include "support/Pty.h"
#include "support/TestConfig.h"
#include "support/Wait.h"

// The whole program with a fake store, message box, URL opener and clock, and a private port map.
class ProgramFixture : public ::testing::Test {
protected:
    // Port 1 opens a line of the test's own unless the test maps it elsewhere: the machine's
    // /dev/ttyS0 is never written to, and two tests running side by side never meet on its lock.
    ProgramFixture() { config.mapPort(1, standbyLine.slavePath()); }
    ~ProgramFixture() override {
        program.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void storePortText(const QString& text) {
        ASSERT_TRUE(platform::savePortText(store, text).ok());
    }

    app::Program& start() {
        program = std::make_unique<app::Program>(
            app::Program::Services{store, messages, urls, clock, devices});
        program->start();
        return *program;
    }

    ui::main::MainWindow& window() { return *program->mainWindow(); }

    testsupport::TestConfig config;
    testsupport::Pty standbyLine;
    testsupport::MemorySettingsStore store;
    testsupport::RecordingMessageBox messages;
    testsupport::RecordingUrlOpener urls;
    testsupport::FakeClock clock;
    const ui::ports::DeviceSource* devices = nullptr;  // the system's
    std::unique_ptr<app::Program> program;
};

// The program started on a pseudo-terminal transmitter of the test's own, with a fake clock at
// 12:00:00 and the watchdog ticked by hand.
class ProgramOnPtyFixture : public ProgramFixture {
protected:
    void SetUp() override {
        clock.set(12, 0, 0);
        config.mapPort(1, pty.slavePath());
        start();
        ASSERT_EQ(pty.read(2), "2a");
        stopWatchdog();
    }
    void stopWatchdog() { program->session().findChild<QTimer*>(QStringLiteral("Tmrcom"))->stop(); }
    // `text` from the transmitter, once the panel has taken it in.
    void receive(const QByteArray& text) {
        const auto before = program->panel().state().lastReceive;
        pty.write(text);
        ASSERT_TRUE(
            testsupport::waitUntil([&] { return program->panel().state().lastReceive != before; }));
    }
    testsupport::Pty pty;
};
