#include "support/MainWindowDriver.h"
#include "support/QtTestMain.h"

#include "platform/SystemColors.h"
#include "tools/ColorConverter.h"

#include <QColorDialog>
#include <QLabel>
#include <QPushButton>

namespace {

/// The control name inside window w.
template <typename C = QWidget> C* in(const QWidget* w, const QString& name) {
    C* c = w ? w->findChild<C*>(name) : nullptr;
    if (c == nullptr)
        qFatal("no control %s", qPrintable(name));
    return c;
}
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

/// What the converter shows after converting each source in turn, one after another.
QString converted(const QStringList& sources) {
    tools::ConverterFields f;
    for (const QString& source : sources) {
        f.txtsource = source.toStdString();
        tools::convertColorCode(f, &platform::GetSysColor);
    }
    return QString::fromStdString(f.txtsource + '|' + f.txtrgb + '|' + f.txthtml + '|' +
                                  f.txtwebsafe + '|' + f.txtr + '|' + f.txtg + '|' + f.txtb);
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
        auto* source = in<QLineEdit>(conv, "txtsource");
        source->selectAll();
        QTest::keyClicks(source, code);
        QTest::keyClick(source, Qt::Key_Return);
    }
    QWidget* openMap() {
        QTest::mouseClick(in(conv, "cmdpickcolor"), Qt::LeftButton);
        QWidget* map = conv->findChild<QWidget*>("safecolormap");
        return map && QTest::qWaitForWindowExposed(map) ? map : nullptr;
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
        const QStringList sources = {"#ffcc00", "99999999", "0-0-255"};
        typeAndConvert(sources[0]);
        QCOMPARE(shown(), converted(sources.mid(0, 1)));
        QWidget* swatch = in(conv, "piccolor");
        QCOMPARE(middle(swatch), qRgb(255, 204, 0));
        // Enter in any field converts too; a decimal value that is no colour keeps the swatch
        in<QLineEdit>(conv, "txtsource")->setText(sources[1]);
        QTest::keyClick(in(conv, "txtb"), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(shown(), converted(sources.mid(0, 2)));
        QCOMPARE(middle(swatch), qRgb(255, 204, 0));
        // and so does the button's mnemonic
        in<QLineEdit>(conv, "txtsource")->setText(sources[2]);
        conv->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(conv));
        QTest::keyClick(in(conv, "txtr"), Qt::Key_O, Qt::AltModifier);
        QTRY_COMPARE(shown(), converted(sources)); // the press is animated
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
        QCOMPARE(shown(), converted(sources));
        QTest::mouseClick(in(conv, "cmdclose"), Qt::LeftButton);
        QTRY_VERIFY(!conv);
        conv = openConverter();
        QCOMPARE(shown(), "||||||");
    }

    void mapPreviewsBordersTheClickedCellAndHandsOverOnlyThroughOk() {
        typeAndConvert("#123456");
        QPointer<QWidget> map = openMap();
        QVERIFY(map && map->parentWidget() == conv);
        const auto selection = [&] {
            return std::pair{in<QLabel>(map, "lblselcode")->text(), middle(in(map, "lblselcolor"))};
        };
        // the pointer previews until the first click
        QTest::mouseMove(map, cell(map, 9)->geometry().center());
        QCOMPARE(selection(), std::pair(QColor(cellRgb(9)).name().toUpper(), cellRgb(9)));
        QTest::mouseClick(cell(map, 0), Qt::LeftButton);
        // the border stands out even on the darkest cell, whose inside stays black
        const QImage black = cell(map, 0)->grab().toImage();
        QVERIFY((black.pixel(0, 0) & 0xFFFFFF) != 0);
        QCOMPARE(black.pixel(8, 8) & 0xFFFFFF, 0u);
        QTest::mouseClick(cell(map, 36), Qt::LeftButton);
        QTest::mouseClick(cell(map, 215), Qt::LeftButton);
        QTest::mouseMove(map, cell(map, 36)->geometry().center());
        QCOMPARE(selection(), std::pair(QString("#FFFFFF"), qRgb(255, 255, 255)));
        // a release whose press went elsewhere is no click, even on a cell clicked before
        QTest::mouseRelease(cell(map, 36), Qt::LeftButton);
        QCOMPARE(selection().first, "#FFFFFF");
        // one cell is bordered: the cell clicked before is plain again
        QVERIFY((cell(map, 215)->grab().toImage().pixel(0, 0) | 0xFF000000) != cellRgb(215));
        QCOMPARE(cell(map, 0)->grab().toImage().pixel(0, 0) | 0xFF000000, cellRgb(0));
        QTest::mouseClick(in(map, "cmdok"), Qt::LeftButton);
        QTRY_VERIFY(!map);
        QCOMPARE(shown(), converted({"#123456", "#FFFFFF"}));

        // the close box hands nothing over, neither the pick nor an earlier one
        typeAndConvert("#123456");
        map = openMap();
        QTest::mouseClick(cell(map, 5), Qt::LeftButton);
        map->close();
        QTRY_VERIFY(!map);
        QCOMPARE(shown(), converted({"#123456"}));
        // OK before any click hands over the empty code
        map = openMap();
        QTest::mouseClick(in(map, "cmdok"), Qt::LeftButton);
        QTRY_VERIFY(!map);
        QCOMPARE(shown(), converted({"#123456", ""}));

        // the map comes forward as it stands and closes with the converter
        map = openMap();
        QTest::mouseClick(cell(map, 100), Qt::LeftButton);
        QCOMPARE(openMap(), map.data());
        QCOMPARE(in<QLabel>(map, "lblselcode")->text(), QColor(cellRgb(100)).name().toUpper());
        QTest::mouseClick(in(conv, "cmdclose"), Qt::LeftButton);
        QTRY_VERIFY(!map && !conv);
    }

    void cancelledColourDialogReturnsToTheMapAcceptedOneHandsOver() {
        QWidget* map = openMap();
        QTest::mouseClick(in(map, "cmdmore"), Qt::LeftButton);
        auto* dialog = in<QColorDialog>(map, "colordialog");
        QVERIFY(dialog->isVisible());
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
        QCOMPARE(shown(), converted({"#654321"}));
        QVERIFY(map->isVisible());
        dialog->setCurrentColor(QColor(9, 9, 9));
        dialog->reject();
        QTest::qWait(0);
        QVERIFY(map->isVisible());
        QCOMPARE(shown(), converted({"#654321"}));
        QTest::mouseClick(in(map, "cmdmore"), Qt::LeftButton);
        QVERIFY(dialog->isVisible());
        dialog->setCurrentColor(QColor(1, 2, 254));
        dialog->accept();
        QTRY_COMPARE(shown(), converted({"#654321", "#0102FE"}));
    }
};

CHROMALUNE_TEST_MAIN(tst_ToolWindows)
#include "ToolWindowsTest.moc"
