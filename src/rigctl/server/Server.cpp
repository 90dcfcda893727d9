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
            if (!m_refusing) {
                qCWarning(lcRigctl, "refused a client from %s: %d clients are connected already",
                          qPrintable(socket->peerAddress().toString()), kMaxClients);
                m_refusing = true;
            }
            socket->abort();
            socket->deleteLater();
            continue;
        }
        auto* session = new ClientSession(socket, ++m_lastRequester, m_transmitter, this);
        m_sessions.append(session);
        connect(session, &ClientSession::ended, this, [this](ClientSession* ended) {
            m_sessions.removeOne(ended);
            m_refusing = false;
            ended->deleteLater();
        });
    }
}

}  // namespace rigctl
