// The operator's buttons and the two repeat timers.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Fakes.h"

namespace {

using linktest::Rig;
using txlink::ControlPanel;
using txlink::PanelState;
using Outputs = std::vector<std::string>;

struct HoldButton {
    const char* name;
    void (ControlPanel::*press)();
    void (ControlPanel::*release)();
    void (ControlPanel::*tick)();  // the repeat timer that serves the button
    bool PanelState::*flag;
    const char* command;
};

const HoldButton kHoldButtons[] = {
    {"frequency up", &ControlPanel::frequencyUpPressed, &ControlPanel::frequencyUpReleased,
     &ControlPanel::frequencyRepeatTick, &PanelState::frequencyUpHeld, "3a"},
    {"frequency down", &ControlPanel::frequencyDownPressed, &ControlPanel::frequencyDownReleased,
     &ControlPanel::frequencyRepeatTick, &PanelState::frequencyDownHeld, "4a"},
    {"power up", &ControlPanel::powerUpPressed, &ControlPanel::powerUpReleased,
     &ControlPanel::powerRepeatTick, &PanelState::powerUpHeld, "5a"},
    {"power down", &ControlPanel::powerDownPressed, &ControlPanel::powerDownReleased,
     &ControlPanel::powerRepeatTick, &PanelState::powerDownHeld, "6a"},
};

TEST(Controls, PressSendsFirstThenSetsItsFlagReleaseOnlyClearsIt) {
    for (const auto& b : kHoldButtons) {
        SCOPED_TRACE(b.name);
        Rig rig;
        bool flagAtSend = true;
        rig.log.onEntry = [&](const std::string&) { flagAtSend = rig.panel.state().*b.flag; };
        (rig.panel.*b.press)();
        EXPECT_EQ(rig.link.sent, Outputs{b.command});
        EXPECT_FALSE(flagAtSend);
        EXPECT_TRUE(rig.panel.state().*b.flag);

        (rig.panel.*b.release)();
        EXPECT_FALSE(rig.panel.state().*b.flag);
        EXPECT_EQ(rig.link.sent, Outputs{b.command});
    }
}

TEST(Controls, PressOnAClosedPortLeavesTheFlagClear) {
    for (const auto& b : kHoldButtons) {
        SCOPED_TRACE(b.name);
        Rig rig;
        rig.link.opened = false;
        (rig.panel.*b.press)();
        EXPECT_FALSE(rig.panel.state().*b.flag);
        // No repetition starts.
        rig.link.opened = true;
        (rig.panel.*b.tick)();
        EXPECT_TRUE(rig.link.sent.empty());
    }
}

TEST(Controls, HoldSpanningKTicksSendsKPlusOne) {
    for (const auto& b : kHoldButtons) {
        for (int k = 0; k <= 4; ++k) {
            SCOPED_TRACE(std::string(b.name) + " k=" + std::to_string(k));
            Rig rig;
            (rig.panel.*b.press)();
            for (int i = 0; i < k; ++i) {
                (rig.panel.*b.tick)();
            }
            (rig.panel.*b.release)();
            (rig.panel.*b.tick)();  // after the release: nothing more
            EXPECT_EQ(rig.link.sent, Outputs(k + 1, b.command));
        }
    }
}

TEST(Controls, RepeatTimersSendBothHeldCommandsUpFirst) {
    struct Row {
        const char* name;
        void (ControlPanel::*pressA)();
        void (ControlPanel::*pressB)();
        void (ControlPanel::*tick)();
        void (ControlPanel::*otherTick)();
        Outputs afterTick;
    };
    const Row rows[] = {
        {"frequency repeat",
         &ControlPanel::frequencyDownPressed,
         &ControlPanel::frequencyUpPressed,
         &ControlPanel::frequencyRepeatTick,
         &ControlPanel::powerRepeatTick,
         {"3a", "4a"}},
        {"power repeat",
         &ControlPanel::powerDownPressed,
         &ControlPanel::powerUpPressed,
         &ControlPanel::powerRepeatTick,
         &ControlPanel::frequencyRepeatTick,
         {"5a", "6a"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Rig rig;
        (rig.panel.*row.pressA)();  // down first, so the tick's order is its own
        (rig.panel.*row.pressB)();
        rig.link.sent.clear();
        (rig.panel.*row.otherTick)();
        EXPECT_TRUE(rig.link.sent.empty());
        (rig.panel.*row.tick)();
        EXPECT_EQ(rig.link.sent, row.afterTick);
    }
}

TEST(Controls, TicksWithNoFlagSendNothing) {
    Rig rig;
    rig.panel.frequencyRepeatTick();
    rig.panel.powerRepeatTick();
    EXPECT_TRUE(rig.log.entries.empty());
}

TEST(Controls, ClickButtonsSendOneCommandEach) {
    Rig rig;
    rig.panel.stepClicked();
    EXPECT_EQ(rig.link.sent, Outputs{"1a"});
    rig.panel.carrierClicked();
    EXPECT_EQ(rig.link.sent, (Outputs{"1a", "7a"}));
    // Only the port is touched: the carrier caption waits for a status record.
    EXPECT_EQ(rig.log.entries, (linktest::Log{"send 1a", "send 7a"}));
}

TEST(Controls, NoButtonOrRepeatTickSendsTheStatusRequest) {
    Rig rig;
    for (const auto& b : kHoldButtons) {
        (rig.panel.*b.press)();
    }
    rig.panel.frequencyRepeatTick();
    rig.panel.powerRepeatTick();
    rig.panel.stepClicked();
    rig.panel.carrierClicked();
    for (const auto& b : kHoldButtons) {
        (rig.panel.*b.release)();
    }
    EXPECT_EQ(rig.link.sent, (Outputs{"3a", "4a", "5a", "6a", "3a", "4a", "5a", "6a", "1a", "7a"}));
}

}  // namespace
