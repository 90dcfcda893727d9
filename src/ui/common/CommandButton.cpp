#include "ui/common/CommandButton.h"

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

}  // namespace ui::common
