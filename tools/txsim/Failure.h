#pragma once

#include <QString>

#include "txlink/Result.h"

namespace txsim {

// The simulator's failures carry only their reason; the number is never shown.
inline txlink::Error failure(const QString& reason) {
    return txlink::Error{txlink::error::kInternal, reason.toStdString()};
}

inline QString reasonOf(const txlink::Error& error) {
    return QString::fromStdString(error.reason);
}

}  // namespace txsim
