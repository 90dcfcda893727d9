#include "AboutLogo.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace ui::about {

namespace {

constexpr int kWidth = 80;
constexpr int kHeight = 61;
constexpr QPointF kMastTip{40.0, 13.0};
constexpr double kMastFootY = 54.0;
constexpr double kMastHalfBase = 8.0;

void drawSky(QPainter& painter) {
    QLinearGradient sky(0, 0, 0, kHeight);
    sky.setColorAt(0.0, QColor(8, 12, 48));
    sky.setColorAt(1.0, QColor(24, 56, 128));
    painter.fillRect(0, 0, kWidth, kHeight, sky);

    painter.setPen(QColor(220, 220, 255));
    for (const QPoint star : {QPoint(7, 6), QPoint(18, 14), QPoint(62, 5), QPoint(71, 18),
                              QPoint(10, 27), QPoint(68, 31)}) {
        painter.drawPoint(star);
    }

    painter.fillRect(QRectF(0, kMastFootY, kWidth, kHeight - kMastFootY), QColor(16, 72, 24));
}

void drawMast(QPainter& painter) {
    const QPointF leftFoot(kMastTip.x() - kMastHalfBase, kMastFootY);
    const QPointF rightFoot(kMastTip.x() + kMastHalfBase, kMastFootY);
    painter.setPen(QPen(QColor(200, 200, 210), 1.2));
    painter.drawLine(kMastTip, leftFoot);
    painter.drawLine(kMastTip, rightFoot);

    // Zig-zag bracing between the legs, narrowing toward the tip.
    painter.setPen(QPen(QColor(160, 160, 175), 0.8));
    constexpr int kBraces = 6;
    const double span = kMastFootY - kMastTip.y();
    for (int i = 0; i < kBraces; ++i) {
        const double y0 = kMastFootY - span * i / kBraces;
        const double y1 = kMastFootY - span * (i + 1) / kBraces;
        const double half0 = kMastHalfBase * (y0 - kMastTip.y()) / span;
        const double half1 = kMastHalfBase * (y1 - kMastTip.y()) / span;
        const double side = (i % 2 == 0) ? 1.0 : -1.0;
        painter.drawLine(QPointF(kMastTip.x() - side * half0, y0),
                         QPointF(kMastTip.x() + side * half1, y1));
    }

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 48, 32));
    painter.drawEllipse(kMastTip, 2.0, 2.0);
}

void drawWaves(QPainter& painter) {
    painter.setBrush(Qt::NoBrush);
    const QColor colours[] = {QColor(255, 230, 64), QColor(160, 240, 64), QColor(64, 220, 96)};
    for (int i = 0; i < 3; ++i) {
        const double radius = 7.0 + 6.0 * i;
        const QRectF box(kMastTip.x() - radius, kMastTip.y() - radius, 2 * radius, 2 * radius);
        painter.setPen(QPen(colours[i], 1.6, Qt::SolidLine, Qt::RoundCap));
        // Qt measures arcs in sixteenths of a degree, counter-clockwise from three o'clock.
        painter.drawArc(box, -35 * 16, 70 * 16);
        painter.drawArc(box, 145 * 16, 70 * 16);
    }
}

}  // namespace

QPixmap makeAboutLogo() {
    QPixmap logo(kWidth, kHeight);
    QPainter painter(&logo);
    painter.setRenderHint(QPainter::Antialiasing);
    drawSky(painter);
    drawMast(painter);
    drawWaves(painter);
    return logo;
}

}  // namespace ui::about
