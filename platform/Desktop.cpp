#include "Desktop.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QUrl>

namespace platform {

bool DwmEnableComposition(int /*action*/) {
    return true;
}

void InitCommonControls() {}

bool ShellExecuteOpen(const QString& fileOrAddress) {
    const QUrl url = fileOrAddress.contains(QLatin1String("://"))
                         ? QUrl(fileOrAddress)
                         : QUrl::fromLocalFile(QFileInfo(fileOrAddress).absoluteFilePath());
    return QDesktopServices::openUrl(url);
}

void setClipboardText(const QString& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
}

QString clipboardText() {
    return QGuiApplication::clipboard()->text();
}

} // namespace platform

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <QStyleFactory>
#include <QWidget>

namespace platform {

void setBackColor(QWidget& widget, const QColor& colour) {
    QPalette pal = widget.palette();
    pal.setColor(QPalette::Window, colour);
    widget.setPalette(pal);
    widget.setAutoFillBackground(true);
}

void applyDesktopLook(QApplication& app) {
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    app.setFont(font);
}

} // namespace platform
