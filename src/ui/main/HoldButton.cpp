#include "HoldButton.h"

#include <QMouseEvent>

namespace ui {

HoldButton::HoldButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
    // A right press must hold like a left one, not open a context menu.
    setContextMenuPolicy(Qt::PreventContextMenu);
}

void HoldButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        QPushButton::mousePressEvent(event);
    } else {
        setDown(true);  // QPushButton ignores right and middle presses
    }
    event->accept();
    m_holding = true;
    emit mouseDown();
}

void HoldButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        QPushButton::mouseReleaseEvent(event);
    }
    setDown(false);
    event->accept();
    m_holding = false;
    emit mouseUp();
}

bool HoldButton::event(QEvent* event) {
    switch (event->type()) {
        case QEvent::Hide:
        case QEvent::UngrabMouse:
        case QEvent::WindowDeactivate:
            abandonHold();
            break;
        default:
            break;
    }
    return QPushButton::event(event);
}

void HoldButton::abandonHold() {
    if (!m_holding) {
        return;
    }
    m_holding = false;
    setDown(false);
    emit mouseUp();
}

}  // namespace ui
