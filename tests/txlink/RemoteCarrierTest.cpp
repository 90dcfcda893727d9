// Carrier requests from other programs: the toggle goes out only to change a reported state,
// once per change, and a program that leaves with the carrier keyed has it switched off.

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "Fakes.h"
#include "txlink/RemoteCarrier.h"

namespace {

using namespace std::chrono_literals;
using txlink::RemoteCarrier;

// A scenario is a list of events, each with what it must lead to after '>': 't' one toggle to
// send now, '.' nothing to send, 'r' refused. Events: +N / -N requester N asks for the carrier
// on / off, xN requester N is gone, R1 / R0 a report of the carrier on / off, L1 / L0 the link up
// / down (down forgets the report, as the panel does), wMS time passes, ! the toggle asked for
// could not be sent.
struct Scenario {
    const char* name;
    const char* events;
};

void PrintTo(const Scenario& s, std::ostream* out) {
    *out << s.name;
}

class CarrierScenario : public ::testing::TestWithParam<Scenario> {};

TEST_P(CarrierScenario, SendsOnlyTheTogglesItMust) {
    RemoteCarrier carrier;
    txlink::CarrierFacts facts{std::nullopt, true, {}};
    std::istringstream events(GetParam().events);
    std::string event;
    while (events >> event) {
        SCOPED_TRACE(event);
        const int value = std::atoi(event.c_str() + 1);
        const auto shown = [](bool toggle) { return toggle ? 't' : '.'; };
        char outcome = '.';
        switch (event.front()) {
            case '+':
            case '-': {
                const auto decision = carrier.request(event.front() == '+', value, facts);
                outcome = decision ? shown(*decision) : 'r';
                break;
            }
            case 'x':
                outcome = shown(carrier.release(value, facts));
                break;
            case 'R':
                facts.reportedOn = value == 1;
                outcome = shown(carrier.update(facts));
                break;
            case 'L':
                facts.linkUp = value == 1;
                if (!facts.linkUp) {
                    facts.reportedOn.reset();
                }
                outcome = shown(carrier.update(facts));
                break;
            case 'w':
                facts.now += std::chrono::milliseconds(value);
                outcome = shown(carrier.update(facts));
                break;
            case '!':
                carrier.toggleNotSent();
                break;
        }
        EXPECT_EQ(outcome, event.back());
    }
}

INSTANTIATE_TEST_SUITE_P(
    RemoteCarrier, CarrierScenario,
    ::testing::Values(
        Scenario{"KeysOnceAndNotAgain", "R0>. +1>t +1>. R1>. +1>. -1>t"},
        Scenario{"RefusesWhileNothingIsReported", "+1>r -1>r"},
        Scenario{"RefusesWhileTheLinkIsDown", "R1>. L0>. -1>r +1>r"},
        Scenario{"AStaleReportDoesNotToggleAgain", "R0>. +1>t R0>. +1>. w1000>. R1>."},
        Scenario{"OffAskedWhileTheKeyIsOnItsWayFollowsTheKey", "R0>. +1>t -1>. R1>t R0>."},
        Scenario{"AToggleNoReportShowsIsGivenUp", "R0>. +1>t w1999>. w1>. R0>. +1>t"},
        Scenario{"AToggleThatFailedBlocksNothing", "R0>. +1>t !>. +1>t"},
        // The off key pressed while the port is closed: lost, never sent later by itself.
        Scenario{"AnOffThatFailedIsNotSentLater", "R1>. -0>t !>. w500>. L0>. L1>. R1>."},
        Scenario{"AnUnkeyThatFailedIsNotSentLater", "R0>. +1>t R1>. x1>t !>. w3000>. R1>."},
        Scenario{"TheHolderLeavingUnkeys", "R0>. +1>t R1>. x2>. x1>t R0>."},
        Scenario{"AHolderLeavingBeforeItsKeyShowsIsUnkeyedWhenItShows", "R0>. +1>t x1>. R1>t"},
        Scenario{"TheLastOfTwoHoldersLeavingUnkeys", "R0>. +1>t R1>. +2>. x1>. x2>t"},
        Scenario{"ACarrierKeyedAtThePanelIsNobodys", "R1>. +1>. x1>."},
        Scenario{"SwitchedOffAtThePanelTheHoldersLeavingChangesNothing",
                 "R0>. +1>t R1>. R0>. R1>. x1>."},
        Scenario{"UnkeyingWaitsForAReportAfterASilentLink",
                 "R0>. +1>t R1>. L0>. x1>. w60000>. L1>. R1>t"},
        Scenario{"AfterASilentLinkAReportOfOffNeedsNoToggle", "R0>. +1>t R1>. L0>. x1>. L1>. R0>."},
        Scenario{"KeyingNeverWaitsForASilentLink", "R1>. -1>t +1>. L0>. R0>. L1>."}),
    [](const ::testing::TestParamInfo<Scenario>& info) { return std::string(info.param.name); });

// Through the panel: the toggle takes the buttons' path, and reports and ticks complete requests.
struct PanelWithLinkUp : linktest::Rig {
    PanelWithLinkUp() {
        panel.load();
        panel.parseReceived("S1010128");  // carrier off
        panel.linkWatchTick();            // link up: "2a"
        link.sent.clear();
    }
};

TEST(RemoteCarrierOnThePanel, TogglesOnTheLineAndFollowsReports) {
    PanelWithLinkUp rig;
    ASSERT_TRUE(rig.panel.requestCarrier(true, 7).ok());
    ASSERT_TRUE(rig.panel.requestCarrier(false, 7).ok());
    EXPECT_EQ(rig.link.sent, std::vector<std::string>{"7a"});

    rig.panel.parseReceived("S1011128");  // the key shows: the off asked meanwhile goes out
    EXPECT_EQ(rig.link.sent, (std::vector<std::string>{"7a", "7a"}));
    rig.panel.parseReceived("S1010128");
    rig.panel.linkWatchTick();
    EXPECT_EQ(rig.link.sent.size(), 2u);
}

TEST(RemoteCarrierOnThePanel, TheHolderLeavingUnkeysThroughTheLine) {
    PanelWithLinkUp rig;
    ASSERT_TRUE(rig.panel.requestCarrier(true, 7).ok());
    rig.panel.parseReceived("S1011128");
    rig.panel.releaseCarrier(8);
    EXPECT_EQ(rig.link.sent.size(), 1u);
    rig.panel.releaseCarrier(7);
    EXPECT_EQ(rig.link.sent, (std::vector<std::string>{"7a", "7a"}));
}

// A report from before the link went down says nothing of now: a program that leaves meanwhile is
// unkeyed only once a report after the link's return says the carrier is still on.
TEST(RemoteCarrierOnThePanel, AReportFromBeforeASilenceIsNotActedOn) {
    PanelWithLinkUp rig;
    ASSERT_TRUE(rig.panel.requestCarrier(true, 7).ok());
    rig.panel.parseReceived("S1011128");
    rig.clock.set(std::chrono::seconds(5));
    rig.panel.linkWatchTick();  // silent for 5 s: down
    rig.panel.releaseCarrier(7);
    rig.panel.parseReceived("F1296000");
    rig.panel.linkWatchTick();  // back: "2a", and nothing else until a status says more
    EXPECT_EQ(rig.link.sent, (std::vector<std::string>{"7a", "2a"}));
    EXPECT_FALSE(rig.panel.requestCarrier(false, txlink::RemoteCarrier::kOperator).ok());
    rig.panel.parseReceived("S1011128");
    EXPECT_EQ(rig.link.sent, (std::vector<std::string>{"7a", "2a", "7a"}));
}

// The panel going takes the key of a program along, while its port is still open.
TEST(RemoteCarrierOnThePanel, UnloadingUnkeysACarrierAProgramKeyed) {
    PanelWithLinkUp rig;
    ASSERT_TRUE(rig.panel.requestCarrier(true, 7).ok());
    rig.panel.parseReceived("S1011128");
    rig.log.clear();
    rig.panel.unload();
    EXPECT_EQ(rig.log.entries, (linktest::Log{"send 7a", "close", "unload monitor"}));
}

// Ending while a program's key is still on its way: the panel waits for the report that shows it,
// then switches it off like any other; without such a key nothing waits.
TEST(RemoteCarrierOnThePanel, EndingWaitsForAProgramsKeyThenUnkeysIt) {
    PanelWithLinkUp rig;
    ASSERT_TRUE(rig.panel.requestCarrier(true, 7).ok());
    EXPECT_TRUE(rig.panel.releaseProgramsForEnd());
    EXPECT_EQ(rig.link.sent, std::vector<std::string>{"7a"});
    rig.panel.parseReceived("S1011128");  // the key shows
    EXPECT_FALSE(rig.panel.programKeyAwaitsReport());
    EXPECT_EQ(rig.link.sent, (std::vector<std::string>{"7a", "7a"}));
    rig.log.clear();
    rig.panel.unload();
    EXPECT_EQ(rig.log.entries, (linktest::Log{"close", "unload monitor"}));

    PanelWithLinkUp keyedAtThePanel;
    keyedAtThePanel.panel.parseReceived("S1011128");
    EXPECT_FALSE(keyedAtThePanel.panel.releaseProgramsForEnd());
    EXPECT_TRUE(keyedAtThePanel.link.sent.empty());
}

TEST(RemoteCarrierOnThePanel, RefusalsSendNothingAndSayWhy) {
    PanelWithLinkUp closed;
    closed.link.opened = false;
    const txlink::Status notSent = closed.panel.requestCarrier(true, 1);
    ASSERT_FALSE(notSent.ok());
    EXPECT_EQ(notSent.error().number, txlink::error::kPortNotOpen);
    closed.link.opened = true;
    EXPECT_TRUE(closed.panel.requestCarrier(true, 1).ok());  // the failed toggle blocks nothing
    EXPECT_EQ(closed.link.sent, std::vector<std::string>{"7a"});

    PanelWithLinkUp unloaded;  // between two loads: no line to send on
    unloaded.panel.unload();
    EXPECT_EQ(unloaded.panel.requestCarrier(true, 1).error().number, txlink::error::kLinkDown);
}

}  // namespace
