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
    m_upButton = makeArrow("up", Qt::UpArrow, 0, 12);
    m_downButton = makeArrow("down", Qt::DownArrow, 12, 13);
    connect(m_upButton, &QToolButton::clicked, this, &SpinArrows::upClicked);
    connect(m_downButton, &QToolButton::clicked, this, &SpinArrows::downClicked);
}

void SpinArrows::setCaption(const QString& caption) {
    m_upButton->setAccessibleName(caption + QStringLiteral(" up"));
    m_downButton->setAccessibleName(caption + QStringLiteral(" down"));
}

} // namespace html
