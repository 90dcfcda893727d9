#include "SimOptions.h"

#include "Failure.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRegularExpression>

#include <cmath>

#include "platform/PortMap.h"

namespace txsim {

using namespace std::chrono;

// The help and the refusals are in the operator's language (context "SimOptions").
namespace {

const char kDescription[] =
    QT_TRANSLATE_NOOP("SimOptions", R"(A virtual Vora transmitter on a pseudo-terminal.

It answers the panel's two-byte commands 1a to 7a with 8-character records
(S status, then F, G or H frequency), repeats its status on its own, and can
commit the faults of a real serial line. On start it prints "pty /dev/pts/N"
as its first line; afterwards it logs "rx <command>" for every command it
reads, "tx <record>" for every record once it is on the line, "junk <hex>"
for garbage it sent, "rx-junk <hex>" for bytes it skipped, "silent" and
"talking" when --silence-after and --silence-for take effect, "muted <record>"
for records held back meanwhile, and "hangup". With --quiet it prints the pty
path alone and nothing more. SIGINT, SIGTERM or SIGHUP end it with status 0
and remove the port-map entry it made.

With --port N it refuses an entry comN that is the operator's own (or another
running simulator's) and names a free port instead; --replace takes it all the
same and puts it back when the simulator ends.

The options whose description begins "Fault:" commit the faults of a real
serial line.)");

struct Option {
    const char* name;
    const char* description;
    const char* valueName;
};

const Option kOptions[] = {
    {"format", QT_TRANSLATE_NOOP("SimOptions", "Frequency record kind: F, G or H (default F)."),
     "F|G|H"},
    {"frequency",
     QT_TRANSLATE_NOOP("SimOptions",
                       "Start frequency in MHz (default per format: 1296, 10368, 2320)."),
     "MHz"},
    {"power", QT_TRANSLATE_NOOP("SimOptions", "Start power level, 0 to 255 (default 128)."), "N"},
    {"unlocked", QT_TRANSLATE_NOOP("SimOptions", "Report the synthesiser as unlocked."), nullptr},
    {"port",
     QT_TRANSLATE_NOOP("SimOptions",
                       "Publish the pty as the panel's port N (1-9) in the port map."),
     "N"},
    {"replace",
     QT_TRANSLATE_NOOP(
         "SimOptions",
         "With --port: take the port's entry even if it is someone's own; put it back at the end."),
     nullptr},
    {"print-path",
     QT_TRANSLATE_NOOP("SimOptions", "Print the pty path first (always done; kept for scripts)."),
     nullptr},
    {"quiet", QT_TRANSLATE_NOOP("SimOptions", "Print the pty path alone, and log nothing."),
     nullptr},
    {"status-interval",
     QT_TRANSLATE_NOOP("SimOptions",
                       "Repeat the status every MS milliseconds; 0 never (default 1000)."),
     "MS"},
    {"byte-pacing",
     QT_TRANSLATE_NOOP("SimOptions",
                       "Fault: write records a byte at a time, 1.042 ms apart (9600 baud 8N1)."),
     nullptr},
    {"byte-gap-us",
     QT_TRANSLATE_NOOP(
         "SimOptions",
         "Fault: microseconds between paced bytes (default 1042); implies --byte-pacing."),
     "US"},
    {"split",
     QT_TRANSLATE_NOOP(
         "SimOptions",
         "Fault: the K-th record sent (counting every record from 1) goes out as P characters "
         "(1 to 7), a pause, then the rest."),
     "K:P"},
    {"split-gap-ms",
     QT_TRANSLATE_NOOP("SimOptions", "Pause between the parts of a split record (default 50)."),
     "MS"},
    {"garbage",
     QT_TRANSLATE_NOOP("SimOptions", "Fault: write N random bytes ahead of every status repeat."),
     "N"},
    {"malformed",
     QT_TRANSLATE_NOOP(
         "SimOptions",
         "Fault: status repeats carry a step code that is no number (\"x1\" and the like)."),
     nullptr},
    {"stuck-step",
     QT_TRANSLATE_NOOP("SimOptions", "Fault: answer Step (1a) with the step unchanged."), nullptr},
    {"band-edge",
     QT_TRANSLATE_NOOP("SimOptions",
                       "Fault: up and down do nothing where they would leave LOW to HIGH MHz; the "
                       "frequency record still comes."),
     "LOW:HIGH"},
    {"silence-after",
     QT_TRANSLATE_NOOP(
         "SimOptions",
         "Fault: after S seconds nothing more goes out; commands are still read, obeyed and "
         "logged."),
     "S"},
    {"silence-for",
     QT_TRANSLATE_NOOP("SimOptions",
                       "Fault: with --silence-after, talk again after S more seconds."),
     "S"},
    {"hangup-after",
     QT_TRANSLATE_NOOP(
         "SimOptions",
         "Fault: close the line after S seconds (the panel sees the device vanish) and exit."),
     "S"},
};

std::optional<long long> integerIn(const QString& text, long long lowest, long long highest) {
    bool ok = false;
    const long long value = text.toLongLong(&ok);
    if (!ok || value < lowest || value > highest)
        return std::nullopt;
    return value;
}

std::optional<milliseconds> seconds(const QString& text) {
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < 0 || value > 1e6)
        return std::nullopt;
    return milliseconds(std::llround(value * 1000));
}

// The values the command line gave, by option name.
struct Values {
    const QCommandLineParser& parser;
    bool isSet(const char* name) const { return parser.isSet(QString::fromLatin1(name)); }
    QString value(const char* name) const { return parser.value(QString::fromLatin1(name)); }
};

// Each reader takes the options it knows from `given` into `options`, or says what is wrong.
using Refusal = std::optional<QString>;

Refusal readFrequency(const Values& given, SimOptions& options) {
    if (given.isSet("format")) {
        const auto format = TransmitterModel::formatNamed(given.value("format"));
        if (!format)
            return QCoreApplication::translate("SimOptions", "--format takes F, G or H");
        options.format = *format;
    }
    if (given.isSet("frequency")) {
        bool ok = false;
        const double mhz = given.value("frequency").toDouble(&ok);
        const qint64 khz = ok && std::isfinite(mhz) ? std::llround(mhz * 1000) : -1;
        if (khz < 0 || khz > TransmitterModel::highestFrequencyKhz(options.format))
            return QCoreApplication::translate("SimOptions",
                                               "--frequency is out of range for this format");
        options.frequencyKhz = khz;
    }
    if (given.isSet("band-edge")) {
        const QStringList ends = given.value("band-edge").split(u':');
        const auto khzOf = [](const QString& text) {
            bool ok = false;
            const double mhz = text.toDouble(&ok);
            return ok && std::isfinite(mhz) && mhz >= 0 && mhz < 1e6 ? std::llround(mhz * 1000)
                                                                     : -1LL;
        };
        const qint64 low = ends.size() == 2 ? khzOf(ends[0]) : -1;
        const qint64 high = ends.size() == 2 ? khzOf(ends[1]) : -1;
        if (low < 0 || high < low)
            return QStringLiteral("--band-edge takes LOW:HIGH in MHz, LOW not above HIGH");
        options.bandKhz = std::pair{low, high};
    }
    return std::nullopt;
}

Refusal readWholeNumbers(const Values& given, SimOptions& options) {
    struct Whole {
        const char* name;
        long long lowest;
        long long highest;
        const char* takes;
        void (*take)(SimOptions&, long long);
    };
    static constexpr Whole kWholes[] = {
        {"power", 0, TransmitterModel::kMaxPower, QT_TRANSLATE_NOOP("SimOptions", "0 to 255"),
         [](SimOptions& o, long long v) { o.power = int(v); }},
        {"port", platform::kFirstPort, platform::kLastPort,
         QT_TRANSLATE_NOOP("SimOptions", "1 to 9"),
         [](SimOptions& o, long long v) { o.port = int(v); }},
        {"status-interval", 0, 3'600'000,
         QT_TRANSLATE_NOOP("SimOptions", "milliseconds, 0 to 3600000"),
         [](SimOptions& o, long long v) { o.statusInterval = milliseconds(v); }},
        {"byte-gap-us", 1, 10'000'000, QT_TRANSLATE_NOOP("SimOptions", "1 to 10000000"),
         [](SimOptions& o, long long v) { o.byteGap = microseconds(v); }},
        {"split-gap-ms", 0, 60'000, QT_TRANSLATE_NOOP("SimOptions", "0 to 60000"),
         [](SimOptions& o, long long v) { o.splitGap = milliseconds(v); }},
        {"garbage", 0, 4096, QT_TRANSLATE_NOOP("SimOptions", "0 to 4096"),
         [](SimOptions& o, long long v) { o.garbageBytes = int(v); }},
    };
    for (const Whole& whole : kWholes) {
        if (!given.isSet(whole.name))
            continue;
        const auto value = integerIn(given.value(whole.name), whole.lowest, whole.highest);
        if (!value)
            return QCoreApplication::translate("SimOptions", "--%1 takes %2")
                .arg(QLatin1String(whole.name),
                     QCoreApplication::translate("SimOptions", whole.takes));
        whole.take(options, *value);
    }
    return std::nullopt;
}

Refusal readSplit(const Values& given, SimOptions& options) {
    if (!given.isSet("split"))
        return std::nullopt;
    static const QRegularExpression kSplit(QStringLiteral("^(\\d+):(\\d+)$"));
    const auto match = kSplit.match(given.value("split"));
    const auto record =
        match.hasMatch() ? integerIn(match.captured(1), 1, 1'000'000'000) : std::nullopt;
    const auto after = match.hasMatch() ? integerIn(match.captured(2), 1, 7) : std::nullopt;
    if (!record || !after)
        return QCoreApplication::translate("SimOptions",
                                           "--split takes K:P, K from 1, P from 1 to 7");
    options.splitRecord = static_cast<int>(*record);
    options.splitAfter = static_cast<int>(*after);
    return std::nullopt;
}

Refusal readTimes(const Values& given, SimOptions& options) {
    const std::pair<const char*, std::optional<milliseconds>*> timed[] = {
        {"silence-after", &options.silenceAfter},
        {"silence-for", &options.silenceFor},
        {"hangup-after", &options.hangupAfter},
    };
    for (const auto& [name, target] : timed) {
        if (!given.isSet(name))
            continue;
        *target = seconds(given.value(name));
        if (!*target)
            return QCoreApplication::translate("SimOptions", "--%1 takes seconds")
                .arg(QLatin1String(name));
    }
    return std::nullopt;
}

void describeOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription(QCoreApplication::translate("SimOptions", kDescription));
    parser.addHelpOption();
    parser.addVersionOption();
    for (const Option& option : kOptions) {
        parser.addOption(
            option.valueName
                ? QCommandLineOption(QString::fromLatin1(option.name),
                                     QCoreApplication::translate("SimOptions", option.description),
                                     QString::fromLatin1(option.valueName))
                : QCommandLineOption(
                      QString::fromLatin1(option.name),
                      QCoreApplication::translate("SimOptions", option.description)));
    }
}

}  // namespace

QString SimOptions::helpText() {
    QCommandLineParser parser;
    describeOptions(parser);
    return parser.helpText();
}

txlink::Result<SimOptions> SimOptions::parse(const QStringList& arguments) {
    QCommandLineParser parser;
    describeOptions(parser);
    if (!parser.parse(arguments))
        return failure(parser.errorText());
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(0);
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();
    if (!parser.positionalArguments().isEmpty())
        return failure(QCoreApplication::translate("SimOptions", "unexpected argument: %1")
                           .arg(parser.positionalArguments().first()));

    const Values given{parser};
    SimOptions options;
    options.locked = !given.isSet("unlocked");
    options.replace = given.isSet("replace");
    options.quiet = given.isSet("quiet");
    options.malformedRepeats = given.isSet("malformed");
    options.stuckStep = given.isSet("stuck-step");
    if (given.isSet("byte-pacing"))
        options.byteGap = kCharacterTimeAt9600Baud;
    for (const auto read : {readFrequency, readWholeNumbers, readSplit, readTimes}) {
        if (const std::optional<QString> refusal = read(given, options))
            return failure(*refusal);
    }
    if (options.replace && options.port == 0)
        return failure(QCoreApplication::translate("SimOptions", "--replace needs --port"));
    if (options.silenceFor && !options.silenceAfter)
        return failure(
            QCoreApplication::translate("SimOptions", "--silence-for needs --silence-after"));
    return options;
}

}  // namespace txsim
