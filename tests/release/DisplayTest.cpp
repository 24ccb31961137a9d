#include "OpenWindows.h"
#include "support/QtTestMain.h"

#include "tools/SafeColorMap.h"

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
        const MainWindowDriver& d = windows.d;
        QCOMPARE(qRound(d.wheel()->grab().devicePixelRatio()),
                 qMax(qEnvironmentVariableIntValue("QT_SCALE_FACTOR"), 1));
        // the wheel before a pick has no construction lines, only raster and surface
        QCOMPARE(blockMismatches(d.wheel()), 0);
        d.move(200, 60);
        d.chooseStyle(QStringLiteral("Links2 Style"));
        QWidget* converter = OpenWindows::window(QStringLiteral("convert"));
        converter->findChild<QLineEdit*>(QStringLiteral("txtsource"))->setText("#336699");
        converter->findChild<QPushButton*>(QStringLiteral("cmdconvert"))->click();
        QWidget* map = OpenWindows::window(QStringLiteral("safecolormap"));
        QVERIFY(map);
        QTest::mouseClick(map->findChild<QWidget*>(QStringLiteral("tcol[100]")), Qt::LeftButton);

        // after a pick: the construction lines too are drawn in logical pixels
        QList<QWidget*> pictures;
        for (const char* name : {"wheel", "Picture1", "Picture2", "Picture3", "preview"})
            pictures << d.child(QLatin1String(name));
        pictures << converter->findChild<QWidget*>(QStringLiteral("piccolor"))
                 << map->findChild<QWidget*>(QStringLiteral("lblselcolor"));
        for (tools::ColorCell* cell : map->findChildren<tools::ColorCell*>())
            pictures << cell;
        QStringList smoothed;
        for (QWidget* picture : pictures)
            if (const int n = blockMismatches(picture))
                smoothed << QStringLiteral("%1: %2 pixels").arg(picture->objectName()).arg(n);
        QVERIFY2(smoothed.isEmpty(), qPrintable(smoothed.join('\n')));
    }

    void noCaptionOrCodeIsCutInAnyWindow() {
        OpenWindows windows;
        // the widest texts the windows ever show
        QWidget* map = OpenWindows::window(QStringLiteral("safecolormap"));
        QTest::mouseClick(map->findChild<QWidget*>(QStringLiteral("tcol[215]")), Qt::LeftButton);
        for (int k = 1; k <= 3; ++k)
            windows.d.field(QStringLiteral("txthtml%1").arg(k))->setText(QStringLiteral("#FFFFFF"));
        QCOMPARE(windows.all().size(), 8);
        QStringList cut;
        for (QWidget* window : windows.all()) {
            QVERIFY(QTest::qWaitForWindowExposed(window));
            for (const QString& problem : cutCaptions(window))
                cut << window->objectName() + ": " + problem;
        }
        QWidget* c = OpenWindows::window(QStringLiteral("convert"));
        for (const auto& [name, widest] :
             std::initializer_list<std::pair<const char*, const char*>>{{"txthtml", "#FFFFFF"},
                                                                        {"txtwebsafe", "#FFFFFF"},
                                                                        {"txtrgb", "16777215"},
                                                                        {"txtr", "255"}}) {
            auto* field = c->findChild<QLineEdit*>(QLatin1String(name));
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
