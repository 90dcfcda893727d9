// The connection watchdog tick.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "Fakes.h"
#include "txlink/Watchdog.h"

namespace {

using linktest::Log;
using linktest::Rig;
using txlink::TimeOfDay;

const Log kDown = {"link=down", "lamp link=out"};
const Log kUpFirst = {"link=up", "lamp link=lit", "send 2a"};
const Log kUpAgain = {"link=up", "lamp link=lit"};

void receiveAt(Rig& rig, TimeOfDay t) {
    rig.clock.time = t;
    rig.panel.parseReceived("");
}

void tickAt(Rig& rig, TimeOfDay t) {
    rig.clock.time = t;
    rig.panel.linkWatchTick();
}

TEST(Watchdog, VerdictOfOneTick) {
    const auto hms = TimeOfDay::fromHms;
    struct Row {
        std::optional<TimeOfDay> received;
        TimeOfDay tick;
        bool down;
    };
    const Row rows[] = {
        {hms(12, 0, 0), hms(12, 0, 0), false},
        {hms(12, 0, 0), hms(12, 0, 3), false},
        {hms(12, 0, 0), hms(12, 0, 4), true},
        {hms(12, 0, 0), hms(12, 0, 5), true},
        {hms(12, 0, 0), hms(18, 0, 0), true},
        // Forward through midnight.
        {hms(23, 59, 59), hms(0, 0, 0), false},
        {hms(23, 59, 58), hms(0, 0, 1), false},
        {hms(23, 59, 57), hms(0, 0, 1), true},
        // A receive later in the day than the tick lies almost a day back.
        {hms(0, 0, 1), hms(23, 59, 58), true},
        {hms(12, 0, 5), hms(12, 0, 4), true},
        // Nothing ever received: down at any time of day, midnight included.
        {std::nullopt, hms(0, 0, 0), true},
        {std::nullopt, hms(0, 0, 2), true},
        {std::nullopt, hms(0, 0, 3), true},
        {std::nullopt, hms(12, 0, 0), true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE("received " + (row.received ? row.received->toString() : "never") + ", tick " +
                     row.tick.toString());
        Rig rig;
        if (row.received) {
            receiveAt(rig, *row.received);
        }
        tickAt(rig, row.tick);
        EXPECT_EQ(rig.log.entries, row.down ? kDown : kUpFirst);
        EXPECT_EQ(rig.panel.state().linkUp, !row.down);
        EXPECT_EQ(rig.panel.state().tickTime, row.tick);
        EXPECT_EQ(txlink::linkIsDown(row.tick, row.received), row.down);
    }
}

TEST(Watchdog, StatusRequestGoesOutOnlyOnEachChangeToUp) {
    const auto hms = TimeOfDay::fromHms;
    Rig rig;
    struct Step {
        const char* what;
        TimeOfDay at;
        Log expected;  // only for ticks
    };
    const Step steps[] = {
        {"tick", hms(11, 59, 59), kDown},  {"receive", hms(12, 0, 0), {}},
        {"tick", hms(12, 0, 0), kUpFirst}, {"tick", hms(12, 0, 1), kUpAgain},
        {"tick", hms(12, 0, 3), kUpAgain}, {"tick", hms(12, 0, 4), kDown},
        {"tick", hms(12, 0, 5), kDown},    {"receive", hms(12, 0, 6), {}},
        {"tick", hms(12, 0, 6), kUpFirst}, {"tick", hms(12, 0, 7), kUpAgain},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(std::string(step.what) + " at " + step.at.toString());
        rig.log.clear();
        if (std::string_view(step.what) == "receive") {
            receiveAt(rig, step.at);
        } else {
            tickAt(rig, step.at);
            EXPECT_EQ(rig.log.entries, step.expected);
        }
    }
    EXPECT_EQ(rig.link.sent, (std::vector<std::string>{"2a", "2a"}));
}

TEST(Watchdog, SteadyStreamEveryThreeSecondsStaysUp) {
    Rig rig;
    // Half-second ticks over a minute across midnight, text every three seconds; stamps hold
    // whole seconds.
    const int start = txlink::kSecondsPerDay - 30;
    for (int halfSeconds = 0; halfSeconds < 120; ++halfSeconds) {
        const TimeOfDay now = TimeOfDay::fromSeconds(start + halfSeconds / 2);
        if (halfSeconds % 6 == 0) {
            receiveAt(rig, now);
        }
        rig.log.clear();
        tickAt(rig, now);
        ASSERT_EQ(rig.log.entries.front(), "link=up") << now.toString();
    }
    EXPECT_EQ(rig.link.sent, (std::vector<std::string>{"2a"}));
}

TEST(Watchdog, FailedStatusRequestLeavesTheLinkDownSoTheNextTickSendsAgain) {
    Rig rig;
    rig.link.opened = false;
    receiveAt(rig, TimeOfDay::fromHms(9, 0, 0));
    rig.log.clear();
    tickAt(rig, TimeOfDay::fromHms(9, 0, 1));
    EXPECT_EQ(rig.log.entries, (Log{"link=up", "lamp link=lit"}));
    EXPECT_FALSE(rig.panel.state().linkUp);

    rig.link.opened = true;
    rig.log.clear();
    tickAt(rig, TimeOfDay::fromHms(9, 0, 2));
    EXPECT_EQ(rig.log.entries, kUpFirst);
    EXPECT_TRUE(rig.panel.state().linkUp);
}

TEST(Watchdog, DownTickDoesNotTouchThePort) {
    Rig rig;
    rig.link.opened = false;
    tickAt(rig, TimeOfDay::fromHms(9, 0, 0));
    EXPECT_EQ(rig.log.entries, kDown);
    EXPECT_FALSE(rig.panel.state().linkUp);
}

}  // namespace
