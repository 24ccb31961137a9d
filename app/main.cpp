#include "app/CommandLine.h"
#include "core/PrintableText.h"
#include "document/OpenFile.h"
#include "io/FileWriter.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/SplashWindow.h"
#include "platform/Desktop.h"
#include "platform/DisplayStartup.h"

#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <QIcon>

#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

int main(int argc, char* argv[]) {
    // a file-size limit or a pipe whose reader has gone makes a write fail, which the
    // program reports, instead of ending it by a signal
    io::ignoreWriteSignals();
    // an export runs before any application object exists, so it needs no display
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (app::wantsCommandLine(args))
        return app::runCommandLine(args, std::cout, std::cerr);
    // refused before a window opens: a mistyped export would otherwise open the window and
    // leave a script waiting for it
    if (const std::string error = app::windowArgumentsError(args); !error.empty()) {
        std::cerr << error << '\n';
        return 2;
    }
    // a document that cannot be opened is said before any window
    // and what it holds is read once, for the window to show
    const std::optional<std::string> document = app::documentArgument(args);
    const QString documentPath =
        document ? QFile::decodeName(QByteArray::fromStdString(*document)) : QString();
    std::optional<document::OpenedFile> opened;
    if (document) {
        opened = document::openFileNamed(QByteArray::fromStdString(*document));
        if (!opened->scheme && !opened->palette) {
            std::cerr << "chromalune: cannot open " << core::quotedText(*document) << ": "
                      << core::printableText(opened->error.toStdString()) << '\n';
            return 2;
        }
    }
    if (!app::displayNamed(args, [](const char* name) {
            const char* value = std::getenv(name);
            return std::string(value != nullptr ? value : "");
        })) {
        std::cerr << "chromalune: no display to show the window on (DISPLAY and WAYLAND_DISPLAY "
                     "are not set); to export without one, see chromalune --help\n";
        return 1;
    }
    // a display that is named but cannot be opened ends in one line, not the toolkit's abort
    std::optional<platform::DisplayStartupGuard> displayGuard(std::in_place, args);
    QApplication app(argc, argv);
    displayGuard.reset();
    app.setApplicationName(QStringLiteral("ChromaLune"));
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icon/chromalune-%1.png").arg(size), QSize(size, size));
    app.setWindowIcon(icon);
    // Wayland desktops take the icon from the desktop entry this names
    app.setDesktopFileName(QStringLiteral("io.github.moonquill.chromalune"));
    platform::applyDesktopLook(app);
    // the splash asks for the main window after one second; the program owns it from then on
    std::unique_ptr<mainwindow::MainWindow> mainWindow;
    mainwindow::SplashWindow splash;
    QObject::connect(&splash, &mainwindow::SplashWindow::mainWindowDue, [&] {
        if (!mainWindow) {
            mainWindow = std::make_unique<mainwindow::MainWindow>();
            if (opened)
                mainWindow->showOpenedFile(documentPath, *opened, true);
        }
        mainWindow->show();
    });
    splash.show();
    return app.exec();
}
