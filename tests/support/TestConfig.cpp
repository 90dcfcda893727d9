#include "TestConfig.h"

#include <QDir>
#include <QFile>
#include <stdexcept>

#include "platform/ConfigPaths.h"

namespace testsupport {

TestConfig::TestConfig()
    : m_previous(qgetenv("XDG_CONFIG_HOME")),
      m_hadPrevious(qEnvironmentVariableIsSet("XDG_CONFIG_HOME")) {
    if (!m_dir.isValid()) {
        throw std::runtime_error("no temporary directory");
    }
    qputenv("XDG_CONFIG_HOME", m_dir.path().toLocal8Bit());
}

TestConfig::~TestConfig() {
    if (m_hadPrevious) {
        qputenv("XDG_CONFIG_HOME", m_previous);
    } else {
        qunsetenv("XDG_CONFIG_HOME");
    }
}

void TestConfig::mapPort(int port, const QString& device) const {
    QDir().mkpath(platform::portMapFolder());
    const QString entry = platform::portMapEntryPath(port);
    QFile::remove(entry);
    if (!QFile::link(device, entry)) {
        throw std::runtime_error("cannot create the port map entry");
    }
}

}  // namespace testsupport
