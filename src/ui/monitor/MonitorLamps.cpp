#include "ui/monitor/MonitorLamps.h"

#include "ui/monitor/LampShape.h"

namespace ui::monitor {

MonitorLamps::MonitorLamps(const platform::SettingsStore& store)
    : m_holder([&store] { return new LinkMonitor(store); }) {}

void MonitorLamps::showLinkLamp(bool lit) {
    loaded().linkLamp()->setLit(lit);
}

void MonitorLamps::showTransmitLamp(bool lit) {
    loaded().transmitLamp()->setLit(lit);
}

void MonitorLamps::showReceiveLamp(bool lit) {
    loaded().receiveLamp()->setLit(lit);
}

LinkMonitor* MonitorLamps::show() {
    forgetClosed();
    return m_holder.show();
}

void MonitorLamps::unload() {
    m_holder.unload();
}

LinkMonitor* MonitorLamps::window() {
    forgetClosed();
    return m_holder.window();
}

LinkMonitor& MonitorLamps::loaded() {
    forgetClosed();
    return *m_holder.get();
}

// A window closed with its close box is deleted only when control returns to the event loop;
// until then a write must not land in it, or it would vanish with the window instead of showing
// in the next one.
void MonitorLamps::forgetClosed() {
    if (m_holder.loaded() && m_holder.window()->closed()) {
        m_holder.unload();
    }
}

}  // namespace ui::monitor
