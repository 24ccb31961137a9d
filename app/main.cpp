#include "mainwindow/SplashWindow.h"
#include "platform/Desktop.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("ChromaLune"));
    platform::applyDesktopLook(app);
    // the splash opens the main window after one second and owns it from then on
    SplashWindow frmSplash;
    frmSplash.show();
    return app.exec();
}
