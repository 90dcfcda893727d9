#pragma once

#include <QElapsedTimer>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QTcpServer>
#include <QTimer>
#include <chrono>

#include "rigctl/Protocol.h"
#include "txlink/Clock.h"
#include "txlink/Result.h"

namespace rigctl {

class ClientSession;

// Network control: a rigctld-compatible server on TCP, for loggers and digital-mode programs.
// Everything runs on the caller's thread without ever waiting: every read and write is
// non-blocking and each event handles a bounded amount, so no client can stall the window, its
// repeat timers or the watchdog.
//
// Nor can clients hold the places for ever by saying nothing: when all are taken, a newcomer gets
// the place of the client that has been silent longest, if that silence (no complete line since
// it connected or since its last one) has lasted kIdleBeforeMakingRoom; a client that polls, even
// rarely, keeps its place. A line must end within kLineCompletionLimit of its first byte, so a
// client that trickles a byte now and then cannot hold a place either.
class Server final : public QObject {
    Q_OBJECT

public:
    static constexpr quint16 kDefaultPort = rigctl::kDefaultPort;
    static constexpr int kMaxClients = 8;
    static constexpr std::chrono::seconds kIdleBeforeMakingRoom{30};
    static constexpr std::chrono::seconds kLineCompletionLimit{10};
    // How often unended lines are looked at: a trickling client goes within this of the limit.
    static constexpr std::chrono::seconds kUnendedLineCheckPeriod{1};

    // How long a set_freq's answer waits for its tune before it says "timed out" (the tune goes
    // on): less than the 10 s Hamlib 4.5's clients wait, so that no answer comes after a client
    // has given up on it.
    static constexpr std::chrono::milliseconds kTuneAnswerPatience{8000};

    // `clock` dates each client's lines.
    Server(Transmitter& transmitter, const txlink::Clock& clock, QObject* parent = nullptr);
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
    // The ADDR:PORT of the client with `requester`'s session; empty when there is none.
    QString peerOf(Transmitter::Requester requester) const;

    // Drops each client whose line has not ended kLineCompletionLimit after its first byte. Runs
    // every kUnendedLineCheckPeriod while listening.
    void dropUnendedLines();
    // For sessions that connect from now on.
    void setTuneAnswerPatience(std::chrono::milliseconds patience) { m_tunePatience = patience; }

signals:
    // The program is closing the client at `peer` (ADDR:PORT) for `reason`; its session then
    // ends as any other does, releasing what it held.
    void clientDropped(const QString& peer, const QString& reason);
    // A client at `peer` connected, or its session ended (however it ended).
    void clientConnected(const QString& peer);
    void clientGone(const QString& peer);

private:
    void acceptPending();
    // Drops the longest-silent client if it has been silent for kIdleBeforeMakingRoom: true when
    // a place is free now.
    bool makeRoom();

    Transmitter& m_transmitter;
    const txlink::Clock& m_clock;
    QTcpServer m_listener;
    QTimer m_unendedLineCheck;
    QList<ClientSession*> m_sessions;
    Transmitter::Requester m_lastRequester = 0;
    QElapsedTimer m_lastRefusalSaid;
    int m_refusedUnsaid = 0;
    std::chrono::milliseconds m_tunePatience = kTuneAnswerPatience;
};

}  // namespace rigctl
