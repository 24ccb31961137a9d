#include "support/QtTestMain.h"

#include "accessibility/AccessibilityWindow.h"
#include "preview/Mockups.h"
#include "preview/PreviewSurface.h"
#include "ui/ColorConversion.h"
#include "ui/WindowHelpers.h"

#include <QTableView>

using namespace accessibility;
using namespace colorscience;

class tst_AccessibilityWindow : public QObject {
    Q_OBJECT
private slots:
    void picturesTablesAndReportShowTheLatestScheme() {
        // the preview: a mock-up and three overlapping lists reaching outside the drawing area
        preview::PreviewSurface surface;
        const QImage mockup = preview::mockupPicture("Links2");
        surface.setPicture(mockup);
        for (int list = 1; list <= 3; ++list) {
            preview::PixelList points{{-3, 5}, {400, 10}, {20, 300}};
            for (int i = 0; i < 150 * 110; ++i)
                points.push_back({int16_t(60 * list + i % 150), int16_t(40 * list + i / 150)});
            surface.lists().append(list, points);
        }
        AccessibilityWindow w;
        w.setPreview(surface.image().copy(), surface.lists());
        const std::array<QRgb, 3> schemes[] = {
            {qRgb(250, 240, 10), qRgb(90, 0, 90), qRgb(0, 200, 200)},
            {0xFF777777, 0xFFCC3333, 0xFF006633}};
        // shown, a change shows within a frame; hidden, once shown again; no paint shows the
        // bare mock-up
        for (int step = 0; step < 3; ++step) {
            const std::array<QRgb, 3>& scheme = schemes[std::min(step, 1)];
            w.setVisible(step != 1);
            w.setSchemeColors(scheme);
            w.setPreviewPaint(step < 2 ? std::optional(scheme) : std::nullopt);
            w.show();
            surface.setPicture(mockup);
            for (int list : {1, 3, 2})
                if (step < 2)
                    surface.paintList(list, scheme[list - 1]);
            for (int k = 0; k < kSimulationCount; ++k) {
                QImage seen = surface.image().convertToFormat(QImage::Format_RGB32);
                for (int y = 0; y < seen.height(); ++y)
                    for (int x = 0; x < seen.width(); ++x)
                        seen.setPixel(
                            x, y, ui::toQRgb(simulate(Simulation(k), ui::rgbOf(seen.pixel(x, y)))));
                const QString name = QString("pic") + simulationName(Simulation(k));
                QTRY_COMPARE(w.findChild<QWidget*>(name.toLower())->grab().toImage(), seen);
            }
        }
        const auto cell = [&w](const char* table, int row, int column, int role = Qt::DisplayRole) {
            const QModelIndex i = w.findChild<QTableView*>(table)->model()->index(row, column);
            return i.data(role).toString();
        };
        // red and dark green look alike to a protanope
        QCOMPARE(cell("tblcontrast", 0, 3) + '|' + cell("tblapca", 3, 4) + '|' +
                     cell("tblpairs", 2, 1) + '|' + cell("tblpairs", 2, 3),
                 "4.47:1\nAA large|-107.9|Color2 / Color 3|hard to tell apart");
        QCOMPARE(cell("tblcontrast", 3, 0, Qt::AccessibleTextRole),
                 QStringLiteral("White on Color 1: 4.47 to 1; passes AA large text, non-text; "
                                "fails AA normal text, AAA normal text, AAA large text"));
        // the APCA table's rows are text colours, its columns backgrounds
        const QAbstractItemModel* apca = w.findChild<QTableView*>("tblapca")->model();
        QCOMPARE(apca->headerData(0, Qt::Vertical, Qt::ToolTipRole).toString() + '|' +
                     apca->headerData(0, Qt::Horizontal, Qt::ToolTipRole).toString() + '|' +
                     cell("tblapca", 3, 4, Qt::AccessibleTextRole),
                 "Text color|Background color|White text on Black background: APCA Lc -107.9");
        QTest::mouseClick(w.findChild<QWidget*>("cmdcopyreport"), Qt::LeftButton);
        QCOMPARE(platform::clipboardText(),
                 QString::fromStdString(reportText(
                     checkScheme({{{0x77, 0x77, 0x77}, {0xCC, 0x33, 0x33}, {0x00, 0x66, 0x33}}}))));
        // two colours (complementary): the third is greyed, says so, and the report leaves it out
        w.setSchemeColors(schemes[1], 2);
        QCOMPARE(cell("tblapca", 2, 4) + '|' + cell("tblcontrast", 4, 2) + '|' +
                     cell("tblpairs", 1, 3) + '|' + cell("tblcontrast", 1, 0),
                 "||not in this scheme|" + cell("tblcontrast", 0, 1));
        QCOMPARE(cell("tblcontrast", 0, 2, Qt::ToolTipRole), "Color 3 is not in this scheme");
        QCOMPARE(apca->headerData(2, Qt::Vertical, Qt::ToolTipRole),
                 "Color 3 is not in this scheme");
        QTest::mouseClick(w.findChild<QWidget*>("cmdcopyreport"), Qt::LeftButton);
        const QString report = platform::clipboardText();
        QVERIFY2(!report.contains("Color 3") && report.contains("Color 1 on Color2: ") &&
                     report.contains("Tritanopia, Color 1 and Color2: "),
                 qPrintable(report));
        // closed before the frame that would show a change, it lets its pictures go in peace
        w.setPreview(surface.image().copy(), surface.lists());
        w.close();
        QTest::qWait(3 * ui::kFrameMilliseconds);
        w.show();
        QVERIFY(!w.findChild<QWidget*>("picprotanopia")->grab().isNull());
    }
};

CHROMALUNE_TEST_MAIN(tst_AccessibilityWindow)
#include "AccessibilityWindowTest.moc"
