#include "ui/common/MessageBox.h"

#include <QMessageBox>
#include <QPushButton>

namespace ui::common {
namespace {

QString withLineBreaks(QString text) {
    text.replace(u'\r', u'\n');
    return text;
}

}  // namespace

void WidgetMessageBox::critical(const QString& title, const QString& message) {
    QMessageBox box(QMessageBox::Critical, title, withLineBreaks(message), QMessageBox::Ok);
    box.exec();
}

void WidgetMessageBox::notify(const QString& title, const QString& message) {
    auto* box =
        new QMessageBox(QMessageBox::Warning, title, withLineBreaks(message), QMessageBox::Ok);
    box->setObjectName(QStringLiteral("notice"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}

int WidgetMessageBox::ask(const QString& title, const QString& message, const QStringList& choices,
                          int cancelChoice) {
    QMessageBox box(QMessageBox::Question, title, withLineBreaks(message));
    box.setObjectName(QStringLiteral("question"));
    QList<QPushButton*> buttons;
    for (const QString& choice : choices) {
        buttons << box.addButton(choice, QMessageBox::ActionRole);
    }
    if (!buttons.isEmpty()) {
        box.setDefaultButton(buttons.first());
    }
    if (cancelChoice >= 0 && cancelChoice < buttons.size()) {
        box.setEscapeButton(buttons.at(cancelChoice));
    }
    box.exec();
    const qsizetype chosen = buttons.indexOf(qobject_cast<QPushButton*>(box.clickedButton()));
    return chosen < 0 ? cancelChoice : int(chosen);
}

}  // namespace ui::common
