#include "support/QtTestMain.h"

#include "mainwindow/AboutWindow.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/SplashWindow.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace {

int visibleWindowsNamed(const QString& name) {
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        n += (w->isVisible() && w->objectName() == name) ? 1 : 0;
    return n;
}

bool isCentred(const QWidget& w) {
    const QPoint d = w.frameGeometry().center() - w.screen()->geometry().center();
    return qAbs(d.x()) <= 1 && qAbs(d.y()) <= 1;
}

int pixelsOf(const QImage& image, const QRect& r, const QColor& c) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += image.pixelColor(x, y) == c ? 1 : 0;
    return n;
}

} // namespace

class tst_Startup : public QObject {
    Q_OBJECT
private slots:
    void cleanup() {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->close();
    }

    void splashShowsNameAndPublisherOverTheWheel() {
        SplashWindow splash;
        splash.show();
        QVERIFY(QTest::qWaitForWindowExposed(&splash));
        splash.Timer1->stop();
        QCOMPARE(splash.objectName(), QStringLiteral("frmSplash"));
        QCOMPARE(splash.size(), QSize(659, 296));
        QVERIFY(isCentred(splash));
        QCOMPARE(splash.Label1->text(), QStringLiteral("Free Chromalune V1.2"));
        QVERIFY(splash.Label1->font().bold() && splash.Label2->font().bold());
        // 27.75 and 18 points at 96 dots per inch
        QCOMPARE(splash.Label1->font().pixelSize(), 37);
        QCOMPARE(splash.Label2->font().pixelSize(), 24);
        QCOMPARE(QFontInfo(splash.Label1->font()).family(), QStringLiteral("Liberation Sans"));

        const QImage shot = splash.grab().toImage();
        QCOMPARE(shot.pixelColor(640, 10), QColor(192, 192, 255));
        QCOMPARE(shot.pixelColor(300, 280), QColor(192, 192, 255));
        // the wheel: white at its centre, saturated at the rim, construction lines over it
        const QColor centre = shot.pixelColor(127, 16 + 129);
        QVERIFY(qMin(centre.red(), qMin(centre.green(), centre.blue())) >= 245);
        QVERIFY(shot.pixelColor(127 + 120, 16 + 129).saturation() > 200);
        QVERIFY(pixelsOf(shot, splash.Picture1->geometry(), QColor(64, 64, 64)) > 100);
        QVERIFY(pixelsOf(shot, splash.Label1->geometry(), QColor(255, 0, 0)) > 300);
        QVERIFY(pixelsOf(shot, splash.Label2->geometry(), QColor(255, 128, 0)) > 100);
    }

    void splashOpensTheMainWindowAfterOneSecond() {
        QElapsedTimer clock;
        clock.start();
        SplashWindow splash;
        splash.show();
        QVERIFY(QTest::qWaitForWindowExposed(&splash));
        QTest::qWait(qMax<qint64>(0, 600 - clock.elapsed()));
        QVERIFY(splash.isVisible());
        QCOMPARE(visibleWindowsNamed(QStringLiteral("frmchromalune")), 0);

        QTRY_VERIFY_WITH_TIMEOUT(splash.mainWindow() && splash.mainWindow()->isVisible(), 3000);
        QVERIFY(clock.elapsed() >= 950);
        QVERIFY(!splash.isVisible());
        QCOMPARE(splash.mainWindow()->objectName(), QStringLiteral("frmchromalune"));
        // the timer has stopped: no second main window a second later
        QTest::qWait(1200);
        QCOMPARE(visibleWindowsNamed(QStringLiteral("frmchromalune")), 1);
    }

    void aboutIsOneCentredWindowWithPictureAndOk() {
        MainWindow w;
        w.show();
        w.mnuabout_click();
        QPointer<AboutWindow> about = qobject_cast<AboutWindow*>(w.frmabout.data());
        QVERIFY(about != nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(about));
        w.mnuabout_click();
        QCOMPARE(w.frmabout.data(), about.data());
        QCOMPARE(visibleWindowsNamed(QStringLiteral("frmabout")), 1);
        // non-modal: the main window still takes input
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        QCOMPARE(about->windowTitle(), QStringLiteral("About"));
        QCOMPARE(about->size(), QSize(751, 446));
        QVERIFY(isCentred(*about));
        QCOMPARE(about->Image1->pixmap().size(), QSize(1000, 750));
        QCOMPARE(about->Command1->text(), QStringLiteral("&OK"));
        QVERIFY(about->Command1->isDefault());

        const QImage shot = about->grab().toImage();
        QCOMPARE(shot.pixelColor(10, 10), QColor(196, 221, 249));
        QCOMPARE(shot.pixelColor(740, 430), QColor(196, 221, 249));
        // the picture fills its 476 x 392 frame: its dark night sky reaches both top corners
        for (const QPoint p : {QPoint(34, 34), QPoint(505, 34)})
            QVERIFY(shot.pixelColor(p).lightness() < 80);
        QVERIFY(shot.pixelColor(32 + 476 / 2, 32 + 392 - 3) != QColor(196, 221, 249));

        // OK (the default button) closes it; the next one is a fresh window, centred again
        about->move(3, 5);
        QTest::keyClick(about, Qt::Key_Return);
        QTRY_VERIFY(about.isNull());
        w.mnuabout_click();
        QVERIFY(QTest::qWaitForWindowExposed(w.frmabout));
        QVERIFY(isCentred(*w.frmabout));
        QTest::mouseClick(qobject_cast<AboutWindow*>(w.frmabout.data())->Command1, Qt::LeftButton);
        QTRY_VERIFY(w.frmabout.isNull());
        QVERIFY(w.isVisible());
    }
};

CHROMALUNE_TEST_MAIN(tst_Startup)
#include "StartupTest.moc"
