// The TCP server with a fake transmitter: sessions, the client limit, the line bound, clients
// that do not read, and the end of each session reaching the transmitter.

#include <gtest/gtest.h>

#include <QTcpSocket>
#include <chrono>
#include <memory>
#include <vector>

#include "rigctl/Server.h"
#include "support/Wait.h"

namespace {

using namespace std::chrono_literals;
using testsupport::waitUntil;

class FakeTransmitter final : public rigctl::Transmitter {
public:
    FakeTransmitter() {
        display.megahertz = "1296";
        display.fraction = "125";
    }
    txlink::Shown display;
    std::vector<Requester> keyedBy;
    std::vector<Requester> gone;

    const txlink::Shown& shown() const override { return display; }
    txlink::Status requestCarrier(bool on, Requester requester) override {
        if (on) {
            keyedBy.push_back(requester);
        }
        return txlink::Status::success();
    }
    void requesterGone(Requester requester) override { gone.push_back(requester); }
};

class ServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.listen(QHostAddress(QHostAddress::LocalHost), 0).ok());
    }

    std::unique_ptr<QTcpSocket> connectClient() {
        auto socket = std::make_unique<QTcpSocket>();
        socket->connectToHost(QHostAddress(QHostAddress::LocalHost), server.port());
        EXPECT_TRUE(waitUntil([&] { return socket->state() == QAbstractSocket::ConnectedState; }));
        return socket;
    }

    // What the server answers to `lines`, once `expected` bytes have come.
    static QByteArray exchange(QTcpSocket& socket, const QByteArray& lines, qsizetype expected) {
        socket.write(lines);
        QByteArray answer;
        waitUntil([&] {
            answer += socket.readAll();
            return answer.size() >= expected;
        });
        return answer;
    }

    FakeTransmitter transmitter;
    rigctl::Server server{transmitter};
};

TEST_F(ServerTest, AnswersEachLineAndTellsTheTransmitterWhenTheClientLeaves) {
    auto client = connectClient();
    const QByteArray expected = "1296125000\nRPRT 0\n";
    EXPECT_EQ(exchange(*client, "f\nT 1\n", expected.size()), expected);
    ASSERT_EQ(transmitter.keyedBy.size(), 1u);

    client->abort();
    ASSERT_TRUE(waitUntil([&] { return server.sessionCount() == 0; }));
    EXPECT_EQ(transmitter.gone, transmitter.keyedBy);

    auto quitting = connectClient();  // q answers, then the server closes
    EXPECT_EQ(exchange(*quitting, "q\nf\n", 7), "RPRT 0\n");
    EXPECT_TRUE(waitUntil([&] { return quitting->state() == QAbstractSocket::UnconnectedState; }));
}

TEST_F(ServerTest, ServesEightClientsAndTurnsTheNinthAway) {
    std::vector<std::unique_ptr<QTcpSocket>> clients;
    for (int i = 0; i < rigctl::Server::kMaxClients; ++i) {
        clients.push_back(connectClient());
    }
    ASSERT_TRUE(waitUntil([&] { return server.sessionCount() == rigctl::Server::kMaxClients; }));
    QTcpSocket ninth;
    bool ninthClosed = false;
    QObject::connect(&ninth, &QTcpSocket::disconnected, [&] { ninthClosed = true; });
    ninth.connectToHost(QHostAddress(QHostAddress::LocalHost), server.port());
    EXPECT_TRUE(waitUntil([&] { return ninthClosed; }));
    for (auto& client : clients) {
        EXPECT_EQ(exchange(*client, "f\n", 11), "1296125000\n");
    }

    clients.front()->abort();
    ASSERT_TRUE(
        waitUntil([&] { return server.sessionCount() == rigctl::Server::kMaxClients - 1; }));
    auto next = connectClient();
    EXPECT_EQ(exchange(*next, "f\n", 11), "1296125000\n");
}

TEST_F(ServerTest, AnOverlongLineGetsOneErrorAndTheSessionGoesOn) {
    auto client = connectClient();
    const QByteArray overlong(3 * 256, 'x');
    const QByteArray expected = "RPRT -8\n1296125000\n";
    EXPECT_EQ(exchange(*client, overlong + "\nf\n", expected.size()), expected);
    EXPECT_EQ(server.sessionCount(), 1);
}

TEST_F(ServerTest, AClientThatLeavesItsAnswersUnreadIsDropped) {
    auto client = connectClient();
    client->setReadBufferSize(1024);  // takes no more from the system once this is unread
    // About 60 times as many bytes come back as go out: far more than the system buffers hold.
    const QByteArray request = "\\dump_state\n";
    client->write(request.repeated(200000));
    EXPECT_TRUE(waitUntil([&] { return server.sessionCount() == 0; }, 30s));
    EXPECT_EQ(transmitter.gone.size(), 1u);
}

TEST_F(ServerTest, StopEndsEverySessionAndListensNoMore) {
    auto first = connectClient();
    auto second = connectClient();
    ASSERT_TRUE(waitUntil([&] { return server.sessionCount() == 2; }));
    server.stop();
    EXPECT_EQ(server.sessionCount(), 0);
    EXPECT_EQ(transmitter.gone.size(), 2u);
    EXPECT_FALSE(server.isListening());
    EXPECT_TRUE(waitUntil([&] { return first->state() == QAbstractSocket::UnconnectedState; }));
}

}  // namespace
