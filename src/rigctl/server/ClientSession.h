#pragma once

#include <QObject>

#include "rigctl/Protocol.h"

class QTcpSocket;

namespace rigctl {

// One client's connection: its lines in, its answers out. A client that sends a line longer than
// the bound gets an error and the line is dropped; one that lets its answers pile up unread is
// dropped, so it cannot grow the program's memory.
class ClientSession final : public QObject {
    Q_OBJECT

public:
    // Input is read in pieces of at most this much, one piece per event.
    static constexpr qint64 kReadPiece = 4096;
    // Answers a client may leave unread before it is dropped (a \dump_state is under 1 KiB).
    static constexpr qint64 kMaxUnreadOutput = 64 * 1024;

    // Takes `socket` over.
    ClientSession(QTcpSocket* socket, Transmitter::Requester requester, Transmitter& transmitter,
                  QObject* parent = nullptr);

    Transmitter::Requester requester() const { return m_requester; }
    // Closes the connection at once; ended() follows.
    void end();

signals:
    // The connection is over, whoever closed it, and the transmitter has been told.
    void ended(rigctl::ClientSession* session);

private:
    void readLines();
    void finish();

    QTcpSocket* m_socket;
    Transmitter::Requester m_requester;
    Transmitter& m_transmitter;
    LineSplitter m_lines;
    bool m_quitting = false;
    bool m_finished = false;
};

}  // namespace rigctl
