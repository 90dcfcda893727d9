#pragma once

#include <QHostAddress>
#include <QObject>
#include <QPointer>

#include "platform/SettingsStore.h"
#include "rigctl/PanelTransmitter.h"
#include "rigctl/Server.h"
#include "txlink/ControlPanel.h"
#include "ui/about/AboutWindow.h"
#include "ui/common/MessageBox.h"
#include "ui/common/UrlOpener.h"
#include "ui/common/WindowHolder.h"
#include "ui/main/MainWindow.h"
#include "ui/monitor/MonitorLamps.h"
#include "ui/ports/SerialPortsWindow.h"
#include "ui/settings/SettingsDialog.h"

namespace ui::main {

// The program's windows. The main window is loaded at start and may be unloaded and loaded again
// (the Settings dialog's Save does that) while its control panel, and so the panel's state,
// stays. The Settings dialog, the link monitor, the About and the Serial Ports windows exist at
// most once each. The program ends when no window is loaded any more.
//
// Network control (a rigctld-compatible server) belongs to the program, not to the window: it
// outlives window reloads. It is off unless this run was started with it, or the operator left it
// on in the "Options" menu the last time.
class Program final : public QObject, public txlink::PanelHost {
    Q_OBJECT

public:
    struct Services {
        platform::SettingsStore& store;
        common::MessageBox& messages;
        common::UrlOpener& urls;
        const txlink::Clock& clock;
        // Where the Serial Ports window finds devices; the system's when none is given.
        const ports::DeviceSource* devices = nullptr;
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
    // The menu's "Network Control": on or off for this run, and remembered for the next starts.
    // A failure is said in a message box and leaves it off.
    void setNetworkControl(bool on);
    rigctl::Server& networkControl() { return m_networkControl; }

    // Loads and shows the main window: the program's start.
    void start();
    void loadMain();
    void showMain();
    void unloadMain();
    // The Settings dialog's Save: the main window starts again on the newly stored port.
    void reloadMain();

    void showSettings();
    void showMonitor();
    void showAbout();
    void showSerialPorts();
    // A port-map entry was assigned or cleared: the main window's own port opens again, as
    // after the Settings dialog's Save.
    void portMapChanged(int port);

    MainWindow* mainWindow() const { return m_main.data(); }
    txlink::ControlPanel& panel() { return m_panel; }
    monitor::MonitorLamps& monitor() { return m_monitor; }
    settings::SettingsDialog* settingsDialog() const { return m_settings.window(); }
    about::AboutWindow* aboutWindow() const { return m_about.window(); }
    ports::SerialPortsWindow* serialPortsWindow() const { return m_ports.window(); }

    txlink::Result<std::string> readPortText(const std::string& defaultText) override;
    void showStartupError(const std::string& message) override;
    void showSettingsDialog() override;
    void unloadMonitor() override;
    txlink::ActivityLamps& lamps() override;

signals:
    // No window is loaded any more.
    void finished();

private:
    void endIfNoWindow();
    void startNetworkControlAtLaunch();
    txlink::Status startNetworkControl();
    void showNetworkControlState();

    Services m_services;
    txlink::ControlPanel m_panel;
    QPointer<MainWindow> m_main;
    monitor::MonitorLamps m_monitor;
    common::WindowHolder<settings::SettingsDialog> m_settings;
    common::WindowHolder<about::AboutWindow> m_about;
    common::WindowHolder<ports::SerialPortsWindow> m_ports;
    NetworkControlStart m_networkStart;
    bool m_warnedBeyondLoopback = false;
    // Last, so that its sessions end while the panel they talk to is still there.
    rigctl::PanelTransmitter m_transmitter{m_panel};
    rigctl::Server m_networkControl{m_transmitter, m_services.clock};
};

}  // namespace ui::main
