#pragma once

#include "core/ColorCodes.h"

#include <QPointer>
#include <QWidget>

class QColorDialog;
class QLabel;

namespace tools {

class ColorGrid;

/// The window safecolormap ("Choose Color"): the 216 web-safe colours as a grid. Pointing at a
/// cell, or moving the keyboard's focus cell, previews a colour until the first pick fixes the
/// selection; "OK", Enter on the grid or "More Colors" hand a code over and close the window.
class SafeColorMap : public QWidget {
    Q_OBJECT
public:
    explicit SafeColorMap(QWidget* parent = nullptr);

signals:
    /// The window has closed through "OK", Enter on a cell or "More Colors", with this code.
    void colorPicked(const QString& code);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    /// Shows the cell's colour and code while no cell has been picked.
    void previewCell(int index);
    /// Borders the cell and fixes the selection on it.
    void pickCell(int index);
    void paintSwatch(core::Color color);
    void showColor(core::Color color);
    void handOver(const QString& code);
    void chooseMoreColors();
    /// Disables or enables the map's own controls while the colour dialog is open.
    void blockMap(bool blocked);

    ColorGrid* m_grid = nullptr;
    QLabel* m_selectedSwatch = nullptr;
    QLabel* m_selectedCode = nullptr;
    /// The desktop's colour dialog, created when "More Colors" is first pressed.
    QPointer<QColorDialog> m_colorDialog;
    /// The colour the swatch shows.
    core::Color m_shownColor;
    /// True from the first pick of a cell until the window closes.
    bool m_cellPicked = false;
};

} // namespace tools
