#include <gtest/gtest.h>

#include <QByteArrayList>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <optional>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include "platform/ConfigPaths.h"
#include "support/TestConfig.h"

namespace {

using namespace std::chrono_literals;

constexpr std::chrono::milliseconds kPatience{5000};

// The simulator as a separate process, with the panel's end of its pty opened the way a test
// opens a serial port: raw and non-blocking.
class Sim {
public:
    // With `privateConfig` false the simulator shares the test's XDG_CONFIG_HOME.
    explicit Sim(const QStringList& arguments, bool privateConfig = true) {
        // The XDG_CONFIG_HOME of m_config reaches the child through the environment.
        if (privateConfig)
            m_config.emplace();
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral(TXSIM_BINARY), arguments);
        // "pty /dev/pts/N", or with --quiet the path alone.
        QByteArray first = nextLogLine(QDeadlineTimer(kPatience));
        if (first.startsWith("pty "))
            first = first.sliced(4);
        if (!first.startsWith('/'))
            return;
        m_ptyPath = QString::fromLocal8Bit(first);
        m_fd = ::open(first.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        termios tio{};
        if (m_fd >= 0 && tcgetattr(m_fd, &tio) == 0) {
            cfmakeraw(&tio);
            tcsetattr(m_fd, TCSANOW, &tio);
        }
    }

    ~Sim() {
        if (m_fd >= 0)
            ::close(m_fd);
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(int(kPatience.count()));
        }
    }

    bool ready() const { return m_fd >= 0; }
    QString ptyPath() const { return m_ptyPath; }
    QProcess& process() { return m_process; }
    int fd() const { return m_fd; }

    void send(const QByteArray& bytes) {
        ASSERT_EQ(::write(m_fd, bytes.constData(), bytes.size()), bytes.size());
    }

    // Reads until `count` bytes have arrived or the deadline passes. Each read's bytes are kept
    // apart, with the time it came, so tests can see how the line delivered them.
    struct Arrival {
        QByteArray bytes;
        std::chrono::milliseconds at;
    };
    QList<Arrival> receive(qsizetype count, std::chrono::milliseconds within = kPatience) {
        using std::chrono::duration_cast;
        using std::chrono::milliseconds;
        using std::chrono::steady_clock;
        QList<Arrival> arrivals;
        qsizetype total = 0;
        const auto start = steady_clock::now();
        const auto deadline = start + within;
        while (total < count) {
            const auto left = duration_cast<milliseconds>(deadline - steady_clock::now());
            pollfd p{m_fd, POLLIN, 0};
            if (::poll(&p, 1, int(std::max(left, 0ms).count())) <= 0)
                break;
            char buffer[256];
            const ssize_t n =
                ::read(m_fd, buffer, std::min<qsizetype>(sizeof buffer, count - total));
            if (n <= 0)
                break;
            arrivals.append(Arrival{QByteArray(buffer, n),
                                    duration_cast<milliseconds>(steady_clock::now() - start)});
            total += n;
        }
        return arrivals;
    }

    QByteArray receiveBytes(qsizetype count, std::chrono::milliseconds within = kPatience) {
        QByteArray joined;
        for (const Arrival& a : receive(count, within))
            joined += a.bytes;
        return joined;
    }

    // Waits for this line in the simulator's log; every line read on the way is kept.
    bool waitForLog(const QByteArray& line) {
        if (m_log.contains(line))
            return true;
        const QDeadlineTimer deadline(kPatience);
        while (!deadline.hasExpired()) {
            const QByteArray next = nextLogLine(deadline);
            if (next == line)
                return true;
        }
        return false;
    }

    QByteArrayList log() {
        while (m_process.canReadLine())
            m_log.append(m_process.readLine().trimmed());
        return m_log;
    }

    bool finishedWith(int exitCode) {
        if (m_process.state() != QProcess::NotRunning &&
            !m_process.waitForFinished(int(kPatience.count())))
            return false;
        return m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == exitCode;
    }

private:
    QByteArray nextLogLine(const QDeadlineTimer& deadline) {
        while (!m_process.canReadLine()) {
            if (deadline.hasExpired() || !m_process.waitForReadyRead(int(deadline.remainingTime())))
                return {};
        }
        m_log.append(m_process.readLine().trimmed());
        return m_log.back();
    }

    std::optional<testsupport::TestConfig> m_config;
    QProcess m_process;
    QString m_ptyPath;
    QByteArrayList m_log;
    int m_fd = -1;
};

TEST(SimProcess, StatusRequestIsAnsweredWithStatusThenFrequency) {
    Sim sim({"--status-interval", "0"});
    ASSERT_TRUE(sim.ready());
    // Commands come in pieces on a real line as well.
    sim.send("2");
    sim.send("a");
    EXPECT_EQ(sim.receiveBytes(16), "S1010128F1296000");
    EXPECT_TRUE(sim.waitForLog("tx F1296000"));
    EXPECT_EQ(sim.log().mid(1), (QByteArrayList{"rx 2a", "tx S1010128", "tx F1296000"}));
}

class SimPortMap : public testing::TestWithParam<int> {};

TEST_P(SimPortMap, EntryLastsAsLongAsTheSimulator) {
    Sim sim({"--port", "3", "--quiet"});
    ASSERT_TRUE(sim.ready());
    const QString entry = platform::portMapEntryPath(3);
    EXPECT_EQ(QFileInfo(entry).symLinkTarget(), sim.ptyPath());

    ::kill(pid_t(sim.process().processId()), GetParam());
    EXPECT_TRUE(sim.finishedWith(0));
    EXPECT_FALSE(QFileInfo(entry).isSymLink());
    // Quiet, it printed the path alone.
    EXPECT_EQ(sim.log(), QByteArrayList{sim.ptyPath().toLocal8Bit()});
}

INSTANTIATE_TEST_SUITE_P(Signals, SimPortMap, testing::Values(SIGTERM, SIGINT, SIGHUP),
                         [](const testing::TestParamInfo<int>& info) {
                             return "SIG" + std::string(sigabbrev_np(info.param));
                         });

// How the simulator ends: a signal, or 0 for hanging up by itself.
class SimEnding : public testing::TestWithParam<int> {};

// Without --replace neither the operator's entry nor a running simulator's is taken; with it, the
// operator's entry comes back however the simulator ends.
TEST_P(SimEnding, AReplacedEntryComesBackWhenTheSimulatorEnds) {
    testsupport::TestConfig config;
    const QString operators = QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R-if00-port0");
    config.mapPort(2, operators);
    const auto refused = [] {
        QProcess other;
        other.start(QStringLiteral(TXSIM_BINARY), {"--port", "2"});
        return other.waitForFinished(int(kPatience.count())) && other.exitCode() == 1 &&
               other.readAllStandardError().contains("port 1 is free (--port 1)");
    };
    EXPECT_TRUE(refused()) << "the operator's entry";
    {
        const bool hangsUp = GetParam() == 0;
        Sim sim(QStringList{"--port", "2", "--replace", "--status-interval", "0"} +
                    (hangsUp ? QStringList{"--hangup-after", "1"} : QStringList{}),
                false);
        ASSERT_TRUE(sim.ready());
        EXPECT_EQ(QFileInfo(platform::portMapEntryPath(2)).symLinkTarget(), sim.ptyPath());
        EXPECT_TRUE(refused()) << "a running simulator's";
        if (!hangsUp)
            ::kill(pid_t(sim.process().processId()), GetParam());
        EXPECT_TRUE(sim.finishedWith(0));
    }
    EXPECT_EQ(QFileInfo(platform::portMapEntryPath(2)).symLinkTarget(), operators);
    EXPECT_EQ(QDir(platform::portMapFolder())
                  .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden),
              QStringList{QStringLiteral("com2")});
}

INSTANTIATE_TEST_SUITE_P(Endings, SimEnding, testing::Values(SIGTERM, SIGINT, SIGHUP, 0),
                         [](const testing::TestParamInfo<int>& info) {
                             return info.param == 0 ? std::string("HangUp")
                                                    : "SIG" + std::string(sigabbrev_np(info.param));
                         });

TEST(SimProcess, SplitRecordArrivesInTwoPiecesWithTheGap) {
    Sim sim({"--status-interval", "0", "--split", "1:3", "--split-gap-ms", "300"});
    ASSERT_TRUE(sim.ready());
    sim.send("2a");
    const QList<Sim::Arrival> arrivals = sim.receive(16);
    ASSERT_GE(arrivals.size(), 2);
    EXPECT_EQ(arrivals[0].bytes, "S10");
    EXPECT_GE(arrivals[1].at - arrivals[0].at, 250ms);
    QByteArray joined;
    for (const Sim::Arrival& a : arrivals)
        joined += a.bytes;
    EXPECT_EQ(joined, "S1010128F1296000");
}

TEST(SimProcess, BytePacingDeliversRecordsByteByByte) {
    Sim sim({"--status-interval", "0", "--byte-gap-us", "20000"});
    ASSERT_TRUE(sim.ready());
    sim.send("5a");
    const QList<Sim::Arrival> arrivals = sim.receive(8);
    ASSERT_FALSE(arrivals.isEmpty());
    QByteArray joined;
    for (const Sim::Arrival& a : arrivals)
        joined += a.bytes;
    EXPECT_EQ(joined, "S1010129");
    EXPECT_GE(arrivals.size(), 4);
    EXPECT_GE(arrivals.back().at - arrivals.front().at, 100ms);
}

struct RepeatFaultCase {
    const char* name;
    QStringList arguments;
    qsizetype junkBytes;
    QByteArray record;
};

class SimRepeatFault : public testing::TestWithParam<RepeatFaultCase> {};

TEST_P(SimRepeatFault, StatusRepeatCarriesTheFault) {
    const RepeatFaultCase& c = GetParam();
    Sim sim(QStringList{"--status-interval", "50"} + c.arguments);
    ASSERT_TRUE(sim.ready());
    const QByteArray line = sim.receiveBytes(c.junkBytes + 8);
    ASSERT_EQ(line.size(), c.junkBytes + 8);
    EXPECT_EQ(line.sliced(c.junkBytes), c.record);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, SimRepeatFault,
    testing::Values(RepeatFaultCase{"Plain", {}, 0, "S1010128"},
                    RepeatFaultCase{"Malformed", {"--malformed"}, 0, "S1x10128"},
                    RepeatFaultCase{"Garbage", {"--garbage", "5"}, 5, "S1010128"}),
    [](const testing::TestParamInfo<RepeatFaultCase>& info) { return info.param.name; });

TEST(SimProcess, SilenceMutesAnswersButCommandsStillCount) {
    Sim sim({"--status-interval", "0", "--silence-after", "0.1", "--silence-for", "0.5"});
    ASSERT_TRUE(sim.ready());
    ASSERT_TRUE(sim.waitForLog("silent"));
    sim.send("7a");
    ASSERT_TRUE(sim.waitForLog("muted S1011128"));
    EXPECT_TRUE(sim.receiveBytes(1, 200ms).isEmpty());

    ASSERT_TRUE(sim.waitForLog("talking"));
    sim.send("2a");
    EXPECT_EQ(sim.receiveBytes(16), "S1011128F1296000");
}

TEST(SimProcess, HangupLetsThePanelSeeTheDeviceVanish) {
    Sim sim({"--status-interval", "0", "--hangup-after", "0.3"});
    ASSERT_TRUE(sim.ready());
    pollfd p{sim.fd(), POLLIN, 0};
    ASSERT_EQ(::poll(&p, 1, int(kPatience.count())), 1);
    EXPECT_NE(p.revents & (POLLHUP | POLLERR), 0);
    char byte;
    const ssize_t n = ::read(sim.fd(), &byte, 1);
    EXPECT_TRUE(n == 0 || (n < 0 && errno == EIO)) << n << " " << errno;
    EXPECT_TRUE(sim.finishedWith(0));
}

}  // namespace
