#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QElapsedTimer>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <chrono>
#include <optional>

namespace e2e {

// The virtual transmitter (vora-txsim) as a child process: the far end of a real pseudo-terminal.
// It runs under the given XDG_CONFIG_HOME, so with "--port N" its pty becomes the program's port N
// there. Its log ("rx 3a", "tx S1010128", "silent", "hangup", ...) is collected line by line, with
// the moment each line was read, while the caller's event loop turns; every wait here turns the
// event loop, so a program in the same process keeps running. The destructor ends it with
// SIGTERM and waits.
class SimProcess {
public:
    struct LogLine {
        QByteArray text;
        std::chrono::milliseconds at;  // since the simulator was started
    };

    SimProcess(const QString& configHome, const QStringList& arguments);
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // True once the simulator printed its pty and, when asked for a port, published it.
    bool ready() const { return m_ready; }
    const QString& ptyPath() const { return m_ptyPath; }
    qint64 pid() const { return m_process.processId(); }
    bool running() const { return m_process.state() != QProcess::NotRunning; }

    // Everything logged so far (the start lines included).
    const QList<LogLine>& log();
    // How many log lines read exactly `line`.
    int count(const QByteArray& line);
    // How many lines start with `prefix`.
    int countPrefix(const QByteArray& prefix);
    // The records on the line so far, in order ("tx " lines without the prefix).
    QByteArrayList sent();
    // The commands received so far, in order ("rx " lines without the prefix).
    QByteArrayList received();
    // The last log line starting with `prefix`, if any.
    std::optional<LogLine> last(const QByteArray& prefix);

    // Turns the event loop until `line` has been logged at least `times` times.
    bool waitFor(const QByteArray& line, int times = 1,
                 std::chrono::milliseconds timeout = std::chrono::seconds(5));
    // Turns the event loop until the simulator has ended by itself.
    bool waitForExit(std::chrono::milliseconds timeout = std::chrono::seconds(5));

    // What the simulator wrote to standard error, for failure messages.
    QByteArray errors();

    std::chrono::milliseconds sinceStart() const;

private:
    void readLines();

    QProcess m_process;
    QElapsedTimer m_clock;
    QList<LogLine> m_log;
    QByteArray m_errors;
    QString m_ptyPath;
    bool m_ready = false;
};

// "tx" records of one kind ('S', 'F', ...) among `records`.
QByteArrayList recordsOfKind(const QByteArrayList& records, char kind);

}  // namespace e2e
