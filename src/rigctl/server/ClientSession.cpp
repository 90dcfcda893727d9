#include "ClientSession.h"

#include <QTcpSocket>

#include "platform/Logging.h"

namespace rigctl {

ClientSession::ClientSession(QTcpSocket* socket, Transmitter::Requester requester,
                             Transmitter& transmitter, QObject* parent)
    : QObject(parent), m_socket(socket), m_requester(requester), m_transmitter(transmitter) {
    m_socket->setParent(this);
    // Qt stops taking bytes from the system once this much waits, so a flood waits in the
    // kernel and the client's own sending blocks, not this program.
    m_socket->setReadBufferSize(kReadPiece);
    connect(m_socket, &QTcpSocket::readyRead, this, &ClientSession::readLines);
    connect(m_socket, &QTcpSocket::disconnected, this, &ClientSession::finish);
    connect(m_socket, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError) {
        if (m_socket->state() == QAbstractSocket::UnconnectedState) {
            finish();
        }
    });
    if (m_socket->bytesAvailable() > 0) {
        QMetaObject::invokeMethod(this, &ClientSession::readLines, Qt::QueuedConnection);
    }
}

void ClientSession::end() {
    m_socket->abort();
    finish();
}

void ClientSession::readLines() {
    if (m_finished || m_quitting) {
        return;
    }
    const QByteArray bytes = m_socket->read(kReadPiece);
    for (const LineSplitter::Piece& piece :
         m_lines.feed(std::string_view(bytes.constData(), std::size_t(bytes.size())))) {
        const Answer answer = piece.overlong
                                  ? Answer{overlongLineAnswer()}
                                  : respond(parseRequest(piece.line), m_transmitter, m_requester);
        m_socket->write(answer.text.data(), qint64(answer.text.size()));
        if (answer.endsSession) {
            m_quitting = true;
            m_socket->disconnectFromHost();  // once the answer has gone
            return;
        }
        // Hands the system what it takes now, without waiting; what it refuses is unread.
        if (m_socket->bytesToWrite() > kMaxUnreadOutput && !m_socket->flush() &&
            m_socket->bytesToWrite() > kMaxUnreadOutput) {
            qCWarning(lcRigctl, "dropped client %s port %u: it leaves its answers unread",
                      qPrintable(m_socket->peerAddress().toString()),
                      unsigned(m_socket->peerPort()));
            end();
            return;
        }
    }
    // What is left in Qt's buffer comes in the next event, after the window's own.
    if (m_socket->bytesAvailable() > 0) {
        QMetaObject::invokeMethod(this, &ClientSession::readLines, Qt::QueuedConnection);
    }
}

void ClientSession::finish() {
    if (m_finished) {
        return;
    }
    m_finished = true;
    m_transmitter.requesterGone(m_requester);
    emit ended(this);
}

}  // namespace rigctl
