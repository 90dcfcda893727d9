#include <QApplication>
#include <QFont>

#include "platform/EventGuard.h"
#include "platform/IniSettingsStore.h"
#include "platform/MessageBox.h"
#include "platform/SystemClock.h"
#include "platform/TerminationSignals.h"
#include "platform/UrlOpener.h"
#include "ui/main/Program.h"

namespace {

// The last line of defence: a failure that escapes a handler is reported and the program goes on.
class Application final : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        bool handled = false;
        platform::guarded("event handling",
                          [&] { handled = QApplication::notify(receiver, event); });
        return handled;
    }
};

}  // namespace

int main(int argc, char* argv[]) {
    platform::TerminationSignals::block();
    Application app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VoraTXController"));
    QApplication::setApplicationVersion(QStringLiteral("1.3.0"));
    // Where the desktop lacks the classic sans serif, a metric-compatible face keeps captions
    // whole.
    QFont::insertSubstitutions(
        QStringLiteral("MS Sans Serif"),
        {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans")});
    // The program ends when its last loaded window is unloaded, hidden or not; it says so itself.
    QApplication::setQuitOnLastWindowClosed(false);

    platform::IniSettingsStore store;
    platform::WidgetMessageBox messages;
    platform::DesktopUrlOpener urls;
    platform::SystemClock clock;
    ui::Program program({store, messages, urls, clock});
    QObject::connect(&program, &ui::Program::finished, &app, &QCoreApplication::quit);
    // SIGTERM and SIGINT (a session ending, Ctrl+C) close the port as the Exit command would.
    bool terminated = false;
    platform::TerminationSignals termination;
    QObject::connect(&termination, &platform::TerminationSignals::requested, &app, [&] {
        terminated = true;
        // A start-up error box runs a loop of its own: close it so that start-up can finish.
        if (QWidget* modal = QApplication::activeModalWidget()) {
            modal->close();
        }
        program.unloadMain();
        QCoreApplication::quit();
    });
    program.start();
    if (terminated) {
        // Asked to end before the event loop ran, where quit() has nothing to end.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return 0;
    }
    return QApplication::exec();
}
