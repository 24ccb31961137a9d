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
    connect(m_linksHtmlButton, &QPushButton::clicked, this, &MainWindow::showLinksPageHtml);
    connect(m_links2HtmlButton, &QPushButton::clicked, this, &MainWindow::showLinks2PageHtml);
    connect(m_scrollbarHtmlButton, &QPushButton::clicked, this, &MainWindow::showScrollbarHtml);
    connect(m_tableHtmlButton, &QPushButton::clicked, this, &MainWindow::showTableInsert);
}

QString MainWindow::htmlCode(int k) const {
    return QString::fromStdString(m_model.texts(k).html);
}

HtmlOutputWindow* MainWindow::openHtmlOutput() {
    if (!m_htmlOutput)
        m_htmlOutput = new HtmlOutputWindow(this);
    ui::bringToFront(m_htmlOutput);
    return m_htmlOutput;
}

void MainWindow::showLinksPageHtml() {
    HtmlOutputWindow* window = openHtmlOutput();
    window->setText(html::linksPageHtml(htmlCode(1), htmlCode(2), htmlCode(3)));
    window->setWindowTitle(QStringLiteral("Webpage HTML"));
}

void MainWindow::showLinks2PageHtml() {
    HtmlOutputWindow* window = openHtmlOutput();
    window->setText(html::links2PageHtml(htmlCode(1), htmlCode(2), htmlCode(3)));
    window->setWindowTitle(QStringLiteral("Webpage HTML"));
}

void MainWindow::showScrollbarHtml() {
    HtmlOutputWindow* window = openHtmlOutput();
    window->setText(html::scrollbarStyleHtml(htmlCode(1), htmlCode(2), htmlCode(3)));
    window->setWindowTitle(QStringLiteral("Scrollbar HTML"));
}

void MainWindow::showTableInsert() {
    if (!m_tableInsert)
        m_tableInsert = new TableInsertWindow(m_model, this);
    ui::bringToFront(m_tableInsert);
}

} // namespace mainwindow
