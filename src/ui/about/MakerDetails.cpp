#include "ui/about/MakerDetails.h"

#include <QStringList>

#include "MakerConfig.h"

namespace ui::about {

MakerDetails MakerDetails::configured() {
    return {
        .webAddress = QString::fromUtf8(config::kWebAddress),
        .callSign = QString::fromUtf8(config::kCallSign),
        .author = QString::fromUtf8(config::kAuthor),
        .town = QString::fromUtf8(config::kTown),
        .locator = QString::fromUtf8(config::kLocator),
        .country = QString::fromUtf8(config::kCountry),
        .email = QString::fromUtf8(config::kEmail),
        .readmePath = QString::fromUtf8(config::kReadmePath),
    };
}

QString MakerDetails::linkCaption() const {
    return webAddress.isEmpty() ? QStringLiteral("README") : webAddress;
}

QUrl MakerDetails::linkTarget() const {
    if (webAddress.isEmpty()) {
        return QUrl::fromLocalFile(readmePath);
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
