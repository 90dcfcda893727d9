#include "app/Program.h"

#include "platform/Logging.h"
#include "platform/NetworkControlSetting.h"
#include "platform/PortSetting.h"
#include "ui/main/StartupMessage.h"

namespace app {

using ui::main::MainWindow;

Program::Program(Services services, QObject* parent)
    : QObject(parent),
      m_services(services),
      m_monitor(services.store),
      m_settings([this] {
          auto* dialog = new ui::settings::SettingsDialog(m_services.store, m_services.messages,
                                                          [this] { reloadMain(); });
          connect(dialog, &QObject::destroyed, this, &Program::endIfNoWindow, Qt::QueuedConnection);
          return dialog;
      }),
      m_about([this] {
          auto* about = new ui::about::AboutWindow(m_services.urls);
          connect(about, &QObject::destroyed, this, &Program::endIfNoWindow, Qt::QueuedConnection);
          return about;
      }),
      m_ports([this] {
          auto* window = new ui::ports::SerialPortsWindow(
              m_services.devices != nullptr ? *m_services.devices
                                            : ui::ports::DeviceSource::system(),
              [this](int port) { portMapChanged(port); });
          connect(window, &QObject::destroyed, this, &Program::endIfNoWindow, Qt::QueuedConnection);
          return window;
      }),
      m_session(services.clock, *this) {
    connect(&m_networkControl, &rigctl::Server::clientConnected, this,
            &Program::showNetworkClients);
    connect(&m_networkControl, &rigctl::Server::clientGone, this, &Program::showNetworkClients);
    m_endDeadline.setSingleShot(true);
    m_endDeadline.setInterval(txlink::ControlPanel::kEndPatience);
    connect(&m_endDeadline, &QTimer::timeout, this, &Program::unloadMain);
}

Program::~Program() {
    m_networkControl.disconnect(this);
    if (m_main) {
        m_session.unload();
        delete m_main.data();
    }
}

void Program::start() {
    startNetworkControlAtLaunch();
    loadMain();
    showMain();
}

void Program::loadMain() {
    if (m_main) {
        return;
    }
    m_main = new MainWindow(m_session.panel());
    connect(m_main, &MainWindow::unloadRequested, this, &Program::endMain);
    connect(m_main, &MainWindow::settingsRequested, this, &Program::showSettings);
    connect(m_main, &MainWindow::monitorRequested, this, &Program::showMonitor);
    connect(m_main, &MainWindow::aboutRequested, this, &Program::showAbout);
    connect(m_main, &MainWindow::networkControlToggled, this, &Program::setNetworkControl);
    showNetworkControlState();
    connect(m_main, &MainWindow::serialPortsRequested, this, &Program::showSerialPorts);
    m_session.load(*m_main);
}

void Program::showMain() {
    if (m_main) {
        m_main->show();
    }
}

void Program::endMain() {
    if (!m_main || ending()) {
        return;
    }
    if (!m_session.panel().releaseProgramsForEnd()) {
        unloadMain();
        return;
    }
    qCInfo(lcProgram,
           "a network key is on its way to the transmitter: waiting for its report to "
           "switch it off before the port closes");
    m_main->hide();
    m_endDeadline.start();
    // The session's own handler has applied the report by the time this one runs.
    connect(&m_session.link(), &serial::SerialPortLink::received, this, [this] {
        if (!m_session.panel().programKeyAwaitsReport()) {
            unloadMain();
        }
    });
}

void Program::unloadMain() {
    if (!m_main) {
        return;
    }
    m_endDeadline.stop();
    m_session.link().disconnect(this);
    m_session.unload();
    MainWindow* window = m_main.data();
    m_main.clear();
    // Hidden first, while its buttons still reach the panel: a hold in progress ends with its
    // window, and no command goes on repeating.
    window->hide();
    window->silence();
    // The unload may come from the window's own close event or menu: delete it once that is done.
    window->deleteLater();
    QMetaObject::invokeMethod(this, &Program::endIfNoWindow, Qt::QueuedConnection);
    emit mainUnloaded();
}

void Program::reloadMain() {
    if (ending()) {
        return;  // the window is on its way out; it does not come back
    }
    unloadMain();
    loadMain();
    showMain();
}

void Program::showSettings() {
    m_settings.show();
}
void Program::showMonitor() {
    m_monitor.show();
}
void Program::showAbout() {
    m_about.show();
}
void Program::showSerialPorts() {
    m_ports.show();
}

void Program::portMapChanged(int port) {
    if (m_main && port == m_session.panel().state().port) {
        reloadMain();
    }
}

txlink::Result<std::string> Program::readPortText(const std::string& defaultText) {
    const txlink::Result<QString> text =
        platform::readPortText(m_services.store, QString::fromStdString(defaultText));
    if (!text) {
        // The start-up box says it too, but standard error is where a log of the session is.
        qCWarning(lcSettings, "%s (error %d)", text.error().reason.c_str(), text.error().number);
        return text.error();
    }
    return text->toStdString();
}

void Program::startupFailed(const txlink::Error& failure, std::string_view portText) {
    m_services.messages.critical(
        ui::main::startupErrorTitle(),
        ui::main::startupErrorMessage(
            failure.number, QString::fromUtf8(portText.data(), qsizetype(portText.size())),
            QString::fromStdString(failure.reason)));
}

void Program::portChoiceNeeded() {
    showSettings();
}

void Program::panelClosed() {
    m_monitor.unload();
}

txlink::ActivityLamps& Program::lamps() {
    return m_monitor;
}

// Start-up says what went wrong on standard error only: no box holds the panel up.
void Program::startNetworkControlAtLaunch() {
    bool wanted = m_networkStart.forced;
    if (!wanted) {
        const txlink::Result<bool> stored = platform::readNetworkControlOn(m_services.store);
        if (!stored) {
            qCWarning(lcRigctl, "network control stays off: %s", stored.error().reason.c_str());
        }
        wanted = stored && *stored;
    }
    if (!wanted) {
        return;
    }
    if (const txlink::Status started = startNetworkControl(); !started) {
        qCWarning(lcRigctl, "network control is off: %s", started.error().reason.c_str());
    }
}

txlink::Status Program::startNetworkControl() {
    const QHostAddress& address = m_networkStart.address;
    if (const txlink::Status listening = m_networkControl.listen(address, m_networkStart.port);
        !listening) {
        return listening;
    }
    qCInfo(lcRigctl, "network control on %s port %u", qPrintable(address.toString()),
           unsigned(m_networkControl.port()));
    if (!address.isLoopback() && !m_warnedBeyondLoopback) {
        m_warnedBeyondLoopback = true;
        qCWarning(lcRigctl,
                  "network control listens on %s, beyond this computer: any program that reaches "
                  "it can key the transmitter",
                  qPrintable(address.toString()));
    }
    return txlink::Status::success();
}

void Program::setNetworkControl(bool on) {
    if (on != m_networkControl.isListening()) {
        if (!on) {
            m_networkControl.stop();
            qCInfo(lcRigctl, "network control off");
        } else if (const txlink::Status started = startNetworkControl(); !started) {
            qCWarning(lcRigctl, "network control is off: %s", started.error().reason.c_str());
            showNetworkControlState();
            m_services.messages.critical(tr("Network Control"),
                                         tr("Network control could not start.") +
                                             QStringLiteral("\r\r") +
                                             QString::fromStdString(started.error().reason));
            return;
        }
    }
    showNetworkControlState();
    if (const txlink::Status saved = platform::saveNetworkControlOn(m_services.store, on); !saved) {
        qCWarning(lcSettings, "cannot remember network control %s: %s", on ? "on" : "off",
                  saved.error().reason.c_str());
        m_services.messages.critical(
            tr("Network Control"),
            (on ? tr("Network control is on for now, but the next start will not know.")
                : tr("Network control is off for now, but the next start will not know.")) +
                QStringLiteral("\r\r") + QString::fromStdString(saved.error().reason));
    }
}

void Program::showNetworkControlState() {
    if (m_main) {
        m_main->showNetworkControlChosen(m_networkControl.isListening());
    }
    showNetworkClients();
}

void Program::showNetworkClients() {
    m_session.panel().setNetworkClients(m_networkControl.isListening()
                                            ? std::optional<int>(m_networkControl.sessionCount())
                                            : std::nullopt);
}

void Program::endIfNoWindow() {
    if (!m_main && !m_settings.loaded() && !m_about.loaded() && !m_ports.loaded()) {
        emit finished();
    }
}

}  // namespace app
