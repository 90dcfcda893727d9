#pragma once

#include <QList>
#include <QString>

#include "platform/SettingsStore.h"

namespace platform {

// A frequency the operator keeps to go back to, with a name of the operator's choosing.
struct TuningMemory {
    QString name;
    qint64 hertz = 0;
    bool operator==(const TuningMemory&) const = default;
};

// The memories of "Go to Frequency…", per user and per installation folder, in a group of their
// own beside the port text: one key per memory ("1", "2", ...: the frequency in hertz, a space,
// then the name, any text), and "count". A memory whose key was lost or edited into nonsense is
// left out; the others stay.
txlink::Result<QList<TuningMemory>> readTuningMemories(const SettingsStore& store);
txlink::Status saveTuningMemories(SettingsStore& store, const QList<TuningMemory>& memories);

}  // namespace platform
