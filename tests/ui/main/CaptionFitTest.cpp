#include <QAbstractButton>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QRegularExpression>
#include <QStyle>

#include "ProgramFixture.h"
#include "ui/about/AboutWindow.h"
#include "ui/common/Style.h"
#include "ui/monitor/LinkMonitor.h"
#include "ui/settings/SettingsDialog.h"

namespace {

// Each line of a caption, or each word of one that wraps, is what must fit across the control.
QStringList piecesOf(const QString& text, bool wraps) {
    static const QRegularExpression kBreak(QStringLiteral("\\s+"));
    return wraps ? text.split(kBreak, Qt::SkipEmptyParts) : text.split(u'\n');
}

// Every caption of `window` that is wider than the room its control has inside.
QStringList clippedCaptions(const QWidget& window) {
    QStringList clipped;
    const auto check = [&](const QWidget* control, const QString& text, bool wraps) {
        const QFontMetrics metrics(control->font());
        const int room = control->contentsRect().width();
        for (const QString& piece : piecesOf(text, wraps)) {
            const int width = metrics.horizontalAdvance(piece);
            if (width > room)
                clipped << QStringLiteral("%1 \"%2\": %3 px in %4")
                               .arg(control->objectName(), piece)
                               .arg(width)
                               .arg(room);
        }
    };
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (!label->text().isEmpty() && label->textFormat() != Qt::RichText)
            check(label, label->text(), label->wordWrap());
    }
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>())
        check(button, button->text(), false);
    return clipped;
}

class CaptionFit : public ProgramFixture {
protected:
    void SetUp() override {
        ui::common::substituteFaces();
        start();
    }
};

TEST_F(CaptionFit, EveryCaptionFitsItsControl) {
    ui::settings::SettingsDialog settings(store, messages, [] {});
    ui::monitor::LinkMonitor monitor(store);
    ui::about::AboutWindow about(urls);
    const std::pair<const char*, QWidget*> windows[] = {
        {"main window", &window()},
        {"Settings", &settings},
        {"link monitor", &monitor},
        {"About", &about},
    };
    for (const auto& [name, shown] : windows) {
        SCOPED_TRACE(name);
        const QStringList clipped = clippedCaptions(*shown);
        EXPECT_TRUE(clipped.isEmpty()) << clipped.join(QStringLiteral("; ")).toStdString();
    }
}

// Where the label draws its text's baseline, in its parent's coordinates: the style places a
// plain-text label's line in its contents by its alignment.
int baselineOf(const QLabel& label) {
    const QRect text = label.style()->itemTextRect(label.fontMetrics(), label.contentsRect(),
                                                   int(label.alignment()), true, label.text());
    return label.mapToParent(text.topLeft()).y() + label.fontMetrics().ascent();
}

// "Step :" reads as one line with the step captions after it.
TEST_F(CaptionFit, StepCaptionsShareOneBaseline) {
    const auto* step = window().findChild<QLabel*>(QStringLiteral("Label16"));
    ASSERT_NE(step, nullptr);
    for (const char* name : {"Label11", "Label12", "Label13", "Label14", "Label15"}) {
        SCOPED_TRACE(name);
        const auto* caption = window().findChild<QLabel*>(QString::fromLatin1(name));
        ASSERT_NE(caption, nullptr);
        EXPECT_EQ(baselineOf(*step), baselineOf(*caption));
    }
}

// The faces the windows ask for are not free; each is drawn in a free face of the same kind.
TEST_F(CaptionFit, SpecifiedFacesFallToFreeFacesOfTheirKind) {
    struct Face {
        const char* family;
        int weight;
        const char* kind;
    };
    const Face faces[] = {{"MS Sans Serif", QFont::Normal, "sans serif"},
                          {"Arial Black", QFont::Black, "heavy sans serif"},
                          {"Calisto MT", QFont::Bold, "serif"}};
    for (const Face& face : faces) {
        SCOPED_TRACE(face.family);
        const QStringList substitutes = QFont::substitutes(QString::fromLatin1(face.family));
        ASSERT_FALSE(substitutes.isEmpty()) << "no " << face.kind << " stands in";
        QFont font(QString::fromLatin1(face.family), 12, face.weight);
        // The database names a face by its foundry too ("Nimbus Sans [urw]").
        const QString drawn = QFontInfo(font).family().section(QStringLiteral(" ["), 0, 0);
        EXPECT_TRUE(substitutes.contains(drawn, Qt::CaseInsensitive))
            << drawn.toStdString() << " is no " << face.kind;
    }
}

}  // namespace
