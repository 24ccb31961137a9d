#include "OpenWindows.h"
#include "support/QtTestMain.h"

#include "mainwindow/ClickLineEdit.h"
#include "mainwindow/Swatch.h"
#include "mainwindow/WheelSurface.h"
#include "preview/PreviewSurface.h"
#include "tools/ColorPicture.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

namespace {

/// The scale factor the test runs at: 1 unless QT_SCALE_FACTOR says otherwise.
int expectedScale() {
    const int scale = qEnvironmentVariableIntValue("QT_SCALE_FACTOR");
    return scale > 0 ? scale : 1;
}

/// Device pixels of what the screen shows that differ from the widget drawn at scale 1 with
/// each logical pixel blown up to a scale x scale block; -1 when the sizes disagree.
int blockMismatches(QWidget* widget) {
    const QImage shown = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const int scale = qRound(shown.devicePixelRatio());
    QImage logical(widget->size(), QImage::Format_RGB32);
    logical.fill(Qt::magenta);
    widget->render(&logical);
    if (shown.size() != logical.size() * scale)
        return -1;
    int mismatches = 0;
    for (int y = 0; y < shown.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(shown.constScanLine(y));
        const auto* source = reinterpret_cast<const QRgb*>(logical.constScanLine(y / scale));
        for (int x = 0; x < shown.width(); ++x)
            mismatches += (row[x] & RGB_MASK) != (source[x / scale] & RGB_MASK) ? 1 : 0;
    }
    return mismatches;
}

/// Every caption of the window that a user would see cut: text wider than its control, a
/// label taller than its place, or text running past the window's right or bottom edge.
QStringList cutCaptions(QWidget* window) {
    QStringList cut;
    auto report = [&cut](const QWidget* w, const QString& text, const QString& why) {
        cut << QStringLiteral("%1 \"%2\": %3").arg(w->objectName(), text, why);
    };
    auto checkEdges = [&](const QWidget* w, const QString& text, QSize needed) {
        const QPoint at = w->mapTo(window, QPoint(0, 0));
        if (at.x() + qMin(needed.width(), w->width()) > window->width())
            report(w, text, QStringLiteral("runs past the window's right edge"));
        if (at.y() + qMin(needed.height(), w->height()) > window->height())
            report(w, text, QStringLiteral("runs past the window's bottom edge"));
    };
    // what a caption must not run under: the fields, buttons and lists beside it
    QList<QWidget*> controls;
    for (QWidget* w : OpenWindows::controlsOf<QWidget>(window)) {
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractButton*>(w) ||
            qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractScrollArea*>(w))
            controls << w;
    }
    for (QLabel* label : OpenWindows::controlsOf<QLabel>(window)) {
        if (label->text().isEmpty())
            continue;
        QSize needed = label->sizeHint();
        if (label->wordWrap())
            needed = QSize(label->width(), label->heightForWidth(label->width()));
        if (needed.width() > label->width())
            report(label, label->text(),
                   QStringLiteral("needs %1 of %2 pixels wide")
                       .arg(needed.width())
                       .arg(label->width()));
        if (needed.height() > label->height())
            report(label, label->text(),
                   QStringLiteral("needs %1 of %2 pixels high")
                       .arg(needed.height())
                       .arg(label->height()));
        checkEdges(label, label->text(), needed);
        const QRect text(label->mapTo(window, QPoint(0, 0)), needed);
        for (QWidget* control : controls) {
            if (text.intersects(QRect(control->mapTo(window, QPoint(0, 0)), control->size())))
                report(label, label->text(),
                       QStringLiteral("runs under %1").arg(control->objectName()));
        }
    }
    for (QAbstractButton* button : OpenWindows::controlsOf<QAbstractButton>(window)) {
        if (button->text().isEmpty())
            continue;
        const QSize needed = button->sizeHint();
        if (needed.width() > button->width())
            report(button, button->text(),
                   QStringLiteral("needs %1 of %2 pixels wide")
                       .arg(needed.width())
                       .arg(button->width()));
        checkEdges(button, button->text(), needed);
    }
    for (QComboBox* combo : OpenWindows::controlsOf<QComboBox>(window)) {
        // the longest entry must show whole in the box beside its arrow
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = combo->isEditable();
        const QRect text = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                          QStyle::SC_ComboBoxEditField, combo);
        for (int i = 0; i < combo->count(); ++i) {
            const int needed = combo->fontMetrics().horizontalAdvance(combo->itemText(i)) + 4;
            if (needed > text.width())
                report(combo, combo->itemText(i),
                       QStringLiteral("needs %1 of %2 pixels").arg(needed).arg(text.width()));
        }
    }
    return cut;
}

} // namespace

class tst_Display : public QObject {
    Q_OBJECT
private slots:
    void cleanup() {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->close();
        tools::PickerOpen = false;
    }

    void runsAtTheScaleAskedFor() {
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(qRound(w.wheel->grab().devicePixelRatio()), expectedScale());
    }

    void previewShowsEachPixelOfItsImageAsAWholeBlock() {
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.wheel_MouseMove(0, 0, 190.0f, 80.0f);
        w.cmbpreview->setCurrentIndex(w.cmbpreview->findText(QStringLiteral("Links2 Style")));
        w.cmbpreview_Click();
        const QImage& image = w.preview->image();
        const QImage shown = w.preview->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const int scale = qRound(shown.devicePixelRatio());
        QCOMPARE(scale, expectedScale());
        QCOMPARE(shown.size(), QSize(377, 273) * scale);
        const int border = preview::PreviewSurface::kBorder;
        int mismatches = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                for (int dy = 0; dy < scale; ++dy)
                    for (int dx = 0; dx < scale; ++dx)
                        mismatches +=
                            (shown.pixel((x + border) * scale + dx, (y + border) * scale + dy) &
                             RGB_MASK) != (image.pixel(x, y) & RGB_MASK);
        QCOMPARE(mismatches, 0);
        // the painted scheme is on show, not only the bare mock-up
        const preview::PixelPoint p = w.preview->lists().points(2).front();
        const core::ColorRGB c3 = core::SplitColor(w.Picture3->pixelAt(10, 10));
        QCOMPARE(QColor(image.pixel(p.x, p.y)), QColor(c3.r, c3.g, c3.b));
    }

    void picturesOfEveryWindowAreBlownUpWithoutSmoothing() {
        OpenWindows windows;
        MainWindow& w = *windows.main;
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.wheel_MouseMove(0, 0, 200.0f, 60.0f);
        windows.converter->txtsource->setText(QStringLiteral("#336699"));
        windows.converter->cmdconvert->click();
        QVERIFY(windows.map);
        windows.map->tcol_Click(100);

        QList<QWidget*> pictures = {w.Picture1,
                                    w.Picture2,
                                    w.Picture3,
                                    w.preview,
                                    windows.converter->piccolor,
                                    windows.map->lblselcolor};
        for (const tools::ColorCell* cell : windows.map->tcol)
            pictures << const_cast<tools::ColorCell*>(cell);
        QStringList smoothed;
        for (QWidget* picture : pictures) {
            if (const int n = blockMismatches(picture))
                smoothed << QStringLiteral("%1: %2 pixels").arg(picture->objectName()).arg(n);
        }
        QVERIFY2(smoothed.isEmpty(), qPrintable(smoothed.join(QLatin1Char('\n'))));
        // the wheel before a pick has no construction lines, only raster and surface
        MainWindow fresh;
        fresh.show();
        QVERIFY(QTest::qWaitForWindowExposed(&fresh));
        QCOMPARE(blockMismatches(fresh.wheel), 0);
    }

    void pointerOnEitherHalfOfAWheelPixelPicksThatPixel() {
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        // exact positions: synthetic clicks round to whole logical pixels on the way
        for (const QPointF at : {QPointF(120.0, 40.0), QPointF(120.75, 40.75)}) {
            QMouseEvent move(QEvent::MouseMove, at, w.wheel->mapToGlobal(at), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(w.wheel, &move);
            QCOMPARE(w.wheel_x, 120.0f);
            QCOMPARE(w.wheel_y, 40.0f);
            QCOMPARE(w.txtrgb2->text(), QString::number(w.rasterStart.at(120, 40)));
        }
        const QPointF at(33.5, 201.5);
        QMouseEvent press(QEvent::MouseButtonPress, at, w.wheel->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w.wheel, &press);
        QVERIFY(w.wheel_locked);
    }

    void noCaptionIsCutInAnyWindow() {
        OpenWindows windows;
        // the widest texts the windows ever show
        windows.map->tcol_Click(215);
        for (int k = 1; k <= 3; ++k)
            windows.main->htmlField(k)->setText(QStringLiteral("#FFFFFF"));
        const auto all = windows.all();
        QCOMPARE(all.size(), size_t(7));
        QStringList cut;
        for (const auto& [name, window] : all) {
            QVERIFY(QTest::qWaitForWindowExposed(window));
            for (const QString& problem : cutCaptions(window))
                cut << name + QStringLiteral(": ") + problem;
        }
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QLatin1Char('\n'))));
    }

    void codeFieldsShowTheirWholeCode() {
        OpenWindows windows;
        QList<QLineEdit*> fields;
        for (int k = 1; k <= 3; ++k)
            fields << windows.main->htmlField(k) << windows.main->webSafeField(k)
                   << windows.main->decimalField(k);
        fields << windows.converter->txthtml << windows.converter->txtwebsafe
               << windows.converter->txtrgb << windows.converter->txtr;
        for (QLineEdit* field : fields) {
            const QString widest = field == windows.converter->txtr ? QStringLiteral("255")
                                   : field->objectName().startsWith(QLatin1String("txtrgb"))
                                       ? QStringLiteral("16777215")
                                       : QStringLiteral("#FFFFFF");
            QStyleOptionFrame option;
            option.initFrom(field);
            const QRect text =
                field->style()->subElementRect(QStyle::SE_LineEditContents, &option, field);
            QVERIFY2(field->fontMetrics().horizontalAdvance(widest) <= text.width(),
                     qPrintable(field->objectName()));
        }
    }
};

CHROMALUNE_TEST_MAIN(tst_Display)
#include "DisplayTest.moc"
