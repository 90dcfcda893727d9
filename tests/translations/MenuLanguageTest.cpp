// Run with LANG set as a desktop session sets it (tests/translations/CMakeLists.txt): the program's
// own choice of language from the environment, and the main window's menu bar in it.
#include <QMenu>
#include <QMenuBar>
#include <optional>

#include "ProgramFixture.h"
#include "platform/Translations.h"

namespace {

class MenuLanguage : public ProgramFixture {
protected:
    // Every item of every menu, submenus included, by its menu and place in it.
    QMap<QString, QString> menuItems() {
        QMap<QString, QString> items;
        for (const QMenu* menu : window().menuBar()->findChildren<QMenu*>()) {
            const QList<QAction*> actions = menu->actions();
            for (qsizetype place = 0; place < actions.size(); ++place) {
                if (!actions[place]->isSeparator()) {
                    items.insert(menu->objectName() + u'/' + QString::number(place),
                                 actions[place]->text());
                }
            }
        }
        return items;
    }
};

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

// A desktop in another language reads no English item in any menu; an English one reads them all
// as the program's own texts.
TEST_F(MenuLanguage, NoMenuItemIsLeftInEnglish) {
    const bool english =
        qEnvironmentVariable("VORA_EXPECTED_MENUS") == QStringLiteral("File,Options,About");
    std::optional<platform::Translations> translations(std::in_place, QStringLiteral("vora"));
    start();
    const QMap<QString, QString> shown = menuItems();
    program.reset();
    translations.reset();
    start();
    const QMap<QString, QString> own = menuItems();
    ASSERT_EQ(shown.keys(), own.keys());
    ASSERT_GE(own.size(), 13) << "the menus' items were not found";
    for (auto item = own.cbegin(); item != own.cend(); ++item) {
        if (english) {
            EXPECT_EQ(shown[item.key()], item.value()) << item.key().toStdString();
        } else {
            EXPECT_NE(shown[item.key()], item.value()) << item.key().toStdString();
        }
    }
}

}  // namespace
