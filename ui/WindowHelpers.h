#pragma once

class QPushButton;
class QRect;
class QWidget;

namespace ui {

/// Puts a top-level window in front of the others: restored if minimised, shown, raised and
/// given the keyboard focus.
void bringToFront(QWidget* window);

/// Moves a top-level window so that it is centred on its screen.
void centreOnScreen(QWidget* window);

/// The "&Copy to Clipboard" button of a window that shows a generated text (objectName
/// cmdclipboard): a file icon on the light-blue face, placed at place on parent.
QPushButton* makeCopyButton(QWidget* parent, const QRect& place);

} // namespace ui
