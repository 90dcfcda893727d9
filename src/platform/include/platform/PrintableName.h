#pragma once

#include <QString>
#include <QStringView>

namespace platform {

// `name` (a device's path, what a link says, what a device reports of itself) as it may be shown
// on a terminal, in a window or in a message box. Anybody who can make a link or plug in a USB
// device chooses these names, so nothing in them may move the cursor, colour the terminal or
// pass itself off as another name: control characters are written as \e (escape) and \xNN, the
// invisible ones that reorder or join text (bidirectional overrides, zero-width joiners) and the
// Unicode line breaks as \u{NNNN}, and a backslash as \\ so that what is shown reads back one way.
QString printableName(QStringView name);

}  // namespace platform
