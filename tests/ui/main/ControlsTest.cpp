#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "ProgramFixture.h"
#include "support/Wait.h"
#include "ui/main/HoldButton.h"

using namespace std::chrono_literals;

// The operator's buttons over a real pseudo-terminal, driven by real mouse and key events.
class Controls : public ProgramFixture {
protected:
    void SetUp() override {
        config.mapPort(1, pty.slavePath());
        start();
        ASSERT_EQ(pty.read(2), "2a");
        // The tests tick the repeat timers themselves, so that a hold spans a known number.
        for (const char* name : {"wait1", "wait2", "Tmrcom"}) {
            program->session().findChild<QTimer*>(QString::fromLatin1(name))->stop();
        }
    }

    QPushButton* button(const char* name) {
        return window().findChild<QPushButton*>(QString::fromLatin1(name));
    }
    // What went out on the line since the last look.
    QByteArray line() { return pty.drain(60ms); }

    testsupport::Pty pty;
};

TEST_F(Controls, EveryCommandPutsExactlyItsTwoBytesOnTheLine) {
    struct Case {
        const char* what;
        void (txlink::ControlPanel::*handler)();
        const char* bytes;
    };
    using F = txlink::ControlPanel;
    const Case cases[] = {
        {"Step", &F::stepClicked, "1a"},
        {"frequency up", &F::frequencyUpPressed, "3a"},
        {"frequency down", &F::frequencyDownPressed, "4a"},
        {"power up", &F::powerUpPressed, "5a"},
        {"power down", &F::powerDownPressed, "6a"},
        {"carrier", &F::carrierClicked, "7a"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        (program->panel().*c.handler)();
        EXPECT_EQ(line(), QByteArray(c.bytes));
    }
}

TEST_F(Controls, AQuickClickSendsOneCommand) {
    const std::pair<const char*, const char*> buttons[] = {{"Command1", "3a"}, {"Command2", "4a"},
                                                           {"Command3", "1a"}, {"Command4", "6a"},
                                                           {"Command5", "5a"}, {"Command6", "7a"}};
    for (const auto& [name, bytes] : buttons) {
        SCOPED_TRACE(name);
        QTest::mouseClick(button(name), Qt::LeftButton);
        EXPECT_EQ(line(), QByteArray(bytes));
    }
}

TEST_F(Controls, AnyMouseButtonHoldsAndAHoldAcrossKTicksSendsKPlusOne) {
    struct Case {
        const char* name;
        Qt::MouseButton mouse;
        void (txlink::ControlPanel::*tick)();
        const char* bytes;
    };
    using F = txlink::ControlPanel;
    const Case cases[] = {
        {"Command1", Qt::LeftButton, &F::frequencyRepeatTick, "3a"},
        {"Command1", Qt::RightButton, &F::frequencyRepeatTick, "3a"},
        {"Command2", Qt::MiddleButton, &F::frequencyRepeatTick, "4a"},
        {"Command5", Qt::RightButton, &F::powerRepeatTick, "5a"},
        {"Command4", Qt::MiddleButton, &F::powerRepeatTick, "6a"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " button " + std::to_string(int(c.mouse)));
        constexpr int k = 4;
        QTest::mousePress(button(c.name), c.mouse);
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "no context menu";
        for (int i = 0; i < k; ++i) {
            (program->panel().*c.tick)();
        }
        QTest::mouseRelease(button(c.name), c.mouse);
        (program->panel().*c.tick)();  // after the release: nothing more
        EXPECT_EQ(line(), QByteArray(c.bytes).repeated(k + 1));
    }
}

TEST_F(Controls, BothFlagsOfOneTimerSendUpThenDownOnOneTick) {
    txlink::ControlPanel& panel = program->panel();
    panel.frequencyUpPressed();
    panel.frequencyDownPressed();
    panel.powerUpPressed();
    panel.powerDownPressed();
    EXPECT_EQ(line(), "3a4a5a6a");
    panel.frequencyRepeatTick();
    panel.powerRepeatTick();
    EXPECT_EQ(line(), "3a4a5a6a");
}

TEST_F(Controls, TheReleaseEndsTheHoldWhereverThePointerIs) {
    // Through the window, as the desktop delivers them, so that the press grabs the pointer.
    QWindow* handle = window().windowHandle();
    ASSERT_NE(handle, nullptr);
    QPushButton* up = button("Command1");
    const QPoint onButton = up->mapTo(&window(), up->rect().center());
    QWidget* digits = window().findChild<QLabel*>(QStringLiteral("Label8"));
    const QPoint overDigits = digits->mapTo(&window(), digits->rect().center());

    QTest::mousePress(handle, Qt::LeftButton, {}, onButton);
    EXPECT_TRUE(program->panel().state().frequencyUpHeld);
    QTest::mouseMove(handle, overDigits);
    QTest::mouseRelease(handle, Qt::LeftButton, {}, overDigits);
    EXPECT_FALSE(program->panel().state().frequencyUpHeld);
    program->panel().frequencyRepeatTick();
    EXPECT_EQ(line(), "3a");
}

TEST_F(Controls, ASecondMouseButtonSendsOnceMoreAndTheFirstReleaseEndsTheHold) {
    QPushButton* up = button("Command5");
    QTest::mousePress(up, Qt::LeftButton);
    QTest::mousePress(up, Qt::RightButton);
    EXPECT_EQ(line(), "5a5a");
    QTest::mouseRelease(up, Qt::RightButton);
    EXPECT_FALSE(program->panel().state().powerUpHeld);
    program->panel().powerRepeatTick();
    QTest::mouseRelease(up, Qt::LeftButton);
    EXPECT_EQ(line(), "");
}

TEST_F(Controls, AHoldWhoseReleaseNeverComesStopsRepeating) {
    struct Case {
        const char* what;
        std::function<void(ui::main::HoldButton*)> loseThePointer;
    };
    const Case cases[] = {
        {"the window is hidden", [this](ui::main::HoldButton*) { window().hide(); }},
        {"the button loses the pointer grab",
         [](ui::main::HoldButton* b) {
             QEvent ungrab(QEvent::UngrabMouse);
             QApplication::sendEvent(b, &ungrab);
         }},
        {"a menu opened during the hold takes the release",
         [this](ui::main::HoldButton*) {
             auto* file = window().findChild<QMenu*>(QStringLiteral("mnu_file"));
             file->popup(window().mapToGlobal(QPoint(0, 0)));
             QTest::mouseRelease(file, Qt::LeftButton);
             file->close();
         }},
        {"another window is activated",
         [this](ui::main::HoldButton*) {
             QApplication::setActiveWindow(&window());
             QWidget other;
             other.show();
             QApplication::setActiveWindow(&other);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        window().show();
        auto* up = window().findChild<ui::main::HoldButton*>(QStringLiteral("Command1"));
        QTest::mousePress(up, Qt::LeftButton);
        ASSERT_TRUE(program->panel().state().frequencyUpHeld);
        c.loseThePointer(up);
        EXPECT_FALSE(program->panel().state().frequencyUpHeld);
        program->panel().frequencyRepeatTick();
        EXPECT_EQ(line(), "3a");
    }
}

// The window can go while a button is held (a port saved in Settings, a port map changed): the
// hold ends with it, and the reloaded window repeats nothing.
TEST_F(Controls, AHoldEndsWithItsWindow) {
    for (const char* name : {"Command5", "Command4", "Command1", "Command2"}) {
        SCOPED_TRACE(name);
        QTest::mousePress(button(name), Qt::LeftButton);
        line();
        program->reloadMain();
        const auto& state = program->panel().state();
        EXPECT_FALSE(state.powerUpHeld || state.powerDownHeld || state.frequencyUpHeld ||
                     state.frequencyDownHeld);
        ASSERT_EQ(pty.read(2), "2a");  // the reloaded window's start-up
        program->panel().powerRepeatTick();
        program->panel().frequencyRepeatTick();
        EXPECT_EQ(line(), "");
    }
}

// Escape is the quick carrier-off. The transmitter only knows "toggle", so Escape sends it only
// while the last status record reported the carrier on, and only once until a report shows its
// effect: a stray Escape, or one held down, never keys it.
TEST_F(Controls, EscapeSwitchesOffOnlyACarrierReportedOn) {
    struct Case {
        const char* what;
        const char* record;  // nullptr: nothing new reported
        const char* caption;
        QByteArray sent;
    };
    const Case cases[] = {
        {"nothing reported", nullptr, "On / Off", ""},
        {"carrier reported off", "S1010128", "TX On", ""},
        {"carrier reported on", "S1011128", "TX Off", "7a"},
        {"again before a report shows the first", nullptr, "TX Off", ""},
    };
    // The link is up: the watchdog (ticked by hand here) has heard the transmitter.
    pty.write("F1296000");
    ASSERT_TRUE(testsupport::waitUntil([&] { return program->panel().state().lastReceive; }));
    program->panel().linkWatchTick();
    ASSERT_TRUE(program->panel().state().linkUp);
    line();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.record != nullptr) {
            pty.write(c.record);
        }
        ASSERT_TRUE(testsupport::waitUntil(
            [&] { return button("Command6")->text() == QLatin1String(c.caption); }));
        window().activateWindow();
        QApplication::setActiveWindow(&window());
        ASSERT_TRUE(testsupport::waitUntil([&] { return window().isActiveWindow(); }));
        QTest::keyClick(&window(), Qt::Key_Escape);
        EXPECT_EQ(line(), c.sent);
    }
}

// Enter or Space on a focused click button is a click; Enter on a focused hold button is one press
// and release, Space one short hold.
TEST_F(Controls, EnterAndSpaceOnAFocusedButtonSendItsCommandOnce) {
    struct Case {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        QByteArray sent;
    };
    const Case cases[] = {
        {"Command3", Qt::Key_Return, Qt::NoModifier, "1a"},
        {"Command3", Qt::Key_Enter, Qt::KeypadModifier, "1a"},
        {"Command3", Qt::Key_Space, Qt::NoModifier, "1a"},
        {"Command6", Qt::Key_Return, Qt::NoModifier, "7a"},
        {"Command6", Qt::Key_Enter, Qt::KeypadModifier, "7a"},
        {"Command6", Qt::Key_Space, Qt::NoModifier, "7a"},
        {"Command1", Qt::Key_Return, Qt::NoModifier, "3a"},
        {"Command2", Qt::Key_Space, Qt::NoModifier, "4a"},
        {"Command4", Qt::Key_Enter, Qt::KeypadModifier, "6a"},
        {"Command5", Qt::Key_Space, Qt::NoModifier, "5a"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " key " + std::to_string(c.key));
        button(c.name)->setFocus();
        QTest::keyClick(button(c.name), c.key, c.modifiers);
        program->panel().frequencyRepeatTick();
        program->panel().powerRepeatTick();
        EXPECT_EQ(line(), c.sent);
    }
}

// A key held down repeats: Qt marks the repeats auto-repeat, or on X11 (where the program asks
// for presses alone) sends more presses unmarked. Either way the button acts once per key press.
void sendKeyRepeats(QWidget* target, Qt::Key key) {
    const QString text = key == Qt::Key_Space ? QStringLiteral(" ") : QStringLiteral("\r");
    QKeyEvent markedPress(QEvent::KeyPress, key, Qt::NoModifier, text, true);
    QKeyEvent markedRelease(QEvent::KeyRelease, key, Qt::NoModifier, text, true);
    QKeyEvent unmarkedPress(QEvent::KeyPress, key, Qt::NoModifier, text, false);
    for (QKeyEvent* event : {&markedRelease, &markedPress, &unmarkedPress, &unmarkedPress}) {
        QApplication::sendEvent(target, event);
    }
}

TEST_F(Controls, SpaceHeldOnAFocusedHoldButtonRepeatsAtItsTimersRateUntilReleased) {
    struct Case {
        const char* name;
        void (txlink::ControlPanel::*tick)();
        const char* bytes;
    };
    using F = txlink::ControlPanel;
    const Case cases[] = {
        {"Command1", &F::frequencyRepeatTick, "3a"},
        {"Command2", &F::frequencyRepeatTick, "4a"},
        {"Command5", &F::powerRepeatTick, "5a"},
        {"Command4", &F::powerRepeatTick, "6a"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QPushButton* hold = button(c.name);
        hold->setFocus();
        QTest::keyPress(hold, Qt::Key_Space);
        EXPECT_EQ(line(), QByteArray(c.bytes)) << "at once";
        EXPECT_TRUE(hold->isDown());
        constexpr int k = 3;
        for (int i = 0; i < k; ++i) {
            sendKeyRepeats(hold, Qt::Key_Space);
            (program->panel().*c.tick)();
        }
        EXPECT_EQ(line(), QByteArray(c.bytes).repeated(k)) << "one a tick, none from the repeats";
        QTest::keyRelease(hold, Qt::Key_Space);
        EXPECT_FALSE(hold->isDown());
        (program->panel().*c.tick)();
        EXPECT_EQ(line(), "") << "nothing after the release";
    }
}

TEST_F(Controls, EnterHeldOnAFocusedHoldButtonSendsOnce) {
    QPushButton* up = button("Command5");
    up->setFocus();
    QTest::keyPress(up, Qt::Key_Return);
    sendKeyRepeats(up, Qt::Key_Return);
    program->panel().powerRepeatTick();
    QTest::keyRelease(up, Qt::Key_Return);
    EXPECT_EQ(line(), "5a");
    QTest::keyClick(up, Qt::Key_Return);  // the next press is a press again
    EXPECT_EQ(line(), "5a");
}

// The keyboard's hold has the mouse's guards: it ends when its release cannot come to it.
TEST_F(Controls, ASpaceHoldEndsWhenTheFocusOrTheWindowGoes) {
    struct Case {
        const char* what;
        std::function<void()> interrupt;
    };
    const Case cases[] = {
        {"Tab moves the focus on", [this] { QTest::keyClick(button("Command1"), Qt::Key_Tab); }},
        {"another control takes the focus", [this] { button("Command3")->setFocus(); }},
        {"a menu opens",
         [this] {
             auto* file = window().findChild<QMenu*>(QStringLiteral("mnu_file"));
             file->popup(window().mapToGlobal(QPoint(0, 0)));
             file->close();
         }},
        {"another window is activated",
         [] {
             QWidget other;
             other.show();
             QApplication::setActiveWindow(&other);
         }},
        {"the window is hidden", [this] { window().hide(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        window().show();
        QApplication::setActiveWindow(&window());
        ASSERT_TRUE(testsupport::waitUntil([&] { return window().isActiveWindow(); }));
        QPushButton* up = button("Command1");
        up->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), up);
        QTest::keyPress(up, Qt::Key_Space);
        ASSERT_TRUE(program->panel().state().frequencyUpHeld);
        c.interrupt();
        EXPECT_FALSE(program->panel().state().frequencyUpHeld);
        program->panel().frequencyRepeatTick();
        EXPECT_EQ(line(), "3a");
        QTest::keyRelease(up, Qt::Key_Space);  // late, wherever it went: nothing more
        EXPECT_EQ(line(), "");
    }
}

// A mouse hold and Space on the same button are one hold: the release that ends it is the one
// that matches the press that began it.
TEST_F(Controls, SpaceDuringAMouseHoldAddsNothingAndTheMouseReleaseEndsIt) {
    QPushButton* up = button("Command1");
    up->setFocus();
    QTest::mousePress(up, Qt::LeftButton);
    QTest::keyPress(up, Qt::Key_Space);
    EXPECT_EQ(line(), "3a");
    QTest::keyRelease(up, Qt::Key_Space);
    EXPECT_TRUE(program->panel().state().frequencyUpHeld) << "the mouse still holds it";
    QTest::mouseRelease(up, Qt::LeftButton);
    EXPECT_FALSE(program->panel().state().frequencyUpHeld);
}

TEST_F(Controls, NoButtonEverSendsTheStatusRequest) {
    for (const char* name :
         {"Command1", "Command2", "Command3", "Command4", "Command5", "Command6"}) {
        for (Qt::MouseButton mouse : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
            QTest::mouseClick(button(name), mouse);
        }
    }
    const QByteArray sent = line();
    for (qsizetype i = 0; i + 1 < sent.size(); i += 2) {
        EXPECT_NE(sent.mid(i, 2), "2a") << sent.constData();
    }
}

class ControlsOnAClosedPort : public ProgramFixture {};

TEST_F(ControlsOnAClosedPort, APressStartsNoRepetitionAndTheWindowStaysUsable) {
    config.mapPort(1, QStringLiteral("/dev/no-such-device"));
    start();
    ASSERT_FALSE(program->session().link().isOpen());
    testing::internal::CaptureStderr();
    QTest::mousePress(window().findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    EXPECT_FALSE(program->panel().state().frequencyUpHeld);
    program->panel().frequencyRepeatTick();
    QTest::mouseClick(window().findChild<QPushButton*>(QStringLiteral("Command6")), Qt::LeftButton);
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("error 8018"), std::string::npos) << errors;
    EXPECT_TRUE(window().isVisible());
}

// A record the line splits in two shows as the whole record; a lone piece shows after the
// quiet gap.
class WholeRecords : public ProgramFixture {};

TEST_F(WholeRecords, ARecordSplitByTheLineShowsWholeAndALonePieceAfterTheGap) {
    testsupport::Pty pty;
    config.mapPort(1, pty.slavePath());
    start();
    ASSERT_EQ(pty.read(2), "2a");

    auto text = [this](const char* name) {
        return window().findChild<QLabel*>(QString::fromLatin1(name))->text();
    };
    pty.write("S1010128F12");
    QTest::qWait(5);
    pty.write("34567");
    EXPECT_TRUE(testsupport::waitUntil([&] { return text("Label9") == "567"; }));
    EXPECT_EQ(text("Label8"), "1234");
    EXPECT_EQ(window().findChild<QProgressBar*>(QStringLiteral("ProgressBar1"))->value(), 128);
    EXPECT_TRUE(window().findChild<QLabel*>(QStringLiteral("Label11"))->isEnabled());
    EXPECT_EQ(window().findChild<QPushButton*>(QStringLiteral("Command6"))->text(), "TX On");
    EXPECT_TRUE(program->session().link().isOpen()) << "no record was parsed in pieces";

    pty.write("F12");
    EXPECT_TRUE(testsupport::waitUntil([&] { return text("Label8") == "12"; }));
    EXPECT_EQ(text("Label9"), "");
}
