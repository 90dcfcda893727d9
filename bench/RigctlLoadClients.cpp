// Load for network control: N clients, each polling "f" and "t" R times a second over one
// session, for S seconds; each client also starts a fresh session every C seconds (0: never), so
// descriptors that leak would show. Prints what each client sent, what came back, the errors
// among the answers and how long the answers took. Run by bench/rigctl-load.sh.
//   rigctl_load_clients PORT [CLIENTS [RATE [SECONDS [RECONNECT_SECONDS]]]]
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <deque>
#include <memory>
#include <vector>

namespace {

struct Client {
    QTcpSocket socket;
    QTimer poll;
    std::deque<qint64> askedAt;  // one entry per "f" and "t" pair on its way, in ns
    QByteArray pending;
    int linesOfPair = 0;
    long long sent = 0;
    long long answered = 0;
    long long errors = 0;
    long long sessions = 0;
    long long refused = 0;  // sessions the server closed
    bool closingItself = false;
};

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr,
                     "usage: rigctl_load_clients PORT [CLIENTS [RATE [SECONDS [RECONNECT]]]]\n");
        return 2;
    }
    const auto number = [&](int i, int fallback) {
        return args.size() > i ? args.at(i).toInt() : fallback;
    };
    const quint16 port = quint16(number(1, 4532));
    const int count = number(2, 8);
    const int rate = std::max(1, number(3, 50));
    const int seconds = number(4, 60);
    const int reconnectSeconds = number(5, 0);

    QElapsedTimer clock;
    clock.start();
    std::vector<qint64> latencies;
    std::vector<std::unique_ptr<Client>> clients;
    for (int i = 0; i < count; ++i) {
        auto client = std::make_unique<Client>();
        Client* c = client.get();
        const auto connectSession = [c, port] {
            c->askedAt.clear();
            c->pending.clear();
            c->linesOfPair = 0;
            c->closingItself = true;
            c->socket.abort();
            c->closingItself = false;
            c->socket.connectToHost(QStringLiteral("127.0.0.1"), port);
            ++c->sessions;
        };
        // The server may not have seen the last session go yet and turn this one away as a
        // ninth: try again shortly.
        QObject::connect(&c->socket, &QTcpSocket::disconnected, &app, [c, connectSession] {
            if (c->closingItself) {
                return;
            }
            ++c->refused;
            QTimer::singleShot(50, &c->socket, connectSession);
        });
        c->poll.setInterval(1000 / rate);
        QObject::connect(&c->poll, &QTimer::timeout, [c, &clock] {
            if (c->socket.state() == QAbstractSocket::ConnectedState) {
                c->socket.write("f\nt\n");
                c->askedAt.push_back(clock.nsecsElapsed());
                ++c->sent;
            }
        });
        QObject::connect(&c->socket, &QTcpSocket::readyRead, [c, &clock, &latencies] {
            c->pending += c->socket.readAll();
            qsizetype end;
            while ((end = c->pending.indexOf('\n')) >= 0) {
                const QByteArray line = c->pending.left(end);
                c->pending.remove(0, end + 1);
                c->errors += line.startsWith("RPRT") ? 1 : 0;
                if (++c->linesOfPair == 2 && !c->askedAt.empty()) {
                    c->linesOfPair = 0;
                    latencies.push_back(clock.nsecsElapsed() - c->askedAt.front());
                    c->askedAt.pop_front();
                    ++c->answered;
                }
            }
        });
        connectSession();
        c->poll.start();
        if (reconnectSeconds > 0) {
            auto* reconnect = new QTimer(&app);
            reconnect->setInterval(reconnectSeconds * 1000);
            QObject::connect(reconnect, &QTimer::timeout, connectSession);
            reconnect->start();
        }
        clients.push_back(std::move(client));
    }
    QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
    app.exec();

    long long sent = 0, answered = 0, errors = 0, sessions = 0, refused = 0;
    for (const auto& c : clients) {
        sent += c->sent;
        answered += c->answered;
        errors += c->errors;
        sessions += c->sessions;
        refused += c->refused;
        std::printf("client: %lld pairs sent, %lld answered, %lld error answers, %lld sessions\n",
                    c->sent, c->answered, c->errors, c->sessions);
    }
    std::sort(latencies.begin(), latencies.end());
    const auto at = [&](double share) {
        return latencies.empty()
                   ? 0.0
                   : double(latencies[std::size_t(share * double(latencies.size() - 1))]) / 1e6;
    };
    std::printf(
        "all %d clients: %lld pairs sent (%.0f commands/s), %lld answered, %lld error "
        "answers, %lld sessions (%lld closed by the server)\n",
        count, sent, 2.0 * double(sent) / seconds, answered, errors, sessions, refused);
    std::printf("answer time: median %.2f ms, 99%% %.2f ms, max %.2f ms\n", at(0.5), at(0.99),
                at(1.0));
    return answered > 0 && errors == 0 ? 0 : 1;
}
