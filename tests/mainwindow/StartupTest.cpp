#include "support/MainWindowDriver.h"
#include "support/QtTestMain.h"

#include "mainwindow/SplashWindow.h"

#include <QElapsedTimer>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>

static bool isCentred(const QWidget& w) {
    const QPoint d = w.frameGeometry().center() - w.screen()->geometry().center();
    return qAbs(d.x()) <= 1 && qAbs(d.y()) <= 1;
}

class tst_Startup : public QObject {
    Q_OBJECT
private slots:
    void cleanup() {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->close();
    }

    void splashAsksForTheMainWindowOnceAfterOneSecond() {
        QElapsedTimer clock;
        clock.start();
        mainwindow::SplashWindow splash;
        QSignalSpy due(&splash, &mainwindow::SplashWindow::mainWindowDue);
        splash.show();
        QVERIFY(QTest::qWaitForWindowExposed(&splash));
        QVERIFY(isCentred(splash));
        QTest::qWait(qMax<qint64>(0, 600 - clock.elapsed()));
        QVERIFY(splash.isVisible());
        QCOMPARE(due.count(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(due.count(), 1, 3000);
        QVERIFY(clock.elapsed() >= 950);
        QVERIFY(!splash.isVisible());
        // the timer has stopped: no second request a second later
        QTest::qWait(1200);
        QCOMPARE(due.count(), 1);
    }

    void aboutIsOneCentredNonModalWindowClosedByOk() {
        MainWindowDriver d;
        d.runMenu("mnuabout");
        d.runMenu("mnuabout");
        QCOMPARE(d.w->findChildren<QWidget*>("frmabout").size(), 1);
        QPointer<QWidget> about = d.child("frmabout");
        QVERIFY(QTest::qWaitForWindowExposed(about));
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        QVERIFY(isCentred(*about));
        // Return (for the default button OK) closes it, and so does OK; the next one is new
        QTest::keyClick(about, Qt::Key_Return);
        QTRY_VERIFY(about.isNull());
        d.runMenu("mnuabout");
        about = d.child("frmabout");
        QTest::mouseClick(about->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        QTRY_VERIFY(about.isNull());
        QVERIFY(d.w->isVisible());
    }
};

CHROMALUNE_TEST_MAIN(tst_Startup)
#include "StartupTest.moc"
