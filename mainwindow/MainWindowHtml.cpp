#include "MainWindow.h"

#include "ClickLineEdit.h"
#include "html/HtmlOutputWindow.h"
#include "html/HtmlTexts.h"
#include "html/TableInsertWindow.h"
#include "ui/WindowHelpers.h"

#include <QPushButton>

namespace mainwindow {

using html::HtmlOutputWindow;
using html::TableInsertWindow;

void MainWindow::setupHtml() {
    connect(cmdgenlinkshtml, &QPushButton::clicked, this, &MainWindow::cmdgenlinkshtml_Click);
    connect(cmdgenlinks2html, &QPushButton::clicked, this, &MainWindow::cmdgenlinks2html_Click);
    connect(cmdgensbhtml, &QPushButton::clicked, this, &MainWindow::cmdgensbhtml_Click);
    connect(gentablehtml, &QPushButton::clicked, this, &MainWindow::gentablehtml_Click);
}

QString MainWindow::htmlCode(int k) const {
    return QString::fromStdString(m_model.texts(k).html);
}

HtmlOutputWindow* MainWindow::openHtmlOutput() {
    if (!frmsbhtml)
        frmsbhtml = new HtmlOutputWindow(this);
    ui::bringToFront(frmsbhtml);
    return frmsbhtml;
}

void MainWindow::cmdgenlinkshtml_Click() {
    HtmlOutputWindow* window = openHtmlOutput();
    window->setText(html::linksPageHtml(htmlCode(1), htmlCode(2), htmlCode(3)));
    window->setWindowTitle(QStringLiteral("Webpage HTML"));
}

void MainWindow::cmdgenlinks2html_Click() {
    HtmlOutputWindow* window = openHtmlOutput();
    window->setText(html::links2PageHtml(htmlCode(1), htmlCode(2), htmlCode(3)));
    window->setWindowTitle(QStringLiteral("Webpage HTML"));
}

void MainWindow::cmdgensbhtml_Click() {
    HtmlOutputWindow* window = openHtmlOutput();
    window->setText(html::scrollbarStyleHtml(htmlCode(1), htmlCode(2), htmlCode(3)));
    window->setWindowTitle(QStringLiteral("Scrollbar HTML"));
}

void MainWindow::gentablehtml_Click() {
    if (!tableins)
        tableins = new TableInsertWindow(this, [this](int k) { return htmlCode(k); });
    ui::bringToFront(tableins);
}

} // namespace mainwindow
