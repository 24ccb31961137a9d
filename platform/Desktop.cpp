#include "Desktop.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QUrl>

namespace platform {

bool openWithDesktop(const QString& fileOrAddress, QWidget* parent) {
    const bool isAddress = fileOrAddress.contains(QLatin1String("://"));
    const QString target =
        isAddress ? fileOrAddress
                  : QDir::toNativeSeparators(QFileInfo(fileOrAddress).absoluteFilePath());
    const QUrl url = isAddress ? QUrl(fileOrAddress) : QUrl::fromLocalFile(target);
    if (QDesktopServices::openUrl(url))
        return true;
    // the toolkit only notes the failure on standard error; the user must hear of it
    QMessageBox::warning(
        parent, QGuiApplication::applicationDisplayName(),
        QStringLiteral("Cannot open \"%1\": no program to open it was found.").arg(target));
    return false;
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
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <QWidget>

namespace {

/// Fusion, except that a check box or an option button takes a click anywhere on its area,
/// as on the classic desktop, not only on its indicator and caption.
class DesktopStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    QRect subElementRect(SubElement element, const QStyleOption* option,
                         const QWidget* widget) const override {
        if (element == SE_CheckBoxClickRect || element == SE_RadioButtonClickRect)
            return option->rect;
        return QProxyStyle::subElementRect(element, option, widget);
    }
};

} // namespace

namespace platform {

void setBackColor(QWidget& widget, const QColor& color) {
    QPalette pal = widget.palette();
    pal.setColor(QPalette::Window, color);
    widget.setPalette(pal);
    widget.setAutoFillBackground(true);
}

void applyDesktopLook(QApplication& app) {
    app.setStyle(new DesktopStyle(QStyleFactory::create(QStringLiteral("Fusion"))));
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    app.setFont(font);
}

} // namespace platform
