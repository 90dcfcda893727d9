#include "serial/SerialPortLink.h"

#include <chrono>

#include <QFile>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <sys/ioctl.h>
#include <unistd.h>
#endif

#include "platform/Logging.h"
#include "platform/PortMap.h"
#include "platform/PrintableName.h"
#include "serial/LockHolder.h"
#include "serial/OpenFailure.h"

namespace serial {
namespace {

using Clock = std::chrono::steady_clock;

// Whether this user may not read and write the device at all (as opposed to finding it busy).
bool permissionDenied(const QString& device) {
#ifdef Q_OS_UNIX
    return ::access(QFile::encodeName(device).constData(), R_OK | W_OK) != 0 && errno == EACCES;
#else
    Q_UNUSED(device);
    return false;
#endif
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
    m_reopenTimer.setInterval(kReopenPeriod);
    connect(&m_reopenTimer, &QTimer::timeout, this, &SerialPortLink::reopenTick);
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
    m_reopenTimer.stop();
    m_portNumber = port;
    if (m_port.isOpen()) {
        return txlink::Error{txlink::error::kPortInUse, "the port is already open"};
    }
    const txlink::Status opened = openQuietly(port);
    if (!opened) {
        qCWarning(lcSerial, "cannot open port %d: %s (error %d)", port,
                  opened.error().reason.c_str(), opened.error().number);
    }
    return opened;
}

txlink::Status SerialPortLink::openQuietly(int port) {
    const bool mapped = platform::portIsMapped(port);
    // An entry made by hand is checked as --map-port checks one: /dev/ptmx would open a new
    // pseudo-terminal that nobody listens to, and an entry that leads to an entry a loop.
    const txlink::Result<QString> checked = platform::checkedDeviceForPort(port);
    if (!checked) {
        return checked.error();
    }
    const QString& device = *checked;
    m_device = device;
    m_port.setPortName(device);
    m_port.setBaudRate(QSerialPort::Baud9600);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!m_port.open(QIODevice::ReadWrite)) {
        const QSerialPort::SerialPortError error = m_port.error();
        const bool denied = permissionDenied(device);
        // A busy device's lock file names its holder; QSerialPort removed its own as it failed.
        const std::optional<LockHolder> holder =
            !denied && (error == QSerialPort::PermissionError || error == QSerialPort::OpenError)
                ? deviceLockHolder(m_port.portName())
                : std::nullopt;
        const txlink::Error failure =
            openFailure(device, error, m_port.errorString(), denied, holder);
        m_port.clearError();
        return failure;
    }
    m_openedThroughPortMap = mapped;
    // The driver may still hold what arrived before this open; it belongs to nobody.
    m_port.clear(QSerialPort::Input);
    m_framerTimer.stop();
    m_framer.clear();
    return txlink::Status::success();
}

void SerialPortLink::close() {
    m_reopenTimer.stop();
    closePort();
}

void SerialPortLink::closePort() {
    m_framerTimer.stop();
    m_framer.clear();
    if (m_port.isOpen()) {
        m_port.close();
    }
}

void SerialPortLink::openWhenPresent(int port) {
    m_portNumber = port;
    m_waitForPortMapEntry = m_openedThroughPortMap;
    m_toldHeldElsewhere = false;
    m_reopenTimer.start();
}

bool SerialPortLink::waitingForDevice() const {
    return m_reopenTimer.isActive();
}

// One line when the device is back, and at most one while another program holds it: never a
// line a try.
void SerialPortLink::reopenTick() {
    // A port that went through the port map is back when its entry is: without the entry the
    // port would name its default device, another device altogether (a simulator that ended
    // takes its entry with it).
    if (m_waitForPortMapEntry && !platform::portIsMapped(m_portNumber)) {
        return;
    }
    const txlink::Status opened = openQuietly(m_portNumber);
    if (opened) {
        m_reopenTimer.stop();
        qCWarning(lcSerial, "port %d (%s) is back; the port is open again", m_portNumber,
                  qPrintable(platform::printableName(m_device)));
        emit reopened();
        return;
    }
    // Held by another program, or not yet given to this user as a device that has just come
    // back may be: a try a second costs nothing, and that program may let go.
    if (opened.error().number == txlink::error::kPortInUse && !m_toldHeldElsewhere) {
        m_toldHeldElsewhere = true;
        qCWarning(lcSerial, "port %d is back but cannot be opened yet: %s (error %d); still trying",
                  m_portNumber, opened.error().reason.c_str(), opened.error().number);
    }
}

txlink::Status SerialPortLink::send(std::string_view command) {
    if (!m_port.isOpen()) {
        qCWarning(lcSerial, "cannot send \"%.*s\": port %d is not open (error %d)",
                  int(command.size()), command.data(), m_portNumber, txlink::error::kPortNotOpen);
        return txlink::Error{txlink::error::kPortNotOpen, "the port is not open"};
    }
    const qint64 written = m_port.write(command.data(), qint64(command.size()));
    // Hand the bytes to the system now: left to the event loop, they would wait behind the
    // repaint of the button that was just pressed.
    if (written == qint64(command.size())) {
        m_port.flush();
    }
    if (written != qint64(command.size())) {
        const QString reason = m_port.errorString();
        qCWarning(lcSerial, "cannot send \"%.*s\" on port %d: %s (error %d)", int(command.size()),
                  command.data(), m_portNumber, qPrintable(reason), txlink::error::kPortIo);
        return txlink::Error{txlink::error::kPortIo, reason.toStdString()};
    }
    return txlink::Status::success();
}

void SerialPortLink::readData() {
    // Read in pieces through a buffer of our own, so a read costs no allocation of its own.
    const auto now = Clock::now();
    char buffer[4096];
    qint64 n = 0;
    // A handler may have closed the port (a record it could not mean reopens it).
    while (m_port.isOpen() && (n = m_port.read(buffer, qint64(sizeof buffer))) > 0) {
        m_framer.bytesArrived(std::string_view(buffer, std::size_t(n)), now);
        deliverIfReady();
    }
    scheduleWake();
}

void SerialPortLink::wakeFramer() {
    m_framer.wake(Clock::now(), unreadBytes(m_port));
    deliverIfReady();
    scheduleWake();
}

void SerialPortLink::deliverIfReady() {
    if (m_framer.readyToDeliver()) {
        const std::string text = m_framer.takeText();
        emit received(QByteArray(text.data(), qsizetype(text.size())));
    }
}

void SerialPortLink::scheduleWake() {
    const auto wake = m_framer.nextWake();
    if (!wake) {
        m_framerTimer.stop();
        return;
    }
    // Every read moves the quiet gap on; a wake-up already due earlier is left alone and, when
    // it comes, asks again. So a busy line does not restart the timer on every read.
    if (m_framerTimer.isActive() && m_scheduledWake <= *wake) {
        return;
    }
    m_scheduledWake = *wake;
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
    // An error during open() is open()'s to read and report.
    if (!m_port.isOpen() ||
        (error != QSerialPort::ResourceError && error != QSerialPort::ReadError)) {
        return;
    }
    // A vanished device (an unplugged adapter, a pty whose far end closed) reports read errors in
    // a tight loop for as long as it stays open: close it once, stay idle, and look for the device
    // again now and then.
    qCWarning(lcSerial, "port %d (%s) failed: %s; the port is closed until its device is back",
              m_portNumber, qPrintable(platform::printableName(m_device)),
              qPrintable(m_port.errorString()));
    closePort();
    openWhenPresent(m_portNumber);
    m_port.clearError();
    emit lost();
}

}  // namespace serial
