#pragma once

#include <QString>
#include <QStringList>

#include <chrono>
#include <optional>
#include <utility>

#include "TransmitterModel.h"
#include "txlink/Result.h"

namespace txsim {

// What the command line asks of the simulator: the transmitter it plays, where it shows up,
// and which faults of a real line it commits.
struct SimOptions {
    static constexpr std::chrono::microseconds kCharacterTimeAt9600Baud{1042};  // 10 bits, 8N1
    static constexpr std::chrono::milliseconds kDefaultStatusInterval{1000};
    static constexpr std::chrono::milliseconds kDefaultSplitGap{50};

    TransmitterModel::Format format = TransmitterModel::Format::F;
    std::optional<qint64> frequencyKhz;
    int power = 128;
    bool locked = true;

    int port = 0;          // 0: publish no port-map entry
    bool replace = false;  // take the port's entry even if it is the operator's, and put it back
    bool quiet = false;

    std::chrono::milliseconds statusInterval = kDefaultStatusInterval;  // 0: no repeats
    std::chrono::microseconds byteGap{0};                               // 0: whole pieces
    int splitRecord = 0;                                                // 0: split nothing
    int splitAfter = 0;
    std::chrono::milliseconds splitGap = kDefaultSplitGap;
    int garbageBytes = 0;
    bool malformedRepeats = false;
    bool stuckStep = false;
    std::optional<std::pair<qint64, qint64>> bandKhz;  // lowest, highest
    std::optional<std::chrono::milliseconds> silenceAfter;
    std::optional<std::chrono::milliseconds> silenceFor;
    std::optional<std::chrono::milliseconds> hangupAfter;

    // Reads the arguments (program name first). --help and --version print and exit the
    // process; a value that makes no sense is an error with the reason.
    static txlink::Result<SimOptions> parse(const QStringList& arguments);
    // What --help prints.
    static QString helpText();
};

}  // namespace txsim
