#pragma once

#include <QString>

class QWidget;

namespace platform {

/// Opens a local file or a web address with the desktop's default handler. When nothing can
/// open it, a warning owned by parent names the file's full path or the address and says that
/// no program to open it was found, as a desktop shell would. Returns whether it was opened.
bool openWithDesktop(const QString& fileOrAddress, QWidget* parent = nullptr);

/// Puts text on the clipboard as plain text, replacing whatever was there.
void setClipboardText(const QString& text);

/// The clipboard's plain text.
QString clipboardText();

} // namespace platform

class QApplication;
class QColor;

namespace platform {

/// The classic desktop look the window layouts are measured for: the Fusion style, with check
/// boxes and option buttons that take clicks on their whole area, and a small sans-serif font
/// (11 pixels, Arial metrics).
void applyDesktopLook(QApplication& app);

/// Paints the widget's background, and that of the labels, frames and option buttons on it,
/// in one colour.
void setBackColor(QWidget& widget, const QColor& color);

} // namespace platform
