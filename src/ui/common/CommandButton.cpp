#include "ui/common/CommandButton.h"

#include <QLabel>
#include <QPainter>

#include "ui/common/FocusMark.h"

namespace ui::common {
namespace {

// Inside the style's frame and its rounded corners.
constexpr int kFocusMarkInset = 3;

}  // namespace

CommandButton::CommandButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent) {}

void CommandButton::paintEvent(QPaintEvent* event) {
    QPushButton::paintEvent(event);
    if (hasFocus()) {
        QPainter painter(this);
        drawFocusMark(
            painter,
            rect().adjusted(kFocusMarkInset, kFocusMarkInset, -kFocusMarkInset, -kFocusMarkInset),
            palette().color(QPalette::Button));
    }
}

CommandButton* makeCommandButton(QWidget* parent, const char* objectName, const QString& caption,
                                 const QString& accessibleName) {
    auto* button = new CommandButton(caption, parent);
    button->setObjectName(QLatin1String(objectName));
    button->setAccessibleName(accessibleName);
    button->setAutoDefault(false);
    return button;
}

QLabel* makeBuddyCaption(QWidget* parent, const char* objectName, const QString& caption,
                         QWidget* buddy) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(objectName));
    label->setBuddy(buddy);
    return label;
}

}  // namespace ui::common
