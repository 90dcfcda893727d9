#include "txlink/TimeOfDay.h"

#include <cstdio>

namespace txlink {

std::string TimeOfDay::toString() const {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", m_seconds / 3600, m_seconds / 60 % 60,
                  m_seconds % 60);
    return text;
}

}  // namespace txlink
