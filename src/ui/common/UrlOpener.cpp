#include "ui/common/UrlOpener.h"

#include <QDesktopServices>
#include <QProcess>

#include "platform/Logging.h"

namespace ui::common {

void DesktopUrlOpener::open(const QUrl& url) {
#ifdef Q_OS_WIN
    // Windows users expect the address handed to the shell's own URL handler.
    const bool started =
        QProcess::startDetached(QStringLiteral("RUNDLL32.EXE"),
                                {QStringLiteral("URL.DLL,FileProtocolHandler"), url.toString()});
#else
    const bool started = QDesktopServices::openUrl(url);
#endif
    if (!started) {
        qCWarning(lcProgram, "could not open %s in a browser", qPrintable(url.toString()));
    }
}

}  // namespace ui::common
