// "Options", "Network Control": off unless asked for, on and off from the menu, remembered in a
// group of its own, and kept across a reload of the main window.

#include <QAction>
#include <QMenu>
#include <QTcpServer>
#include <QTcpSocket>

#include "ProgramFixture.h"
#include "platform/NetworkControlSetting.h"
#include "support/Wait.h"

namespace {

using testsupport::waitUntil;

class NetworkControl : public ProgramFixture {
protected:
    app::Program& startWith(bool forced, quint16 port = 0) {
        program =
            std::make_unique<app::Program>(app::Program::Services{store, messages, urls, clock});
        program->setNetworkControlStart({forced, QHostAddress(QHostAddress::LocalHost), port});
        program->start();
        return *program;
    }
    QAction* menuItem() {
        auto* item = window().findChild<QAction*>(QStringLiteral("mnu_network"));
        EXPECT_NE(item, nullptr) << "no Network Control in the menu";
        return item;
    }
    bool listening() { return program->networkControl().isListening(); }
    std::optional<bool> stored() {
        const txlink::Result<bool> on = platform::readNetworkControlOn(store);
        return on ? std::optional<bool>(*on) : std::nullopt;
    }
};

TEST_F(NetworkControl, EndsOptionsOffThenSwitchesRemembersAndOutlivesAReload) {
    startWith(false);
    auto* options = window().findChild<QMenu*>(QStringLiteral("mnu_options"));
    ASSERT_NE(options, nullptr);
    ASSERT_EQ(options->actions().last(), menuItem());
    EXPECT_EQ(options->actions().first()->objectName(), QStringLiteral("mnu_Settings"));
    EXPECT_EQ(menuItem()->text(), QStringLiteral("Network Control"));
    EXPECT_FALSE(menuItem()->isChecked());
    EXPECT_FALSE(listening());

    menuItem()->trigger();
    ASSERT_TRUE(listening());
    EXPECT_TRUE(menuItem()->isChecked());
    EXPECT_EQ(stored(), true);
    // The port text and its address are untouched.
    EXPECT_EQ(platform::readPortText(store, QStringLiteral("none")).value(),
              QStringLiteral("none"));

    QTcpSocket client;
    client.connectToHost(QHostAddress(QHostAddress::LocalHost), program->networkControl().port());
    ASSERT_TRUE(waitUntil([&] { return program->networkControl().sessionCount() == 1; }));
    program->reloadMain();
    EXPECT_TRUE(menuItem()->isChecked());
    client.write("v\n");
    EXPECT_TRUE(waitUntil([&] { return client.readAll() == "VFOA\n"; }));

    menuItem()->trigger();
    EXPECT_FALSE(listening());
    EXPECT_FALSE(menuItem()->isChecked());
    EXPECT_EQ(stored(), false);
    EXPECT_TRUE(waitUntil([&] { return client.state() == QAbstractSocket::UnconnectedState; }));
    EXPECT_TRUE(messages.messages.isEmpty()) << messages.messages.join('|').toStdString();
}

TEST_F(NetworkControl, StartsWhenLeftOnOrAskedForAndTheOptionStoresNothing) {
    ASSERT_TRUE(platform::saveNetworkControlOn(store, true).ok());
    startWith(false);
    EXPECT_TRUE(listening());
    EXPECT_TRUE(menuItem()->isChecked());
    program.reset();

    testsupport::MemorySettingsStore fresh;
    store = fresh;
    startWith(true);
    EXPECT_TRUE(listening());
    EXPECT_TRUE(menuItem()->isChecked());
    EXPECT_EQ(store.saves, 0);
}

TEST_F(NetworkControl, APortInUseLeavesItOffQuietlyAtStartAndWithABoxFromTheMenu) {
    QTcpServer occupant;
    ASSERT_TRUE(occupant.listen(QHostAddress(QHostAddress::LocalHost), 0));
    startWith(true, occupant.serverPort());
    EXPECT_FALSE(listening());
    EXPECT_FALSE(menuItem()->isChecked());
    EXPECT_TRUE(messages.messages.isEmpty()) << "no box at start-up";

    menuItem()->trigger();
    EXPECT_FALSE(listening());
    EXPECT_FALSE(menuItem()->isChecked());
    ASSERT_EQ(messages.titles, QStringList{QStringLiteral("Network Control")});
    EXPECT_TRUE(messages.messages.first().contains(QString::number(occupant.serverPort())));
    EXPECT_EQ(store.saves, 0);

    occupant.close();  // free now, but the choice cannot be stored: it takes effect and says so
    store.failWrites = true;
    menuItem()->trigger();
    EXPECT_TRUE(listening());
    EXPECT_EQ(messages.titles.size(), 2);
    EXPECT_TRUE(messages.messages.last().contains(QStringLiteral("cannot be written")));
}

}  // namespace
