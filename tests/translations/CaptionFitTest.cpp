// Every caption of the windows, in each language, fits its control as the English one does: no
// wider than the room the control gives it, or, where the English caption already needs more,
// no wider than that. Measured offscreen with the faces the program itself substitutes.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QRegularExpression>
#include <QStyle>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <algorithm>

#include "ProgramFixture.h"
#include "platform/Translations.h"
#include "ui/about/AboutWindow.h"
#include "ui/common/Style.h"
#include "ui/monitor/LinkMonitor.h"

namespace {

// One caption as the window shows it: where it is, what it says, how wide (or, for text that
// wraps, how tall) it is and how much room its control gives it.
struct Caption {
    QString where;
    QString text;
    int extent;
    int room;
};

QString shownText(QString text) {
    // A mnemonic's ampersand is drawn as an underline, not a character.
    static const QRegularExpression mnemonic(QStringLiteral("&(.)"));
    return text.replace(mnemonic, QStringLiteral("\\1"));
}

// Where a label's text would run under a control beside or below it (the Settings dialog's box
// over its caption, the About window's address under its lead-in), or past the inside of what
// holds it (the About window's "Exit" reaches beyond its picture box), the room ends there.
QRect visibleInside(const QLabel* label, const QRect& inside) {
    QRect visible = inside;
    for (const QWidget* holder = label->parentWidget(); holder != nullptr;
         holder = holder->parentWidget()) {
        const QRect area = holder->contentsRect();
        visible &= QRect(label->mapFrom(holder, area.topLeft()), area.size());
        if (holder->isWindow()) {
            break;
        }
    }
    const QRect placed = label->geometry();
    for (const QObject* object : label->parentWidget()->children()) {
        const auto* sibling = qobject_cast<const QWidget*>(object);
        if (sibling == nullptr || sibling == label || !sibling->isVisible() ||
            !sibling->geometry().intersects(placed)) {
            continue;
        }
        const QRect over = sibling->geometry().translated(-placed.topLeft());
        if (over.left() > visible.left()) {
            visible.setRight(std::min(visible.right(), over.left() - 1));
        } else if (over.top() > visible.top()) {
            visible.setBottom(std::min(visible.bottom(), over.top() - 1));
        }
    }
    return visible;
}

Caption labelCaption(const QString& where, const QLabel* label) {
    const QFontMetrics metrics(label->font());
    const QString text = label->buddy() != nullptr ? shownText(label->text()) : label->text();
    const QRect inside =
        visibleInside(label, label->contentsRect().adjusted(label->margin(), label->margin(),
                                                            -label->margin(), -label->margin()));
    if (label->wordWrap()) {
        const QRect wrapped = metrics.boundingRect(
            QRect(0, 0, inside.width(), 10000), Qt::TextWordWrap | int(label->alignment()), text);
        return {where, text, wrapped.height(), inside.height()};
    }
    // A framed label keeps half an "x" clear of its frame on the side it is aligned to.
    const int indent = label->indent() >= 0
                           ? label->indent()
                           : (label->frameWidth() > 0 ? metrics.horizontalAdvance(u'x') / 2 : 0);
    return {where, text, metrics.horizontalAdvance(text), inside.width() - indent};
}

Caption buttonCaption(const QString& where, const QAbstractButton* button) {
    const QString text = shownText(button->text());
    // A small margin each side, as a button's own style keeps its caption off its edge.
    const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
    return {where, text, QFontMetrics(button->font()).horizontalAdvance(text),
            button->contentsRect().width() - margin};
}

Caption frameCaption(const QString& where, const QGroupBox* frame) {
    // The title sits in the border line, clear of the frame's corners.
    constexpr int kCornerClearance = 16;
    return {where, frame->title(), QFontMetrics(frame->font()).horizontalAdvance(frame->title()),
            frame->width() - kCornerClearance};
}

// Every caption in `window`, children in the order they were made: the same for each language.
QList<Caption> captionsOf(const QString& name, QWidget* window) {
    QList<Caption> captions;
    const QList<QWidget*> children = window->findChildren<QWidget*>();
    for (qsizetype i = 0; i < children.size(); ++i) {
        QWidget* child = children.at(i);
        const QString where = QStringLiteral("%1/%2#%3").arg(name, child->objectName()).arg(i);
        if (const auto* label = qobject_cast<const QLabel*>(child);
            label != nullptr && !label->text().isEmpty()) {
            captions << labelCaption(where, label);
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(child);
                   button != nullptr && !button->text().isEmpty()) {
            captions << buttonCaption(where, button);
        } else if (const auto* frame = qobject_cast<const QGroupBox*>(child);
                   frame != nullptr && !frame->title().isEmpty()) {
            captions << frameCaption(where, frame);
        } else if (auto* text = qobject_cast<QTextEdit*>(child)) {
            // Lines that do not wrap: each within the box.
            const int room =
                text->viewport()->width() - 2 * int(text->document()->documentMargin());
            const QFontMetrics metrics(text->document()->defaultFont());
            for (QTextBlock line = text->document()->begin(); line.isValid(); line = line.next()) {
                captions << Caption{where, line.text(), metrics.horizontalAdvance(line.text()),
                                    room};
            }
        }
    }
    return captions;
}

// The menu bar's titles side by side in one row inside the window, as in English.
QList<Caption> menuCaptions(QMenuBar* bar) {
    QList<Caption> captions;
    const QList<QAction*> titles = bar->actions();
    for (QAction* title : titles) {
        const QRect place = bar->actionGeometry(title);
        captions << Caption{
            QStringLiteral("menu bar"), shownText(title->text()),
            place.y() == bar->actionGeometry(titles.first()).y() ? place.right() : 100000,
            bar->width()};
    }
    return captions;
}

class CaptionFit : public ProgramFixture, public ::testing::WithParamInterface<const char*> {
protected:
    static void SetUpTestSuite() { ui::common::substituteFaces(); }

    // Every window, each in every state that changes a caption.
    QList<Caption> allCaptions() {
        QList<Caption> captions;
        program.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        start();
        ui::main::MainWindow& main = window();
        main.show();
        captions << menuCaptions(main.menuBar());
        // The status panels and the carrier button in each of their states.
        main.showLink(true);
        main.showLock(true);
        main.showCarrier(true);
        main.showNetworkControl(txlink::NetworkControlShown{8, false});
        captions << captionsOf(QStringLiteral("main, on"), &main);
        main.showLock(false);
        main.showCarrier(false);
        main.showNetworkControl(txlink::NetworkControlShown{1, true});
        captions << captionsOf(QStringLiteral("main, off"), &main);
        main.showLink(false);
        captions << captionsOf(QStringLiteral("main, link down"), &main);

        ui::settings::SettingsDialog settings(store, messages, [] {});
        settings.show();
        captions << captionsOf(QStringLiteral("Settings"), &settings);

        ui::monitor::LinkMonitor monitor(store);
        monitor.show();
        captions << captionsOf(QStringLiteral("link monitor"), &monitor);

        ui::about::AboutWindow about(urls, ui::about::MakerDetails::configured());
        about.show();
        captions << captionsOf(QStringLiteral("About"), &about);

        ui::ports::DeviceSource source;
        source.list = [] {
            return QList<portmap::SerialDevice>{{QStringLiteral("/dev/ttyUSB0"), QString(),
                                                 QStringLiteral("USB-Serial"),
                                                 QStringLiteral("Prolific"), QStringLiteral("A1"),
                                                 QCoreApplication::applicationPid()}};
        };
        ui::ports::SerialPortsWindow ports(source, [](int) {});
        ports.show();
        captions << captionsOf(QStringLiteral("Serial Ports"), &ports);
        // Its layout gives every caption its room, as long as the window is wide enough for it.
        captions << Caption{QStringLiteral("Serial Ports, its layout"), QString(),
                            ports.minimumSizeHint().width(), ports.width()};
        return captions;
    }
};

TEST_P(CaptionFit, EveryCaptionFitsAsTheEnglishOneDoes) {
    const QList<Caption> english = allCaptions();
    const platform::Translations translations(QStringLiteral("vora"),
                                              {QString::fromLatin1(GetParam())},
                                              {QStringLiteral(VORA_TRANSLATIONS_BUILD_DIR)});
    ASSERT_EQ(translations.language(), QString::fromLatin1(GetParam()));
    const QList<Caption> translated = allCaptions();
    ASSERT_EQ(translated.size(), english.size());

    int changed = 0;
    for (qsizetype i = 0; i < translated.size(); ++i) {
        const Caption& ours = translated.at(i);
        const Caption& theirs = english.at(i);
        changed += ours.text != theirs.text ? 1 : 0;
        if (ours.extent > ours.room && ours.extent > theirs.extent) {
            ADD_FAILURE() << ours.where.toStdString() << ": \"" << ours.text.toStdString()
                          << "\" needs " << ours.extent << " px of " << ours.room << " (\""
                          << theirs.text.toStdString() << "\" needs " << theirs.extent << ")";
        }
    }
    // Measured in the language, not in English again.
    EXPECT_GT(changed, english.size() / 2);
}

INSTANTIATE_TEST_SUITE_P(Languages, CaptionFit, ::testing::Values("nl", "de"));

}  // namespace
