#include "SpinArrows.h"

#include <QToolButton>

namespace html {

SpinArrows::SpinArrows(QWidget* parent) : QWidget(parent) {
    resize(16, 25);
    auto makeArrow = [this](const char* name, Qt::ArrowType arrow, int y, int h) {
        auto* button = new QToolButton(this);
        button->setObjectName(QString::fromLatin1(name));
        button->setArrowType(arrow);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setGeometry(0, y, 16, h);
        return button;
    };
    upButton = makeArrow("up", Qt::UpArrow, 0, 12);
    downButton = makeArrow("down", Qt::DownArrow, 12, 13);
    connect(upButton, &QToolButton::clicked, this, &SpinArrows::upClicked);
    connect(downButton, &QToolButton::clicked, this, &SpinArrows::downClicked);
}

} // namespace html
