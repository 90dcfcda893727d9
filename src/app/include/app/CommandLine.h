#pragma once

#include <QHostAddress>
#include <QString>
#include <QStringList>
#include <chrono>
#include <optional>

#include "txlink/Result.h"

namespace app {

// The range --tx-timeout takes.
inline constexpr std::chrono::seconds kShortestTransmitTimeout{10};
inline constexpr std::chrono::seconds kLongestTransmitTimeout{3600};

// What the program was asked to do. A start without arguments runs the panel.
struct Options {
    bool help = false;
    bool version = false;
    // --rigctld[=PORT]: network control on for this run, on this port (4532 unless given).
    std::optional<quint16> networkControlPort;
    // --rigctld-listen ADDR: where network control listens, whenever it is on.
    QHostAddress networkControlAddress{QHostAddress::LocalHost};
    // --tx-timeout SECONDS: the transmit time-out for this run, whatever is stored.
    std::optional<std::chrono::seconds> transmitTimeout;
    // --profile NAME: settings and transmit log of their own; empty for the default's.
    QString profile;
    // The port map, changed or shown from the command line; none of these opens a port.
    bool listPorts = false;
    std::optional<int> mapPort;  // with mapDevice
    QString mapDevice;
    std::optional<int> unmapPort;

    bool changesOrShowsPortMap() const { return listPorts || mapPort || unmapPort; }
};

// Reads the arguments (program name first). Anything it does not know is an error whose reason
// names it.
txlink::Result<Options> parseCommandLine(const QStringList& arguments);

QString helpText();
QString versionText();
// One line: how the program is started, and where to read more.
QString usageText();

}  // namespace app
