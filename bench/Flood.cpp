// A line that floods the panel with valid records, faster than any 9600-baud line could (a
// misconfigured device, a wrong port): the real window and serial link in this process, a
// writer thread on the far end of a pseudo-terminal, and a probe timer that measures how late
// the event loop answers. Prints the 99th percentile of that lateness and how much the resident
// memory grew after the first second.
//   flood [seconds] [bytes per second]
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "PanelOnPty.h"

using namespace std::chrono_literals;

namespace {

long residentKilobytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').value(0).toLong();
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const double seconds = argc > 1 ? std::max(1.0, std::atof(argv[1])) : 60.0;
    const double bytesPerSecond = argc > 2 ? std::atof(argv[2]) : 1'000'000.0;

    PanelOnPty panel;
    testsupport::Pty& pty = panel.pty;
    app::Program& program = panel.program;

    // Status and changing frequencies, cut wherever the writes fall.
    std::string text;
    for (int i = 0; i < 1000; ++i) {
        text += "S101" + std::to_string(1000 + i % 2).substr(3) + "128";
        text += "F1296" + std::to_string(1000 + (i * 125) % 1000).substr(1);
    }
    std::atomic<bool> stop{false};
    std::atomic<long long> written{0};
    const auto start = std::chrono::steady_clock::now();
    std::thread writer([&] {
        const int master = pty.masterFd();
        std::size_t offset = 0;
        while (!stop) {
            const double due =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() *
                bytesPerSecond;
            if (double(written) >= due) {
                std::this_thread::sleep_for(1ms);
                continue;
            }
            const std::size_t chunk = std::min<std::size_t>(1000, text.size() - offset);
            const ssize_t n = ::write(master, text.data() + offset, chunk);
            if (n > 0) {
                written += n;
                offset = (offset + std::size_t(n)) % text.size();
            } else {
                pollfd fd{master, POLLOUT, 0};
                poll(&fd, 1, 5);
            }
        }
    });

    std::vector<double> lateMs;
    QElapsedTimer sinceTick;
    sinceTick.start();
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        lateMs.push_back(std::max(0.0, double(sinceTick.nsecsElapsed()) / 1e6 - 10.0));
        sinceTick.restart();
    });
    probe.start(10ms);

    bool portOpenAtTheEnd = false;
    long rssAfterFirstSecond = 0;
    long rssMost = 0;
    QTimer sampler;
    QElapsedTimer elapsed;
    elapsed.start();
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        const long rss = residentKilobytes();
        if (rssAfterFirstSecond == 0) {
            rssAfterFirstSecond = rss;
        }
        rssMost = std::max(rssMost, rss);
        if (double(elapsed.elapsed()) / 1000.0 >= seconds) {
            portOpenAtTheEnd = program.session().link().isOpen();
            // exit(), not quit(): quit() asks the windows first, and the main window asks the
            // operator before closing while the flood has just reported the carrier on.
            QCoreApplication::exit(0);
        }
    });
    sampler.start(1s);
    QApplication::exec();
    stop = true;
    writer.join();
    const double wrote =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    std::sort(lateMs.begin(), lateMs.end());
    const double p99 = lateMs.empty() ? 0 : lateMs[std::size_t(0.99 * double(lateMs.size() - 1))];
    std::printf(
        "flood_loop_late_ms p99=%.1f max=%.1f rss_growth_kb=%ld bytes_per_s=%.0f seconds=%.0f "
        "port_open=%d\n",
        p99, lateMs.empty() ? 0 : lateMs.back(), rssMost - rssAfterFirstSecond,
        double(written) / wrote, seconds, portOpenAtTheEnd ? 1 : 0);
    return 0;
}
