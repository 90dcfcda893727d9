#include "ui/monitor/LampShape.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>
#include <algorithm>

#include "ui/common/Style.h"

namespace ui::monitor {
namespace {

// A screen reader cannot see the colour, so the state is spoken instead: "lit" or "out", read
// from the lamp when asked, so that a lamp blinking with the traffic costs nothing while no
// assistive technology listens.
class LampAccessible final : public QAccessibleWidget {
public:
    explicit LampAccessible(LampShape* lamp) : QAccessibleWidget(lamp, QAccessible::Indicator) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Description) {
            return static_cast<const LampShape*>(widget())->lit() ? LampShape::tr("lit")
                                                                  : LampShape::tr("out");
        }
        return QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface* lampAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String(LampShape::staticMetaObject.className())) {
        return new LampAccessible(static_cast<LampShape*>(object));
    }
    return nullptr;
}

}  // namespace

LampShape::LampShape(const QString& accessibleName, bool lit, QWidget* parent)
    : QWidget(parent), m_lit(lit) {
    static const bool kFactoryInstalled = [] {
        QAccessible::installFactory(lampAccessible);
        return true;
    }();
    Q_UNUSED(kFactoryInstalled);
    setAccessibleName(accessibleName);
}

// The watchdog writes the link lamp every tick; only a change repaints it or tells a screen
// reader.
void LampShape::setLit(bool lit) {
    if (lit == m_lit) {
        return;
    }
    m_lit = lit;
    if (QAccessible::isActive()) {
        QAccessibleEvent changed(this, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&changed);
    }
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
