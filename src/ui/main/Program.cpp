#include "ui/main/Program.h"

#include "platform/PortSetting.h"

namespace ui::main {

Program::Program(Services services, QObject* parent)
    : QObject(parent),
      m_services(services),
      m_panel(services.clock, *this),
      m_monitor(services.store),
      m_settings([this] {
          auto* dialog = new settings::SettingsDialog(m_services.store, m_services.messages,
                                                      [this] { reloadMain(); });
          connect(dialog, &QObject::destroyed, this, &Program::endIfNoWindow, Qt::QueuedConnection);
          return dialog;
      }),
      m_about([this] {
          auto* about = new about::AboutWindow(m_services.urls);
          connect(about, &QObject::destroyed, this, &Program::endIfNoWindow, Qt::QueuedConnection);
          return about;
      }) {}

Program::~Program() {
    if (m_main) {
        m_panel.unload();
        m_panel.attach(nullptr);
        delete m_main.data();
    }
}

void Program::start() {
    loadMain();
    showMain();
}

void Program::loadMain() {
    if (m_main) {
        return;
    }
    m_main = new MainWindow(m_panel);
    connect(m_main, &MainWindow::unloadRequested, this, &Program::unloadMain);
    connect(m_main, &MainWindow::settingsRequested, this, &Program::showSettings);
    connect(m_main, &MainWindow::monitorRequested, this, &Program::showMonitor);
    connect(m_main, &MainWindow::aboutRequested, this, &Program::showAbout);
    m_panel.attach(&m_main->controls());
    m_panel.load();
}

void Program::showMain() {
    if (m_main) {
        m_main->show();
    }
}

void Program::unloadMain() {
    if (!m_main) {
        return;
    }
    m_panel.unload();
    MainWindow* window = m_main.data();
    m_main.clear();
    m_panel.attach(nullptr);
    window->silence();
    window->hide();
    // The unload may come from the window's own close event or menu: delete it once that is done.
    window->deleteLater();
    QMetaObject::invokeMethod(this, &Program::endIfNoWindow, Qt::QueuedConnection);
}

void Program::reloadMain() {
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

txlink::Result<std::string> Program::readPortText(const std::string& defaultText) {
    const txlink::Result<QString> text =
        platform::readPortText(m_services.store, QString::fromStdString(defaultText));
    if (!text) {
        return text.error();
    }
    return text->toStdString();
}

void Program::showStartupError(const std::string& message) {
    m_services.messages.critical(QStringLiteral("Error !!"), QString::fromStdString(message));
}

void Program::showSettingsDialog() {
    showSettings();
}

void Program::unloadMonitor() {
    m_monitor.unload();
}

txlink::ActivityLamps& Program::lamps() {
    return m_monitor;
}

void Program::endIfNoWindow() {
    if (!m_main && !m_settings.loaded() && !m_about.loaded()) {
        emit finished();
    }
}

}  // namespace ui::main
