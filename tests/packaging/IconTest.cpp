#include <QImage>
#include <QtTest>

// The installed icons are drawn from the window icon's artwork by scripts/update-icons.sh and
// committed; these checks fail when the artwork changed and the icons were not redrawn, or when a
// size is missing or wrong.
class IconTest : public QObject {
    Q_OBJECT

    static QImage artwork() {
        return QImage(VORA_SOURCE_DIR "/src/ui/main/icon.xpm")
            .convertToFormat(QImage::Format_ARGB32);
    }

    static QImage icon(int size) {
        const QString path =
            QStringLiteral(VORA_SOURCE_DIR "/packaging/icons/vora-tx-controller-%1.png").arg(size);
        return QImage(path).convertToFormat(QImage::Format_ARGB32);
    }

    // Colour distance of two pixels premultiplied by their alpha, so that every transparent pixel
    // is the same.
    static int distance(QRgb a, QRgb b) {
        const QRgb pa = qPremultiply(a), pb = qPremultiply(b);
        return qAbs(qRed(pa) - qRed(pb)) + qAbs(qGreen(pa) - qGreen(pb)) +
               qAbs(qBlue(pa) - qBlue(pb)) + qAbs(qAlpha(pa) - qAlpha(pb));
    }

private slots:
    void iconsAreTheArtwork_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<Qt::TransformationMode>("scaling");
        QTest::addColumn<double>("meanTolerance");
        // A whole multiple of the artwork's 32 pixels is the artwork, pixel for pixel.
        for (int size : {32, 64, 128, 256}) {
            QTest::addRow("%d px, exact", size) << size << Qt::FastTransformation << 0.0;
        }
        // Other sizes round or blend pixels differently from Qt; on average they stay near the
        // artwork scaled smoothly (under 45), where the artwork upside down is 90 or more off.
        for (int size : {16, 22, 24, 48}) {
            QTest::addRow("%d px, blended", size) << size << Qt::SmoothTransformation << 60.0;
        }
    }

    void iconsAreTheArtwork() {
        QFETCH(int, size);
        QFETCH(Qt::TransformationMode, scaling);
        QFETCH(double, meanTolerance);
        const QImage png = icon(size);
        QVERIFY2(!png.isNull(), "icon missing or unreadable");
        QCOMPARE(png.size(), QSize(size, size));
        QCOMPARE(qAlpha(png.pixel(0, 0)), 0);  // the artwork's corners are transparent

        const QImage expected = artwork().scaled(size, size, Qt::IgnoreAspectRatio, scaling);
        double total = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const int d = distance(png.pixel(x, y), expected.pixel(x, y));
                if (meanTolerance == 0.0 && d != 0) {
                    QFAIL(qPrintable(
                        QStringLiteral("differs from the artwork at %1,%2").arg(x).arg(y)));
                }
                total += d;
            }
        }
        const double mean = total / (size * size);
        QVERIFY2(mean <= meanTolerance, qPrintable(QString::number(mean)));
    }
};

QTEST_GUILESS_MAIN(IconTest)
#include "IconTest.moc"
