#include "SerialPort.h"

#include <cstdio>

#ifdef Q_OS_UNIX
#include <sys/ioctl.h>
#endif

#include "PortMap.h"
#include "link/RecordParser.h"
#include "link/RuntimeError.h"

namespace platform {
namespace {

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

void complain(const QString& text) {
    std::fprintf(stderr, "vora-tx-controller: %s\n", qPrintable(text));
    std::fflush(stderr);
}

}  // namespace

SerialPort::SerialPort(QObject* parent) : QObject(parent) {
    m_quietTimer.setSingleShot(true);
    m_holdTimer.setSingleShot(true);
    m_holdTimer.setInterval(kLongestHold);
    connect(&m_quietTimer, &QTimer::timeout, this, &SerialPort::onQuietGap);
    connect(&m_holdTimer, &QTimer::timeout, this, &SerialPort::raiseReceiveEvent);
    connect(&m_port, &QSerialPort::readyRead, this, &SerialPort::onReadyRead);
    connect(&m_port, &QSerialPort::bytesWritten, this, &SerialPort::onBytesWritten);
    connect(&m_port, &QSerialPort::errorOccurred, this, &SerialPort::onError);
}

SerialPort::~SerialPort() {
    m_port.disconnect(this);
    if (m_port.isOpen()) {
        m_port.close();
    }
}

void SerialPort::setCommPort(std::int16_t port) {
    m_commPort = port;
}
void SerialPort::setRThreshold(std::int16_t characters) {
    m_rThreshold = characters;
}
void SerialPort::setSThreshold(std::int16_t characters) {
    m_sThreshold = characters;
}
bool SerialPort::portOpen() const {
    return m_port.isOpen();
}
std::int16_t SerialPort::commEvent() const {
    return m_event;
}

void SerialPort::setPortOpen(bool open) {
    if (!open) {
        discardPending();
        if (m_port.isOpen()) {
            m_port.close();
        }
        return;
    }
    if (m_port.isOpen()) {
        throw txlink::RuntimeError(txlink::error::kPortInUse, "the port is already open");
    }

    const QString device = devicePathForPort(m_commPort);
    if (device.isEmpty()) {
        complain(QStringLiteral("cannot open port %1: it names no device (see %2) (error %3)")
                     .arg(m_commPort)
                     .arg(portMapFolder())
                     .arg(txlink::error::kPortNotDetected));
        throw txlink::RuntimeError(txlink::error::kPortNotDetected, "the port names no device");
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
        complain(QStringLiteral("cannot open port %1 (%2): %3 (error %4)")
                     .arg(m_commPort)
                     .arg(device, reason)
                     .arg(number));
        throw txlink::RuntimeError(number, reason.toStdString());
    }
    // The driver may still hold what arrived before this open; it belongs to nobody.
    m_port.clear(QSerialPort::Input);
    discardPending();
}

void SerialPort::output(std::string_view characters) {
    if (!m_port.isOpen()) {
        throw txlink::RuntimeError(txlink::error::kPortNotOpen, "the port is not open");
    }
    const qint64 written = m_port.write(characters.data(), static_cast<qint64>(characters.size()));
    if (written != static_cast<qint64>(characters.size())) {
        throw txlink::RuntimeError(txlink::error::kPortIo, m_port.errorString().toStdString());
    }
}

std::string SerialPort::input() {
    std::string text = m_pending.toStdString();
    m_pending.clear();
    return text;
}

void SerialPort::onReadyRead() {
    m_pending += m_port.readAll();
    if (m_pending.isEmpty() || m_rThreshold <= 0) {
        return;
    }
    if (!m_holdTimer.isActive()) {
        m_holdTimer.start();
    }
    // Whole records go at once, through the event queue like every serial event.
    const bool wholeRecords = m_pending.size() % static_cast<qsizetype>(txlink::kRecordLength) == 0;
    m_quietTimer.start(wholeRecords ? std::chrono::milliseconds{0} : kQuietGap);
}

void SerialPort::onQuietGap() {
#ifdef Q_OS_UNIX
    // A busy moment in this program can leave bytes that came in time unread: if the driver holds
    // any, the line was not quiet, and their read notification restarts the gap.
    int unread = 0;
    if (m_port.isOpen() && ::ioctl(int(m_port.handle()), FIONREAD, &unread) == 0 && unread > 0) {
        return;
    }
#endif
    raiseReceiveEvent();
}

void SerialPort::raiseReceiveEvent() {
    m_quietTimer.stop();
    m_holdTimer.stop();
    if (!m_pending.isEmpty()) {
        raise(txlink::SerialControl::kEventReceive);
    }
}

void SerialPort::onBytesWritten() {
    if (m_sThreshold > 0 && m_port.bytesToWrite() == 0) {
        raise(txlink::SerialControl::kEventSend);
    }
}

void SerialPort::raise(std::int16_t event) {
    m_event = event;
    emit OnComm();
}

void SerialPort::onError(QSerialPort::SerialPortError error) {
    if (error != QSerialPort::ResourceError && error != QSerialPort::ReadError) {
        return;
    }
    // A vanished device (an unplugged adapter, a pty whose far end closed) reports read errors in
    // a tight loop for as long as it stays open: close it once and stay idle.
    if (m_port.isOpen()) {
        complain(QStringLiteral("port %1 (%2) failed: %3; the port is closed")
                     .arg(m_commPort)
                     .arg(m_device, m_port.errorString()));
        discardPending();
        m_port.close();
    }
    m_port.clearError();
}

void SerialPort::discardPending() {
    m_quietTimer.stop();
    m_holdTimer.stop();
    m_pending.clear();
}

}  // namespace platform
