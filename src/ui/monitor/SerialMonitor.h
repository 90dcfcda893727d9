#pragma once

#include <QWidget>

#include "link/MainDisplay.h"
#include "platform/SettingsStore.h"

class QGroupBox;
class QLabel;

namespace ui {

class LampShape;

// The link monitor window "serieelmonitor": the configured port and three lamps (link, transmit,
// receive). It only displays; the main window drives the lamps through MonitorLamps.
class SerialMonitor : public QWidget {
    Q_OBJECT

public:
    // `store` must outlive the window; it is read again on every load.
    explicit SerialMonitor(const platform::SettingsStore& store, QWidget* parent = nullptr);

    void Form_Load();

    LampShape* linkLamp() const { return m_shape1; }
    LampShape* transmitLamp() const { return m_shape2; }
    LampShape* receiveLamp() const { return m_shape3; }
    QLabel* portCaption() const { return m_label8; }

    // True once the operator has closed the window; it is then only waiting to be deleted.
    bool closed() const { return m_closed; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* addLabel(const char* name, const QString& caption, const QRect& twips);
    LampShape* addLamp(const char* name, const QString& accessibleName, txlink::Colour fillColor,
                       const QRect& twips);

    const platform::SettingsStore& m_store;
    QGroupBox* m_frame2;
    QLabel* m_label8 = nullptr;
    LampShape* m_shape1 = nullptr;
    LampShape* m_shape2 = nullptr;
    LampShape* m_shape3 = nullptr;
    bool m_closed = false;
};

}  // namespace ui
