#pragma once

#include <exception>
#include <utility>

namespace platform {

// Writes a failure that no handler caught to standard error. The program goes on.
void reportUncaught(const char* where, const std::exception* failure);

// Runs one event handler to its end: a failure that escapes it is reported, never fatal.
template <typename Handler>
void guarded(const char* where, Handler&& handler) {
    try {
        std::forward<Handler>(handler)();
    } catch (const std::exception& failure) {
        reportUncaught(where, &failure);
    } catch (...) {
        reportUncaught(where, nullptr);
    }
}

}  // namespace platform
