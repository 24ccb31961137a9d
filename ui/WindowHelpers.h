#pragma once

#include <QColor>
#include <QString>

class QComboBox;
class QLabel;
class QLineEdit;
class QPoint;
class QPushButton;
class QRect;
class QSize;
class QWidget;

// The set-up every window of the classic look shares: its place, its colours and its labels,
// fields, buttons and lists, each named so that tests and the window titles find it.
namespace ui {

/// A display frame at 60 Hz: windows that follow the scheme refresh no more often than this,
/// since a screen would never show the refreshes in between.
constexpr int kFrameMilliseconds = 16;

/// Back colour of the main window, the HTML windows, the colour map and the accessibility view.
QColor windowBackColor();

/// Light blue of the copy buttons and the back of the converter and the about window.
QColor lightBlueColor();

/// Gives a top-level window its fixed client size, with its object name, caption and
/// back colour (shared by its labels, frames and options).
void setUpWindow(QWidget* window, const QString& name, const QString& title, const QSize& size,
                 const QColor& backColor);

/// Puts a top-level window in front of the others: restored if minimised, shown, raised and
/// given the keyboard focus.
void bringToFront(QWidget* window);

/// Moves a top-level window so that it is centred on its screen.
void centreOnScreen(QWidget* window);

/// A label sized to its text with its top-left corner at at.
QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, const QPoint& at);

/// A label placed at place, its text at the left and centred vertically, as a field's caption.
QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, const QRect& place);

/// The note ("lblnoscheme") a window that shows figures of the scheme shows in their place
/// while there is no scheme yet; a layout places it.
QLabel* makeNoSchemeNote(QWidget* parent);

/// A single-line field at place with no margin around its text.
QLineEdit* makeField(QWidget* parent, const QString& name, const QRect& place);

/// A push button at place; a screen reader announces its caption without the access-key mark.
QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption,
                        const QRect& place);

/// Paints the button's face in the light blue of the design.
void setLightBlue(QPushButton* button);

/// An editable list whose typed text is used exactly as typed: never completed from the list
/// and never added to it. spokenName is what a screen reader announces for it.
QComboBox* makeComboBox(QWidget* parent, const QString& name, const QString& spokenName,
                        const QRect& place);

/// The "&Copy to Clipboard" button of a window that shows a generated text (objectName
/// cmdclipboard): a file icon on the light-blue face, placed at place on parent.
QPushButton* makeCopyButton(QWidget* parent, const QRect& place);

} // namespace ui
