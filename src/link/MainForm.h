#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "MainDisplay.h"
#include "SerialControl.h"
#include "TimeOfDay.h"

namespace txlink {

// The main window's form-level fields. They live as long as the form object: reloading the
// window's controls keeps them, and start-up resets only the port text and three of the flags.
struct FormFields {
    std::string portText;
    bool upHeld = false;
    bool downHeld = false;
    bool powerUpHeld = false;
    bool powerDownHeld = false;
    bool linkUp = false;
    TimeOfDay tickTime;
    std::optional<TimeOfDay> lastReceive;  // empty until text has arrived
};

// The controls of one load of the main window; valid from its load to its unload.
struct Controls {
    SerialControl& MSComm1;
    MainDisplay& display;
    Timers& timers;
};

// What the form reaches outside its own window.
class FormServices {
public:
    virtual ~FormServices() = default;
    // The stored port text, or `defaultText` when nothing is stored.
    virtual std::string readPortText(const std::string& defaultText) = 0;
    // The modal "Error !!" box; line breaks in the message are single carriage returns.
    virtual void showStartupError(const std::string& message) = 0;
    // The Settings dialog, modeless; an open dialog is left as it is.
    virtual void showSettingsDialog() = 0;
    virtual void unloadMonitor() = 0;
    virtual Lamps& lamps() = 0;
};

// The start-up message for a failed start-up, error number `number`.
std::string startupErrorMessage(int number, std::string_view portText);

// The handlers and operations of the main window, free of widgets. Handlers that fail throw;
// the event loop's boundary reports what nothing here catches.
class MainForm {
public:
    MainForm(const Clock& clock, FormServices& services);

    // Gives the form the controls of a freshly loaded window, or takes them away (nullptr).
    void setControls(Controls* controls) { m_controls = controls; }
    bool loaded() const { return m_controls != nullptr; }

    void Form_Load();
    void Form_Unload();
    void MSComm1_OnComm();
    void ParseReceived(std::string_view text);
    void ReopenPort();
    void Tmrcom_Timer();

    void Command1_MouseDown();
    void Command1_MouseUp();
    void Command2_MouseDown();
    void Command2_MouseUp();
    void Command3_Click();
    void Command4_MouseDown();
    void Command4_MouseUp();
    void Command5_MouseDown();
    void Command5_MouseUp();
    void Command6_Click();
    void wait1_Timer();
    void wait2_Timer();
    void tmrTXLED_Timer();
    void tmrRXLED_Timer();

    const FormFields& fields() const { return m_fields; }

private:
    Controls& controls();
    void send(std::string_view command);

    const Clock& m_clock;
    FormServices& m_services;
    Controls* m_controls = nullptr;
    FormFields m_fields;
};

}  // namespace txlink
