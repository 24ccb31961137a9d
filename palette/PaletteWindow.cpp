#include "PaletteWindow.h"

#include "ExportDialog.h"
#include "document/PaletteFile.h"
#include "formats/PaletteRead.h"
#include "platform/Desktop.h"
#include "scheme/SchemeModel.h"
#include "ui/ColorConversion.h"
#include "ui/CopyAsMenu.h"

#include <QAbstractButton>
#include <QAbstractTableModel>
#include <QBoxLayout>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>

#include <array>
#include <cmath>
#include <limits>
#include <optional>

namespace palette {

namespace {

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

QString hexOf(core::ColorRGB c) {
    return text(core::hexText(c));
}

/// The colour of an entry beyond sRGB exactly, which color(display-p3) copies; none inside
/// sRGB, where the 8-bit colour shown is the colour.
std::optional<core::Oklch> wideGamutColor(const core::PaletteColor& entry) {
    if (!entry.color.outOfGamut)
        return std::nullopt;
    return core::toOklch(entry.color.oklab);
}

/// Columns of the colour list.
enum ColorColumn { NameColumn, HexColumn, OklchColumn, CssNameColumn, GroupColumn, ColorColumns };

} // namespace

/// The palette's colours as rows; the CSS name is found when a row is first shown.
class PaletteTable : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setPalette(const core::Palette* palette) {
        beginResetModel();
        m_palette = palette;
        m_cssNames.assign(palette != nullptr ? palette->colors.size() : 0, std::nullopt);
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() || !m_palette ? 0 : int(m_palette->colors.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : ColorColumns;
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        static const std::array<const char*, ColorColumns> kTitles = {"Name", "Hex", "oklch()",
                                                                      "CSS name", "Group"};
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
            section < ColorColumns)
            return QString::fromLatin1(kTitles[size_t(section)]);
        return QAbstractTableModel::headerData(section, orientation, role);
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || !m_palette || index.row() >= rowCount())
            return {};
        const core::PaletteColor& entry = m_palette->colors[size_t(index.row())];
        if (role == Qt::DecorationRole && index.column() == NameColumn)
            return ui::toQColor(entry.rgb);
        if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
            return {};
        switch (index.column()) {
        case NameColumn:
            return text(entry.name);
        case HexColumn:
            return text(core::hexText(entry.rgb));
        case OklchColumn:
            return text(core::oklchText(core::toOklch(entry.color.oklab)));
        case CssNameColumn: {
            std::optional<QString>& name = m_cssNames[size_t(index.row())];
            if (!name)
                name = text(core::namedColorText(entry.rgb));
            return *name;
        }
        default: {
            QStringList notes;
            if (!entry.group.empty())
                notes << text(entry.group);
            if (entry.share >= 0)
                notes << QString::number(entry.share, 'f', 1) + QStringLiteral(" %");
            if (entry.background)
                notes << QStringLiteral("background");
            if (entry.approximate)
                notes << QStringLiteral("approximately");
            return notes.join(QStringLiteral(", "));
        }
        }
    }

private:
    const core::Palette* m_palette = nullptr;
    /// Each row's CSS name once found; most are empty, so none marks one not found yet.
    mutable std::vector<std::optional<QString>> m_cssNames;
};

/// Each checked colour as text (rows) on each as background (columns): ratio and level.
class ContrastMatrix : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setCheck(const colorscience::PaletteCheck* check) {
        beginResetModel();
        m_check = check;
        const size_t n = check != nullptr ? check->colors.size() : 0;
        m_ratio.assign(n * n, 1.0);
        for (size_t p = 0; check != nullptr && p < check->pairs.size(); ++p) {
            const colorscience::PalettePair& pair = check->pairs[p];
            m_ratio[size_t(pair.first) * n + size_t(pair.second)] = pair.ratio;
            m_ratio[size_t(pair.second) * n + size_t(pair.first)] = pair.ratio;
        }
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() || !m_check ? 0 : int(m_check->colors.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override { return rowCount(parent); }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (!m_check || section < 0 || section >= rowCount())
            return {};
        const core::ColorRGB color = m_check->colors[size_t(section)];
        if (role == Qt::DisplayRole)
            return hexOf(color);
        if (role == Qt::DecorationRole)
            return ui::toQColor(color);
        if (role == Qt::ToolTipRole)
            return hexOf(color) + (orientation == Qt::Vertical ? QStringLiteral(" as text")
                                                               : QStringLiteral(" as background"));
        return {};
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || !m_check || index.row() >= rowCount() ||
            index.column() >= rowCount())
            return {};
        const size_t n = m_check->colors.size();
        const double ratio = m_ratio[size_t(index.row()) * n + size_t(index.column())];
        const core::ColorRGB textColor = m_check->colors[size_t(index.row())];
        const core::ColorRGB back = m_check->colors[size_t(index.column())];
        switch (role) {
        case Qt::DisplayRole:
            if (index.row() == index.column())
                return QStringLiteral("\u2014");
            return text(colorscience::ratioText(ratio)) + QLatin1Char(' ') +
                   QLatin1String(colorscience::levelMark(ratio));
        case Qt::ToolTipRole:
            return hexOf(textColor) + QStringLiteral(" on ") + hexOf(back) + QStringLiteral(": ") +
                   text(colorscience::ratioWords(ratio)) + QStringLiteral("; ") +
                   text(colorscience::levelWords(ratio)) + QStringLiteral("; APCA Lc ") +
                   text(colorscience::apcaText(colorscience::apcaContrast(textColor, back)));
        case Qt::ForegroundRole:
            return ui::toQColor(textColor);
        case Qt::BackgroundRole:
            return ui::toQColor(back);
        default:
            return {};
        }
    }

private:
    const colorscience::PaletteCheck* m_check = nullptr;
    std::vector<double> m_ratio;
};

/// The checked pairs, those usable as text first.
class PairTable : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setCheck(const colorscience::PaletteCheck* check) {
        beginResetModel();
        m_check = check;
        endResetModel();
    }

    enum Column { Colors, Contrast, Level, LcFirst, LcSecond, Normal, Seen, Verdict = Seen + 4 };

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() || !m_check ? 0 : int(m_check->pairs.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : Verdict + 1;
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return QAbstractTableModel::headerData(section, orientation, role);
        if (section >= Seen && section < Verdict)
            return QStringLiteral("\u0394E ") +
                   QLatin1String(colorscience::simulationName(
                       static_cast<colorscience::Simulation>(section - Seen)));
        static const std::array<const char*, Seen> kTitles = {
            "Colours", "Contrast", "WCAG", "Lc 1 on 2", "Lc 2 on 1", "\u0394E normal"};
        if (section >= 0 && section < Seen)
            return QString::fromUtf8(kTitles[size_t(section)]);
        return section == Verdict ? QStringLiteral("Colour vision") : QVariant();
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || !m_check || index.row() >= rowCount() ||
            (role != Qt::DisplayRole && role != Qt::ToolTipRole))
            return {};
        const colorscience::PalettePair& pair = m_check->pairs[size_t(index.row())];
        const auto difference = [](double d) { return text(colorscience::differenceText(d)); };
        switch (index.column()) {
        case Colors:
            return text(colorscience::colorLabel(*m_check, pair.first)) + QStringLiteral(" and ") +
                   text(colorscience::colorLabel(*m_check, pair.second));
        case Contrast:
            return text(colorscience::ratioText(pair.ratio));
        case Level:
            return QLatin1String(colorscience::levelMark(pair.ratio));
        case LcFirst:
            return text(colorscience::apcaText(pair.lcFirstOnSecond));
        case LcSecond:
            return text(colorscience::apcaText(pair.lcSecondOnFirst));
        case Normal:
            return difference(pair.difference);
        case Verdict: {
            if (pair.tooClose)
                return QStringLiteral("too close in any vision");
            QStringList hard;
            for (int s = 0; s < colorscience::kSimulationCount; ++s) {
                if (pair.hardUnder[size_t(s)])
                    hard << QLatin1String(
                        colorscience::simulationName(static_cast<colorscience::Simulation>(s)));
            }
            return hard.isEmpty() ? QStringLiteral("distinct")
                                  : QStringLiteral("hard to tell apart: ") + hard.join(", ");
        }
        default:
            return difference(pair.seenDifference[size_t(index.column() - Seen)]);
        }
    }

private:
    const colorscience::PaletteCheck* m_check = nullptr;
};

/// The picture a palette was taken from, each colour's place marked; the colour of the row
/// under the pointer is ringed. A click emits the colour there (3 x 3 pixels averaged).
class PicturePanel : public QWidget {
    Q_OBJECT
public:
    explicit PicturePanel(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("picpalette"));
        setMinimumWidth(kWidth);
        setCursor(Qt::CrossCursor);
        setToolTip(QStringLiteral("Click to take the colour there"));
    }

    void setPicture(std::optional<imagepalette::Picture> picture, const core::Palette* palette) {
        m_picture = std::move(picture);
        m_palette = palette;
        m_highlight = -1;
        setVisible(m_picture.has_value());
        update();
    }
    void setHighlight(int row) {
        m_highlight = row;
        update();
    }

signals:
    void picked(core::ColorRGB color, const QPoint& globalAt);

protected:
    void paintEvent(QPaintEvent*) override {
        if (!m_picture)
            return;
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        const QRectF place = imageRect();
        painter.drawImage(place, m_picture->preview);
        const double scale = place.width() / m_picture->preview.width();
        for (size_t i = 0; m_palette != nullptr && i < m_palette->colors.size(); ++i) {
            const core::PaletteColor& c = m_palette->colors[i];
            if (c.x < 0)
                continue;
            const QPointF at =
                place.topLeft() +
                QPointF(imagepalette::previewPointOf(*m_picture, {c.x, c.y})) * scale;
            const double radius = int(i) == m_highlight ? 9 : 5;
            painter.setPen(QPen(Qt::white, 3));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(at, radius, radius);
            painter.setPen(QPen(Qt::black, 1.5));
            painter.setBrush(ui::toQColor(c.rgb));
            painter.drawEllipse(at, radius, radius);
        }
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (!m_picture || event->button() != Qt::LeftButton)
            return;
        const QRectF place = imageRect();
        if (!place.contains(event->position()))
            return;
        const double scale = m_picture->preview.width() / place.width();
        const QPoint original = imagepalette::originalPointOf(
            *m_picture, (event->position() - place.topLeft()) * scale);
        if (const auto color = imagepalette::colorAt(*m_picture, original))
            emit picked(*color, event->globalPosition().toPoint());
    }

private:
    static constexpr int kWidth = 240;
    /// Room around the picture for the marks on its edges.
    static constexpr int kMargin = 10;
    /// Where the picture is drawn: as large as fits, its shape kept, at the top.
    QRectF imageRect() const {
        const QSizeF room(width() - 2 * kMargin, height() - 2 * kMargin);
        const QSizeF size = QSizeF(m_picture->preview.size()).scaled(room, Qt::KeepAspectRatio);
        return {QPointF((width() - size.width()) / 2, kMargin), size};
    }

    std::optional<imagepalette::Picture> m_picture;
    const core::Palette* m_palette = nullptr;
    int m_highlight = -1;
};

namespace {

QTableView* makeTable(QWidget* parent, const QString& name, const QString& spokenName,
                      QAbstractItemModel* model) {
    auto* view = new QTableView(parent);
    view->setObjectName(name);
    view->setModel(model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // selecting every row means nothing here; a screen reader still meets the corner
    view->setCornerButtonEnabled(false);
    if (auto* corner = view->findChild<QAbstractButton*>())
        corner->setAccessibleName(QStringLiteral("Table corner"));
    view->setAccessibleName(spokenName);
    return view;
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

} // namespace

PaletteWindow::PaletteWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName(QStringLiteral("frmpalette"));
    setWindowTitle(QStringLiteral("Palette"));
    resize(920, 540);
    auto* layout = new QVBoxLayout(this);
    m_sourceLabel = new QLabel(this);
    m_sourceLabel->setObjectName(QStringLiteral("lblpalettesource"));
    m_sourceLabel->setTextFormat(Qt::PlainText);
    layout->addWidget(m_sourceLabel);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tabpalette"));
    layout->addWidget(m_tabs, 1);

    auto* colorsPage = new QWidget(m_tabs);
    colorsPage->setObjectName(QStringLiteral("tabcolors"));
    auto* colorsLayout = new QVBoxLayout(colorsPage);
    m_colors = new PaletteTable(this);
    m_colorView = makeTable(colorsPage, QStringLiteral("lstpalette"),
                            QStringLiteral("Palette colours"), m_colors);
    m_colorView->setContextMenuPolicy(Qt::CustomContextMenu);
    for (const auto& [column, width] :
         {std::pair{NameColumn, 150}, {HexColumn, 72}, {OklchColumn, 180}, {CssNameColumn, 130}})
        m_colorView->setColumnWidth(column, width);
    m_colorView->horizontalHeader()->setStretchLastSection(true);
    auto* sideBySide = new QHBoxLayout;
    sideBySide->addWidget(m_colorView, 1);
    m_picture = new PicturePanel(colorsPage);
    m_picture->hide();
    sideBySide->addWidget(m_picture);
    colorsLayout->addLayout(sideBySide, 1);
    // hovering a row shows where its colour occurs in the picture
    m_colorView->setMouseTracking(true);
    connect(m_colorView, &QAbstractItemView::entered, m_picture,
            [this](const QModelIndex& index) { m_picture->setHighlight(index.row()); });
    connect(m_picture, &PicturePanel::picked, this, &PaletteWindow::offerPickedColor);
    auto* buttons = new QHBoxLayout;
    m_useAsBase =
        makeButton(colorsPage, QStringLiteral("cmdusebase"), QStringLiteral("Use as Base"));
    m_copyAs = makeButton(colorsPage, QStringLiteral("cmdcopyas"), QStringLiteral("Copy as"));
    auto* copyMenu = new QMenu(m_copyAs);
    ui::addCopyAsMenu(
        copyMenu,
        [this] {
            const int row = currentRow();
            return row < 0 ? core::ColorRGB{} : m_palette.colors[size_t(row)].rgb;
        },
        [this] {
            const int row = currentRow();
            return row < 0 ? std::nullopt : wideGamutColor(m_palette.colors[size_t(row)]);
        });
    // the button opens the notations themselves, not a menu holding one submenu
    m_copyAs->setMenu(copyMenu->actions().constFirst()->menu());
    auto* addScheme = makeButton(colorsPage, QStringLiteral("cmdaddscheme"),
                                 QStringLiteral("Add Scheme Colours"));
    m_export =
        makeButton(colorsPage, QStringLiteral("cmdexportpalette"), QStringLiteral("Export..."));
    buttons->addWidget(m_useAsBase);
    buttons->addWidget(m_copyAs);
    buttons->addStretch(1);
    buttons->addWidget(addScheme);
    buttons->addWidget(m_export);
    colorsLayout->addLayout(buttons);
    m_tabs->addTab(colorsPage, QStringLiteral("Colours"));

    auto* checkPage = new QWidget(m_tabs);
    checkPage->setObjectName(QStringLiteral("tabcheck"));
    auto* checkLayout = new QVBoxLayout(checkPage);
    m_verdicts = new QLabel(checkPage);
    m_verdicts->setObjectName(QStringLiteral("lblverdicts"));
    m_verdicts->setTextFormat(Qt::PlainText);
    // a verdict as long as its pairs' names wraps in the window, never widening it past the
    // screen's edge
    m_verdicts->setWordWrap(true);
    m_verdicts->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    // a line a deficiency and one for colours left out, kept so the tables never jump
    m_verdicts->setMinimumHeight(m_verdicts->fontMetrics().lineSpacing() *
                                 (colorscience::kSimulationCount + 1));
    m_verdicts->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_verdicts->setTextInteractionFlags(Qt::TextSelectableByMouse);
    checkLayout->addWidget(m_verdicts);
    auto* split = new QSplitter(Qt::Vertical, checkPage);
    m_matrix = new ContrastMatrix(this);
    m_matrixView = makeTable(split, QStringLiteral("tblcontrast"),
                             QStringLiteral("Contrast of each colour as text on each"), m_matrix);
    m_matrixView->setSelectionMode(QAbstractItemView::NoSelection);
    m_matrixView->horizontalHeader()->setDefaultSectionSize(96);
    m_pairs = new PairTable(this);
    m_pairView =
        makeTable(split, QStringLiteral("lstpairs"), QStringLiteral("Pairs of colours"), m_pairs);
    m_pairView->horizontalHeader()->setDefaultSectionSize(92);
    m_pairView->setColumnWidth(PairTable::Colors, 300);
    m_pairView->horizontalHeader()->setStretchLastSection(true);
    split->addWidget(m_matrixView);
    split->addWidget(m_pairView);
    checkLayout->addWidget(split, 1);
    m_tabs->addTab(checkPage, QStringLiteral("Check"));

    m_statusLabel = new QLabel(this);
    m_statusLabel->setObjectName(QStringLiteral("lblpalettestatus"));
    m_statusLabel->setTextFormat(Qt::PlainText);
    layout->addWidget(m_statusLabel);

    connect(m_colorView, &QTableView::clicked, this,
            [this](const QModelIndex& index) { copyHex(index.row()); });
    connect(m_colorView, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        const QModelIndex index = m_colorView->indexAt(at);
        if (!index.isValid())
            return;
        m_colorView->selectRow(index.row());
        QMenu menu(m_colorView);
        menu.setObjectName(QStringLiteral("mnupalettecontext"));
        const core::PaletteColor& entry = m_palette.colors[size_t(index.row())];
        ui::addCopyAsMenu(
            &menu, [rgb = entry.rgb] { return rgb; },
            [exact = wideGamutColor(entry)] { return exact; });
        menu.addAction(QStringLiteral("Use as Base"), this, [this] { m_useAsBase->click(); });
        menu.exec(m_colorView->viewport()->mapToGlobal(at));
    });
    connect(m_useAsBase, &QPushButton::clicked, this, [this] {
        const int row = currentRow();
        if (row < 0)
            return;
        const core::BaseColor base = core::baseColorOf(m_palette.colors[size_t(row)].color);
        emit useAsBaseRequested(base.rgb8, base.exact);
    });
    connect(addScheme, &QPushButton::clicked, this, &PaletteWindow::addSchemeColors);
    connect(m_export, &QPushButton::clicked, this, &PaletteWindow::exportPalette);
    connect(m_tabs, &QTabWidget::currentChanged, this, [this] { showCheck(); });
    showPalette();
}

PaletteWindow::~PaletteWindow() {
    // the tables read the palette and the check, which go before the tables do: closing the
    // window still asks them for their headers
    m_colors->setPalette(nullptr);
    m_matrix->setCheck(nullptr);
    m_pairs->setCheck(nullptr);
    m_picture->setPicture(std::nullopt, nullptr);
}

void PaletteWindow::setPalette(const core::Palette& palette, const QString& source, int skipped,
                               const QString& firstSkipped) {
    m_palette = palette;
    m_source = source;
    m_skipped = skipped;
    m_picture->setPicture(std::nullopt, &m_palette);
    m_statusLabel->setText(firstSkipped.isEmpty() ? QString()
                                                  : QStringLiteral("Skipped ") + firstSkipped);
    showPalette();
}

void PaletteWindow::setPicture(const imagepalette::Picture& picture) {
    m_picture->setPicture(picture, &m_palette);
}

void PaletteWindow::showNote(const QString& note) {
    m_statusLabel->setText(note);
}

void PaletteWindow::offerPickedColor(core::ColorRGB color, const QPoint& globalAt) {
    const QString hex = text(core::hexText(color));
    m_statusLabel->setText(QStringLiteral("Picked ") + hex);
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("mnupicked"));
    menu.addSection(hex);
    menu.addAction(QStringLiteral("Use as Base"), this, [this, color] {
        const core::BaseColor base =
            core::baseColorOf(*core::parseCssColor(core::hexText(color)).color);
        emit useAsBaseRequested(base.rgb8, base.exact);
    });
    menu.addAction(QStringLiteral("Add to Palette"), this, [this, color, hex] {
        if (!hasRoomFor(1))
            return;
        m_palette.colors.push_back(
            core::paletteColorOf("picked-" + std::to_string(m_palette.colors.size() + 1),
                                 *core::parseCssColor(core::hexText(color)).color));
        m_colors->setPalette(&m_palette);
        m_checkStale = true;
        m_colorView->scrollToBottom();
        m_statusLabel->setText(QStringLiteral("Added ") + hex);
    });
    ui::addCopyAsMenu(&menu, [color] { return color; });
    menu.exec(globalAt);
}

void PaletteWindow::follow(const scheme::SchemeModel& model) {
    m_model = &model;
}

void PaletteWindow::showPalette() {
    m_colors->setPalette(&m_palette);
    const int count = int(m_palette.colors.size());
    QString heading;
    if (count == 0 && m_source.isEmpty()) {
        heading = QStringLiteral("No palette yet: open a palette file (File, Open) or add the "
                                 "scheme's colours.");
    } else {
        heading = (m_source.isEmpty() ? QStringLiteral("Palette") : m_source) +
                  (m_palette.name.empty() ? QString()
                                          : QStringLiteral(" (") + text(m_palette.name) + ')') +
                  QStringLiteral(": %1 colour%2").arg(count).arg(count == 1 ? "" : "s");
        if (m_skipped > 0)
            heading += QStringLiteral(", %1 entr%2 skipped")
                           .arg(m_skipped)
                           .arg(m_skipped == 1 ? "y" : "ies");
    }
    m_sourceLabel->setText(heading);
    m_useAsBase->setEnabled(count > 0);
    m_copyAs->setEnabled(count > 0);
    m_export->setEnabled(count > 0);
    if (count > 0 && currentRow() < 0)
        m_colorView->selectRow(0);
    m_checkStale = true;
    showCheck();
}

void PaletteWindow::showCheck() {
    // only when seen: a large palette's pairs are many
    if (!m_checkStale || m_tabs->currentIndex() != 1)
        return;
    m_checkStale = false;
    std::vector<core::ColorRGB> colors;
    std::vector<std::string> names;
    for (const core::PaletteColor& entry : m_palette.colors) {
        colors.push_back(entry.rgb);
        names.push_back(entry.name);
    }
    m_check = colorscience::checkPalette(colors, names);
    m_matrix->setCheck(&m_check);
    m_pairs->setCheck(&m_check);
    QStringList lines;
    if (colors.size() < 2)
        lines << QStringLiteral("A check needs two colours or more.");
    else
        for (int s = 0; s < colorscience::kSimulationCount; ++s)
            lines << text(colorscience::verdictText(m_check, s));
    if (m_check.leftOut > 0)
        lines << QStringLiteral("The first %1 colours are checked; %2 more are left out.")
                     .arg(colorscience::kMostCheckedPaletteColors)
                     .arg(m_check.leftOut);
    m_verdicts->setText(lines.join('\n'));
}

void PaletteWindow::addSchemeColors() {
    if (!m_model || !m_model->hasScheme()) {
        m_statusLabel->setText(QStringLiteral("No scheme yet: pick a color on the wheel."));
        return;
    }
    const std::vector<core::Color> colors = m_model->schemeColors();
    if (!hasRoomFor(colors.size()))
        return;
    for (size_t i = 0; i < colors.size(); ++i) {
        const core::ColorRGB rgb = core::splitColor(colors[i]);
        const core::CssColor css = *core::parseCssColor(core::hexText(rgb)).color;
        m_palette.colors.push_back(core::paletteColorOf("color-" + std::to_string(i + 1), css));
    }
    showPalette();
    m_colorView->scrollToBottom();
    m_statusLabel->setText(QStringLiteral("Added the scheme's %1 colours.").arg(colors.size()));
}

bool PaletteWindow::hasRoomFor(size_t count) {
    // a palette larger than any file may hold would be exported and then refused on reading
    const size_t most = formats::kMaxPaletteColors;
    if (m_palette.colors.size() + count <= most)
        return true;
    m_statusLabel->setText(
        QStringLiteral("Not added: a palette holds at most %1 colours, and this one has %2.")
            .arg(most)
            .arg(m_palette.colors.size()));
    return false;
}

void PaletteWindow::exportPalette() {
    ExportDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString path = dialog.target();
    std::string reason;
    if (!document::writeBytesFile(path, formats::fileBytes(dialog.formatFor(path), m_palette),
                                  &reason))
        QMessageBox::warning(this, QStringLiteral("Export Palette"),
                             QStringLiteral("The palette was not exported to %1: %2.")
                                 .arg(QDir::toNativeSeparators(path), text(reason)));
}

void PaletteWindow::copyHex(int row) {
    if (row < 0 || row >= int(m_palette.colors.size()))
        return;
    const QString hex = text(core::hexText(m_palette.colors[size_t(row)].rgb));
    platform::setClipboardText(hex);
    m_statusLabel->setText(QStringLiteral("Copied ") + hex);
}

int PaletteWindow::currentRow() const {
    const QModelIndexList rows = m_colorView->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.constFirst().row();
}

} // namespace palette

#include "PaletteWindow.moc"
