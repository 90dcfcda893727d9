#include "SettingsDialog.h"

namespace settings {

SettingsDialog::SettingsDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Settings"));
    setWindowTitle(QStringLiteral("Options"));
}

}  // namespace settings
