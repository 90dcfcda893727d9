#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <vector>

#include "platform/ConfigPaths.h"
#include "serial/SerialPortLink.h"
#include "support/Pty.h"
#include "support/TestConfig.h"
#include "support/Wait.h"

using namespace std::chrono_literals;
using serial::SerialPortLink;
using testsupport::Pty;
using testsupport::TestConfig;
using testsupport::waitUntil;

namespace {

// Opens the pty as port number 3 of a private port map.
void openOn(SerialPortLink& link, const TestConfig& config, const Pty& pty, int number = 3) {
    config.mapPort(number, pty.slavePath());
    ASSERT_TRUE(link.open(number).ok());
}

// Collects the text of every delivery, and counts the drained writes.
struct LineLog {
    explicit LineLog(SerialPortLink& link) {
        QObject::connect(&link, &SerialPortLink::received,
                         [this](const QByteArray& text) { events.push_back(text.toStdString()); });
        QObject::connect(&link, &SerialPortLink::sent, [this] { ++sent; });
    }
    std::string joined() const {
        std::string all;
        for (const auto& e : events)
            all += e;
        return all;
    }
    std::vector<std::string> events;
    int sent = 0;
};

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

}  // namespace

TEST(SerialPortLink, WritesReachTheLineUnchangedAndInOrder) {
    TestConfig config;
    Pty pty;
    SerialPortLink serial;
    openOn(serial, config, pty);

    QByteArray expected;
    for (int i = 0; i < 50; ++i) {
        const char command[] = {char('1' + i % 7), 'a'};
        ASSERT_TRUE(serial.send(std::string_view(command, 2)).ok());
        expected.append(command, 2);
    }
    EXPECT_EQ(pty.read(expected.size()), expected);
    EXPECT_TRUE(pty.drain(50ms).isEmpty());
}

// A command reaches the system inside send(): nothing waits for the event loop, which may be
// busy repainting the button that was just pressed.
TEST(SerialPortLink, ACommandIsOnTheLineWhenSendReturns) {
    TestConfig config;
    Pty pty;
    SerialPortLink serial;
    openOn(serial, config, pty);
    for (const char* command : {"3a", "4a", "7a"}) {
        ASSERT_TRUE(serial.send(command).ok());
        char buffer[8] = {};
        const ssize_t n = ::read(pty.masterFd(), buffer, sizeof buffer);  // no event loop turn
        EXPECT_EQ(std::string(buffer, std::size_t(std::max<ssize_t>(n, 0))), command);
    }
}

TEST(SerialPortLink, SentFollowsAWriteOnceDrained) {
    TestConfig config;
    Pty pty;
    SerialPortLink serial;
    openOn(serial, config, pty);
    LineLog log(serial);

    ASSERT_TRUE(serial.send("3a").ok());
    EXPECT_EQ(pty.read(2), "3a");
    EXPECT_TRUE(waitUntil([&] { return log.sent == 1; }));
}

TEST(SerialPortLink, ReceivedCarriesTheText) {
    TestConfig config;
    Pty pty;
    SerialPortLink serial;
    openOn(serial, config, pty);
    LineLog log(serial);

    pty.write("S1010128F1234567");
    EXPECT_TRUE(waitUntil([&] { return log.joined() == std::string("S1010128F1234567"); }));
}

// A tty splits records wherever it likes; deliveries must carry whole records. The delivery
// rules are the framer's (its own tests); this checks that the link feeds it the driver's bytes
// and wakes it. A quiet gap far longer than the line's keeps a busy machine from splitting.
TEST(SerialPortLink, RecordsTrickledByteByByteArriveWhole) {
    TestConfig config;
    Pty pty;
    SerialPortLink serial(txlink::RecordFramer::Timing{500ms, 5000ms});
    openOn(serial, config, pty);
    LineLog log(serial);

    const QByteArray records = "S1010128F1234567G1234567";
    pty.trickle(records, 2ms);
    ASSERT_TRUE(waitUntil([&] { return log.joined() == records.toStdString(); }));
    for (const std::string& text : log.events) {
        EXPECT_EQ(text.size() % 8, 0u) << text;
    }
}

TEST(SerialPortLink, APartialRecordIsDeliveredAfterTheQuietGap) {
    TestConfig config;
    Pty pty;
    SerialPortLink serial;
    openOn(serial, config, pty);
    LineLog log(serial);

    pty.write("S101");
    EXPECT_TRUE(waitUntil([&] { return log.events.size() == std::size_t(1); }));
    EXPECT_EQ(log.events.front(), "S101");
}

TEST(SerialPortLink, InputWaitingBeforeTheOpenIsDiscarded) {
    TestConfig config;
    Pty pty;
    pty.write("stale!!");
    SerialPortLink serial;
    openOn(serial, config, pty);
    LineLog log(serial);

    pty.write("F1234567");
    EXPECT_TRUE(waitUntil([&] { return log.joined() == std::string("F1234567"); }));
}

TEST(SerialPortLink, FarEndHangingUpClosesThePortOnceAndLeavesTheProgramIdle) {
    TestConfig config;
    Pty pty;
    SerialPortLink serial;
    openOn(serial, config, pty);

    pty.hangUp();
    ASSERT_TRUE(waitUntil([&] { return !serial.isOpen(); }));

    const double before = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    QTest::qWait(300);
    const double busy = cpuSeconds() - before;
    EXPECT_LT(busy, 0.1 * double(wall.elapsed()) / 1000.0) << "CPU seconds " << busy;
    EXPECT_FALSE(serial.isOpen());
}

TEST(SerialPortLink, FailedOpensCarryTheirErrorNumbers) {
    TestConfig config;
    Pty pty;
    SerialPortLink first;
    openOn(first, config, pty, 3);

    struct Case {
        const char* what;
        std::function<int()> prepare;  // the port to open
        int number;
    };
    const std::vector<Case> cases = {
        {"the same device a second time", [] { return 3; }, txlink::error::kPortInUse},
        {"the same device through another name",
         [&] {
             config.mapPort(5,
                            QStringLiteral("/dev/pts/../pts/") + pty.slavePath().section(u'/', -1));
             return 5;
         },
         txlink::error::kPortInUse},
        {"a device that does not exist",
         [&] {
             config.mapPort(4, QStringLiteral("/dev/no-such-device"));
             return 4;
         },
         txlink::error::kPortNotDetected},
        {"port 0", [] { return 0; }, txlink::error::kPortNotDetected},
        // Entries made by hand are checked as --map-port checks them.
        {"the pty multiplexer, which makes a new pty on every open",
         [&] {
             config.mapPort(6, QStringLiteral("/dev/ptmx"));
             return 6;
         },
         txlink::error::kPortNotDetected},
        {"an entry that leads to another entry",
         [&] {
             config.mapPort(7, platform::portMapEntryPath(3));
             return 7;
         },
         txlink::error::kPortNotDetected},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SerialPortLink second;
        const txlink::Status opened = second.open(c.prepare());
        ASSERT_FALSE(opened.ok());
        EXPECT_EQ(opened.error().number, c.number);
        EXPECT_FALSE(second.isOpen());
    }
}

TEST(SerialPortLink, SendingOnAClosedPortFailsWithoutEffect) {
    SerialPortLink serial;
    const txlink::Status sent = serial.send("3a");
    ASSERT_FALSE(sent.ok());
    EXPECT_EQ(sent.error().number, txlink::error::kPortNotOpen);
    EXPECT_FALSE(serial.isOpen());
}

TEST(SerialPortLink, ReopenedPortStillCarriesTraffic) {
    TestConfig config;
    Pty pty;
    SerialPortLink serial;
    openOn(serial, config, pty);
    LineLog log(serial);

    serial.close();
    ASSERT_TRUE(serial.open(3).ok());
    ASSERT_TRUE(serial.send("2a").ok());
    EXPECT_EQ(pty.read(2), "2a");
    pty.write("F1234567");
    EXPECT_TRUE(waitUntil([&] { return log.joined() == std::string("F1234567"); }));
}

// Without its entry the port would name /dev/ttyS<N-1>, another device altogether; and close()
// ends the wait.
TEST(SerialPortLink, AWaitForAMappedDeviceNeverOpensTheDefaultDeviceAndEndsOnClose) {
    TestConfig config;
    Pty pty;
    SerialPortLink serial;
    openOn(serial, config, pty, 1);
    pty.hangUp();
    ASSERT_TRUE(waitUntil([&] { return serial.waitingForDevice(); }));
    ASSERT_TRUE(QFile::remove(platform::portMapEntryPath(1)));
    QTest::qWait(2500);
    EXPECT_FALSE(serial.isOpen()) << serial.device().toStdString();

    serial.close();
    Pty back;
    config.mapPort(1, back.slavePath());
    QTest::qWait(2500);
    EXPECT_FALSE(serial.isOpen());
}
