#include "platform/TuningMemories.h"

#include <algorithm>

#include "platform/PortSetting.h"

namespace platform {
namespace {

const QString kApplication = QStringLiteral("TuningMemories");
const QString kCount = QStringLiteral("count");
// Past any list an operator keeps by hand: a count edited into a huge number reads no further.
constexpr int kMostMemories = 1000;

}  // namespace

txlink::Result<QList<TuningMemory>> readTuningMemories(const SettingsStore& store) {
    const txlink::Result<QString> count =
        store.read(kApplication, settingsSection(), kCount, QStringLiteral("0"));
    if (!count) {
        return count.error();
    }
    QList<TuningMemory> memories;
    const int stored = std::min(count->toInt(), kMostMemories);
    for (int i = 1; i <= stored; ++i) {
        const txlink::Result<QString> entry =
            store.read(kApplication, settingsSection(), QString::number(i), QString());
        if (!entry) {
            return entry.error();
        }
        const qsizetype space = entry->indexOf(u' ');
        bool ok = false;
        const qint64 hertz = entry->left(space).toLongLong(&ok);
        if (space <= 0 || !ok || hertz < 0) {
            continue;
        }
        memories.append({entry->mid(space + 1), hertz});
    }
    return memories;
}

txlink::Status saveTuningMemories(SettingsStore& store, const QList<TuningMemory>& memories) {
    const txlink::Result<QString> before =
        store.read(kApplication, settingsSection(), kCount, QStringLiteral("0"));
    for (qsizetype i = 0; i < memories.size(); ++i) {
        const TuningMemory& memory = memories[i];
        if (const txlink::Status written =
                store.write(kApplication, settingsSection(), QString::number(i + 1),
                            QString::number(memory.hertz) + u' ' + memory.name);
            !written) {
            return written;
        }
    }
    // The keys of memories removed since are emptied, so that a hand-raised count finds nothing.
    const int stale = before ? std::min(before->toInt(), kMostMemories) : 0;
    for (qsizetype i = memories.size() + 1; i <= stale; ++i) {
        if (const txlink::Status emptied =
                store.write(kApplication, settingsSection(), QString::number(i), QString());
            !emptied) {
            return emptied;
        }
    }
    return store.write(kApplication, settingsSection(), kCount, QString::number(memories.size()));
}

}  // namespace platform
