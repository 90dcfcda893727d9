// The baseline the panel's figures are measured against: a bare Qt Widgets window of the main
// window's size with five timers of the same intervals, reading the same serial port and doing
// nothing with what arrives. Once shown it writes "2a", so its start can be timed on the line as
// the panel's is.
#include <QApplication>
#include <QSerialPort>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>

#include "platform/PortMap.h"
#include "platform/TerminationSignals.h"

using namespace std::chrono_literals;

int main(int argc, char* argv[]) {
    platform::TerminationSignals::block();
    QApplication app(argc, argv);
    // Ends as the panel does on SIGTERM, so a profiler sees a normal exit.
    platform::TerminationSignals termination;
    QObject::connect(&termination, &platform::TerminationSignals::requested, &app,
                     &QCoreApplication::quit);
    QWidget window;
    window.resize(291, 232);

    for (const auto interval : {500ms, 100ms, 50ms, 200ms, 200ms}) {
        auto* timer = new QTimer(&window);
        QObject::connect(timer, &QTimer::timeout, &window, [] {});
        timer->start(interval);
    }

    QSerialPort port(platform::devicePathForPort(1));
    port.setBaudRate(QSerialPort::Baud9600);
    if (!port.open(QIODevice::ReadWrite)) {
        std::fprintf(stderr, "bare_window: %s\n", qPrintable(port.errorString()));
        return 1;
    }
    QObject::connect(&port, &QSerialPort::readyRead, &port, [&port] { port.readAll(); });

    window.show();
    QTimer::singleShot(0, &port, [&port] {
        port.write("2a", 2);
        port.flush();
    });
    return QApplication::exec();
}
