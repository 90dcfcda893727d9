#pragma once

#include <QString>

namespace ui::common {

// A modal message box with the critical icon and one OK button.
class MessageBox {
public:
    virtual ~MessageBox() = default;
    // Carriage returns in `message` are line breaks.
    virtual void critical(const QString& title, const QString& message) = 0;
};

class WidgetMessageBox final : public MessageBox {
public:
    void critical(const QString& title, const QString& message) override;
};

}  // namespace ui::common
