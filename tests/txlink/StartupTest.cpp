// The control panel's port lifecycle: load, line events, unload.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "Fakes.h"

namespace {

using linktest::Log;
using linktest::Rig;

Log startupUpToOpen(int port) {
    return {"readPortText", "step=none", "open " + std::to_string(port)};
}

// Sets all five flags True through the handlers, then closes the port and forgets the traffic.
void primeFlags(Rig& rig) {
    rig.link.opened = true;
    rig.panel.frequencyUpPressed();
    rig.panel.frequencyDownPressed();
    rig.panel.powerDownPressed();
    rig.panel.powerUpPressed();
    rig.clock.set(12, 0, 0);
    rig.panel.parseReceived("");
    rig.panel.linkWatchTick();
    const auto& f = rig.panel.state();
    ASSERT_TRUE(f.frequencyUpHeld && f.frequencyDownHeld && f.powerUpHeld && f.powerDownHeld &&
                f.linkUp);
    rig.link.opened = false;
    rig.link.sent.clear();
    rig.log.clear();
}

TEST(Load, OpensThePortFromTheLastCharacterAndRequestsStatus) {
    struct Row {
        std::optional<std::string> stored;
        int port;
    };
    const Row rows[] = {{std::nullopt, 1}, {"Com 12", 2}, {"com 1", 1},
                        {"Com 10", 0},     {"Com 9", 9},  {"7", 7}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.stored.value_or("<nothing stored>"));
        Rig rig;
        rig.link.opened = false;
        rig.host.stored = row.stored;
        rig.panel.load();

        Log expected = startupUpToOpen(row.port);
        expected.push_back("send 2a");
        EXPECT_EQ(rig.log.entries, expected);
        EXPECT_EQ(rig.host.defaultsAsked, (std::vector<std::string>{"1"}));
        EXPECT_EQ(rig.panel.state().portText, row.stored.value_or("1"));
        EXPECT_EQ(rig.link.sent, (std::vector<std::string>{"2a"}));
        EXPECT_TRUE(rig.link.opened);
        EXPECT_TRUE(rig.host.failures.empty());
        EXPECT_EQ(rig.host.portChoices, 0);
    }
}

TEST(Load, ClearsThreeFlagsAfterReadingThePortAndBeforeTheStepLabels) {
    Rig rig;
    primeFlags(rig);
    rig.host.stored = "Com 2";
    const auto lastReceive = rig.panel.state().lastReceive;

    struct Snapshot {
        bool up, down, link;
    };
    std::optional<Snapshot> atRead, atStepLabels;
    rig.log.onEntry = [&](const std::string& e) {
        const auto& f = rig.panel.state();
        if (e == "readPortText") {
            atRead = Snapshot{f.frequencyUpHeld, f.frequencyDownHeld, f.linkUp};
        } else if (e == "step=none") {
            atStepLabels = Snapshot{f.frequencyUpHeld, f.frequencyDownHeld, f.linkUp};
        }
    };
    rig.panel.load();

    ASSERT_TRUE(atRead && atStepLabels);
    EXPECT_TRUE(atRead->up && atRead->down && atRead->link);
    EXPECT_FALSE(atStepLabels->up || atStepLabels->down || atStepLabels->link);
    // Fields start-up does not own keep their values across a reload.
    EXPECT_TRUE(rig.panel.state().powerUpHeld);
    EXPECT_TRUE(rig.panel.state().powerDownHeld);
    EXPECT_EQ(rig.panel.state().lastReceive, lastReceive);
}

TEST(Load, PortTextNotEndingInADigitIsErrorThirteenAndChangesNothing) {
    for (const char* stored : {"Com A", "Com ", "", "Com 1x", "COM", "Com 1 "}) {
        SCOPED_TRACE(std::string("stored \"") + stored + "\"");
        Rig rig;
        primeFlags(rig);
        rig.host.stored = stored;
        rig.panel.load();

        EXPECT_EQ(rig.log.entries, (Log{"readPortText", "error box"}));
        EXPECT_EQ(rig.host.failures,
                  std::vector<std::string>{"13 " + std::string(stored) + ": The stored port \"" +
                                           std::string(stored) +
                                           "\" does not end in a port number: choose a port in "
                                           "Options, Settings."});
        EXPECT_EQ(rig.host.portChoices, 0);
        EXPECT_TRUE(rig.link.sent.empty());
        EXPECT_FALSE(rig.link.opened);
        EXPECT_EQ(rig.panel.state().portText, stored);
        const auto& f = rig.panel.state();
        EXPECT_TRUE(f.frequencyUpHeld && f.frequencyDownHeld && f.linkUp);
    }
}

TEST(Load, AStoreThatCannotBeReadIsANumberedErrorAndOpensNothing) {
    Rig rig;
    rig.link.opened = false;
    rig.host.readError = txlink::Error{txlink::error::kSettingsFile, "cannot read the file"};
    rig.panel.load();
    EXPECT_EQ(rig.log.entries, (Log{"readPortText", "error box"}));
    EXPECT_EQ(rig.host.failures, (std::vector<std::string>{"75 : cannot read the file"}));
    EXPECT_FALSE(rig.link.opened);
}

// The operator is told the number; a missing or busy device also asks for a port choice.
TEST(Load, FailedOpenIsReportedWithItsNumber) {
    struct Row {
        const char* stored;
        int number;
        int port;
        bool settings;
    };
    const Row rows[] = {
        {"Com 3", 8005, 3, true},  {"Com 4", 8002, 4, true},  {"Com 10", 8002, 0, true},
        {"Com 5", 8010, 5, false}, {"Com 6", 8018, 6, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.stored) + " error " + std::to_string(row.number));
        Rig rig;
        primeFlags(rig);
        rig.host.stored = row.stored;
        rig.link.openError = row.number;
        rig.panel.load();

        Log expected = startupUpToOpen(row.port);
        // A missing or busy device is waited for, as an unplugged one is; port 0 names none.
        if (row.settings && row.port != 0) {
            expected.push_back("wait for " + std::to_string(row.port));
        }
        expected.push_back("error box");
        if (row.settings) {
            expected.push_back("settings dialog");
        }
        EXPECT_EQ(rig.log.entries, expected);
        EXPECT_EQ(rig.host.failures, std::vector<std::string>{std::to_string(row.number) + " " +
                                                              row.stored + ": open failed"});
        EXPECT_EQ(rig.host.portChoices, row.settings ? 1 : 0);
        EXPECT_TRUE(rig.link.sent.empty());
        EXPECT_FALSE(rig.link.opened);
        const auto& f = rig.panel.state();
        EXPECT_FALSE(f.frequencyUpHeld || f.frequencyDownHeld || f.linkUp);
    }
}

// The device that start-up waited for is there: start-up's status request goes out, once.
TEST(Load, ADeviceThatAppearsAfterAFailedStartUpIsAskedForItsStatus) {
    for (const int number : {txlink::error::kPortInUse, txlink::error::kPortNotDetected}) {
        SCOPED_TRACE(number);
        Rig rig;
        rig.link.opened = false;
        rig.host.stored = "Com 2";
        rig.link.openError = number;
        rig.panel.load();
        ASSERT_TRUE(rig.link.waiting);
        rig.link.opened = true;  // the link opened it by itself
        rig.panel.portReopened();
        rig.panel.portReopened();
        EXPECT_EQ(rig.link.sent, std::vector<std::string>{"2a"});
    }
}

TEST(LineEvents, SendLightsTheTransmitLampReceiveParsesThenLightsTheReceiveLamp) {
    struct Row {
        const char* what;
        const char* received;  // nullptr: a send event
        Log log;
    };
    const Row rows[] = {
        {"send", nullptr, {"lamp transmit=lit", "TransmitLampOff on"}},
        // The receive lamp is lit only after the whole text has been parsed.
        {"two records",
         "F1234567H7654312",
         {"frequency=1234|567", "FrequencyRepeat on", "frequency=76543|125", "FrequencyRepeat on",
          "caption4=10 MHz", "lamp receive=lit", "ReceiveLampOff on"}},
        {"a refused record",
         "S1x",
         {"lock=locked", "close", "open 1", "lamp receive=lit", "ReceiveLampOff on"}},
        {"empty text", "", {"lamp receive=lit", "ReceiveLampOff on"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Rig rig;
        rig.clock.set(8, 0, 0);
        if (row.received == nullptr) {
            rig.panel.commandsSent();
        } else {
            rig.panel.textReceived(row.received);
        }
        EXPECT_EQ(rig.log.entries, row.log);
        EXPECT_EQ(rig.panel.state().lastReceive.has_value(), row.received != nullptr);
    }
}

TEST(LampTimers, PutTheirLampOutThenSwitchThemselvesOff) {
    Rig rig;
    rig.panel.transmitLampTick();
    rig.panel.receiveLampTick();
    EXPECT_EQ(rig.log.entries, (Log{"lamp transmit=out", "TransmitLampOff off", "lamp receive=out",
                                    "ReceiveLampOff off"}));
}

// A port waiting for its vanished device counts as open: the unload ends the wait.
TEST(Unload, ClosesAnOpenPortOnlyThenUnloadsTheMonitor) {
    for (const auto& [open, waiting] : {std::pair{true, false}, {false, true}, {false, false}}) {
        SCOPED_TRACE(open ? "port open" : waiting ? "waiting for the device" : "port closed");
        Rig rig;
        rig.link.opened = open;
        rig.link.waiting = waiting;
        rig.panel.unload();
        const Log expected =
            open || waiting ? Log{"close", "unload monitor"} : Log{"unload monitor"};
        EXPECT_EQ(rig.log.entries, expected);
        EXPECT_FALSE(rig.link.opened || rig.link.waiting);
        EXPECT_EQ(rig.host.panelCloses, 1);
    }
}

}  // namespace
