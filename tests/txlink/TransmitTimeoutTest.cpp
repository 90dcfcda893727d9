// The transmit time-out: one toggle after the limit of reported carrier, never a second.

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "Fakes.h"
#include "txlink/TransmitTimeout.h"

namespace {

using namespace std::chrono_literals;
using txlink::TransmitTimeout;

// Events, each followed by '>' and what it must lead to: 'o' switch off, 's' still on, '.'
// nothing. R1 / R0 / R? a report of the carrier on / off / none known, L1 / L0 the link up /
// down, wMS time passes. The limit is 10 s.
struct Scenario {
    const char* name;
    const char* events;
};

class TimeoutScenario : public ::testing::TestWithParam<Scenario> {};

TEST_P(TimeoutScenario, SwitchesOffOnceAndThenOnlyTells) {
    TransmitTimeout timeout;
    timeout.setLimit(10s);
    std::optional<bool> reported;
    bool linkUp = true;
    txlink::MonotonicTime now;
    std::istringstream events(GetParam().events);
    std::string event;
    while (events >> event) {
        SCOPED_TRACE(event);
        const std::string value = event.substr(1, event.find('>') - 1);
        switch (event.front()) {
            case 'R':
                reported = value == "?" ? std::nullopt : std::optional<bool>(value == "1");
                break;
            case 'L':
                linkUp = value == "1";
                break;
            case 'w':
                now += std::chrono::milliseconds(std::stoi(value));
                break;
        }
        const TransmitTimeout::Action action = timeout.update(reported, linkUp, now);
        const char shown = action == TransmitTimeout::Action::SwitchOff ? 'o'
                           : action == TransmitTimeout::Action::StillOn ? 's'
                                                                        : '.';
        EXPECT_EQ(shown, event.back());
    }
}

INSTANTIATE_TEST_SUITE_P(
    TransmitTimeout, TimeoutScenario,
    ::testing::Values(Scenario{"OffAtTheLimitNotBefore", "R1>. w9999>. w1>o w1000>. R0>."},
                      Scenario{"StillOnTwoSecondsLaterIsToldOnceAndNeverToggledAgain",
                               "R1>. w10000>o w1999>. w1>s w60000>. R1>."},
                      Scenario{"AReportOfOffIsABreak", "R1>. w9000>. R0>. R1>. w9000>. w1000>o"},
                      Scenario{"ALinkDownIsABreak", "R1>. w9000>. L0>. L1>. w9000>. w1000>o"},
                      Scenario{"AnUnknownCarrierIsABreak", "R1>. w9000>. R?>. R1>. w9999>. w1>o"},
                      Scenario{"AfterItTookTheNextKeyCountsAfresh",
                               "R1>. w10000>o R0>. R1>. w9999>. w1>o"},
                      Scenario{"OffIsNeverCounted", "R0>. w60000>. w60000>."}),
    [](const ::testing::TestParamInfo<Scenario>& info) { return std::string(info.param.name); });

TEST(TransmitTimeout, OffWithoutALimit) {
    TransmitTimeout timeout;
    EXPECT_EQ(timeout.update(true, true, {}), TransmitTimeout::Action::None);
    EXPECT_EQ(timeout.update(true, true, txlink::MonotonicTime{} + 1h),
              TransmitTimeout::Action::None);
    timeout.setLimit(10s);
    timeout.setLimit(std::nullopt);
    EXPECT_EQ(timeout.update(true, true, txlink::MonotonicTime{} + 2h),
              TransmitTimeout::Action::None);
}

// A log that keeps its entries, to read what the panel recorded.
class MemoryLog final : public txlink::TransmitLog {
public:
    std::vector<std::string> entries;

protected:
    void write(const std::string& entry) override { entries.push_back(entry); }
};

struct LoggedPanel : linktest::Rig {
    LoggedPanel() {
        panel.recordIn(log);
        panel.nameRequestersBy([](txlink::RemoteCarrier::Requester r) {
            return "127.0.0.1:" + std::to_string(50000 + r);
        });
        panel.load();
        clock.set(0ms);
        panel.parseReceived("S1010128");
        panel.linkWatchTick();
    }
    MemoryLog log;
};

// The time-out through the panel: one "7a" on the button's path, told and recorded, and a second
// toggle never, however long the transmitter goes on reporting the carrier on.
TEST(TransmitTimeoutOnThePanel, OneToggleThenOnlyWordsWhileTheCarrierStaysOn) {
    LoggedPanel rig;
    rig.panel.setTransmitTimeout(10s);
    rig.log.entries.clear();
    rig.link.sent.clear();
    for (int tenth = 0; tenth <= 170; ++tenth) {  // 17 s of reports, each 100 ms
        rig.clock.set(std::chrono::milliseconds(1000 + tenth * 100));
        rig.panel.parseReceived("S1011128");
        rig.panel.linkWatchTick();
    }
    EXPECT_EQ(rig.link.sent, std::vector<std::string>{"7a"});
    EXPECT_EQ(rig.log.entries, (std::vector<std::string>{"carrier on", "toggle by=timeout",
                                                         "carrier still on by=timeout"}));
    EXPECT_EQ(rig.host.timeouts, 1);
    EXPECT_EQ(rig.host.stillOn, 1);
}

// Every toggle written is recorded with who asked for it; every change reported, with how long
// the carrier was on; the link's changes too.
TEST(TransmitLogOfThePanel, RecordsEachToggleWithItsOriginAndEachReportedChange) {
    LoggedPanel rig;
    rig.clock.set(1000ms);
    rig.panel.carrierClicked();
    rig.panel.parseReceived("S1011128");
    rig.clock.set(71000ms);
    rig.panel.carrierOffKeyPressed();
    rig.panel.parseReceived("S1010128");
    ASSERT_TRUE(rig.panel.requestCarrier(true, 3).ok());
    rig.panel.parseReceived("S1011128");
    rig.panel.releaseCarrier(3);
    rig.panel.parseReceived("S1010128");
    rig.link.opened = false;
    rig.panel.carrierClicked();  // not written: not recorded
    rig.panel.portLost();
    EXPECT_EQ(
        rig.log.entries,
        (std::vector<std::string>{
            "link up", "toggle by=button", "carrier on", "toggle by=escape",
            "carrier off after=70.0", "toggle by=network peer=127.0.0.1:50003", "carrier on",
            "toggle by=client-gone peer=127.0.0.1:50003", "carrier off after=0.0", "link down"}));
}

}  // namespace
