#include "WindowHelpers.h"

#include "ColorConversion.h"
#include "core/DesignColors.h"
#include "platform/Desktop.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace ui {

QColor windowBackColor() {
    return toQColor(core::kWindowBackColor);
}

QColor lightBlueColor() {
    return toQColor(core::kLightBlueBackColor);
}

void setUpWindow(QWidget* window, const QString& name, const QString& title, const QSize& size,
                 const QColor& backColor) {
    window->setObjectName(name);
    window->setWindowTitle(title);
    window->setFixedSize(size);
    platform::setBackColor(*window, backColor);
}

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

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, const QPoint& at) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->move(at);
    label->adjustSize();
    return label;
}

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, const QRect& place) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(place); // a label's own alignment: left, centred upright
    return label;
}

QLabel* makeNoSchemeNote(QWidget* parent) {
    auto* note = new QLabel(QStringLiteral("No scheme yet: pick a color on the wheel."), parent);
    note->setObjectName(QStringLiteral("lblnoscheme"));
    note->setAlignment(Qt::AlignCenter);
    note->setWordWrap(true);
    return note;
}

QLineEdit* makeField(QWidget* parent, const QString& name, const QRect& place) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setGeometry(place);
    field->setTextMargins(0, 0, 0, 0);
    return field;
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption,
                        const QRect& place) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(place);
    // the reader would announce the mark of the access key as part of the name
    if (caption.contains(QLatin1Char('&')))
        button->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
    return button;
}

void setLightBlue(QPushButton* button) {
    QPalette pal = button->palette();
    pal.setColor(QPalette::Button, lightBlueColor());
    button->setPalette(pal);
}

QComboBox* makeComboBox(QWidget* parent, const QString& name, const QString& spokenName,
                        const QRect& place) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setAccessibleName(spokenName);
    combo->lineEdit()->setAccessibleName(spokenName);
    // the completer matches regardless of case and would replace what was typed
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    combo->setGeometry(place);
    return combo;
}

QPushButton* makeCopyButton(QWidget* parent, const QRect& place) {
    QPushButton* button = makeButton(parent, QStringLiteral("cmdclipboard"),
                                     QStringLiteral("&Copy to Clipboard"), place);
    button->setIcon(parent->style()->standardIcon(QStyle::SP_FileIcon));
    setLightBlue(button);
    return button;
}

} // namespace ui
