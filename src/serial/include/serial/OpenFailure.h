#pragma once

#include <QSerialPort>
#include <QString>
#include <optional>

#include "serial/LockHolder.h"
#include "txlink/Result.h"

namespace serial {

// Why a device did not open, as the error number the panel reports and a reason in plain words
// that tells the operator what to do. `systemReason` is what the system said;
// `permissionDenied` whether this user may not read and write the device at all; `holder` who
// its lock file says holds a busy device, if a lock file is there.
txlink::Error openFailure(const QString& device, QSerialPort::SerialPortError error,
                          const QString& systemReason, bool permissionDenied,
                          const std::optional<LockHolder>& holder = std::nullopt);

}  // namespace serial
