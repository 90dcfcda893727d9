#include "ui/about/MakerDetails.h"

#include <QFileInfo>
#include <QStringList>

#include "MakerConfig.h"

namespace ui::about {

namespace {

// The installation's README, or, for a program run from its build folder, the source tree's; none
// when neither is there, so that the link never opens a file that does not exist.
QString existingReadme() {
    for (const char* path : {config::kReadmePath, config::kSourceReadmePath}) {
        const QString readme = QString::fromUtf8(path);
        if (QFileInfo(readme).isFile()) {
            return readme;
        }
    }
    return {};
}

}  // namespace

MakerDetails MakerDetails::configured() {
    return {
        .webAddress = QString::fromUtf8(config::kWebAddress),
        .callSign = QString::fromUtf8(config::kCallSign),
        .author = QString::fromUtf8(config::kAuthor),
        .town = QString::fromUtf8(config::kTown),
        .locator = QString::fromUtf8(config::kLocator),
        .country = QString::fromUtf8(config::kCountry),
        .email = QString::fromUtf8(config::kEmail),
        .readmePath = existingReadme(),
    };
}

QString MakerDetails::linkCaption() const {
    return webAddress.isEmpty() ? QStringLiteral("README") : webAddress;
}

QUrl MakerDetails::linkTarget() const {
    if (webAddress.isEmpty()) {
        return readmePath.isEmpty() ? QUrl() : QUrl::fromLocalFile(readmePath);
    }
    return QUrl(QStringLiteral("http://") + webAddress + QStringLiteral("/"));
}

QString MakerDetails::townAndLocator() const {
    QStringList parts;
    for (const QString& part : {town, locator}) {
        if (!part.isEmpty()) {
            parts << part;
        }
    }
    return parts.join(QStringLiteral(", "));
}

}  // namespace ui::about
