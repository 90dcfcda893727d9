#include "ui/main/HoldButton.h"

#include <QApplication>
#include <QKeyEvent>
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

// QAbstractButton would turn Space into pressed, released and clicked; none of them is a hold,
// so Space and Enter never reach it. A key held down repeats its press, marked auto-repeat or,
// on X11, not always (app/KeyRepeat.h): a key already down here adds nothing until it is up.
void HoldButton::keyPressEvent(QKeyEvent* event) {
    const bool space = event->key() == Qt::Key_Space;
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!space && !enter) {
        FaceButton::keyPressEvent(event);
        return;
    }
    event->accept();
    bool& down = space ? m_spaceDown : m_enterDown;
    if (event->isAutoRepeat() || down) {
        return;
    }
    down = true;
    if (m_holding) {
        return;
    }
    if (enter) {
        emit mouseDown();
        emit mouseUp();
        return;
    }
    m_holding = true;
    m_heldBySpace = true;
    setDown(true);
    emit mouseDown();
}

void HoldButton::keyReleaseEvent(QKeyEvent* event) {
    const bool space = event->key() == Qt::Key_Space;
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!space && !enter) {
        FaceButton::keyReleaseEvent(event);
        return;
    }
    event->accept();
    if (event->isAutoRepeat()) {
        return;
    }
    (space ? m_spaceDown : m_enterDown) = false;
    if (space && m_heldBySpace) {
        abandonHold();
    }
}

void HoldButton::endHold() {
    m_holding = false;
    m_heldBySpace = false;
    qApp->removeEventFilter(this);
}

bool HoldButton::event(QEvent* event) {
    switch (event->type()) {
        case QEvent::FocusOut:
            // The releases of the keys down now go elsewhere.
            m_spaceDown = false;
            m_enterDown = false;
            abandonHold();
            break;
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
