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

    /// What a screen reader announces for the arrows: caption + " up" and caption + " down".
    void setCaption(const QString& caption);

signals:
    void upClicked();
    void downClicked();

private:
    QToolButton* m_upButton = nullptr;
    QToolButton* m_downButton = nullptr;
};

} // namespace html
