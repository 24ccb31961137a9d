#include "MainWindow.h"

#include "tools/ConvertWindow.h"

void MainWindow::mnuconvert_click() {
    auto* window = qobject_cast<tools::ConvertWindow*>(convert.data());
    if (!window) {
        window = new tools::ConvertWindow(this);
        // closing removes the window, so the next opening starts with empty fields
        window->setAttribute(Qt::WA_DeleteOnClose);
        convert = window;
    }
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}
