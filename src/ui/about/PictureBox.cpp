#include "PictureBox.h"

#include <QColor>
#include <QPalette>

namespace ui {

PictureBox::PictureBox(const QColor& background, QWidget* parent)
    : QFrame(parent), m_surface(new QWidget(this)) {
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    QPalette palette = m_surface->palette();
    palette.setColor(QPalette::Window, background);
    m_surface->setPalette(palette);
    m_surface->setAutoFillBackground(true);
    m_surface->setGeometry(contentsRect());
}

void PictureBox::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    m_surface->setGeometry(contentsRect());
}

}  // namespace ui
