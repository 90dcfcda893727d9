#include "serial/SerialPortLink.h"

#include <chrono>

#ifdef Q_OS_UNIX
#include <sys/ioctl.h>
#endif

#include "platform/ConfigPaths.h"
#include "platform/Logging.h"
#include "platform/PortMap.h"

namespace serial {
namespace {

using Clock = std::chrono::steady_clock;

int errorNumberFor(QSerialPort::SerialPortError error) {
    switch (error) {
        case QSerialPort::PermissionError:  // locked, busy, or not ours to open
        case QSerialPort::OpenError:
            return txlink::error::kPortInUse;
        case QSerialPort::UnsupportedOperationError:  // not a tty, or it refused 9600 8N1
            return txlink::error::kPortSettings;
        default:  // no such device, or it failed as it was opened
            return txlink::error::kPortNotDetected;
    }
}

// Bytes that arrived but that this program has not read yet.
int unreadBytes(const QSerialPort& port) {
    int unread = 0;
#ifdef Q_OS_UNIX
    if (port.isOpen() && ::ioctl(int(port.handle()), FIONREAD, &unread) != 0) {
        unread = 0;
    }
#endif
    return unread;
}

}  // namespace

SerialPortLink::SerialPortLink(QObject* parent)
    : SerialPortLink(txlink::RecordFramer::Timing{}, parent) {}

SerialPortLink::SerialPortLink(txlink::RecordFramer::Timing timing, QObject* parent)
    : QObject(parent), m_framer(timing) {
    m_framerTimer.setSingleShot(true);
    m_framerTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_framerTimer, &QTimer::timeout, this, &SerialPortLink::wakeFramer);
    connect(&m_port, &QSerialPort::readyRead, this, &SerialPortLink::readData);
    connect(&m_port, &QSerialPort::bytesWritten, this, &SerialPortLink::handleBytesWritten);
    connect(&m_port, &QSerialPort::errorOccurred, this, &SerialPortLink::handleError);
}

SerialPortLink::~SerialPortLink() {
    m_port.disconnect(this);
    if (m_port.isOpen()) {
        m_port.close();
    }
}

bool SerialPortLink::isOpen() const {
    return m_port.isOpen();
}

txlink::Status SerialPortLink::open(int port) {
    m_portNumber = port;
    if (m_port.isOpen()) {
        return txlink::Error{txlink::error::kPortInUse, "the port is already open"};
    }

    const QString device = platform::devicePathForPort(port);
    if (device.isEmpty()) {
        qCWarning(lcSerial, "cannot open port %d: it names no device (see %s) (error %d)", port,
                  qPrintable(platform::portMapFolder()), txlink::error::kPortNotDetected);
        return txlink::Error{txlink::error::kPortNotDetected, "the port names no device"};
    }
    m_device = device;
    m_port.setPortName(device);
    m_port.setBaudRate(QSerialPort::Baud9600);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!m_port.open(QIODevice::ReadWrite)) {
        const int number = errorNumberFor(m_port.error());
        const QString reason = m_port.errorString();
        m_port.clearError();
        qCWarning(lcSerial, "cannot open port %d (%s): %s (error %d)", port, qPrintable(device),
                  qPrintable(reason), number);
        return txlink::Error{number, reason.toStdString()};
    }
    // The driver may still hold what arrived before this open; it belongs to nobody.
    m_port.clear(QSerialPort::Input);
    m_framerTimer.stop();
    m_framer.clear();
    return txlink::Status::success();
}

void SerialPortLink::close() {
    m_framerTimer.stop();
    m_framer.clear();
    if (m_port.isOpen()) {
        m_port.close();
    }
}

txlink::Status SerialPortLink::send(std::string_view command) {
    if (!m_port.isOpen()) {
        qCWarning(lcSerial, "cannot send \"%.*s\": port %d is not open (error %d)",
                  int(command.size()), command.data(), m_portNumber, txlink::error::kPortNotOpen);
        return txlink::Error{txlink::error::kPortNotOpen, "the port is not open"};
    }
    const qint64 written = m_port.write(command.data(), qint64(command.size()));
    if (written != qint64(command.size())) {
        const QString reason = m_port.errorString();
        qCWarning(lcSerial, "cannot send \"%.*s\" on port %d: %s (error %d)", int(command.size()),
                  command.data(), m_portNumber, qPrintable(reason), txlink::error::kPortIo);
        return txlink::Error{txlink::error::kPortIo, reason.toStdString()};
    }
    return txlink::Status::success();
}

void SerialPortLink::readData() {
    const QByteArray bytes = m_port.readAll();
    m_framer.bytesArrived(std::string_view(bytes.constData(), std::size_t(bytes.size())),
                          Clock::now());
    deliverOrWait();
}

void SerialPortLink::wakeFramer() {
    m_framer.wake(Clock::now(), unreadBytes(m_port));
    deliverOrWait();
}

void SerialPortLink::deliverOrWait() {
    if (m_framer.readyToDeliver()) {
        m_framerTimer.stop();
        const std::string text = m_framer.takeText();
        emit received(QByteArray(text.data(), qsizetype(text.size())));
        return;
    }
    const auto wake = m_framer.nextWake();
    if (!wake) {
        m_framerTimer.stop();
        return;
    }
    // Rounded up, so the wake-up never comes before the moment the framer asked for.
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*wake - Clock::now());
    m_framerTimer.start(std::max(wait, std::chrono::milliseconds{0}));
}

void SerialPortLink::handleBytesWritten() {
    if (m_port.bytesToWrite() == 0) {
        emit sent();
    }
}

void SerialPortLink::handleError(QSerialPort::SerialPortError error) {
    if (error != QSerialPort::ResourceError && error != QSerialPort::ReadError) {
        return;
    }
    // A vanished device (an unplugged adapter, a pty whose far end closed) reports read errors in
    // a tight loop for as long as it stays open: close it once and stay idle.
    if (m_port.isOpen()) {
        qCWarning(lcSerial, "port %d (%s) failed: %s; the port is closed", m_portNumber,
                  qPrintable(m_device), qPrintable(m_port.errorString()));
        close();
    }
    m_port.clearError();
}

}  // namespace serial
