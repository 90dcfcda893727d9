#include "UrlOpener.h"

#include <QDesktopServices>
#include <QProcess>
#include <cstdio>

namespace platform {

void DesktopUrlOpener::open(const QUrl& url) {
#ifdef Q_OS_WIN
    // Windows users expect the address handed to the shell's own URL handler.
    const bool started = QProcess::startDetached(
        QStringLiteral("RUNDLL32.EXE"),
        {QStringLiteral("URL.DLL,FileProtocolHandler"), url.toString()});
#else
    const bool started = QDesktopServices::openUrl(url);
#endif
    if (!started) {
        std::fprintf(stderr, "vora-tx-controller: could not open %s in a browser\n",
                     qPrintable(url.toString()));
    }
}

}  // namespace platform
