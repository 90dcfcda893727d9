#include "platform/PrintableName.h"

namespace platform {

QString printableName(QStringView name) {
    QString shown;
    shown.reserve(name.size());
    for (const QChar c : name) {
        const char16_t code = c.unicode();
        if (code == u'\\') {
            shown += QLatin1String("\\\\");
        } else if (code == 0x1b) {
            shown += QLatin1String("\\e");
        } else if (c.category() == QChar::Other_Control) {  // C0, DEL and C1: all below 0x100
            shown += QStringLiteral("\\x%1").arg(unsigned(code), 2, 16, QLatin1Char('0'));
        } else if (c.category() == QChar::Other_Format || c.category() == QChar::Separator_Line ||
                   c.category() == QChar::Separator_Paragraph) {
            shown += QStringLiteral("\\u{%1}").arg(unsigned(code), 4, 16, QLatin1Char('0'));
        } else {
            shown += c;
        }
    }
    return shown;
}

}  // namespace platform
