#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <functional>
#include <ostream>
#include <string_view>

#include "support/Fakes.h"
#include "settings/PortSetting.h"
#include "ui/monitor/LampShape.h"
#include "ui/monitor/MonitorLamps.h"

namespace {

constexpr int kGenerousWaitMs = 5000;

using LampSetter = void (ui::MonitorLamps::*)(txlink::Colour);
using LampGetter = ui::LampShape* (ui::SerialMonitor::*)() const;

struct LampCase {
    const char* name;
    LampSetter set;
    LampGetter lamp;
    txlink::Colour startValue;
    const char* accessibleName;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const LampCase& c, std::ostream* os) {
    *os << c.name;
}

// Each write is the opposite of the lamp's start value, so an applied write is told apart from
// a freshly loaded lamp.
txlink::Colour opposite(txlink::Colour colour) {
    return colour == txlink::kBlack ? txlink::kRed : txlink::kBlack;
}

const LampCase kLamps[] = {
    {"Link", &ui::MonitorLamps::setLinkLamp, &ui::SerialMonitor::linkLamp, txlink::kRed,
     "Link lamp"},
    {"Transmit", &ui::MonitorLamps::setTransmitLamp, &ui::SerialMonitor::transmitLamp,
     txlink::kBlack, "Transmit lamp"},
    {"Receive", &ui::MonitorLamps::setReceiveLamp, &ui::SerialMonitor::receiveLamp, txlink::kBlack,
     "Receive lamp"},
};

std::vector<txlink::Colour> lampColours(const ui::SerialMonitor& window) {
    std::vector<txlink::Colour> colours;
    for (const LampCase& lamp : kLamps) {
        colours.push_back((window.*lamp.lamp)()->fillColor());
    }
    return colours;
}

int monitorWindowCount() {
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        count += qobject_cast<ui::SerialMonitor*>(widget) != nullptr ? 1 : 0;
    }
    return count;
}

class MonitorLampsTest : public ::testing::Test {
protected:
    testsupport::MemorySettingsStore m_store;
    ui::MonitorLamps m_lamps{m_store};
};

class LampWrite : public MonitorLampsTest, public ::testing::WithParamInterface<LampCase> {};

TEST_P(LampWrite, FirstWriteLoadsTheWindowHiddenAndTheMenuLaterShowsTheWrite) {
    const LampCase& lamp = GetParam();
    settings::savePortText(m_store, QStringLiteral("Com 4"));
    ASSERT_EQ(m_lamps.window(), nullptr);

    (m_lamps.*lamp.set)(opposite(lamp.startValue));

    ui::SerialMonitor* loaded = m_lamps.window();
    ASSERT_NE(loaded, nullptr);
    EXPECT_FALSE(loaded->isVisible());
    EXPECT_EQ(loaded->portCaption()->text(), QStringLiteral("Com 4"));
    std::vector<txlink::Colour> expected;
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
    std::function<void(ui::MonitorLamps&)> discard;
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
    settings::savePortText(m_store, QStringLiteral("Com 1"));
    m_lamps.setLinkLamp(txlink::kBlack);
    m_lamps.setTransmitLamp(txlink::kRed);
    m_lamps.setReceiveLamp(txlink::kRed);
    QPointer<ui::SerialMonitor> first = m_lamps.show();
    ASSERT_TRUE(first);

    settings::savePortText(m_store, QStringLiteral("Com 7"));
    GetParam().discard(m_lamps);
    if (GetParam().eventLoopRunsBeforeTheWrite) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return first.isNull(); }, kGenerousWaitMs));
    }
    m_lamps.setTransmitLamp(txlink::kRed);

    ui::SerialMonitor* second = m_lamps.window();
    ASSERT_NE(second, nullptr);
    EXPECT_FALSE(second->closed());
    EXPECT_FALSE(second->isVisible());
    EXPECT_EQ(second->portCaption()->text(), QStringLiteral("Com 7"));
    EXPECT_EQ(lampColours(*second),
              (std::vector<txlink::Colour>{txlink::kRed, txlink::kRed, txlink::kBlack}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return first.isNull(); }, kGenerousWaitMs));
    EXPECT_EQ(monitorWindowCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, Discarded,
    ::testing::Values(DiscardCase{"CloseBoxThenEventLoop",
                                  [](ui::MonitorLamps& l) { l.window()->close(); }, true},
                      DiscardCase{"CloseBoxAndWriteInTheSameTurn",
                                  [](ui::MonitorLamps& l) { l.window()->close(); }, false},
                      DiscardCase{"MainWindowUnload", [](ui::MonitorLamps& l) { l.unload(); },
                                  false}),
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
        settings::savePortText(m_store, QString::fromUtf8(GetParam().stored));
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
    ui::SerialMonitor* first = m_lamps.show();
    EXPECT_EQ(m_lamps.show(), first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(monitorWindowCount(), 1);
}

}  // namespace
