// Carrier requests from other programs: the toggle goes out only to change a reported state,
// once per change, and a program that leaves with the carrier keyed has it switched off.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Fakes.h"
#include "txlink/RemoteCarrier.h"

namespace {

using namespace std::chrono_literals;
using txlink::RemoteCarrier;

// One event, and what it must lead to: "toggle" (send one toggle now), "-" (nothing to send) or
// "refused".
struct Step {
    enum Kind { On, Off, Release, ReportOn, ReportOff, LinkDown, LinkUp, Wait, NotSent } kind;
    int value;  // the requester, or the milliseconds to wait
    const char* expect;
};

struct Scenario {
    const char* name;
    std::vector<Step> steps;
};

void PrintTo(const Scenario& s, std::ostream* out) {
    *out << s.name;
}

class CarrierScenario : public ::testing::TestWithParam<Scenario> {};

TEST_P(CarrierScenario, SendsOnlyTheTogglesItMust) {
    RemoteCarrier carrier;
    txlink::CarrierFacts facts{std::nullopt, true, {}};
    int index = 0;
    for (const Step& step : GetParam().steps) {
        SCOPED_TRACE("step " + std::to_string(++index));
        std::string outcome = "-";
        const auto toggled = [&](bool toggle) { outcome = toggle ? "toggle" : "-"; };
        switch (step.kind) {
            case Step::On:
            case Step::Off: {
                const auto decision = carrier.request(step.kind == Step::On, step.value, facts);
                outcome = !decision ? "refused" : *decision ? "toggle" : "-";
                break;
            }
            case Step::Release:
                toggled(carrier.release(step.value, facts));
                break;
            case Step::ReportOn:
            case Step::ReportOff:
                facts.reportedOn = step.kind == Step::ReportOn;
                toggled(carrier.update(facts));
                break;
            case Step::LinkDown:
            case Step::LinkUp:
                facts.linkUp = step.kind == Step::LinkUp;
                toggled(carrier.update(facts));
                break;
            case Step::Wait:
                facts.now += std::chrono::milliseconds(step.value);
                toggled(carrier.update(facts));
                break;
            case Step::NotSent:
                carrier.toggleNotSent();
                break;
        }
        EXPECT_EQ(outcome, step.expect);
    }
}

using S = Step;
INSTANTIATE_TEST_SUITE_P(
    RemoteCarrier, CarrierScenario,
    ::testing::Values(
        Scenario{"KeysOnceAndNotAgain",
                 {{S::ReportOff, 0, "-"},
                  {S::On, 1, "toggle"},
                  {S::On, 1, "-"},
                  {S::ReportOn, 0, "-"},
                  {S::On, 1, "-"}}},
        Scenario{"RefusesWhileNothingIsReported", {{S::On, 1, "refused"}, {S::Off, 1, "refused"}}},
        Scenario{"RefusesWhileTheLinkIsDown",
                 {{S::ReportOn, 0, "-"},
                  {S::LinkDown, 0, "-"},
                  {S::Off, 1, "refused"},
                  {S::On, 1, "refused"}}},
        Scenario{
            "AnAskedStateThatIsReportedSendsNothing",
            {{S::ReportOff, 0, "-"}, {S::Off, 1, "-"}, {S::ReportOn, 0, "-"}, {S::On, 1, "-"}}},
        Scenario{"AStaleReportDoesNotToggleAgain",
                 {{S::ReportOff, 0, "-"},
                  {S::On, 1, "toggle"},
                  {S::ReportOff, 0, "-"},
                  {S::On, 1, "-"},
                  {S::Wait, 1000, "-"},
                  {S::ReportOn, 0, "-"}}},
        Scenario{"OffAskedWhileTheKeyIsOnItsWayFollowsTheKey",
                 {{S::ReportOff, 0, "-"},
                  {S::On, 1, "toggle"},
                  {S::Off, 1, "-"},
                  {S::ReportOn, 0, "toggle"},
                  {S::ReportOff, 0, "-"}}},
        Scenario{"AToggleNoReportShowsIsGivenUp",
                 {{S::ReportOff, 0, "-"},
                  {S::On, 1, "toggle"},
                  {S::Wait, 1999, "-"},
                  {S::Wait, 1, "-"},
                  {S::ReportOff, 0, "-"},
                  {S::On, 1, "toggle"}}},
        Scenario{"AToggleThatFailedBlocksNothing",
                 {{S::ReportOff, 0, "-"},
                  {S::On, 1, "toggle"},
                  {S::NotSent, 0, "-"},
                  {S::On, 1, "toggle"}}},
        Scenario{"TheHolderLeavingUnkeys",
                 {{S::ReportOff, 0, "-"},
                  {S::On, 1, "toggle"},
                  {S::ReportOn, 0, "-"},
                  {S::Release, 2, "-"},
                  {S::Release, 1, "toggle"},
                  {S::ReportOff, 0, "-"}}},
        Scenario{"AHolderLeavingBeforeItsKeyShowsIsUnkeyedWhenItShows",
                 {{S::ReportOff, 0, "-"},
                  {S::On, 1, "toggle"},
                  {S::Release, 1, "-"},
                  {S::ReportOn, 0, "toggle"}}},
        Scenario{"TheLastOfTwoHoldersLeavingUnkeys",
                 {{S::ReportOff, 0, "-"},
                  {S::On, 1, "toggle"},
                  {S::ReportOn, 0, "-"},
                  {S::On, 2, "-"},
                  {S::Release, 1, "-"},
                  {S::Release, 2, "toggle"}}},
        Scenario{"ACarrierKeyedAtThePanelIsNobodys",
                 {{S::ReportOn, 0, "-"}, {S::On, 1, "-"}, {S::Release, 1, "-"}}},
        Scenario{"SwitchedOffAtThePanelTheHoldersLeavingChangesNothing",
                 {{S::ReportOff, 0, "-"},
                  {S::On, 1, "toggle"},
                  {S::ReportOn, 0, "-"},
                  {S::ReportOff, 0, "-"},
                  {S::ReportOn, 0, "-"},
                  {S::Release, 1, "-"}}},
        Scenario{"UnkeyingWaitsForASilentLink",
                 {{S::ReportOff, 0, "-"},
                  {S::On, 1, "toggle"},
                  {S::ReportOn, 0, "-"},
                  {S::LinkDown, 0, "-"},
                  {S::Release, 1, "-"},
                  {S::Wait, 60000, "-"},
                  {S::LinkUp, 0, "toggle"}}},
        Scenario{"KeyingNeverWaitsForASilentLink",
                 {{S::ReportOn, 0, "-"},
                  {S::Off, 1, "toggle"},
                  {S::On, 1, "-"},
                  {S::LinkDown, 0, "-"},
                  {S::ReportOff, 0, "-"},
                  {S::LinkUp, 0, "-"}}}),
    [](const ::testing::TestParamInfo<Scenario>& info) { return std::string(info.param.name); });

// Through the panel: the toggle takes the buttons' path, and reports and ticks complete requests.
struct PanelWithLinkUp : linktest::Rig {
    PanelWithLinkUp() {
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

TEST(RemoteCarrierOnThePanel, RefusalsSendNothingAndSayWhy) {
    PanelWithLinkUp closed;
    closed.link.opened = false;
    const txlink::Status notSent = closed.panel.requestCarrier(true, 1);
    ASSERT_FALSE(notSent.ok());
    EXPECT_EQ(notSent.error().number, txlink::error::kPortNotOpen);
    closed.link.opened = true;
    EXPECT_TRUE(closed.panel.requestCarrier(true, 1).ok());  // the failed toggle blocks nothing
    EXPECT_EQ(closed.link.sent, std::vector<std::string>{"7a"});

    PanelWithLinkUp silent;
    silent.clock.set(5s);
    silent.panel.linkWatchTick();
    EXPECT_EQ(silent.panel.requestCarrier(true, 1).error().number, txlink::error::kLinkDown);

    PanelWithLinkUp unloaded;
    unloaded.panel.attach(nullptr);
    EXPECT_EQ(unloaded.panel.requestCarrier(true, 1).error().number, txlink::error::kLinkDown);

    linktest::Rig fresh;  // loaded, but no status record yet
    fresh.panel.parseReceived("F1296000");
    fresh.panel.linkWatchTick();
    EXPECT_EQ(fresh.panel.requestCarrier(true, 1).error().number, txlink::error::kCarrierUnknown);
    EXPECT_EQ(silent.link.sent.size() + unloaded.link.sent.size(), 0u);
    EXPECT_EQ(fresh.link.sent, std::vector<std::string>{"2a"});
}

}  // namespace
