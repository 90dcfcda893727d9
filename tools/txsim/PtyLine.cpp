#include "PtyLine.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include "Failure.h"

namespace txsim {

namespace {

QString systemError(const char* what) {
    return QStringLiteral("%1: %2").arg(QLatin1String(what),
                                        QString::fromLocal8Bit(strerror(errno)));
}

// The controller's line is 9600 8N1; on a pty the speed only shows in stty, but raw mode
// matters: without it the slave would echo the records back as if they were commands.
void makeRaw(int fd) {
    termios tio{};
    if (tcgetattr(fd, &tio) != 0)
        return;
    cfmakeraw(&tio);
    cfsetispeed(&tio, B9600);
    cfsetospeed(&tio, B9600);
    tio.c_cflag = (tio.c_cflag & ~(CSIZE | PARENB | CSTOPB)) | CS8 | CLOCAL | CREAD;
    tcsetattr(fd, TCSANOW, &tio);
}

}  // namespace

PtyLine::PtyLine(QObject* parent) : QObject(parent) {}

PtyLine::~PtyLine() {
    hangUp();
}

txlink::Status PtyLine::open() {
    char name[256] = {};
    if (openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0) {
        return failure(systemError("openpty"));
    }
    makeRaw(m_master);
    makeRaw(m_slave);
    // This end keeps the slave open too: with no slave open a read on the master fails with
    // EIO at once, so the line could not wait for the panel to come (and come back).
    fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
    fcntl(m_master, F_SETFD, FD_CLOEXEC);
    fcntl(m_slave, F_SETFD, FD_CLOEXEC);
    m_slavePath = QString::fromLocal8Bit(name);
    m_notifier = std::make_unique<QSocketNotifier>(m_master, QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &PtyLine::readAvailable);
    return txlink::Status::success();
}

bool PtyLine::write(const QByteArray& bytes) {
    if (!isOpen())
        return false;
    qsizetype done = 0;
    bool flushedStale = false;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_master, bytes.constData() + done, bytes.size() - done);
        if (n >= 0) {
            done += n;
            continue;
        }
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN) {
            if (flushedStale)
                return false;
            // Nobody has read the line for a long while (the status repeats every second
            // whether the panel listens or not); what is waiting is stale, so make room.
            tcflush(m_slave, TCIFLUSH);
            flushedStale = true;
            continue;
        }
        emit failed(systemError("write"));
        return false;
    }
    return true;
}

void PtyLine::hangUp() {
    m_notifier.reset();
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
    m_master = -1;
    m_slave = -1;
}

void PtyLine::readAvailable() {
    char buffer[512];
    for (;;) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n > 0) {
            emit received(QByteArray(buffer, n));
            if (!isOpen())
                return;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN)
            return;
        // EIO cannot happen while this end holds the slave open; should it anyway, stop
        // listening rather than spin on a line that keeps failing.
        m_notifier->setEnabled(false);
        emit failed(n == 0 ? QCoreApplication::translate("PtyLine", "read: end of file")
                           : systemError("read"));
        return;
    }
}

}  // namespace txsim
