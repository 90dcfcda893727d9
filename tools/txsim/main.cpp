// vora-txsim: a virtual transmitter on a pseudo-terminal, for trying the panel without the
// hardware. Run with --help for the options.

#include <QCoreApplication>
#include <QLoggingCategory>

#include <cstdio>

#include "PortMapEntry.h"
#include "PtyLine.h"
#include "SimOptions.h"
#include "VirtualTransmitter.h"
#include "platform/TerminationSignals.h"
#include "platform/Translations.h"
#include "platform/Version.h"

namespace {
Q_LOGGING_CATEGORY(lcSim, "vora.txsim")
}

int main(int argc, char* argv[]) {
    platform::TerminationSignals::block();
    // Its log of the line goes to standard output; what went wrong, to standard error.
    qSetMessagePattern(QStringLiteral("vora-txsim: %{message}"));
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vora-txsim"));
    QCoreApplication::setApplicationVersion(QLatin1String(platform::kVersion));
    // Its help and messages in the desktop's language; its log of the line stays as it is.
    const platform::Translations translations(QStringLiteral("vora-txsim"));

    const auto options = txsim::SimOptions::parse(QCoreApplication::arguments());
    if (!options) {
        qCCritical(lcSim, "%s", options.error().reason.c_str());
        return 2;
    }

    txsim::PtyLine line;
    if (const txlink::Status opened = line.open(); !opened) {
        qCCritical(lcSim, "%s", opened.error().reason.c_str());
        return 1;
    }
    txsim::PortMapEntry portMap;
    if (options->port != 0) {
        if (const txlink::Status published =
                portMap.publish(options->port, line.slavePath(), options->replace);
            !published) {
            qCCritical(lcSim, "%s", published.error().reason.c_str());
            return 1;
        }
    }

    // Printed whatever --quiet says, which leaves the path alone for a script to read.
    if (options->quiet) {
        std::printf("%s\n", qPrintable(line.slavePath()));
    } else {
        std::printf("pty %s\n", qPrintable(line.slavePath()));
        if (portMap.published())
            std::printf("port %d %s\n", options->port, qPrintable(portMap.path()));
    }
    std::fflush(stdout);

    platform::TerminationSignals termination;
    QObject::connect(&termination, &platform::TerminationSignals::requested, &app,
                     [] { QCoreApplication::exit(0); });
    QObject::connect(&line, &txsim::PtyLine::failed, &app, [](const QString& reason) {
        qCCritical(lcSim, "%s", qPrintable(reason));
        QCoreApplication::exit(1);
    });

    txsim::VirtualTransmitter transmitter(*options, line);
    QObject::connect(&transmitter, &txsim::VirtualTransmitter::hungUp, &app,
                     [] { QCoreApplication::exit(0); });
    transmitter.start();
    const int status = app.exec();
    // However it ended (a signal, a hang-up, its own error), the entry it replaced goes back.
    if (const txlink::Status withdrawn = portMap.withdraw(); !withdrawn)
        qCWarning(lcSim, "%s", withdrawn.error().reason.c_str());
    return status;
}
