// The press-and-hold repeat rates as they reach the line: holds each repeating button for a few
// seconds on the real window, serial port and timers over a pseudo-terminal, and prints the
// commands per second beside the nominal rate (10 for frequency, 20 for power).
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <cstdio>

#include "PanelOnPty.h"

using namespace std::chrono_literals;

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, atoi(argv[1])) : 3;

    PanelOnPty panel;
    testsupport::Pty& pty = panel.pty;
    app::Program& program = panel.program;
    pty.drain(100ms);

    struct Hold {
        const char* button;
        void (txlink::ControlPanel::*down)();
        void (txlink::ControlPanel::*up)();
        const char* command;
        double nominal;
    };
    using P = txlink::ControlPanel;
    const Hold holds[] = {
        {"frequency Up", &P::frequencyUpPressed, &P::frequencyUpReleased, "3a", 10},
        {"power Up", &P::powerUpPressed, &P::powerUpReleased, "5a", 20}};
    for (const Hold& hold : holds) {
        QElapsedTimer held;
        held.start();
        (program.panel().*hold.down)();
        QByteArray line;
        while (held.elapsed() < seconds * 1000) {
            line += pty.drain(10ms);
        }
        (program.panel().*hold.up)();
        const double elapsed = double(held.elapsed()) / 1000.0;
        line += pty.drain(20ms);
        const qsizetype count = line.count(hold.command);
        const double perSecond = double(count - 1) / elapsed;
        std::printf(
            "%-13s %5.2f commands/s after the first (nominal %2.0f, ratio %.3f); %lld commands "
            "in a %.2f s hold (nominal %.0f)\n",
            hold.button, perSecond, hold.nominal, perSecond / hold.nominal, (long long)count,
            elapsed, hold.nominal * elapsed + 1);
    }
    return panel.messages.messages.isEmpty() ? 0 : 1;
}
