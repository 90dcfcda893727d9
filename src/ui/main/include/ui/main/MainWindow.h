#pragma once

#include <QMainWindow>
#include <array>
#include <chrono>

#include "serial/SerialPortLink.h"
#include "txlink/ControlPanel.h"
#include "txlink/PanelDisplay.h"

class QAction;
class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace ui::main {

class FaceButton;
class HoldButton;
class StatusBar;

// The main window's controls, in their design-time state when created. Every event goes to the
// widget-free control panel, which writes the display back through PanelDisplay and PanelTimers.
class MainWindow final : public QMainWindow,
                         public txlink::PanelDisplay,
                         public txlink::PanelTimers {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds kLinkWatchPeriod{500};
    static constexpr std::chrono::milliseconds kFrequencyRepeatPeriod{100};
    static constexpr std::chrono::milliseconds kPowerRepeatPeriod{50};
    static constexpr std::chrono::milliseconds kLampPeriod{200};

    explicit MainWindow(txlink::ControlPanel& panel, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The controls the panel works on while this window is loaded.
    txlink::PanelControls& controls() { return m_controls; }
    serial::SerialPortLink& link() { return *m_link; }

    void showFrequency(std::string_view megahertz, std::string_view fraction) override;
    void showSelectedStep(std::optional<int> step) override;
    void showStepCaption(int step, std::string_view caption) override;
    void showLock(bool locked) override;
    void showPower(int level) override;
    void showCarrier(bool on) override;
    void showLink(bool up) override;
    void setTimerRunning(txlink::PanelTimer timer, bool running) override;

    // Stops every timer and serial event: nothing of this window reaches the panel any more.
    void silence();
    // Ticks "Network Control" in the Options menu, or clears it.
    void showNetworkControl(bool on);

signals:
    void settingsRequested();
    void monitorRequested();
    void serialPortsRequested();
    void aboutRequested();
    // The operator chose "Network Control": `on` is the state the menu now shows.
    void networkControlToggled(bool on);
    // The window is being closed (close box or "Exit"); the owner unloads it.
    void unloadRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildMenu();
    void buildTimers();
    void connectEvents();

    txlink::ControlPanel& m_panel;
    serial::SerialPortLink* m_link = nullptr;
    QLabel* m_megahertz = nullptr;
    QLabel* m_fraction = nullptr;
    std::array<QLabel*, txlink::kStepCount> m_stepLabels{};
    HoldButton* m_frequencyUp = nullptr;
    HoldButton* m_frequencyDown = nullptr;
    HoldButton* m_powerUp = nullptr;
    HoldButton* m_powerDown = nullptr;
    FaceButton* m_step = nullptr;
    FaceButton* m_carrier = nullptr;
    QProgressBar* m_powerBar = nullptr;
    StatusBar* m_statusBar = nullptr;
    QAction* m_networkControl = nullptr;
    std::array<QTimer*, 5> m_timers{};  // indexed by txlink::PanelTimer
    txlink::PanelControls m_controls;
};

}  // namespace ui::main
