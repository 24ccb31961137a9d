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

namespace {

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
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            mismatches +=
                (shown.pixel(x, y) & RGB_MASK) != (logical.pixel(x / scale, y / scale) & RGB_MASK);
    return mismatches;
}

/// Every caption of the window that a user would see cut: text wider or taller than its
/// control, running past the window's edges, or under a field, button or list beside it.
QStringList cutCaptions(QWidget* window) {
    QStringList cut;
    const auto placed = [window](const QWidget* w, QSize size) {
        return QRect(w->mapTo(window, QPoint(0, 0)), size);
    };
    const auto check = [&](const QWidget* w, const QString& text, QSize needed) {
        const QString what = w->objectName() + " \"" + text + "\": ";
        if (needed.width() > w->width() || needed.height() > w->height())
            cut << what + "does not fit its control";
        if (!window->rect().contains(placed(w, needed.boundedTo(w->size()))))
            cut << what + "runs past the window's edge";
    };
    QList<QWidget*> controls;
    for (QWidget* w : OpenWindows::controlsOf<QWidget>(window))
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractButton*>(w) ||
            qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractScrollArea*>(w))
            controls << w;
    for (QLabel* label : OpenWindows::controlsOf<QLabel>(window)) {
        if (label->text().isEmpty())
            continue;
        const QSize needed = label->wordWrap()
                                 ? QSize(label->width(), label->heightForWidth(label->width()))
                                 : label->sizeHint();
        check(label, label->text(), needed);
        for (QWidget* control : controls)
            if (placed(label, needed).intersects(placed(control, control->size())))
                cut << label->text() + " runs under " + control->objectName();
    }
    for (QAbstractButton* button : OpenWindows::controlsOf<QAbstractButton>(window))
        if (!button->text().isEmpty())
            check(button, button->text(), QSize(button->sizeHint().width(), button->height()));
    for (QComboBox* combo : OpenWindows::controlsOf<QComboBox>(window)) {
        // the longest entry must show whole in the box beside its arrow
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = combo->isEditable();
        const QRect text = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                          QStyle::SC_ComboBoxEditField, combo);
        for (int i = 0; i < combo->count(); ++i)
            if (combo->fontMetrics().horizontalAdvance(combo->itemText(i)) + 4 > text.width())
                cut << combo->objectName() + " \"" + combo->itemText(i) + "\" is cut";
    }
    return cut;
}

} // namespace

class tst_Display : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { OpenWindows::closeAll(); }

    void picturesOfEveryWindowAreBlownUpWithoutSmoothing() {
        OpenWindows windows;
        MainWindow& w = *windows.main;
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(qRound(w.wheel->grab().devicePixelRatio()),
                 qMax(qEnvironmentVariableIntValue("QT_SCALE_FACTOR"), 1));
        // the wheel before a pick has no construction lines, only raster and surface
        QCOMPARE(blockMismatches(w.wheel), 0);
        w.wheel_MouseMove(0, 0, 200.0f, 60.0f);
        w.cmbpreview->setCurrentIndex(w.cmbpreview->findText(QStringLiteral("Links2 Style")));
        w.cmbpreview_Click();
        QVERIFY(!w.preview->lists().points(3).empty());
        windows.converter->txtsource->setText(QStringLiteral("#336699"));
        windows.converter->cmdconvert->click();
        QVERIFY(windows.map);
        windows.map->tcol_Click(100);

        // after a pick: the construction lines too are drawn in logical pixels
        QList<QWidget*> pictures = {w.wheel, w.Picture1, w.Picture2, w.Picture3, w.preview};
        pictures << windows.converter->piccolor << windows.map->lblselcolor;
        for (const tools::ColorCell* cell : windows.map->tcol)
            pictures << const_cast<tools::ColorCell*>(cell);
        QStringList smoothed;
        for (QWidget* picture : pictures)
            if (const int n = blockMismatches(picture))
                smoothed << QStringLiteral("%1: %2 pixels").arg(picture->objectName()).arg(n);
        QVERIFY2(smoothed.isEmpty(), qPrintable(smoothed.join('\n')));
    }

    void noCaptionOrCodeIsCutInAnyWindow() {
        OpenWindows windows;
        // the widest texts the windows ever show
        windows.map->tcol_Click(215);
        for (int k = 1; k <= 3; ++k)
            windows.main->htmlField(k)->setText(QStringLiteral("#FFFFFF"));
        QCOMPARE(windows.all().size(), 7);
        QStringList cut;
        for (QWidget* window : windows.all()) {
            QVERIFY(QTest::qWaitForWindowExposed(window));
            for (const QString& problem : cutCaptions(window))
                cut << window->objectName() + ": " + problem;
        }
        const tools::ConvertWindow* c = windows.converter;
        for (const auto& [field, widest] :
             std::initializer_list<std::pair<QLineEdit*, const char*>>{{c->txthtml, "#FFFFFF"},
                                                                       {c->txtwebsafe, "#FFFFFF"},
                                                                       {c->txtrgb, "16777215"},
                                                                       {c->txtr, "255"}}) {
            QStyleOptionFrame option;
            option.initFrom(field);
            const QRect text =
                field->style()->subElementRect(QStyle::SE_LineEditContents, &option, field);
            if (field->fontMetrics().horizontalAdvance(QLatin1String(widest)) > text.width())
                cut << field->objectName() + " cannot show " + widest + " whole";
        }
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join('\n')));
    }
};

CHROMALUNE_TEST_MAIN(tst_Display)
#include "DisplayTest.moc"
