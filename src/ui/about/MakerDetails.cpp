#include "ui/about/MakerDetails.h"

#include <QCoreApplication>
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

// The build's own defaults name nobody in particular, and so read in the operator's language; a
// distributor's own name or address stays as it is.
QString configuredText(const char* value) {
    static const char* const kDefaults[] = {
        QT_TRANSLATE_NOOP("ui::about::MakerDetails", "the Vora TX developers"),
        QT_TRANSLATE_NOOP("ui::about::MakerDetails", "your distributor"),
    };
    for (const char* text : kDefaults) {
        if (qstrcmp(value, text) == 0) {
            return QCoreApplication::translate("ui::about::MakerDetails", text);
        }
    }
    return QString::fromUtf8(value);
}

}  // namespace

MakerDetails MakerDetails::configured() {
    return {
        .webAddress = QString::fromUtf8(config::kWebAddress),
        .callSign = QString::fromUtf8(config::kCallSign),
        .author = configuredText(config::kAuthor),
        .town = QString::fromUtf8(config::kTown),
        .locator = QString::fromUtf8(config::kLocator),
        .country = QString::fromUtf8(config::kCountry),
        .email = configuredText(config::kEmail),
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
