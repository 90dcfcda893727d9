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

}  // namespace platform
