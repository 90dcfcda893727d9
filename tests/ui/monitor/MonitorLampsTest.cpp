#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <functional>
#include <ostream>
#include <string_view>

#include "platform/PortSetting.h"
#include "support/Fakes.h"
#include "ui/monitor/LampShape.h"
#include "ui/monitor/MonitorLamps.h"

namespace {

constexpr int kGenerousWaitMs = 5000;

using LampSetter = void (ui::monitor::MonitorLamps::*)(bool);
using LampGetter = ui::monitor::LampShape* (ui::monitor::LinkMonitor::*)() const;

struct LampCase {
    const char* name;
    LampSetter set;
    LampGetter lamp;
    bool startValue;
    const char* accessibleName;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const LampCase& c, std::ostream* os) {
    *os << c.name;
}

// Each write is the opposite of the lamp's start value, so an applied write is told apart from
// a freshly loaded lamp.
bool opposite(bool colour) {
    return colour == false ? true : false;
}

const LampCase kLamps[] = {
    {"Link", &ui::monitor::MonitorLamps::showLinkLamp, &ui::monitor::LinkMonitor::linkLamp, true,
     "Link lamp"},
    {"Transmit", &ui::monitor::MonitorLamps::showTransmitLamp,
     &ui::monitor::LinkMonitor::transmitLamp, false, "Transmit lamp"},
    {"Receive", &ui::monitor::MonitorLamps::showReceiveLamp, &ui::monitor::LinkMonitor::receiveLamp,
     false, "Receive lamp"},
};

std::vector<bool> lampColours(const ui::monitor::LinkMonitor& window) {
    std::vector<bool> colours;
    for (const LampCase& lamp : kLamps) {
        colours.push_back((window.*lamp.lamp)()->lit());
    }
    return colours;
}

int monitorWindowCount() {
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        count += qobject_cast<ui::monitor::LinkMonitor*>(widget) != nullptr ? 1 : 0;
    }
    return count;
}

class MonitorLampsTest : public ::testing::Test {
protected:
    testsupport::MemorySettingsStore m_store;
    ui::monitor::MonitorLamps m_lamps{m_store};
};

class LampWrite : public MonitorLampsTest, public ::testing::WithParamInterface<LampCase> {};

TEST_P(LampWrite, FirstWriteLoadsTheWindowHiddenAndTheMenuLaterShowsTheWrite) {
    const LampCase& lamp = GetParam();
    ASSERT_TRUE(platform::savePortText(m_store, QStringLiteral("Com 4")).ok());
    ASSERT_EQ(m_lamps.window(), nullptr);

    (m_lamps.*lamp.set)(opposite(lamp.startValue));

    ui::monitor::LinkMonitor* loaded = m_lamps.window();
    ASSERT_NE(loaded, nullptr);
    EXPECT_FALSE(loaded->isVisible());
    EXPECT_EQ(loaded->portCaption()->text(), QStringLiteral("Com 4"));
    std::vector<bool> expected;
    for (const LampCase& other : kLamps) {
        expected.push_back(std::string_view(other.name) == lamp.name ? opposite(other.startValue)
                                                                     : other.startValue);
    }
    EXPECT_EQ(lampColours(*loaded), expected);

    EXPECT_EQ(m_lamps.show(), loaded);
    EXPECT_TRUE(loaded->isVisible());
    EXPECT_EQ(lampColours(*loaded), expected);
    EXPECT_EQ((loaded->*lamp.lamp)()->accessibleName(), QLatin1String(lamp.accessibleName));
}

INSTANTIATE_TEST_SUITE_P(Lamps, LampWrite, ::testing::ValuesIn(kLamps),
                         [](const auto& info) { return std::string(info.param.name); });

struct DiscardCase {
    const char* name;
    std::function<void(ui::monitor::MonitorLamps&)> discard;
    bool eventLoopRunsBeforeTheWrite;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const DiscardCase& c, std::ostream* os) {
    *os << c.name;
}

class Discarded : public MonitorLampsTest, public ::testing::WithParamInterface<DiscardCase> {};

// After the window is gone the next write starts over from the design-time lamps and the port
// text stored at that moment, and the window stays hidden until the menu shows it again.
TEST_P(Discarded, NextWriteLoadsAFreshHiddenWindow) {
    ASSERT_TRUE(platform::savePortText(m_store, QStringLiteral("Com 1")).ok());
    m_lamps.showLinkLamp(false);
    m_lamps.showTransmitLamp(true);
    m_lamps.showReceiveLamp(true);
    QPointer<ui::monitor::LinkMonitor> first = m_lamps.show();
    ASSERT_TRUE(first);

    ASSERT_TRUE(platform::savePortText(m_store, QStringLiteral("Com 7")).ok());
    GetParam().discard(m_lamps);
    if (GetParam().eventLoopRunsBeforeTheWrite) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return first.isNull(); }, kGenerousWaitMs));
    }
    m_lamps.showTransmitLamp(true);

    ui::monitor::LinkMonitor* second = m_lamps.window();
    ASSERT_NE(second, nullptr);
    EXPECT_FALSE(second->closed());
    EXPECT_FALSE(second->isVisible());
    EXPECT_EQ(second->portCaption()->text(), QStringLiteral("Com 7"));
    EXPECT_EQ(lampColours(*second), (std::vector<bool>{true, true, false}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return first.isNull(); }, kGenerousWaitMs));
    EXPECT_EQ(monitorWindowCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, Discarded,
    ::testing::Values(DiscardCase{"CloseBoxThenEventLoop",
                                  [](ui::monitor::MonitorLamps& l) { l.window()->close(); }, true},
                      DiscardCase{"CloseBoxAndWriteInTheSameTurn",
                                  [](ui::monitor::MonitorLamps& l) { l.window()->close(); }, false},
                      DiscardCase{"MainWindowUnload",
                                  [](ui::monitor::MonitorLamps& l) { l.unload(); }, false}),
    [](const auto& info) { return std::string(info.param.name); });

struct CaptionCase {
    const char* name;
    const char* stored;  // nullptr: nothing stored
    QString expected;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const CaptionCase& c, std::ostream* os) {
    *os << c.name;
}

class PortCaption : public MonitorLampsTest, public ::testing::WithParamInterface<CaptionCase> {};

TEST_P(PortCaption, ShowsTheStoredPortTextUnchanged) {
    if (GetParam().stored != nullptr) {
        ASSERT_TRUE(platform::savePortText(m_store, QString::fromUtf8(GetParam().stored)).ok());
    }
    EXPECT_EQ(m_lamps.show()->portCaption()->text(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Stored, PortCaption,
    ::testing::Values(CaptionCase{"NothingStored", nullptr, QStringLiteral("?")},
                      CaptionCase{"Com3", "Com 3", QStringLiteral("Com 3")},
                      CaptionCase{"Empty", "", QString()},
                      CaptionCase{"FreeText", " <b>usb</b> 2 ", QStringLiteral(" <b>usb</b> 2 ")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MonitorLampsTest, ShowingTwiceKeepsOneWindow) {
    ui::monitor::LinkMonitor* first = m_lamps.show();
    EXPECT_EQ(m_lamps.show(), first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(monitorWindowCount(), 1);
}

}  // namespace
