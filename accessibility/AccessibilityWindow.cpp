#include "AccessibilityWindow.h"

#include "FixesPanel.h"
#include "platform/Desktop.h"
#include "preview/PreviewSurface.h"
#include "scheme/SchemeModel.h"
#include "ui/ColorConversion.h"
#include "ui/WindowHelpers.h"

#include <QAbstractButton>
#include <QAbstractTableModel>
#include <QBoxLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QHideEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>

#include <algorithm>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace accessibility {

namespace {

/// Text and cells of a colour the scheme does not have.
constexpr QRgb kNotInScheme = 0xFF808080;
constexpr QRgb kNotInSchemeBackground = 0xFFE8E8E8;
const QLatin1String kNotInSchemeWords(" is not in this scheme");
constexpr int kWidth = preview::PreviewSurface::kDrawWidth;
constexpr int kHeight = preview::PreviewSurface::kDrawHeight;

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

/// Sets count pixels from p on to value, four at a time where the processor allows: the lists'
/// runs are short and many, and one store a pixel would cost more than the rest of a change.
inline void fillPixels(uint32_t* p, size_t count, uint32_t value) {
#ifdef __SSE2__
    const __m128i four = _mm_set1_epi32(static_cast<int>(value));
    for (; count >= 4; count -= 4, p += 4)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p), four);
#endif
    for (; count > 0; --count)
        *p++ = value;
}

QImage blankPicture() {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(preview::backgroundColor());
    return image;
}

} // namespace

/// One picture of the preview as a deficiency shows it, drawn unscaled at its own size.
class SimulationPicture : public QWidget {
public:
    SimulationPicture(const QString& name, QWidget* parent)
        : QWidget(parent), m_image(blankPicture()) {
        setObjectName(name);
        setFixedSize(kWidth, kHeight);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    QImage& image() { return m_image; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawImage(QRect(0, 0, kWidth, kHeight), m_image);
    }

private:
    QImage m_image;
};

/// The check's figures as a table: the WCAG ratios, the APCA values or the simulated pairs.
class CheckModel : public QAbstractTableModel {
public:
    enum class Kind { Contrast, Apca, Pairs };

    CheckModel(Kind kind, const colorscience::SchemeCheck& check, QObject* parent)
        : QAbstractTableModel(parent), m_kind(kind), m_check(check) {}

    /// Tells the views that every figure may have changed.
    void refresh() {
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        if (m_kind != Kind::Pairs) {
            emit headerDataChanged(Qt::Horizontal, 0, 2);
            emit headerDataChanged(Qt::Vertical, 0, 2);
        }
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0
                                : (m_kind == Kind::Pairs ? colorscience::kPairCount
                                                         : colorscience::kCheckedColors);
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : (m_kind == Kind::Pairs ? 4 : colorscience::kCheckedColors);
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid())
            return {};
        const int row = index.row();
        const int column = index.column();
        if (role == Qt::TextAlignmentRole)
            return m_kind == Kind::Pairs && column != 2 ? int(Qt::AlignLeft | Qt::AlignVCenter)
                                                        : int(Qt::AlignCenter);
        if (m_kind == Kind::Pairs)
            return m_check.compared(m_check.pairs[size_t(row)]) ? pairData(row, column, role)
                                                                : outOfScheme(row, column, role);
        if (!m_check.compared(row) || !m_check.compared(column))
            return outOfScheme(row, column, role);
        const bool apca = m_kind == Kind::Apca;
        switch (role) {
        case Qt::DisplayRole: {
            if (apca)
                return text(colorscience::apcaText(m_check.lc[size_t(row)][size_t(column)]));
            const double ratio = m_check.ratio[size_t(row)][size_t(column)];
            return text(colorscience::ratioText(ratio)) + QLatin1Char('\n') +
                   QLatin1String(colorscience::levelMark(ratio));
        }
        case Qt::ToolTipRole:
        case Qt::AccessibleTextRole:
            return text(apca ? colorscience::apcaWords(m_check, row, column)
                             : colorscience::contrastWords(m_check, row, column));
        default:
            return {};
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (m_kind == Kind::Pairs) {
            static const char* const kTitles[] = {"Simulation", "Pair", "Difference", "Verdict"};
            if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
                section < 4)
                return QString::fromLatin1(kTitles[section]);
            return {};
        }
        if (section < 0 || section >= colorscience::kCheckedColors)
            return {};
        if (!m_check.compared(section)) {
            if (role == Qt::DisplayRole)
                return QString::fromLatin1(colorscience::checkedColorName(section));
            if (role == Qt::ForegroundRole)
                return QColor(kNotInScheme);
            if (role == Qt::ToolTipRole)
                return QString::fromLatin1(colorscience::checkedColorName(section)) +
                       kNotInSchemeWords;
            return {};
        }
        switch (role) {
        case Qt::DisplayRole:
            return QString::fromLatin1(colorscience::checkedColorName(section));
        case Qt::DecorationRole:
            return swatch(size_t(section), m_check.colors[size_t(section)], {});
        case Qt::ToolTipRole:
            if (m_kind == Kind::Apca)
                return orientation == Qt::Vertical ? QStringLiteral("Text color")
                                                   : QStringLiteral("Background color");
            return {};
        default:
            return {};
        }
    }

private:
    /// A cell with a colour that is not in the scheme (the third under complementary): greyed,
    /// with no figure, and saying so.
    QVariant outOfScheme(int row, int column, int role) const {
        const bool pairs = m_kind == Kind::Pairs;
        const int colour = pairs ? 2 : (m_check.compared(row) ? column : row);
        switch (role) {
        case Qt::DisplayRole:
            if (!pairs)
                return QString();
            if (column == 0)
                return QString::fromLatin1(
                    colorscience::simulationName(m_check.pairs[size_t(row)].simulation));
            if (column == 1)
                return QStringLiteral("%1 / %2").arg(
                    QLatin1String(colorscience::checkedColorName(m_check.pairs[size_t(row)].first)),
                    QLatin1String(
                        colorscience::checkedColorName(m_check.pairs[size_t(row)].second)));
            return column == 3 ? QStringLiteral("not in this scheme") : QString();
        case Qt::ForegroundRole:
            return QColor(kNotInScheme);
        case Qt::BackgroundRole:
            return QColor(kNotInSchemeBackground);
        case Qt::ToolTipRole:
        case Qt::AccessibleTextRole:
            return QString::fromLatin1(colorscience::checkedColorName(colour)) + kNotInSchemeWords;
        default:
            return {};
        }
    }

    QVariant pairData(int row, int column, int role) const {
        const colorscience::SimulatedPair& p = m_check.pairs[size_t(row)];
        switch (role) {
        case Qt::DisplayRole:
            switch (column) {
            case 0:
                return QString::fromLatin1(colorscience::simulationName(p.simulation));
            case 1:
                return QStringLiteral("%1 / %2").arg(
                    QLatin1String(colorscience::checkedColorName(p.first)),
                    QLatin1String(colorscience::checkedColorName(p.second)));
            case 2:
                return text(colorscience::differenceText(p.difference));
            default:
                return p.hardToTell ? QStringLiteral("hard to tell apart")
                                    : QStringLiteral("distinct");
            }
        case Qt::DecorationRole:
            if (column == 1)
                return swatch(colorscience::kCheckedColors + size_t(row), p.firstSeen,
                              p.secondSeen);
            return {};
        case Qt::FontRole:
            if (column == 3 && p.hardToTell) {
                QFont font;
                font.setBold(true);
                return font;
            }
            return {};
        case Qt::ToolTipRole:
        case Qt::AccessibleTextRole:
            return text(colorscience::pairWords(m_check, row));
        default:
            return {};
        }
    }

    /// The swatch in slot (a header, then a pair row), made again only when its colours
    /// change. The views draw a picture through an icon, which keeps each picture it is given
    /// in the toolkit's picture cache: a new picture at every paint would fill that cache.
    QPixmap swatch(size_t slot, core::ColorRGB first, core::ColorRGB second) const {
        Swatch& s = m_swatches[slot];
        const QRgb a = ui::toQRgb(first);
        const QRgb b = ui::toQRgb(second);
        const uint64_t colors = uint64_t(a & 0xFFFFFFu) << 24 | (b & 0xFFFFFFu);
        if (s.picture.isNull() || s.colors != colors) {
            s.picture = slot < colorscience::kCheckedColors ? ui::swatchPicture({a})
                                                            : ui::swatchPicture({a, b});
            s.colors = colors;
        }
        return s.picture;
    }

    struct Swatch {
        uint64_t colors = 0;
        QPixmap picture;
    };
    Kind m_kind;
    const colorscience::SchemeCheck& m_check;
    mutable std::array<Swatch, colorscience::kCheckedColors + colorscience::kPairCount> m_swatches;
};

namespace {

QTableView* makeTable(const QString& name, const QString& accessibleName, CheckModel* model,
                      QWidget* parent) {
    auto* view = new QTableView(parent);
    view->setObjectName(name);
    view->setAccessibleName(accessibleName);
    view->setModel(model);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setWordWrap(false);
    view->setCornerButtonEnabled(false);
    // the table's corner selects nothing here, and a screen reader must not meet it unnamed
    // (the table shows it again with its headers, so it cannot stay hidden)
    for (auto* corner : view->findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly))
        corner->setAccessibleName(QStringLiteral("Table corner"));
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return view;
}

/// Sizes the view to show all its cells without scrolling.
void fitTable(QTableView* view, std::initializer_list<int> columnWidths, int rowHeight) {
    int c = 0;
    for (int width : columnWidths)
        view->setColumnWidth(c++, width);
    for (int r = 0; r < view->model()->rowCount(); ++r)
        view->setRowHeight(r, rowHeight);
    view->ensurePolished();
    const int frame = 2 * view->frameWidth();
    const int rowHeader =
        view->verticalHeader()->isHidden() ? 0 : view->verticalHeader()->sizeHint().width();
    view->setFixedSize(rowHeader + view->horizontalHeader()->length() + frame,
                       view->horizontalHeader()->sizeHint().height() +
                           view->verticalHeader()->length() + frame);
}

} // namespace

AccessibilityWindow::AccessibilityWindow(QWidget* owner)
    : QWidget(owner, Qt::Window), m_sourceLists(kWidth, kHeight, kWidth) {
    setObjectName(QStringLiteral("frmaccess"));
    setWindowTitle(QStringLiteral("Accessibility Check"));
    platform::setBackColor(*this, ui::windowBackColor());
    for (QImage& image : m_simulatedMockup)
        image = blankPicture();
    m_check = colorscience::checkScheme({});

    auto* pictures = new QGridLayout;
    pictures->setSpacing(8);
    for (int s = 0; s < colorscience::kSimulationCount; ++s) {
        const QString name = QString::fromLatin1(
            colorscience::simulationName(static_cast<colorscience::Simulation>(s)));
        auto* caption = new QLabel(name, this);
        caption->setObjectName(QStringLiteral("lbl") + name.toLower());
        QFont bold = caption->font();
        bold.setBold(true);
        caption->setFont(bold);
        auto* picture = new SimulationPicture(QStringLiteral("pic") + name.toLower(), this);
        picture->setAccessibleName(name + QStringLiteral(" view of the preview"));
        caption->setBuddy(picture);
        m_pictures[size_t(s)] = picture;
        auto* cell = new QVBoxLayout;
        cell->setSpacing(2);
        cell->addWidget(caption);
        cell->addWidget(picture);
        pictures->addLayout(cell, s / 2, s % 2);
    }

    m_contrastModel = new CheckModel(CheckModel::Kind::Contrast, m_check, this);
    m_apcaModel = new CheckModel(CheckModel::Kind::Apca, m_check, this);
    m_pairsModel = new CheckModel(CheckModel::Kind::Pairs, m_check, this);
    // a tracked move changes every figure and picture, and laying out the tables' texts,
    // working out the fixes and painting the pictures cost more than the move itself: the
    // figures follow at once, what is shown of them once a frame
    m_frame.setSingleShot(true);
    m_frame.setInterval(ui::kFrameMilliseconds);
    connect(&m_frame, &QTimer::timeout, this, &AccessibilityWindow::showLatest);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tabcontrast"));
    m_contrastView = makeTable(QStringLiteral("tblcontrast"),
                               QStringLiteral("WCAG 2.2 contrast ratios"), m_contrastModel, this);
    m_apcaView = makeTable(QStringLiteral("tblapca"),
                           QStringLiteral("APCA lightness contrast, row color as text on column "
                                          "color as background"),
                           m_apcaModel, this);
    for (QTableView* view : {m_contrastView, m_apcaView})
        fitTable(view, {70, 70, 70, 70, 70}, 32);
    m_tabs->addTab(m_contrastView, QStringLiteral("WCAG 2.2 contrast ratio"));
    m_tabs->addTab(m_apcaView, QStringLiteral("APCA Lc (row text on column)"));
    m_fixes = new FixesPanel(this);
    m_tabs->addTab(m_fixes, QStringLiteral("Fixes"));
    connect(m_fixes, &FixesPanel::applyRequested, this, &AccessibilityWindow::applyFixRequested);

    auto* legend = new QLabel(
        QStringLiteral("AAA: passes every level (7:1 and more).\n"
                       "AA: AA normal text, AAA large text and non-text (4.5:1 and more).\n"
                       "AA large: AA large text and non-text only (3:1 and more).\n"
                       "fail: passes no level."),
        this);
    legend->setObjectName(QStringLiteral("lbllegend"));

    auto* pairsCaption =
        new QLabel(QStringLiteral("Scheme colors as seen with each deficiency (CIEDE2000; "
                                  "under 10: hard to tell apart)"),
                   this);
    pairsCaption->setObjectName(QStringLiteral("lblpairs"));
    pairsCaption->setWordWrap(true);
    m_pairsView = makeTable(QStringLiteral("tblpairs"),
                            QStringLiteral("Scheme color pairs under color-vision deficiencies"),
                            m_pairsModel, this);
    m_pairsView->verticalHeader()->hide();
    fitTable(m_pairsView, {100, 140, 70, 130}, 20);
    pairsCaption->setFixedWidth(m_pairsView->width());

    m_copyReport = new QPushButton(QStringLiteral("Copy Report"), this);
    m_copyReport->setObjectName(QStringLiteral("cmdcopyreport"));
    m_copyReport->setAccessibleName(QStringLiteral("Copy Report"));
    m_copyReport->setIcon(style()->standardIcon(QStyle::SP_FileIcon));
    ui::setLightBlue(m_copyReport);
    m_copyReport->setFixedSize(129, 33);
    connect(m_copyReport, &QPushButton::clicked, this, &AccessibilityWindow::copyReport);

    // the figures, or in their place a note while there is no scheme to rate
    m_side = new QStackedWidget(this);
    auto* figures = new QWidget(m_side);
    auto* side = new QVBoxLayout(figures);
    side->setContentsMargins(0, 0, 0, 0);
    side->setSpacing(8);
    side->addWidget(m_tabs);
    side->addWidget(legend);
    side->addWidget(pairsCaption);
    side->addWidget(m_pairsView);
    side->addStretch(1);
    side->addWidget(m_copyReport, 0, Qt::AlignRight);
    m_side->addWidget(figures);
    m_side->addWidget(ui::makeNoSchemeNote(m_side));
    m_side->setCurrentIndex(1);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(16);
    layout->addLayout(pictures);
    layout->addWidget(m_side);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

AccessibilityWindow::~AccessibilityWindow() = default;

void AccessibilityWindow::setSchemeColors(const std::array<QRgb, 3>& colors, int count) {
    m_colors = colors;
    m_colorCount = count;
    m_schemeStale = true;
    m_side->setCurrentIndex(0);
    catchUp();
}

void AccessibilityWindow::clearScheme() {
    m_side->setCurrentIndex(1);
}

bool AccessibilityWindow::hasScheme() const {
    return m_side->currentIndex() == 0;
}

void AccessibilityWindow::setPreview(const QImage& bareMockup, const preview::PixelLists& lists) {
    m_bare = bareMockup;
    m_sourceLists = lists;
    m_previewStale = true;
    catchUp();
}

void AccessibilityWindow::setPreviewPaint(const std::optional<std::array<QRgb, 3>>& listColors) {
    // lists painted, then none: the painted pixels must go
    if (m_paint && !listColors)
        m_picturesNeedMockup = true;
    m_paint = listColors;
    m_paintStale = true;
    catchUp();
}

void AccessibilityWindow::follow(const scheme::SchemeModel& model,
                                 const preview::PreviewSurface& preview) {
    const auto showScheme = [this, &model] {
        const std::array<core::Color, 3> colors = model.swatchColors();
        if (model.hasScheme())
            setSchemeColors({ui::toQRgb(colors[0]), ui::toQRgb(colors[1]), ui::toQRgb(colors[2])},
                            static_cast<int>(model.colorCount()));
        else
            clearScheme();
        std::optional<std::array<QRgb, 3>> paint;
        if (const auto& painted = model.previewPaint())
            paint = preview::listColors(
                {ui::toQRgb((*painted)[0]), ui::toQRgb((*painted)[1]), ui::toQRgb((*painted)[2])});
        // most moves leave the preview as it is: its pictures need no painting then
        if (paint != m_paint)
            setPreviewPaint(paint);
    };
    const auto showPreview = [this, &preview] {
        setPreview(preview.bareMockup(), preview.lists());
    };
    connect(&model, &scheme::SchemeModel::changed, this, showScheme);
    connect(&preview, &preview::PreviewSurface::styleShown, this, showPreview);
    showPreview();
    showScheme();
}

void AccessibilityWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    catchUp();
    // a window coming up shows the scheme as it is, not as it was a frame ago
    showLatest();
}

void AccessibilityWindow::showLatest() {
    m_frame.stop();
    // hidden, the window has let its pictures go; it makes them again when shown
    if (m_paintStale && isVisible()) {
        paintPictures();
        m_paintStale = false;
    }
    for (CheckModel* model : {m_contrastModel, m_apcaModel, m_pairsModel})
        model->refresh();
    m_fixes->setCheck(m_check);
}

void AccessibilityWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (event->spontaneous()) // minimised: still open
        return;
    // the eight pictures are most of what the window holds; they are made again when shown
    for (QImage& image : m_simulatedMockup)
        image = QImage();
    for (SimulationPicture* picture : m_pictures)
        picture->image() = QImage();
    m_previewStale = true;
}

void AccessibilityWindow::catchUp() {
    // a hidden window keeps its inputs and does the work once it is shown
    if (!isVisible())
        return;
    if (m_previewStale) {
        simulateMockup();
        m_previewStale = false;
        m_paintStale = true;
    }
    if (m_schemeStale) {
        m_check = colorscience::checkScheme(
            {ui::rgbOf(m_colors[0]), ui::rgbOf(m_colors[1]), ui::rgbOf(m_colors[2])}, m_colorCount);
        m_schemeStale = false;
    }
    if (!m_frame.isActive())
        m_frame.start();
}

void AccessibilityWindow::simulateMockup() {
    // the drawing area as the preview holds it: mock-up at the top left on the surface colour
    const QImage bare = m_bare.size() == QSize(kWidth, kHeight)
                            ? m_bare.convertToFormat(QImage::Format_RGB32)
                            : preview::composeDrawingArea(m_bare);
    for (int s = 0; s < colorscience::kSimulationCount; ++s) {
        QImage& out = m_simulatedMockup[size_t(s)];
        if (out.isNull())
            out = blankPicture();
        for (int y = 0; y < kHeight; ++y)
            colorscience::simulatePixels(static_cast<colorscience::Simulation>(s),
                                         reinterpret_cast<const uint32_t*>(bare.constScanLine(y)),
                                         reinterpret_cast<uint32_t*>(out.scanLine(y)), kWidth);
    }
    // which list's colour each pixel ends in, with the preview's order: 1, then 3, then 2
    preview::PixelLists lists(kWidth, kHeight, kWidth);
    std::vector<uint8_t> owner(size_t(kWidth) * kHeight, 0);
    for (int k : {1, 3, 2}) {
        // runs over this window's own pictures, whatever stride the caller's lists had
        lists.append(k, m_sourceLists.points(k));
        for (const preview::PixelRun& run : lists.runs(k))
            std::fill_n(owner.begin() + run.offset, run.length, uint8_t(k));
    }
    m_listRuns.clear();
    for (size_t i = 0; i < owner.size();) {
        const uint8_t k = owner[i];
        size_t end = i + 1;
        while (end < owner.size() && owner[end] == k)
            ++end;
        if (k != 0)
            m_listRuns.push_back({uint32_t(i), uint32_t(end - i), k - 1});
        i = end;
    }
    m_picturesNeedMockup = true;
}

void AccessibilityWindow::paintPictures() {
    for (int s = 0; s < colorscience::kSimulationCount; ++s) {
        const auto simulation = static_cast<colorscience::Simulation>(s);
        QImage& image = m_pictures[size_t(s)]->image();
        if (image.isNull())
            image = blankPicture();
        if (m_picturesNeedMockup)
            std::memcpy(image.bits(), m_simulatedMockup[size_t(s)].constBits(),
                        size_t(image.sizeInBytes()));
        // every pixel of the lists is painted whatever it held, so painting them again over an
        // earlier painting gives the pixels of painting them over the bare mock-up: the mock-up
        // is copied back only when the lists change
        if (m_paint) {
            uint32_t colors[3];
            colorscience::simulatePixels(simulation, m_paint->data(), colors, 3);
            auto* pixels = reinterpret_cast<uint32_t*>(image.bits());
            for (const ListRun& run : m_listRuns)
                fillPixels(pixels + run.offset, run.length, colors[run.list]);
        }
        m_pictures[size_t(s)]->update();
    }
    m_picturesNeedMockup = false;
}

void AccessibilityWindow::copyReport() {
    if (!hasScheme())
        return;
    catchUp();
    platform::setClipboardText(text(colorscience::reportText(m_check)));
}

} // namespace accessibility
