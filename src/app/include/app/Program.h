#pragma once

#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include "platform/SettingsStore.h"
#include "rigctl/PanelTransmitter.h"
#include "rigctl/Server.h"
#include "session/TransmitterSession.h"
#include "txlink/ControlPanel.h"
#include "ui/about/AboutWindow.h"
#include "ui/common/MessageBox.h"
#include "ui/common/UrlOpener.h"
#include "ui/common/WindowHolder.h"
#include "ui/main/MainWindow.h"
#include "ui/monitor/MonitorLamps.h"
#include "ui/ports/SerialPortsWindow.h"
#include "ui/settings/SettingsDialog.h"
#include "ui/tuning/GoToFrequencyWindow.h"

namespace app {

// The program: the transmitter session, the windows that show it and network control. The session
// lives as long as the program. The main window is loaded at start and may be unloaded and loaded
// again (the Settings dialog's Save does that), and each load of it is a load of the session: the
// port opens, the timers start. The Settings dialog, the link monitor, the About and the Serial
// Ports windows exist at most once each. The program ends when no window is loaded any more.
//
// Network control (a rigctld-compatible server) outlives window reloads, as the session does. It
// is off unless this run was started with it, or the operator left it on in the "Options" menu
// the last time.
class Program final : public QObject, public txlink::PanelHost {
    Q_OBJECT

public:
    struct Services {
        platform::SettingsStore& store;
        ui::common::MessageBox& messages;
        ui::common::UrlOpener& urls;
        const txlink::Clock& clock;
        // Where the Serial Ports window finds devices; the system's when none is given.
        const ui::ports::DeviceSource* devices = nullptr;
        // Where toggles, reported changes and network clients are recorded; nowhere if none.
        txlink::TransmitLog* log = nullptr;
    };

    // How this run starts network control.
    struct NetworkControlStart {
        bool forced = false;  // on for this run, whatever is stored
        QHostAddress address{QHostAddress::LocalHost};
        quint16 port = rigctl::Server::kDefaultPort;
    };

    explicit Program(Services services, QObject* parent = nullptr);
    ~Program() override;

    // Before start().
    void setNetworkControlStart(const NetworkControlStart& start) { m_networkStart = start; }
    // Before start(): the profile this run is, named in the main window's title.
    void setProfile(const QString& name) { m_profile = name; }
    // Before start(): a transmit time-out for this run, whatever is stored.
    void setTransmitTimeoutStart(std::optional<std::chrono::seconds> limit) {
        m_timeoutForced = limit;
    }
    // The menu's "Transmit Time-out": in force now and remembered (0 seconds: off).
    void setTransmitTimeout(int seconds);
    // A signal is ending the program: an end with the carrier reported on is recorded.
    void recordEndBySignal();
    // The menu's "Network Control": on or off for this run, and remembered for the next starts.
    // A failure is said in a message box and leaves it off.
    void setNetworkControl(bool on);
    rigctl::Server& networkControl() { return m_networkControl; }

    // Loads and shows the main window: the program's start.
    void start();
    void loadMain();
    void showMain();
    void unloadMain();
    // The operator or a signal ends the main window. A key that a program sent just before is
    // given up to ControlPanel::kEndPatience to show in a report, and is then switched off
    // before the port closes; otherwise the window unloads at once. mainUnloaded() follows.
    void endMain();
    bool ending() const { return m_endDeadline.isActive(); }
    // The Settings dialog's Save: the main window starts again on the newly stored port.
    void reloadMain();

    void showSettings();
    void showMonitor();
    void showAbout();
    void showSerialPorts();
    void showGoToFrequency();
    // A port-map entry was assigned or cleared: the main window's own port opens again, as
    // after the Settings dialog's Save.
    void portMapChanged(int port);

    ui::main::MainWindow* mainWindow() const { return m_main.data(); }
    session::TransmitterSession& session() { return m_session; }
    txlink::ControlPanel& panel() { return m_session.panel(); }
    ui::monitor::MonitorLamps& monitor() { return m_monitor; }
    ui::settings::SettingsDialog* settingsDialog() const { return m_settings.window(); }
    ui::about::AboutWindow* aboutWindow() const { return m_about.window(); }
    ui::ports::SerialPortsWindow* serialPortsWindow() const { return m_ports.window(); }
    ui::tuning::GoToFrequencyWindow* goToFrequencyWindow() const { return m_tuning.window(); }

    txlink::Result<std::string> readPortText(const std::string& defaultText) override;
    void startupFailed(const txlink::Error& failure, std::string_view portText) override;
    void portChoiceNeeded() override;
    void panelClosed() override;
    txlink::ActivityLamps& lamps() override;
    void transmitTimedOut(std::chrono::seconds limit) override;
    void carrierStillOnAfterTimeout() override;

signals:
    // No window is loaded any more.
    void finished();
    // The main window has been unloaded, its port closed.
    void mainUnloaded();

private:
    void endIfNoWindow();
    void startNetworkControlAtLaunch();
    txlink::Status startNetworkControl();
    void showNetworkControlState();
    void showNetworkClients();
    void startTransmitTimeout();
    // Closing with the carrier on asks first; false keeps the window open.
    bool mayClose();
    bool carrierReportedOn() const;
    QString linkDetails() const;
    txlink::TransmitLog& log() { return m_services.log != nullptr ? *m_services.log : m_noLog; }

    Services m_services;
    QPointer<ui::main::MainWindow> m_main;
    ui::monitor::MonitorLamps m_monitor;
    ui::common::WindowHolder<ui::settings::SettingsDialog> m_settings;
    ui::common::WindowHolder<ui::about::AboutWindow> m_about;
    ui::common::WindowHolder<ui::ports::SerialPortsWindow> m_ports;
    ui::common::WindowHolder<ui::tuning::GoToFrequencyWindow> m_tuning;
    NetworkControlStart m_networkStart;
    bool m_warnedBeyondLoopback = false;
    QTimer m_endDeadline;
    std::optional<std::chrono::seconds> m_timeoutForced;
    QString m_profile;
    txlink::NullTransmitLog m_noLog;
    // After the windows it shows itself in, so that it unloads before they go.
    session::TransmitterSession m_session;
    // Last, so that its clients' sessions end while the panel they talk to is still there.
    rigctl::PanelTransmitter m_transmitter{m_session.panel()};
    rigctl::Server m_networkControl{m_transmitter, m_services.clock};
};

}  // namespace app
