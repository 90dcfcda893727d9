#include "ui/common/FocusMark.h"

#include <QPainter>
#include <cmath>

namespace ui::common {
namespace {

// The share of light a colour gives off, 0 for black to 1 for white, as the eye weighs its
// channels.
double luminance(const QColor& colour) {
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

}  // namespace

QColor focusMarkColour(const QColor& face) {
    constexpr double kFlare = 0.05;  // the light a screen reflects, which dims every contrast
    const double lit = luminance(face) + kFlare;
    const double againstBlack = lit / kFlare;
    const double againstWhite = (1.0 + kFlare) / lit;
    return againstBlack >= againstWhite ? QColor(Qt::black) : QColor(Qt::white);
}

void drawFocusMark(QPainter& painter, const QRect& mark, const QColor& face) {
    if (mark.width() < 2 || mark.height() < 2) {
        return;
    }
    painter.save();
    // Every other pixel, counted from the mark's corner, so that the dots sit alike on each side.
    painter.setBrushOrigin(mark.topLeft());
    const QBrush dots(focusMarkColour(face), Qt::Dense4Pattern);
    painter.fillRect(QRect(mark.left(), mark.top(), mark.width(), 1), dots);
    painter.fillRect(QRect(mark.left(), mark.bottom(), mark.width(), 1), dots);
    painter.fillRect(QRect(mark.left(), mark.top(), 1, mark.height()), dots);
    painter.fillRect(QRect(mark.right(), mark.top(), 1, mark.height()), dots);
    painter.restore();
}

}  // namespace ui::common
