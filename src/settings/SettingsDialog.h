#pragma once

#include <QDialog>

namespace settings {

// The Settings dialog "Options", where the operator chooses the serial port.
class SettingsDialog final : public QDialog {
    Q_OBJECT

public:
    explicit SettingsDialog(QWidget* parent = nullptr);
};

}  // namespace settings
