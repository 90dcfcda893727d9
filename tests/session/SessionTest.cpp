// The transmitter session over a real pseudo-terminal: what reaches the panel, and when.
#include <gtest/gtest.h>

#include <QTimer>
#include <algorithm>
#include <chrono>

#include "session/TransmitterSession.h"
#include "support/FakeClock.h"
#include "support/Pty.h"
#include "support/TestConfig.h"
#include "support/Wait.h"

namespace {

using namespace std::chrono_literals;
using testsupport::waitUntil;

class NoLamps final : public txlink::ActivityLamps {
public:
    void showLinkLamp(bool) override {}
    void showTransmitLamp(bool) override {}
    void showReceiveLamp(bool) override {}
};

class Host final : public txlink::PanelHost {
public:
    txlink::Result<std::string> readPortText(const std::string& defaultText) override {
        return defaultText;
    }
    void startupFailed(const txlink::Error&, std::string_view) override { ++failures; }
    void portChoiceNeeded() override {}
    void panelClosed() override { ++closes; }
    txlink::ActivityLamps& lamps() override { return m_lamps; }
    void transmitTimedOut(std::chrono::seconds) override {}
    void carrierStillOnAfterTimeout() override {}

    int failures = 0;
    int closes = 0;

private:
    NoLamps m_lamps;
};

class Frequency final : public txlink::PanelDisplay {
public:
    void showFrequency(std::string_view megahertz, std::string_view fraction) override {
        shown = std::string(megahertz) + "." + std::string(fraction);
    }
    void showSelectedStep(std::optional<int>) override {}
    void showStepCaption(int, std::string_view) override {}
    void showLock(bool) override {}
    void showPower(int) override {}
    void showCarrier(bool) override {}
    void showLink(bool) override {}
    void showNetworkControl(std::optional<txlink::NetworkControlShown>) override {}

    std::string shown;
};

struct SessionOnPty : ::testing::Test {
    SessionOnPty() { config.mapPort(1, transmitter.slavePath()); }

    bool timersRunning() const {
        const QList<QTimer*> timers = session.findChildren<QTimer*>();
        return timers.size() == 5 &&
               std::all_of(timers.begin(), timers.end(), [](QTimer* t) { return t->isActive(); });
    }
    bool timersStopped() const {
        const QList<QTimer*> timers = session.findChildren<QTimer*>();
        return std::none_of(timers.begin(), timers.end(), [](QTimer* t) { return t->isActive(); });
    }

    testsupport::TestConfig config;
    testsupport::Pty transmitter;
    testsupport::FakeClock clock;
    Host host;
    Frequency display;
    session::TransmitterSession session{clock, host};
};

// A load opens the port, starts the timers and brings the transmitter's words to the display; an
// unload closes the port and stops everything, and the panel hears nothing until the next load.
TEST_F(SessionOnPty, TheLinkAndTimersReachThePanelOnlyWhileLoaded) {
    ASSERT_TRUE(timersStopped());
    session.load(display);
    EXPECT_TRUE(timersRunning());
    // The watchdog is left out, so that its own status request cannot cross the line's checks.
    session.findChild<QTimer*>(QStringLiteral("Tmrcom"))->stop();
    ASSERT_EQ(transmitter.read(2), "2a");
    transmitter.write("F1296125");
    ASSERT_TRUE(waitUntil([&] { return display.shown == "1296.125"; }));

    session.unload();
    EXPECT_EQ(host.closes, 1);
    EXPECT_FALSE(session.link().isOpen());
    EXPECT_TRUE(timersStopped());
    display.shown.clear();
    transmitter.write("F1300000");
    session.panel().frequencyUpPressed();  // a press between two loads sends nothing
    EXPECT_EQ(transmitter.drain(300ms), QByteArray());
    EXPECT_EQ(display.shown, "");
    EXPECT_FALSE(session.panel().state().frequencyUpHeld);

    session.load(display);
    EXPECT_TRUE(timersRunning());
    EXPECT_EQ(transmitter.read(2), "2a");
    EXPECT_EQ(host.failures, 0);
}

}  // namespace
