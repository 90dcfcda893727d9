#pragma once

#include <QDateTime>
#include <QString>
#include <functional>

#include "txlink/Result.h"
#include "txlink/TransmitLog.h"

namespace platform {

// The transmit log as a file: transmit.log in its folder, one line per entry, the UTC time of day
// with milliseconds first ("2026-12-08T14:05:01.123Z carrier on"). The folder is made, for the
// user alone, when a line is written, so a folder removed while the program runs comes back.
//
// Bounded: before a line would take the file past its size limit, transmit.log becomes
// transmit.log.1, .1 becomes .2 and .2 becomes .3, replacing the oldest.
//
// A line that cannot be written is given up: the panel never waits for or stops on its log. The
// first failure says so on standard error, and so does the first line written after failures,
// with how many were lost; failures in between are silent, so a full disk does not flood the
// terminal.
class FileTransmitLog final : public txlink::TransmitLog {
public:
    static constexpr qint64 kMaxFileSize = 1024 * 1024;
    static constexpr int kOldFiles = 3;
    using TimeSource = std::function<QDateTime()>;

    // The log in stateFolder(), as the environment names it now.
    FileTransmitLog();
    FileTransmitLog(QString folder, qint64 maxFileSize = kMaxFileSize,
                    TimeSource now = &QDateTime::currentDateTimeUtc);

    QString filePath() const;
    // The n-th older file, 1 to kOldFiles.
    QString oldFilePath(int n) const;
    // Whether the last line could not be written.
    bool failing() const { return m_lost > 0; }

protected:
    void write(const std::string& entry) override;

private:
    txlink::Status append(const QByteArray& line) const;
    txlink::Status rotate() const;

    QString m_folder;
    qint64 m_maxFileSize;
    TimeSource m_now;
    qint64 m_lost = 0;  // lines given up since the last one written
};

}  // namespace platform
