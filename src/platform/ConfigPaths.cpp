#include "platform/ConfigPaths.h"

#include <QDir>
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

QString stateFolder() {
    // Qt 6.4 has no state location yet. As for the other XDG folders, a value that is empty or
    // not an absolute path is ignored.
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (!QDir::isAbsolutePath(base)) {
        base = QDir::homePath() + QStringLiteral("/.local/state");
    }
    return base + QStringLiteral("/VoraTXController");
}

QString settingsFilePath(const QString& profile) {
    if (profile.isEmpty()) {
        return settingsFilePath();
    }
    return configFolder() + QStringLiteral("/profiles/%1/settings.ini").arg(profile);
}

QString stateFolder(const QString& profile) {
    if (profile.isEmpty()) {
        return stateFolder();
    }
    return stateFolder() + QStringLiteral("/profiles/") + profile;
}

}  // namespace platform
