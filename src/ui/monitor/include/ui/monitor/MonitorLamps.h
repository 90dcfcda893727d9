#pragma once

#include "platform/SettingsStore.h"
#include "txlink/PanelDisplay.h"
#include "ui/common/WindowHolder.h"
#include "ui/monitor/LinkMonitor.h"

namespace ui::monitor {

// The one link monitor window of the program and the way every lamp write reaches it: a write
// to a window that is not loaded loads it hidden first, so the lamps are current whenever the
// menu shows it.
class MonitorLamps : public txlink::ActivityLamps {
public:
    // `store` must outlive this object; each load of the window reads the port text from it.
    explicit MonitorLamps(const platform::SettingsStore& store);

    void showLinkLamp(bool lit) override;
    void showTransmitLamp(bool lit) override;
    void showReceiveLamp(bool lit) override;

    // The menu's "RS232 Monitor": shows the window, loading it if need be.
    LinkMonitor* show();
    // With the main window's unload: discards the window and the state of its lamps.
    void unload();
    // The loaded window, shown or hidden, or nullptr.
    LinkMonitor* window();

private:
    LinkMonitor& loaded();
    void forgetClosed();

    common::WindowHolder<LinkMonitor> m_holder;
};

}  // namespace ui::monitor
