#pragma once

#include "core/ColorCodes.h"

#include <QLabel>
#include <QPointer>
#include <QWidget>

#include <array>

class QColorDialog;
class QPushButton;

namespace tools {

/// One cell of the web-safe map: a 17 x 17 label of one colour that reports pointer moves
/// and clicks; a bordered cell gets a one-pixel frame that stands out from its colour.
class ColorCell : public QLabel {
    Q_OBJECT
public:
    ColorCell(int index, QWidget* parent);

    int index() const { return m_index; }
    core::Color color() const { return m_color; }
    void setColor(core::Color value);
    bool bordered() const { return m_bordered; }
    void setBordered(bool on);

signals:
    void pointerMoved(int index);
    void clicked(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int m_index;
    core::Color m_color = 0;
    bool m_bordered = false;
    bool m_pressed = false;
};

/// The window safecolormap ("Choose Color"): the 216 web-safe colours as a grid of cells.
/// Pointing previews a colour until the first click fixes the selection; "OK" or
/// "More Colors" hand a code over through PickedColorCode. Every close clears PickerOpen.
class SafeColorMap : public QWidget {
    Q_OBJECT
public:
    explicit SafeColorMap(QWidget* parent = nullptr);
    ~SafeColorMap() override;

signals:
    /// The window has closed; picked is true when it closed through "OK" or "More Colors",
    /// that is when PickedColorCode holds a fresh code.
    void closed(bool picked);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void tcol_MouseMove(int Index);
    void tcol_Click(int Index);
    void cmdok_Click();
    void cmdmore_Click();

    /// The colour lblselcolor shows, as a 24-bit value.
    core::Color selectedColor() const;

    void Form_Load();
    void Form_QueryUnload();
    void showSelection(int Index);
    void handOver(const QString& code);
    /// Disables or enables the map's own controls while the colour dialog is open.
    void blockMap(bool blocked);

    std::array<ColorCell*, 216> tcol{};
    QLabel* lblselcolor = nullptr;
    QLabel* lblselcode = nullptr;
    QPushButton* cmdmore = nullptr;
    QPushButton* cmdok = nullptr;
    /// The desktop's colour dialog, created when "More Colors" is first pressed.
    QPointer<QColorDialog> colordialog;
    /// True from the first click on a cell until the window closes.
    bool cellclicked = false;
    bool m_picked = false;
    bool m_closed = false;
};

} // namespace tools
