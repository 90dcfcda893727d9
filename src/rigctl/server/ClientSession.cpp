#include "ClientSession.h"

#include <QHostAddress>
#include <QTcpSocket>

#include "platform/Logging.h"

namespace rigctl {

namespace {

QString peerName(const QTcpSocket& socket) {
    const QHostAddress address = socket.peerAddress();
    const QString host = address.protocol() == QAbstractSocket::IPv6Protocol
                             ? QStringLiteral("[%1]").arg(address.toString())
                             : address.toString();
    return QStringLiteral("%1:%2").arg(host).arg(socket.peerPort());
}

}  // namespace

ClientSession::ClientSession(QTcpSocket* socket, Transmitter::Requester requester,
                             Transmitter& transmitter, const txlink::Clock& clock, QObject* parent)
    : QObject(parent),
      m_socket(socket),
      m_requester(requester),
      m_transmitter(transmitter),
      m_clock(clock),
      m_peer(peerName(*socket)),
      m_lastLineEnded(clock.now()) {
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

void ClientSession::drop(const QString& reason) {
    qCWarning(lcRigctl, "dropped client %s: %s", qPrintable(m_peer), qPrintable(reason));
    emit dropped(m_peer, reason);
    end();
}

void ClientSession::readLines() {
    if (m_finished || m_quitting) {
        return;
    }
    const QByteArray read = m_socket->read(kReadPiece);
    const std::string_view bytes(read.constData(), std::size_t(read.size()));
    noteLineEnds(bytes);
    for (const LineSplitter::Piece& piece : m_lines.feed(bytes)) {
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
            drop(QStringLiteral("it leaves its answers unread"));
            return;
        }
    }
    // What is left in Qt's buffer comes in the next event, after the window's own.
    if (m_socket->bytesAvailable() > 0) {
        QMetaObject::invokeMethod(this, &ClientSession::readLines, Qt::QueuedConnection);
    }
}

void ClientSession::noteLineEnds(std::string_view bytes) {
    if (bytes.empty()) {
        return;
    }
    const auto now = m_clock.now();
    const std::size_t lastEnd = bytes.rfind('\n');
    if (lastEnd != std::string_view::npos) {
        m_lastLineEnded = now;
        m_unendedLineBegan.reset();
    }
    const bool lineGoesOn = lastEnd == std::string_view::npos || lastEnd + 1 < bytes.size();
    if (lineGoesOn && !m_unendedLineBegan) {
        m_unendedLineBegan = now;
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
