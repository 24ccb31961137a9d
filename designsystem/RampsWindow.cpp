#include "RampsWindow.h"

#include "platform/Desktop.h"
#include "platform/SunkenBorder.h"
#include "scheme/SchemeModel.h"
#include "ui/CellList.h"
#include "ui/CopyAsMenu.h"
#include "ui/WindowHelpers.h"

#include <QApplication>
#include <QBoxLayout>
#include <QContextMenuEvent>
#include <QGlyphRun>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QRawFont>
#include <QStackedLayout>
#include <QStackedWidget>
#include <QToolTip>

#include <algorithm>
#include <cmath>
#include <map>

namespace designsystem {

namespace {

constexpr int kStepWidth = 62;
constexpr int kStepHeight = 50;
constexpr int kSpacing = 3;
constexpr int kNameWidth = 58;
constexpr int kTwinWidth = 76;
constexpr int kTwinHeight = 44;
constexpr QRgb kLightInk = 0xFFF4F4F4;
constexpr QRgb kGreyInk = 0xFF808080;
/// The frame of a ramp step: darker than the window, so the lightest steps stand out on it.
constexpr QRgb kFrameInk = 0xFF8A90A6;
const colorscience::ColorRGB kBlack{0, 0, 0};

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

bool sameExact(const std::optional<core::Oklch>& a, const std::optional<core::Oklch>& b) {
    return a.has_value() == b.has_value() && (!a || (a->L == b->L && a->C == b->C && a->h == b->h));
}

/// The row names: the scheme colours' ramps, then the neutral.
QString rowName(size_t row) {
    return row < 3 ? QStringLiteral("color-%1").arg(row + 1) : QStringLiteral("neutral");
}

QFont pixelFont(const QFont& like, int pixels, bool bold = false) {
    QFont font = like;
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

bool passesAa(double ratio) {
    return colorscience::passes(ratio, colorscience::Level::AaNormal);
}

/// The WCAG ratio of two luminances, as contrastOf computes it: the window finds each colour's
/// luminance once for all the ratios it takes part in.
double ratioOf(double a, double b) {
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

/// The ratio in words and whether it passes AA.
QString aaWords(double ratio) {
    return text(colorscience::ratioWords(ratio)) +
           (passesAa(ratio) ? QStringLiteral(", passes AA") : QStringLiteral(", fails AA"));
}

/// Fonts and pictures drawn once and kept for every window. They go with the application
/// object, not after it: a font or picture outliving the toolkit would be freed into it.
struct DrawingCache {
    std::map<int, QRawFont> fonts;
    std::map<std::pair<int, qreal>, QPixmap> pictures;
};

DrawingCache*& drawingCacheSlot() {
    static DrawingCache* cache = nullptr;
    return cache;
}

DrawingCache& drawingCache() {
    DrawingCache*& cache = drawingCacheSlot();
    if (cache == nullptr) {
        cache = new DrawingCache;
        qAddPostRoutine([] {
            delete drawingCacheSlot();
            drawingCacheSlot() = nullptr;
        });
    }
    return *cache;
}

/// Text drawn from glyphs looked up once a change instead of laid out at every paint: the
/// window repaints some fifty cells a change, and laying out their texts would cost more than
/// everything else it does. The texts are short Latin runs that need no shaping.
class GlyphText {
public:
    /// The application's font at a pixel size, as raw glyphs.
    static const QRawFont& font(int pixels, bool bold = false) {
        QRawFont& raw = drawingCache().fonts[pixels * 2 + int(bold)];
        if (!raw.isValid())
            raw = QRawFont::fromFont(pixelFont(QApplication::font(), pixels, bold));
        return raw;
    }

    GlyphText() = default;
    GlyphText(const QRawFont& font, const QString& text) { setText(font, text); }

    void setText(const QRawFont& font, const QString& text) {
        const QList<quint32> glyphs = font.glyphIndexesForString(text);
        const QList<QPointF> advances = font.advancesForGlyphIndexes(glyphs);
        QList<QPointF> positions;
        positions.reserve(glyphs.size());
        qreal x = 0;
        for (const QPointF& advance : advances) {
            positions.append(QPointF(x, 0));
            x += advance.x();
        }
        m_width = x;
        m_run.setRawFont(font);
        m_run.setGlyphIndexes(glyphs);
        m_run.setPositions(positions);
    }

    /// Draws the text with its baseline's left end at (x, baseline).
    void draw(QPainter& painter, qreal x, qreal baseline) const {
        painter.drawGlyphRun(QPointF(x, baseline), m_run);
    }
    /// Draws it centred across area, on the baseline.
    void drawCentred(QPainter& painter, const QRect& area, int baseline) const {
        draw(painter, area.x() + std::round((area.width() - m_width) / 2), baseline);
    }

private:
    QGlyphRun m_run;
    qreal m_width = 0;
};

} // namespace

/// Colour cells painted by one widget, each showing its colour's code, which a click copies,
/// as Space, Enter or Ctrl+C copy the current cell's; the arrows move the current cell, and
/// the right button offers "Copy as". A screen reader sees the cells as a list of items.
class CodeCells : public QWidget, public ui::CellList {
public:
    /// Cells named cellNames, their codes in a font of codeSize pixels.
    CodeCells(const QString& name, const QString& spokenName, QStringList cellNames, int codeSize,
              QWidget* parent)
        : QWidget(parent), m_names(std::move(cellNames)), m_cells(size_t(m_names.size())),
          m_count(int(m_names.size())), m_codeSize(codeSize) {
        setObjectName(name);
        setAccessibleName(spokenName);
        setFocusPolicy(Qt::StrongFocus);
        setCursor(Qt::PointingHandCursor);
        ui::attachCopyAsMenu(
            this, [this] { return m_cells[size_t(m_menuCell)].color; },
            [this] { return m_cells[size_t(m_menuCell)].exact; });
        for (size_t i = 0; i < m_cells.size(); ++i)
            setColor(i, kBlack);
    }

    int cellCount() const override { return m_count; }
    int cellAtPoint(const QPoint& pos) const override {
        for (int i = 0; i < m_count; ++i)
            if (cellArea(i).contains(pos))
                return i;
        return -1;
    }
    QString cellName(int index) const override { return m_names.value(index); }
    QString cellDescription(int index) const override {
        return index >= 0 && index < m_count ? describe(size_t(index)) : QString();
    }
    int currentCell() const override { return m_current; }
    void pressCell(int index) override {
        focusCell(index);
        copy(index);
    }
    void focusCell(int index) override {
        if (index < 0 || index >= m_count || index == m_current)
            return;
        update(cellArea(m_current));
        m_current = index;
        update(cellArea(index));
        if (hasFocus())
            ui::announceCell(this, index, QAccessible::Focus);
    }

protected:
    struct Cell {
        colorscience::ColorRGB color;
        std::optional<core::Oklch> exact; ///< beyond sRGB, what color(display-p3) copies
        QString code;
        GlyphText glyphs;
        QColor ink;
    };

    const Cell& cell(size_t i) const { return m_cells[i]; }
    /// The cell's code and its text after the code, for readers and tooltips.
    virtual QString describe(size_t i) const = 0;

    /// Puts color (and its exact colour beyond sRGB) in cell i (its code, and the ink that
    /// reads on it); the caller repaints.
    void setColor(size_t i, colorscience::ColorRGB color,
                  const std::optional<core::Oklch>& exact = std::nullopt) {
        Cell& c = m_cells[i];
        c.color = color;
        c.exact = exact;
        c.code = text(core::hexText(color));
        c.glyphs.setText(GlyphText::font(m_codeSize), c.code);
        const double luminance = colorscience::relativeLuminance(color);
        c.ink = ratioOf(luminance, 0) >= ratioOf(luminance, 1) ? Qt::black : Qt::white;
    }
    /// How many cells are shown (the first count).
    void setCount(int count) {
        m_count = count;
        m_current = std::min(m_current, count - 1);
    }

    /// The keyboard's mark on the current cell, inside it.
    void paintFocus(QPainter& painter, int i) const {
        if (i != m_current || !hasFocus())
            return;
        painter.setPen(QPen(m_cells[size_t(i)].ink, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(cellArea(i).adjusted(3, 3, -4, -4));
    }

    bool event(QEvent* event) override {
        if (event->type() == QEvent::ToolTip) {
            const auto* help = static_cast<QHelpEvent*>(event);
            const int i = cellAtPoint(help->pos());
            if (i < 0)
                QToolTip::hideText();
            else
                QToolTip::showText(help->globalPos(), cellDescription(i), this, cellArea(i));
            return true;
        }
        if (event->type() == QEvent::ContextMenu) {
            // the menu copies the cell it was asked on: the pointer's, or the keyboard's
            const auto* asked = static_cast<QContextMenuEvent*>(event);
            const int i = cellAtPoint(asked->pos());
            m_menuCell = asked->reason() == QContextMenuEvent::Mouse && i >= 0 ? i : m_current;
        }
        return QWidget::event(event);
    }

    void mousePressEvent(QMouseEvent* event) override {
        m_pressed =
            event->button() == Qt::LeftButton ? cellAtPoint(event->position().toPoint()) : -1;
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        const int pressed = m_pressed;
        m_pressed = -1;
        if (event->button() == Qt::LeftButton && pressed >= 0 &&
            cellAtPoint(event->position().toPoint()) == pressed)
            pressCell(pressed);
    }
    void keyPressEvent(QKeyEvent* event) override {
        if (event->matches(QKeySequence::Copy)) {
            copy(m_current);
            return;
        }
        const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        switch (plain ? event->key() : 0) {
        case Qt::Key_Left:
            focusCell(m_current - 1);
            break;
        case Qt::Key_Right:
            focusCell(m_current + 1);
            break;
        case Qt::Key_Home:
            focusCell(0);
            break;
        case Qt::Key_End:
            focusCell(m_count - 1);
            break;
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            copy(m_current);
            break;
        default:
            QWidget::keyPressEvent(event);
        }
    }
    void focusInEvent(QFocusEvent* event) override {
        // the base repaints the row, and with it the key cell's mark
        QWidget::focusInEvent(event);
        ui::announceCell(this, m_current, QAccessible::Focus);
    }

private:
    void copy(int i) const {
        if (i >= 0 && i < m_count)
            platform::setClipboardText(m_cells[size_t(i)].code);
    }

    QStringList m_names;
    std::vector<Cell> m_cells;
    int m_count;
    int m_current = 0;
    int m_pressed = -1;
    int m_menuCell = 0;
    int m_codeSize;
};

/// One tonal ramp: eleven flat cells with their codes, the pinned step marked with a ring and
/// "pinned", and under each code whether the step passes WCAG AA as text on the ramp's steps
/// 50 and 950 (a tick or a cross by "50" and "950").
class RampRow : public CodeCells {
public:
    RampRow(const QString& objectName, const QString& name, QWidget* parent)
        : CodeCells(objectName, name + QStringLiteral(" ramp"), stepNames(name), 10, parent) {
        setFixedSize(colorscience::kRampSize * (kStepWidth + kSpacing) - kSpacing, kStepHeight);
    }

    QRect cellArea(int index) const override {
        return {index * (kStepWidth + kSpacing), 0, kStepWidth, kStepHeight};
    }

    /// Shows the ramp, repainting the steps that changed.
    void showRamp(const colorscience::Ramp& ramp) {
        std::array<double, colorscience::kRampSize> luminance{};
        for (size_t i = 0; i < colorscience::kRampSize; ++i)
            luminance[i] = colorscience::relativeLuminance(ramp.steps[i].color);
        bool changed = false;
        for (size_t i = 0; i < colorscience::kRampSize; ++i) {
            const colorscience::RampStep& s = ramp.steps[i];
            const Marks marks{s.pinned, ratioOf(luminance[i], luminance.front()),
                              ratioOf(luminance[i], luminance.back())};
            if (s.color == cell(i).color && sameExact(s.exact, cell(i).exact) &&
                marks == m_marks[i])
                continue;
            m_marks[i] = marks;
            setColor(i, s.color, s.exact);
            changed = true;
        }
        // the whole row at once: a region of separate cells would make every fill and glyph
        // be clipped span by span, which costs more than painting the few unchanged cells
        if (changed)
            update();
    }

protected:
    QString describe(size_t i) const override {
        const Marks& m = m_marks[i];
        return cell(i).code +
               (m.pinned ? QStringLiteral("; pinned: the scheme color itself") : QString()) +
               QStringLiteral("; as text on step 50: ") + aaWords(m.onLightest) +
               QStringLiteral("; on step 950: ") + aaWords(m.onDarkest);
    }

    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        const qreal ratio = devicePixelRatioF();
        for (int i = 0; i < colorscience::kRampSize; ++i) {
            const QRect area = cellArea(i);
            if (!event->region().intersects(area))
                continue;
            const Cell& c = cell(size_t(i));
            const Marks& m = m_marks[size_t(i)];
            // a flat cell in a plain frame, filled twice: an outline would cost more than both
            painter.fillRect(area, QColor(kFrameInk));
            painter.fillRect(area.adjusted(1, 1, -1, -1), QColor(c.color.r, c.color.g, c.color.b));
            painter.setPen(c.ink);
            c.glyphs.drawCentred(painter, area, 28);
            const bool white = c.ink == Qt::white;
            if (m.pinned)
                painter.drawPixmap(area.topLeft() + kPinnedArea.topLeft(),
                                   markPicture(kPinnedMark, white, ratio));
            const int verdicts = int(passesAa(m.onLightest)) | int(passesAa(m.onDarkest)) << 1;
            painter.drawPixmap(area.topLeft() + kVerdictsArea.topLeft(),
                               markPicture(verdicts, white, ratio));
            paintFocus(painter, i);
        }
    }

private:
    struct Marks {
        bool pinned = false;
        double onLightest = 0; ///< WCAG ratio on the ramp's step 50
        double onDarkest = 0;  ///< and on its step 950
        friend bool operator==(const Marks& a, const Marks& b) {
            return a.pinned == b.pinned && a.onLightest == b.onLightest &&
                   a.onDarkest == b.onDarkest;
        }
    };

    static constexpr int kPinnedMark = 4;
    /// Where the marks lie in a cell, tight: they are blended pixel by pixel.
    static constexpr QRect kPinnedArea{4, 4, 40, 10};
    static constexpr QRect kVerdictsArea{4, 36, 50, 10};

    static QStringList stepNames(const QString& name) {
        QStringList names;
        for (int step : colorscience::kRampSteps)
            names << QStringLiteral("%1 step %2").arg(name).arg(step);
        return names;
    }

    /// The marks of a step, drawn once for each ink and display scale: kind 0..3 is the row of
    /// AA verdicts (bit 0: passes on step 50, bit 1: on step 950), kPinnedMark the pinned mark.
    /// Told apart by shape (a tick, a cross, a ring), not by colour.
    static const QPixmap& markPicture(int kind, bool white, qreal ratio) {
        QPixmap& picture = drawingCache().pictures[{kind * 2 + int(white), ratio}];
        if (!picture.isNull())
            return picture;
        const QRect area = kind == kPinnedMark ? kPinnedArea : kVerdictsArea;
        picture = QPixmap(area.size() * ratio);
        picture.setDevicePixelRatio(ratio);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        // drawn in the cell's coordinates
        painter.translate(-area.topLeft());
        const QColor ink = white ? Qt::white : Qt::black;
        painter.setPen(ink);
        const QRawFont& small = GlyphText::font(9);
        if (kind == kPinnedMark) {
            GlyphText(small, QStringLiteral("pinned")).draw(painter, 15, 12);
        } else {
            GlyphText(small, QStringLiteral("50")).draw(painter, 14, 44);
            GlyphText(small, QStringLiteral("950")).draw(painter, 37, 44);
        }
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(ink, 1.5));
        if (kind == kPinnedMark) {
            painter.drawEllipse(QRectF(5.5, 5.5, 7, 7));
            return picture;
        }
        for (const int side : {0, 1}) {
            const QPointF p(5 + 23 * side, 37);
            if ((kind >> side & 1) != 0) {
                const QPointF tick[] = {p + QPointF(0, 3.5), p + QPointF(2.5, 6),
                                        p + QPointF(7, 0)};
                painter.drawPolyline(tick, 3);
            } else {
                painter.drawLine(p + QPointF(0.5, 0.5), p + QPointF(6, 6));
                painter.drawLine(p + QPointF(6, 0.5), p + QPointF(0.5, 6));
            }
        }
        return picture;
    }

    std::array<Marks, colorscience::kRampSize> m_marks{};
};

/// The dark twin: the scheme's twins on the neutral 950, each with its name and both
/// contrasts in a light ink beside it, and "nearest reachable" where its contrast on white
/// cannot be had on the dark background.
class DarkPanel : public CodeCells {
public:
    static constexpr int kTop = 10;
    static constexpr int kItemWidth = 251;

    DarkPanel(int width, QWidget* parent)
        : CodeCells(QStringLiteral("darktwin"), QStringLiteral("Dark twin"),
                    {twinName(0), twinName(1), twinName(2)}, 11, parent) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFixedSize(width, kTop + kTwinHeight + 16);
        for (size_t k = 0; k < m_twins.size(); ++k)
            m_twins[k].name.setText(GlyphText::font(11, true), rowName(k));
        m_nearest.setText(GlyphText::font(11), QStringLiteral("nearest reachable"));
    }

    QRect cellArea(int index) const override {
        return {10 + index * kItemWidth, kTop, kTwinWidth, kTwinHeight};
    }

    /// Shows the twins (two or three) on background.
    void showTwins(colorscience::ColorRGB background,
                   const std::vector<colorscience::DarkTwin>& twins) {
        const QColor back(background.r, background.g, background.b);
        const int count = int(std::min(twins.size(), m_twins.size()));
        bool changed = back != m_back || count != cellCount();
        m_back = back;
        setCount(count);
        const QRawFont& font = GlyphText::font(11);
        for (size_t k = 0; k < size_t(count); ++k) {
            Twin& t = m_twins[k];
            const colorscience::DarkTwin& twin = twins[k];
            if (twin.color == cell(k).color && twin.contrast == t.contrast &&
                twin.targetContrast == t.target && twin.reachable == t.reachable)
                continue;
            t.contrast = twin.contrast;
            t.target = twin.targetContrast;
            t.reachable = twin.reachable;
            t.onDark.setText(font, text(colorscience::ratioText(t.contrast)) +
                                       QStringLiteral(" on dark"));
            t.onWhite.setText(font, text(colorscience::ratioText(t.target)) +
                                        QStringLiteral(" on white"));
            setColor(k, twin.color);
            changed = true;
        }
        if (changed)
            update();
    }

protected:
    QString describe(size_t k) const override {
        const Twin& t = m_twins[k];
        return cell(k).code +
               QStringLiteral("; %1 on dark, %2 on white")
                   .arg(text(colorscience::ratioWords(t.contrast)),
                        text(colorscience::ratioWords(t.target))) +
               (t.reachable ? QString() : QStringLiteral("; nearest reachable"));
    }

    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        painter.fillRect(event->rect(), m_back);
        painter.setPen(QColor(kLightInk));
        for (int k = 0; k < cellCount(); ++k) {
            const Twin& t = m_twins[size_t(k)];
            const QRect area = cellArea(k);
            const int x = area.right() + 9;
            t.name.draw(painter, x, kTop + 10);
            t.onDark.draw(painter, x, kTop + 23);
            t.onWhite.draw(painter, x, kTop + 36);
            if (!t.reachable)
                m_nearest.draw(painter, x, kTop + 49);
            // a twin stands for a scheme colour: it looks like the main window's swatches
            const Cell& c = cell(size_t(k));
            painter.fillRect(area, QColor(c.color.r, c.color.g, c.color.b));
            painter.save();
            painter.translate(area.topLeft());
            platform::paintSunkenBorder(painter, area.width(), area.height());
            painter.restore();
            painter.setPen(c.ink);
            c.glyphs.drawCentred(painter, area, area.center().y() + 5);
            paintFocus(painter, k);
            painter.setPen(QColor(kLightInk));
        }
    }

private:
    struct Twin {
        GlyphText name;
        GlyphText onDark;
        GlyphText onWhite;
        double contrast = 0;
        double target = 0;
        bool reachable = true;
    };

    static QString twinName(size_t k) { return rowName(k) + QStringLiteral(" dark twin"); }

    QColor m_back = Qt::black;
    std::array<Twin, 3> m_twins;
    GlyphText m_nearest;
};

RampsWindow::RampsWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName(QStringLiteral("frmramps"));
    setWindowTitle(QStringLiteral("Tonal Ramps"));
    platform::setBackColor(*this, ui::windowBackColor());

    // the ramps, or in their place a note while there is no scheme to make them of
    m_pages = new QStackedWidget(this);
    auto* ramps = new QWidget(m_pages);
    auto* layout = new QVBoxLayout(ramps);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(kSpacing);

    auto* header = new QHBoxLayout;
    header->addSpacing(kNameWidth + kSpacing);
    for (int step : colorscience::kRampSteps) {
        auto* label = new QLabel(QString::number(step), this);
        label->setObjectName(QStringLiteral("lblstep%1").arg(step));
        label->setFixedWidth(kStepWidth);
        label->setAlignment(Qt::AlignCenter);
        label->setFont(pixelFont(label->font(), 11, true));
        header->addWidget(label);
    }
    layout->addLayout(header);

    for (size_t row = 0; row < kRows; ++row) {
        const QString name = rowName(row);
        const QString objectName =
            row < 3 ? QStringLiteral("ramp%1").arg(row + 1) : QStringLiteral("rampneutral");
        auto* rowLayout = new QHBoxLayout;
        rowLayout->setSpacing(kSpacing);
        auto* caption = new QLabel(name, this);
        caption->setObjectName(QStringLiteral("lbl") + objectName);
        caption->setFixedWidth(kNameWidth);
        caption->setFont(pixelFont(caption->font(), 11, true));
        rowLayout->addWidget(caption);
        auto* ramp = new RampRow(objectName, name, this);
        caption->setBuddy(ramp);
        m_rows[row] = ramp;
        if (row == 2) {
            // a complementary scheme has two colours: the third row says so in its place
            auto* note = new QLabel(
                QStringLiteral("Not in this scheme: a complementary scheme has two colors."), this);
            note->setObjectName(QStringLiteral("lblnotinscheme"));
            note->setAlignment(Qt::AlignCenter);
            QPalette grey = note->palette();
            grey.setColor(QPalette::WindowText, QColor(kGreyInk));
            note->setPalette(grey);
            m_thirdCaption = caption;
            m_thirdRow = new QStackedLayout;
            m_thirdRow->addWidget(ramp);
            m_thirdRow->addWidget(note);
            rowLayout->addLayout(m_thirdRow);
        } else {
            rowLayout->addWidget(ramp);
        }
        layout->addLayout(rowLayout);
    }

    auto* legend = new QLabel(
        QStringLiteral("Click a swatch to copy its code. A ring and \"pinned\": the scheme color "
                       "itself. A tick or a cross by 50 and 950: the step passes or fails WCAG "
                       "AA (4.5:1) as text on its ramp's step 50 or 950."),
        this);
    legend->setObjectName(QStringLiteral("lbllegend"));
    legend->setWordWrap(true);
    layout->addSpacing(4);
    layout->addWidget(legend);
    layout->addSpacing(8);

    // above the panel, on the window: the panel repaints at every change, the title need not
    auto* title = new QLabel(QStringLiteral("Dark twin: each scheme color on the neutral 950 at "
                                            "the contrast it has on white"),
                             this);
    title->setObjectName(QStringLiteral("lbldarktwin"));
    title->setFont(pixelFont(title->font(), 11, true));
    layout->addWidget(title);
    m_dark = new DarkPanel(kNameWidth + colorscience::kRampSize * (kStepWidth + kSpacing), this);
    layout->addWidget(m_dark);

    m_pages->addWidget(ramps);
    m_pages->addWidget(ui::makeNoSchemeNote(m_pages));
    m_pages->setCurrentIndex(1);
    auto* window = new QVBoxLayout(this);
    window->setContentsMargins(12, 12, 12, 12);
    window->addWidget(m_pages);
    window->setSizeConstraint(QLayout::SetFixedSize);
}

RampsWindow::~RampsWindow() = default;

void RampsWindow::setSchemeColors(const std::vector<core::ColorRGB>& colors,
                                  const std::vector<std::optional<core::Oklch>>& exact) {
    if (!m_stale && colors == m_colors &&
        std::equal(exact.begin(), exact.end(), m_exact.begin(), m_exact.end(), sameExact))
        return;
    m_colors = colors;
    m_exact = exact;
    m_stale = true;
    catchUp();
}

void RampsWindow::follow(const scheme::SchemeModel& model) {
    const auto showScheme = [this, &model] {
        const std::vector<core::Color> colors =
            model.hasScheme() ? model.schemeColors() : std::vector<core::Color>();
        std::vector<colorscience::ColorRGB> split(colors.size());
        for (size_t i = 0; i < colors.size(); ++i)
            split[i] = core::splitColor(colors[i]);
        setSchemeColors(split, model.hasScheme() ? model.exactColors()
                                                 : std::vector<std::optional<core::Oklch>>());
    };
    // a tracked move changes the scheme more often than a screen shows it: the ramps are made
    // again at most once a frame, with the scheme as it is then
    m_followFrame.setSingleShot(true);
    m_followFrame.setInterval(ui::kFrameMilliseconds);
    connect(&m_followFrame, &QTimer::timeout, this, showScheme);
    connect(&model, &scheme::SchemeModel::changed, this, [this] {
        if (!m_followFrame.isActive())
            m_followFrame.start();
    });
    showScheme();
}

void RampsWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    catchUp();
}

void RampsWindow::catchUp() {
    // hidden, the window only keeps the colours: the work is done once it is shown
    if (!m_stale || !isVisible())
        return;
    m_system = colorscience::designSystemOf(m_colors, m_exact);
    m_stale = false;
    showSystem();
}

void RampsWindow::showSystem() {
    m_pages->setCurrentIndex(m_system.ramps.empty() ? 1 : 0);
    if (m_system.ramps.empty())
        return;
    const size_t colorCount = m_system.colors.size();
    m_thirdRow->setCurrentIndex(colorCount < 3 ? 1 : 0);
    m_thirdCaption->setEnabled(colorCount >= 3);
    for (size_t row = 0; row < kRows; ++row) {
        const bool neutral = row == kRows - 1;
        if (neutral || row < colorCount)
            m_rows[row]->showRamp(neutral ? m_system.neutral() : m_system.ramps[row]);
    }
    m_dark->showTwins(m_system.darkBackground(), m_system.twins);
}

} // namespace designsystem
