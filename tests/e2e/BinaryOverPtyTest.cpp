// The installed program itself (vora-tx-controller) in a child process, offscreen, judged only by
// what crosses the line: the commands the virtual transmitter logs, and the process's own health.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSerialPort>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <chrono>
#include <csignal>
#include <cstring>
#include <iostream>
#include <optional>

#include "SimProcess.h"
#include "app/Program.h"
#include "platform/ConfigPaths.h"
#include "platform/IniSettingsStore.h"
#include "platform/SystemClock.h"
#include "support/Fakes.h"
#include "support/Pty.h"
#include "support/TestConfig.h"
#include "support/Wait.h"

namespace {

using namespace std::chrono_literals;
using e2e::SimProcess;
using testsupport::waitUntil;

// The program as the operator starts it, with nothing stored, so it opens port 1.
class ProgramProcess {
public:
    // With `arguments`, or none as the operator starts it; `platform` "" leaves the program no
    // window system at all.
    explicit ProgramProcess(const QString& configHome, const QStringList& arguments = {},
                            const QString& platform = QStringLiteral("offscreen")) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
        environment.insert(QStringLiteral("XDG_STATE_HOME"), configHome + QStringLiteral("/state"));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"),
                           platform.isEmpty() ? QStringLiteral("xcb") : platform);
        m_process.setProcessEnvironment(environment);
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.start(QStringLiteral(VORA_PROGRAM_BINARY), arguments);
    }

    // Ended as SIGTERM ends it, so that it leaves no lock file behind for a later pty that gets
    // the same number; killed only if that fails.
    ~ProgramProcess() {
        if (running()) {
            ::kill(pid(), SIGTERM);
            if (!m_process.waitForFinished(5000)) {
                m_process.kill();
                m_process.waitForFinished(5000);
            }
        }
    }

    bool running() const { return m_process.state() != QProcess::NotRunning; }
    pid_t pid() const { return pid_t(m_process.processId()); }
    QProcess& process() { return m_process; }
    QByteArray output() {
        m_output += m_process.readAll();
        return m_output;
    }

    // User plus system time so far, from /proc.
    std::optional<std::chrono::milliseconds> cpuTime() const {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid()));
        if (!stat.open(QIODevice::ReadOnly)) {
            return std::nullopt;
        }
        const QByteArray line = stat.readAll();
        // Fields after the command name in parentheses: state is field 3, utime 14, stime 15.
        const QList<QByteArray> fields = line.sliced(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() < 13) {
            return std::nullopt;
        }
        const long long ticks = fields.at(11).toLongLong() + fields.at(12).toLongLong();
        return std::chrono::milliseconds(ticks * 1000 / sysconf(_SC_CLK_TCK));
    }

private:
    QTemporaryDir m_runtime;
    QProcess m_process;
    QByteArray m_output;
};

class BinaryOverPty : public ::testing::Test {
protected:
    testsupport::TestConfig config;
};

// The lock QSerialPort takes on a device: /dev/pts/7 is LCK..pts_7 in the system's lock folder.
QString lockFileFor(const QString& device) {
    QString name = device.mid(QStringLiteral("/dev/").size());
    name.replace(u'/', u'_');
    return QStringLiteral("/var/lock/LCK..") + name;
}

TEST_F(BinaryOverPty, StartupAndFirstUpTickEachSendOneStatusRequest) {
    // The transmitter repeats its status every second, so the link never goes down again.
    SimProcess sim(config.path(), {"--port", "1", "--status-interval", "1000"});
    ASSERT_TRUE(sim.ready()) << sim.errors().toStdString();
    ProgramProcess program(config.path());

    ASSERT_TRUE(sim.waitFor("rx 2a", 2, 5s)) << program.output().toStdString();
    // The first watchdog tick that finds the answer sends the second: at most a tick and the
    // answer's way after the start-up request, whatever the start-up itself cost.
    std::optional<std::chrono::milliseconds> firstRequest;
    for (const auto& line : sim.log()) {
        if (line.text == "rx 2a") {
            firstRequest = line.at;
            break;
        }
    }
    ASSERT_TRUE(firstRequest);
    EXPECT_LE(sim.last("rx 2a")->at - *firstRequest, 2000ms) << "after the start-up request";
    QTest::qWait(2000);
    EXPECT_EQ(sim.received(), QByteArrayList({"2a", "2a"}))
        << sim.received().join(' ').toStdString() << "\n"
        << program.output().toStdString();
    EXPECT_TRUE(program.running());
}

TEST_F(BinaryOverPty, HangUpLeavesTheProgramRunningIdleAndStoppable) {
    SimProcess sim(config.path(),
                   {"--port", "1", "--status-interval", "250", "--hangup-after", "1"});
    ASSERT_TRUE(sim.ready()) << sim.errors().toStdString();
    ProgramProcess program(config.path());
    ASSERT_TRUE(sim.waitFor("rx 2a")) << program.output().toStdString();
    ASSERT_TRUE(sim.waitFor("hangup", 1, 4s));
    ASSERT_TRUE(sim.waitForExit());

    // Give a spinning read loop time to show, then measure a second of it.
    QTest::qWait(1000);
    ASSERT_TRUE(program.running()) << program.output().toStdString();
    const auto before = program.cpuTime();
    QTest::qWait(1000);
    const auto after = program.cpuTime();
    ASSERT_TRUE(before && after);
    EXPECT_LT(*after - *before, 100ms) << (*after - *before).count() << " ms of CPU in 1 s";
    EXPECT_TRUE(program.running());

    ::kill(program.pid(), SIGTERM);
    ASSERT_TRUE(waitUntil([&] { return !program.running(); }, 5s));
    // SIGTERM ends the program in order: it closes the port and exits with status 0.
    EXPECT_EQ(program.process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.process().exitCode(), 0) << program.output().toStdString();
}

TEST_F(BinaryOverPty, SigtermWhileTheStartUpErrorIsShownEndsTheProgram) {
    // Port 1 points at nothing: it is not detected, and the error box waits for an OK.
    config.mapPort(1, QStringLiteral("/dev/no-such-device"));
    ProgramProcess program(config.path());
    ASSERT_TRUE(program.process().waitForStarted(5000));
    QTest::qWait(1000);
    ASSERT_TRUE(program.running()) << program.output().toStdString();
    ASSERT_NE(program.output().indexOf("error 8002"), -1) << program.output().toStdString();

    ::kill(program.pid(), SIGTERM);
    ASSERT_TRUE(waitUntil([&] { return !program.running(); }, 5s)) << "still running";
    EXPECT_EQ(program.process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.process().exitCode(), 0) << program.output().toStdString();
}

// Every signal that ends a session ends the program as "Exit" would: the port is closed, its
// lock file removed, and the exit status is 0.
TEST_F(BinaryOverPty, EndingSignalsCloseThePortAndRemoveItsLock) {
    for (const int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(strsignal(signalNumber));
        SimProcess sim(config.path(), {"--port", "1", "--status-interval", "1000"});
        ASSERT_TRUE(sim.ready()) << sim.errors().toStdString();
        ProgramProcess program(config.path());
        ASSERT_TRUE(sim.waitFor("rx 2a")) << program.output().toStdString();
        const QString lock = lockFileFor(sim.ptyPath());
        ASSERT_TRUE(QFile::exists(lock)) << lock.toStdString();

        ::kill(program.pid(), signalNumber);
        ASSERT_TRUE(waitUntil([&] { return !program.running(); }, 5s));
        EXPECT_EQ(program.process().exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.process().exitCode(), 0) << program.output().toStdString();
        EXPECT_FALSE(QFile::exists(lock)) << lock.toStdString();
    }
}

// A device missing at start-up is waited for: once it appears, the panel opens it and sends the
// status request, while the start-up box is still up.
TEST_F(BinaryOverPty, ADeviceMissingAtStartUpIsOpenedWhenItAppears) {
    config.mapPort(1, QStringLiteral("/dev/no-such-device"));
    ProgramProcess program(config.path());
    ASSERT_TRUE(waitUntil([&] { return program.output().contains("error 8002"); }, 5s))
        << program.output().toStdString();
    testsupport::Pty transmitter;
    config.mapPort(1, transmitter.slavePath());
    EXPECT_EQ(transmitter.read(2, 5s), "2a") << program.output().toStdString();
    EXPECT_TRUE(program.running());
}

// Two panels side by side: the one run with --profile keeps its own port, the default its own.
TEST_F(BinaryOverPty, AProfileKeepsItsOwnPortBesideTheDefault) {
    testsupport::Pty first;
    testsupport::Pty second;
    config.mapPort(1, first.slavePath());
    config.mapPort(2, second.slavePath());
    // Stored as the program stores it: under the section of the program's own folder.
    platform::IniSettingsStore profileStore(platform::settingsFilePath(QStringLiteral("second")));
    ASSERT_TRUE(profileStore
                    .write(QStringLiteral("VoraTXController"),
                           QStringLiteral("settings_") +
                               QFileInfo(QStringLiteral(VORA_PROGRAM_BINARY)).absolutePath(),
                           QStringLiteral("compoorttxt"), QStringLiteral("Com 2"))
                    .ok());

    ProgramProcess secondPanel(config.path(),
                               {QStringLiteral("--profile"), QStringLiteral("second")});
    EXPECT_EQ(second.read(2), "2a") << secondPanel.output().toStdString();
    ProgramProcess defaultPanel(config.path());
    EXPECT_EQ(first.read(2), "2a") << defaultPanel.output().toStdString();
    EXPECT_EQ(first.drain(200ms), QByteArray());
    EXPECT_EQ(second.drain(200ms), QByteArray());
    EXPECT_TRUE(secondPanel.running() && defaultPanel.running());
    EXPECT_FALSE(QFile::exists(platform::settingsFilePath()));  // the default stored nothing
}

// A port on the loopback that nothing listens on now.
quint16 freeTcpPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// A network client keys the carrier and the program is told to end before the transmitter's
// report arrives: the end waits for that report (up to a second) and switches the key off before
// the port closes; without a report it ends within the bound and sends nothing blind.
TEST_F(BinaryOverPty, EndingWhileANetworkKeyAwaitsItsReportSwitchesItOff) {
    struct Case {
        int signalNumber;
        bool reported;  // the transmitter reports the key 20 ms after the signal
    };
    for (const Case c :
         {Case{SIGTERM, true}, Case{SIGINT, true}, Case{SIGHUP, true}, Case{SIGTERM, false}}) {
        SCOPED_TRACE(std::string(strsignal(c.signalNumber)) + (c.reported ? "" : ", no report"));
        testsupport::Pty transmitter;
        config.mapPort(1, transmitter.slavePath());
        const quint16 tcpPort = freeTcpPort();
        ProgramProcess program(config.path(), {QStringLiteral("--rigctld=%1").arg(tcpPort)});
        ASSERT_EQ(transmitter.read(2), "2a") << program.output().toStdString();
        ASSERT_TRUE(waitUntil(
            [&] {
                transmitter.write("S1010128");  // carrier off
                return transmitter.read(2, 300ms) == "2a";
            },
            5s))
            << program.output().toStdString();

        QTcpSocket client;
        client.connectToHost(QHostAddress::LocalHost, tcpPort);
        ASSERT_TRUE(
            waitUntil([&] { return client.state() == QAbstractSocket::ConnectedState; }, 5s));
        client.write("T 1\n");
        ASSERT_EQ(transmitter.read(2), "7a") << program.output().toStdString();

        const auto signalled = std::chrono::steady_clock::now();
        ::kill(program.pid(), c.signalNumber);
        if (c.reported) {
            QTest::qWait(20);
            transmitter.write("S1011128");  // the key shows
            EXPECT_EQ(transmitter.read(2, 3s), "7a") << program.output().toStdString();
        }
        ASSERT_TRUE(waitUntil([&] { return !program.running(); }, 5s));
        const auto took = std::chrono::steady_clock::now() - signalled;
        EXPECT_LT(took, 2500ms);
        EXPECT_EQ(program.process().exitCode(), 0) << program.output().toStdString();
        if (!c.reported) {
            EXPECT_EQ(transmitter.drain(200ms), QByteArray()) << "a toggle sent blind";
        }
        // Every toggle written is in the transmit log, with who asked for it.
        QFile log(config.path() + QStringLiteral("/state/VoraTXController/transmit.log"));
        ASSERT_TRUE(log.open(QIODevice::ReadOnly));
        const QString lines = QString::fromUtf8(log.readAll());
        log.remove();
        static const QRegularExpression keyed(
            QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d{3}Z toggle "
                           "by=network peer=127\\.0\\.0\\.1:\\d+$"),
            QRegularExpression::MultilineOption);
        EXPECT_TRUE(keyed.match(lines).hasMatch()) << lines.toStdString();
        EXPECT_EQ(lines.contains(QStringLiteral(" toggle by=close")), c.reported)
            << lines.toStdString();
        EXPECT_EQ(lines.contains(QStringLiteral(" carrier on")), c.reported) << lines.toStdString();
    }
}

// Standard error through a pipe whose reader has gone ("| tee" killed): the first diagnostic
// must not end the program.
TEST_F(BinaryOverPty, AClosedStandardErrorPipeDoesNotEndTheProgram) {
    config.mapPort(1, QStringLiteral("/dev/no-such-device"));  // start-up reports it at once
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(pipeEnds[0]);
        ::dup2(pipeEnds[1], STDERR_FILENO);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::execl(VORA_PROGRAM_BINARY, VORA_PROGRAM_BINARY, static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    QTest::qWait(1500);
    int status = 0;
    const pid_t ended = ::waitpid(child, &status, WNOHANG);
    EXPECT_EQ(ended, 0) << (WIFSIGNALED(status) ? strsignal(WTERMSIG(status)) : "exited");
    if (ended == 0) {
        ::kill(child, SIGTERM);
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }
}

// A device that is back but held by another program is tried about once a second, never in a
// storm; once that program lets go, the panel has it.
TEST_F(BinaryOverPty, ADeviceHeldElsewhereIsNotTriedInAStorm) {
    SimProcess sim(config.path(),
                   {"--port", "1", "--status-interval", "250", "--hangup-after", "1"});
    ASSERT_TRUE(sim.ready()) << sim.errors().toStdString();
    ProgramProcess program(config.path());
    ASSERT_TRUE(sim.waitFor("rx 2a")) << program.output().toStdString();
    ASSERT_TRUE(sim.waitForExit());

    // The device comes back under the same entry, but another program has it.
    testsupport::Pty held;
    QSerialPort holder(held.slavePath());
    ASSERT_TRUE(holder.open(QIODevice::ReadWrite)) << holder.errorString().toStdString();
    config.mapPort(1, held.slavePath());
    ASSERT_TRUE(waitUntil([&] { return program.output().contains("still trying"); }, 5s))
        << program.output().toStdString();

    const auto before = program.cpuTime();
    QTest::qWait(3000);
    const auto after = program.cpuTime();
    ASSERT_TRUE(before && after);
    EXPECT_LT(*after - *before, 100ms) << (*after - *before).count() << " ms of CPU in 3 s";
    std::cout << "[ figure   ] CPU while the device is held elsewhere: "
              << (*after - *before).count() << " ms in 3 s\n";
    EXPECT_TRUE(program.running());

    holder.close();
    // Once the panel has the line, the transmitter's next record brings the status request.
    ASSERT_TRUE(waitUntil(
        [&] {
            held.write("S1010128");
            return held.read(2, 300ms) == "2a";
        },
        8s))
        << program.output().toStdString();
    // One line each way, and one while it was held: never a line a try.
    for (const char* line : {"until its device is back", "still trying", "is back; the port"}) {
        EXPECT_EQ(program.output().count(line), 1) << program.output().toStdString();
    }
}

// A second panel on a port the first one holds names the first by its process number, on
// standard error as its own binary and in its box in this process, and the box ends with where
// to choose another port.
TEST_F(BinaryOverPty, ASecondPanelOnAHeldPortNamesTheFirstAndWhereToChooseAnother) {
    testsupport::Pty transmitter;
    config.mapPort(1, transmitter.slavePath());
    ProgramProcess first(config.path());
    ASSERT_EQ(transmitter.read(2), "2a") << first.output().toStdString();
    const QString heldBy = QStringLiteral("%1 is held by vora-tx-controller (process %2).")
                               .arg(transmitter.slavePath())
                               .arg(first.pid());

    ProgramProcess second(config.path());
    ASSERT_TRUE(waitUntil([&] { return second.output().contains("error 8005"); }, 5s))
        << second.output().toStdString();
    EXPECT_TRUE(second.output().contains(heldBy.toUtf8())) << second.output().toStdString();

    platform::IniSettingsStore store;  // under the private XDG_CONFIG_HOME
    testsupport::RecordingMessageBox messages;
    testsupport::RecordingUrlOpener urls;
    platform::SystemClock clock;
    auto third =
        std::make_unique<app::Program>(app::Program::Services{store, messages, urls, clock});
    third->start();
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_EQ(messages.reasons().value(0), heldBy);
    EXPECT_TRUE(messages.messages.value(0).endsWith(
        QStringLiteral("\rChoose another port in Options, Serial Ports…")))
        << messages.messages.value(0).toStdString();
    third.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    EXPECT_TRUE(first.running()) << first.output().toStdString();
}

// --help, --version and the port-map options answer without a window system and open nothing;
// an unknown option is refused with a usage line. The simulator's entry stays as it was, also
// when port 1 is pointed at that entry itself.
TEST_F(BinaryOverPty, OptionsThatAnswerOpenNoPort) {
    const QString entry = config.path() + QStringLiteral("/VoraTXController/ports/com1");
    struct Case {
        QStringList arguments;
        int exitCode;
        const char* says;
    };
    const Case cases[] = {
        {{"--help"}, 0, "Usage: vora-tx-controller"},
        {{"--version"}, 0, "vora-tx-controller 1."},
        {{"--no-such-option"}, 2, "Usage: vora-tx-controller"},
        {{"Com1"}, 2, "unexpected argument"},
        {{"--list-ports"}, 0, "Port numbers:"},
        {{"--map-port", "2", "/dev/null"}, 2, "/dev/null is not a serial device"},
        {{"--unmap-port", "2"}, 0, "Port 2 has no entry"},
        {{"--map-port", "1", entry}, 2, "com1 is a port-map entry"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        SimProcess sim(config.path(), {"--port", "1", "--status-interval", "0"});
        ASSERT_TRUE(sim.ready()) << sim.errors().toStdString();
        ProgramProcess program(config.path(), c.arguments, QString());
        ASSERT_TRUE(waitUntil([&] { return !program.running(); }, 5s));
        EXPECT_EQ(program.process().exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.process().exitCode(), c.exitCode) << program.output().toStdString();
        EXPECT_TRUE(program.output().contains(c.says)) << program.output().toStdString();
        QTest::qWait(200);
        EXPECT_TRUE(sim.received().isEmpty()) << sim.received().join(' ').toStdString();
        EXPECT_FALSE(QFile::exists(lockFileFor(sim.ptyPath())));
        EXPECT_EQ(QFile::symLinkTarget(entry).toStdString(), sim.ptyPath().toStdString());
    }
}

}  // namespace
