#include "ui/main/StatusBar.h"

#include <QResizeEvent>

#include "ui/common/Style.h"

namespace ui::main {
namespace {
constexpr int kPanelWidthTwips = 1440;
}

StatusBar::StatusBar(QWidget* parent) : QWidget(parent) {
    for (int i = 0; i < kPanels; ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("Panel%1").arg(i + 1));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        label->setTextFormat(Qt::PlainText);
        label->setGeometry(common::toPixels(i * kPanelWidthTwips), 0,
                           common::toPixels(kPanelWidthTwips), 0);
        m_panels[i] = label;
    }
}

void StatusBar::resizeEvent(QResizeEvent* event) {
    for (QLabel* label : m_panels) {
        label->resize(label->width(), event->size().height());
    }
    QWidget::resizeEvent(event);
}

QLabel* StatusBar::panel(int panel) const {
    return m_panels.at(std::size_t(panel - 1));
}

void StatusBar::setPanelText(int number, const QString& text) {
    panel(number)->setText(text);
}

QString StatusBar::panelText(int number) const {
    return panel(number)->text();
}

}  // namespace ui::main
