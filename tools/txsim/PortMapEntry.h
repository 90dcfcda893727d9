#pragma once

#include <QString>

#include "platform/PortMap.h"
#include "txlink/Result.h"

namespace txsim {

// The panel's port N is whatever $XDG_CONFIG_HOME/VoraTXController/ports/comN resolves to. An
// entry published here is a symbolic link to the simulator's pty, and it is taken away again
// when the simulator ends, unless someone has pointed it elsewhere in the meantime.
//
// The operator's own entries are never taken without asking. Beside its entry the simulator
// leaves a marker, .comN.vora-txsim, with its process id and its pty: an entry whose marker names
// a simulator that is no longer running (or, from simulators before the marker, a link into
// /dev/pts that points nowhere) was left behind by a killed simulator and may be replaced. Any
// other entry is taken only when asked to replace it; it is then kept aside as
// .comN.vora-txsim-original and put back when the simulator ends.
class PortMapEntry {
public:
    static constexpr int kFirstPort = platform::kFirstPort;
    static constexpr int kLastPort = platform::kLastPort;

    PortMapEntry() = default;
    ~PortMapEntry();

    PortMapEntry(const PortMapEntry&) = delete;
    PortMapEntry& operator=(const PortMapEntry&) = delete;

    // Points port `port` at `target`. An entry that is not a dead simulator's is refused, with a
    // reason that names a free port, unless `replace` is set.
    txlink::Status publish(int port, const QString& target, bool replace = false);
    // Takes the entry away and puts back the one it replaced. Fails, saying where the replaced
    // entry was left, when someone else has changed the entry meanwhile.
    txlink::Status withdraw();

    bool published() const { return !m_path.isEmpty(); }
    QString path() const { return m_path; }

    // Where the marker of port `port`'s entry and a replaced entry are kept.
    static QString markerPath(int port);
    static QString originalPath(int port);

private:
    QString m_path;
    QString m_target;
    int m_port = 0;
    bool m_restoreOriginal = false;
};

}  // namespace txsim
