#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <vector>

#include "link/RuntimeError.h"
#include "platform/SerialPort.h"
#include "support/Pty.h"
#include "support/TestConfig.h"
#include "support/Wait.h"

using namespace std::chrono_literals;
using platform::SerialPort;
using testsupport::Pty;
using testsupport::TestConfig;
using testsupport::waitUntil;

namespace {

// Opens `port` on port number 3 of a private port map, with both event thresholds at 1.
void openOn(SerialPort& serial, const TestConfig& config, const Pty& pty, int number = 3) {
    config.mapPort(number, pty.slavePath());
    serial.setCommPort(std::int16_t(number));
    serial.setRThreshold(1);
    serial.setSThreshold(1);
    serial.setPortOpen(true);
}

// Collects the text of every receive event, reading Input as the program does.
struct ReceiveLog {
    explicit ReceiveLog(SerialPort& serial) {
        QObject::connect(&serial, &SerialPort::OnComm, [this, &serial] {
            if (serial.commEvent() == SerialPort::kEventReceive) {
                events.push_back(serial.input());
            } else {
                otherEvents.push_back(serial.commEvent());
            }
        });
    }
    std::string joined() const {
        std::string all;
        for (const auto& e : events)
            all += e;
        return all;
    }
    std::vector<std::string> events;
    std::vector<std::int16_t> otherEvents;
};

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

}  // namespace

TEST(SerialPort, WritesReachTheLineUnchangedAndInOrder) {
    TestConfig config;
    Pty pty;
    SerialPort serial;
    openOn(serial, config, pty);

    QByteArray expected;
    for (int i = 0; i < 50; ++i) {
        const char command[] = {char('1' + i % 7), 'a'};
        serial.output(std::string_view(command, 2));
        expected.append(command, 2);
    }
    EXPECT_EQ(pty.read(expected.size()), expected);
    EXPECT_TRUE(pty.drain(50ms).isEmpty());
}

TEST(SerialPort, SendEventFollowsAWriteOnceDrained) {
    TestConfig config;
    Pty pty;
    SerialPort serial;
    openOn(serial, config, pty);
    ReceiveLog log(serial);

    serial.output("3a");
    EXPECT_EQ(pty.read(2), "3a");
    ASSERT_TRUE(waitUntil([&] { return !log.otherEvents.empty(); }));
    EXPECT_EQ(log.otherEvents.front(), SerialPort::kEventSend);
}

TEST(SerialPort, ReceiveEventCarriesTheText) {
    TestConfig config;
    Pty pty;
    SerialPort serial;
    openOn(serial, config, pty);
    ReceiveLog log(serial);

    pty.write("S1010128F1234567");
    EXPECT_TRUE(waitUntil([&] { return log.joined() == std::string("S1010128F1234567"); }));
    EXPECT_EQ(serial.input(), "");  // Input removes what it returns
}

// A tty splits records wherever it likes; the receive event must carry whole records.
TEST(SerialPort, RecordsTrickledByteByByteArriveWhole) {
    TestConfig config;
    Pty pty;
    SerialPort serial;
    openOn(serial, config, pty);
    ReceiveLog log(serial);

    const QByteArray records = "S1010128F1234567G1234567";
    // The claim is for bytes that come closer together than the quiet gap: a machine too busy to
    // write them so gets another try.
    for (int attempt = 0; attempt < 5; ++attempt) {
        log.events.clear();
        const auto longest = pty.trickle(records, 2ms);
        ASSERT_TRUE(waitUntil([&] { return log.joined() == records.toStdString(); }));
        if (longest >= SerialPort::kQuietGap * 3 / 4) {
            continue;
        }
        for (const std::string& text : log.events) {
            EXPECT_EQ(text.size() % 8, 0u) << text;
        }
        return;
    }
    GTEST_SKIP() << "the bytes never went out closer together than the quiet gap";
}

TEST(SerialPort, APartialRecordIsDeliveredAfterTheQuietGap) {
    TestConfig config;
    Pty pty;
    SerialPort serial;
    openOn(serial, config, pty);
    ReceiveLog log(serial);

    pty.write("S101");
    EXPECT_TRUE(waitUntil([&] { return log.events.size() == std::size_t(1); }));
    EXPECT_EQ(log.events.front(), "S101");
}

TEST(SerialPort, InputWaitingBeforeTheOpenIsDiscarded) {
    TestConfig config;
    Pty pty;
    pty.write("stale!!");
    SerialPort serial;
    openOn(serial, config, pty);
    ReceiveLog log(serial);

    pty.write("F1234567");
    EXPECT_TRUE(waitUntil([&] { return log.joined() == std::string("F1234567"); }));
}

TEST(SerialPort, FarEndHangingUpClosesThePortOnceAndLeavesTheProgramIdle) {
    TestConfig config;
    Pty pty;
    SerialPort serial;
    openOn(serial, config, pty);

    pty.hangUp();
    ASSERT_TRUE(waitUntil([&] { return !serial.portOpen(); }));

    const double before = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    QTest::qWait(300);
    const double busy = cpuSeconds() - before;
    EXPECT_LT(busy, 0.1 * double(wall.elapsed()) / 1000.0) << "CPU seconds " << busy;
    EXPECT_FALSE(serial.portOpen());
}

TEST(SerialPort, FailedOpensCarryTheirErrorNumbers) {
    TestConfig config;
    Pty pty;
    SerialPort first;
    openOn(first, config, pty, 3);

    struct Case {
        const char* what;
        std::function<void(SerialPort&)> prepare;
        int number;
    };
    const std::vector<Case> cases = {
        {"the same device a second time", [&](SerialPort& s) { s.setCommPort(3); },
         txlink::error::kPortInUse},
        {"the same device through another name",
         [&](SerialPort& s) {
             config.mapPort(5,
                            QStringLiteral("/dev/pts/../pts/") + pty.slavePath().section(u'/', -1));
             s.setCommPort(5);
         },
         txlink::error::kPortInUse},
        {"a device that does not exist",
         [&](SerialPort& s) {
             config.mapPort(4, QStringLiteral("/dev/no-such-device"));
             s.setCommPort(4);
         },
         txlink::error::kPortNotDetected},
        {"port 0", [](SerialPort& s) { s.setCommPort(0); }, txlink::error::kPortNotDetected},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SerialPort second;
        c.prepare(second);
        try {
            second.setPortOpen(true);
            ADD_FAILURE() << "the open succeeded";
        } catch (const txlink::RuntimeError& e) {
            EXPECT_EQ(e.number(), c.number);
        }
        EXPECT_FALSE(second.portOpen());
    }
}

TEST(SerialPort, WritingToAClosedPortFailsWithoutEffect) {
    SerialPort serial;
    try {
        serial.output("3a");
        ADD_FAILURE() << "the write succeeded";
    } catch (const txlink::RuntimeError& e) {
        EXPECT_EQ(e.number(), txlink::error::kPortNotOpen);
    }
    EXPECT_FALSE(serial.portOpen());
}

TEST(SerialPort, ReopenedPortStillCarriesTraffic) {
    TestConfig config;
    Pty pty;
    SerialPort serial;
    openOn(serial, config, pty);
    ReceiveLog log(serial);

    serial.setPortOpen(false);
    serial.setPortOpen(true);
    serial.output("2a");
    EXPECT_EQ(pty.read(2), "2a");
    pty.write("F1234567");
    EXPECT_TRUE(waitUntil([&] { return log.joined() == std::string("F1234567"); }));
}
