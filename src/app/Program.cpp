#include "app/Program.h"

#include "platform/Logging.h"
#include "platform/NetworkControlSetting.h"
#include "platform/PortSetting.h"
#include "platform/PrintableName.h"
#include "platform/TransmitTimeoutSetting.h"
#include "txlink/Watchdog.h"
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
      m_tuning([this] {
          auto* window = new ui::tuning::GoToFrequencyWindow(
              std::make_unique<ui::tuning::PanelTuner>(m_session.panel()), m_services.store);
          connect(window, &QObject::destroyed, this, &Program::endIfNoWindow, Qt::QueuedConnection);
          return window;
      }),
      m_session(services.clock, *this) {
    connect(&m_networkControl, &rigctl::Server::clientConnected, this,
            &Program::showNetworkClients);
    connect(&m_networkControl, &rigctl::Server::clientGone, this, &Program::showNetworkClients);
    txlink::ControlPanel& panel = m_session.panel();
    panel.recordIn(log());
    panel.nameRequestersBy([this](txlink::RemoteCarrier::Requester requester) {
        return m_networkControl.peerOf(requester).toStdString();
    });
    const auto recordClient = [this](std::string_view event) {
        return [this, event](const QString& peer) {
            log().record(event, {{"peer", peer.toStdString()}});
        };
    };
    connect(&m_networkControl, &rigctl::Server::clientConnected, this,
            recordClient(txlink::logevent::kClientConnected));
    connect(&m_networkControl, &rigctl::Server::clientGone, this,
            recordClient(txlink::logevent::kClientGone));
    connect(&m_networkControl, &rigctl::Server::clientDropped, this,
            [this](const QString& peer, const QString& reason) {
                log().record(txlink::logevent::kClientDropped,
                             {{"peer", peer.toStdString()}, {"reason", reason.toStdString()}});
            });
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
    startTransmitTimeout();
    loadMain();
    showMain();
}

// Start-up says what went wrong on standard error only: no box holds the panel up.
void Program::startTransmitTimeout() {
    std::optional<std::chrono::seconds> limit = m_timeoutForced;
    if (!limit) {
        const auto stored = platform::readTransmitTimeout(m_services.store);
        if (!stored) {
            qCWarning(lcSettings, "the transmit time-out stays off: %s",
                      stored.error().reason.c_str());
        }
        limit = stored ? *stored : std::nullopt;
    }
    m_session.panel().setTransmitTimeout(limit);
    if (limit) {
        qCInfo(lcProgram, "transmit time-out: %lld s", static_cast<long long>(limit->count()));
    }
}

void Program::setTransmitTimeout(int seconds) {
    const std::optional<std::chrono::seconds> limit =
        seconds > 0 ? std::optional(std::chrono::seconds(seconds)) : std::nullopt;
    m_session.panel().setTransmitTimeout(limit);
    if (m_main) {
        m_main->showTransmitTimeoutChosen(limit);
    }
    if (const txlink::Status saved = platform::saveTransmitTimeout(m_services.store, limit);
        !saved) {
        qCWarning(lcSettings, "cannot remember the transmit time-out: %s",
                  saved.error().reason.c_str());
        m_services.messages.critical(
            tr("Transmit Time-out"),
            tr("The time-out is in force for now, but the next start will not know.") +
                QStringLiteral("\r\r") + QString::fromStdString(saved.error().reason));
    }
}

void Program::transmitTimedOut(std::chrono::seconds limit) {
    const QString after = limit.count() % 60 == 0
                              ? tr("%n minute(s)", nullptr, int(limit.count() / 60))
                              : tr("%n second(s)", nullptr, int(limit.count()));
    m_services.messages.notify(
        tr("Transmit Time-out"),
        tr("The carrier was on for %1: the panel switched it off.").arg(after));
}

void Program::carrierStillOnAfterTimeout() {
    m_services.messages.notify(
        tr("Transmit Time-out"),
        tr("The transmitter still reports the carrier on after the time-out switched it off.") +
            QStringLiteral("\r") +
            tr("The panel sends nothing more: a second toggle could key it. Switch it off "
               "yourself."));
}

bool Program::carrierReportedOn() const {
    const txlink::Shown& shown = m_session.panel().shown();
    return shown.carrierOn == true && shown.linkUp == true;
}

bool Program::mayClose() {
    if (!carrierReportedOn()) {
        return true;
    }
    enum Choice { kSwitchOff, kLeaveOn, kCancel };
    const int choice = m_services.messages.ask(
        tr("Carrier On"), tr("The transmitter reports the carrier on. Close the panel?"),
        {tr("Switch Off and Close"), tr("Close and Leave On"), tr("Cancel")}, kCancel);
    switch (choice) {
        case kSwitchOff:
            (void)m_session.panel().switchOffForClose();
            return true;
        case kLeaveOn:
            log().record(txlink::logevent::kEndKeyed,
                         {{"by", std::string(txlink::logorigin::kClose)}, {"carrier", "on"}});
            return true;
        default:
            return false;
    }
}

void Program::recordEndBySignal() {
    if (carrierReportedOn()) {
        log().record(txlink::logevent::kEndKeyed, {{"by", "signal"}, {"carrier", "on"}});
    }
}

// What was opened, whether it is open, and how long since the transmitter was heard.
QString Program::linkDetails() const {
    const serial::SerialPortLink& link = m_session.link();
    QString text =
        link.device().isEmpty()
            ? tr("Port %1: no device opened yet").arg(link.port())
            : tr("Port %1: %2").arg(link.port()).arg(platform::printableName(link.device()));
    text += u'\n' + (link.isOpen() ? tr("open") : tr("not open"));
    const txlink::PanelState& state = m_session.panel().state();
    if (!state.lastReceive) {
        text += u'\n' + tr("nothing received yet");
    } else {
        const auto since = std::chrono::duration_cast<std::chrono::milliseconds>(
            m_services.clock.now() - *state.lastReceive);
        text += u'\n' + tr("last record %1 s ago").arg(double(since.count()) / 1000.0, 0, 'f', 1);
    }
    return text;
}

void Program::loadMain() {
    if (m_main) {
        return;
    }
    m_main = new MainWindow(m_session.panel());
    if (!m_profile.isEmpty()) {
        m_main->setWindowTitle(m_main->windowTitle() + QStringLiteral(" [%1]").arg(m_profile));
    }
    connect(m_main, &MainWindow::unloadRequested, this, &Program::endMain);
    connect(m_main, &MainWindow::settingsRequested, this, &Program::showSettings);
    connect(m_main, &MainWindow::monitorRequested, this, &Program::showMonitor);
    connect(m_main, &MainWindow::aboutRequested, this, &Program::showAbout);
    connect(m_main, &MainWindow::networkControlToggled, this, &Program::setNetworkControl);
    connect(m_main, &MainWindow::transmitTimeoutChosen, this, &Program::setTransmitTimeout);
    m_main->showTransmitTimeoutChosen(m_session.panel().transmitTimeout());
    m_main->setCloseGuard([this] { return mayClose(); });
    m_main->setLinkDetailsSource([this] { return linkDetails(); });
    showNetworkControlState();
    connect(m_main, &MainWindow::serialPortsRequested, this, &Program::showSerialPorts);
    connect(m_main, &MainWindow::goToFrequencyRequested, this, &Program::showGoToFrequency);
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
    // The new window takes the old one's place on the screen, where the operator left it.
    const std::optional<QPoint> place =
        m_main && m_main->isVisible() ? std::optional(m_main->pos()) : std::nullopt;
    unloadMain();
    loadMain();
    if (m_main && place) {
        m_main->move(*place);
    }
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
void Program::showGoToFrequency() {
    m_tuning.show();
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
    if (!m_main && !m_settings.loaded() && !m_about.loaded() && !m_ports.loaded() &&
        !m_tuning.loaded()) {
        emit finished();
    }
}

}  // namespace app
