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
    switch (number) {
        case txlink::error::kPortInUse:
            message += tr("Com port ") + port + cr + cr + tr("This com port is in use !") + cr +
                       tr("Please check your settings") + cr +
                       tr("or shutdown another application") + cr + cr;
            break;
        case txlink::error::kPortNotDetected:
            message += tr("Com port ") + port + cr + cr + tr("This com port is not detected !") +
                       cr + tr("Please check your settings") + cr + cr;
            break;
        default:
            message += tr("Error nr ") + QString::number(number) + cr + cr;
            break;
    }
    return message + reason;
}

}  // namespace ui::main
