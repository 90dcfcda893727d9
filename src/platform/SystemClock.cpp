#include "platform/SystemClock.h"

#include <QTime>

namespace platform {

txlink::TimeOfDay SystemClock::now() const {
    const QTime time = QTime::currentTime();
    return txlink::TimeOfDay::fromHms(time.hour(), time.minute(), time.second());
}

}  // namespace platform
