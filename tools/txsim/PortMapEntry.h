#pragma once

#include <QString>

#include "txlink/Result.h"

namespace txsim {

// The panel's port N is whatever $XDG_CONFIG_HOME/VoraTXController/ports/comN resolves to. An
// entry published here is a symbolic link to the simulator's pty, and it is taken away again
// when the simulator ends, unless someone has pointed it elsewhere in the meantime.
class PortMapEntry {
public:
    static constexpr int kFirstPort = 1;
    static constexpr int kLastPort = 9;

    PortMapEntry() = default;
    ~PortMapEntry();

    PortMapEntry(const PortMapEntry&) = delete;
    PortMapEntry& operator=(const PortMapEntry&) = delete;

    // Points port `port` at `target`, replacing an earlier link but never a file or directory
    // that someone put there by hand.
    txlink::Status publish(int port, const QString& target);
    void withdraw();

    bool published() const { return !m_path.isEmpty(); }
    QString path() const { return m_path; }

private:
    QString m_path;
    QString m_target;
};

}  // namespace txsim
