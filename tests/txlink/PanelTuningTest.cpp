// Tuning through the panel: its commands go through the one send of the buttons, paced by the
// frequency repeat tick; every operator press, a reload and a link that goes down stop it.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "Fakes.h"

namespace {

using namespace std::chrono_literals;
using linktest::Rig;
using txlink::ControlPanel;
using txlink::TuningEnd;
using txlink::TuningOutcome;

constexpr txlink::Hertz kTarget = 1'301'625'000;

// The panel loaded on a transmitter that answers every command as the real one does (F records,
// Step order 1, 2, 4, 8, 40), with the link up.
struct TuningRig : Rig {
    std::vector<int> order{1, 2, 4, 8, 40};
    std::size_t at = 0;
    long long kilohertz = 1'296'000;
    bool carrier = false;
    std::size_t answered = 0;  // commands of link.sent answered so far
    std::vector<TuningOutcome> outcomes;

    std::string status() const {
        char record[9];
        std::snprintf(record, sizeof record, "S1%02d%d128", order[at], carrier ? 1 : 0);
        return record;
    }
    std::string frequency() const { return "F" + std::to_string(kilohertz); }

    TuningRig() {
        panel.load();
        panel.parseReceived(status() + frequency());
        panel.linkWatchTick();  // up: asks for the status once more
        answerAll();
    }
    void answerAll() {
        for (; answered < link.sent.size(); ++answered) {
            const std::string& command = link.sent[answered];
            const long long step = std::array{
                125, 250, 500, 1000, 5000}[std::size_t(*txlink::stepLabelForCode(order[at]))];
            if (command == "1a") {
                at = (at + 1) % order.size();
                panel.parseReceived(status());
            } else if (command == "2a") {
                panel.parseReceived(status() + frequency());
            } else if (command == "3a" || command == "4a") {
                kilohertz += command == "3a" ? step : -step;
                panel.parseReceived(frequency());
            } else if (command == "7a") {
                carrier = !carrier;
                panel.parseReceived(status());
            }
        }
    }
    void tuneTo(txlink::Hertz target) {
        panel.tuneTo(target, [this](const TuningOutcome& outcome) { outcomes.push_back(outcome); });
        answerAll();
    }
    // `count` ticks of the repeat timer, 100 ms apart, each answered.
    void ticks(int count) {
        for (int i = 0; i < count; ++i) {
            clock.time += 100ms;
            panel.frequencyRepeatTick();
            answerAll();
        }
    }
    std::vector<std::string> sentSince(std::size_t from) const {
        return {link.sent.begin() + std::ptrdiff_t(from), link.sent.end()};
    }
};

TEST(PanelTuning, GoesThroughTheButtonsSendAndPutsTheOperatorsStepBack) {
    TuningRig rig;
    const std::size_t before = rig.link.sent.size();
    rig.tuneTo(kTarget);
    EXPECT_TRUE(rig.panel.tuning());
    rig.ticks(20);
    ASSERT_EQ(rig.outcomes.size(), 1u);
    EXPECT_EQ(rig.outcomes[0].end, TuningEnd::Reached);
    EXPECT_EQ(rig.sentSince(before),
              (std::vector<std::string>{"3a", "1a", "1a", "3a", "1a", "1a", "3a", "1a"}));
    EXPECT_EQ(rig.kilohertz, 1'301'625);
    EXPECT_EQ(rig.panel.shown().selectedStep, std::optional<std::optional<int>>(0));
    EXPECT_EQ(rig.panel.shown().megahertz, "1301");
}

struct Interruption {
    const char* name;
    void (*act)(TuningRig&);
    TuningEnd end;
};

void PrintTo(const Interruption& c, std::ostream* out) {
    *out << c.name;
}

class Interruptions : public ::testing::TestWithParam<Interruption> {};

// Two commands out, then the interruption: the tuning ends for its reason, and the ticks after
// it send nothing of the tuning's.
TEST_P(Interruptions, StopTheTuningAndNothingMoreOfItGoesOut) {
    TuningRig rig;
    rig.tuneTo(kTarget);
    rig.ticks(1);
    ASSERT_TRUE(rig.panel.tuning());
    GetParam().act(rig);
    rig.answerAll();
    ASSERT_EQ(rig.outcomes.size(), 1u);
    EXPECT_EQ(rig.outcomes[0].end, GetParam().end);
    EXPECT_FALSE(rig.panel.tuning());
    const std::size_t after = rig.link.sent.size();
    rig.panel.frequencyUpReleased();
    rig.panel.frequencyDownReleased();
    rig.ticks(20);
    for (const std::string& command : rig.sentSince(after)) {
        EXPECT_EQ(command, "2a") << "only the watchdog's status request may follow";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Panel, Interruptions,
    ::testing::Values(
        Interruption{"FrequencyUp", [](TuningRig& r) { r.panel.frequencyUpPressed(); },
                     TuningEnd::Operator},
        Interruption{"FrequencyDown", [](TuningRig& r) { r.panel.frequencyDownPressed(); },
                     TuningEnd::Operator},
        Interruption{"PowerUp",
                     [](TuningRig& r) {
                         r.panel.powerUpPressed();
                         r.panel.powerUpReleased();
                     },
                     TuningEnd::Operator},
        Interruption{"PowerDown",
                     [](TuningRig& r) {
                         r.panel.powerDownPressed();
                         r.panel.powerDownReleased();
                     },
                     TuningEnd::Operator},
        Interruption{"Step", [](TuningRig& r) { r.panel.stepClicked(); }, TuningEnd::Operator},
        Interruption{"Carrier", [](TuningRig& r) { r.panel.carrierClicked(); },
                     TuningEnd::Operator},
        Interruption{"Escape", [](TuningRig& r) { r.panel.carrierOffKeyPressed(); },
                     TuningEnd::Operator},
        Interruption{"Stop", [](TuningRig& r) { r.panel.stopTuning(); }, TuningEnd::Operator},
        Interruption{"Reload", [](TuningRig& r) { r.panel.unload(); }, TuningEnd::Reloaded},
        Interruption{"LinkSilent",
                     [](TuningRig& r) {
                         r.clock.time += 5s;
                         r.panel.linkWatchTick();
                     },
                     TuningEnd::LinkDown},
        Interruption{"PortLost", [](TuningRig& r) { r.panel.portLost(); }, TuningEnd::LinkDown},
        Interruption{"NetworkKeysTheCarrier",
                     [](TuningRig& r) { (void)r.panel.requestCarrier(true, 1); },
                     TuningEnd::CarrierOn}),
    [](const ::testing::TestParamInfo<Interruption>& info) {
        return std::string(info.param.name);
    });

TEST(PanelTuning, RefusedWhileTheCarrierIsOnOrBeforeTheLinkIsUp) {
    {
        TuningRig rig;
        rig.panel.carrierClicked();
        rig.answerAll();
        const std::size_t before = rig.link.sent.size();
        rig.tuneTo(kTarget);
        ASSERT_EQ(rig.outcomes.size(), 1u);
        EXPECT_EQ(rig.outcomes[0].end, TuningEnd::CarrierOn);
        rig.ticks(10);
        EXPECT_EQ(rig.link.sent.size(), before);
    }
    {
        Rig rig;  // not loaded: no line to send on
        std::optional<TuningEnd> end;
        rig.panel.tuneTo(kTarget, [&](const TuningOutcome& o) { end = o.end; });
        EXPECT_EQ(end, TuningEnd::LinkDown);
        EXPECT_TRUE(rig.link.sent.empty());
    }
}

// A second caller for the same target joins the first and hears the same end.
TEST(PanelTuning, CallersOfTheSameTargetAllHearTheEnd) {
    TuningRig rig;
    rig.tuneTo(kTarget);
    rig.ticks(2);
    rig.tuneTo(kTarget);
    rig.tuneTo(1'290'125'000);
    rig.ticks(30);
    ASSERT_EQ(rig.outcomes.size(), 3u);
    EXPECT_EQ(rig.outcomes[0].end, TuningEnd::Replaced);
    EXPECT_EQ(rig.outcomes[1].end, TuningEnd::Replaced);
    EXPECT_EQ(rig.outcomes[2].end, TuningEnd::Reached);
    EXPECT_EQ(rig.kilohertz, 1'290'125);
}

}  // namespace
