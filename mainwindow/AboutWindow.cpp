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

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setGeometry(32, 32, 476, 392);
    picture->setScaledContents(true);
    picture->setPixmap(QPixmap(QStringLiteral(":/app/about.png")));

    auto* dedication = new QLabel(QStringLiteral("For all who love colour."), this);
    dedication->setObjectName(QStringLiteral("Label1"));
    dedication->setGeometry(528, 144, 209, 73);
    dedication->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    dedication->setWordWrap(true);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(16);
    dedication->setFont(font);

    m_okButton = new QPushButton(QStringLiteral("&OK"), this);
    m_okButton->setObjectName(QStringLiteral("Command1"));
    m_okButton->setGeometry(608, 376, 89, 25);
    m_okButton->setAccessibleName(QStringLiteral("OK"));
    m_okButton->setDefault(true);
    m_okButton->setAutoDefault(true);
    m_okButton->setFocus();
    connect(m_okButton, &QPushButton::clicked, this, &QWidget::close);
}

void AboutWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // placed afresh each time the window is built
    if (!event->spontaneous())
        ui::centreOnScreen(this);
}

void AboutWindow::keyPressEvent(QKeyEvent* event) {
    // a plain window has no dialog's default button, so Enter is routed to OK here
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        m_okButton->click();
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace mainwindow
