#pragma once

#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <QString>
#include <QTimer>
#include <chrono>

#include "txlink/RecordFramer.h"
#include "txlink/SerialLink.h"

namespace serial {

// The line to the transmitter over QSerialPort: 9600 baud, 8N1, no flow control, DTR and RTS
// left as the system leaves them on open. Received text is handed on in whole records (see
// txlink::RecordFramer); a device that vanishes while open is closed once, and opened again with
// the same settings when it is back.
class SerialPortLink final : public QObject, public txlink::SerialLink {
    Q_OBJECT

public:
    // How often a port whose device has vanished is tried again.
    static constexpr std::chrono::milliseconds kReopenPeriod{1000};

    explicit SerialPortLink(QObject* parent = nullptr);
    // With other delivery timing than the line's own, for tests that cannot keep to its pace.
    SerialPortLink(txlink::RecordFramer::Timing timing, QObject* parent = nullptr);
    ~SerialPortLink() override;

    txlink::Status open(int port) override;
    void close() override;
    bool isOpen() const override;
    txlink::Status send(std::string_view command) override;
    void openWhenPresent(int port) override;
    bool waitingForDevice() const override;

    // The port and device of the last open, for messages and tests.
    int port() const { return m_portNumber; }
    const QString& device() const { return m_device; }

signals:
    // Text from the line, in whole records where the line allowed.
    void received(const QByteArray& text);
    // Everything written has been handed to the operating system.
    void sent();
    // The port was opened again by itself, its device back after vanishing.
    void reopened();
    // The port closed by itself: its device vanished.
    void lost();

private:
    // open() without a word on standard error: the tries while a device is away are quiet.
    txlink::Status openQuietly(int port);
    void closePort();
    void reopenTick();
    void readData();
    void handleBytesWritten();
    void handleError(QSerialPort::SerialPortError error);
    void wakeFramer();
    void deliverIfReady();
    void scheduleWake();

    QSerialPort m_port;
    txlink::RecordFramer m_framer;
    QTimer m_framerTimer;
    txlink::RecordFramer::TimePoint m_scheduledWake;
    QTimer m_reopenTimer;
    bool m_openedThroughPortMap = false;  // at the last successful open
    bool m_waitForPortMapEntry = false;
    bool m_toldHeldElsewhere = false;
    QString m_device;
    int m_portNumber = 0;
};

}  // namespace serial
