// The TCP server with a fake transmitter: sessions, the client limit, the line bound, clients
// that do not read, silent and trickling clients, and the end of each session reaching the
// transmitter.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QStringList>
#include <QTcpSocket>
#include <QTest>
#include <array>
#include <chrono>
#include <memory>
#include <vector>

#include "rigctl/Server.h"
#include "support/FakeClock.h"
#include "support/Wait.h"

namespace {

using namespace std::chrono_literals;
using testsupport::waitUntil;

class FakeTransmitter final : public rigctl::Transmitter {
public:
    FakeTransmitter() {
        display.megahertz = "1296";
        display.fraction = "125";
        display.linkUp = true;
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
    // Each tune asked for, with whoever waits for its end.
    std::vector<std::pair<txlink::Hertz, TuneFinished>> tunes;
    void tuneTo(txlink::Hertz hertz, Requester, TuneFinished finished) override {
        tunes.emplace_back(hertz, std::move(finished));
    }
    std::optional<txlink::FrequencyKind> reportedKind() const override { return std::nullopt; }
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
    testsupport::FakeClock clock;
    rigctl::Server server{transmitter, clock};
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

// A set_freq is answered when its tune ends; the lines after it wait their turn, so that every
// answer still follows the order of the lines. Another client is served meanwhile.
TEST_F(ServerTest, ASetFrequencyIsAnsweredWhenItsTuneEndsAndTheNextLinesAfterIt) {
    auto client = connectClient();
    client->write("F 1301625000.000000\nf\n+F 1290125000\nv\n");
    ASSERT_TRUE(waitUntil([&] { return transmitter.tunes.size() == 1; }));
    EXPECT_EQ(transmitter.tunes[0].first, 1301625000);
    auto other = connectClient();
    EXPECT_EQ(exchange(*other, "f\n", 11), "1296125000\n");
    QTest::qWait(200);
    EXPECT_EQ(client->readAll(), "") << "an answer before the tune ended";

    txlink::TuningOutcome outcome;
    transmitter.tunes[0].second(outcome);  // reached
    QByteArray answers;
    ASSERT_TRUE(waitUntil([&] {
        answers += client->readAll();
        return transmitter.tunes.size() == 2;
    }));
    outcome.end = txlink::TuningEnd::CarrierOn;
    transmitter.tunes[1].second(outcome);
    const QByteArray expected = "RPRT 0\n1296125000\nset_freq: 1290125000\nRPRT -9\nVFOA\n";
    ASSERT_TRUE(waitUntil([&] {
        answers += client->readAll();
        return answers.size() >= expected.size();
    }));
    EXPECT_EQ(answers, expected);
}

// A tune that ends at once (a refusal) is answered at once.
TEST_F(ServerTest, ATuneRefusedAtOnceIsAnsweredAtOnce) {
    struct Refusing final : rigctl::Transmitter {
        txlink::Shown display;
        const txlink::Shown& shown() const override { return display; }
        txlink::Status requestCarrier(bool, Requester) override { return {}; }
        void requesterGone(Requester) override {}
        void tuneTo(txlink::Hertz hertz, Requester, TuneFinished finished) override {
            txlink::TuningOutcome outcome;
            outcome.end = txlink::TuningEnd::Unreachable;
            outcome.target = hertz;
            finished(outcome);
        }
        std::optional<txlink::FrequencyKind> reportedKind() const override { return {}; }
    } refusing;
    rigctl::Server refusingServer(refusing, clock);
    ASSERT_TRUE(refusingServer.listen(QHostAddress(QHostAddress::LocalHost), 0).ok());
    QTcpSocket client;
    client.connectToHost(QHostAddress(QHostAddress::LocalHost), refusingServer.port());
    EXPECT_EQ(exchange(client, "F 1\nF 2\nv\n", 21), "RPRT -1\nRPRT -1\nVFOA\n");
}

// A tune that outlasts the patience is answered "timed out", and its end, later, writes nothing.
TEST_F(ServerTest, ATuneLongerThanTheClientWaitsIsAnsweredTimedOutAndGoesOn) {
    server.setTuneAnswerPatience(300ms);
    auto client = connectClient();
    QElapsedTimer waited;
    waited.start();
    EXPECT_EQ(exchange(*client, "F 1301625000\n", 8), "RPRT -5\n");
    // Held, not answered at once (a coarse timer may fire a few percent early).
    EXPECT_GE(waited.elapsed(), 250);
    EXPECT_EQ(exchange(*client, "v\n", 5), "VFOA\n");
    ASSERT_EQ(transmitter.tunes.size(), 1u);
    transmitter.tunes[0].second(txlink::TuningOutcome{});
    QTest::qWait(100);
    EXPECT_EQ(client->readAll(), "");
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

// --- clients that hold a place without talking ----------------------------------------------

QStringList saidDrops;

void recordDrops(QtMsgType, const QMessageLogContext&, const QString& message) {
    if (message.startsWith(QLatin1String("dropped client"))) {
        saidDrops << message;
    }
}

struct Drop {
    QString peer;
    QString reason;
};

// The server on a clock the test sets; every drop is recorded as said and as signalled.
class QuietClientTest : public ServerTest {
protected:
    void SetUp() override {
        ServerTest::SetUp();
        saidDrops.clear();
        m_previousHandler = qInstallMessageHandler(recordDrops);
        QObject::connect(&server, &rigctl::Server::clientDropped,
                         [this](const QString& peer, const QString& reason) {
                             drops.push_back({peer, reason});
                         });
    }
    void TearDown() override { qInstallMessageHandler(m_previousHandler); }

    // Connected at the clock's time: waits until the server has taken it.
    std::unique_ptr<QTcpSocket> connectTaken() {
        const int before = server.sessionCount();
        auto socket = connectClient();
        EXPECT_TRUE(waitUntil([&] { return server.sessionCount() == before + 1; }));
        return socket;
    }

    // A complete line, read by the server at the clock's time.
    void poll(QTcpSocket& client) { EXPECT_EQ(exchange(client, "f\n", 11), "1296125000\n"); }

    // A new client at the clock's time: served (its f answered) or turned away (closed).
    bool newcomerServed() {
        QTcpSocket newcomer;
        newcomer.connectToHost(QHostAddress(QHostAddress::LocalHost), server.port());
        newcomer.write("f\n");
        QByteArray answer;
        waitUntil([&] {
            answer += newcomer.readAll();
            return answer == "1296125000\n" ||
                   newcomer.state() == QAbstractSocket::UnconnectedState;
        });
        return answer == "1296125000\n";
    }

    // The client as the server names it, taken while it is connected.
    static QString peerOf(const QTcpSocket& client) {
        return QStringLiteral("127.0.0.1:%1").arg(client.localPort());
    }

    // One drop of `peer`, said on standard error and signalled, for a reason containing `reason`.
    void expectOneDrop(const QString& peer, const QString& reason) {
        ASSERT_EQ(drops.size(), 1u);
        EXPECT_EQ(drops.front().peer.toStdString(), peer.toStdString());
        EXPECT_TRUE(drops.front().reason.contains(reason)) << drops.front().reason.toStdString();
        ASSERT_EQ(saidDrops.size(), 1);
        EXPECT_TRUE(saidDrops.front().contains(peer + ": " + drops.front().reason))
            << saidDrops.front().toStdString();
    }

    std::vector<Drop> drops;

private:
    QtMessageHandler m_previousHandler = nullptr;
};

constexpr int kNoLine = -1;
constexpr int kNone = -1;

struct RoomCase {
    const char* name;
    // Client i connects at i s; when each last sent a complete line, in seconds.
    std::array<int, rigctl::Server::kMaxClients> lastLineAt;
    int newcomerAt;
    int dropped;  // the client whose place the newcomer gets; kNone: turned away
    int silence;  // the dropped client's, in seconds
};

void PrintTo(const RoomCase& c, std::ostream* out) {
    *out << c.name;
}

class MakingRoom : public QuietClientTest, public ::testing::WithParamInterface<RoomCase> {};

TEST_P(MakingRoom, ANewcomerGetsThePlaceOfTheLongestSilentOnceItHasBeenSilent30s) {
    const RoomCase& c = GetParam();
    std::vector<std::unique_ptr<QTcpSocket>> clients;
    QStringList peers;
    for (int i = 0; i < rigctl::Server::kMaxClients; ++i) {
        clock.set(std::chrono::seconds(i));
        clients.push_back(connectTaken());
        peers << peerOf(*clients.back());
    }
    for (int at = 0; at <= c.newcomerAt; ++at) {
        clock.set(std::chrono::seconds(at));
        for (int i = 0; i < rigctl::Server::kMaxClients; ++i) {
            if (c.lastLineAt[i] == at) {
                poll(*clients[i]);
            }
        }
    }

    EXPECT_EQ(newcomerServed(), c.dropped != kNone);
    EXPECT_EQ(server.sessionCount(), rigctl::Server::kMaxClients);
    if (c.dropped == kNone) {
        EXPECT_TRUE(drops.empty());
        EXPECT_TRUE(transmitter.gone.empty());
        return;
    }
    expectOneDrop(peers.at(c.dropped), QStringLiteral("no complete line for %1 s").arg(c.silence));
    // Its requester (numbered from 1 in the order of connecting) was released as on any end.
    EXPECT_EQ(transmitter.gone, std::vector<rigctl::Transmitter::Requester>{
                                    rigctl::Transmitter::Requester(c.dropped) + 1});
    EXPECT_TRUE(waitUntil(
        [&] { return clients[c.dropped]->state() == QAbstractSocket::UnconnectedState; }));
    for (int i = 0; i < rigctl::Server::kMaxClients; ++i) {
        if (i != c.dropped) {
            poll(*clients[i]);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    QuietClients, MakingRoom,
    ::testing::Values(
        RoomCase{"SilentSinceConnectingTheFirstGoesAt30s",
                 {kNoLine, kNoLine, kNoLine, kNoLine, kNoLine, kNoLine, kNoLine, kNoLine},
                 30,
                 0,
                 30},
        RoomCase{"SilentSinceConnectingFor29sTurnsTheNewcomerAway",
                 {kNoLine, kNoLine, kNoLine, kNoLine, kNoLine, kNoLine, kNoLine, kNoLine},
                 29,
                 kNone,
                 0},
        RoomCase{
            "TheLongestSilentGoesNotTheFirstToConnect", {20, 15, 22, 5, 18, 25, 30, 40}, 40, 3, 35},
        RoomCase{"EveryoneSpokeWithin30sTurnsTheNewcomerAway",
                 {20, 15, 22, 12, 18, 25, 30, 40},
                 41,
                 kNone,
                 0}),
    [](const ::testing::TestParamInfo<RoomCase>& info) { return std::string(info.param.name); });

struct Sent {
    int atMs;
    QByteArray bytes;
    QByteArray answer;  // awaited, so that the server has read the bytes at that time
};

struct LineCase {
    const char* name;
    std::vector<Sent> sent;
    int checkAtMs;
    bool dropped;
};

void PrintTo(const LineCase& c, std::ostream* out) {
    *out << c.name;
}

class UnendedLines : public QuietClientTest, public ::testing::WithParamInterface<LineCase> {};

TEST_P(UnendedLines, ALineMustEndWithin10sOfItsFirstByte) {
    const LineCase& c = GetParam();
    clock.set(0ms);
    auto client = connectTaken();
    const QString peer = peerOf(*client);
    for (const Sent& sent : c.sent) {
        clock.set(std::chrono::milliseconds(sent.atMs));
        if (sent.answer.isEmpty()) {
            client->write(sent.bytes);
            EXPECT_TRUE(client->waitForBytesWritten(5000));
        } else {
            EXPECT_EQ(exchange(*client, sent.bytes, sent.answer.size()), sent.answer);
        }
    }
    clock.set(std::chrono::milliseconds(c.checkAtMs));
    server.dropUnendedLines();

    EXPECT_EQ(server.sessionCount(), c.dropped ? 0 : 1);
    if (!c.dropped) {
        EXPECT_TRUE(drops.empty());
        return;
    }
    expectOneDrop(peer, QStringLiteral("its line did not end within 10 s"));
    EXPECT_EQ(transmitter.gone, std::vector<rigctl::Transmitter::Requester>{1});
    EXPECT_TRUE(waitUntil([&] { return client->state() == QAbstractSocket::UnconnectedState; }));
}

const QByteArray kF = "1296125000\n";

INSTANTIATE_TEST_SUITE_P(
    QuietClients, UnendedLines,
    ::testing::Values(
        LineCase{"OneByteIsKeptJustUnder10s", {{0, "f\nT", kF}}, 9999, false},
        LineCase{"OneByteIsDroppedAt10s", {{0, "f\nT", kF}}, 10000, true},
        // The last byte passes the line bound, so its error tells that all have come.
        LineCase{"AByteNowAndThenDoesNotHoldThePlace",
                 {{0, "f\n" + QByteArray(254, 'x'), kF},
                  {3000, "x", {}},
                  {6000, "x", {}},
                  {9000, "x", "RPRT -8\n"}},
                 10000,
                 true},
        LineCase{"AnOverlongLineThatNeverEndsIsDropped",
                 {{0, "f\n" + QByteArray(200, 'x'), kF}, {9000, QByteArray(100, 'x'), "RPRT -8\n"}},
                 10000,
                 true},
        LineCase{"TheNextLineCountsFromItsOwnFirstByte",
                 {{0, "f\nT", kF}, {9000, " 1\nf", "RPRT 0\n"}},
                 18999,
                 false},
        LineCase{"TheNextLineIsDroppedAt10sToo",
                 {{0, "f\nT", kF}, {9000, " 1\nf", "RPRT 0\n"}},
                 19000,
                 true},
        LineCase{
            "EndedLinesAreNeverDroppedHowEverLongTheSilence", {{0, "f\n", kF}}, 600000, false}),
    [](const ::testing::TestParamInfo<LineCase>& info) { return std::string(info.param.name); });

TEST_F(QuietClientTest, ClientsThatPollEvery20sKeepTheirPlaces) {
    constexpr int kPollEvery = 20;
    std::vector<std::unique_ptr<QTcpSocket>> clients;
    clock.set(0ms);
    for (int i = 0; i < rigctl::Server::kMaxClients; ++i) {
        clients.push_back(connectTaken());
    }
    for (int at = 1; at <= 6 * kPollEvery; ++at) {
        clock.set(std::chrono::seconds(at));
        for (int i = 0; i < rigctl::Server::kMaxClients; ++i) {
            if (at % kPollEvery == i) {  // each at a time of its own
                poll(*clients[i]);
            }
        }
        server.dropUnendedLines();
        if (at % 10 == 9) {
            EXPECT_FALSE(newcomerServed()) << "at " << at << " s";
        }
    }
    EXPECT_TRUE(drops.empty());
    EXPECT_TRUE(transmitter.gone.empty());
    EXPECT_EQ(server.sessionCount(), rigctl::Server::kMaxClients);
}

}  // namespace
