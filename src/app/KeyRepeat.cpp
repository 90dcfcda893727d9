#include "KeyRepeat.h"

#include <QGuiApplication>

#include "platform/Logging.h"

#if VORA_HAVE_XKBLIB && QT_CONFIG(xcb)
// Xlib's macros (None, Bool, KeyPress...) clash with Qt's names: it comes last, and alone.
#include <X11/XKBlib.h>
#endif

namespace app {

void useDetectableAutoRepeat() {
#if VORA_HAVE_XKBLIB && QT_CONFIG(xcb)
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->display() == nullptr) {
        return;  // not X11: Wayland marks a key's repeats itself
    }
    Bool supported = False;
    XkbSetDetectableAutoRepeat(x11->display(), True, &supported);
    if (supported == False) {
        qCWarning(lcProgram, "the X server reports a held key as repeated releases and presses");
    }
#endif
}

}  // namespace app
