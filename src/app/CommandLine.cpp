#include "app/CommandLine.h"

#include "txlink/SerialLink.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRegularExpression>

#include "platform/Version.h"
#include "rigctl/Protocol.h"

namespace app {
// The help and the refusals are in the operator's language (context "CommandLine").
namespace {

struct OptionDesign {
    QStringList names;
    const char* description;
    const char* valueName = nullptr;  // the option takes a value
    bool valueOptional = false;       // ... given as --name=VALUE, or not at all
};

constexpr qsizetype kHelpWidth = 79;

const QString kNetworkControl = QStringLiteral("rigctld");
const QString kNetworkControlListen = QStringLiteral("rigctld-listen");
const QString kListPorts = QStringLiteral("list-ports");
const QString kMapPort = QStringLiteral("map-port");
const QString kUnmapPort = QStringLiteral("unmap-port");
const QString kTransmitTimeout = QStringLiteral("tx-timeout");
const QString kProfile = QStringLiteral("profile");

const OptionDesign kOptions[] = {
    {{QStringLiteral("h"), QStringLiteral("help")},
     QT_TRANSLATE_NOOP("CommandLine", "Show this help and exit.")},
    {{QStringLiteral("v"), QStringLiteral("version")},
     QT_TRANSLATE_NOOP("CommandLine", "Show the version and exit.")},
    {{kNetworkControl},
     QT_TRANSLATE_NOOP(
         "CommandLine",
         "Network control for this run: a rigctld-compatible server (Hamlib's NET rigctl) on PORT, "
         "4532 unless given."),
     "PORT",
     true},
    {{kNetworkControlListen},
     QT_TRANSLATE_NOOP(
         "CommandLine",
         "The address network control listens on, 127.0.0.1 unless given. Any other lets programs "
         "on other machines key the transmitter."),
     "ADDR"},
    {{kProfile},
     QT_TRANSLATE_NOOP(
         "CommandLine",
         "Run the panel with profile NAME (letters, digits, - and _, up to 32): its own stored "
         "port, network control, time-out and transmit log, so that two panels can drive two "
         "transmitters."),
     "NAME"},
    {{kTransmitTimeout},
     QT_TRANSLATE_NOOP(
         "CommandLine",
         "For this run, switch the carrier off once when the transmitter has reported it on for "
         "SECONDS (10 to 3600) without a break."),
     "SECONDS"},
    {{kListPorts},
     QT_TRANSLATE_NOOP(
         "CommandLine",
         "List the serial devices present and what each port number 1 to 9 opens, and exit.")},
    {{kMapPort},
     QT_TRANSLATE_NOOP(
         "CommandLine",
         "Make port number N (1 to 9) open DEVICE, by its /dev/serial/by-id name where it has one, "
         "and exit."),
     "N DEVICE"},
    {{kUnmapPort},
     QT_TRANSLATE_NOOP(
         "CommandLine",
         "Clear port number N's entry, so that it opens /dev/ttyS<N-1> again, and exit."),
     "N"},
};

// QCommandLineParser has no option with an optional value: --rigctld=PORT is taken apart here
// and the parser sees a plain --rigctld.
QStringList withOptionalValuesTakenOut(const QStringList& arguments,
                                       QMap<QString, QString>& values) {
    QStringList rest;
    for (const QString& argument : arguments) {
        bool takenOut = false;
        for (const OptionDesign& design : kOptions) {
            if (!design.valueOptional) {
                continue;
            }
            static const QRegularExpression spelled(QStringLiteral("^--?([a-z-]+)=(.*)$"),
                                                    QRegularExpression::DotMatchesEverythingOption);
            const QRegularExpressionMatch match = spelled.match(argument);
            if (match.hasMatch() && design.names.contains(match.captured(1))) {
                values[design.names.constLast()] = match.captured(2);
                rest << QStringLiteral("--") + design.names.constLast();
                takenOut = true;
                break;
            }
        }
        if (!takenOut) {
            rest << argument;
        }
    }
    return rest;
}

QString spelledOption(const OptionDesign& design) {
    QStringList spelled;
    for (const QString& name : design.names) {
        spelled << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    }
    QString text = spelled.join(QStringLiteral(", "));
    if (design.valueName != nullptr) {
        text += design.valueOptional ? QStringLiteral("[=%1]").arg(QLatin1String(design.valueName))
                                     : QStringLiteral(" %1").arg(QLatin1String(design.valueName));
    }
    return text;
}

txlink::Error refused(const QString& reason) {
    return txlink::Error{2, reason.toStdString()};
}

std::optional<int> portNumber(const QString& text) {
    bool ok = false;
    const int port = text.toInt(&ok);
    return ok && port >= txlink::kFirstPort && port <= txlink::kLastPort ? std::optional<int>(port)
                                                                         : std::nullopt;
}

}  // namespace

namespace {

// Each reader takes what its options say into `options`; a refusal says why.
using Reader = txlink::Status (*)(const QCommandLineParser& parser,
                                  const QMap<QString, QString>& optionalValues, Options& options);

txlink::Status readNetworkControl(const QCommandLineParser& parser,
                                  const QMap<QString, QString>& optionalValues, Options& options) {
    if (parser.isSet(kNetworkControl)) {
        const QString text =
            optionalValues.value(kNetworkControl, QString::number(rigctl::kDefaultPort));
        static const QRegularExpression digits(QStringLiteral("^[0-9]{1,5}$"));
        const uint port = text.toUInt();
        if (!digits.match(text).hasMatch() || port > 65535) {
            return refused(
                QCoreApplication::translate("CommandLine",
                                            "invalid port '%1' for --rigctld: give a number from 0 "
                                            "(the system chooses) to 65535.")
                    .arg(text));
        }
        options.networkControlPort = quint16(port);
    }
    if (parser.isSet(kNetworkControlListen)) {
        const QString text = parser.value(kNetworkControlListen);
        if (!options.networkControlAddress.setAddress(text)) {
            return refused(
                QCoreApplication::translate("CommandLine",
                                            "invalid address '%1' for --rigctld-listen: give an IP "
                                            "address such as 127.0.0.1, ::1 or 0.0.0.0.")
                    .arg(text));
        }
    }
    return txlink::Status::success();
}

txlink::Status readTransmitTimeout(const QCommandLineParser& parser, const QMap<QString, QString>&,
                                   Options& options) {
    if (!parser.isSet(kTransmitTimeout)) {
        return txlink::Status::success();
    }
    const QString text = parser.value(kTransmitTimeout);
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,4}$"));
    const int seconds = text.toInt();
    if (!digits.match(text).hasMatch() || seconds < kShortestTransmitTimeout.count() ||
        seconds > kLongestTransmitTimeout.count()) {
        return refused(
            QCoreApplication::translate("CommandLine",
                                        "invalid time-out '%1' for --tx-timeout: give seconds "
                                        "from %2 to %3.")
                .arg(text)
                .arg(kShortestTransmitTimeout.count())
                .arg(kLongestTransmitTimeout.count()));
    }
    options.transmitTimeout = std::chrono::seconds(seconds);
    return txlink::Status::success();
}

txlink::Status readProfile(const QCommandLineParser& parser, const QMap<QString, QString>&,
                           Options& options) {
    if (!parser.isSet(kProfile)) {
        return txlink::Status::success();
    }
    const QString name = parser.value(kProfile);
    // It names folders: nothing that could climb out of them or hide in a listing.
    static const QRegularExpression allowed(QStringLiteral("^[A-Za-z0-9_-]{1,32}$"));
    if (!allowed.match(name).hasMatch()) {
        return refused(
            QCoreApplication::translate("CommandLine",
                                        "invalid profile '%1' for --profile: use 1 to 32 letters, "
                                        "digits, '-' or '_'.")
                .arg(name));
    }
    options.profile = name;
    return txlink::Status::success();
}

// A port-map command answers and ends; it starts no panel for the panel's options to serve.
txlink::Status readPortMapCommand(const QCommandLineParser& parser, const QMap<QString, QString>&,
                                  Options& options) {
    options.listPorts = parser.isSet(kListPorts);
    const int portCommands =
        int(options.listPorts) + int(parser.isSet(kMapPort)) + int(parser.isSet(kUnmapPort));
    if (portCommands > 1) {
        return refused(QCoreApplication::translate(
            "CommandLine", "--list-ports, --map-port and --unmap-port go one at a time."));
    }
    if (portCommands > 0 && (parser.isSet(kNetworkControl) || parser.isSet(kNetworkControlListen) ||
                             parser.isSet(kTransmitTimeout) || parser.isSet(kProfile))) {
        return refused(QCoreApplication::translate(
            "CommandLine",
            "--rigctld, --rigctld-listen, --tx-timeout and --profile start with the panel; "
            "they do not go with --list-ports, --map-port or --unmap-port."));
    }
    for (const auto& [name, port] :
         {std::pair{kMapPort, &options.mapPort}, std::pair{kUnmapPort, &options.unmapPort}}) {
        if (!parser.isSet(name)) {
            continue;
        }
        *port = portNumber(parser.value(name));
        if (!*port) {
            return refused(QCoreApplication::translate(
                               "CommandLine", "--%1 takes a port number from 1 to 9, not '%2'.")
                               .arg(name, parser.value(name)));
        }
    }
    return txlink::Status::success();
}

}  // namespace

txlink::Result<Options> parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const OptionDesign& design : kOptions) {
        QCommandLineOption option(design.names,
                                  QCoreApplication::translate("CommandLine", design.description));
        if (design.valueName != nullptr && !design.valueOptional) {
            option.setValueName(QLatin1String(design.valueName));
        }
        parser.addOption(option);
    }
    QMap<QString, QString> optionalValues;
    if (!parser.parse(withOptionalValuesTakenOut(arguments, optionalValues))) {
        return refused(parser.errorText());
    }
    Options options;
    options.help = parser.isSet(QStringLiteral("help"));
    options.version = parser.isSet(QStringLiteral("version"));
    for (const Reader read :
         {readNetworkControl, readTransmitTimeout, readProfile, readPortMapCommand}) {
        if (const txlink::Status done = read(parser, optionalValues, options); !done) {
            return done.error();
        }
    }
    QStringList positional = parser.positionalArguments();
    if (options.mapPort) {
        if (positional.isEmpty()) {
            return refused(QCoreApplication::translate(
                "CommandLine", "--map-port needs a DEVICE after the port number."));
        }
        options.mapDevice = positional.takeFirst();
    }
    if (!positional.isEmpty()) {
        return refused(QCoreApplication::translate("CommandLine", "unexpected argument '%1'.")
                           .arg(positional.first()));
    }
    return options;
}

QString helpText() {
    QString text = QCoreApplication::translate(
        "CommandLine",
        "Usage: vora-tx-controller [options]\n"
        "A control panel for an amateur-radio transmitter whose controller is on a serial port\n"
        "(9600 baud, 8N1). Without options it opens the panel on the port chosen in\n"
        "\"Options\", \"Settings\" (port 1 until one is chosen).\n"
        "\n"
        "Options:\n");
    // The descriptions line up after the longest option, never closer than column 20.
    qsizetype width = 16;
    for (const OptionDesign& design : kOptions) {
        width = std::max(width, spelledOption(design).size());
    }
    // Long descriptions go on over further lines, indented to the same column.
    const qsizetype indent = width + 4;
    for (const OptionDesign& design : kOptions) {
        QString line = QStringLiteral("  %1 ").arg(spelledOption(design), -int(width));
        for (const QString& word :
             QCoreApplication::translate("CommandLine", design.description).split(u' ')) {
            if (line.size() > indent && line.size() + 1 + word.size() > kHelpWidth) {
                text += line + u'\n';
                line = QString(indent - 1, u' ');
            }
            line += u' ' + word;
        }
        text += line + u'\n';
    }
    return text;
}

QString versionText() {
    return QStringLiteral("vora-tx-controller %1\n").arg(QLatin1String(platform::kVersion));
}

QString usageText() {
    return QCoreApplication::translate("CommandLine",
                                       "Usage: vora-tx-controller [options]\n"
                                       "Try 'vora-tx-controller --help' for more.\n");
}

}  // namespace app
