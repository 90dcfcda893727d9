#pragma once

#include <QList>
#include <QMainWindow>
#include <array>
#include <chrono>
#include <functional>

#include "txlink/ControlPanel.h"
#include "txlink/PanelDisplay.h"

class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;

namespace ui::main {

class FaceButton;
class ClientArea;
class HoldButton;
class MenuKeys;
class StatusBar;

// The main window: a view of the transmitter session. Its controls are in their design-time
// state when created; it shows what the control panel writes to it, and turns the operator's
// presses into calls of the panel.
class MainWindow final : public QMainWindow, public txlink::PanelDisplay {
    Q_OBJECT

public:
    explicit MainWindow(txlink::ControlPanel& panel, QWidget* parent = nullptr);
    ~MainWindow() override;

    void showFrequency(std::string_view megahertz, std::string_view fraction) override;
    void showSelectedStep(std::optional<int> step) override;
    void showStepCaption(int step, std::string_view caption) override;
    void showLock(bool locked) override;
    void showPower(int level) override;
    void showCarrier(bool on) override;
    void showLink(bool up) override;
    void showNetworkControl(std::optional<txlink::NetworkControlShown> state) override;

    // Nothing of this window reaches the panel any more.
    void silence();
    // Ticks "Network Control" in the Options menu, or clears it.
    void showNetworkControlChosen(bool on);
    // Ticks the transmit time-out's choice; none when `limit` is none of the menu's.
    void showTransmitTimeoutChosen(std::optional<std::chrono::seconds> limit);
    // Asked before the window closes (close box or "Exit"); false keeps it open.
    void setCloseGuard(std::function<bool()> mayClose) { m_mayClose = std::move(mayClose); }
    // What the status bar's link panel tells when the pointer rests on it, asked each time.
    void setLinkDetailsSource(std::function<QString()> details) {
        m_linkDetails = std::move(details);
    }

signals:
    void settingsRequested();
    void monitorRequested();
    void serialPortsRequested();
    void goToFrequencyRequested();
    void aboutRequested();
    // The operator chose "Network Control": `on` is the state the menu now shows.
    void networkControlToggled(bool on);
    // The operator chose a transmit time-out; 0 is "Off".
    void transmitTimeoutChosen(int seconds);
    // The window is being closed (close box or "Exit"); the owner unloads it.
    void unloadRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildFrequencyRow(ClientArea* client);
    void buildStepRow(ClientArea* client);
    void buildButtons(ClientArea* client);
    void buildStatusBar(ClientArea* client);
    void buildKeys();
    void buildMenu();
    void buildOptionsMenu(MenuKeys& keys);
    void buildTimeoutMenu(QMenu& options, MenuKeys& keys);
    void connectEvents();
    // What a screen reader says of the frequency, the step and the power, from what they show.
    void speakFrequency();
    void speakStep();
    void speakPower();

    txlink::ControlPanel& m_panel;
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
    QList<QAction*> m_transmitTimeouts;
    std::function<bool()> m_mayClose;
    std::function<QString()> m_linkDetails;
};

}  // namespace ui::main
