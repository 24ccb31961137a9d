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

QPoint screenCentre(const QWidget& w) {
    return w.screen()->geometry().center();
}

bool isCentred(const QWidget& w) {
    const QPoint d = w.frameGeometry().center() - screenCentre(w);
    return qAbs(d.x()) <= 1 && qAbs(d.y()) <= 1;
}

bool fitsOneLine(const QLabel* label) {
    const QFontMetrics fm(label->font());
    return fm.horizontalAdvance(label->text()) <= label->width() && fm.height() <= label->height();
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
        QCOMPARE(splash.Picture1->geometry(), QRect(0, 16, 255, 256));
        QCOMPARE(splash.Label1->geometry(), QRect(256, 104, 385, 57));
        QCOMPARE(splash.Label2->geometry(), QRect(368, 168, 185, 57));
        QCOMPARE(splash.Label1->text(), QStringLiteral("Free Chromalune V1.2"));
        QVERIFY(!splash.Label2->text().isEmpty());
        for (const QLabel* label : {splash.Label1, splash.Label2}) {
            QVERIFY(label->font().bold());
            QVERIFY2(fitsOneLine(label), qPrintable(label->text()));
        }
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
        const QColor rim = shot.pixelColor(127 + 120, 16 + 129);
        QVERIFY(rim.saturation() > 200);
        const QImage bare = splashWheelPicture();
        int lineGrey = 0;
        for (int y = 0; y < bare.height(); ++y)
            for (int x = 0; x < bare.width(); ++x)
                lineGrey += bare.pixelColor(x, y) == QColor(64, 64, 64) ? 1 : 0;
        QVERIFY(lineGrey > 100);
        // the caption is painted in red, the publisher in orange
        auto countColour = [&shot](const QRect& r, const QColor& c) {
            int n = 0;
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x)
                    n += shot.pixelColor(x, y) == c ? 1 : 0;
            return n;
        };
        QVERIFY(countColour(splash.Label1->geometry(), QColor(255, 0, 0)) > 300);
        QVERIFY(countColour(splash.Label2->geometry(), QColor(255, 128, 0)) > 100);
    }

    void splashOpensTheMainWindowAfterOneSecond() {
        QElapsedTimer clock;
        clock.start();
        SplashWindow splash;
        splash.show();
        QVERIFY(QTest::qWaitForWindowExposed(&splash));
        QCOMPARE(splash.Timer1->interval(), 1000);
        QTest::qWait(qMax<qint64>(0, 600 - clock.elapsed()));
        QVERIFY(splash.isVisible());
        QCOMPARE(visibleWindowsNamed(QStringLiteral("frmchromalune")), 0);

        QTRY_VERIFY_WITH_TIMEOUT(splash.mainWindow() != nullptr && splash.mainWindow()->isVisible(),
                                 3000);
        QVERIFY(clock.elapsed() >= 950);
        QVERIFY(!splash.isVisible());
        QVERIFY(!splash.Timer1->isActive());
        QCOMPARE(splash.mainWindow()->objectName(), QStringLiteral("frmchromalune"));
        // the timer has stopped: no second main window a second later
        QTest::qWait(1200);
        QCOMPARE(visibleWindowsNamed(QStringLiteral("frmchromalune")), 1);
    }

    void aboutTwiceGivesOneWindow() {
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.mnuabout_click();
        QPointer<QWidget> first = w.frmabout;
        QVERIFY(first && first->isVisible());
        w.mnuabout_click();
        QCOMPARE(w.frmabout.data(), first.data());
        QCOMPARE(visibleWindowsNamed(QStringLiteral("frmabout")), 1);
        // non-modal: the main window still takes input
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }

    void aboutShowsPictureDedicationAndOk() {
        MainWindow w;
        w.show();
        w.mnuabout_click();
        auto* about = qobject_cast<AboutWindow*>(w.frmabout.data());
        QVERIFY(about != nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(about));
        QCOMPARE(about->windowTitle(), QStringLiteral("About"));
        QCOMPARE(about->size(), QSize(751, 446));
        QVERIFY(!about->windowIcon().isNull());
        QVERIFY(isCentred(*about));
        QCOMPARE(about->Image1->geometry(), QRect(32, 32, 476, 392));
        QCOMPARE(about->Image1->pixmap().size(), QSize(1000, 750));
        QCOMPARE(about->Label1->geometry(), QRect(528, 144, 209, 73));
        QVERIFY(fitsOneLine(about->Label1));
        QCOMPARE(about->Command1->text(), QStringLiteral("&OK"));
        QCOMPARE(about->Command1->geometry(), QRect(608, 376, 89, 25));
        QVERIFY(about->Command1->isDefault());

        const QImage shot = about->grab().toImage();
        QCOMPARE(shot.pixelColor(10, 10), QColor(196, 221, 249));
        QCOMPARE(shot.pixelColor(740, 430), QColor(196, 221, 249));
        // the picture fills its frame: its dark night sky reaches both top corners
        for (const QPoint p : {QPoint(34, 34), QPoint(505, 34)})
            QVERIFY(shot.pixelColor(p).lightness() < 80);
        QVERIFY(shot.pixelColor(32 + 476 / 2, 32 + 392 - 3) != QColor(196, 221, 249));
    }

    void okClosesAboutAndTheNextOneIsFreshAndCentred() {
        MainWindow w;
        w.show();
        w.mnuabout_click();
        QPointer<QWidget> first = w.frmabout;
        QVERIFY(QTest::qWaitForWindowExposed(first));
        first->move(3, 5);
        QTest::keyClick(first, Qt::Key_Return);
        QTRY_VERIFY(first.isNull());
        QCOMPARE(visibleWindowsNamed(QStringLiteral("frmabout")), 0);

        w.mnuabout_click();
        QVERIFY(QTest::qWaitForWindowExposed(w.frmabout));
        QVERIFY(isCentred(*w.frmabout));
        auto* about = qobject_cast<AboutWindow*>(w.frmabout.data());
        QTest::mouseClick(about->Command1, Qt::LeftButton);
        QTRY_VERIFY(w.frmabout.isNull());
        QVERIFY(w.isVisible());
    }
};

CHROMALUNE_TEST_MAIN(tst_Startup)
#include "StartupTest.moc"
