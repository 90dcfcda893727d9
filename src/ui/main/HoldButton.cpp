#include "ui/main/HoldButton.h"

#include <QApplication>
#include <QMouseEvent>

namespace ui::main {

HoldButton::HoldButton(const QString& caption, QWidget* parent) : FaceButton(caption, parent) {
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
    if (!m_holding) {
        // A popup opened during the hold takes the release; watch for it wherever it goes.
        qApp->installEventFilter(this);
    }
    m_holding = true;
    emit mouseDown();
}

void HoldButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        QPushButton::mouseReleaseEvent(event);
    }
    setDown(false);
    event->accept();
    endHold();
    emit mouseUp();
}

bool HoldButton::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease && watched != this &&
        static_cast<QMouseEvent*>(event)->buttons() == Qt::NoButton) {
        abandonHold();
    }
    return false;
}

void HoldButton::endHold() {
    m_holding = false;
    qApp->removeEventFilter(this);
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
    endHold();
    setDown(false);
    emit mouseUp();
}

}  // namespace ui::main
