// The main form's port lifecycle: load, serial events, unload.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "Fakes.h"

namespace {

using linktest::Log;
using linktest::Rig;

const Log kStepLabelsOff = {"enabled Label11=0", "enabled Label12=0", "enabled Label13=0",
                            "enabled Label14=0", "enabled Label15=0"};

Log startupUpToOpen(int port) {
    Log log = {"readPortText", "CommPort=" + std::to_string(port)};
    log.insert(log.end(), kStepLabelsOff.begin(), kStepLabelsOff.end());
    log.insert(log.end(), {"RThreshold=1", "SThreshold=1", "PortOpen=1"});
    return log;
}

// Sets all five flags True through the handlers, then closes the port and forgets the traffic.
void primeFlags(Rig& rig) {
    rig.serial.open = true;
    rig.form.Command1_MouseDown();
    rig.form.Command2_MouseDown();
    rig.form.Command4_MouseDown();
    rig.form.Command5_MouseDown();
    rig.clock.set(12, 0, 0);
    rig.form.ParseReceived("");
    rig.form.Tmrcom_Timer();
    const auto& f = rig.form.fields();
    ASSERT_TRUE(f.upHeld && f.downHeld && f.powerUpHeld && f.powerDownHeld && f.linkUp);
    rig.serial.open = false;
    rig.serial.outputs.clear();
    rig.log.clear();
}

TEST(FormLoad, OpensThePortFromTheLastCharacterAndRequestsStatus) {
    struct Row {
        std::optional<std::string> stored;
        int port;
    };
    const Row rows[] = {{std::nullopt, 1}, {"Com 12", 2}, {"com 1", 1},
                        {"Com 10", 0},     {"Com 9", 9},  {"7", 7}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.stored.value_or("<nothing stored>"));
        Rig rig;
        rig.serial.open = false;
        rig.services.stored = row.stored;
        rig.form.Form_Load();

        Log expected = startupUpToOpen(row.port);
        expected.push_back("Output=2a");
        EXPECT_EQ(rig.log.entries, expected);
        EXPECT_EQ(rig.services.defaultsAsked, (std::vector<std::string>{"1"}));
        EXPECT_EQ(rig.form.fields().portText, row.stored.value_or("1"));
        EXPECT_EQ(rig.serial.outputs, (std::vector<std::string>{"2a"}));
        EXPECT_TRUE(rig.serial.open);
        EXPECT_TRUE(rig.services.messages.empty());
        EXPECT_EQ(rig.services.settingsDialogs, 0);
    }
}

TEST(FormLoad, ClearsThreeFlagsAfterCommPortAndBeforeTheStepLabels) {
    Rig rig;
    primeFlags(rig);
    rig.services.stored = "Com 2";
    const auto lastReceive = rig.form.fields().lastReceive;

    struct Snapshot {
        bool up, down, link;
    };
    std::optional<Snapshot> atCommPort, atFirstLabel;
    rig.log.onEntry = [&](const std::string& e) {
        const auto& f = rig.form.fields();
        if (e.starts_with("CommPort=")) {
            atCommPort = Snapshot{f.upHeld, f.downHeld, f.linkUp};
        } else if (e == "enabled Label11=0") {
            atFirstLabel = Snapshot{f.upHeld, f.downHeld, f.linkUp};
        }
    };
    rig.form.Form_Load();

    ASSERT_TRUE(atCommPort && atFirstLabel);
    EXPECT_TRUE(atCommPort->up && atCommPort->down && atCommPort->link);
    EXPECT_FALSE(atFirstLabel->up || atFirstLabel->down || atFirstLabel->link);
    // Fields start-up does not own keep their values across a reload.
    EXPECT_TRUE(rig.form.fields().powerUpHeld);
    EXPECT_TRUE(rig.form.fields().powerDownHeld);
    EXPECT_EQ(rig.form.fields().lastReceive, lastReceive);
}

TEST(FormLoad, PortTextNotEndingInADigitIsErrorThirteenAndChangesNothing) {
    for (const char* stored : {"Com A", "Com ", "", "Com 1x", "COM", "Com 1 "}) {
        SCOPED_TRACE(std::string("stored \"") + stored + "\"");
        Rig rig;
        primeFlags(rig);
        rig.services.stored = stored;
        rig.form.Form_Load();

        EXPECT_EQ(rig.log.entries, (Log{"readPortText", "error box"}));
        EXPECT_EQ(rig.services.messages,
                  (std::vector<std::string>{"VoraController\r\rError nr 13\r\r"}));
        EXPECT_EQ(rig.services.settingsDialogs, 0);
        EXPECT_TRUE(rig.serial.outputs.empty());
        EXPECT_FALSE(rig.serial.open);
        EXPECT_EQ(rig.form.fields().portText, stored);
        const auto& f = rig.form.fields();
        EXPECT_TRUE(f.upHeld && f.downHeld && f.linkUp);
    }
}

TEST(FormLoad, FailedOpenShowsTheMessageForItsNumber) {
    struct Row {
        const char* stored;
        int number;
        int port;
        const char* message;
        bool settings;
    };
    const Row rows[] = {
        {"Com 3", 8005, 3,
         "VoraController\r\rCom port 3\r\rThis com port is in use !\rPlease check your "
         "settings\ror shutdown another application\r\r",
         true},
        {"Com 4", 8002, 4,
         "VoraController\r\rCom port 4\r\rThis com port is not detected !\rPlease check your "
         "settings\r\r",
         true},
        {"Com 10", 8002, 0,
         "VoraController\r\rCom port 0\r\rThis com port is not detected !\rPlease check your "
         "settings\r\r",
         true},
        {"Com 5", 8010, 5, "VoraController\r\rError nr 8010\r\r", false},
        {"Com 6", 8018, 6, "VoraController\r\rError nr 8018\r\r", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.stored) + " error " + std::to_string(row.number));
        Rig rig;
        primeFlags(rig);
        rig.services.stored = row.stored;
        rig.serial.openError = row.number;
        rig.form.Form_Load();

        Log expected = startupUpToOpen(row.port);
        expected.push_back("error box");
        if (row.settings) {
            expected.push_back("settings dialog");
        }
        EXPECT_EQ(rig.log.entries, expected);
        EXPECT_EQ(rig.services.messages, (std::vector<std::string>{row.message}));
        EXPECT_EQ(rig.services.settingsDialogs, row.settings ? 1 : 0);
        EXPECT_TRUE(rig.serial.outputs.empty());
        EXPECT_FALSE(rig.serial.open);
        const auto& f = rig.form.fields();
        EXPECT_FALSE(f.upHeld || f.downHeld || f.linkUp);
    }
}

TEST(OnComm, DispatchesByEventCode) {
    struct Row {
        std::int16_t event;
        const char* input;
        Log log;
        int inputReads;
    };
    const Row rows[] = {
        {1, "F1234567", {"lamp transmit=255", "tmrTXLED on"}, 0},
        // The receive lamp is lit only after the whole text has been parsed.
        {2,
         "F1234567H7654312",
         {"Input", "Label8=1234", "Label9=567", "wait1 on", "Label8=76543", "Label9=125",
          "wait1 on", "Label15.Caption=10 MHz", "lamp receive=255", "tmrRXLED on"},
         1},
        {2,
         "S1x",
         {"Input", "panel3=TX Locked", "PortOpen=0", "PortOpen=1", "lamp receive=255",
          "tmrRXLED on"},
         1},
        {2, "", {"Input", "lamp receive=255", "tmrRXLED on"}, 1},
        {0, "F1234567", {}, 0},
        {3, "F1234567", {}, 0},
        {7, "F1234567", {}, 0},
        {-1, "F1234567", {}, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE("event " + std::to_string(row.event) + " input \"" + row.input + "\"");
        Rig rig;
        rig.clock.set(8, 0, 0);
        rig.serial.event = row.event;
        rig.serial.pendingInput = row.input;
        rig.form.MSComm1_OnComm();
        EXPECT_EQ(rig.log.entries, row.log);
        EXPECT_EQ(rig.serial.inputReads, row.inputReads);
        EXPECT_EQ(rig.form.fields().lastReceive.has_value(), row.event == 2);
    }
}

TEST(LampTimers, PutTheirLampOutThenSwitchThemselvesOff) {
    Rig rig;
    rig.form.tmrTXLED_Timer();
    rig.form.tmrRXLED_Timer();
    EXPECT_EQ(rig.log.entries,
              (Log{"lamp transmit=0", "tmrTXLED off", "lamp receive=0", "tmrRXLED off"}));
}

TEST(FormUnload, ClosesAnOpenPortOnlyThenUnloadsTheMonitor) {
    for (bool open : {true, false}) {
        SCOPED_TRACE(open ? "port open" : "port closed");
        Rig rig;
        rig.serial.open = open;
        rig.form.Form_Unload();
        const Log expected = open ? Log{"PortOpen=0", "unload monitor"} : Log{"unload monitor"};
        EXPECT_EQ(rig.log.entries, expected);
        EXPECT_FALSE(rig.serial.open);
        EXPECT_EQ(rig.services.monitorUnloads, 1);
    }
}

}  // namespace
