#pragma once

#include <QFileSystemWatcher>
#include <QList>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <functional>

#include "portmap/PortAssignments.h"
#include "portmap/SerialDevices.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace ui::ports {

// Where the window finds the serial devices, and the folders whose changes mean that a device may
// have come or gone (or a port-map entry changed).
struct DeviceSource {
    std::function<QList<portmap::SerialDevice>()> list;
    QStringList watchedFolders;
    QString stableFolder = portmap::kStableNameFolder;

    // The system's devices: QSerialPortInfo, /dev and its serial folders, and the port map.
    static DeviceSource system();
};

// "Serial Ports": lists the serial devices present and what each port number 1 to 9 opens, and
// lets the operator assign a listed device to a port number or clear a port's entry. The lists
// follow devices coming and going while the window is open. Modeless; closing unloads it.
class SerialPortsWindow final : public QWidget {
    Q_OBJECT

public:
    // Changes in the watched folders come in bursts (a device node, then its stable names):
    // the lists are read again once they have settled.
    static constexpr std::chrono::milliseconds kSettleTime{300};

    // `portMapChanged` is told each port number whose entry was assigned or cleared.
    SerialPortsWindow(DeviceSource source, std::function<void(int port)> portMapChanged,
                      QWidget* parent = nullptr);

    // Reads the devices and the port map again.
    void refresh();
    // Points the chosen port number at the selected device.
    void assignSelectedDevice();
    // Removes the chosen port number's entry.
    void clearChosenPort();

    int chosenPort() const;

private:
    void buildControls();
    void showDevices();
    void showPorts();
    void watchFolders();
    void portRowSelected();
    void updateButtons();
    void report(const QString& text);

    DeviceSource m_source;
    std::function<void(int)> m_portMapChanged;
    QFileSystemWatcher m_watcher;
    QTimer m_settle;
    QTreeWidget* m_deviceList = nullptr;
    QComboBox* m_portBox = nullptr;
    QPushButton* m_assign = nullptr;
    QPushButton* m_clear = nullptr;
    QTreeWidget* m_portList = nullptr;
    QLabel* m_result = nullptr;
    QPushButton* m_close = nullptr;
};

}  // namespace ui::ports
