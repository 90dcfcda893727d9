// What the panel does about a carrier that is on: the question before closing, the transmit
// time-out and its menu, and the link panel's details.
#include <QAction>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QToolTip>

#include "ProgramFixture.h"
#include "platform/TransmitTimeoutSetting.h"
#include "support/Wait.h"
#include "ui/main/StatusBar.h"

using namespace std::chrono_literals;

class OnTheAir : public ProgramOnPtyFixture {
protected:
    void tickAt(std::chrono::seconds t) {
        clock.set(12h + t);
        program->panel().linkWatchTick();
    }
    // The transmitter reports `status` at `t`, and the watchdog ticks at once.
    void reportAt(std::chrono::seconds t, const QByteArray& status) {
        clock.set(12h + t);
        receive(status);
        tickAt(t);
    }
    QAction* menuItem(const char* name) {
        return window().menuBar()->findChild<QAction*>(QString::fromLatin1(name));
    }
};

// Closing with the carrier reported on asks; each answer does what it says, and only "Switch Off
// and Close" writes the toggle, before the port closes.
TEST_F(OnTheAir, ClosingKeyedAsksAndEachAnswerDoesWhatItSays) {
    struct Case {
        const char* answer;
        int choice;
        bool closes;
        QByteArray written;
    };
    const Case cases[] = {{"Cancel", 2, false, ""},
                          {"Switch Off and Close", 0, true, "7a"},
                          {"Close and Leave On", 1, true, ""}};
    std::chrono::seconds at = 1s;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        at += 10s;
        if (!program->mainWindow()) {
            program->loadMain();
            program->showMain();
            ASSERT_EQ(pty.read(2), "2a");
            stopWatchdog();
        }
        reportAt(at, "S1011128");
        pty.drain(50ms);  // the first up tick's status request
        messages.questions.clear();
        messages.answers = {c.choice};
        window().close();
        ASSERT_EQ(messages.questions.size(), 1);
        EXPECT_TRUE(messages.questions.front().contains(
            QStringLiteral("Switch Off and Close/Close and Leave On/Cancel")));
        EXPECT_EQ(program->mainWindow() == nullptr, c.closes);
        EXPECT_EQ(pty.drain(100ms), c.written);
    }
}

TEST_F(OnTheAir, ClosingWithTheCarrierOffOrUnknownAsksNothing) {
    for (const QByteArray& status : {QByteArray("S1010128"), QByteArray()}) {
        if (!program->mainWindow()) {
            program->loadMain();
            ASSERT_EQ(pty.read(2), "2a");
        }
        if (!status.isEmpty()) {
            reportAt(1s, status);
            pty.drain(50ms);  // the first up tick's status request
        }
        window().close();
        EXPECT_TRUE(messages.questions.isEmpty());
        EXPECT_EQ(program->mainWindow(), nullptr);
    }
}

// The time-out switches the carrier off once, tells without holding the panel up, and only tells
// when the carrier stays on.
TEST_F(OnTheAir, TheTimeOutTogglesOnceAndThenOnlyTells) {
    program->panel().setTransmitTimeout(10s);
    reportAt(1s, "S1011128");
    EXPECT_EQ(pty.drain(50ms), "2a");
    for (int t = 2; t <= 18; ++t) {
        reportAt(std::chrono::seconds(t), "S1011128");
    }
    EXPECT_EQ(pty.drain(100ms), "7a");
    ASSERT_EQ(messages.notices.size(), 2);
    EXPECT_TRUE(messages.notices.at(0).contains(QStringLiteral("switched it off")));
    EXPECT_TRUE(messages.notices.at(1).contains(QStringLiteral("still reports the carrier on")));
    EXPECT_TRUE(messages.messages.isEmpty());
}

// The menu's choice is in force at once, remembered, and shown again after a reload.
TEST_F(OnTheAir, TheTimeOutMenuIsExclusiveRememberedAndShownAfterAReload) {
    QMenu* options = window().menuBar()->findChild<QMenu*>(QStringLiteral("mnu_options"));
    EXPECT_EQ(options->actions().last(), menuItem("mnu_network"));
    EXPECT_TRUE(menuItem("mnu_txTimeout_0")->isChecked());
    menuItem("mnu_txTimeout_300")->trigger();
    EXPECT_EQ(program->panel().transmitTimeout(), std::optional(300s));
    EXPECT_EQ(platform::readTransmitTimeout(store).value(), std::optional(300s));
    EXPECT_FALSE(menuItem("mnu_txTimeout_0")->isChecked());
    program->reloadMain();
    pty.drain(100ms);
    EXPECT_TRUE(menuItem("mnu_txTimeout_300")->isChecked());
    menuItem("mnu_txTimeout_0")->trigger();
    EXPECT_EQ(program->panel().transmitTimeout(), std::nullopt);
    EXPECT_EQ(platform::readTransmitTimeout(store).value(), std::nullopt);
}

// Resting on the link panel says which device was opened, whether it is open, and how long since
// the transmitter was heard.
TEST_F(OnTheAir, TheLinkPanelSaysWhatWasOpenedAndWhenItWasLastHeard) {
    QLabel* linkPanel =
        window().findChild<ui::main::StatusBar*>(QStringLiteral("StatusBar1"))->panel(1);
    const auto details = [&] {
        QHelpEvent hover(QEvent::ToolTip, QPoint(2, 2), linkPanel->mapToGlobal(QPoint(2, 2)));
        QCoreApplication::sendEvent(linkPanel, &hover);
        return QToolTip::text();
    };
    EXPECT_TRUE(details().contains(pty.slavePath())) << details().toStdString();
    EXPECT_TRUE(details().contains(QStringLiteral("nothing received yet")));
    reportAt(1s, "S1010128");
    clock.set(12h + 3500ms);
    EXPECT_TRUE(details().contains(QStringLiteral("last record 2.5 s ago")))
        << details().toStdString();
    EXPECT_TRUE(details().contains(QStringLiteral("\nopen")));
}

// A Save reloads the window where the operator left it, not where the desktop would put a new one.
TEST_F(OnTheAir, AReloadKeepsTheWindowsPlace) {
    window().show();
    window().move(123, 45);
    const QPoint place = window().pos();
    program->reloadMain();
    pty.drain(100ms);
    EXPECT_EQ(window().pos(), place);
}
