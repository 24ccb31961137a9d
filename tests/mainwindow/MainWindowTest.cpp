#include "support/MainWindowDriver.h"
#include "support/PaintCounter.h"
#include "support/QtTestMain.h"

#include "core/Wheel.h"
#include "platform/Desktop.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QMouseEvent>
#include <QPointer>
#include <QTableView>
#include <QWindow>

namespace {

QString htmlOf(core::Color v) {
    return QString::fromStdString(core::htmlCode(v));
}

core::Color rasterAt(QPoint p) {
    static const core::Raster kStart = core::makeStartRaster(core::makeDefaultRaster());
    return kStart.at(p.x(), p.y());
}

/// Every notation of column k describes the colour value v, and the swatch shows it.
void expectColumnShows(const MainWindowDriver& d, int k, core::Color v) {
    const core::ColorRGB rgb = core::splitColor(v);
    QCOMPARE(d.texts(k),
             QStringList({QString::number(rgb.r), QString::number(rgb.g), QString::number(rgb.b),
                          QString::number(v), htmlOf(v), htmlOf(core::webSafeColor(v, nullptr))}));
    const QImage shown = d.child(QStringLiteral("Picture%1").arg(k))->grab().toImage();
    QCOMPARE(QColor(shown.pixel(shown.width() / 2, shown.height() / 2)),
             QColor(rgb.r, rgb.g, rgb.b));
}

} // namespace

class tst_MainWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<MainWindowDriver> m_d;

private slots:
    void init() { m_d = std::make_unique<MainWindowDriver>(); }
    void cleanup() { m_d.reset(); }

    void complementaryKeepsSwatchThreeWithEmptyCodes() {
        m_d->chooseRule(0);
        // before any move the stored position is the corner
        QCOMPARE(m_d->text("txtrgb2"), QString::number(rasterAt({0, 0})));
        m_d->move(200, 60);
        QCOMPARE(m_d->text("txtrgb3") + m_d->text("txthtml3"), QString());
        // the swatch still holds its start colour (system colour 9); its other codes say so
        QCOMPARE(m_d->text("txtwebsafe3"), "#FFFFFF");
        QCOMPARE(m_d->text("txtrc[2]"), "9");
        // codes another rule wrote there are emptied too
        m_d->chooseRule(1);
        QVERIFY(!m_d->text("txthtml3").isEmpty());
        m_d->chooseRule(0);
        QCOMPARE(m_d->text("txtrgb3") + m_d->text("txthtml3"), QString());
    }

    void sampleOffTheSurfaceReadsMinusOne() {
        m_d->chooseRule(4);
        m_d->move(240, 130); // P1 lands at (262, 130), beyond the surface
        QCOMPARE(m_d->text("txtrgb1"), "-1");
        QCOMPARE(m_d->text("txthtml1"), "#FFFFFF");
        QCOMPARE(core::swatchCode(m_d->model().swatchValue(1)), rasterAt({240, 130}));
    }

    void columnsShowEveryNotationAndARuleReRunsAtTheLastPosition() {
        m_d->move(200, 60);
        m_d->chooseRule(3);
        expectColumnShows(*m_d, 2, rasterAt({200, 60}));
        expectColumnShows(*m_d, 1, rasterAt({92, 39}));
        expectColumnShows(*m_d, 3, rasterAt({221, 168}));
        // the construction lines are never read: (165, 95) lies under line 1 to (200, 60)
        m_d->move(165, 95);
        QCOMPARE(m_d->text("txtrgb2"), QString::number(rasterAt({165, 95})));
    }

    void clickOnAFieldCopiesItsTextAsItStands() {
        m_d->move(200, 60);
        for (int k = 1; k <= 3; ++k) {
            for (const QString& name : MainWindowDriver::fieldsOf(k)) {
                platform::setClipboardText("x");
                QTest::mouseClick(m_d->field(name), Qt::LeftButton);
                QVERIFY(!m_d->text(name).isEmpty());
                QCOMPARE(platform::clipboardText(), m_d->text(name));
            }
        }
        // typed text is copied and saved as typed, and changes no colour
        const core::Color before = core::swatchCode(m_d->model().swatchValue(2));
        m_d->field("txthtml2")->selectAll();
        QTest::keyClicks(m_d->field("txthtml2"), "#abc");
        QTest::mouseClick(m_d->field("txthtml2"), Qt::LeftButton);
        QCOMPARE(platform::clipboardText(), "#abc");
        QCOMPARE(m_d->model().texts(2).html, std::string("#abc"));
        QCOMPARE(core::swatchCode(m_d->model().swatchValue(2)), before);
    }

    void tabFollowsTheOnScreenOrder() {
        const QStringList expected =
            QStringLiteral("chktype[3] wheel txtrc[0] txtgc[0] txtbc[0] txtrc[1] txtgc[1] txtbc[1] "
                           "txtrc[2] txtgc[2] txtbc[2] txtrgb1 txtwebsafe1 txtrgb2 txtwebsafe2 "
                           "txtrgb3 txtwebsafe3 txthtml1 txthtml2 txthtml3")
                .split(' ');
        m_d->w->activateWindow();
        m_d->child(expected.first())->setFocus();
        for (qsizetype i = 1; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), expected[i]);
        }
    }

    void togglesTakeClicksAcrossTheirWholeWidth() {
        // the last column of each control the window shows, far right of any caption
        for (const char* name :
             {"chkpreview", "chktype[4]", "chktype[0]", "chktype[2]", "chktype[3]"}) {
            auto* b = m_d->child<QAbstractButton>(QLatin1String(name));
            const int right = std::min(b->width() - 1,
                                       m_d->w->width() - 1 - b->mapTo(m_d->w.get(), QPoint()).x());
            QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(right, b->height() / 2));
            QVERIFY2(b->isChecked(), name);
        }
    }

    // the scheme frame stands where the window's design puts it, running past the right
    // edge, and holds the five options whole
    void schemeFrameHasItsPlaceAndSize() {
        QCOMPARE(m_d->w->size(), QSize(792, 552));
        QCOMPARE(m_d->child("Frame1")->geometry(), QRect(664, 120, 145, 161));
        QCOMPARE(m_d->child("Picture4")->geometry(), QRect(8, 16, 129, 129));
    }

    void keysDriveTheWheelLikeThePointer() {
        const auto shown = [this] {
            return QStringList{QString::number(m_d->model().pointerX()),
                               QString::number(m_d->model().pointerY())} +
                   m_d->texts(1) + m_d->texts(2) + m_d->texts(3);
        };
        const struct {
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            QPoint to;
        } steps[] = {{Qt::Key_Right, {}, {61, 80}},
                     {Qt::Key_Down, Qt::ShiftModifier, {61, 90}},
                     {Qt::Key_Left, Qt::ShiftModifier, {51, 90}},
                     {Qt::Key_Up, {}, {51, 89}},
                     {Qt::Key_Home, {}, {130, 130}}};
        QList<QStringList> byPointer;
        for (const auto& step : steps) {
            m_d->move(step.to.x(), step.to.y());
            byPointer << shown();
        }
        // the keys start where the pointer last was
        m_d->move(60, 80);
        m_d->w->activateWindow();
        m_d->wheel()->setFocus();
        for (size_t i = 0; i < std::size(steps); ++i) {
            QTest::keyClick(m_d->wheel(), steps[i].key, steps[i].modifiers);
            QCOMPARE(shown(), byPointer[static_cast<qsizetype>(i)]);
        }
        QTest::keyClick(m_d->wheel(), Qt::Key_Space);
        QVERIFY(m_d->model().isFrozen());
        QTest::keyClick(m_d->wheel(), Qt::Key_Right);
        QCOMPARE(shown(), byPointer.last());
        QTest::keyClick(m_d->wheel(), Qt::Key_Return);
        QVERIFY(!m_d->model().isFrozen());
        QTest::keyClick(m_d->wheel(), Qt::Key_Left);
        QCOMPARE(shown(), byPointer.last());
        // a frame round the very edge of the surface shows the focus
        const QImage focused = m_d->wheel()->grab().toImage();
        m_d->field("txtrgb1")->setFocus();
        const QImage plain = m_d->wheel()->grab().toImage();
        const int s = qRound(plain.devicePixelRatio());
        // a black square inside a white one marks the keyboard's pixel, (130, 130)
        QCOMPARE(focused.pixel(QPoint(127, 130) * s) & RGB_MASK, 0u);
        QCOMPARE(focused.pixel(QPoint(126, 130) * s) & RGB_MASK, 0xFFFFFFu);
        for (const QPoint edge :
             {QPoint(0, 130), QPoint(259, 130), QPoint(130, 0), QPoint(140, 259)})
            QVERIFY(focused.pixel(edge * s) != plain.pixel(edge * s));
    }

    void pointerMapsToTheWholePixelUnderIt() {
        // a scaled screen reports the pointer in fractions of a logical pixel, and the toolkit
        // rounds the position it hands the widget: every screen pixel of a wheel pixel's block
        // picks that wheel pixel, whether the event comes through the window or straight
        QWindow* window = m_d->w->windowHandle();
        QWidget* wheel = m_d->wheel();
        for (const QPoint pixel : {QPoint(200, 62), QPoint(3, 130), QPoint(250, 255)}) {
            for (const QPointF within : {QPointF(0, 0), QPointF(0.5, 0.5), QPointF(0.75, 0.25)}) {
                const QPointF local = QPointF(pixel) + within;
                const QPointF inWindow = wheel->mapTo(m_d->w.get(), local);
                for (const auto& [target, at] :
                     {std::pair<QObject*, QPointF>(window, inWindow), {wheel, local}}) {
                    m_d->move(10, 10);
                    QMouseEvent event(QEvent::MouseMove, at, at, wheel->mapToGlobal(local),
                                      Qt::NoButton, Qt::NoButton, Qt::NoModifier);
                    QApplication::sendEvent(target, &event);
                    QCOMPARE(QPointF(m_d->model().pointerX(), m_d->model().pointerY()),
                             QPointF(pixel));
                    QCOMPARE(m_d->text("txtrgb2"), QString::number(rasterAt(pixel)));
                }
            }
        }
    }

    void accessibilityCheckFollowsTheScheme() {
        m_d->child<QCheckBox>("chkpreview")->setChecked(true);
        m_d->runMenu("mnuaccess");
        QPointer<QWidget> access = m_d->child("frmaccess");
        // the scheme's swatches only: a complementary scheme has no third colour to check
        const auto reportShowsTheSwatches = [&](bool third = true) {
            QTest::mouseClick(access->findChild<QWidget*>("cmdcopyreport"), Qt::LeftButton);
            const QString report = platform::clipboardText();
            QCOMPARE(report.section('\n', 0, 0),
                     QStringLiteral("Accessibility check of the scheme Color 1 %1, Color2 %2")
                             .arg(htmlOf(m_d->model().swatchColor(1)),
                                  htmlOf(m_d->model().swatchColor(2))) +
                         (third ? ", Color 3 " + htmlOf(m_d->model().swatchColor(3)) : QString()));
        };
        // a tracked move shows at once, in the report and in the simulated preview (whose
        // pictures the check's own tests compare with the preview it is given)
        QWidget* simulated = access->findChild<QWidget*>("picachromatopsia");
        // the first pick brings the figures in place of the note that there is no scheme
        m_d->move(150, 90);
        QTRY_VERIFY(in(access, "tblcontrast")->isVisible());
        const QImage before = simulated->grab().toImage();
        PaintCounter tablePaints;
        in<QTableView>(access, "tblcontrast")->viewport()->installEventFilter(&tablePaints);
        QCoreApplication::processEvents();
        tablePaints.paints = 0;
        m_d->move(200, 60);
        // the figures' table is repainted on screen too, within a frame
        QTRY_VERIFY(tablePaints.paints > 0);
        reportShowsTheSwatches();
        QVERIFY(simulated->grab().toImage() != before);
        // closed it is kept (a new window each time would fill the style's cache with pieces
        // drawn under its own palettes); opened again it shows the scheme as it is then
        access->close();
        QTRY_VERIFY(!access->isVisible());
        m_d->chooseRule(0);
        m_d->move(150, 90);
        m_d->runMenu("mnuaccess");
        QCOMPARE(m_d->child("frmaccess"), access.data());
        reportShowsTheSwatches(false);
        m_d->chooseRule(3);
        reportShowsTheSwatches();
    }

    void changesAreRepaintedOnScreen() {
        // grabbing draws afresh; the screen only shows what a surface asks to repaint
        PaintCounter preview, wheel;
        m_d->child<QCheckBox>("chkpreview")->setChecked(true);
        QCoreApplication::processEvents();
        m_d->child("preview")->installEventFilter(&preview);
        m_d->wheel()->installEventFilter(&wheel);
        m_d->move(200, 60);
        QTRY_VERIFY(preview.paints > 0);
        wheel.paints = 0;
        m_d->runMenu("mnucwwebsafe"); // a new raster
        QTRY_VERIFY(wheel.paints > 0);
        m_d->press(100, 100); // frozen: a key moves the keyboard's mark alone
        QCoreApplication::processEvents();
        wheel.paints = 0;
        QTest::keyClick(m_d->wheel(), Qt::Key_Right);
        QTRY_VERIFY(wheel.paints > 0);
    }
};

CHROMALUNE_TEST_MAIN(tst_MainWindow)
#include "MainWindowTest.moc"
