#include "rigctl/Server.h"

#include <QTcpSocket>
#include <algorithm>

#include "ClientSession.h"
#include "platform/Logging.h"

namespace rigctl {

Server::Server(Transmitter& transmitter, const txlink::Clock& clock, QObject* parent)
    : QObject(parent), m_transmitter(transmitter), m_clock(clock) {
    connect(&m_listener, &QTcpServer::newConnection, this, &Server::acceptPending);
    m_unendedLineCheck.setInterval(kUnendedLineCheckPeriod);
    connect(&m_unendedLineCheck, &QTimer::timeout, this, &Server::dropUnendedLines);
}

Server::~Server() {
    stop();
}

txlink::Status Server::listen(const QHostAddress& address, quint16 port) {
    stop();
    if (!m_listener.listen(address, port)) {
        return txlink::Error{
            txlink::error::kInternal,
            tr("cannot listen on %1 port %2: %3")
                .arg(address.toString(), QString::number(port), m_listener.errorString())
                .toStdString()};
    }
    m_unendedLineCheck.start();
    return txlink::Status::success();
}

void Server::stop() {
    m_listener.close();
    m_unendedLineCheck.stop();
    const QList<ClientSession*> sessions = m_sessions;
    for (ClientSession* session : sessions) {
        session->end();
    }
}

void Server::dropUnendedLines() {
    const auto now = m_clock.now();
    const QList<ClientSession*> sessions = m_sessions;
    for (ClientSession* session : sessions) {
        const auto began = session->unendedLineBegan();
        if (began && now - *began >= kLineCompletionLimit) {
            session->drop(QStringLiteral("its line did not end within %1 s")
                              .arg(kLineCompletionLimit.count()));
        }
    }
}

bool Server::makeRoom() {
    const auto quietest =
        std::min_element(m_sessions.cbegin(), m_sessions.cend(),
                         [](auto* a, auto* b) { return a->lastLineEnded() < b->lastLineEnded(); });
    if (quietest == m_sessions.cend()) {
        return true;
    }
    const auto silence = m_clock.now() - (*quietest)->lastLineEnded();
    if (silence < kIdleBeforeMakingRoom) {
        return false;
    }
    (*quietest)->drop(QStringLiteral("no complete line for %1 s and a new client needed its place")
                          .arg(std::chrono::duration_cast<std::chrono::seconds>(silence).count()));
    return true;
}

void Server::acceptPending() {
    while (QTcpSocket* socket = m_listener.nextPendingConnection()) {
        if (m_sessions.size() >= kMaxClients && !makeRoom()) {
            // Said at most once a minute, so that a client knocking again and again cannot fill
            // standard error.
            ++m_refusedUnsaid;
            if (!m_lastRefusalSaid.isValid() || m_lastRefusalSaid.hasExpired(60000)) {
                qCWarning(lcRigctl, "turned away %d client(s), the last from %s: %d are connected",
                          m_refusedUnsaid, qPrintable(socket->peerAddress().toString()),
                          kMaxClients);
                m_refusedUnsaid = 0;
                m_lastRefusalSaid.start();
            }
            socket->abort();
            socket->deleteLater();
            continue;
        }
        auto* session = new ClientSession(socket, ++m_lastRequester, m_transmitter, m_clock, this);
        session->setTuneAnswerPatience(m_tunePatience);
        m_sessions.append(session);
        connect(session, &ClientSession::dropped, this, &Server::clientDropped);
        connect(session, &ClientSession::ended, this, [this](ClientSession* ended) {
            m_sessions.removeOne(ended);
            ended->deleteLater();
            emit clientGone(ended->peer());
        });
        emit clientConnected(session->peer());
    }
}

QString Server::peerOf(Transmitter::Requester requester) const {
    for (const ClientSession* session : m_sessions) {
        if (session->requester() == requester) {
            return session->peer();
        }
    }
    return {};
}

}  // namespace rigctl
