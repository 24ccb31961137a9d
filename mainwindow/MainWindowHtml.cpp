#include "MainWindow.h"

void MainWindow::setupHtml() {}

void MainWindow::cmdgenlinkshtml_Click() {}

void MainWindow::cmdgenlinks2html_Click() {}

void MainWindow::cmdgensbhtml_Click() {}

void MainWindow::gentablehtml_Click() {}
