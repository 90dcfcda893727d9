#pragma once

#include <QString>
#include <QTemporaryDir>

namespace testsupport {

// A private $XDG_CONFIG_HOME for one test, so no test reads or writes the user's real settings
// or port map. Restores the old value when it goes.
class TestConfig {
public:
    TestConfig();
    ~TestConfig();
    TestConfig(const TestConfig&) = delete;
    TestConfig& operator=(const TestConfig&) = delete;

    QString path() const { return m_dir.path(); }
    // Makes port `port` name `device` in the port map.
    void mapPort(int port, const QString& device) const;

private:
    QTemporaryDir m_dir;
    QByteArray m_previous;
    bool m_hadPrevious;
};

}  // namespace testsupport
