#pragma once

#include <QString>

namespace ui::main {

// The title of the box that says why start-up could not open the port.
QString startupErrorTitle();
// Its message: the words for the error's number, with `portText`'s last character naming the
// port, then `reason` on a line of its own (someone who started the program from a menu never
// sees standard error); for a port in use or not detected, a last line says where to choose
// another. Line breaks are single carriage returns, as the box has always had them. The core's
// reason for a port text without a port number is worded here, from `portText`, so that it can
// be translated.
QString startupErrorMessage(int number, const QString& portText, const QString& reason);

}  // namespace ui::main
