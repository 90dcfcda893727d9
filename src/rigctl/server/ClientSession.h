#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>
#include <deque>
#include <optional>

#include "rigctl/Protocol.h"
#include "txlink/Clock.h"

class QTcpSocket;

namespace rigctl {

// One client's connection: its lines in, its answers out. A client that sends a line longer than
// the bound gets an error and the line is dropped; one that lets its answers pile up unread is
// dropped, so it cannot grow the program's memory. The session notes when its lines end, so that
// the server can tell a silent client or one that never ends its line from one that polls.
class ClientSession final : public QObject {
    Q_OBJECT

public:
    // Input is read in pieces of at most this much, one piece per event.
    static constexpr qint64 kReadPiece = 4096;
    // Answers a client may leave unread before it is dropped (a \dump_state is under 1 KiB).
    static constexpr qint64 kMaxUnreadOutput = 64 * 1024;

    // Takes `socket` over.
    ClientSession(QTcpSocket* socket, Transmitter::Requester requester, Transmitter& transmitter,
                  const txlink::Clock& clock, QObject* parent = nullptr);

    void setTuneAnswerPatience(std::chrono::milliseconds patience) {
        m_tunePatience.setInterval(patience);
    }
    // A set_freq's answer waits for its tune.

    Transmitter::Requester requester() const { return m_requester; }
    // The client as ADDR:PORT, kept from the start so that it can still be named once closed.
    const QString& peer() const { return m_peer; }
    // When the client's last line ended; the connect time until one has.
    txlink::MonotonicTime lastLineEnded() const { return m_lastLineEnded; }
    // When the first byte of a line that has not ended yet came; none between lines.
    std::optional<txlink::MonotonicTime> unendedLineBegan() const { return m_unendedLineBegan; }

    // Closes the connection at once; ended() follows.
    void end();
    // Ends the session and says why on standard error and through dropped().
    void drop(const QString& reason);

signals:
    // The connection is over, whoever closed it, and the transmitter has been told.
    void ended(rigctl::ClientSession* session);
    // The program closed this client for `reason`; ended() follows.
    void dropped(const QString& peer, const QString& reason);

private:
    void readLines();
    void answerLines();
    void write(const std::string& text);
    void startTune(const Request& request, txlink::Hertz hertz);
    void answerTune(const std::string& text);
    void finish();
    void noteLineEnds(std::string_view bytes);

    QTcpSocket* m_socket;
    Transmitter::Requester m_requester;
    Transmitter& m_transmitter;
    const txlink::Clock& m_clock;
    QString m_peer;
    txlink::MonotonicTime m_lastLineEnded;
    std::optional<txlink::MonotonicTime> m_unendedLineBegan;
    LineSplitter m_lines;
    std::deque<LineSplitter::Piece> m_unanswered;
    std::optional<Request> m_awaitedTune;
    quint64 m_tunesAsked = 0;  // tells a tune's late end from that of the one awaited now
    QTimer m_tunePatience;
    bool m_quitting = false;
    bool m_finished = false;
};

}  // namespace rigctl
