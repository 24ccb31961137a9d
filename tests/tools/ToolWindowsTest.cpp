#include "support/QtTestMain.h"

#include "mainwindow/MainWindow.h"
#include "tools/ColorPicture.h"
#include "tools/ConvertWindow.h"
#include "tools/PickerHandOff.h"
#include "tools/SafeColorMap.h"

#include <QColorDialog>
#include <QLineEdit>
#include <QPushButton>

#include <memory>

using tools::ConvertWindow;
using tools::SafeColorMap;

namespace {

QRgb rgb(int r, int g, int b) {
    return qRgb(r, g, b);
}

QRgb cellRgb(int n) {
    return rgb(51 * (n / 36), 51 * (n / 6 % 6), 51 * (n % 6));
}

/// The pixel at p of what the widget shows.
QRgb pixel(QWidget* w, QPoint p) {
    return w->grab().toImage().pixel(p) | 0xFF000000;
}

QPoint centre(QWidget* w) {
    return w->geometry().center();
}

/// Lets deferred deletions and posted events run.
void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
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
    QStringList outputs() const {
        return {m_conv->txtrgb->text(), m_conv->txthtml->text(), m_conv->txtwebsafe->text(),
                m_conv->txtr->text(),   m_conv->txtg->text(),    m_conv->txtb->text()};
    }
    SafeColorMap* openMap() {
        QTest::mouseClick(m_conv->cmdpickcolor, Qt::LeftButton);
        SafeColorMap* map = m_conv->colorMap();
        if (map && !QTest::qWaitForWindowExposed(map))
            return nullptr;
        return map;
    }
    void clickCell(SafeColorMap* map, int n) {
        QTest::mouseClick(map->tcol[static_cast<size_t>(n)], Qt::LeftButton, {}, QPoint(8, 8));
    }
    void pointAtCell(SafeColorMap* map, int n) {
        QTest::mouseMove(map, centre(map->tcol[static_cast<size_t>(n)]));
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

    void converterLayoutAndStart() {
        QCOMPARE(m_conv->objectName(), QStringLiteral("convert"));
        QCOMPARE(m_conv->windowTitle(), QStringLiteral("Convert Color Codes"));
        QCOMPARE(m_conv->size(), QSize(485, 270));
        QCOMPARE(m_conv->txtsource->geometry(), QRect(136, 24, 113, 19));
        QCOMPARE(m_conv->cmdconvert->geometry(), QRect(136, 88, 105, 33));
        QCOMPARE(m_conv->cmdpickcolor->geometry(), QRect(312, 24, 121, 17));
        QCOMPARE(m_conv->piccolor->geometry(), QRect(368, 80, 65, 33));
        QCOMPARE(m_conv->txtb->geometry(), QRect(256, 136, 33, 19));
        QCOMPARE(m_conv->txtwebsafe->geometry(), QRect(184, 208, 113, 19));
        QCOMPARE(m_conv->cmdclose->geometry(), QRect(376, 224, 89, 25));
        QVERIFY(m_conv->cmdconvert->isDefault());
        QCOMPARE(outputs(), QStringList(6, QString()));
        // every caption fits its control
        for (QPushButton* b : {m_conv->cmdconvert, m_conv->cmdpickcolor, m_conv->cmdclose})
            QVERIFY2(b->fontMetrics().horizontalAdvance(b->text().remove('&')) < b->width() - 8,
                     qPrintable(b->text()));
        for (QLabel* l : m_conv->findChildren<QLabel*>())
            QVERIFY2(l->geometry().right() < 485, qPrintable(l->text()));
    }

    void enterConvertsAndFillsEveryField_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QRgb>("swatch");
        QTest::newRow("html") << "#ffcc00"
                              << QStringList{"52479", "#FFCC00", "#FFCC00", "255", "204", "0"}
                              << rgb(255, 204, 0);
        QTest::newRow("components")
            << "300-0-0" << QStringList{"255", "#FF0000", "#FF0000", "300", "0", "0"}
            << rgb(255, 0, 0);
        QTest::newRow("decimal") << "336699"
                                 << QStringList{"336699", "#3B2305", "#333300", "59", "35", "5"}
                                 << rgb(59, 35, 5);
        QTest::newRow("too short")
            << "#FFF" << QStringList{"0", "#000000", "#000000", "0", "0", "0"} << rgb(0, 0, 0);
    }
    void enterConvertsAndFillsEveryField() {
        QFETCH(QString, source);
        QFETCH(QStringList, expected);
        QFETCH(QRgb, swatch);
        typeAndConvert(source);
        QCOMPARE(m_conv->txtsource->text(), source);
        QCOMPARE(outputs(), expected);
        QCOMPARE(pixel(m_conv->piccolor, QPoint(32, 16)), swatch);
    }

    void enterInAnOutputFieldConvertsToo() {
        m_conv->txtsource->setText(QStringLiteral("#336699"));
        QTest::keyClick(m_conv->txtb, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(m_conv->txtrgb->text(), QStringLiteral("10053171"));
    }

    void convertButtonAndItsMnemonicConvert() {
        m_conv->txtsource->setText(QStringLiteral("16777215"));
        QTest::mouseClick(m_conv->cmdconvert, Qt::LeftButton);
        QCOMPARE(m_conv->txthtml->text(), QStringLiteral("#FFFFFF"));
        m_conv->txtsource->setText(QStringLiteral("0-0-255"));
        m_conv->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_conv.data()));
        QTest::keyClick(m_conv->txtr, Qt::Key_O, Qt::AltModifier);
        // a mnemonic presses its button with a short animation
        QTRY_COMPARE(m_conv->txthtml->text(), QStringLiteral("#0000FF"));
    }

    void malformedInputKeepsWhatFailedSteps() {
        typeAndConvert(QStringLiteral("#336699"));
        typeAndConvert(QStringLiteral("255-255"));
        QCOMPARE(outputs(), (QStringList{"10053171", "#336699", "#336699", "255", "255", "153"}));
        QCOMPARE(pixel(m_conv->piccolor, QPoint(32, 16)), rgb(51, 102, 153));
        typeAndConvert(QStringLiteral("99999999"));
        QCOMPARE(outputs(), (QStringList{"99999999", "#FFE0F5", "#FFCCFF", "255", "224", "245"}));
        QCOMPARE(pixel(m_conv->piccolor, QPoint(32, 16)), rgb(51, 102, 153));
    }

    void tabFollowsTheDesignedOrder() {
        m_conv->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_conv.data()));
        m_conv->txtsource->setFocus();
        const QWidget* order[] = {m_conv->cmdconvert, m_conv->txtrgb,       m_conv->txthtml,
                                  m_conv->txtwebsafe, m_conv->cmdpickcolor, m_conv->cmdclose,
                                  m_conv->txtr,       m_conv->txtg,         m_conv->txtb,
                                  m_conv->txtsource};
        for (const QWidget* next : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
    }

    void mapCellsSitAndShowTheirColours() {
        SafeColorMap map;
        map.show();
        QVERIFY(QTest::qWaitForWindowExposed(&map));
        QCOMPARE(map.objectName(), QStringLiteral("safecolormap"));
        QCOMPARE(map.windowTitle(), QStringLiteral("Choose Color"));
        QCOMPARE(map.size(), QSize(315, 429));
        QCOMPARE(map.findChildren<tools::ColorCell*>().size(), 216);
        struct Cell {
            int n;
            QPoint topLeft;
            QRgb color;
        };
        const Cell cells[] = {
            {0, {16, 32}, rgb(0, 0, 0)},        {5, {101, 32}, rgb(0, 0, 255)},
            {6, {118, 32}, rgb(0, 51, 0)},      {9, {169, 32}, rgb(0, 51, 153)},
            {10, {16, 49}, rgb(0, 51, 204)},    {36, {118, 83}, rgb(51, 0, 0)},
            {210, {16, 389}, rgb(255, 255, 0)}, {215, {101, 389}, rgb(255, 255, 255)}};
        const QImage shot = map.grab().toImage();
        for (const Cell& c : cells) {
            const QRect expected(c.topLeft, QSize(17, 17));
            QCOMPARE(map.tcol[static_cast<size_t>(c.n)]->geometry(), expected);
            QCOMPARE(map.tcol[static_cast<size_t>(c.n)]->objectName(),
                     QStringLiteral("tcol[%1]").arg(c.n));
            // every pixel of the cell, its edge included, is exactly its colour
            for (QPoint p : {expected.topLeft(), expected.center(), expected.bottomRight()})
                QCOMPARE(shot.pixel(p) | 0xFF000000, c.color);
        }
        for (int n = 0; n < 216; ++n)
            QCOMPARE(shot.pixel(map.tcol[static_cast<size_t>(n)]->geometry().center()) | 0xFF000000,
                     cellRgb(n));
        // nothing after cell 215 on the last row
        QCOMPARE(shot.pixel(QPoint(120, 397)) | 0xFF000000, rgb(228, 234, 254));
        QVERIFY(map.lblselcode->text().isEmpty());
        QCOMPARE(pixel(map.lblselcolor, QPoint(20, 12)), rgb(212, 208, 200));
    }

    void hoverPreviewsUntilTheFirstClick() {
        SafeColorMap map;
        map.show();
        QVERIFY(QTest::qWaitForWindowExposed(&map));
        pointAtCell(&map, 9);
        QCOMPARE(map.lblselcode->text(), QStringLiteral("#003399"));
        QCOMPARE(pixel(map.lblselcolor, QPoint(20, 12)), rgb(0, 51, 153));
        pointAtCell(&map, 10);
        QCOMPARE(map.lblselcode->text(), QStringLiteral("#0033CC"));

        clickCell(&map, 0);
        clickCell(&map, 215);
        pointAtCell(&map, 36);
        QCOMPARE(map.lblselcode->text(), QStringLiteral("#FFFFFF"));
        QCOMPARE(pixel(map.lblselcolor, QPoint(20, 12)), rgb(255, 255, 255));
        int bordered = 0;
        for (const tools::ColorCell* cell : map.tcol)
            bordered += cell->bordered() ? 1 : 0;
        QCOMPARE(bordered, 1);
        QVERIFY(map.tcol[215]->bordered());

        // the border shows on the cell's edge, its inside keeps the exact colour; the
        // previously clicked cell is plain again
        const QImage shot = map.grab().toImage();
        const QRect white = map.tcol[215]->geometry();
        QVERIFY(shot.pixel(white.topLeft()) != rgb(255, 255, 255));
        QVERIFY(shot.pixel(white.bottomRight()) != rgb(255, 255, 255));
        QCOMPARE(shot.pixel(white.center()) | 0xFF000000, rgb(255, 255, 255));
        QCOMPARE(shot.pixel(map.tcol[0]->geometry().topLeft()) | 0xFF000000, rgb(0, 0, 0));
    }

    void borderStandsOutOnTheDarkestCell() {
        SafeColorMap map;
        map.show();
        QVERIFY(QTest::qWaitForWindowExposed(&map));
        clickCell(&map, 0);
        const QImage cell = map.tcol[0]->grab().toImage();
        QVERIFY((cell.pixel(0, 0) & 0xFFFFFF) != 0);
        QCOMPARE(cell.pixel(8, 8) & 0xFFFFFF, 0u);
    }

    void okHandsTheCodeToTheConverter() {
        SafeColorMap* map = openMap();
        QVERIFY(map);
        QVERIFY(tools::PickerOpen);
        QCOMPARE(map->parentWidget(), m_conv.data());
        clickCell(map, 36);
        QTest::mouseClick(map->cmdok, Qt::LeftButton);
        settle();
        QVERIFY(!tools::PickerOpen);
        QVERIFY(!m_conv->colorMap());
        QCOMPARE(tools::PickedColorCode, QStringLiteral("#330000"));
        QCOMPARE(m_conv->txtsource->text(), QStringLiteral("#330000"));
        QCOMPARE(outputs(), (QStringList{"51", "#330000", "#330000", "51", "0", "0"}));
    }

    void okWithNothingChosenConvertsAnEmptySource() {
        typeAndConvert(QStringLiteral("#123456"));
        SafeColorMap* map = openMap();
        QTest::mouseClick(map->cmdok, Qt::LeftButton);
        settle();
        QCOMPARE(m_conv->txtsource->text(), QString());
        QCOMPARE(outputs(), (QStringList{"", "#123456", "#003366", "18", "52", "86"}));
    }

    void closeBoxLeavesTheConverterAsItWas() {
        typeAndConvert(QStringLiteral("16777215"));
        tools::PickedColorCode = QStringLiteral("#000000");
        SafeColorMap* map = openMap();
        pointAtCell(map, 5);
        map->close();
        settle();
        QVERIFY(!tools::PickerOpen);
        QCOMPARE(m_conv->txtsource->text(), QStringLiteral("16777215"));
        QCOMPARE(outputs(), (QStringList{"16777215", "#FFFFFF", "#FFFFFF", "255", "255", "255"}));
    }

    void secondPickColorBringsTheSameMapForward() {
        SafeColorMap* map = openMap();
        clickCell(map, 100);
        QTest::mouseClick(m_conv->cmdpickcolor, Qt::LeftButton);
        QCOMPARE(m_conv->colorMap(), map);
        QCOMPARE(m_conv->findChildren<SafeColorMap*>().size(), 1);
        QCOMPARE(map->lblselcode->text(), QStringLiteral("#66CCCC"));
        // the converter stays usable while the map is open
        typeAndConvert(QStringLiteral("#FF0000"));
        QCOMPARE(m_conv->txtrgb->text(), QStringLiteral("255"));
    }

    void reopenedMapStartsAfresh() {
        SafeColorMap* map = openMap();
        clickCell(map, 50);
        map->close();
        settle();
        map = openMap();
        QVERIFY(map);
        QVERIFY(tools::PickerOpen);
        QVERIFY(map->lblselcode->text().isEmpty());
        QVERIFY(!map->cellclicked);
        for (const tools::ColorCell* cell : map->tcol)
            QVERIFY(!cell->bordered());
        pointAtCell(map, 215);
        QCOMPARE(map->lblselcode->text(), QStringLiteral("#FFFFFF"));
    }

    void moreColorsHandsOverTheDialogsColour() {
        SafeColorMap* map = openMap();
        QTest::mouseClick(map->cmdmore, Qt::LeftButton);
        QColorDialog* dialog = map->findChild<QColorDialog*>(QStringLiteral("colordialog"));
        QVERIFY(dialog);
        QVERIFY(dialog->isVisible());
        dialog->setCurrentColor(QColor(1, 2, 254));
        dialog->accept();
        settle();
        QVERIFY(!tools::PickerOpen);
        QCOMPARE(m_conv->txtsource->text(), QStringLiteral("#0102FE"));
        QCOMPARE(m_conv->txtrgb->text(), QStringLiteral("16646657"));
    }

    void cancelledColourDialogReturnsToTheMap() {
        typeAndConvert(QStringLiteral("#123456"));
        SafeColorMap* map = openMap();
        clickCell(map, 7);
        QTest::mouseClick(map->cmdmore, Qt::LeftButton);
        QColorDialog* dialog = map->findChild<QColorDialog*>(QStringLiteral("colordialog"));
        QVERIFY(dialog);
        dialog->setCurrentColor(QColor(9, 9, 9));
        dialog->reject();
        settle();
        QCOMPARE(m_conv->colorMap(), map);
        QVERIFY(map->isVisible());
        QVERIFY(tools::PickerOpen);
        QCOMPARE(m_conv->txtsource->text(), QStringLiteral("#123456"));
        QTest::mouseClick(map->cmdok, Qt::LeftButton);
        settle();
        QCOMPARE(m_conv->txtsource->text(), QStringLiteral("#003333"));
    }

    void closingTheConverterClosesItsMap() {
        QPointer<SafeColorMap> map = openMap();
        QTest::mouseClick(m_conv->cmdclose, Qt::LeftButton);
        settle();
        QVERIFY(!tools::PickerOpen);
        QVERIFY(!map);
        QVERIFY(!m_conv);
    }

    void menuCommandOpensOneConverterOwnedByTheMainWindow() {
        MainWindow w;
        w.show();
        w.mnuconvert_click();
        auto* conv = w.findChild<ConvertWindow*>(QStringLiteral("convert"));
        QVERIFY(conv);
        QVERIFY(conv->isVisible());
        QVERIFY(conv->isWindow());
        QTest::keyClicks(conv->txtsource, QStringLiteral("#ABCDEF"));
        QTest::keyClick(conv->txtsource, Qt::Key_Return);

        w.mnuconvert_click();
        QCOMPARE(w.findChildren<ConvertWindow*>().size(), 1);
        QCOMPARE(conv->txtsource->text(), QStringLiteral("#ABCDEF"));
        QCOMPARE(conv->txthtml->text(), QStringLiteral("#ABCDEF"));

        QTest::mouseClick(conv->cmdclose, Qt::LeftButton);
        settle();
        QVERIFY(w.findChildren<ConvertWindow*>().isEmpty());
        w.mnuconvert_click();
        conv = w.findChild<ConvertWindow*>(QStringLiteral("convert"));
        QVERIFY(conv);
        QVERIFY(conv->txtsource->text().isEmpty());
        QVERIFY(conv->txthtml->text().isEmpty());
    }
};

CHROMALUNE_TEST_MAIN(tst_ToolWindows)
#include "ToolWindowsTest.moc"
