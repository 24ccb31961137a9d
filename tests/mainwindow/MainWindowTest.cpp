#include "support/QtTestMain.h"

#include "mainwindow/MainWindow.h"

class tst_MainWindow : public QObject {
    Q_OBJECT
private slots:
    void opensWithTitle() {
        MainWindow w;
        QCOMPARE(w.windowTitle(), QStringLiteral("ChromaLune"));
    }
};

CHROMALUNE_TEST_MAIN(tst_MainWindow)
#include "MainWindowTest.moc"
