#include "Pty.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>
#include <stdexcept>

namespace testsupport {

Pty::Pty() {
    char name[256] = {};
    if (::openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0) {
        throw std::runtime_error("openpty failed");
    }
    termios raw{};
    ::tcgetattr(m_slave, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(m_slave, TCSANOW, &raw);
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    m_slavePath = QString::fromLocal8Bit(name);
}

Pty::~Pty() {
    hangUp();
    if (m_slave >= 0) {
        ::close(m_slave);
    }
}

void Pty::write(const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_master, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0) {
            throw std::runtime_error("write to the pty failed");
        }
        done += n;
    }
}

QByteArray Pty::read(qsizetype count, std::chrono::milliseconds timeout) {
    QByteArray received;
    QElapsedTimer clock;
    clock.start();
    while (received.size() < count && clock.elapsed() < timeout.count()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        pollfd fd{m_master, POLLIN, 0};
        if (::poll(&fd, 1, 5) > 0 && (fd.revents & POLLIN)) {
            char buffer[256];
            const ssize_t n = ::read(m_master, buffer, sizeof buffer);
            if (n > 0) {
                received.append(buffer, n);
            }
        }
    }
    return received;
}

QByteArray Pty::drain(std::chrono::milliseconds window) {
    return read(std::numeric_limits<qsizetype>::max(), window);
}

std::chrono::milliseconds Pty::trickle(const QByteArray& bytes, std::chrono::milliseconds gap) {
    std::chrono::milliseconds longest{0};
    QElapsedTimer sinceLast;
    for (char c : bytes) {
        if (sinceLast.isValid()) {
            longest = std::max(longest, std::chrono::milliseconds(sinceLast.elapsed()));
        }
        write(QByteArray(1, c));
        sinceLast.start();
        QTest::qWait(int(gap.count()));
    }
    return longest;
}

void Pty::hangUp() {
    if (m_master >= 0) {
        ::close(m_master);
        m_master = -1;
    }
}

}  // namespace testsupport
