#pragma once

#include <QDialog>
#include <functional>

#include "platform/SettingsStore.h"

namespace ui::common {
class MessageBox;
}

class QComboBox;
class QPushButton;

namespace ui::settings {

// The Settings dialog "Options", where the operator chooses the serial port. Modeless and
// ownerless; it keeps no state beyond its controls, so every load starts from the design-time
// controls and the stored value. Closing it (Save, Cancel, Esc, close box) unloads it.
class SettingsDialog final : public QDialog {
    Q_OBJECT

public:
    // `store` and `messages` must outlive the dialog. `reloadMain` unloads the main window if it
    // is loaded, loads it again (its start-up runs on the newly stored port) and shows it.
    SettingsDialog(platform::SettingsStore& store, common::MessageBox& messages,
                   std::function<void()> reloadMain, QWidget* parent = nullptr);

    // "Save": stores the port box's text and restarts the main window on it. A text that cannot
    // be stored is reported, and the dialog stays open with it.
    void save();
    // "Cancel": closes without storing.
    void cancel();

public slots:
    // Esc presses the cancel button.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    void centreOnScreen();
    QSize outerSize() const;

    platform::SettingsStore& m_store;
    common::MessageBox& m_messages;
    std::function<void()> m_reloadMain;
    QComboBox* m_portBox = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_cancel = nullptr;
    QSize m_centredOuterSize;  // the outer size the dialog was last centred by
};

}  // namespace ui::settings
