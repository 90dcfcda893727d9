#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <array>

#include "HoldButton.h"
#include "StatusBar.h"
#include "link/MainDisplay.h"
#include "link/MainForm.h"
#include "platform/SerialPort.h"

namespace ui {

// The main window's controls, in their design-time state when created. Every event goes to the
// widget-free form; the form writes the display back through the MainDisplay and Timers setters.
class MainWindow final : public QMainWindow, public txlink::MainDisplay, public txlink::Timers {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds kWatchdogPeriod{500};
    static constexpr std::chrono::milliseconds kFrequencyRepeatPeriod{100};
    static constexpr std::chrono::milliseconds kPowerRepeatPeriod{50};
    static constexpr std::chrono::milliseconds kLampPeriod{200};

    explicit MainWindow(txlink::MainForm& form, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The controls the form works on while this window is loaded.
    txlink::Controls& controls() { return m_controls; }
    platform::SerialPort& MSComm1() { return *m_comm; }

    void setMegahertzDigits(std::string_view caption) override;
    void setFractionDigits(std::string_view caption) override;
    void setStepLabelEnabled(int label, bool enabled) override;
    void setStepLabelCaption(int label, std::string_view caption) override;
    void setCarrierCaption(std::string_view caption) override;
    void setCarrierBackColor(txlink::Colour colour) override;
    void setPowerBarValue(int value) override;
    void setPanelText(int panel, std::string_view text) override;
    void setTimerEnabled(txlink::Timer timer, bool enabled) override;

    // Stops every timer and serial event: nothing of this window reaches the form any more.
    void silence();

signals:
    void settingsRequested();
    void monitorRequested();
    void aboutRequested();
    // The window is being closed (close box or "Exit"); the owner unloads it.
    void unloadRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QLabel* makeLabel(QWidget* parent, const char* name, const QString& caption, QRect geometry);
    HoldButton* makeHoldButton(QWidget* parent, const char* name, const QString& caption,
                               QRect geometry, const QFont& font);
    QTimer* makeTimer(const char* name, std::chrono::milliseconds interval);
    QLabel* stepLabel(int label) const;
    void buildControls();
    void buildMenu();
    void connectEvents();
    template <typename Sender, typename Signal>
    void route(Sender* sender, Signal signal, const char* where,
               void (txlink::MainForm::*handler)());

    txlink::MainForm& m_form;
    platform::SerialPort* m_comm = nullptr;
    QLabel* m_megahertz = nullptr;
    QLabel* m_fraction = nullptr;
    std::array<QLabel*, 5> m_stepLabels{};
    std::array<HoldButton*, 4> m_holdButtons{};
    QPushButton* m_step = nullptr;
    QPushButton* m_carrier = nullptr;
    QProgressBar* m_power = nullptr;
    StatusBar* m_statusBar = nullptr;
    std::array<QTimer*, 5> m_timers{};  // indexed by txlink::Timer
    txlink::Controls m_controls;
};

}  // namespace ui
