#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <optional>

namespace testsupport {

// An environment variable set (or, given no value, unset) for one scope, restored when it goes.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::optional<QString>& value)
        : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_before(qgetenv(name)) {
        if (value) {
            qputenv(name, QFile::encodeName(*value));
        } else {
            qunsetenv(name);
        }
    }
    ~ScopedEnvironment() {
        if (m_had) {
            qputenv(m_name, m_before);
        } else {
            qunsetenv(m_name);
        }
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* m_name;
    bool m_had;
    QByteArray m_before;
};

}  // namespace testsupport
