#include "ClientSession.h"

#include <QHostAddress>
#include <QPointer>
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
    m_tunePatience.setSingleShot(true);
    connect(&m_tunePatience, &QTimer::timeout, this, [this] {
        if (m_awaitedTune) {
            answerTune(stillTuningAnswer(*m_awaitedTune));
        }
    });
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
    if (m_finished || m_quitting || m_awaitedTune) {
        return;  // a tune's answer resumes the reading
    }
    const QByteArray read = m_socket->read(kReadPiece);
    const std::string_view bytes(read.constData(), std::size_t(read.size()));
    noteLineEnds(bytes);
    for (LineSplitter::Piece& piece : m_lines.feed(bytes)) {
        m_unanswered.push_back(std::move(piece));
    }
    answerLines();
}

void ClientSession::answerLines() {
    while (!m_unanswered.empty() && !m_finished && !m_quitting && !m_awaitedTune) {
        const LineSplitter::Piece piece = std::move(m_unanswered.front());
        m_unanswered.pop_front();
        if (piece.overlong) {
            write(overlongLineAnswer());
            continue;
        }
        const Request request = parseRequest(piece.line);
        const Answer answer = respond(request, m_transmitter, m_requester);
        if (answer.tune) {
            startTune(request, *answer.tune);
            continue;
        }
        write(answer.text);
        if (answer.endsSession) {
            m_quitting = true;
            m_socket->disconnectFromHost();  // once the answer has gone
            return;
        }
    }
    // What is left in Qt's buffer comes in the next event, after the window's own.
    if (!m_finished && m_unanswered.empty() && !m_awaitedTune && m_socket->bytesAvailable() > 0) {
        QMetaObject::invokeMethod(this, &ClientSession::readLines, Qt::QueuedConnection);
    }
}

void ClientSession::write(const std::string& text) {
    if (m_finished) {
        return;
    }
    m_socket->write(text.data(), qint64(text.size()));
    // Hands the system what it takes now, without waiting; what it refuses is unread.
    if (m_socket->bytesToWrite() > kMaxUnreadOutput && !m_socket->flush() &&
        m_socket->bytesToWrite() > kMaxUnreadOutput) {
        drop(QStringLiteral("it leaves its answers unread"));
    }
}

// The tune may end before tuneTo returns (a refusal, or the transmitter there already): the
// answer is then written at once, and the lines after it are answered in turn.
void ClientSession::startTune(const Request& request, txlink::Hertz hertz) {
    m_awaitedTune = request;
    const quint64 tune = ++m_tunesAsked;
    m_tunePatience.start();
    QPointer<ClientSession> self(this);
    m_transmitter.tuneTo(hertz, m_requester, [self, tune](const txlink::TuningOutcome& outcome) {
        if (self && self->m_awaitedTune && self->m_tunesAsked == tune) {
            self->answerTune(tuneAnswer(*self->m_awaitedTune, outcome));
        }
    });
}

void ClientSession::answerTune(const std::string& text) {
    m_awaitedTune.reset();
    ++m_tunesAsked;  // a tune that goes on past its answer has no one to answer any more
    m_tunePatience.stop();
    write(text);
    QMetaObject::invokeMethod(this, &ClientSession::answerLines, Qt::QueuedConnection);
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
