#pragma once

#include "app/Program.h"
#include "platform/SystemClock.h"
#include "support/Fakes.h"
#include "support/Pty.h"
#include "support/TestConfig.h"

// The whole program in this process, on a private port map whose port 1 is a pseudo-terminal:
// the real window, control panel, serial link and clock; only the settings, message box and URL
// opener are stand-ins. Started, so its port is open and "2a" is on the line.
struct PanelOnPty {
    PanelOnPty() {
        config.mapPort(1, pty.slavePath());
        program.start();
    }

    testsupport::TestConfig config;
    testsupport::Pty pty;
    testsupport::MemorySettingsStore store;
    testsupport::RecordingMessageBox messages;
    testsupport::RecordingUrlOpener urls;
    platform::SystemClock clock;
    app::Program program{{store, messages, urls, clock}};
};
