#include "SafeColorMap.h"

#include "ColorGrid.h"
#include "core/SystemColors.h"
#include "ui/ColorConversion.h"
#include "ui/WindowHelpers.h"

#include <QCloseEvent>
#include <QColorDialog>
#include <QFont>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace tools {

namespace {

QString htmlCode(core::Color value) {
    return QString::fromStdString(core::htmlCode(value));
}

/// The selected colour's swatch: its palette's window colour inside a one-pixel black box.
class SelectedColorSwatch : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QRect r = rect();
        painter.fillRect(r, palette().color(QPalette::Window));
        // whole-pixel rectangles stay solid blocks at any display scale
        for (const QRect& edge :
             {QRect(r.x(), r.y(), r.width(), 1), QRect(r.x(), r.bottom(), r.width(), 1),
              QRect(r.x(), r.y(), 1, r.height()), QRect(r.right(), r.y(), 1, r.height())})
            painter.fillRect(edge, Qt::black);
    }
};

} // namespace

SafeColorMap::SafeColorMap(QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_shownColor(core::displayedColor(core::systemColor(core::kSystemButtonFace))) {
    ui::setUpWindow(this, QStringLiteral("safecolormap"), QStringLiteral("Choose Color"),
                    QSize(315, 429), ui::windowBackColor());

    QLabel* title = ui::makeLabel(this, QStringLiteral("lbltitle"),
                                  QStringLiteral("Safe Color Map"), QPoint(72, 8));
    QFont titleFont(QStringLiteral("Arial"));
    titleFont.setStyleHint(QFont::SansSerif);
    titleFont.setPointSize(10);
    title->setFont(titleFont);
    title->adjustSize();
    ui::makeLabel(this, QStringLiteral("lblselected"), QStringLiteral("Selected Color:"),
                  QPoint(216, 72));

    m_selectedSwatch = new SelectedColorSwatch(this);
    m_selectedSwatch->setObjectName(QStringLiteral("lblselcolor"));
    m_selectedSwatch->setGeometry(224, 96, 41, 25);
    m_selectedSwatch->setAccessibleName(QStringLiteral("Selected color swatch"));

    m_selectedCode = new QLabel(this);
    m_selectedCode->setObjectName(QStringLiteral("lblselcode"));
    m_selectedCode->setGeometry(224, 128, 81, 25);
    m_selectedCode->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_selectedCode->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_selectedCode->setAccessibleName(QStringLiteral("Selected color code"));

    QPushButton* moreButton = ui::makeButton(
        this, QStringLiteral("cmdmore"), QStringLiteral("More Colors"), QRect(216, 304, 89, 25));
    connect(moreButton, &QPushButton::clicked, this, &SafeColorMap::chooseMoreColors);
    QPushButton* okButton = ui::makeButton(this, QStringLiteral("cmdok"), QStringLiteral("OK"),
                                           QRect(216, 336, 89, 25));
    connect(okButton, &QPushButton::clicked, this, [this] { handOver(m_selectedCode->text()); });

    m_grid = new ColorGrid(this);
    m_grid->move(16, 32);
    // the grid, then the buttons top to bottom; the window opens on "OK", from which one Tab
    // reaches the grid
    setTabOrder(m_grid, moreButton);
    setTabOrder(moreButton, okButton);
    okButton->setFocus();
    connect(m_grid, &ColorGrid::cellHovered, this, &SafeColorMap::previewCell);
    connect(m_grid, &ColorGrid::focusCellMoved, this, &SafeColorMap::previewCell);
    connect(m_grid, &ColorGrid::cellClicked, this, &SafeColorMap::pickCell);
    connect(m_grid, &ColorGrid::cellActivated, this, [this](int index) {
        pickCell(index);
        handOver(m_selectedCode->text());
    });

    paintSwatch(m_shownColor);
    ui::centreOnScreen(this);
}

void SafeColorMap::paintSwatch(core::Color color) {
    m_shownColor = color;
    QPalette pal = m_selectedSwatch->palette();
    pal.setColor(QPalette::Window, ui::toQColor(color));
    m_selectedSwatch->setPalette(pal);
}

void SafeColorMap::showColor(core::Color color) {
    paintSwatch(color);
    m_selectedCode->setText(htmlCode(color));
}

void SafeColorMap::previewCell(int index) {
    if (!m_cellPicked)
        showColor(ColorGrid::cellColor(index));
}

void SafeColorMap::pickCell(int index) {
    m_cellPicked = true;
    m_grid->setPickedCell(index);
    showColor(ColorGrid::cellColor(index));
}

void SafeColorMap::handOver(const QString& code) {
    // the converter takes the code once the map has gone
    if (close())
        emit colorPicked(code);
}

void SafeColorMap::chooseMoreColors() {
    if (!m_colorDialog) {
        m_colorDialog = new QColorDialog(this);
        m_colorDialog->setObjectName(QStringLiteral("colordialog"));
        // modal to the map alone: a window-modal dialog would block the map's parent windows
        // as well, the converter and the main window, which stay usable
        m_colorDialog->setWindowModality(Qt::NonModal);
        // a cancelled dialog hands nothing over and leaves the map open
        connect(m_colorDialog, &QColorDialog::colorSelected, this,
                [this](const QColor& chosen) { handOver(htmlCode(ui::fromQColor(chosen))); });
        connect(m_colorDialog, &QDialog::finished, this, [this] { blockMap(false); });
    }
    m_colorDialog->setCurrentColor(ui::toQColor(m_shownColor));
    blockMap(true);
    ui::bringToFront(m_colorDialog);
}

void SafeColorMap::blockMap(bool blocked) {
    for (QWidget* control : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (!control->isWindow())
            control->setEnabled(!blocked);
}

void SafeColorMap::closeEvent(QCloseEvent* event) {
    if (m_colorDialog && m_colorDialog->isVisible())
        m_colorDialog->reject();
    event->accept();
}

} // namespace tools
