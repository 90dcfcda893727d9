#include "ui/main/StartupMessage.h"

#include <QCoreApplication>

#include "txlink/Result.h"

namespace ui::main {

// The box's words are translated in a context of their own, "StartupMessage".

QString startupErrorTitle() {
    return QCoreApplication::translate("StartupMessage", "Error !!");
}

QString startupErrorMessage(int number, const QString& portText, const QString& reason) {
    const QString port = portText.isEmpty() ? QString() : portText.right(1);
    const QChar cr = u'\r';
    QString message = QCoreApplication::translate("StartupMessage", "VoraController") + cr + cr;
    // A port in use or missing is mended by choosing another, so the last line says where, in the
    // menu's own words: the Settings dialog that opens next picks only a number, the Serial Ports
    // window shows which device each number opens.
    const QString guidance =
        cr + QCoreApplication::translate("StartupMessage",
                                         "Choose another port in Options, Serial Ports…");
    switch (number) {
        case txlink::error::kPortInUse:
            message +=
                QCoreApplication::translate("StartupMessage", "Com port ") + port + cr + cr +
                QCoreApplication::translate("StartupMessage", "This com port is in use !") + cr +
                QCoreApplication::translate("StartupMessage", "Please check your settings") + cr +
                QCoreApplication::translate("StartupMessage", "or shutdown another application") +
                cr + cr;
            return message + reason + guidance;
        case txlink::error::kPortNotDetected:
            message +=
                QCoreApplication::translate("StartupMessage", "Com port ") + port + cr + cr +
                QCoreApplication::translate("StartupMessage", "This com port is not detected !") +
                cr + QCoreApplication::translate("StartupMessage", "Please check your settings") +
                cr + cr;
            return message + reason + guidance;
        default:
            message += QCoreApplication::translate("StartupMessage", "Error nr ") +
                       QString::number(number) + cr + cr;
            break;
    }
    if (number == txlink::error::kTypeMismatch) {
        // The core, which has no translations, says this one from the port text alone: worded
        // here again, it reads in the operator's language.
        return message +
               QCoreApplication::translate("StartupMessage",
                                           "The stored port \"%1\" does not end in a port "
                                           "number: choose a port in Options, Settings.")
                   .arg(portText);
    }
    return message + reason;
}

}  // namespace ui::main
