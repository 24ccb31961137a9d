#pragma once

#include <QLineEdit>

/// A text field that reports a click (press and release inside it), as code fields
/// copy themselves on click.
class ClickLineEdit : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};
