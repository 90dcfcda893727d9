#pragma once

#include <QElapsedTimer>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QTcpServer>

#include "rigctl/Protocol.h"
#include "txlink/Result.h"

namespace rigctl {

class ClientSession;

// Network control: a rigctld-compatible server on TCP, for loggers and digital-mode programs.
// Everything runs on the caller's thread without ever waiting: every read and write is
// non-blocking and each event handles a bounded amount, so no client can stall the window, its
// repeat timers or the watchdog.
class Server final : public QObject {
    Q_OBJECT

public:
    static constexpr quint16 kDefaultPort = rigctl::kDefaultPort;
    static constexpr int kMaxClients = 8;

    explicit Server(Transmitter& transmitter, QObject* parent = nullptr);
    ~Server() override;

    // Listens on `address` (port 0: one the system chooses). A server already listening stops
    // first.
    txlink::Status listen(const QHostAddress& address, quint16 port);
    // Stops listening and ends every session, which releases what each one held.
    void stop();

    bool isListening() const { return m_listener.isListening(); }
    QHostAddress address() const { return m_listener.serverAddress(); }
    quint16 port() const { return m_listener.serverPort(); }
    int sessionCount() const { return int(m_sessions.size()); }

private:
    void acceptPending();

    Transmitter& m_transmitter;
    QTcpServer m_listener;
    QList<ClientSession*> m_sessions;
    Transmitter::Requester m_lastRequester = 0;
    QElapsedTimer m_lastRefusalSaid;
    int m_refusedUnsaid = 0;
};

}  // namespace rigctl
