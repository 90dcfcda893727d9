#include "UrlOpener.h"

#include <QDesktopServices>
#include <cstdio>

namespace platform {

void DesktopUrlOpener::open(const QUrl& url) {
    if (!QDesktopServices::openUrl(url)) {
        std::fprintf(stderr, "vora-tx-controller: could not open %s in a browser\n",
                     qPrintable(url.toString()));
    }
}

}  // namespace platform
