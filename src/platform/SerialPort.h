#pragma once

#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <QTimer>
#include <chrono>

#include "link/SerialControl.h"

namespace platform {

// The main window's serial control over QSerialPort: 9600 baud, 8N1, no flow control, DTR and
// RTS left as the system leaves them on open.
//
// A tty hands over received text in arbitrary pieces, and the record parser never joins pieces
// across receive events, so this control raises its receive event only when the waiting text is
// a whole number of records, when the line has gone quiet with a partial record waiting, or when
// the oldest waiting character has waited kLongestHold.
class SerialPort final : public QObject, public txlink::SerialControl {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds kQuietGap{20};
    static constexpr std::chrono::milliseconds kLongestHold{100};

    explicit SerialPort(QObject* parent = nullptr);
    ~SerialPort() override;

    void setCommPort(std::int16_t port) override;
    void setRThreshold(std::int16_t characters) override;
    void setSThreshold(std::int16_t characters) override;
    void setPortOpen(bool open) override;
    bool portOpen() const override;
    void output(std::string_view characters) override;
    std::string input() override;
    std::int16_t commEvent() const override;

    std::int16_t commPort() const { return m_commPort; }
    // The device of the last open, for messages and tests.
    const QString& device() const { return m_device; }

signals:
    // One serial event; commEvent() tells which.
    void OnComm();

private:
    void onReadyRead();
    void onBytesWritten();
    void onError(QSerialPort::SerialPortError error);
    void onQuietGap();
    void raiseReceiveEvent();
    void raise(std::int16_t event);
    void discardPending();

    QSerialPort m_port;
    QTimer m_quietTimer;
    QTimer m_holdTimer;
    QByteArray m_pending;
    QString m_device;
    std::int16_t m_commPort = 1;
    std::int16_t m_rThreshold = 0;
    std::int16_t m_sThreshold = 0;
    std::int16_t m_event = 0;
};

}  // namespace platform
