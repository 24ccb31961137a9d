#include "MainWindow.h"

void MainWindow::mnuconvert_click() {}
