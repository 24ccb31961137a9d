#pragma once

#include "core/ColorCodes.h"
#include "ui/CellList.h"

#include <QWidget>

namespace tools {

/// The 216 web-safe colours as one painted grid of 17 x 17 cells, ten to a row, cell n with
/// red 51 x (n / 36), green 51 x (n / 6 mod 6) and blue 51 x (n mod 6). Reports the cell under
/// the pointer and clicks on cells, marks one picked cell with a border, and takes the
/// keyboard: the arrows move a focus cell, Space picks it as a click does, Enter picks it and
/// asks for it to be handed over. A screen reader sees each cell as an item named by its code.
class ColorGrid : public QWidget, public ui::CellList {
    Q_OBJECT
public:
    static constexpr int kCellCount = 216;
    static constexpr int kColumns = 10;
    static constexpr int kCellSize = 17;

    explicit ColorGrid(QWidget* parent = nullptr);

    /// Colour of cell index (0 to 215).
    static core::Color cellColor(int index);
    /// The cell's square in the grid's coordinates.
    static QRect cellRect(int index);
    /// The cell at pos in the grid's coordinates; -1 where there is none.
    static int cellAt(const QPoint& pos);

    /// The bordered cell; -1 when none is.
    int pickedCell() const { return m_picked; }
    void setPickedCell(int index);
    /// The cell the keyboard acts on, marked while the grid has the focus.
    int focusCell() const { return m_focus; }
    void setFocusCell(int index);

    int cellCount() const override { return kCellCount; }
    QRect cellArea(int index) const override { return cellRect(index); }
    int cellAtPoint(const QPoint& pos) const override { return cellAt(pos); }
    /// The cell's code.
    QString cellName(int index) const override;
    int currentCell() const override { return m_focus; }
    bool isCellSelected(int index) const override { return index == m_picked; }
    /// Picks the cell as a click does.
    void pressCell(int index) override;
    void focusCell(int index) override { setFocusCell(index); }

signals:
    /// The pointer is over the cell.
    void cellHovered(int index);
    /// The focus cell has moved to the cell.
    void focusCellMoved(int index);
    /// The cell was clicked, or Space pressed on it.
    void cellClicked(int index);
    /// Enter or Return was pressed on the cell.
    void cellActivated(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int m_picked = -1;
    int m_focus = 0;
    /// The cell a left button went down on, until it comes up.
    int m_pressed = -1;
};

} // namespace tools
