#include "ui/common/MessageBox.h"

#include <QMessageBox>

namespace ui::common {

void WidgetMessageBox::critical(const QString& title, const QString& message) {
    QString text = message;
    text.replace(u'\r', u'\n');
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok);
    box.exec();
}

}  // namespace ui::common
