#include "app/CommandLine.h"

#include <QCommandLineParser>

#include "platform/Version.h"

namespace app {
namespace {

struct OptionDesign {
    QStringList names;
    const char* description;
};

const OptionDesign kOptions[] = {
    {{QStringLiteral("h"), QStringLiteral("help")}, "Show this help and exit."},
    {{QStringLiteral("v"), QStringLiteral("version")}, "Show the version and exit."},
};

txlink::Error refused(const QString& reason) {
    return txlink::Error{2, reason.toStdString()};
}

}  // namespace

txlink::Result<Options> parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const OptionDesign& design : kOptions) {
        parser.addOption(QCommandLineOption(design.names, QString::fromUtf8(design.description)));
    }
    if (!parser.parse(arguments)) {
        return refused(parser.errorText());
    }
    if (!parser.positionalArguments().isEmpty()) {
        return refused(
            QStringLiteral("unexpected argument '%1'.").arg(parser.positionalArguments().first()));
    }
    Options options;
    options.help = parser.isSet(QStringLiteral("help"));
    options.version = parser.isSet(QStringLiteral("version"));
    return options;
}

QString helpText() {
    QString text = QStringLiteral(
        "Usage: vora-tx-controller [options]\n"
        "A control panel for an amateur-radio transmitter whose controller is on a serial port\n"
        "(9600 baud, 8N1). Without options it opens the panel on the port chosen in\n"
        "\"Options\", \"Settings\" (port 1 until one is chosen).\n"
        "\n"
        "Options:\n");
    for (const OptionDesign& design : kOptions) {
        QStringList spelled;
        for (const QString& name : design.names) {
            spelled << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
        }
        text += QStringLiteral("  %1  %2\n")
                    .arg(spelled.join(QStringLiteral(", ")), -16)
                    .arg(QString::fromUtf8(design.description));
    }
    return text;
}

QString versionText() {
    return QStringLiteral("vora-tx-controller %1\n").arg(QLatin1String(platform::kVersion));
}

QString usageText() {
    return QStringLiteral(
        "Usage: vora-tx-controller [options]\n"
        "Try 'vora-tx-controller --help' for more.\n");
}

}  // namespace app
