// The operator's buttons and the two repeat timers.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Fakes.h"

namespace {

using linktest::Rig;
using txlink::FormFields;
using txlink::MainForm;
using Outputs = std::vector<std::string>;

struct HoldButton {
    const char* name;
    void (MainForm::*press)();
    void (MainForm::*release)();
    void (MainForm::*tick)();  // the repeat timer that serves the button
    bool FormFields::*flag;
    const char* command;
};

const HoldButton kHoldButtons[] = {
    {"Command1", &MainForm::Command1_MouseDown, &MainForm::Command1_MouseUp, &MainForm::wait1_Timer,
     &FormFields::upHeld, "3a"},
    {"Command2", &MainForm::Command2_MouseDown, &MainForm::Command2_MouseUp, &MainForm::wait1_Timer,
     &FormFields::downHeld, "4a"},
    {"Command5", &MainForm::Command5_MouseDown, &MainForm::Command5_MouseUp, &MainForm::wait2_Timer,
     &FormFields::powerUpHeld, "5a"},
    {"Command4", &MainForm::Command4_MouseDown, &MainForm::Command4_MouseUp, &MainForm::wait2_Timer,
     &FormFields::powerDownHeld, "6a"},
};

TEST(Controls, PressSendsFirstThenSetsItsFlagReleaseOnlyClearsIt) {
    for (const auto& b : kHoldButtons) {
        SCOPED_TRACE(b.name);
        Rig rig;
        bool flagAtSend = true;
        rig.log.onEntry = [&](const std::string&) { flagAtSend = rig.form.fields().*b.flag; };
        (rig.form.*b.press)();
        EXPECT_EQ(rig.serial.outputs, Outputs{b.command});
        EXPECT_FALSE(flagAtSend);
        EXPECT_TRUE(rig.form.fields().*b.flag);

        (rig.form.*b.release)();
        EXPECT_FALSE(rig.form.fields().*b.flag);
        EXPECT_EQ(rig.serial.outputs, Outputs{b.command});
    }
}

TEST(Controls, PressOnAClosedPortLeavesTheFlagClear) {
    for (const auto& b : kHoldButtons) {
        SCOPED_TRACE(b.name);
        Rig rig;
        rig.serial.open = false;
        EXPECT_THROW((rig.form.*b.press)(), txlink::RuntimeError);
        EXPECT_FALSE(rig.form.fields().*b.flag);
        // No repetition starts.
        rig.serial.open = true;
        (rig.form.*b.tick)();
        EXPECT_TRUE(rig.serial.outputs.empty());
    }
}

TEST(Controls, HoldSpanningKTicksSendsKPlusOne) {
    for (const auto& b : kHoldButtons) {
        for (int k = 0; k <= 4; ++k) {
            SCOPED_TRACE(std::string(b.name) + " k=" + std::to_string(k));
            Rig rig;
            (rig.form.*b.press)();
            for (int i = 0; i < k; ++i) {
                (rig.form.*b.tick)();
            }
            (rig.form.*b.release)();
            (rig.form.*b.tick)();  // after the release: nothing more
            EXPECT_EQ(rig.serial.outputs, Outputs(k + 1, b.command));
        }
    }
}

TEST(Controls, RepeatTimersSendBothHeldCommandsUpFirst) {
    struct Row {
        const char* name;
        void (MainForm::*pressA)();
        void (MainForm::*pressB)();
        void (MainForm::*tick)();
        void (MainForm::*otherTick)();
        Outputs afterTick;
    };
    const Row rows[] = {
        {"wait1",
         &MainForm::Command2_MouseDown,
         &MainForm::Command1_MouseDown,
         &MainForm::wait1_Timer,
         &MainForm::wait2_Timer,
         {"3a", "4a"}},
        {"wait2",
         &MainForm::Command4_MouseDown,
         &MainForm::Command5_MouseDown,
         &MainForm::wait2_Timer,
         &MainForm::wait1_Timer,
         {"5a", "6a"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Rig rig;
        (rig.form.*row.pressA)();  // down first, so the tick's order is its own
        (rig.form.*row.pressB)();
        rig.serial.outputs.clear();
        (rig.form.*row.otherTick)();
        EXPECT_TRUE(rig.serial.outputs.empty());
        (rig.form.*row.tick)();
        EXPECT_EQ(rig.serial.outputs, row.afterTick);
    }
}

TEST(Controls, TicksWithNoFlagSendNothing) {
    Rig rig;
    rig.form.wait1_Timer();
    rig.form.wait2_Timer();
    EXPECT_TRUE(rig.log.entries.empty());
}

TEST(Controls, ClickButtonsSendOneCommandEach) {
    Rig rig;
    rig.form.Command3_Click();
    EXPECT_EQ(rig.serial.outputs, Outputs{"1a"});
    rig.form.Command6_Click();
    EXPECT_EQ(rig.serial.outputs, (Outputs{"1a", "7a"}));
    // Only the port is touched: the carrier caption waits for a status record.
    EXPECT_EQ(rig.log.entries, (linktest::Log{"Output=1a", "Output=7a"}));
}

TEST(Controls, NoButtonOrRepeatTickSendsTheStatusRequest) {
    Rig rig;
    for (const auto& b : kHoldButtons) {
        (rig.form.*b.press)();
    }
    rig.form.wait1_Timer();
    rig.form.wait2_Timer();
    rig.form.Command3_Click();
    rig.form.Command6_Click();
    for (const auto& b : kHoldButtons) {
        (rig.form.*b.release)();
    }
    EXPECT_EQ(rig.serial.outputs,
              (Outputs{"3a", "4a", "5a", "6a", "3a", "4a", "5a", "6a", "1a", "7a"}));
}

}  // namespace
