#include "ClickLineEdit.h"

#include <QAction>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QValidator>

#include <algorithm>

namespace mainwindow {

namespace {

/// Takes every control character and line or paragraph separator out of the text, so a
/// field's text is always one line, whatever is pasted into it.
class OneLineValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override {
        const auto breaksLine = [](QChar c) {
            const QChar::Category kind = c.category();
            return kind == QChar::Other_Control || kind == QChar::Separator_Line ||
                   kind == QChar::Separator_Paragraph;
        };
        for (qsizetype i = input.size() - 1; i >= 0; --i) {
            if (breaksLine(input.at(i))) {
                input.remove(i, 1);
                if (i < pos)
                    --pos;
            }
        }
        return Acceptable;
    }
};

} // namespace

ClickLineEdit::ClickLineEdit(QWidget* parent) : QLineEdit(parent) {
    setValidator(new OneLineValidator(this));
}

bool ClickLineEdit::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
        const QList<QAction*> actions = window()->findChildren<QAction*>();
        const bool menuShortcut = std::any_of(actions.begin(), actions.end(), [&](QAction* a) {
            return a->isEnabled() && a->shortcuts().contains(pressed);
        });
        if (menuShortcut) {
            event->ignore();
            return false;
        }
    }
    return QLineEdit::event(event);
}

void ClickLineEdit::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace mainwindow
