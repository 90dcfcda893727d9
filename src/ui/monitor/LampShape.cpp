#include "LampShape.h"

#include <QPainter>
#include <algorithm>

#include "ui/Twips.h"

namespace ui {

LampShape::LampShape(const QString& accessibleName, txlink::Colour fillColor, QWidget* parent)
    : QWidget(parent), m_fillColor(fillColor) {
    setAccessibleName(accessibleName);
    // A screen reader cannot see the colour, so the state is spoken instead.
    setAccessibleDescription(m_fillColor == txlink::kBlack ? tr("out") : tr("lit"));
}

void LampShape::setFillColor(txlink::Colour colour) {
    setAccessibleDescription(colour == txlink::kBlack ? tr("out") : tr("lit"));
    if (colour != m_fillColor) {
        m_fillColor = colour;
        update();
    }
}

void LampShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::white, 1.0));
    painter.setBrush(toQColor(m_fillColor));
    const qreal diameter = std::min(width(), height());
    // Half a pixel in from the box so the one-pixel rim is not clipped.
    QRectF circle(0, 0, diameter - 1.0, diameter - 1.0);
    circle.moveCenter(QRectF(rect()).center());
    painter.drawEllipse(circle);
}

}  // namespace ui
