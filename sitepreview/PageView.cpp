#include "PageView.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace sitepreview {

PageView::PageView(const QString& name, const QString& spokenName, QWidget* parent)
    : QWidget(parent) {
    setObjectName(name);
    setAccessibleName(spokenName);
    setFixedSize(pageSize());
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize PageView::sizeHint() const {
    return pageSize();
}

void PageView::showPage(const RoleColors& colors, const QStringList& descriptions,
                        const std::vector<bool>& failing) {
    if (colors == m_colors && descriptions == m_descriptions && failing == m_failing &&
        !m_picture.isNull())
        return;
    m_colors = colors;
    m_descriptions = descriptions;
    m_failing = failing;
    m_picture = QImage();
    update();
    // the pointer may rest on an element whose figures just changed
    if (m_hovered >= 0)
        emit hovered(m_hovered);
}

void PageView::setSimulation(std::optional<colorscience::Simulation> simulation) {
    if (simulation == m_simulation)
        return;
    m_simulation = simulation;
    m_picture = QImage();
    update();
}

int PageView::elementAt(const QPoint& point) const {
    return elementIndexAt(point);
}

QString PageView::description(int index) const {
    return index >= 0 && index < m_descriptions.size() ? m_descriptions[index] : QString();
}

bool PageView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString text = description(elementAt(help->pos()));
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, this,
                               pageElements()[size_t(elementAt(help->pos()))].rect);
        return true;
    }
    return QWidget::event(event);
}

void PageView::paintEvent(QPaintEvent* /*event*/) {
    const qreal ratio = devicePixelRatioF();
    // painted once a change at the screen's own pixel ratio, so it is crisp at any scale
    if (m_picture.isNull() || m_picture.devicePixelRatio() != ratio)
        m_picture = pagePicture(m_colors, ratio, m_simulation, m_failing);
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), m_picture);
}

void PageView::mouseMoveEvent(QMouseEvent* event) {
    const int index = elementAt(event->position().toPoint());
    if (index != m_hovered) {
        m_hovered = index;
        emit hovered(index);
    }
    QWidget::mouseMoveEvent(event);
}

void PageView::leaveEvent(QEvent* event) {
    m_hovered = -1;
    emit hovered(-1);
    QWidget::leaveEvent(event);
}

} // namespace sitepreview
