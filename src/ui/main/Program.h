#pragma once

#include <QObject>
#include <QPointer>

#include "MainWindow.h"
#include "link/MainForm.h"
#include "platform/MessageBox.h"
#include "platform/SettingsStore.h"
#include "platform/UrlOpener.h"
#include "settings/SettingsDialog.h"
#include "ui/WindowHolder.h"
#include "ui/about/AboutWindow.h"
#include "ui/monitor/MonitorLamps.h"

namespace ui {

// The program's windows. The main window is loaded at start and may be unloaded and loaded again
// (the Settings dialog's Save does that) while its form, and so the form-level fields, stays.
// The Settings dialog, the link monitor and the About window exist at most once each. The
// program ends when no window is loaded any more.
class Program final : public QObject, public txlink::FormServices {
    Q_OBJECT

public:
    struct Services {
        platform::SettingsStore& store;
        platform::MessageBox& messages;
        platform::UrlOpener& urls;
        const txlink::Clock& clock;
    };

    explicit Program(Services services, QObject* parent = nullptr);
    ~Program() override;

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

    MainWindow* mainWindow() const { return m_main.data(); }
    txlink::MainForm& form() { return m_form; }
    MonitorLamps& monitor() { return m_monitor; }
    settings::SettingsDialog* settingsDialog() const { return m_settings.window(); }
    AboutWindow* aboutWindow() const { return m_about.window(); }

    std::string readPortText(const std::string& defaultText) override;
    void showStartupError(const std::string& message) override;
    void showSettingsDialog() override;
    void unloadMonitor() override;
    txlink::Lamps& lamps() override;

signals:
    // No window is loaded any more.
    void finished();

private:
    void endIfNoWindow();

    Services m_services;
    txlink::MainForm m_form;
    QPointer<MainWindow> m_main;
    MonitorLamps m_monitor;
    WindowHolder<settings::SettingsDialog> m_settings;
    WindowHolder<AboutWindow> m_about;
};

}  // namespace ui
