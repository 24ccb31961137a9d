#include "mainwindow/MainWindow.h"
#include "platform/Desktop.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("ChromaLune"));
    platform::applyDesktopLook(app);
    MainWindow window;
    window.show();
    return app.exec();
}
