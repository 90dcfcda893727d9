#include "PictureBox.h"

#include "ui/common/Style.h"

namespace ui::about {

PictureBox::PictureBox(const QColor& background, QWidget* parent)
    : QFrame(parent), m_surface(new QWidget(this)) {
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    common::setBackground(m_surface, background);
    m_surface->setGeometry(contentsRect());
}

void PictureBox::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    m_surface->setGeometry(contentsRect());
}

}  // namespace ui::about
