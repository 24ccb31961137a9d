#pragma once

#include <QAccessible>
#include <QRect>
#include <QString>

class QWidget;

namespace ui {

/// A widget that paints a row or grid of colour cells itself, where child widgets for some
/// hundreds of cells would cost more than the painting. A widget that also derives from this
/// is seen by a screen reader as a list whose items are the cells: each named, focusable and
/// pressable like a button.
class CellList {
public:
    CellList();
    virtual ~CellList() = default;
    CellList(const CellList&) = delete;
    CellList& operator=(const CellList&) = delete;

    virtual int cellCount() const = 0;
    /// The cell's area in the widget's coordinates.
    virtual QRect cellArea(int index) const = 0;
    /// The cell at pos in the widget's coordinates; -1 where there is none.
    virtual int cellAtPoint(const QPoint& pos) const = 0;
    /// What a reader announces for the cell, and what it says on request.
    virtual QString cellName(int index) const = 0;
    virtual QString cellDescription(int /*index*/) const { return {}; }
    /// The cell the keyboard acts on.
    virtual int currentCell() const = 0;
    virtual bool isCellSelected(int /*index*/) const { return false; }
    /// A reader's press on the cell: it becomes the current cell and acts as if clicked.
    virtual void pressCell(int index) = 0;
    /// A reader's focus on the cell: it becomes the current cell.
    virtual void focusCell(int index) = 0;
};

/// Tells a screen reader that the cell index of list (a widget that is a CellList) has the
/// event: Focus, Selection, DescriptionChanged...
void announceCell(QWidget* list, int index, QAccessible::Event event);

} // namespace ui
