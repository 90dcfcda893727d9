#include "SimProcess.h"

#include <QProcessEnvironment>
#include <csignal>

#include "support/Wait.h"

namespace e2e {

namespace {
constexpr std::chrono::milliseconds kStartPatience{5000};
constexpr int kStopPatienceMs = 5000;
}  // namespace

SimProcess::SimProcess(const QString& configHome, const QStringList& arguments) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    m_process.setProcessEnvironment(environment);
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    QObject::connect(&m_process, &QProcess::readyReadStandardOutput, [this] { readLines(); });
    m_clock.start();
    m_process.start(QStringLiteral(VORA_TXSIM_BINARY), arguments);

    // Quiet, it prints the pty's path alone; otherwise "pty PATH", then "port N ENTRY".
    const bool quiet = arguments.contains(QStringLiteral("--quiet"));
    const QByteArray ptyPrefix = quiet ? QByteArray("/") : QByteArray("pty ");
    const int portIndex = int(arguments.indexOf(QStringLiteral("--port")));
    const QByteArray portLine = portIndex >= 0 && portIndex + 1 < arguments.size() && !quiet
                                    ? "port " + arguments.at(portIndex + 1).toLatin1() + ' '
                                    : QByteArray();
    testsupport::waitUntil(
        [&] {
            if (!running()) {
                return true;
            }
            const QList<LogLine>& lines = log();
            if (lines.isEmpty() || !lines.front().text.startsWith(ptyPrefix)) {
                return false;
            }
            if (portLine.isEmpty()) {
                return true;
            }
            return lines.size() >= 2 && lines.at(1).text.startsWith(portLine);
        },
        kStartPatience);
    if (!m_log.isEmpty() && m_log.front().text.startsWith(ptyPrefix)) {
        m_ptyPath = QString::fromLocal8Bit(quiet ? m_log.front().text
                                                 : m_log.front().text.sliced(ptyPrefix.size()));
        m_ready =
            portLine.isEmpty() || (m_log.size() >= 2 && m_log.at(1).text.startsWith(portLine));
    }
}

SimProcess::~SimProcess() {
    if (running()) {
        ::kill(pid_t(m_process.processId()), SIGTERM);
        if (!m_process.waitForFinished(kStopPatienceMs)) {
            m_process.kill();
            m_process.waitForFinished(kStopPatienceMs);
        }
    }
}

void SimProcess::readLines() {
    while (m_process.canReadLine()) {
        QByteArray line = m_process.readLine();
        while (line.endsWith('\n') || line.endsWith('\r')) {
            line.chop(1);
        }
        m_log.append(LogLine{line, sinceStart()});
    }
}

const QList<SimProcess::LogLine>& SimProcess::log() {
    readLines();
    return m_log;
}

int SimProcess::count(const QByteArray& line) {
    int n = 0;
    for (const LogLine& l : log()) {
        n += l.text == line ? 1 : 0;
    }
    return n;
}

int SimProcess::countPrefix(const QByteArray& prefix) {
    int n = 0;
    for (const LogLine& l : log()) {
        n += l.text.startsWith(prefix) ? 1 : 0;
    }
    return n;
}

QByteArrayList SimProcess::sent() {
    QByteArrayList records;
    for (const LogLine& l : log()) {
        if (l.text.startsWith("tx ")) {
            records.append(l.text.sliced(3));
        }
    }
    return records;
}

QByteArrayList SimProcess::received() {
    QByteArrayList commands;
    for (const LogLine& l : log()) {
        if (l.text.startsWith("rx ")) {
            commands.append(l.text.sliced(3));
        }
    }
    return commands;
}

std::optional<SimProcess::LogLine> SimProcess::last(const QByteArray& prefix) {
    const QList<LogLine>& lines = log();
    for (auto it = lines.crbegin(); it != lines.crend(); ++it) {
        if (it->text.startsWith(prefix)) {
            return *it;
        }
    }
    return std::nullopt;
}

bool SimProcess::waitFor(const QByteArray& line, int times, std::chrono::milliseconds timeout) {
    return testsupport::waitUntil([&] { return count(line) >= times; }, timeout);
}

bool SimProcess::waitForExit(std::chrono::milliseconds timeout) {
    return testsupport::waitUntil([&] { return !running(); }, timeout);
}

QByteArray SimProcess::errors() {
    m_errors += m_process.readAllStandardError();
    return m_errors;
}

std::chrono::milliseconds SimProcess::sinceStart() const {
    return std::chrono::milliseconds(m_clock.elapsed());
}

QByteArrayList recordsOfKind(const QByteArrayList& records, char kind) {
    QByteArrayList found;
    for (const QByteArray& record : records) {
        if (record.startsWith(kind)) {
            found.append(record);
        }
    }
    return found;
}

}  // namespace e2e
