#include "EventGuard.h"

#include <cstdio>

#include "link/RuntimeError.h"

namespace platform {

void reportUncaught(const char* where, const std::exception* failure) {
    if (failure == nullptr) {
        std::fprintf(stderr, "vora-tx-controller: %s failed\n", where);
    } else if (const auto* numbered = dynamic_cast<const txlink::RuntimeError*>(failure)) {
        std::fprintf(stderr, "vora-tx-controller: %s failed: error %d: %s\n", where,
                     numbered->number(), numbered->what());
    } else {
        std::fprintf(stderr, "vora-tx-controller: %s failed: %s\n", where, failure->what());
    }
    std::fflush(stderr);
}

}  // namespace platform
