#include "support/QtTestMain.h"

#include "core/Scheme.h"
#include "core/Wheel.h"
#include "mainwindow/ClickLineEdit.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/Swatch.h"
#include "mainwindow/WheelSurface.h"
#include "platform/Desktop.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QRadioButton>
#include <QWindow>

namespace {

QString html(core::Color v) {
    return QString::fromStdString(core::HtmlCode(v));
}

/// The fifteen fields of a column as the user sees them.
struct Column {
    QString decimal, html, websafe, r, g, b;
};

Column column(const MainWindow& w, int k) {
    const auto i = static_cast<size_t>(k - 1);
    return {w.decimalField(k)->text(), w.htmlField(k)->text(), w.webSafeField(k)->text(),
            w.txtrc[i]->text(),        w.txtgc[i]->text(),     w.txtbc[i]->text()};
}

/// Every notation of column k describes the colour value v.
void expectColumnShows(const MainWindow& w, int k, core::Color v) {
    const Column c = column(w, k);
    const core::ColorRGB rgb = core::SplitColor(v);
    QCOMPARE(c.decimal, QString::number(v));
    QCOMPARE(c.html, html(v));
    QCOMPARE(c.websafe, html(core::WebSafeColor(v, nullptr)));
    QCOMPARE(c.r, QString::number(rgb.r));
    QCOMPARE(c.g, QString::number(rgb.g));
    QCOMPARE(c.b, QString::number(rgb.b));
    QCOMPARE(w.swatch(k)->backColor(), v);
}

core::Color rasterAt(const MainWindow& w, int x, int y) {
    return w.rasterStart.at(x, y);
}

} // namespace

class tst_MainWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<MainWindow> m_w;

    void move(int x, int y) { QTest::mouseMove(m_w->wheel, QPoint(x, y)); }
    void press(int x, int y) { QTest::mouseClick(m_w->wheel, Qt::LeftButton, {}, QPoint(x, y)); }
    /// Clicks the option's round indicator, where a user clicks it.
    void choose(int index) {
        QRadioButton* option = m_w->chktype[static_cast<size_t>(index)];
        QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(7, option->height() / 2));
    }

private slots:
    void init() {
        m_w = std::make_unique<MainWindow>();
        m_w->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_w.get()));
        // a move to where the pointer already is sends no event: start away from the wheel
        QTest::mouseMove(m_w.get(), QPoint(785, 545));
        platform::setClipboardText(QStringLiteral("untouched"));
    }
    void cleanup() { m_w.reset(); }

    void windowLayoutMatchesTheDesign() {
        QCOMPARE(m_w->objectName(), QStringLiteral("frmchromalune"));
        QCOMPARE(m_w->windowTitle(), QStringLiteral("ChromaLune"));
        QCOMPARE(m_w->size(), QSize(792, 552));
        QCOMPARE(m_w->wheel->geometry(), QRect(8, 104, 260, 260));
        QCOMPARE(m_w->Picture2->geometry(), QRect(352, 376, 57, 33));
        QCOMPARE(m_w->txthtml3->geometry(), QRect(584, 512, 57, 19));
        QCOMPARE(m_w->txtbc[2]->mapTo(m_w.get(), QPoint(0, 0)), QPoint(584 + 120, 424 + 16));
        QVERIFY(m_w->chktype[1]->isChecked());
        QCOMPARE(m_w->chktype[4]->text(), QStringLiteral("Monochromatic"));
        QVERIFY(m_w->chktype[4]->y() < m_w->chktype[0]->y());
        QCOMPARE(m_w->findChild<QLabel*>(QStringLiteral("Label8[1]"))->text(),
                 QStringLiteral("Color2"));
        QCOMPARE(m_w->findChild<QLabel*>(QStringLiteral("Frame1_caption"))->text(),
                 QStringLiteral("Color Sheme"));
        for (int k = 1; k <= 3; ++k)
            QVERIFY(m_w->decimalField(k)->text().isEmpty());
    }

    void checkAndOptionsTakeClicksAcrossTheirWholeDesignedArea() {
        const struct {
            QAbstractButton* button;
            QRect place;
        } controls[] = {
            {m_w->chkpreview, {280, 72, 105, 17}},  {m_w->chktype[4], {672, 144, 129, 17}},
            {m_w->chktype[0], {672, 160, 129, 25}}, {m_w->chktype[1], {672, 184, 129, 25}},
            {m_w->chktype[2], {672, 208, 129, 25}}, {m_w->chktype[3], {672, 232, 129, 17}}};
        for (const auto& c : controls) {
            QAbstractButton* b = c.button;
            QCOMPARE(QRect(b->mapTo(m_w.get(), QPoint(0, 0)), b->size()), c.place);
            // the last column of the control that the window shows, far right of any caption
            const QPoint edge(std::min(c.place.right(), m_w->width() - 1), c.place.center().y());
            QTest::mouseClick(b, Qt::LeftButton, {}, b->mapFrom(m_w.get(), edge));
            QVERIFY2(b->isChecked(), qPrintable(b->text()));
        }
    }

    void wheelReadsRasterThenButtonFaceThenNothing() {
        WheelSurface* wheel = m_w->wheel;
        QCOMPARE(wheel->GetPixel(130, 130), rasterAt(*m_w, 130, 130));
        QCOMPARE(wheel->GetPixel(256, 10), core::rgbValue(212, 208, 200));
        QCOMPARE(wheel->GetPixel(10, 259), core::rgbValue(212, 208, 200));
        QCOMPARE(wheel->GetPixel(260, 10), -1);
        QCOMPARE(wheel->GetPixel(-1, 10), -1);
        // what the screen shows under the wheel is the raster
        const QImage shown = wheel->grab().toImage();
        const int scale = qRound(shown.devicePixelRatio());
        const core::ColorRGB c = core::SplitColor(rasterAt(*m_w, 100, 50));
        QCOMPARE(QColor(shown.pixel(100 * scale, 50 * scale)), QColor(c.r, c.g, c.b));
    }

    void analogousMoveFillsEveryField() {
        move(200, 60);
        QCOMPARE(m_w->wheel_x, 200.0f);
        QCOMPARE(m_w->wheel_y, 60.0f);
        expectColumnShows(*m_w, 2, rasterAt(*m_w, 200, 60));
        expectColumnShows(*m_w, 1, rasterAt(*m_w, 221, 92));
        expectColumnShows(*m_w, 3, rasterAt(*m_w, 168, 39));
        QCOMPARE(m_w->color3.g, core::SplitColor(rasterAt(*m_w, 168, 39)).g);
        // the swatch shows its colour on screen
        const QImage sw = m_w->Picture1->grab().toImage();
        const core::ColorRGB c1 = core::SplitColor(rasterAt(*m_w, 221, 92));
        QCOMPARE(QColor(sw.pixel(12, 12)), QColor(c1.r, c1.g, c1.b));
        // the construction lines run from the centre to the pointer and the samples
        QVERIFY(m_w->wheel->line(1).visible && m_w->wheel->line(3).visible);
        QCOMPARE(m_w->wheel->line(1).x2, 200.0f);
    }

    void everyRuleReadsItsOwnPoints_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QPoint>("pointer");
        QTest::addColumn<QPoint>("p1");
        QTest::addColumn<QPoint>("p2");
        QTest::newRow("complementary") << 0 << QPoint(200, 60) << QPoint(60, 200) << QPoint();
        QTest::newRow("split") << 2 << QPoint(200, 60) << QPoint(39, 168) << QPoint(92, 221);
        QTest::newRow("triad") << 3 << QPoint(130, 30) << QPoint(38, 92) << QPoint(222, 92);
        QTest::newRow("mono (drawn on top)")
            << 4 << QPoint(200, 60) << QPoint(214, 46) << QPoint(186, 74);
    }
    void everyRuleReadsItsOwnPoints() {
        QFETCH(int, index);
        QFETCH(QPoint, pointer);
        QFETCH(QPoint, p1);
        QFETCH(QPoint, p2);
        choose(index);
        QVERIFY(m_w->chktype[static_cast<size_t>(index)]->isChecked());
        move(pointer.x(), pointer.y());
        expectColumnShows(*m_w, 2, rasterAt(*m_w, pointer.x(), pointer.y()));
        expectColumnShows(*m_w, 1, rasterAt(*m_w, p1.x(), p1.y()));
        if (!p2.isNull())
            expectColumnShows(*m_w, 3, rasterAt(*m_w, p2.x(), p2.y()));
    }

    void complementaryKeepsSwatchThreeWithEmptyCodes() {
        choose(0);
        move(200, 60);
        QCOMPARE(m_w->txtrgb3->text(), QString());
        QCOMPARE(m_w->txthtml3->text(), QString());
        // the swatch still holds its start colour (system colour 9); its other codes say so
        QCOMPARE(m_w->txtwebsafe3->text(), QStringLiteral("#FFFFFF"));
        QCOMPARE(m_w->txtrc[2]->text(), QStringLiteral("9"));
    }

    void sampleOutsideTheSurfaceShowsMinusOneAndKeepsTheSwatch() {
        choose(4);
        move(240, 130); // P1 lands at (262, 130), beyond the surface
        QCOMPARE(m_w->txtrgb1->text(), QStringLiteral("-1"));
        QCOMPARE(m_w->txthtml1->text(), QStringLiteral("#FFFFFF"));
        QCOMPARE(m_w->Picture1->backColor(), rasterAt(*m_w, 240, 130));
    }

    void pressFreezesAndSecondPressReleases() {
        move(200, 60);
        const Column before = column(*m_w, 1);
        press(200, 60);
        QVERIFY(m_w->wheel_locked);
        move(60, 200);
        QCOMPARE(m_w->wheel_x, 200.0f);
        QCOMPARE(column(*m_w, 1).html, before.html);
        QCOMPARE(column(*m_w, 1).r, before.r);
        press(10, 10); // outside the disc still toggles
        QVERIFY(!m_w->wheel_locked);
        move(70, 190);
        QCOMPARE(m_w->wheel_x, 70.0f);
        QVERIFY(column(*m_w, 1).html != before.html);
    }

    void keysDriveTheWheelLikeThePointerAndSpaceFreezes() {
        const auto shown = [this] {
            QString texts = QStringLiteral("%1,%2").arg(m_w->wheel_x).arg(m_w->wheel_y);
            for (int k = 1; k <= 3; ++k) {
                const Column c = column(*m_w, k);
                texts += '|' + c.decimal + ' ' + c.html + ' ' + c.websafe + ' ' + c.r + ' ' + c.g +
                         ' ' + c.b;
            }
            return texts;
        };
        const struct {
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            QPoint to;
        } steps[] = {{Qt::Key_Right, {}, {61, 80}},
                     {Qt::Key_Down, Qt::ShiftModifier, {61, 90}},
                     {Qt::Key_Left, Qt::ShiftModifier, {51, 90}},
                     {Qt::Key_Up, {}, {51, 89}},
                     {Qt::Key_Home, {}, {130, 130}},
                     {Qt::Key_Up, Qt::ShiftModifier, {130, 120}}};
        QStringList byPointer;
        for (const auto& step : steps) {
            move(step.to.x(), step.to.y());
            byPointer << shown();
        }
        // the keys start where the pointer last was
        move(60, 80);
        m_w->activateWindow();
        m_w->wheel->setFocus();
        for (size_t i = 0; i < std::size(steps); ++i) {
            QTest::keyClick(m_w->wheel, steps[i].key, steps[i].modifiers);
            QCOMPARE(shown(), byPointer[static_cast<qsizetype>(i)]);
        }
        QTest::keyClick(m_w->wheel, Qt::Key_Space);
        QVERIFY(m_w->wheel_locked);
        QTest::keyClick(m_w->wheel, Qt::Key_Right);
        QCOMPARE(shown(), byPointer.last());
        QTest::keyClick(m_w->wheel, Qt::Key_Return);
        QVERIFY(!m_w->wheel_locked);
        QTest::keyClick(m_w->wheel, Qt::Key_Left);
        QCOMPARE(shown(), byPointer.last());
        // a marker shows the focus
        const QImage focused = m_w->wheel->grab().toImage();
        m_w->txtrgb1->setFocus();
        QVERIFY(m_w->wheel->grab().toImage() != focused);
    }

    void dragBeyondTheSurfaceStoresPositionOnly() {
        move(200, 60);
        const Column before = column(*m_w, 2);
        m_w->wheel_MouseMove(1, 0, 300.0f, 50.0f);
        QCOMPARE(m_w->wheel_x, 300.0f);
        QCOMPARE(column(*m_w, 2).html, before.html);
    }

    void schemeTypeChoiceReRunsAtTheLastPositionAndRefreshesEveryCode() {
        move(200, 60);
        choose(3);
        expectColumnShows(*m_w, 1, rasterAt(*m_w, 92, 39));
        expectColumnShows(*m_w, 3, rasterAt(*m_w, 221, 168));
        QCOMPARE(m_w->color1.r, core::SplitColor(rasterAt(*m_w, 92, 39)).r);
    }

    void schemeTypeChoiceBeforeAnyMoveSamplesTheCorner() {
        choose(0);
        QCOMPARE(m_w->txtrgb2->text(), QString::number(rasterAt(*m_w, 0, 0)));
    }

    void clickOnEachOfTheEighteenFieldsCopiesItsText() {
        move(200, 60);
        QList<ClickLineEdit*> fields;
        for (int k = 1; k <= 3; ++k)
            fields << m_w->decimalField(k) << m_w->htmlField(k) << m_w->webSafeField(k);
        for (size_t i = 0; i < 3; ++i)
            fields << m_w->txtrc[i] << m_w->txtgc[i] << m_w->txtbc[i];
        QCOMPARE(fields.size(), 18);
        for (ClickLineEdit* f : fields) {
            platform::setClipboardText(QStringLiteral("x"));
            QTest::mouseClick(f, Qt::LeftButton);
            QCOMPARE(platform::clipboardText(), f->text());
            QVERIFY(!f->text().isEmpty());
        }
    }

    void typedTextIsCopiedAsTypedAndChangesNoColour() {
        move(200, 60);
        const core::Color before = m_w->Picture2->backColor();
        m_w->txthtml2->clear();
        QTest::keyClicks(m_w->txthtml2, QStringLiteral("#abc"));
        QTest::mouseClick(m_w->txthtml2, Qt::LeftButton);
        QCOMPARE(platform::clipboardText(), QStringLiteral("#abc"));
        QCOMPARE(m_w->Picture2->backColor(), before);
    }

    void pointerMapsToTheWholePixelUnderIt() {
        // a scaled screen reports the pointer in fractions of a logical pixel, and the toolkit
        // rounds the position it hands the widget: every screen pixel of a wheel pixel's block
        // picks that wheel pixel, whether the event comes through the window or straight
        QWindow* window = m_w->windowHandle();
        const QPointF wheelOrigin = m_w->wheel->mapTo(m_w.get(), QPointF(0, 0));
        for (const QPoint pixel : {QPoint(200, 62), QPoint(101, 60), QPoint(3, 130),
                                   QPoint(130, 130), QPoint(250, 255)}) {
            for (const QPointF within : {QPointF(0, 0), QPointF(0.5, 0), QPointF(0, 0.5),
                                         QPointF(0.5, 0.5), QPointF(0.75, 0.25)}) {
                m_w->wheel_x = m_w->wheel_y = -1;
                const QPointF local = QPointF(pixel) + within;
                const QPointF inWindow = wheelOrigin + local;
                QMouseEvent viaWindow(QEvent::MouseMove, inWindow, inWindow,
                                      window->mapToGlobal(inWindow), Qt::NoButton, Qt::NoButton,
                                      Qt::NoModifier);
                QApplication::sendEvent(window, &viaWindow);
                const QString where = QStringLiteral("%1,%2").arg(local.x()).arg(local.y());
                QVERIFY2(m_w->wheel_x == pixel.x() && m_w->wheel_y == pixel.y(), qPrintable(where));
                QCOMPARE(m_w->txtrgb2->text(),
                         QString::number(rasterAt(*m_w, pixel.x(), pixel.y())));
                m_w->wheel_x = m_w->wheel_y = -1;
                QMouseEvent straight(QEvent::MouseMove, local, m_w->wheel->mapToGlobal(local),
                                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
                QApplication::sendEvent(m_w->wheel, &straight);
                QVERIFY2(m_w->wheel_x == pixel.x() && m_w->wheel_y == pixel.y(), qPrintable(where));
            }
        }
    }

    void wheelAndSwatchesStayPixelExactAtAnyScale() {
        move(200, 60);
        const QImage wheel = m_w->wheel->grab().toImage();
        const int scale = qRound(wheel.devicePixelRatio());
        QCOMPARE(wheel.width(), 260 * scale);
        // each wheel pixel is a solid scale x scale block of the raster colour
        for (const QPoint p :
             {QPoint(30, 200), QPoint(128, 250), QPoint(60, 180), QPoint(250, 5)}) {
            const core::ColorRGB c = core::SplitColor(m_w->wheel->GetPixel(p.x(), p.y()));
            for (int dy = 0; dy < scale; ++dy) {
                for (int dx = 0; dx < scale; ++dx) {
                    QCOMPARE(QColor(wheel.pixel(p.x() * scale + dx, p.y() * scale + dy)),
                             QColor(c.r, c.g, c.b));
                }
            }
        }
        const QImage sw = m_w->Picture2->grab().toImage();
        const core::ColorRGB c2 = core::SplitColor(m_w->Picture2->backColor());
        QCOMPARE(QColor(sw.pixel(10 * scale, 10 * scale)), QColor(c2.r, c2.g, c2.b));
        QCOMPARE(QColor(sw.pixel(10 * scale + scale - 1, 10 * scale + scale - 1)),
                 QColor(c2.r, c2.g, c2.b));
    }

    void captionsFitTheirControls() {
        const QList<QWidget*> widgets = m_w->findChildren<QWidget*>();
        for (QWidget* widget : widgets) {
            if (auto* option = qobject_cast<QRadioButton*>(widget)) {
                QVERIFY2(option->sizeHint().width() <= option->width(), qPrintable(option->text()));
                QVERIFY2(option->mapTo(m_w.get(), QPoint(option->sizeHint().width(), 0)).x() <=
                             m_w->width(),
                         qPrintable(option->text()));
            }
            if (auto* label = qobject_cast<QLabel*>(widget))
                QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(label->text()));
        }
        // the widest codes and values show whole in their fields, not scrolled
        const auto shownWhole = [](ClickLineEdit* field, const QString& text) {
            // the field scrolls its text while it paints
            field->setText(QStringLiteral("0"));
            field->setCursorPosition(0);
            field->repaint();
            const int start = field->inputMethodQuery(Qt::ImCursorRectangle).toRect().x();
            field->setText(text);
            field->setCursorPosition(static_cast<int>(text.size()));
            field->repaint();
            const int end = field->inputMethodQuery(Qt::ImCursorRectangle).toRect().x();
            return end - start == QFontMetrics(field->font()).horizontalAdvance(text);
        };
        for (int k = 1; k <= 3; ++k) {
            for (const QChar c : QStringLiteral("0123456789ABCDEF")) {
                const QString code = QStringLiteral("#") + QString(6, c);
                QVERIFY2(shownWhole(m_w->htmlField(k), code), qPrintable(code));
                QVERIFY2(shownWhole(m_w->webSafeField(k), code), qPrintable(code));
            }
            QVERIFY(shownWhole(m_w->decimalField(k), QStringLiteral("16777215")));
            QVERIFY(shownWhole(m_w->txtrc[static_cast<size_t>(k - 1)], QStringLiteral("255")));
        }
    }

    void tabWalksFromTheOptionsToTheWheelAndThePanel() {
        // the wheel comes after the scheme options
        QList<QWidget*> expected = {m_w->chktype[3], m_w->wheel};
        for (size_t i = 0; i < 3; ++i)
            expected << m_w->txtrc[i] << m_w->txtgc[i] << m_w->txtbc[i];
        for (int k = 1; k <= 3; ++k)
            expected << m_w->decimalField(k) << m_w->webSafeField(k);
        for (int k = 1; k <= 3; ++k)
            expected << m_w->htmlField(k);
        m_w->activateWindow();
        expected.first()->setFocus();
        for (qsizetype i = 1; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), expected[i]);
        }
    }

    void emptyFieldCopiesEmptyText() {
        QTest::mouseClick(m_w->txtrgb1, Qt::LeftButton);
        QCOMPARE(platform::clipboardText(), QString());
    }
};

CHROMALUNE_TEST_MAIN(tst_MainWindow)
#include "MainWindowTest.moc"
