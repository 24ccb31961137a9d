#include "AboutWindow.h"

#include "core/DesignColors.h"
#include "ui/ColorConversion.h"
#include "ui/WindowHelpers.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace mainwindow {

AboutWindow::AboutWindow(QWidget* parent) : QWidget(parent, Qt::Dialog) {
    setObjectName(QStringLiteral("frmabout"));
    setWindowTitle(QStringLiteral("About"));
    setWindowIcon(QIcon(QStringLiteral(":/app/about_icon.png")));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(751, 446);
    const QColor backColor = ui::toQColor(core::kLightBlueBackColor);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, backColor);
    pal.setColor(QPalette::Button, backColor);
    setPalette(pal);
    setAutoFillBackground(true);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(32, 32, 476, 392);
    Image1->setScaledContents(true);
    Image1->setPixmap(QPixmap(QStringLiteral(":/app/about.png")));

    Label1 = new QLabel(QStringLiteral("For all who love colour."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(528, 144, 209, 73);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setWordWrap(true);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(16);
    Label1->setFont(font);

    Command1 = new QPushButton(QStringLiteral("&OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(608, 376, 89, 25);
    Command1->setAccessibleName(QStringLiteral("OK"));
    Command1->setDefault(true);
    Command1->setAutoDefault(true);
    Command1->setFocus();
    connect(Command1, &QPushButton::clicked, this, &AboutWindow::Command1_Click);
}

void AboutWindow::Command1_Click() {
    close();
}

void AboutWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Form_Load: placed afresh each time the window is built
    if (!event->spontaneous())
        ui::centreOnScreen(this);
}

void AboutWindow::keyPressEvent(QKeyEvent* event) {
    // a plain window has no dialog's default button, so Enter is routed to OK here
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Command1->click();
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace mainwindow
