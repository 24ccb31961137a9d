#include "support/MainWindowDriver.h"
#include "support/QtTestMain.h"

#include "core/Wheel.h"
#include "platform/Desktop.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QMouseEvent>
#include <QPointer>
#include <QSignalSpy>
#include <QWindow>

namespace {

QString htmlOf(core::Color v) {
    return QString::fromStdString(core::htmlCode(v));
}

core::Color rasterAt(QPoint p) {
    static const core::Raster start = core::makeStartRaster(core::makeDefaultRaster());
    return start.at(p.x(), p.y());
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

    std::unique_ptr<MainWindowDriver> d;

private slots:
    void init() { d = std::make_unique<MainWindowDriver>(); }
    void cleanup() { d.reset(); }

    void everyRuleFillsEveryNotationOfItsColumns_data() {
        // the rule (-1: the start's analogous), the pointer, and where P1 and P2 land
        QTest::addColumn<int>("rule");
        QTest::addColumn<QPoint>("pointer");
        QTest::addColumn<QPoint>("p1");
        QTest::addColumn<QPoint>("p2");
        QTest::newRow("analogous") << -1 << QPoint(200, 60) << QPoint(221, 92) << QPoint(168, 39);
        QTest::newRow("mono") << 4 << QPoint(200, 60) << QPoint(214, 46) << QPoint(186, 74);
    }
    void everyRuleFillsEveryNotationOfItsColumns() {
        QFETCH(int, rule);
        QFETCH(QPoint, pointer);
        QFETCH(QPoint, p1);
        QFETCH(QPoint, p2);
        if (rule >= 0)
            d->chooseRule(rule);
        d->move(pointer.x(), pointer.y());
        expectColumnShows(*d, 2, rasterAt(pointer));
        expectColumnShows(*d, 1, rasterAt(p1));
        expectColumnShows(*d, 3, rasterAt(p2));
    }

    void complementaryKeepsSwatchThreeWithEmptyCodes() {
        d->chooseRule(0);
        d->move(200, 60);
        expectColumnShows(*d, 1, rasterAt({60, 200}));
        QCOMPARE(d->text("txtrgb3"), QString());
        QCOMPARE(d->text("txthtml3"), QString());
        // the swatch still holds its start colour (system colour 9); its other codes say so
        QCOMPARE(d->text("txtwebsafe3"), "#FFFFFF");
        QCOMPARE(d->text("txtrc[2]"), "9");
        // codes another rule wrote there are emptied too
        d->chooseRule(1);
        QVERIFY(!d->text("txthtml3").isEmpty());
        d->chooseRule(0);
        QCOMPARE(d->text("txtrgb3") + d->text("txthtml3"), QString());
    }

    void sampleOffTheSurfaceReadsMinusOne() {
        d->chooseRule(4);
        d->move(240, 130); // P1 lands at (262, 130), beyond the surface
        QCOMPARE(d->text("txtrgb1"), "-1");
        QCOMPARE(d->text("txthtml1"), "#FFFFFF");
        QCOMPARE(d->model().swatchValue(1), rasterAt({240, 130}));
    }

    void ruleChoiceReRunsAtTheLastPosition() {
        d->chooseRule(0);
        // before any move the stored position is the corner
        QCOMPARE(d->text("txtrgb2"), QString::number(rasterAt({0, 0})));
        d->move(200, 60);
        d->chooseRule(3);
        expectColumnShows(*d, 1, rasterAt({92, 39}));
        expectColumnShows(*d, 3, rasterAt({221, 168}));
        // the construction lines are never read: (165, 95) lies under line 1 to (200, 60)
        d->move(165, 95);
        QCOMPARE(d->text("txtrgb2"), QString::number(rasterAt({165, 95})));
    }

    void clickOnAFieldCopiesItsTextAsItStands() {
        d->move(200, 60);
        for (int k = 1; k <= 3; ++k) {
            for (const QString& name : MainWindowDriver::fieldsOf(k)) {
                platform::setClipboardText("x");
                QTest::mouseClick(d->field(name), Qt::LeftButton);
                QVERIFY(!d->text(name).isEmpty());
                QCOMPARE(platform::clipboardText(), d->text(name));
            }
        }
        // typed text is copied and saved as typed, and changes no colour
        const core::Color before = d->model().swatchValue(2);
        d->field("txthtml2")->selectAll();
        QTest::keyClicks(d->field("txthtml2"), "#abc");
        QTest::mouseClick(d->field("txthtml2"), Qt::LeftButton);
        QCOMPARE(platform::clipboardText(), "#abc");
        QCOMPARE(d->model().texts(2).html, std::string("#abc"));
        QCOMPARE(d->model().swatchValue(2), before);
    }

    void tabFollowsTheOnScreenOrder() {
        const QStringList expected =
            QStringLiteral("chktype[3] wheel txtrc[0] txtgc[0] txtbc[0] txtrc[1] txtgc[1] txtbc[1] "
                           "txtrc[2] txtgc[2] txtbc[2] txtrgb1 txtwebsafe1 txtrgb2 txtwebsafe2 "
                           "txtrgb3 txtwebsafe3 txthtml1 txthtml2 txthtml3")
                .split(' ');
        d->w->activateWindow();
        d->child(expected.first())->setFocus();
        for (qsizetype i = 1; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), expected[i]);
        }
    }

    void authoringCommandsAreNeverShown() {
        QVERIFY(!d->child("Command2")->isVisible() && !d->child("Command3")->isVisible());
    }

    void togglesTakeClicksAcrossTheirWholeWidth() {
        // the last column of each control the window shows, far right of any caption
        for (const char* name :
             {"chkpreview", "chktype[4]", "chktype[0]", "chktype[2]", "chktype[3]"}) {
            auto* b = d->child<QAbstractButton>(QLatin1String(name));
            const int right =
                std::min(b->width() - 1, d->w->width() - 1 - b->mapTo(d->w.get(), QPoint()).x());
            QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(right, b->height() / 2));
            QVERIFY2(b->isChecked(), name);
        }
    }

    void keysDriveTheWheelLikeThePointer() {
        const auto shown = [this] {
            return QStringList{QString::number(d->model().pointerX()),
                               QString::number(d->model().pointerY())} +
                   d->texts(1) + d->texts(2) + d->texts(3);
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
            d->move(step.to.x(), step.to.y());
            byPointer << shown();
        }
        // the keys start where the pointer last was
        d->move(60, 80);
        d->w->activateWindow();
        d->wheel()->setFocus();
        for (size_t i = 0; i < std::size(steps); ++i) {
            QTest::keyClick(d->wheel(), steps[i].key, steps[i].modifiers);
            QCOMPARE(shown(), byPointer[static_cast<qsizetype>(i)]);
        }
        QTest::keyClick(d->wheel(), Qt::Key_Space);
        QVERIFY(d->model().isLocked());
        QTest::keyClick(d->wheel(), Qt::Key_Right);
        QCOMPARE(shown(), byPointer.last());
        QTest::keyClick(d->wheel(), Qt::Key_Return);
        QVERIFY(!d->model().isLocked());
        QTest::keyClick(d->wheel(), Qt::Key_Left);
        QCOMPARE(shown(), byPointer.last());
        // a frame round the very edge of the surface shows the focus
        const QImage focused = d->wheel()->grab().toImage();
        d->field("txtrgb1")->setFocus();
        const QImage plain = d->wheel()->grab().toImage();
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
        QWindow* window = d->w->windowHandle();
        QWidget* wheel = d->wheel();
        for (const QPoint pixel : {QPoint(200, 62), QPoint(3, 130), QPoint(250, 255)}) {
            for (const QPointF within : {QPointF(0, 0), QPointF(0.5, 0.5), QPointF(0.75, 0.25)}) {
                const QPointF local = QPointF(pixel) + within;
                const QPointF inWindow = wheel->mapTo(d->w.get(), local);
                for (const auto& [target, at] :
                     {std::pair<QObject*, QPointF>(window, inWindow), {wheel, local}}) {
                    d->move(10, 10);
                    QMouseEvent event(QEvent::MouseMove, at, at, wheel->mapToGlobal(local),
                                      Qt::NoButton, Qt::NoButton, Qt::NoModifier);
                    QApplication::sendEvent(target, &event);
                    QCOMPARE(QPointF(d->model().pointerX(), d->model().pointerY()), QPointF(pixel));
                    QCOMPARE(d->text("txtrgb2"), QString::number(rasterAt(pixel)));
                }
            }
        }
    }

    void accessibilityCheckFollowsTheScheme() {
        d->child<QCheckBox>("chkpreview")->setChecked(true);
        d->runMenu("mnuaccess");
        d->runMenu("mnuaccess");
        QCOMPARE(d->w->findChildren<QWidget*>("frmaccess").size(), 1);
        QPointer<QWidget> access = d->child("frmaccess");
        // the scheme's swatches only: a complementary scheme has no third colour to check
        const auto reportShowsTheSwatches = [&](bool third = true) {
            QTest::mouseClick(access->findChild<QWidget*>("cmdcopyreport"), Qt::LeftButton);
            const QString report = platform::clipboardText();
            QCOMPARE(
                report.section('\n', 0, 0),
                QStringLiteral("Accessibility check of the scheme Color 1 %1, Color2 %2")
                        .arg(htmlOf(d->model().swatchColor(1)), htmlOf(d->model().swatchColor(2))) +
                    (third ? ", Color 3 " + htmlOf(d->model().swatchColor(3)) : QString()));
            QCOMPARE(report.contains("Color 3"), third);
        };
        // a tracked move shows at once, in the report and in the simulated preview (whose
        // pictures the check's own tests compare with the preview it is given)
        QWidget* simulated = access->findChild<QWidget*>("picachromatopsia");
        const QImage before = simulated->grab().toImage();
        d->move(200, 60);
        reportShowsTheSwatches();
        QVERIFY(simulated->grab().toImage() != before);
        // closed it is kept (a new window each time would fill the style's cache with pieces
        // drawn under its own palettes); opened again it shows the scheme as it is then
        access->close();
        QTRY_VERIFY(!access->isVisible());
        d->chooseRule(0);
        d->move(150, 90);
        d->runMenu("mnuaccess");
        QCOMPARE(d->child("frmaccess"), access.data());
        QVERIFY(simulated->grab().toImage() != before);
        reportShowsTheSwatches(false);
        d->chooseRule(3);
        reportShowsTheSwatches();
    }

    void previewFollowingAMoveIsRepaintedOnScreen() {
        // grabbing draws afresh; the screen only shows what the surface asks to repaint
        struct PaintCounter : QObject {
            int paints = 0;
            bool eventFilter(QObject*, QEvent* e) override {
                paints += e->type() == QEvent::Paint;
                return false;
            }
        } counter;
        QWidget* preview = d->child("preview");
        d->child<QCheckBox>("chkpreview")->setChecked(true);
        QCoreApplication::processEvents();
        preview->installEventFilter(&counter);
        d->move(200, 60);
        QTRY_VERIFY(counter.paints > 0);
    }

    void oneNotificationPerSchemeChange() {
        QSignalSpy spy(&d->model(), &scheme::SchemeModel::changed);
        d->move(200, 60);
        d->chooseRule(2);
        d->chooseStyle("Links Style");
        d->press(200, 60);
        d->runMenu("mnucwwebsafe");
        d->move(100, 100); // frozen: no change
        QCOMPARE(spy.count(), 5);
        QCOMPARE(spy.last().first().value<scheme::Change>(), scheme::Change::Raster);
    }
};

CHROMALUNE_TEST_MAIN(tst_MainWindow)
#include "MainWindowTest.moc"
