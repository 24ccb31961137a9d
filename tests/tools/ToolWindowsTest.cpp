#include "support/MainWindowDriver.h"
#include "support/QtTestMain.h"

#include <QColorDialog>
#include <QLabel>

namespace {

/// The colour in the middle of w as the screen shows it.
QRgb middle(QWidget* w) {
    return w->grab().toImage().pixel(w->width() / 2, w->height() / 2) | 0xFF000000;
}
QRgb cellRgb(int n) {
    return qRgb(51 * (n / 36), 51 * (n / 6 % 6), 51 * (n % 6));
}
QWidget* cell(const QWidget* map, int n) {
    return in(map, QStringLiteral("tcol[%1]").arg(n));
}

} // namespace

class tst_ToolWindows : public QObject {
    Q_OBJECT
    std::unique_ptr<MainWindowDriver> d;
    QPointer<QWidget> conv;

    QWidget* openConverter() {
        d->runMenu("mnuconvert");
        return d->w->findChild<QWidget*>("convert");
    }
    /// txtsource, txtrgb, txthtml, txtwebsafe, txtr, txtg and txtb joined by "|".
    QString shown() const {
        QStringList texts;
        for (const char* name :
             {"txtsource", "txtrgb", "txthtml", "txtwebsafe", "txtr", "txtg", "txtb"})
            texts << in<QLineEdit>(conv, QLatin1String(name))->text();
        return texts.join(QLatin1Char('|'));
    }
    void typeAndConvert(const QString& code) {
        in<QLineEdit>(conv, "txtsource")->selectAll();
        QTest::keyClicks(in(conv, "txtsource"), code);
        QTest::keyClick(in(conv, "txtsource"), Qt::Key_Return);
    }
    QWidget* openMap() {
        QTest::mouseClick(in(conv, "cmdpickcolor"), Qt::LeftButton);
        return conv->findChild<QWidget*>("safecolormap");
    }

private slots:
    void init() {
        d = std::make_unique<MainWindowDriver>();
        conv = openConverter();
        QVERIFY(conv && conv->isWindow() && QTest::qWaitForWindowExposed(conv));
        // both below the screen, so pointer moves over the centred map reach the map
        conv->move(0, 700);
        d->w->move(0, 700);
    }
    void cleanup() { d.reset(); }

    void menuOpensOneConverterThatShowsWhatTheConversionGives() {
        QCOMPARE(shown(), "||||||");
        typeAndConvert("#ffcc00");
        QCOMPARE(shown(), "#ffcc00|52479|#FFCC00|#FFCC00|255|204|0");
        QCOMPARE(middle(in(conv, "piccolor")), qRgb(255, 204, 0));
        // Enter in any field converts too
        in<QLineEdit>(conv, "txtsource")->setText("99999999");
        QTest::keyClick(in(conv, "txtb"), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(shown(), "99999999|99999999|#FFE0F5|#FFCCFF|255|224|245");
        // and so does the button's mnemonic
        in<QLineEdit>(conv, "txtsource")->setText("0-0-255");
        QTest::keyClick(in(conv, "txtb"), Qt::Key_F2); // other keys convert nothing
        QCOMPARE(in<QLineEdit>(conv, "txthtml")->text(), "#FFE0F5");
        conv->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(conv));
        QTest::keyClick(in(conv, "txtr"), Qt::Key_O, Qt::AltModifier);
        const QString blue = "0-0-255|16711680|#0000FF|#0000FF|0|0|255";
        QTRY_COMPARE(shown(), blue); // the press is animated
        // Tab follows the designed order
        in(conv, "txtsource")->setFocus();
        for (const char* next : {"cmdconvert", "txtrgb", "txthtml", "txtwebsafe", "cmdpickcolor",
                                 "cmdclose", "txtr", "txtg", "txtb", "txtsource"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(next));
        }

        // the menu brings the same window forward as it stands; closed, it starts afresh
        QCOMPARE(openConverter(), conv.data());
        QCOMPARE(d->w->findChildren<QWidget*>("convert").size(), 1);
        QCOMPARE(shown(), blue);
        QTest::mouseClick(in(conv, "cmdclose"), Qt::LeftButton);
        QTRY_VERIFY(!conv);
        conv = openConverter();
        QCOMPARE(shown(), "||||||");
    }

    void mapPreviewsBordersAndHandsOverOnlyThroughOkOrTheColourDialog() {
        typeAndConvert("#123456");
        QPointer<QWidget> map = openMap();
        const auto code = [&map] { return in<QLabel>(map, "lblselcode")->text(); };
        // the pointer previews until the first click
        QTest::mouseMove(map, cell(map, 9)->geometry().center());
        QCOMPARE(code(), "#003399");
        QCOMPARE(middle(in(map, "lblselcolor")), cellRgb(9));
        QTest::mouseClick(cell(map, 0), Qt::LeftButton);
        // the border stands out even on the darkest cell, whose inside stays black
        QVERIFY((cell(map, 0)->grab().toImage().pixel(0, 0) & 0xFFFFFF) != 0);
        QCOMPARE(cell(map, 0)->grab().toImage().pixel(8, 8) & 0xFFFFFF, 0u);
        QTest::mouseClick(cell(map, 36), Qt::LeftButton);
        QTest::mouseClick(cell(map, 215), Qt::LeftButton);
        QTest::mouseMove(map, cell(map, 36)->geometry().center());
        QCOMPARE(code(), "#FFFFFF");
        // a release whose press went elsewhere is no click, even on a cell clicked before
        QTest::mouseRelease(cell(map, 36), Qt::LeftButton);
        QCOMPARE(code(), "#FFFFFF");
        // one cell is bordered: the cell clicked before is plain again
        QVERIFY((cell(map, 215)->grab().toImage().pixel(0, 0) | 0xFF000000) != cellRgb(215));
        QCOMPARE(cell(map, 0)->grab().toImage().pixel(0, 0) | 0xFF000000, cellRgb(0));
        QTest::mouseClick(in(map, "cmdok"), Qt::LeftButton);
        QTRY_VERIFY(!map);
        QCOMPARE(shown(), "#FFFFFF|16777215|#FFFFFF|#FFFFFF|255|255|255");

        // the close box hands nothing over, neither the pick nor an earlier one
        typeAndConvert("#123456");
        map = openMap();
        QTest::mouseClick(cell(map, 5), Qt::LeftButton);
        map->close();
        QTRY_VERIFY(!map);
        QCOMPARE(shown(), "#123456|5649426|#123456|#003366|18|52|86");
        // OK before any click hands over the empty code
        map = openMap();
        QTest::mouseClick(in(map, "cmdok"), Qt::LeftButton);
        QTRY_VERIFY(!map);
        QCOMPARE(shown(), "||#123456|#003366|18|52|86");

        map = openMap();
        QTest::mouseClick(in(map, "cmdmore"), Qt::LeftButton);
        auto* dialog = in<QColorDialog>(map, "colordialog");
        // clicks through the window system: the map waits for the dialog, the converter
        // goes on converting
        const auto clickThroughWindow = [](QWidget* control) {
            QWidget* window = control->window();
            QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                              control->mapTo(window, control->rect().center()));
        };
        clickThroughWindow(in(map, "cmdok"));
        in<QLineEdit>(conv, "txtsource")->setText("#654321");
        clickThroughWindow(in(conv, "cmdconvert"));
        const QString typed = "#654321|2179941|#654321|#663333|101|67|33";
        QCOMPARE(shown(), typed);
        QVERIFY(map->isVisible());
        // cancelled, the dialog returns to the map; accepted, it hands its colour over
        dialog->reject();
        QTest::qWait(0);
        QVERIFY(map->isVisible() && cell(map, 7)->isEnabled());
        QCOMPARE(shown(), typed);
        QTest::mouseClick(in(map, "cmdmore"), Qt::LeftButton);
        dialog->setCurrentColor(QColor(1, 2, 254));
        dialog->accept();
        QTRY_COMPARE(shown(), "#0102FE|16646657|#0102FE|#0000FF|1|2|254");
        QTRY_VERIFY(!map);

        // the map comes forward, never twice, and closes with the converter
        map = openMap();
        QCOMPARE(openMap(), map.data());
        QCOMPARE(conv->findChildren<QWidget*>("safecolormap").size(), 1);
        QTest::mouseClick(in(conv, "cmdclose"), Qt::LeftButton);
        QTRY_VERIFY(!map && !conv);
    }
};

CHROMALUNE_TEST_MAIN(tst_ToolWindows)
#include "ToolWindowsTest.moc"
