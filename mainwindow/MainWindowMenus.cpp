#include "MainWindow.h"

#include "MenuBar.h"
#include "platform/Desktop.h"

#include <QApplication>

void MainWindow::setupMenus() {
    SmartMenuXP1 = new MenuBar(this);
    SmartMenuXP1->setObjectName(QStringLiteral("SmartMenuXP1"));
    SmartMenuXP1->setGeometry(0, 0, width(), 22);
}

void MainWindow::mnusavecolors_click() {}
void MainWindow::mnufileexit_click() { close(); }
void MainWindow::mnucwdefault_click() {}
void MainWindow::mnucwwebsafe_click() {}
void MainWindow::mnuhelp_click() {}
void MainWindow::mnuabout_click() {}
void MainWindow::mnud1_click() {}
void MainWindow::mnud2_click() {}

void MainWindow::Form_QueryUnload() {
    platform::DwmEnableComposition(1);
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != this && w->isVisible())
            w->close();
    }
}
