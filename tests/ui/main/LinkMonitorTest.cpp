#include <QLabel>
#include <QSignalSpy>
#include <QTimer>

#include "ProgramFixture.h"
#include "support/Wait.h"
#include "ui/main/StatusBar.h"
#include "ui/monitor/LampShape.h"
#include "ui/monitor/LinkMonitor.h"

using namespace std::chrono_literals;

// The watchdog and the lamps of the link monitor, with the real window, a fake clock and a
// pseudo-terminal transmitter.
class LinkMonitor : public ProgramOnPtyFixture {
protected:
    QString panel(int n) {
        return window().findChild<ui::main::StatusBar*>(QStringLiteral("StatusBar1"))->panelText(n);
    }
    void tickAt(int h, int m, int s) {
        clock.set(h, m, s);
        program->panel().linkWatchTick();
    }
};

TEST_F(LinkMonitor, AnAnsweringTransmitterGetsTheStatusRequestTwiceAtStartUp) {
    receive("S1010128");
    tickAt(12, 0, 1);
    EXPECT_EQ(pty.read(2), "2a");
    tickAt(12, 0, 2);
    EXPECT_EQ(pty.drain(60ms), "");
    EXPECT_EQ(panel(1), "Connected");
    EXPECT_EQ(panel(3), "TX Locked");
}

TEST_F(LinkMonitor, SilenceEmptiesThePanelsAndPutsTheLinkLampOut) {
    receive("S1010128");
    tickAt(12, 0, 3);
    EXPECT_EQ(program->monitor().window()->linkLamp()->lit(), true);
    tickAt(12, 0, 4);
    EXPECT_EQ(panel(1), "Disconnected");
    EXPECT_EQ(panel(3), "");
    EXPECT_EQ(program->monitor().window()->linkLamp()->lit(), false);
}

TEST_F(LinkMonitor, TheFirstTickLoadsTheMonitorHiddenAndTheMenuShowsTheVerdict) {
    program->monitor().unload();
    receive("F1234567");
    tickAt(12, 0, 1);
    ui::monitor::LinkMonitor* monitor = program->monitor().window();
    ASSERT_NE(monitor, nullptr);
    EXPECT_FALSE(monitor->isVisible());
    window().findChild<QAction*>(QStringLiteral("mnu_serieel"))->trigger();
    EXPECT_TRUE(monitor->isVisible());
    EXPECT_EQ(monitor->linkLamp()->lit(), true);
    EXPECT_EQ(monitor->portCaption()->text(), "?");

    // Closed by the operator: the next write loads it again, hidden, with fresh values.
    storePortText(QStringLiteral("Com 1"));
    monitor->close();
    tickAt(12, 0, 9);
    ASSERT_NE(program->monitor().window(), nullptr);
    EXPECT_FALSE(program->monitor().window()->isVisible());
    EXPECT_EQ(program->monitor().window()->portCaption()->text(), "Com 1");
    EXPECT_EQ(program->monitor().window()->linkLamp()->lit(), false);
}

TEST_F(LinkMonitor, AnEventLightsItsLampUntilTheNextTickOfItsOffTimer) {
    struct Case {
        const char* timer;
        std::function<void()> event;
        std::function<ui::monitor::LampShape*()> lamp;
    };
    const Case cases[] = {
        {"tmrTXLED", [this] { program->panel().stepClicked(); },
         [this] { return program->monitor().window()->transmitLamp(); }},
        {"tmrRXLED", [this] { pty.write("F1234567"); },
         [this] { return program->monitor().window()->receiveLamp(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.timer);
        auto* timer = program->session().findChild<QTimer*>(QString::fromLatin1(c.timer));
        ASSERT_TRUE(testsupport::waitUntil([&] { return !timer->isActive(); }));
        c.event();
        ASSERT_TRUE(testsupport::waitUntil([&] { return c.lamp()->lit(); }));
        EXPECT_TRUE(timer->isActive());
        QSignalSpy ticks(timer, &QTimer::timeout);
        ASSERT_TRUE(testsupport::waitUntil([&] { return ticks.count() > 0; }));
        EXPECT_EQ(c.lamp()->lit(), false) << "out on the first tick";
        EXPECT_FALSE(timer->isActive()) << "and the timer switched itself off";
    }
}
