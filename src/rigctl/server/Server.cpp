#include "rigctl/Server.h"

#include <QTcpSocket>

#include "ClientSession.h"
#include "platform/Logging.h"

namespace rigctl {

Server::Server(Transmitter& transmitter, QObject* parent)
    : QObject(parent), m_transmitter(transmitter) {
    connect(&m_listener, &QTcpServer::newConnection, this, &Server::acceptPending);
}

Server::~Server() {
    stop();
}

txlink::Status Server::listen(const QHostAddress& address, quint16 port) {
    stop();
    if (!m_listener.listen(address, port)) {
        return txlink::Error{txlink::error::kInternal,
                             QStringLiteral("cannot listen on %1 port %2: %3")
                                 .arg(address.toString())
                                 .arg(port)
                                 .arg(m_listener.errorString())
                                 .toStdString()};
    }
    return txlink::Status::success();
}

void Server::stop() {
    m_listener.close();
    const QList<ClientSession*> sessions = m_sessions;
    for (ClientSession* session : sessions) {
        session->end();
    }
}

void Server::acceptPending() {
    while (QTcpSocket* socket = m_listener.nextPendingConnection()) {
        if (m_sessions.size() >= kMaxClients) {
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
        auto* session = new ClientSession(socket, ++m_lastRequester, m_transmitter, this);
        m_sessions.append(session);
        connect(session, &ClientSession::ended, this, [this](ClientSession* ended) {
            m_sessions.removeOne(ended);
            ended->deleteLater();
        });
    }
}

}  // namespace rigctl
