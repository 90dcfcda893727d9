// Network control end to end: Hamlib's own client (rigctl -m 2, "NET rigctl") against the
// program, which talks over a pseudo-terminal to the virtual transmitter. What the transmitter
// logs ("rx 7a") is the judge of what reached the line.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTcpSocket>
#include <chrono>
#include <iostream>
#include <memory>

#include "SimProcess.h"
#include "app/Program.h"
#include "platform/IniSettingsStore.h"
#include "platform/SystemClock.h"
#include "support/Fakes.h"
#include "support/TestConfig.h"
#include "support/Wait.h"
#include "ui/main/StatusBar.h"

namespace {

using namespace std::chrono_literals;
using e2e::SimProcess;
using testsupport::waitUntil;

// Hamlib's client, run while this process's event loop turns (the server may be in it).
struct RigctlRun {
    bool finished = false;
    QString output;
};

RigctlRun runRigctl(quint16 port, const QStringList& commands, const QByteArray& input = {}) {
    const QString rigctl = QStandardPaths::findExecutable(QStringLiteral("rigctl"));
    if (rigctl.isEmpty()) {
        ADD_FAILURE() << "rigctl is missing: scripts/install-deps.sh installs libhamlib-utils";
        return {};
    }
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(
        rigctl, QStringList{"-m", "2", "-r", QStringLiteral("127.0.0.1:%1").arg(port)} + commands);
    process.write(input);
    process.closeWriteChannel();
    RigctlRun run;
    run.finished = waitUntil([&] { return process.state() == QProcess::NotRunning; }, 20s);
    if (!run.finished) {
        process.kill();
        process.waitForFinished();
    }
    run.output = QString::fromLocal8Bit(process.readAll());
    return run;
}

class NetworkControlOverPty : public ::testing::Test {
protected:
    ~NetworkControlOverPty() override {
        program.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The transmitter on port 1 with `arguments`, and the program with network control on.
    ::testing::AssertionResult start(QStringList arguments) {
        sim = std::make_unique<SimProcess>(config.path(), arguments << "--port"
                                                                    << "1");
        if (!sim->ready()) {
            return ::testing::AssertionFailure() << sim->errors().toStdString();
        }
        program =
            std::make_unique<app::Program>(app::Program::Services{store, messages, urls, clock});
        program->setNetworkControlStart({true, QHostAddress(QHostAddress::LocalHost), 0});
        program->start();
        if (!program->networkControl().isListening()) {
            return ::testing::AssertionFailure() << "network control is off";
        }
        if (!waitUntil([&] { return panel(1) == "Connected" && caption("Command6") == "TX On"; })) {
            return ::testing::AssertionFailure() << "never connected with the carrier off";
        }
        return ::testing::AssertionSuccess();
    }

    quint16 port() { return program->networkControl().port(); }
    QString caption(const char* name) {
        QWidget* widget = program->mainWindow()->findChild<QWidget*>(QString::fromLatin1(name));
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            return label->text();
        }
        auto* button = qobject_cast<QPushButton*>(widget);
        return button != nullptr ? button->text() : QStringLiteral("<no %1>").arg(name);
    }
    QString panel(int n) {
        auto* bar = program->mainWindow()->findChild<ui::main::StatusBar*>("StatusBar1");
        return bar != nullptr ? bar->panelText(n) : QStringLiteral("<no status bar>");
    }
    int toggles() { return sim->count("rx 7a"); }

    testsupport::TestConfig config;
    std::unique_ptr<SimProcess> sim;
    platform::IniSettingsStore store;
    testsupport::RecordingMessageBox messages;
    testsupport::RecordingUrlOpener urls;
    platform::SystemClock clock;
    std::unique_ptr<app::Program> program;
};

struct DisplayCase {
    const char* name;
    QStringList simArguments;
    const char* power;  // l RFPOWER: the bar's 0-255 as 0.0-1.0
};

void PrintTo(const DisplayCase& c, std::ostream* out) {
    *out << c.name;
}

class ReadsTheDisplay : public NetworkControlOverPty,
                        public ::testing::WithParamInterface<DisplayCase> {};

TEST_P(ReadsTheDisplay, FrequencyInHertzCarrierAndPower) {
    ASSERT_TRUE(start(QStringList{"--status-interval", "1000"} + GetParam().simArguments));
    const QString shown = caption("Label8") + '.' + caption("Label9");
    const RigctlRun run = runRigctl(port(), {"f", "t", "l", "RFPOWER", "v", "m"});
    ASSERT_TRUE(run.finished);
    const QString hz = QString::number(qRound64(shown.toDouble() * 1e6));
    EXPECT_EQ(run.output, QStringLiteral("%1\n0\n%2\nVFOA\nCW\n0\n").arg(hz, GetParam().power))
        << "the window shows " << shown.toStdString();
    EXPECT_EQ(toggles(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, ReadsTheDisplay,
    ::testing::Values(
        DisplayCase{"F", {}, "0.501961"},
        DisplayCase{"G", {"--format", "G", "--power", "255"}, "1.000000"},
        DisplayCase{"H", {"--format", "H", "--frequency", "2320.375", "--power", "0"}, "0.000000"}),
    [](const ::testing::TestParamInfo<DisplayCase>& info) { return std::string(info.param.name); });

TEST_F(NetworkControlOverPty, KeysOnceNeverTwiceAndUnkeysWhenTheSessionEnds) {
    ASSERT_TRUE(start({"--status-interval", "1000"}));
    QProcess session;  // one client session, commands typed one by one
    session.setProcessChannelMode(QProcess::MergedChannels);
    session.start(QStandardPaths::findExecutable(QStringLiteral("rigctl")),
                  {"-m", "2", "-r", QStringLiteral("127.0.0.1:%1").arg(port()), "-"});
    ASSERT_TRUE(session.waitForStarted()) << "rigctl is missing: run scripts/install-deps.sh";

    session.write("T 1\n");
    ASSERT_TRUE(waitUntil([&] { return caption("Command6") == "TX Off"; }))
        << session.readAll().toStdString();
    EXPECT_EQ(toggles(), 1);
    session.write("T 1\nt\n");
    QByteArray echoed;  // rigctl echoes each command, then its answer: "t 1" once it is read
    ASSERT_TRUE(waitUntil([&] {
        echoed += session.readAll();
        return QString::fromLatin1(echoed).contains(
            QRegularExpression(QStringLiteral("\\bt\\s+1")));
    })) << echoed.toStdString();
    EXPECT_EQ(toggles(), 1) << "a second T 1 toggled the carrier off";

    session.closeWriteChannel();  // rigctl ends its session with the carrier still keyed
    EXPECT_TRUE(waitUntil([&] { return session.state() == QProcess::NotRunning; }));
    EXPECT_TRUE(waitUntil([&] { return caption("Command6") == "TX On"; }));
    QTest::qWait(300);
    EXPECT_EQ(toggles(), 2);
}

TEST_F(NetworkControlOverPty, AClientThatDropsWithTheCarrierKeyedHasItUnkeyed) {
    ASSERT_TRUE(start({"--status-interval", "1000"}));
    QTcpSocket client;
    client.connectToHost(QHostAddress(QHostAddress::LocalHost), port());
    client.write("T 1\n");
    ASSERT_TRUE(waitUntil([&] { return client.readAll() == "RPRT 0\n"; }));
    ASSERT_TRUE(waitUntil([&] { return caption("Command6") == "TX Off"; }));

    client.abort();
    EXPECT_TRUE(waitUntil([&] { return caption("Command6") == "TX On"; }));
    QTest::qWait(300);
    EXPECT_EQ(toggles(), 2);
}

// Status panel 2 says how many programs are connected, and when one of them has the carrier keyed.
TEST_F(NetworkControlOverPty, PanelTwoShowsTheClientsAndARemoteKey) {
    ASSERT_TRUE(start({"--status-interval", "1000"}));
    EXPECT_EQ(panel(2), "Net 0");
    QTcpSocket client;
    client.connectToHost(QHostAddress(QHostAddress::LocalHost), port());
    ASSERT_TRUE(waitUntil([&] { return panel(2) == "Net 1"; })) << panel(2).toStdString();

    client.write("T 1\n");
    ASSERT_TRUE(waitUntil([&] { return panel(2) == "Remote TX"; })) << panel(2).toStdString();
    client.write("T 0\n");
    ASSERT_TRUE(waitUntil([&] { return panel(2) == "Net 1"; })) << panel(2).toStdString();

    client.abort();
    EXPECT_TRUE(waitUntil([&] { return panel(2) == "Net 0"; })) << panel(2).toStdString();
    program->setNetworkControl(false);
    EXPECT_EQ(panel(2), "");
}

// A transmitter whose line hangs up is down at once, and network control no longer answers with
// what it said last.
TEST_F(NetworkControlOverPty, AHungUpLineIsDownAtOnceAndNotAnsweredFor) {
    ASSERT_TRUE(start({"--status-interval", "250", "--hangup-after", "2"}));
    QTcpSocket client;
    client.connectToHost(QHostAddress(QHostAddress::LocalHost), port());
    client.write("f\n");
    ASSERT_TRUE(waitUntil([&] { return client.readAll() == "1296000000\n"; }));

    ASSERT_TRUE(sim->waitFor("hangup", 1, 5s));
    QElapsedTimer sinceHangUp;
    sinceHangUp.start();
    ASSERT_TRUE(waitUntil([&] { return panel(1) == "Disconnected"; }, 5s));
    const qint64 downAfter = sinceHangUp.elapsed();
    std::cout << "[ figure   ] from the hang-up to \"Disconnected\": " << downAfter << " ms\n";
    EXPECT_LT(downAfter, 1500);
    EXPECT_EQ(panel(2), "");
    EXPECT_EQ(panel(3), "");
    for (const char* line : {"f\n", "t\n", "T 0\n"}) {
        client.write(line);
        QByteArray answer;
        ASSERT_TRUE(waitUntil([&] {
            answer += client.readAll();
            return answer.endsWith('\n');
        }));
        EXPECT_EQ(answer, "RPRT -5\n") << line;
    }
    EXPECT_EQ(toggles(), 0);
}

// --- tuning: F, \set_freq and a Kenwood program's FA through rigctlcom ------------------------

// The commands that move the transmitter (Step, up, down) among those it received.
QByteArrayList moves(SimProcess& sim) {
    QByteArrayList found;
    for (const QByteArray& command : sim.received()) {
        if (command == "1a" || command == "3a" || command == "4a") {
            found << command;
        }
    }
    return found;
}

class TuningOverPty : public NetworkControlOverPty {
protected:
    QString shownFrequency() { return caption("Label8") + '.' + caption("Label9"); }
    // The step label the window shows selected, 0 to 4.
    int selectedStep() {
        for (int step = 0; step < 5; ++step) {
            auto* label =
                program->mainWindow()->findChild<QLabel*>(QStringLiteral("Label%1").arg(11 + step));
            if (label != nullptr && label->isEnabled()) {
                return step;
            }
        }
        return -1;
    }
};

TEST_F(TuningOverPty, RigctlFReachesTheFrequencyAndPutsTheOperatorsStepBack) {
    ASSERT_TRUE(start({"--status-interval", "1000"}));
    ASSERT_EQ(selectedStep(), 0);
    QElapsedTimer took;
    took.start();
    const RigctlRun run = runRigctl(port(), {"F", "1301625000", "f"});
    std::cout << "[ figure   ] rigctl F 1301625000 f: " << took.elapsed() << " ms, printed \""
              << run.output.toStdString() << "\"\n";
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.output, "1301625000\n");
    EXPECT_EQ(shownFrequency(), "1301.625");
    EXPECT_EQ(selectedStep(), 0) << "the operator's step is not back";
    // 5 MHz + 500 kHz + 125 kHz, once round the five steps.
    EXPECT_EQ(moves(*sim).size(), 8) << moves(*sim).join(' ').toStdString();

    // The operator's own step is whatever it was: one Step press makes it 250 kHz.
    program->mainWindow()->findChild<QPushButton*>("Command3")->click();
    ASSERT_TRUE(waitUntil([&] { return selectedStep() == 1; }));
    QTcpSocket client;  // the long form, as a program of its own sends it
    client.connectToHost(QHostAddress(QHostAddress::LocalHost), port());
    client.write("\\set_freq 1296875000\nf\n");
    QByteArray answers;
    EXPECT_TRUE(waitUntil([&] {
        answers += client.readAll();
        return answers.count('\n') == 2;
    }));
    EXPECT_EQ(answers, "RPRT 0\n1296875000\n");
    EXPECT_EQ(selectedStep(), 1);
}

TEST_F(TuningOverPty, FWhileAClientKeepsTheCarrierKeyedMovesNothing) {
    ASSERT_TRUE(start({"--status-interval", "1000"}));
    QTcpSocket keyer;
    keyer.connectToHost(QHostAddress(QHostAddress::LocalHost), port());
    keyer.write("T 1\n");
    ASSERT_TRUE(waitUntil([&] { return keyer.readAll() == "RPRT 0\n"; }));
    ASSERT_TRUE(waitUntil([&] { return caption("Command6") == "TX Off"; }));

    const RigctlRun run = runRigctl(port(), {"F", "1301625000"});
    std::cout << "[ figure   ] rigctl F while keyed printed \"" << run.output.toStdString()
              << "\"\n";
    EXPECT_TRUE(run.output.contains(QStringLiteral("Command rejected by the rig")))
        << run.output.toStdString();
    QTest::qWait(300);
    EXPECT_TRUE(moves(*sim).isEmpty()) << moves(*sim).join(' ').toStdString();
    EXPECT_EQ(shownFrequency(), "1296.000");
    EXPECT_EQ(caption("Command6"), "TX Off");
}

// What the transmitter does not do shows in the answer: a band edge, a Step that does not take.
TEST_F(TuningOverPty, ATuneThatCannotGoOnSaysWhy) {
    struct Case {
        QStringList simArguments;
        const char* error;
        int movesAtMost;
    };
    const Case cases[] = {
        {{"--band-edge", "1290:1300"}, "Argument out of domain of func", 8},
        {{"--stuck-step"}, "Protocol error", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.simArguments.join(' ').toStdString());
        program.reset();
        sim.reset();
        ASSERT_TRUE(start(QStringList{"--status-interval", "1000"} + c.simArguments));
        const RigctlRun run = runRigctl(port(), {"F", "1301625000"});
        std::cout << "[ figure   ] rigctl F with " << c.simArguments.join(' ').toStdString()
                  << " printed \"" << run.output.toStdString() << "\"\n";
        EXPECT_TRUE(run.output.contains(QString::fromLatin1(c.error))) << run.output.toStdString();
        const int sent = int(moves(*sim).size());
        QTest::qWait(300);
        EXPECT_EQ(moves(*sim).size(), sent) << "a command after the tuning stopped";
        EXPECT_LE(sent, c.movesAtMost);
    }
}

// The operator's way: Options, "Go to Frequency…", 1296.875 typed and Enter.
TEST_F(TuningOverPty, GoToFrequencyTypedWithEnterReachesIt) {
    ASSERT_TRUE(start({"--status-interval", "1000"}));
    const QList<QAction*> options =
        program->mainWindow()->findChild<QMenu*>(QStringLiteral("mnu_options"))->actions();
    ASSERT_GE(options.size(), 2);
    EXPECT_EQ(options.last()->objectName(), "mnu_network") << "Network Control stays the last";
    QAction* item = program->mainWindow()->findChild<QAction*>(QStringLiteral("mnu_goToFrequency"));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), "Go to Frequency…");
    item->trigger();
    QWidget* window = program->goToFrequencyWindow();
    ASSERT_NE(window, nullptr);
    auto* field = window->findChild<QLineEdit*>(QStringLiteral("frequencyField"));
    ASSERT_NE(field, nullptr);
    QTest::keyClicks(field, QStringLiteral("1296.875"));
    QTest::keyClick(field, Qt::Key_Return);
    auto* result = window->findChild<QLabel*>(QStringLiteral("tuningResult"));
    EXPECT_TRUE(waitUntil([&] { return result->text().startsWith("At 1296.875 MHz"); }, 10s))
        << result->text().toStdString();
    EXPECT_EQ(shownFrequency(), "1296.875");
    EXPECT_EQ(selectedStep(), 0);
}

// python3-hamlib's set_freq, and a Kenwood program's FA through Hamlib's rigctlcom (a TS-2000 on
// one end of a pseudo-terminal pair that socat makes), tune as rigctl does.
TEST_F(TuningOverPty, PythonHamlibAndAKenwoodProgramThroughRigctlcomTune) {
    const QString python = QStringLiteral("/usr/bin/python3");
    const QString rigctlcom = QStandardPaths::findExecutable(QStringLiteral("rigctlcom"));
    const QString socat = QStandardPaths::findExecutable(QStringLiteral("socat"));
    if (QProcess::execute(python, {"-c", "import Hamlib"}) != 0 || rigctlcom.isEmpty() ||
        socat.isEmpty()) {
        GTEST_SKIP() << "needs python3-hamlib, rigctlcom and socat: scripts/install-deps.sh";
    }
    ASSERT_TRUE(start({"--status-interval", "1000"}));

    QProcess script;
    script.setProcessChannelMode(QProcess::SeparateChannels);
    script.start(python, {"-c", QStringLiteral("import Hamlib\n"
                                               "Hamlib.rig_set_debug(Hamlib.RIG_DEBUG_NONE)\n"
                                               "rig = Hamlib.Rig(2)\n"
                                               "rig.set_conf('rig_pathname', '127.0.0.1:%1')\n"
                                               "rig.open()\n"
                                               "rig.set_freq(Hamlib.RIG_VFO_CURR, 1290125000)\n"
                                               "print(rig.error_status, int(rig.get_freq()))\n"
                                               "rig.set_freq(Hamlib.RIG_VFO_CURR, 1290125100)\n"
                                               "print(rig.error_status)\n"
                                               "rig.close()\n")
                                    .arg(port())});
    ASSERT_TRUE(waitUntil([&] { return script.state() == QProcess::NotRunning; }, 20s));
    const QString printed = QString::fromLocal8Bit(script.readAllStandardOutput());
    std::cout << "[ figure   ] python3-hamlib printed \"" << printed.toStdString() << "\"\n";
    EXPECT_EQ(printed, "0 1290125000\n-1\n");
    EXPECT_EQ(shownFrequency(), "1290.125");

    const QString ends = QDir(config.path()).filePath(QStringLiteral("kenwood"));
    QProcess pair;
    pair.start(socat, {QStringLiteral("pty,raw,echo=0,link=%1-a").arg(ends),
                       QStringLiteral("pty,raw,echo=0,link=%1-b").arg(ends)});
    ASSERT_TRUE(
        waitUntil([&] { return QFile::exists(ends + "-a") && QFile::exists(ends + "-b"); }));
    QProcess bridge;
    bridge.setProcessChannelMode(QProcess::MergedChannels);
    bridge.start(rigctlcom, {"-m", "2", "-r", QStringLiteral("127.0.0.1:%1").arg(port()), "-R",
                             ends + "-a", "-S", "9600"});
    ASSERT_TRUE(bridge.waitForStarted());
    QFile kenwood(ends + "-b");
    ASSERT_TRUE(kenwood.open(QIODevice::ReadWrite | QIODevice::Unbuffered));
    QTest::qWait(1000);  // rigctlcom opens its radio first
    kenwood.write("FA00001296250000;");
    EXPECT_TRUE(
        waitUntil([&] { return shownFrequency() == "1296.250" && selectedStep() == 0; }, 10s))
        << shownFrequency().toStdString() << "\n"
        << bridge.readAll().toStdString();
    bridge.terminate();
    pair.terminate();
    bridge.waitForFinished();
    pair.waitForFinished();
}

// --- the real binary: off without the option ------------------------------------------------

// The TCP ports process `pid` listens on, from /proc.
QList<quint16> listeningPorts(qint64 pid) {
    QSet<QString> sockets;
    const QDir fds(QStringLiteral("/proc/%1/fd").arg(pid));
    for (const QFileInfo& fd : fds.entryInfoList(QDir::Files | QDir::System)) {
        const QString target = fd.symLinkTarget().section(u'/', -1);
        if (target.startsWith(QLatin1String("socket:["))) {
            sockets << target.mid(8).chopped(1);
        }
    }
    QList<quint16> ports;
    for (const char* table : {"/proc/net/tcp", "/proc/net/tcp6"}) {
        QFile file(QString::fromLatin1(table));
        if (!file.open(QIODevice::ReadOnly)) {
            continue;
        }
        file.readLine();  // the column names
        while (!file.atEnd()) {
            const QStringList fields =
                QString::fromLatin1(file.readLine()).split(u' ', Qt::SkipEmptyParts);
            if (fields.size() > 9 && fields.at(3) == QLatin1String("0A") &&
                sockets.contains(fields.at(9))) {
                ports << quint16(fields.at(1).section(u':', -1).toUInt(nullptr, 16));
            }
        }
    }
    return ports;
}

TEST(NetworkControlBinary, ListensOnlyWhenAskedAndThenAnswersHamlibsClient) {
    struct Case {
        QStringList arguments;
        bool listens;
    };
    const Case cases[] = {{{}, false}, {{"--rigctld=0"}, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        testsupport::TestConfig config;
        SimProcess sim(config.path(), {"--port", "1", "--status-interval", "1000"});
        ASSERT_TRUE(sim.ready()) << sim.errors().toStdString();
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        program.setProcessEnvironment(environment);
        program.setProcessChannelMode(QProcess::MergedChannels);
        program.start(QStringLiteral(VORA_PROGRAM_BINARY), c.arguments);
        ASSERT_TRUE(sim.waitFor("rx 2a", 2)) << program.readAll().toStdString();

        const QList<quint16> ports = listeningPorts(program.processId());
        QByteArray output = program.readAll();
        if (!c.listens) {
            EXPECT_TRUE(ports.isEmpty()) << ports.size() << " listening sockets";
            EXPECT_FALSE(output.contains("network control")) << output.toStdString();
        } else {
            const QRegularExpressionMatch said =
                QRegularExpression(QStringLiteral("network control on 127\\.0\\.0\\.1 port (\\d+)"))
                    .match(QString::fromLocal8Bit(output));
            ASSERT_TRUE(said.hasMatch()) << output.toStdString();
            const quint16 port = quint16(said.captured(1).toUInt());
            EXPECT_EQ(ports, QList<quint16>{port});
            EXPECT_EQ(runRigctl(port, {"f", "t"}).output, QStringLiteral("1296000000\n0\n"));
            // No sum of the 125 kHz steps leads 100 Hz away.
            const QString set = runRigctl(port, {"F", "1296000100"}).output;
            EXPECT_TRUE(set.contains(QStringLiteral("Invalid parameter"))) << set.toStdString();
        }
        program.terminate();
        EXPECT_TRUE(program.waitForFinished(5000));
    }
}

}  // namespace
