#include "ui/main/FaceButton.h"

#include <QPainter>

#include "ui/common/FocusMark.h"

namespace ui::main {
namespace {

// One pixel of face between the edge and the focus mark: the buttons are only 18 pixels high, and
// the mark keeps clear of the caption.
constexpr int kFocusMarkInset = 2;

}  // namespace

FaceButton::FaceButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {}

void FaceButton::setFace(const QColor& colour) {
    QPalette palette = this->palette();
    palette.setColor(QPalette::Button, colour);
    setPalette(palette);
}

QColor FaceButton::face() const {
    return palette().color(QPalette::Button);
}

void FaceButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor face = this->face();
    painter.fillRect(rect(), face);
    const QColor light = face.lighter();
    const int right = width() - 1;
    const int bottom = height() - 1;
    // The lit edge is drawn last, so it owns the two corners where the edges meet.
    const bool down = isDown();
    painter.setPen(face);
    painter.drawLine(down ? QLine(0, 0, right, 0) : QLine(0, bottom, right, bottom));
    painter.drawLine(down ? QLine(0, 0, 0, bottom) : QLine(right, 0, right, bottom));
    painter.setPen(light);
    painter.drawLine(down ? QLine(0, bottom, right, bottom) : QLine(0, 0, right, 0));
    painter.drawLine(down ? QLine(right, 0, right, bottom) : QLine(0, 0, 0, bottom));
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(rect(), Qt::AlignCenter, text());
    if (hasFocus()) {
        common::drawFocusMark(
            painter,
            rect().adjusted(kFocusMarkInset, kFocusMarkInset, -kFocusMarkInset, -kFocusMarkInset),
            face);
    }
}

}  // namespace ui::main
