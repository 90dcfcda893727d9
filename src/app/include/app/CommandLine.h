#pragma once

#include <QString>
#include <QStringList>

#include "txlink/Result.h"

namespace app {

// What the program was asked to do. A start without arguments runs the panel.
struct Options {
    bool help = false;
    bool version = false;
};

// Reads the arguments (program name first). Anything it does not know is an error whose reason
// names it.
txlink::Result<Options> parseCommandLine(const QStringList& arguments);

QString helpText();
QString versionText();
// One line: how the program is started, and where to read more.
QString usageText();

}  // namespace app
