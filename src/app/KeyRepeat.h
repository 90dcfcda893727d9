#pragma once

namespace app {

// An X server reports a key held down as pairs of release and press, which Qt 6.4 does not
// always mark as auto-repeat: a held Space would then be many presses (a click button clicking
// 25 times a second, a hold restarting with a command each time). Asked for "detectable"
// auto-repeat, the server sends only the presses, which every button ignores while the key is
// down, and one release at the end. Elsewhere (Wayland, offscreen) this does nothing.
void useDetectableAutoRepeat();

}  // namespace app
