#pragma once

#include "SerialMonitor.h"
#include "link/MainDisplay.h"
#include "platform/SettingsStore.h"
#include "ui/WindowHolder.h"

namespace ui {

// The one link monitor window of the program and the way every lamp write reaches it: a write
// to a window that is not loaded loads it hidden first, so the lamps are current whenever the
// menu shows it.
class MonitorLamps : public txlink::Lamps {
public:
    // `store` must outlive this object; each load of the window reads the port text from it.
    explicit MonitorLamps(const platform::SettingsStore& store);

    void setLinkLamp(txlink::Colour colour) override;
    void setTransmitLamp(txlink::Colour colour) override;
    void setReceiveLamp(txlink::Colour colour) override;

    // The menu's "RS232 Monitor": shows the window, loading it if need be.
    SerialMonitor* show();
    // With the main window's unload: discards the window and the state of its lamps.
    void unload();
    // The loaded window, shown or hidden, or nullptr.
    SerialMonitor* window();

private:
    SerialMonitor& loaded();
    void forgetClosed();

    WindowHolder<SerialMonitor> m_holder;
};

}  // namespace ui
