// The link watch: four seconds of silence, measured on a monotonic clock, is a link down.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "Fakes.h"
#include "txlink/Watchdog.h"

namespace {

using namespace std::chrono_literals;
using linktest::Log;
using linktest::Rig;
using std::chrono::milliseconds;

const Log kDown = {"link=down", "lamp link=out"};
const Log kUpFirst = {"link=up", "lamp link=lit", "send 2a"};
// The panel is written only when the verdict changes; the lamp on every tick, so a monitor
// window the operator closed is loaded again with the verdict.
const Log kUpAgain = {"lamp link=lit"};
const Log kDownAgain = {"lamp link=out"};

void receiveAt(Rig& rig, milliseconds t) {
    rig.clock.set(t);
    rig.panel.parseReceived("");
}

void tickAt(Rig& rig, milliseconds t) {
    rig.clock.set(t);
    rig.panel.linkWatchTick();
}

TEST(Watchdog, VerdictOfOneTick) {
    constexpr milliseconds kDay = 24h;
    struct Row {
        const char* what;
        std::optional<milliseconds> received;
        milliseconds tick;
        bool down;
    };
    const Row rows[] = {
        {"just received", 10s, 10s, false},
        {"3.999 s of silence", 10s, 13999ms, false},
        {"exactly 4 s", 10s, 14s, true},
        {"4.5 s", 10s, 14500ms, true},
        {"an hour", 10s, 10s + 1h, true},
        // Time of day plays no part: a day of silence, or a day and a second, is silence.
        {"exactly a day", 10s, 10s + kDay, true},
        {"a day and 2 s", 10s, 12s + kDay, true},
        {"a week", 10s, 10s + 7 * kDay, true},
        // Nothing ever received: down, however early the tick.
        {"never, at the origin", std::nullopt, 0ms, true},
        {"never, 2 s in", std::nullopt, 2s, true},
        {"never, a day in", std::nullopt, kDay, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Rig rig;
        if (row.received) {
            receiveAt(rig, *row.received);
        }
        tickAt(rig, row.tick);
        EXPECT_EQ(rig.log.entries, row.down ? kDown : kUpFirst);
        EXPECT_EQ(rig.panel.state().linkUp, !row.down);
        EXPECT_EQ(rig.panel.state().tickTime, txlink::MonotonicTime{} + row.tick);
    }
}

TEST(Watchdog, StatusRequestGoesOutOnlyOnEachChangeToUp) {
    Rig rig;
    struct Step {
        const char* what;
        milliseconds at;
        Log expected;  // only for ticks
    };
    const Step steps[] = {
        {"tick", 59s, kDown},      {"receive", 60s, {}},        {"tick", 60s, kUpFirst},
        {"tick", 61s, kUpAgain},   {"tick", 63500ms, kUpAgain}, {"tick", 64s, kDown},
        {"tick", 65s, kDownAgain}, {"receive", 66s, {}},        {"tick", 66500ms, kUpFirst},
        {"tick", 67s, kUpAgain},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(std::string(step.what) + " at " + std::to_string(step.at.count()) + " ms");
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

TEST(Watchdog, TextEveryThreeSecondsKeepsTheLinkUp) {
    Rig rig;
    // Half-second ticks over a minute, text every three seconds.
    for (int halfSeconds = 0; halfSeconds < 120; ++halfSeconds) {
        const milliseconds now = 500ms * halfSeconds;
        if (halfSeconds % 6 == 0) {
            receiveAt(rig, now);
        }
        rig.log.clear();
        tickAt(rig, now);
        ASSERT_TRUE(rig.panel.state().linkUp) << now.count() << " ms";
        ASSERT_EQ(rig.log.count("lamp link=out"), 0) << now.count() << " ms";
    }
    EXPECT_EQ(rig.link.sent, (std::vector<std::string>{"2a"}));
}

TEST(Watchdog, FailedStatusRequestLeavesTheLinkDownSoTheNextTickSendsAgain) {
    Rig rig;
    rig.link.opened = false;
    receiveAt(rig, 9s);
    rig.log.clear();
    tickAt(rig, 9500ms);
    EXPECT_EQ(rig.log.entries, (Log{"link=up", "lamp link=lit"}));
    EXPECT_FALSE(rig.panel.state().linkUp);

    rig.link.opened = true;
    rig.log.clear();
    tickAt(rig, 10s);
    EXPECT_EQ(rig.log.entries, (Log{"lamp link=lit", "send 2a"}));
    EXPECT_TRUE(rig.panel.state().linkUp);
}

TEST(Watchdog, DownTickDoesNotTouchThePort) {
    Rig rig;
    rig.link.opened = false;
    tickAt(rig, 9s);
    EXPECT_EQ(rig.log.entries, kDown);
    EXPECT_FALSE(rig.panel.state().linkUp);
}

// A device back before the silence limit never showed the link down; what is on the line now is
// asked for everything all the same, once.
TEST(Watchdog, AReopenedPortIsAskedForItsStatusOnceAtTheNextTick) {
    Rig rig;
    receiveAt(rig, 10s);
    tickAt(rig, 10s);
    rig.panel.portReopened();
    for (const auto t : {10500ms, 11000ms, 11500ms}) {
        tickAt(rig, t);
    }
    EXPECT_EQ(rig.link.sent, (std::vector<std::string>{"2a", "2a"}));
}

}  // namespace

namespace {

// A port that closes under the panel is a link down at once, not after the silence limit; the
// next ticks keep it down until the transmitter is heard again on the port that came back.
TEST(Watchdog, APortLostIsALinkDownAtOnceUntilTheTransmitterIsHeardAgain) {
    Rig rig;
    receiveAt(rig, 0ms);
    tickAt(rig, 100ms);
    rig.log.clear();
    rig.panel.portLost();
    EXPECT_EQ(rig.log.entries, kDown);
    EXPECT_FALSE(rig.panel.state().linkUp);
    EXPECT_FALSE(rig.panel.shown().carrierOn.has_value());

    rig.log.clear();
    tickAt(rig, 600ms);  // well inside the silence limit of the last text
    EXPECT_EQ(rig.log.entries, kDownAgain);
    receiveAt(rig, 1000ms);
    rig.log.clear();
    tickAt(rig, 1100ms);
    EXPECT_EQ(rig.log.entries, kUpFirst);
}

// Status panel 2 follows network control while the link is up, and a link down empties it.
TEST(NetworkControlPanel, ShowsClientsThenARemoteKeyAndNothingOnADownLink) {
    Rig rig;
    rig.panel.load();
    receiveAt(rig, 0ms);
    rig.panel.parseReceived("S1010128");  // carrier off
    rig.panel.setNetworkClients(std::nullopt);
    tickAt(rig, 100ms);
    const auto nets = [&] {
        Log seen;
        for (const std::string& entry : rig.log.entries) {
            if (entry.starts_with("net=")) {
                seen.push_back(entry);
            }
        }
        rig.log.clear();
        return seen;
    };
    EXPECT_EQ(nets(), Log{}) << "network control off: the panel stays empty";
    rig.panel.setNetworkClients(2);
    EXPECT_EQ(nets(), Log{"net=2"});
    ASSERT_TRUE(rig.panel.requestCarrier(true, 5).ok());
    EXPECT_EQ(nets(), Log{}) << "keyed, but not reported on yet";
    rig.panel.parseReceived("S1011128");
    EXPECT_EQ(nets(), Log{"net=remote"});
    rig.panel.parseReceived("S1011128");
    EXPECT_EQ(nets(), Log{}) << "the same report writes nothing";
    rig.panel.releaseCarrier(5);
    rig.panel.parseReceived("S1010128");
    EXPECT_EQ(nets(), Log{"net=2"});

    rig.panel.portLost();
    rig.panel.setNetworkClients(3);
    EXPECT_EQ(nets(), Log{}) << "a down link keeps the panel empty";
    receiveAt(rig, 200ms);
    tickAt(rig, 300ms);
    EXPECT_EQ(nets(), Log{"net=3"});
    rig.panel.setNetworkClients(std::nullopt);
    EXPECT_EQ(nets(), Log{"net=off"});
}

}  // namespace
