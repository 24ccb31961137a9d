#include "ColorGrid.h"

#include "ui/ColorConversion.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace tools {

namespace {

/// A one-pixel box along the inside of area, drawn as whole-pixel rectangles, which stay
/// solid blocks at any display scale where an outline would shift by half a pixel.
void drawPlainBox(QPainter& painter, const QRect& area, const QColor& color) {
    painter.fillRect(area.x(), area.y(), area.width(), 1, color);
    painter.fillRect(area.x(), area.bottom(), area.width(), 1, color);
    painter.fillRect(area.x(), area.y(), 1, area.height(), color);
    painter.fillRect(area.right(), area.y(), 1, area.height(), color);
}

/// A line that stands out from the fill: black vanishes on the darkest cells, so white there.
QColor contrastTo(const QColor& fill) {
    const int luma = (299 * fill.red() + 587 * fill.green() + 114 * fill.blue()) / 1000;
    return luma < 96 ? Qt::white : Qt::black;
}

QString cellCode(int index) {
    return QString::fromStdString(core::htmlCode(ColorGrid::cellColor(index)));
}

} // namespace

ColorGrid::ColorGrid(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tcol"));
    setAccessibleName(QStringLiteral("Web-safe colors"));
    resize(kColumns * kCellSize, (kCellCount + kColumns - 1) / kColumns * kCellSize);
    setMouseTracking(true);
    // reached by Tab only: a click picks a cell and leaves the focus where it was
    setFocusPolicy(Qt::TabFocus);
}

core::Color ColorGrid::cellColor(int index) {
    return core::rgbValue(51 * (index / 36), 51 * (index / 6 % 6), 51 * (index % 6));
}

QRect ColorGrid::cellRect(int index) {
    return QRect(index % kColumns * kCellSize, index / kColumns * kCellSize, kCellSize, kCellSize);
}

int ColorGrid::cellAt(const QPoint& pos) {
    if (pos.x() < 0 || pos.y() < 0 || pos.x() >= kColumns * kCellSize)
        return -1;
    const int index = pos.y() / kCellSize * kColumns + pos.x() / kCellSize;
    return index < kCellCount ? index : -1;
}

void ColorGrid::setPickedCell(int index) {
    if (index == m_picked)
        return;
    if (m_picked >= 0)
        update(cellRect(m_picked));
    m_picked = index;
    if (index >= 0) {
        update(cellRect(index));
        ui::announceCell(this, index, QAccessible::Selection);
    }
}

void ColorGrid::setFocusCell(int index) {
    if (index < 0 || index >= kCellCount || index == m_focus)
        return;
    update(cellRect(m_focus));
    m_focus = index;
    update(cellRect(index));
    if (hasFocus())
        ui::announceCell(this, index, QAccessible::Focus);
    emit focusCellMoved(index);
}

QString ColorGrid::cellName(int index) const {
    return cellCode(index);
}

void ColorGrid::pressCell(int index) {
    setFocusCell(index);
    emit cellClicked(index);
}

void ColorGrid::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    for (int i = 0; i < kCellCount; ++i) {
        const QRect cell = cellRect(i);
        if (!event->rect().intersects(cell))
            continue;
        const QColor fill = ui::toQColor(cellColor(i));
        painter.fillRect(cell, fill);
        if (i == m_picked)
            drawPlainBox(painter, cell, contrastTo(fill));
        // the focus is a square inside the cell, clear of the picked cell's border
        if (i == m_focus && hasFocus()) {
            drawPlainBox(painter, cell.adjusted(3, 3, -3, -3), contrastTo(fill));
            drawPlainBox(painter, cell.adjusted(4, 4, -4, -4), contrastTo(fill));
        }
    }
}

void ColorGrid::mouseMoveEvent(QMouseEvent* event) {
    // a held button keeps reporting the cell it went down on, as a pressed control does
    const int cell = m_pressed >= 0 ? m_pressed : cellAt(event->position().toPoint());
    if (cell >= 0)
        emit cellHovered(cell);
}

void ColorGrid::mousePressEvent(QMouseEvent* event) {
    m_pressed = event->button() == Qt::LeftButton ? cellAt(event->position().toPoint()) : -1;
}

void ColorGrid::mouseReleaseEvent(QMouseEvent* event) {
    const int pressed = m_pressed;
    m_pressed = -1;
    if (event->button() != Qt::LeftButton || pressed < 0 ||
        cellAt(event->position().toPoint()) != pressed)
        return;
    setFocusCell(pressed);
    emit cellClicked(pressed);
}

void ColorGrid::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (mods != Qt::NoModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Left:
        setFocusCell(m_focus - 1);
        break;
    case Qt::Key_Right:
        setFocusCell(m_focus + 1);
        break;
    case Qt::Key_Up:
        setFocusCell(m_focus - kColumns);
        break;
    case Qt::Key_Down:
        setFocusCell(m_focus + kColumns);
        break;
    case Qt::Key_Home:
        setFocusCell(0);
        break;
    case Qt::Key_End:
        setFocusCell(kCellCount - 1);
        break;
    case Qt::Key_Space:
        emit cellClicked(m_focus);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit cellActivated(m_focus);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void ColorGrid::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update(cellRect(m_focus));
    ui::announceCell(this, m_focus, QAccessible::Focus);
    emit focusCellMoved(m_focus);
}

void ColorGrid::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update(cellRect(m_focus));
}

} // namespace tools
