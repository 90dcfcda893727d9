#include <QApplication>
#include <cstdio>
#include <exception>

#include "KeyRepeat.h"
#include "app/CommandLine.h"
#include "app/PortMapCommands.h"
#include "app/Program.h"
#include "platform/ConfigPaths.h"
#include "platform/FileTransmitLog.h"
#include "platform/IniSettingsStore.h"
#include "platform/Logging.h"
#include "platform/SystemClock.h"
#include "platform/TerminationSignals.h"
#include "platform/Translations.h"
#include "platform/Version.h"
#include "ui/common/MessageBox.h"
#include "ui/common/Style.h"
#include "ui/common/UrlOpener.h"

namespace {

// The last line of defence: a failure that escapes an event handler is reported and the program
// goes on. Everything below it reports failures as results; this catches what slipped through.
class Application final : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& failure) {
            qCCritical(lcProgram, "an event handler failed: %s", failure.what());
        } catch (...) {
            qCCritical(lcProgram, "an event handler failed");
        }
        return false;
    }
};

// The program's texts in other languages: translations/vora_<language>.ts.
const QString kCatalogue = QStringLiteral("vora");

// What the command line answers without a window system and without opening a port: a refusal,
// the help, the version, the port map.
bool answersOnTheTerminal(const txlink::Result<app::Options>& options) {
    return !options || options->help || options->version || options->changesOrShowsPortMap();
}

int answerOnTheTerminal(const txlink::Result<app::Options>& parsed) {
    if (!parsed) {
        std::fprintf(stderr, "vora-tx-controller: %s\n%s", parsed.error().reason.c_str(),
                     qPrintable(app::usageText()));
        return 2;
    }
    const app::Options& options = *parsed;
    if (options.help || options.version) {
        std::fputs(qPrintable(options.help ? app::helpText() : app::versionText()), stdout);
        return 0;
    }
    if (options.changesOrShowsPortMap()) {
        const app::CommandOutcome outcome = app::runPortMapCommand(options);
        std::fputs(qPrintable(outcome.output), stdout);
        if (!outcome.errors.isEmpty()) {
            std::fprintf(stderr, "vora-tx-controller: %s", qPrintable(outcome.errors));
        }
        return outcome.exitStatus;
    }
    return 0;
}

void configureApplication() {
    QApplication::setApplicationName(QStringLiteral("VoraTXController"));
    QApplication::setApplicationVersion(QLatin1String(platform::kVersion));
    // The desktop matches the panel's windows to its menu entry, vora-tx-controller.desktop, by
    // this name (the Wayland app id; on X11 the instance name already matches it).
    QGuiApplication::setDesktopFileName(QStringLiteral("vora-tx-controller"));
    ui::common::substituteFaces();
    // The program ends when its last loaded window is unloaded, hidden or not; it says so itself.
    QApplication::setQuitOnLastWindowClosed(false);
}

// The panel itself, until its last window is gone or a signal ends it.
int runPanel(const app::Options& options) {
    platform::IniSettingsStore store(platform::settingsFilePath(options.profile));
    ui::common::WidgetMessageBox messages;
    ui::common::DesktopUrlOpener urls;
    platform::SystemClock clock;
    platform::FileTransmitLog log(platform::stateFolder(options.profile));
    app::Program program({store, messages, urls, clock, nullptr, &log});
    program.setTransmitTimeoutStart(options.transmitTimeout);
    program.setProfile(options.profile);
    program.setNetworkControlStart(
        {options.networkControlPort.has_value(), options.networkControlAddress,
         options.networkControlPort.value_or(rigctl::Server::kDefaultPort)});
    QObject::connect(&program, &app::Program::finished, qApp, &QCoreApplication::quit);
    // SIGTERM, SIGINT and SIGHUP (a session ending, Ctrl+C, the terminal closed) close the port as
    // the Exit command would.
    bool terminated = false;
    platform::TerminationSignals termination;
    QObject::connect(&termination, &platform::TerminationSignals::requested, qApp, [&] {
        terminated = true;
        program.recordEndBySignal();
        // A start-up error box runs a loop of its own: close it so that start-up can finish.
        if (QWidget* modal = QApplication::activeModalWidget()) {
            modal->close();
        }
        program.endMain();
        if (program.mainWindow() == nullptr) {
            QCoreApplication::quit();
        }
    });
    // A network key on its way when the signal came is switched off first.
    QObject::connect(&program, &app::Program::mainUnloaded, qApp, [&] {
        if (terminated) {
            QCoreApplication::quit();
        }
    });
    program.start();
    if (terminated && program.mainWindow() == nullptr) {
        // Asked to end before the event loop ran, where quit() has nothing to end.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return 0;
    }
    return QApplication::exec();
}

}  // namespace

int main(int argc, char* argv[]) {
    platform::TerminationSignals::block();

    // Read before any window system is asked for, so --help works without a display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    const txlink::Result<app::Options> options = app::parseCommandLine(arguments);
    if (answersOnTheTerminal(options)) {
        // In the desktop's language, which takes an application to install; read again in it.
        QCoreApplication terminal(argc, argv);
        const platform::Translations translations(kCatalogue);
        return answerOnTheTerminal(app::parseCommandLine(arguments));
    }

    // Diagnostics read as the program's own lines on standard error.
    qSetMessagePattern(QStringLiteral("vora-tx-controller: %{message}"));
    Application app(argc, argv);
    configureApplication();
    app::useDetectableAutoRepeat();
    // Every window and box in the desktop's language; English and C keep the program's own texts.
    const platform::Translations translations(kCatalogue);
    return runPanel(*options);
}
