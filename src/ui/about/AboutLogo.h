#pragma once

#include <QPixmap>

namespace ui::about {

// The 80 x 61 logo of the About window: a mast under a night sky sending out waves.
QPixmap makeAboutLogo();

}  // namespace ui::about
