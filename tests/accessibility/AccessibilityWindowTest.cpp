#include "support/QtTestMain.h"

#include "accessibility/AccessibilityWindow.h"
#include "platform/Desktop.h"
#include "preview/Mockups.h"
#include "preview/PreviewSurface.h"

#include <QAbstractItemModel>
#include <QPushButton>
#include <QTableView>

#include <unordered_map>

using namespace accessibility;

namespace {

constexpr Simulation kAll[] = {Simulation::Protanopia, Simulation::Deuteranopia,
                               Simulation::Tritanopia, Simulation::Achromatopsia};

/// Every point of the rectangle, plus points outside the drawing area.
preview::PixelList rectangle(int x0, int y0, int x1, int y1) {
    preview::PixelList points{{-3, 5}, {400, 10}, {20, 300}};
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            points.push_back({int16_t(x), int16_t(y)});
    return points;
}

/// The picture simulated pixel by pixel with the exact formula.
QImage simulated(const QImage& picture, Simulation s) {
    QImage out = picture.convertToFormat(QImage::Format_RGB32);
    std::unordered_map<QRgb, QRgb> seen;
    for (int y = 0; y < out.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb in = row[x] & 0xFFFFFF;
            auto it = seen.find(in);
            if (it == seen.end())
                it = seen.emplace(in, 0xFF000000u | simulate(s, in)).first;
            row[x] = it->second;
        }
    }
    return out;
}

QString cell(QTableView* view, int row, int column, int role = Qt::DisplayRole) {
    return view->model()->index(row, column).data(role).toString();
}

} // namespace

class tst_AccessibilityWindow : public QObject {
    Q_OBJECT

    /// The first pixel where a picture of the window differs from the painted preview as
    /// simulated, or an empty text when all four are equal.
    static QString picturesDiffer(AccessibilityWindow& w, const QImage& preview) {
        for (Simulation s : kAll) {
            const QString name = QString::fromLatin1(simulationName(s));
            auto* picture = w.findChild<QWidget*>(QStringLiteral("pic") + name.toLower());
            if (!picture || picture->size() != QSize(373, 269))
                return name + QStringLiteral(": no 373 x 269 picture");
            const QImage shown = picture->grab().toImage().convertToFormat(QImage::Format_RGB32);
            const QImage expected = simulated(preview, s);
            for (int y = 0; y < shown.height(); ++y)
                for (int x = 0; x < shown.width(); ++x)
                    if (shown.pixel(x, y) != expected.pixel(x, y))
                        return QStringLiteral("%1 differs at %2,%3: %4 instead of %5")
                            .arg(name)
                            .arg(x)
                            .arg(y)
                            .arg(shown.pixel(x, y), 8, 16)
                            .arg(expected.pixel(x, y), 8, 16);
        }
        return {};
    }

private slots:
    void picturesAreTheSimulatedPaintedPreview() {
        // the preview itself: a mock-up and three overlapping lists, painted as it paints them
        preview::PreviewSurface surface;
        const QImage mockup = preview::mockupPicture("Links2");
        QVERIFY(!mockup.isNull());
        surface.setPicture(mockup);
        surface.lists().append(1, rectangle(10, 10, 200, 100));
        surface.lists().append(2, rectangle(150, 50, 300, 150));
        surface.lists().append(3, rectangle(100, 80, 250, 200));
        const QImage bare = surface.image().copy();
        auto painted = [&](const std::array<QRgb, 3>& c) {
            surface.setPicture(mockup);
            surface.paintList(1, c[0]);
            surface.paintList(3, c[2]);
            surface.paintList(2, c[1]);
            return surface.image().copy();
        };
        const std::array<QRgb, 3> first = {qRgb(200, 30, 40), qRgb(20, 160, 60), qRgb(40, 60, 220)};
        const std::array<QRgb, 3> second = {qRgb(250, 240, 10), qRgb(90, 0, 90), qRgb(0, 200, 200)};
        const std::array<QRgb, 3> third = {qRgb(1, 2, 3), qRgb(128, 128, 128), qRgb(255, 0, 0)};

        AccessibilityWindow w;
        w.setSchemeColors(first);
        w.setPreview(bare, surface.lists());
        w.setPreviewPaint(first);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(picturesDiffer(w, painted(first)), QString());
        w.setPreviewPaint(second);
        QCOMPARE(picturesDiffer(w, painted(second)), QString());

        // hidden, the window only keeps what it is given; shown again, it shows the latest
        w.hide();
        w.setPreviewPaint(third);
        QCOMPARE(picturesDiffer(w, painted(second)), QString());
        w.show();
        QCOMPARE(picturesDiffer(w, painted(third)), QString());
        w.setPreviewPaint(std::nullopt);
        QCOMPARE(picturesDiffer(w, bare), QString());

        // four pictures and the tables fit a 1280 x 1024 screen
        QVERIFY2(w.width() <= 1280 && w.height() <= 980,
                 qPrintable(QStringLiteral("%1 x %2").arg(w.width()).arg(w.height())));
    }

    void tablesAndReportFollowTheScheme() {
        AccessibilityWindow w;
        w.setSchemeColors({qRgb(0x77, 0x77, 0x77), qRgb(0xCC, 0x33, 0x33), qRgb(0, 0x66, 0x33)});
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto* contrast = w.findChild<QTableView*>(QStringLiteral("tblcontrast"));
        auto* apca = w.findChild<QTableView*>(QStringLiteral("tblapca"));
        auto* pairs = w.findChild<QTableView*>(QStringLiteral("tblpairs"));
        QVERIFY(contrast && apca && pairs);

        QStringList captions;
        for (int i = 0; i < 5; ++i)
            captions << contrast->model()->headerData(i, Qt::Horizontal).toString()
                     << apca->model()->headerData(i, Qt::Vertical).toString();
        QCOMPARE(captions.join(QLatin1Char('|')),
                 QStringLiteral("Color 1|Color 1|Color2|Color2|Color 3|Color 3|White|White|Black|"
                                "Black"));
        QCOMPARE(cell(contrast, 0, 3), QStringLiteral("4.47:1\nAA large"));
        QCOMPARE(cell(contrast, 3, 0, Qt::AccessibleTextRole),
                 QStringLiteral("White on Color 1: 4.47 to 1; passes AA large text, non-text; "
                                "fails AA normal text, AAA normal text, AAA large text"));
        QCOMPARE(cell(contrast, 4, 3), QStringLiteral("21.00:1\nAAA"));
        QCOMPARE(cell(apca, 0, 3), QStringLiteral("71.1"));
        QCOMPARE(cell(apca, 3, 4), QStringLiteral("-107.9"));
        // red and dark green look alike to a protanope
        QCOMPARE(cell(pairs, 2, 1), QStringLiteral("Color2 / Color 3"));
        QCOMPARE(cell(pairs, 2, 3), QStringLiteral("hard to tell apart"));

        // a change while shown shows at once, one while hidden once shown again
        w.setSchemeColors({qRgb(0x76, 0x76, 0x76), qRgb(0xCC, 0x33, 0x33), qRgb(0, 0, 0)});
        QCOMPARE(cell(contrast, 0, 3), QStringLiteral("4.54:1\nAA"));
        w.hide();
        const std::array<QRgb, 3> scheme = {qRgb(0xFF, 0xFF, 0xFF), qRgb(0xCC, 0x33, 0x33),
                                            qRgb(0, 0x66, 0x33)};
        w.setSchemeColors(scheme);
        w.show();
        QCOMPARE(cell(contrast, 0, 3), QStringLiteral("1.00:1\nfail"));

        platform::setClipboardText(QString());
        QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("cmdcopyreport")),
                          Qt::LeftButton);
        const QString report = platform::clipboardText();
        QCOMPARE(report,
                 QString::fromStdString(reportText(checkScheme({0xFFFFFF, 0xCC3333, 0x006633}))));
        QVERIFY(report.contains(QStringLiteral("\nProtanopia, Color2 and Color 3: difference ")));
        QVERIFY(report.contains(QStringLiteral("\nColor 1 on White: 1.00:1; fails AA normal "
                                               "text, AA large text, AAA normal text, AAA large "
                                               "text, non-text\n")));
    }
};

CHROMALUNE_TEST_MAIN(tst_AccessibilityWindow)
#include "AccessibilityWindowTest.moc"
