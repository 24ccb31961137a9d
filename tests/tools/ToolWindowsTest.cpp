#include "support/QtTestMain.h"

#include "mainwindow/MainWindow.h"
#include "tools/ConvertWindow.h"
#include "tools/PickerHandOff.h"
#include "tools/SafeColorMap.h"
#include "ui/Swatch.h"

#include <QColorDialog>
#include <QLineEdit>
#include <QPushButton>

#include <tuple>

using tools::ConvertWindow;
using tools::SafeColorMap;

namespace {

QRgb cellRgb(int n) {
    return qRgb(51 * (n / 36), 51 * (n / 6 % 6), 51 * (n % 6));
}

/// The pixel at p of what the widget shows.
QRgb pixel(QWidget* w, QPoint p) {
    return w->grab().toImage().pixel(p) | 0xFF000000;
}

/// Lets deferred deletions and posted events run.
void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

void clickCell(SafeColorMap* map, int n) {
    QTest::mouseClick(map->tcol[size_t(n)], Qt::LeftButton, {}, QPoint(8, 8));
}

void pointAtCell(SafeColorMap* map, int n) {
    QTest::mouseMove(map, map->tcol[size_t(n)]->geometry().center());
}

} // namespace

class tst_ToolWindows : public QObject {
    Q_OBJECT

    QPointer<ConvertWindow> m_conv;

    void typeAndConvert(const QString& code) {
        m_conv->txtsource->selectAll();
        QTest::keyClicks(m_conv->txtsource, code);
        QTest::keyClick(m_conv->txtsource, Qt::Key_Return);
    }
    /// txtrgb, txthtml, txtwebsafe, txtr, txtg and txtb joined by "|".
    QString shown() const {
        return QStringList{m_conv->txtrgb->text(),     m_conv->txthtml->text(),
                           m_conv->txtwebsafe->text(), m_conv->txtr->text(),
                           m_conv->txtg->text(),       m_conv->txtb->text()}
            .join(QLatin1Char('|'));
    }
    SafeColorMap* openMap() {
        QTest::mouseClick(m_conv->cmdpickcolor, Qt::LeftButton);
        SafeColorMap* map = m_conv->colorMap();
        return map && QTest::qWaitForWindowExposed(map) ? map : nullptr;
    }
    QColorDialog* openColorDialog(SafeColorMap* map) {
        QTest::mouseClick(map->cmdmore, Qt::LeftButton);
        auto* dialog = map->findChild<QColorDialog*>(QStringLiteral("colordialog"));
        return dialog && dialog->isVisible() ? dialog : nullptr;
    }

private slots:
    void init() {
        tools::PickedColorCode.clear();
        tools::PickerOpen = false;
        m_conv = new ConvertWindow;
        m_conv->setAttribute(Qt::WA_DeleteOnClose);
        // below the screen, so pointer moves over the centred map reach the map
        m_conv->move(0, 700);
        m_conv->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_conv.data()));
    }
    void cleanup() {
        delete m_conv.data();
        settle();
    }

    void converterStartsEmptyAndEnterOrMnemonicConverts() {
        QCOMPARE(m_conv->objectName(), QStringLiteral("convert"));
        QCOMPARE(m_conv->windowTitle(), QStringLiteral("Convert Color Codes"));
        QCOMPARE(m_conv->size(), QSize(485, 270));
        QCOMPARE(m_conv->txtsource->geometry(), QRect(136, 24, 113, 19));
        QVERIFY(m_conv->cmdconvert->isDefault());
        QCOMPARE(shown(), QStringLiteral("|||||"));
        typeAndConvert(QStringLiteral("#ffcc00"));
        QCOMPARE(m_conv->txtsource->text(), QStringLiteral("#ffcc00"));
        QCOMPARE(shown(), QStringLiteral("52479|#FFCC00|#FFCC00|255|204|0"));
        QCOMPARE(pixel(m_conv->piccolor, QPoint(32, 16)), qRgb(255, 204, 0));
        // a decimal value that is no colour keeps the swatch
        typeAndConvert(QStringLiteral("99999999"));
        QCOMPARE(shown(), QStringLiteral("99999999|#FFE0F5|#FFCCFF|255|224|245"));
        QCOMPARE(pixel(m_conv->piccolor, QPoint(32, 16)), qRgb(255, 204, 0));
        // Enter in any field and the button's mnemonic convert too
        m_conv->txtsource->setText(QStringLiteral("#336699"));
        QTest::keyClick(m_conv->txtb, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(m_conv->txtrgb->text(), QStringLiteral("10053171"));
        m_conv->txtsource->setText(QStringLiteral("0-0-255"));
        m_conv->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_conv.data()));
        QTest::keyClick(m_conv->txtr, Qt::Key_O, Qt::AltModifier);
        // a mnemonic presses its button with a short animation
        QTRY_COMPARE(m_conv->txthtml->text(), QStringLiteral("#0000FF"));
    }

    void tabFollowsTheDesignedOrder() {
        m_conv->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_conv.data()));
        m_conv->txtsource->setFocus();
        for (const QWidget* next : std::initializer_list<QWidget*>{
                 m_conv->cmdconvert, m_conv->txtrgb, m_conv->txthtml, m_conv->txtwebsafe,
                 m_conv->cmdpickcolor, m_conv->cmdclose, m_conv->txtr, m_conv->txtg, m_conv->txtb,
                 m_conv->txtsource}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
    }

    void mapShowsItsCellsPreviewsAndBordersTheClickedOne() {
        SafeColorMap map;
        map.show();
        QVERIFY(QTest::qWaitForWindowExposed(&map));
        QCOMPARE(map.objectName(), QStringLiteral("safecolormap"));
        QCOMPARE(map.windowTitle(), QStringLiteral("Choose Color"));
        QCOMPARE(map.size(), QSize(315, 429));
        const QImage shot = map.grab().toImage();
        const std::pair<int, QPoint> cells[] = {{5, {101, 32}},   {9, {169, 32}},
                                                {10, {16, 49}},   {36, {118, 83}},
                                                {210, {16, 389}}, {215, {101, 389}}};
        for (const auto& [n, topLeft] : cells) {
            const QRect expected(topLeft, QSize(17, 17));
            QCOMPARE(map.tcol[size_t(n)]->geometry(), expected);
            QCOMPARE(map.tcol[size_t(n)]->objectName(), QStringLiteral("tcol[%1]").arg(n));
            // every pixel of an unclicked cell, its edge included, is exactly its colour
            for (QPoint p : {expected.topLeft(), expected.center(), expected.bottomRight()})
                QCOMPARE(shot.pixel(p) | 0xFF000000, cellRgb(n));
        }
        for (int n = 0; n < 216; ++n)
            QCOMPARE(shot.pixel(map.tcol[size_t(n)]->geometry().center()) | 0xFF000000, cellRgb(n));
        // nothing after cell 215 on the last row
        QCOMPARE(shot.pixel(QPoint(120, 397)) | 0xFF000000, qRgb(228, 234, 254));
        QVERIFY(map.lblselcode->text().isEmpty());
        QCOMPARE(pixel(map.lblselcolor, QPoint(20, 12)), qRgb(212, 208, 200));

        // the pointer previews until the first click, then one clicked cell is bordered
        pointAtCell(&map, 9);
        QCOMPARE(map.lblselcode->text(), QStringLiteral("#003399"));
        QCOMPARE(pixel(map.lblselcolor, QPoint(20, 12)), qRgb(0, 51, 153));

        clickCell(&map, 0);
        // the border stands out even on the darkest cell, whose inside stays black
        const QImage black = map.tcol[0]->grab().toImage();
        QVERIFY((black.pixel(0, 0) & 0xFFFFFF) != 0);
        QCOMPARE(black.pixel(8, 8) & 0xFFFFFF, 0u);

        clickCell(&map, 215);
        pointAtCell(&map, 36);
        QCOMPARE(map.lblselcode->text(), QStringLiteral("#FFFFFF"));
        QCOMPARE(pixel(map.lblselcolor, QPoint(20, 12)), qRgb(255, 255, 255));
        const QImage after = map.grab().toImage();
        const QRect white = map.tcol[215]->geometry();
        // bordered on its edge, inside the exact colour; the cell clicked before is plain again
        QVERIFY(after.pixel(white.topLeft()) != qRgb(255, 255, 255));
        QVERIFY(after.pixel(white.bottomRight()) != qRgb(255, 255, 255));
        QCOMPARE(after.pixel(white.center()) | 0xFF000000, qRgb(255, 255, 255));
        QCOMPARE(after.pixel(map.tcol[0]->geometry().topLeft()) | 0xFF000000, qRgb(0, 0, 0));
    }

    void mapHandsOverOnlyThroughOk() {
        // the close box hands nothing over, neither the pick nor an earlier one
        const std::tuple<int, bool, const char*, const char*> cases[] = {
            {36, true, "#330000", "51|#330000|#330000|51|0|0"},
            {-1, true, "", "|#123456|#003366|18|52|86"},
            {5, false, "#123456", "5649426|#123456|#003366|18|52|86"}};
        for (const auto& [cell, ok, source, fields] : cases) {
            typeAndConvert(QStringLiteral("#123456"));
            tools::PickedColorCode = QStringLiteral("#000000");
            SafeColorMap* map = openMap();
            QVERIFY(map && tools::PickerOpen);
            QCOMPARE(map->parentWidget(), m_conv.data());
            if (cell >= 0)
                clickCell(map, cell);
            if (ok)
                QTest::mouseClick(map->cmdok, Qt::LeftButton);
            else
                map->close();
            settle();
            QVERIFY(!tools::PickerOpen && !m_conv->colorMap());
            QCOMPARE(m_conv->txtsource->text(), QString(source));
            QCOMPARE(shown(), QString(fields));
        }
    }

    void mapComesForwardReopensAfreshAndClosesWithTheConverter() {
        QPointer<SafeColorMap> map = openMap();
        clickCell(map, 100);
        QTest::mouseClick(m_conv->cmdpickcolor, Qt::LeftButton);
        QCOMPARE(m_conv->findChildren<SafeColorMap*>(), QList<SafeColorMap*>{map.data()});
        QCOMPARE(map->lblselcode->text(), QStringLiteral("#66CCCC"));
        // the converter stays usable while the map is open
        typeAndConvert(QStringLiteral("#FF0000"));
        QCOMPARE(m_conv->txtrgb->text(), QStringLiteral("255"));

        map->close();
        settle();
        map = openMap();
        QVERIFY(map && tools::PickerOpen && map->lblselcode->text().isEmpty());
        for (const tools::ColorCell* cell : map->tcol)
            QVERIFY(!cell->bordered());
        pointAtCell(map, 215);
        QCOMPARE(map->lblselcode->text(), QStringLiteral("#FFFFFF"));

        QTest::mouseClick(m_conv->cmdclose, Qt::LeftButton);
        settle();
        QVERIFY(!tools::PickerOpen && !map && !m_conv);
    }

    void cancelledColourDialogReturnsToTheMapAcceptedOneHandsOver() {
        typeAndConvert(QStringLiteral("#123456"));
        SafeColorMap* map = openMap();
        QColorDialog* dialog = openColorDialog(map);
        QVERIFY(dialog);
        dialog->setCurrentColor(QColor(9, 9, 9));
        dialog->reject();
        settle();
        QVERIFY(m_conv->colorMap() == map && map->isVisible() && tools::PickerOpen);
        QCOMPARE(m_conv->txtsource->text(), QStringLiteral("#123456"));

        dialog = openColorDialog(map);
        QVERIFY(dialog);
        dialog->setCurrentColor(QColor(1, 2, 254));
        dialog->accept();
        settle();
        QVERIFY(!tools::PickerOpen);
        QCOMPARE(m_conv->txtsource->text(), QStringLiteral("#0102FE"));
        QCOMPARE(m_conv->txtrgb->text(), QStringLiteral("16646657"));
    }

    void menuCommandOpensOneConverterOwnedByTheMainWindow() {
        MainWindow w;
        w.show();
        w.mnuconvert_click();
        auto* conv = w.findChild<ConvertWindow*>(QStringLiteral("convert"));
        QVERIFY(conv && conv->isVisible() && conv->isWindow());
        QTest::keyClicks(conv->txtsource, QStringLiteral("#ABCDEF"));
        QTest::keyClick(conv->txtsource, Qt::Key_Return);
        w.mnuconvert_click();
        QCOMPARE(w.findChildren<ConvertWindow*>().size(), 1);
        QCOMPARE(conv->txthtml->text(), QStringLiteral("#ABCDEF"));

        QTest::mouseClick(conv->cmdclose, Qt::LeftButton);
        settle();
        QVERIFY(w.findChildren<ConvertWindow*>().isEmpty());
        w.mnuconvert_click();
        conv = w.findChild<ConvertWindow*>(QStringLiteral("convert"));
        QVERIFY(conv && conv->txtsource->text().isEmpty() && conv->txthtml->text().isEmpty());
    }
};

CHROMALUNE_TEST_MAIN(tst_ToolWindows)
#include "ToolWindowsTest.moc"
