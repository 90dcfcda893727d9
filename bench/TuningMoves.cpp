// Tuning against the virtual transmitter: for each move, the commands and the time the panel
// took, beside the fewest commands the transmitter's steps and the Step order it showed allow,
// counted here on their own (a plain search, not the panel's planner). The whole program runs in
// this process on the real serial link and timers; vora-txsim is the transmitter.
//   tuning_moves [MHz ...]   the moves, from where the transmitter starts (1296.000 MHz)
// Prints one line per move: from= to= commands= fewest= ms= budget_ms= plan=
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <optional>
#include <vector>

#include "app/Program.h"
#include "platform/SystemClock.h"
#include "support/Fakes.h"
#include "support/TestConfig.h"
#include "txlink/TuningEngine.h"

using namespace std::chrono_literals;
using txlink::Hertz;

namespace {

// Turns the event loop until `done`, or `limit`.
bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds limit = 10s) {
    QElapsedTimer waited;
    waited.start();
    while (!done()) {
        if (waited.elapsed() > limit.count()) {
            return false;
        }
        QTest::qWait(1);
    }
    return true;
}

// Fewest signed moves of `sizes` adding up to `distance`: a breadth-first search over a window
// wide enough for these distances, independent of the panel's own arithmetic.
std::optional<int> fewestMoves(Hertz distance, const std::vector<Hertz>& sizes, Hertz unit) {
    if (distance % unit != 0) {
        return std::nullopt;
    }
    const long long target = distance / unit;
    const long long window = std::llabs(target) + 200;
    std::vector<int> moves(std::size_t(2 * window + 1), -1);
    std::deque<long long> frontier{0};
    moves[std::size_t(window)] = 0;
    while (!frontier.empty()) {
        const long long value = frontier.front();
        frontier.pop_front();
        if (value == target) {
            return moves[std::size_t(value + window)];
        }
        for (const Hertz size : sizes) {
            for (const long long next : {value + size / unit, value - size / unit}) {
                if (std::llabs(next) <= window && moves[std::size_t(next + window)] < 0) {
                    moves[std::size_t(next + window)] = moves[std::size_t(value + window)] + 1;
                    frontier.push_back(next);
                }
            }
        }
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::vector<Hertz> targets;
    for (int i = 1; i < argc; ++i) {
        targets.push_back(std::llround(std::atof(argv[i]) * 1e6));
    }
    if (targets.empty()) {
        targets = {1'301'625'000, 1'296'875'000, 1'290'125'000};
    }

    testsupport::TestConfig config;
    QProcess sim;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    sim.setProcessEnvironment(environment);
    QByteArrayList log;
    QByteArray partial;
    QObject::connect(&sim, &QProcess::readyReadStandardOutput, [&] {
        partial += sim.readAllStandardOutput();
        for (qsizetype end; (end = partial.indexOf('\n')) >= 0;) {
            log << partial.left(end);
            partial.remove(0, end + 1);
        }
    });
    sim.start(QStringLiteral(VORA_TXSIM_BINARY), {"--port", "1", "--status-interval", "1000"});
    if (!waitFor([&] { return log.size() >= 2 && log[1].startsWith("port 1"); })) {
        std::fprintf(stderr, "tuning_moves: the virtual transmitter did not start\n");
        return 1;
    }

    testsupport::MemorySettingsStore store;
    testsupport::RecordingMessageBox messages;
    testsupport::RecordingUrlOpener urls;
    platform::SystemClock clock;
    app::Program program{{store, messages, urls, clock}};
    program.start();
    txlink::ControlPanel& panel = program.panel();
    if (!waitFor([&] {
            return panel.shown().linkUp == true && panel.reportedFrequency() &&
                   panel.shown().selectedStep && *panel.shown().selectedStep;
        })) {
        std::fprintf(stderr, "tuning_moves: the link did not come up\n");
        return 1;
    }

    int failures = 0;
    for (const Hertz target : targets) {
        const Hertz from = *panel.reportedFrequency();
        const qsizetype logStart = log.size();
        std::optional<txlink::TuningOutcome> outcome;
        QElapsedTimer took;
        double milliseconds = 0;
        took.start();
        panel.tuneTo(target, [&](const txlink::TuningOutcome& o) {
            milliseconds = double(took.nsecsElapsed()) / 1e6;
            outcome = o;
        });
        waitFor([&] { return outcome.has_value(); }, 30s);
        QTest::qWait(50);  // the last lines of the transmitter's log

        // What the transmitter showed: the step code before and after every Step press.
        std::map<int, int> order;
        int code = 0;
        bool pressed = false;
        for (const QByteArray& line : log) {
            if (line.startsWith("tx S") && line.size() >= 7) {
                const int shown = line.mid(5, 2).toInt();
                if (pressed) {
                    order[code] = shown;
                    pressed = false;
                }
                code = shown;
            } else if (line == "rx 1a") {
                pressed = true;
            }
        }
        QByteArray plan;
        int commands = 0;
        for (qsizetype i = logStart; i < log.size(); ++i) {
            const QByteArray& line = log[i];
            if (line == "rx 1a" || line == "rx 3a" || line == "rx 4a") {
                plan += (plan.isEmpty() ? "" : ",") + line.mid(3);
                ++commands;
            }
        }

        // The fewest: the operator's step alone, or once round the order with every step on it.
        const auto steps = txlink::tuningSteps(txlink::FrequencyKind::F);
        const int own = *txlink::stepLabelForCode(code);
        const Hertz distance = target - from;
        std::optional<int> fewest;
        if (distance % steps[std::size_t(own)] == 0) {
            fewest = int(std::llabs(distance / steps[std::size_t(own)]));
        }
        std::vector<Hertz> round;
        int presses = 0;
        for (int at = code; presses < 16;) {
            round.push_back(steps[std::size_t(*txlink::stepLabelForCode(at))]);
            ++presses;
            if (!order.contains(at) || order.at(at) == code) {
                break;
            }
            at = order.at(at);
        }
        if (const std::optional<int> moves = fewestMoves(distance, round, 125'000)) {
            fewest = std::min(fewest.value_or(presses + *moves), presses + *moves);
        }
        const double budget = 1.2 * fewest.value_or(0) * 100.0;
        const bool within = outcome && outcome->end == txlink::TuningEnd::Reached && fewest &&
                            commands <= *fewest && milliseconds <= budget;
        failures += within ? 0 : 1;
        std::printf(
            "move from=%.3f to=%.3f commands=%d fewest=%d ms=%.0f budget_ms=%.0f "
            "reached=%s within=%s plan=%s\n",
            double(from) / 1e6, double(target) / 1e6, commands, fewest.value_or(-1), milliseconds,
            budget, outcome && outcome->end == txlink::TuningEnd::Reached ? "yes" : "no",
            within ? "yes" : "no", plan.constData());
    }
    sim.terminate();
    sim.waitForFinished();
    return failures == 0 ? 0 : 1;
}
