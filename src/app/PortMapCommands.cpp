#include "app/PortMapCommands.h"

#include <QCoreApplication>

#include "platform/PrintableName.h"
#include "txlink/Result.h"

namespace app {
namespace {

using platform::printableName;

constexpr int kRefused = 2;
constexpr int kNotWritten = 1;

CommandOutcome failed(const txlink::Error& error) {
    return CommandOutcome{error.number == txlink::error::kSettingsFile ? kNotWritten : kRefused,
                          QString(), QString::fromStdString(error.reason) + u'\n'};
}

QString holderText(qint64 pid) {
    if (pid == 0) {
        return QStringLiteral("no");
    }
    return pid == QCoreApplication::applicationPid()
               ? QStringLiteral("yes, by this program")
               : QStringLiteral("yes, by process %1").arg(pid);
}

QString portLine(const portmap::PortAssignment& port) {
    QString line = QStringLiteral("  %1  ").arg(port.port);
    if (!port.mapped) {
        line += QStringLiteral("%1 (no entry: the default)").arg(printableName(port.device));
    } else {
        line += QStringLiteral("%1 (port map)").arg(printableName(port.entryTarget));
        if (!port.device.isEmpty() && port.device != port.entryTarget) {
            line += QStringLiteral(" = %1").arg(printableName(port.device));
        }
    }
    if (port.mapped && port.device.isEmpty()) {
        return line + QStringLiteral(", points nowhere\n");
    }
    return line +
           (port.present ? QStringLiteral(", present\n") : QStringLiteral(", not present\n"));
}

}  // namespace

QString portListing(const QList<portmap::SerialDevice>& devices,
                    const QList<portmap::PortAssignment>& ports) {
    QString text = QStringLiteral("Serial devices present:\n");
    if (devices.isEmpty()) {
        text += QStringLiteral("  none\n");
    }
    for (const portmap::SerialDevice& device : devices) {
        text += QStringLiteral("  %1\n").arg(printableName(device.kernelPath));
        const std::pair<const char*, QString> details[] = {
            {"stable name", device.stablePath},       {"description", device.description},
            {"manufacturer", device.manufacturer},    {"serial number", device.serialNumber},
            {"in use", holderText(device.holderPid)},
        };
        for (const auto& [name, value] : details) {
            if (!value.isEmpty()) {
                text += QStringLiteral("      %1%2\n")
                            .arg(QLatin1String(name), -15)
                            .arg(printableName(value));
            }
        }
    }
    text += QStringLiteral("Port numbers:\n");
    for (const portmap::PortAssignment& port : ports) {
        text += portLine(port);
    }
    return text;
}

CommandOutcome runPortMapCommand(const Options& options, const QString& stableFolder) {
    if (options.mapPort) {
        const txlink::Result<QString> target =
            portmap::assignPort(*options.mapPort, options.mapDevice, stableFolder);
        if (!target) {
            return failed(target.error());
        }
        return CommandOutcome{0,
                              QStringLiteral("Port %1 now opens %2.\n")
                                  .arg(*options.mapPort)
                                  .arg(printableName(*target)),
                              {}};
    }
    if (options.unmapPort) {
        const txlink::Result<bool> cleared = portmap::clearPort(*options.unmapPort);
        if (!cleared) {
            return failed(cleared.error());
        }
        const QString device = printableName(portmap::describePort(*options.unmapPort).device);
        return CommandOutcome{
            0,
            *cleared ? QStringLiteral("Port %1's entry is cleared: it opens %2 again.\n")
                           .arg(*options.unmapPort)
                           .arg(device)
                     : QStringLiteral("Port %1 has no entry: it opens %2.\n")
                           .arg(*options.unmapPort)
                           .arg(device),
            {}};
    }
    QList<portmap::PortAssignment> ports;
    for (int port = portmap::kFirstPort; port <= portmap::kLastPort; ++port) {
        ports.append(portmap::describePort(port));
    }
    return CommandOutcome{0, portListing(portmap::presentSerialDevices(stableFolder), ports), {}};
}

}  // namespace app
