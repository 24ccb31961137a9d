#include "mainwindow/MainWindow.h"
#include "mainwindow/SplashWindow.h"
#include "palette/CommandLine.h"
#include "platform/Desktop.h"

#include <QApplication>
#include <QIcon>

#include <iostream>
#include <memory>
#include <string>
#include <vector>

int main(int argc, char* argv[]) {
    // an export runs before any application object exists, so it needs no display
    const std::vector<std::string> args(argv + 1, argv + argc);
    for (const std::string& arg : args) {
        if (arg == "--version") {
            std::cout << "chromalune " CHROMALUNE_VERSION "\n";
            return 0;
        }
    }
    if (palette::wantsCommandLine(args))
        return palette::runCommandLine(args, std::cout, std::cerr);
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("ChromaLune"));
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icon/chromalune-%1.png").arg(size), QSize(size, size));
    app.setWindowIcon(icon);
    // Wayland desktops take the icon from the desktop entry this names
    app.setDesktopFileName(QStringLiteral("io.github.moonquill.chromalune"));
    platform::applyDesktopLook(app);
    // the splash asks for the main window after one second; the program owns it from then on
    std::unique_ptr<mainwindow::MainWindow> frmchromalune;
    mainwindow::SplashWindow frmSplash;
    QObject::connect(&frmSplash, &mainwindow::SplashWindow::mainWindowDue, [&frmchromalune] {
        if (!frmchromalune)
            frmchromalune = std::make_unique<mainwindow::MainWindow>();
        frmchromalune->show();
    });
    frmSplash.show();
    return app.exec();
}
