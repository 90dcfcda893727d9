// Reads or writes one setting in a process of its own:
//   settings_probe get FILE APPLICATION SECTION KEY DEFAULT
//   settings_probe set FILE APPLICATION SECTION KEY VALUE
#include <QCoreApplication>
#include <cstdio>

#include "platform/IniSettingsStore.h"

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 7) {
        return 2;
    }
    platform::IniSettingsStore store(args[2]);
    if (args[1] == QLatin1String("set")) {
        return store.write(args[3], args[4], args[5], args[6]) ? 0 : 1;
    }
    const txlink::Result<QString> value = store.read(args[3], args[4], args[5], args[6]);
    if (!value) {
        return 1;
    }
    std::fputs(value->toUtf8().constData(), stdout);
    return 0;
}
