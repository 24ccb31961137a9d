#include "MainWindow.h"

#include "Swatch.h"
#include "preview/PreviewSurface.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>

void MainWindow::setupPreview() {
    chkpreview = new QCheckBox(QStringLiteral("Follow-Preview"), this);
    chkpreview->setObjectName(QStringLiteral("chkpreview"));
    chkpreview->setGeometry(280, 72, 105, 17);

    cmbpreview = new QComboBox(this);
    cmbpreview->setObjectName(QStringLiteral("cmbpreview"));
    cmbpreview->setEditable(true);
    cmbpreview->setGeometry(416, 72, 113, 21);
    cmbpreview->addItems({QStringLiteral("Logos Style"), QStringLiteral("Webpage Style"),
                          QStringLiteral("Table Style"), QStringLiteral("Links Style"),
                          QStringLiteral("Links2 Style"), QStringLiteral("Scrollbar Style")});
    cmbpreview->setCurrentIndex(0);

    preview = new preview::PreviewSurface(this);
    preview->move(280, 96);

    auto makeButton = [this](const char* name, const char* caption, int x, int w) {
        auto* button = new QPushButton(QString::fromLatin1(caption), this);
        button->setObjectName(QString::fromLatin1(name));
        button->setGeometry(x, 64, w, 25);
        QPalette pal = button->palette();
        pal.setColor(QPalette::Button, QColor(196, 221, 249));
        button->setPalette(pal);
        button->hide();
        return button;
    };
    cmdgenlinkshtml = makeButton("cmdgenlinkshtml", "Generate Webpage HTML", 584, 153);
    cmdgenlinks2html = makeButton("cmdgenlinks2html", "Generate Webpage HTML", 584, 153);
    gentablehtml = makeButton("gentablehtml", "Generate Table HTML", 592, 153);
    cmdgensbhtml = makeButton("cmdgensbhtml", "Generate Scrollbar HTML", 576, 145);
}

void MainWindow::show_preview() {}

void MainWindow::cmbpreview_Click() {}

void MainWindow::load_pixel_lists(const QString&, const QString&, const QString&) {}

void MainWindow::Command3_Click() {}

void MainWindow::Command2_Click() {}
