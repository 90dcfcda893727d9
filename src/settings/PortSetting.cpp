#include "PortSetting.h"

#include <QCoreApplication>

namespace settings {
namespace {

const QString kApplication = QStringLiteral("VoraTXController");
const QString kKey = QStringLiteral("compoorttxt");

// One section per installation folder: a copy elsewhere starts with nothing stored.
QString section() { return QStringLiteral("settings_") + QCoreApplication::applicationDirPath(); }

}  // namespace

QString readPortText(const platform::SettingsStore& store, const QString& defaultText) {
    return store.GetSetting(kApplication, section(), kKey, defaultText);
}

void savePortText(platform::SettingsStore& store, const QString& portText) {
    store.SaveSetting(kApplication, section(), kKey, portText);
}

}  // namespace settings
