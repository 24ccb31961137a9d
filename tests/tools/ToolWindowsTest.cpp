#include "support/Controls.h"
#include "support/QtTestMain.h"

#include "tools/ConvertWindow.h"

#include <QAccessible>
#include <QColorDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

namespace {

/// The colour in the middle of w as the screen shows it.
QRgb middle(QWidget* w) {
    return w->grab().toImage().pixel(w->width() / 2, w->height() / 2) | 0xFF000000;
}
/// Where a user points at cell n of the map's grid: ten 17-pixel cells to a row.
QPoint cellCentre(int n) {
    return QPoint(17 * (n % 10) + 8, 17 * (n / 10) + 8);
}
/// The pixel of the grid at offset (dx, dy) from cell n's top-left corner.
QRgb cellPixel(QWidget* grid, int n, int dx, int dy) {
    const QPoint at = cellCentre(n) - QPoint(8, 8) + QPoint(dx, dy);
    return grid->grab().toImage().pixel(at) | 0xFF000000;
}
QRgb cellRgb(int n) {
    return qRgb(51 * (n / 36), 51 * (n / 6 % 6), 51 * (n % 6));
}

} // namespace

class tst_ToolWindows : public QObject {
    Q_OBJECT
    std::unique_ptr<tools::ConvertWindow> m_conv;
    QPointer<QWidget> m_map;

    /// txtsource, txtrgb, txthtml, txtwebsafe, txtr, txtg and txtb joined by "|".
    QString shown() const {
        QStringList texts;
        for (const char* name :
             {"txtsource", "txtrgb", "txthtml", "txtwebsafe", "txtr", "txtg", "txtb"})
            texts << in<QLineEdit>(m_conv.get(), QLatin1String(name))->text();
        return texts.join(QLatin1Char('|'));
    }
    void openMap() {
        QTest::mouseClick(in(m_conv.get(), "cmdpickcolor"), Qt::LeftButton);
        m_map = m_conv->findChild<QWidget*>("safecolormap");
        QVERIFY(m_map);
        // a window owned by the active one counts as active itself: wait for its own focus
        QTRY_COMPARE(QApplication::activeWindow(), m_map.data());
    }
    QWidget* grid() const { return in(m_map, "tcol"); }
    QString code() const { return in<QLabel>(m_map, "lblselcode")->text(); }
    void clickCell(int n) const { QTest::mouseClick(grid(), Qt::LeftButton, {}, cellCentre(n)); }

private slots:
    void init() {
        m_conv = std::make_unique<tools::ConvertWindow>();
        m_conv->show();
        QVERIFY(QTest::qWaitForWindowActive(m_conv.get()));
        // below the screen's centre, so pointer moves over the centred map reach the map
        m_conv->move(0, 700);
    }
    void cleanup() {
        m_conv.reset();
        QTRY_VERIFY(!m_map);
    }

    void opensWithTheFocusOnTheSourceAndTabsInOrder() {
        QCOMPARE(QApplication::focusWidget(), in(m_conv.get(), "txtsource"));
        // and Tab follows the designed order
        for (const char* next : {"cmdconvert", "txtrgb", "txthtml", "txtwebsafe", "cmdpickcolor",
                                 "cmdclose", "txtr", "txtg", "txtb", "txtsource"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(next));
        }
    }

    void keysConvertFromAnyField_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("converts");
        QTest::addColumn<QString>("keys");
        QTest::newRow("Return") << "txtsource" << true << "Return";
        QTest::newRow("keypad Enter") << "txtb" << true << "Num+Enter";
        QTest::newRow("mnemonic") << "txtr" << true << "Alt+O";
        QTest::newRow("Shift+Return") << "txtrgb" << false << "Shift+Return";
        QTest::newRow("F2") << "txtg" << false << "F2";
    }
    void keysConvertFromAnyField() {
        QFETCH(QString, field);
        QFETCH(QString, keys);
        QFETCH(bool, converts);
        in<QLineEdit>(m_conv.get(), "txtsource")->setText("#ffcc00");
        in(m_conv.get(), field)->setFocus();
        QTest::keySequence(in(m_conv.get(), field), QKeySequence(keys));
        // presses animate
        QTRY_COMPARE(shown(),
                     converts ? "#ffcc00|52479|#FFCC00|#FFCC00|255|204|0" : "#ffcc00||||||");
        QCOMPARE(middle(in(m_conv.get(), "piccolor")),
                 converts ? qRgb(255, 204, 0) : qRgb(212, 208, 200));
    }

    void pointerPreviewsUntilTheFirstClickInOneMap() {
        openMap();
        QCOMPARE(code(), "");
        QTest::mouseMove(grid(), cellCentre(9));
        QCOMPARE(code(), "#003399");
        clickCell(215);
        QTest::mouseMove(grid(), cellCentre(36));
        QCOMPARE(code(), "#FFFFFF");
        // a release whose press went elsewhere is no click
        QTest::mouseRelease(grid(), Qt::LeftButton, {}, cellCentre(36));
        QCOMPARE(code(), "#FFFFFF");
        // beside the short last row there is no cell
        clickCell(216);
        QCOMPARE(code(), "#FFFFFF");
        // the map comes forward as it stands, and closes with the converter
        QPointer<QWidget> first = m_map;
        openMap();
        QCOMPARE(m_conv->findChildren<QWidget*>("safecolormap"), QList<QWidget*>{first.data()});
        QCOMPARE(code(), "#FFFFFF");
        QTest::mouseClick(in(m_conv.get(), "cmdclose"), Qt::LeftButton);
        QTRY_VERIFY(!m_map);
    }

    void closingHandsOverOnlyThroughOk_data() {
        QTest::addColumn<int>("clicked"); // -1: none
        QTest::addColumn<bool>("byOk");
        QTest::addColumn<QString>("expected");
        QTest::newRow("OK") << 215 << true << "#FFFFFF|16777215|#FFFFFF|#FFFFFF|255|255|255";
        QTest::newRow("OK before a click") << -1 << true << "||#123456|#003366|18|52|86";
        QTest::newRow("close box") << 5 << false << "#123456|5649426|#123456|#003366|18|52|86";
    }
    void closingHandsOverOnlyThroughOk() {
        QFETCH(int, clicked);
        QFETCH(bool, byOk);
        in<QLineEdit>(m_conv.get(), "txtsource")->setText("#123456");
        in<QPushButton>(m_conv.get(), "cmdconvert")->click();
        openMap();
        if (clicked >= 0)
            clickCell(clicked);
        byOk ? QTest::mouseClick(in(m_map, "cmdok"), Qt::LeftButton) : void(m_map->close());
        QTRY_VERIFY(!m_map);
        QTEST(shown(), "expected");
    }

    void colourDialogHandsOverOnlyWhenAccepted() {
        openMap();
        QTest::mouseClick(in(m_map, "cmdmore"), Qt::LeftButton);
        auto* dialog = in<QColorDialog>(m_map, "colordialog");
        // clicks through the window system: the map waits for the dialog, the converter
        // goes on converting
        const auto clickThroughWindow = [](QWidget* control) {
            QWidget* window = control->window();
            QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                              control->mapTo(window, control->rect().center()));
        };
        clickThroughWindow(in(m_map, "cmdok"));
        in<QLineEdit>(m_conv.get(), "txtsource")->setText("#654321");
        clickThroughWindow(in(m_conv.get(), "cmdconvert"));
        const QString typed = "#654321|2179941|#654321|#663333|101|67|33";
        QCOMPARE(shown(), typed);
        QVERIFY(m_map->isVisible());
        // cancelled, the dialog returns to the map; accepted, it hands its colour over
        dialog->reject();
        QVERIFY(m_map->isVisible() && grid()->isEnabled());
        QCOMPARE(shown(), typed);
        QTest::mouseClick(in(m_map, "cmdmore"), Qt::LeftButton);
        dialog->setCurrentColor(QColor(1, 2, 254));
        dialog->accept();
        QTRY_COMPARE(shown(), "#0102FE|16646657|#0102FE|#0000FF|1|2|254");
        QTRY_VERIFY(!m_map);
    }

    // keys after one Tab from the map's opening focus, and the cell they end on
    void keyboardAlonePicksAndHandsOver_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("cell");
        QTest::newRow("right and down") << "Right, Right, Down" << 12;
        QTest::newRow("left wraps to the row above") << "Down, Left" << 9;
        QTest::newRow("stops at the first cell") << "Left, Up, Right, Left" << 0;
        QTest::newRow("stops at the last cell") << "End, Right, Down" << 215;
        QTest::newRow("up from the last") << "End, Up, Left" << 204;
        QTest::newRow("no cell below the short row") << "End, Up, Right, Down" << 206;
        QTest::newRow("home") << "Down, Home" << 0;
    }
    void keyboardAlonePicksAndHandsOver() {
        QFETCH(QString, keys);
        QFETCH(int, cell);
        openMap();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), grid());
        QTest::keySequence(grid(), QKeySequence(keys));
        // the focus cell previews as the pointer does and is marked inside, clear of its edge
        QCOMPARE(middle(in(m_map, "lblselcolor")), cellRgb(cell));
        QVERIFY(cellPixel(grid(), cell, 3, 3) != cellRgb(cell));
        QCOMPARE(cellPixel(grid(), cell, 0, 0), cellRgb(cell));
        QCOMPARE(cellPixel(grid(), cell, 8, 8), cellRgb(cell));
        QTest::keyClick(grid(), Qt::Key_Return);
        QTRY_VERIFY(!m_map);
        const QString html = QColor(cellRgb(cell)).name().toUpper();
        QCOMPARE(shown().section('|', 0, 0) + shown().section('|', 2, 2), html + html);
    }

    void screenReaderHearsEachCellsCode() {
        openMap();
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(grid());
        QCOMPARE(list->childCount(), 216);
        // what a reader asks on each focus change: the grid's focused item and its name
        QStringList heard;
        const auto hear = [&] {
            QAccessibleInterface* item = list->focusChild();
            QVERIFY(item && item->state().focused && list->indexOfChild(item) >= 0);
            QCOMPARE(list->childAt(item->rect().center().x(), item->rect().center().y()), item);
            heard << item->text(QAccessible::Name);
        };
        QVERIFY(!list->focusChild());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        hear();
        for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Right, Qt::Key_End}) {
            QTest::keyClick(grid(), key);
            hear();
        }
        QCOMPARE(heard, QStringList({"#000000", "#0033CC", "#0033FF", "#FFFFFF"}));
        QVERIFY(!list->child(215)->state().selected);
        QTest::keyClick(grid(), Qt::Key_Space); // picks as a click does; the map stays open
        QVERIFY(list->child(215)->state().selected && m_map->isVisible());
        // a reader's press picks the cell
        list->child(9)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(code(), "#003399");
        QVERIFY(list->child(9)->state().selected && !list->child(215)->state().selected);
    }
};

CHROMALUNE_TEST_MAIN(tst_ToolWindows)
#include "ToolWindowsTest.moc"
