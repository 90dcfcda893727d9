#pragma once

#include <QList>
#include <QString>

#include "app/CommandLine.h"
#include "portmap/PortAssignments.h"
#include "portmap/SerialDevices.h"

namespace app {

// What a port-map command printed and how the program ends: 0 done, 1 the port map could not be
// written, 2 refused (a port number outside 1 to 9, a device that is not a serial line).
struct CommandOutcome {
    int exitStatus = 0;
    QString output;  // for standard output
    QString errors;  // for standard error, a line each
};

// Runs --list-ports, --map-port or --unmap-port. Opens no port.
CommandOutcome runPortMapCommand(const Options& options,
                                 const QString& stableFolder = portmap::kStableNameFolder);

// The listing of --list-ports: the devices present, then what each port number opens.
QString portListing(const QList<portmap::SerialDevice>& devices,
                    const QList<portmap::PortAssignment>& ports);

}  // namespace app
