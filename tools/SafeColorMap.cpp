#include "SafeColorMap.h"

#include "PickerHandOff.h"
#include "core/DesignColors.h"
#include "platform/Desktop.h"
#include "core/SystemColors.h"
#include "ui/ColorConversion.h"

#include <QCloseEvent>
#include <QColorDialog>
#include <QFont>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

namespace tools {

namespace {

using ui::toQColor;

const QColor kMapBackground = toQColor(core::kWindowBackColor);
constexpr int kClientWidth = 315;
constexpr int kClientHeight = 429;
constexpr int kCellCount = 216;
constexpr int kColumns = 10;

QString htmlCode(core::Color value) {
    return QString::fromStdString(core::htmlCode(value));
}

/// A one-pixel box along the inside of area, drawn as whole-pixel rectangles, which stay
/// solid blocks at any display scale where an outline would shift by half a pixel.
void drawPlainBox(QPainter& painter, const QRect& area, const QColor& color) {
    painter.fillRect(area.x(), area.y(), area.width(), 1, color);
    painter.fillRect(area.x(), area.bottom(), area.width(), 1, color);
    painter.fillRect(area.x(), area.y(), 1, area.height(), color);
    painter.fillRect(area.right(), area.y(), 1, area.height(), color);
}

/// The selected colour's swatch: its palette's window colour inside a one-pixel box.
class SelectedColorSwatch : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::Window));
        drawPlainBox(painter, rect(), palette().color(QPalette::WindowText));
    }
};

} // namespace

ColorCell::ColorCell(int index, QWidget* parent) : QLabel(parent), m_index(index) {
    setObjectName(QStringLiteral("tcol[%1]").arg(index));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void ColorCell::setColor(core::Color value) {
    m_color = value;
    setAccessibleName(htmlCode(value));
    update();
}

void ColorCell::setBordered(bool on) {
    if (on == m_bordered)
        return;
    m_bordered = on;
    update();
}

void ColorCell::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor fill = toQColor(m_color);
    painter.fillRect(rect(), fill);
    if (m_bordered) {
        // a black line vanishes on the darkest cells, so those are framed in white
        const int luma = (299 * fill.red() + 587 * fill.green() + 114 * fill.blue()) / 1000;
        drawPlainBox(painter, rect(), luma < 96 ? Qt::white : Qt::black);
    }
}

void ColorCell::mouseMoveEvent(QMouseEvent* event) {
    emit pointerMoved(m_index);
    event->accept();
}

void ColorCell::mousePressEvent(QMouseEvent* event) {
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void ColorCell::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (click)
        emit clicked(m_index);
}

SafeColorMap::SafeColorMap(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("safecolormap"));
    setWindowTitle(QStringLiteral("Choose Color"));
    setFixedSize(kClientWidth, kClientHeight);
    platform::setBackColor(*this, kMapBackground);

    auto* title = new QLabel(QStringLiteral("Safe Color Map"), this);
    title->setObjectName(QStringLiteral("lbltitle"));
    QFont titleFont(QStringLiteral("Arial"));
    titleFont.setStyleHint(QFont::SansSerif);
    titleFont.setPointSize(10);
    title->setFont(titleFont);
    title->move(72, 8);

    auto* selected = new QLabel(QStringLiteral("Selected Color:"), this);
    selected->setObjectName(QStringLiteral("lblselected"));
    selected->move(216, 72);

    lblselcolor = new SelectedColorSwatch(this);
    lblselcolor->setObjectName(QStringLiteral("lblselcolor"));
    lblselcolor->setGeometry(224, 96, 41, 25);
    lblselcolor->setAccessibleName(QStringLiteral("Selected color swatch"));
    QPalette selPal = lblselcolor->palette();
    selPal.setColor(QPalette::Window, toQColor(core::systemColor(core::kSystemButtonFace)));
    selPal.setColor(QPalette::WindowText, Qt::black);
    lblselcolor->setPalette(selPal);

    lblselcode = new QLabel(this);
    lblselcode->setObjectName(QStringLiteral("lblselcode"));
    lblselcode->setGeometry(224, 128, 81, 25);
    lblselcode->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblselcode->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblselcode->setAccessibleName(QStringLiteral("Selected color code"));

    cmdmore = new QPushButton(QStringLiteral("More Colors"), this);
    cmdmore->setObjectName(QStringLiteral("cmdmore"));
    cmdmore->setGeometry(216, 304, 89, 25);
    connect(cmdmore, &QPushButton::clicked, this, &SafeColorMap::cmdmore_Click);

    cmdok = new QPushButton(QStringLiteral("OK"), this);
    cmdok->setObjectName(QStringLiteral("cmdok"));
    cmdok->setGeometry(216, 336, 89, 25);
    connect(cmdok, &QPushButton::clicked, this, &SafeColorMap::cmdok_Click);

    auto* cell0 = new ColorCell(0, this);
    cell0->setGeometry(16, 32, 17, 17);
    tcol[0] = cell0;

    Form_Load();
}

SafeColorMap::~SafeColorMap() {
    // destroyed with its owner without ever closing: the converter must not wait on it
    if (!m_closed)
        PickerOpen = false;
}

void SafeColorMap::Form_Load() {
    if (const QScreen* screen =
            this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
    cellclicked = false;

    ColorCell* cell0 = tcol[0];
    for (int i = 1; i < kCellCount; ++i) {
        auto* cell = new ColorCell(i, this);
        cell->resize(cell0->size());
        cell->setVisible(true);
        tcol[static_cast<size_t>(i)] = cell;
    }
    for (int row = 0; row <= 21; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            const int n = kColumns * row + column;
            if (n < kCellCount)
                tcol[static_cast<size_t>(n)]->move(cell0->x() + column * cell0->width(),
                                                   cell0->y() + row * cell0->height());
        }
    }
    for (int ri = 0; ri <= 5; ++ri)
        for (int gi = 0; gi <= 5; ++gi)
            for (int bi = 0; bi <= 5; ++bi)
                tcol[static_cast<size_t>(36 * ri + 6 * gi + bi)]->setColor(
                    core::rgbValue(51 * ri, 51 * gi, 51 * bi));

    for (ColorCell* cell : tcol) {
        connect(cell, &ColorCell::pointerMoved, this, &SafeColorMap::tcol_MouseMove);
        connect(cell, &ColorCell::clicked, this, &SafeColorMap::tcol_Click);
    }
}

void SafeColorMap::showSelection(int Index) {
    const core::Color color = tcol[static_cast<size_t>(Index)]->color();
    QPalette pal = lblselcolor->palette();
    pal.setColor(QPalette::Window, toQColor(color));
    lblselcolor->setPalette(pal);
    lblselcode->setText(htmlCode(color));
}

void SafeColorMap::tcol_MouseMove(int Index) {
    if (Index < 0 || Index >= kCellCount || cellclicked)
        return;
    showSelection(Index);
}

void SafeColorMap::tcol_Click(int Index) {
    if (Index < 0 || Index >= kCellCount)
        return;
    for (ColorCell* cell : tcol)
        cell->setBordered(false);
    cellclicked = true;
    tcol[static_cast<size_t>(Index)]->setBordered(true);
    showSelection(Index);
}

core::Color SafeColorMap::selectedColor() const {
    const QColor c = lblselcolor->palette().color(QPalette::Window);
    return ui::fromQColor(c);
}

void SafeColorMap::handOver(const QString& code) {
    PickedColorCode = code;
    m_picked = true;
    close();
}

void SafeColorMap::cmdok_Click() {
    handOver(lblselcode->text());
}

void SafeColorMap::cmdmore_Click() {
    if (!colordialog) {
        colordialog = new QColorDialog(this);
        colordialog->setObjectName(QStringLiteral("colordialog"));
        // modal to the map alone: a window-modal dialog would block the map's parent windows
        // as well, the converter and the main window, which stay usable
        colordialog->setWindowModality(Qt::NonModal);
        // a cancelled dialog hands nothing over and leaves the map open
        connect(colordialog, &QColorDialog::colorSelected, this,
                [this](const QColor& chosen) { handOver(htmlCode(ui::fromQColor(chosen))); });
        connect(colordialog, &QDialog::finished, this, [this] { blockMap(false); });
    }
    colordialog->setCurrentColor(toQColor(selectedColor()));
    blockMap(true);
    colordialog->show();
    colordialog->raise();
    colordialog->activateWindow();
}

void SafeColorMap::blockMap(bool blocked) {
    for (QWidget* control : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (!control->isWindow())
            control->setEnabled(!blocked);
}

void SafeColorMap::Form_QueryUnload() {
    PickerOpen = false;
    m_closed = true;
}

void SafeColorMap::closeEvent(QCloseEvent* /*event*/) {
    if (colordialog && colordialog->isVisible())
        colordialog->reject();
    Form_QueryUnload();
    const bool picked = m_picked;
    m_picked = false;
    emit closed(picked);
}

} // namespace tools
