#pragma once

#include <QByteArray>
#include <QString>
#include <chrono>

namespace testsupport {

// A raw pseudo-terminal standing in for the transmitter: the program opens slavePath(), the test
// reads and writes the master side. Reads keep Qt's event loop turning, because the program's
// serial port only writes from there.
class Pty {
public:
    Pty();
    ~Pty();
    Pty(const Pty&) = delete;
    Pty& operator=(const Pty&) = delete;

    const QString& slavePath() const { return m_slavePath; }
    int masterFd() const { return m_master; }

    void write(const QByteArray& bytes);
    // Reads until `count` bytes have arrived or `timeout` has passed.
    QByteArray read(qsizetype count, std::chrono::milliseconds timeout = std::chrono::seconds(5));
    // Everything that arrives within `window`.
    QByteArray drain(std::chrono::milliseconds window);
    // Writes `bytes` one at a time, `gap` apart, as a slow line delivers them; returns the longest
    // time that actually passed between two writes, which a loaded machine can stretch.
    std::chrono::milliseconds trickle(const QByteArray& bytes, std::chrono::milliseconds gap);
    // Closes the master: the slave side sees a hang-up.
    void hangUp();

private:
    int m_master = -1;
    int m_slave = -1;  // kept open so the line stays up until the test hangs up
    QString m_slavePath;
};

}  // namespace testsupport
