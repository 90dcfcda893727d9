// The press-and-hold repeat rates as they reach the line: holds each repeating button for a few
// seconds on the real window, serial port and timers over a pseudo-terminal, and prints the
// commands per second beside the nominal rate (10 for frequency, 20 for power).
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

#include "platform/IniSettingsStore.h"
#include "platform/MessageBox.h"
#include "platform/SystemClock.h"
#include "platform/UrlOpener.h"
#include "ui/main/Program.h"

namespace {

class SilentMessageBox final : public platform::MessageBox {
public:
    void critical(const QString& title, const QString& message) override {
        std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(message));
    }
};

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, atoi(argv[1])) : 3;

    int master = -1;
    int slave = -1;
    char name[256] = {};
    if (openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        std::perror("openpty");
        return 1;
    }
    termios raw{};
    tcgetattr(slave, &raw);
    cfmakeraw(&raw);
    tcsetattr(slave, TCSANOW, &raw);
    QDir().mkpath(config.path() + "/VoraTXController/ports");
    QFile::link(QString::fromLocal8Bit(name), config.path() + "/VoraTXController/ports/com1");

    platform::IniSettingsStore store;
    SilentMessageBox messages;
    platform::DesktopUrlOpener urls;
    platform::SystemClock clock;
    ui::Program program({store, messages, urls, clock});
    program.start();

    auto drain = [master] {
        QByteArray line;
        char buffer[4096];
        for (;;) {
            QCoreApplication::processEvents();
            fd_set set;
            FD_ZERO(&set);
            FD_SET(master, &set);
            timeval none{0, 20000};
            if (select(master + 1, &set, nullptr, nullptr, &none) <= 0) {
                return line;
            }
            const ssize_t n = read(master, buffer, sizeof buffer);
            if (n <= 0) {
                return line;
            }
            line.append(buffer, n);
        }
    };
    drain();

    struct Hold {
        const char* button;
        void (txlink::MainForm::*down)();
        void (txlink::MainForm::*up)();
        const char* command;
        double nominal;
    };
    using F = txlink::MainForm;
    const Hold holds[] = {{"frequency Up", &F::Command1_MouseDown, &F::Command1_MouseUp, "3a", 10},
                          {"power Up", &F::Command5_MouseDown, &F::Command5_MouseUp, "5a", 20}};
    for (const Hold& hold : holds) {
        QElapsedTimer held;
        held.start();
        (program.form().*hold.down)();
        QByteArray line;
        while (held.elapsed() < seconds * 1000) {
            QTest::qWait(10);
            line += drain();
        }
        (program.form().*hold.up)();
        const double elapsed = double(held.elapsed()) / 1000.0;
        line += drain();
        const double perSecond = double(line.count(hold.command) - 1) / elapsed;
        std::printf(
            "%-13s %5.2f commands/s after the first (nominal %2.0f, ratio %.3f) over %.2f s\n",
            hold.button, perSecond, hold.nominal, perSecond / hold.nominal, elapsed);
    }
    close(master);
    return 0;
}
