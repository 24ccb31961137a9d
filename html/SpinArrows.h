#pragma once

#include <QWidget>

class QToolButton;

namespace html {

/// A spin control without a value of its own: an up and a down arrow button stacked beside a
/// field; the owner decides what each arrow does to the field's text.
class SpinArrows : public QWidget {
    Q_OBJECT
public:
    explicit SpinArrows(QWidget* parent = nullptr);

    QToolButton* upButton = nullptr;
    QToolButton* downButton = nullptr;

signals:
    void upClicked();
    void downClicked();
};

} // namespace html
