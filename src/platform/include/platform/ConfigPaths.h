#pragma once

#include <QString>

namespace platform {

// The program's per-user folder: $XDG_CONFIG_HOME/VoraTXController (~/.config when unset).
QString configFolder();
// The settings file in it.
QString settingsFilePath();
// The port map: one entry comN per mapped port, normally a symbolic link to the device.
QString portMapFolder();
QString portMapEntryPath(int port);

// Where the program keeps what it records (the transmit log): $XDG_STATE_HOME/VoraTXController
// (~/.local/state when unset).
QString stateFolder();

// A profile keeps its own settings and transmit log, so that two panels can drive two
// transmitters side by side; the port map is shared. Empty `profile`: the default's.
QString settingsFilePath(const QString& profile);
QString stateFolder(const QString& profile);

}  // namespace platform
