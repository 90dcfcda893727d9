#include "platform/ConfigPaths.h"

#include <QStandardPaths>

namespace platform {

QString configFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/VoraTXController");
}

QString settingsFilePath() {
    return configFolder() + QStringLiteral("/settings.ini");
}

QString portMapFolder() {
    return configFolder() + QStringLiteral("/ports");
}

QString portMapEntryPath(int port) {
    return portMapFolder() + QStringLiteral("/com%1").arg(port);
}

}  // namespace platform
