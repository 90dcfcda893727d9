#include "ui/main/StartupMessage.h"

#include <QCoreApplication>

#include "txlink/Result.h"

namespace ui::main {
namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("StartupMessage", text);
}

}  // namespace

QString startupErrorTitle() {
    return tr("Error !!");
}

QString startupErrorMessage(int number, const QString& portText, const QString& reason) {
    const QString port = portText.isEmpty() ? QString() : portText.right(1);
    const QChar cr = u'\r';
    QString message = tr("VoraController") + cr + cr;
    // A port in use or missing is mended by choosing another, so the last line says where, in the
    // menu's own words: the Settings dialog that opens next picks only a number, the Serial Ports
    // window shows which device each number opens.
    const QString guidance = cr + tr("Choose another port in Options, Serial Ports…");
    switch (number) {
        case txlink::error::kPortInUse:
            message += tr("Com port ") + port + cr + cr + tr("This com port is in use !") + cr +
                       tr("Please check your settings") + cr +
                       tr("or shutdown another application") + cr + cr;
            return message + reason + guidance;
        case txlink::error::kPortNotDetected:
            message += tr("Com port ") + port + cr + cr + tr("This com port is not detected !") +
                       cr + tr("Please check your settings") + cr + cr;
            return message + reason + guidance;
        default:
            message += tr("Error nr ") + QString::number(number) + cr + cr;
            break;
    }
    return message + reason;
}

}  // namespace ui::main
