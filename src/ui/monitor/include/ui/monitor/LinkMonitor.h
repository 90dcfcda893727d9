#pragma once

#include <QWidget>

#include "platform/SettingsStore.h"

class QGroupBox;
class QLabel;

namespace ui::monitor {

class LampShape;

// The link monitor window "serieelmonitor": the configured port and three lamps (link, transmit,
// receive). It only displays; the main window drives the lamps through MonitorLamps.
class LinkMonitor : public QWidget {
    Q_OBJECT

public:
    // `store` must outlive the window; it is read again on every load.
    explicit LinkMonitor(const platform::SettingsStore& store, QWidget* parent = nullptr);

    LampShape* linkLamp() const { return m_linkLamp; }
    LampShape* transmitLamp() const { return m_transmitLamp; }
    LampShape* receiveLamp() const { return m_receiveLamp; }
    QLabel* portCaption() const { return m_portCaption; }

    // True once the operator has closed the window; it is then only waiting to be deleted.
    bool closed() const { return m_closed; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void showStoredPort(const platform::SettingsStore& store);

    QLabel* m_portCaption = nullptr;
    LampShape* m_linkLamp = nullptr;
    LampShape* m_transmitLamp = nullptr;
    LampShape* m_receiveLamp = nullptr;
    bool m_closed = false;
};

}  // namespace ui::monitor
