#pragma once

#include <QString>
#include <QStringList>

namespace ui::common {

// The program's message boxes. Carriage returns in a message are line breaks.
class MessageBox {
public:
    virtual ~MessageBox() = default;
    // Modal, with the critical icon and one OK button.
    virtual void critical(const QString& title, const QString& message) = 0;
    // Shown without holding anything up: the panel goes on working while it is open.
    virtual void notify(const QString& title, const QString& message) = 0;
    // A modal question with one button per choice, the first the default; the index of the
    // choice made. Escape or the close box choose `cancelChoice`.
    virtual int ask(const QString& title, const QString& message, const QStringList& choices,
                    int cancelChoice) = 0;
};

class WidgetMessageBox final : public MessageBox {
public:
    void critical(const QString& title, const QString& message) override;
    void notify(const QString& title, const QString& message) override;
    int ask(const QString& title, const QString& message, const QStringList& choices,
            int cancelChoice) override;
};

}  // namespace ui::common
