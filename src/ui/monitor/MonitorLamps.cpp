#include "MonitorLamps.h"

#include "LampShape.h"

namespace ui {

MonitorLamps::MonitorLamps(const platform::SettingsStore& store)
    : m_holder([&store] { return new SerialMonitor(store); }) {}

void MonitorLamps::setLinkLamp(txlink::Colour colour) {
    loaded().linkLamp()->setFillColor(colour);
}

void MonitorLamps::setTransmitLamp(txlink::Colour colour) {
    loaded().transmitLamp()->setFillColor(colour);
}

void MonitorLamps::setReceiveLamp(txlink::Colour colour) {
    loaded().receiveLamp()->setFillColor(colour);
}

SerialMonitor* MonitorLamps::show() {
    forgetClosed();
    return m_holder.show();
}

void MonitorLamps::unload() {
    m_holder.unload();
}

SerialMonitor* MonitorLamps::window() {
    forgetClosed();
    return m_holder.window();
}

SerialMonitor& MonitorLamps::loaded() {
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

}  // namespace ui
