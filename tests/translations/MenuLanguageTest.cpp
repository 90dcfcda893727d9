// Run with LANG set as a desktop session sets it (tests/translations/CMakeLists.txt): the program's
// own choice of language from the environment, and the main window's menu bar in it.
#include <QMenuBar>

#include "ProgramFixture.h"
#include "platform/Translations.h"

namespace {

class MenuLanguage : public ProgramFixture {};

TEST_F(MenuLanguage, TheMenuBarReadsInTheDesktopsLanguage) {
    const QStringList expected = qEnvironmentVariable("VORA_EXPECTED_MENUS").split(u',');
    ASSERT_EQ(expected.size(), 3) << "run through ctest, which sets VORA_EXPECTED_MENUS";
    const platform::Translations translations(QStringLiteral("vora"));
    start();
    QStringList titles;
    for (const QAction* title : window().menuBar()->actions()) {
        titles << title->text();
    }
    EXPECT_EQ(titles, expected) << "LANG=" << qgetenv("LANG").toStdString();
}

}  // namespace
