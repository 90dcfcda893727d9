#include "ui/monitor/LampShape.h"

#include <QPainter>
#include <algorithm>

#include "ui/common/Style.h"

namespace ui::monitor {

LampShape::LampShape(const QString& accessibleName, bool lit, QWidget* parent)
    : QWidget(parent), m_lit(lit) {
    setAccessibleName(accessibleName);
    // A screen reader cannot see the colour, so the state is spoken instead.
    setAccessibleDescription(m_lit ? tr("lit") : tr("out"));
}

// The watchdog writes the link lamp every tick; only a change repaints it or tells a screen
// reader.
void LampShape::setLit(bool lit) {
    if (lit == m_lit) {
        return;
    }
    m_lit = lit;
    setAccessibleDescription(m_lit ? tr("lit") : tr("out"));
    update();
}

void LampShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::white, 1.0));
    painter.setBrush(m_lit ? common::colour::kRed : common::colour::kBlack);
    const qreal diameter = std::min(width(), height());
    // Half a pixel in from the box so the one-pixel rim is not clipped.
    QRectF circle(0, 0, diameter - 1.0, diameter - 1.0);
    circle.moveCenter(QRectF(rect()).center());
    painter.drawEllipse(circle);
}

}  // namespace ui::monitor
