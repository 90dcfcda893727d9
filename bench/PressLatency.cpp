// From a press of the frequency "Up" button to its command being readable at the far end of
// the line: the real window and serial link in this process, a synthetic mouse press, the
// pseudo-terminal polled from the test's side. Prints the median and the 99th percentile.
//   press_latency [presses]
#include <poll.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "PanelOnPty.h"

using namespace std::chrono_literals;

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int presses = argc > 1 ? std::max(10, std::atoi(argv[1])) : 500;

    PanelOnPty panel;
    testsupport::Pty& pty = panel.pty;
    app::Program& program = panel.program;
    pty.drain(200ms);
    auto* up = program.mainWindow()->findChild<QPushButton*>(QStringLiteral("Command1"));
    if (up == nullptr) {
        std::fprintf(stderr, "press_latency: no Command1\n");
        return 1;
    }

    std::vector<double> microseconds;
    for (int i = 0; i < presses; ++i) {
        QElapsedTimer clock;
        clock.start();
        QTest::mousePress(up, Qt::LeftButton);
        // Only the line is watched here: the press's own handling is all that ran.
        pollfd fd{pty.masterFd(), POLLIN, 0};
        while (poll(&fd, 1, 0) == 0 && clock.nsecsElapsed() < 1'000'000'000) {
            QCoreApplication::processEvents();
        }
        microseconds.push_back(double(clock.nsecsElapsed()) / 1000.0);
        QTest::mouseRelease(up, Qt::LeftButton);
        pty.drain(5ms);
    }
    std::sort(microseconds.begin(), microseconds.end());
    const auto at = [&](double quantile) {
        return microseconds[std::size_t(quantile * double(microseconds.size() - 1))];
    };
    std::printf("press_to_line_us p50=%.1f p99=%.1f max=%.1f presses=%d\n", at(0.5), at(0.99),
                microseconds.back(), presses);
    return 0;
}
