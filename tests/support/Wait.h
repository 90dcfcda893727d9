#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTest>
#include <chrono>

namespace testsupport {

// Turns the event loop until `condition` holds or `timeout` passes; true when it held. Deferred
// deletes run too, as they would in the program's own loop. For GoogleTest, whose assertions do
// not see QTest's QTRY_ macros.
template <typename Condition>
bool waitUntil(Condition condition, std::chrono::milliseconds timeout = std::chrono::seconds(5)) {
    const QDeadlineTimer deadline(timeout);
    while (!condition()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QTest::qWait(5);
    }
    return true;
}

}  // namespace testsupport
