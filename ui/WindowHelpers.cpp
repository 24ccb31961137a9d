#include "WindowHelpers.h"

#include "ColorConversion.h"
#include "core/DesignColors.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace ui {

void bringToFront(QWidget* window) {
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

void centreOnScreen(QWidget* window) {
    QScreen* screen =
        window->screen() != nullptr ? window->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    const QRect area = screen->geometry();
    const QSize frame = window->frameGeometry().size();
    // halves with the remainder dropped, as a window placed by whole pixels must be
    window->move(area.x() + (area.width() - frame.width()) / 2,
                 area.y() + (area.height() - frame.height()) / 2);
}

QPushButton* makeCopyButton(QWidget* parent, const QRect& place) {
    auto* button = new QPushButton(QStringLiteral("&Copy to Clipboard"), parent);
    button->setObjectName(QStringLiteral("cmdclipboard"));
    button->setGeometry(place);
    button->setAccessibleName(QStringLiteral("Copy to Clipboard"));
    button->setIcon(parent->style()->standardIcon(QStyle::SP_FileIcon));
    QPalette pal = button->palette();
    pal.setColor(QPalette::Button, toQColor(core::kLightBlueBackColor));
    button->setPalette(pal);
    return button;
}

} // namespace ui
