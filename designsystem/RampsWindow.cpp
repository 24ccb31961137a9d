#include "RampsWindow.h"

#include "platform/Desktop.h"
#include "scheme/SchemeModel.h"
#include "ui/CopyAsMenu.h"
#include "ui/Swatch.h"
#include "ui/WindowHelpers.h"

#include <QBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QStackedLayout>

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
const ColorRGB kBlack{0, 0, 0};
const ColorRGB kWhite{255, 255, 255};

QString text(const std::string& s) {
    return QString::fromStdString(s);
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

/// "passes AA" or "fails AA" with the ratio in words.
QString aaWords(double ratio) {
    return text(accessibility::ratioWords(ratio)) +
           (accessibility::passes(ratio, accessibility::Level::AaNormal)
                ? QStringLiteral(", passes AA")
                : QStringLiteral(", fails AA"));
}

} // namespace

/// A swatch showing its colour's code, which a click (or Space, Enter, Ctrl+C) copies; a ramp
/// step also shows whether it is the pinned source and whether it passes WCAG AA as text on the
/// ramp's steps 50 and 950. It keeps what it shows and repaints only when that changes.
class CodeSwatch : public ui::Swatch {
public:
    struct Step {
        bool pinned = false;
        double onLightest = 1; ///< WCAG ratio on the ramp's step 50
        double onDarkest = 1;  ///< and on its step 950
        friend bool operator==(const Step& a, const Step& b) {
            return a.pinned == b.pinned && a.onLightest == b.onLightest &&
                   a.onDarkest == b.onDarkest;
        }
    };

    CodeSwatch(const QString& name, const QString& spokenName, bool isStep, QWidget* parent)
        : ui::Swatch(0, NoColor::Refused, parent), m_isStep(isStep) {
        setObjectName(name);
        setAccessibleName(spokenName);
        setFixedSize(isStep ? kStepWidth : kTwinWidth, isStep ? kStepHeight : kTwinHeight);
        setFocusPolicy(Qt::StrongFocus);
        setCursor(Qt::PointingHandCursor);
        ui::attachCopyAsMenu(this, [this] { return m_color; });
        showColor({}, {});
    }

    ColorRGB color() const { return m_color; }

    /// Shows color with the step's marks (ignored on a twin); description is said by screen
    /// readers and tooltips after the code.
    void showColor(ColorRGB color, const Step& step, const QString& description = {}) {
        if (m_shown && color == m_color && step == m_step && description == m_description)
            return;
        m_shown = true;
        m_color = color;
        m_step = step;
        m_description = description;
        m_code = text(core::hexText(color));
        m_ink = contrastOf(color, kBlack) >= contrastOf(color, kWhite) ? Qt::black : Qt::white;
        QString words = m_code;
        if (m_isStep) {
            if (step.pinned)
                words += QStringLiteral("; pinned: the scheme color itself");
            words += QStringLiteral("; as text on step 50: ") + aaWords(step.onLightest) +
                     QStringLiteral("; on step 950: ") + aaWords(step.onDarkest);
        }
        if (!description.isEmpty())
            words += QStringLiteral("; ") + description;
        setAccessibleDescription(words);
        setToolTip(words);
        setBackColor(core::rgbValue(color.r, color.g, color.b));
        update();
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        ui::Swatch::paintEvent(event);
        QPainter painter(this);
        painter.setPen(m_ink);
        const int w = width();
        if (!m_isStep) {
            painter.setFont(pixelFont(font(), 11));
            painter.drawText(rect(), Qt::AlignCenter, m_code);
        } else {
            painter.setFont(pixelFont(font(), 10));
            painter.drawText(QRect(0, 15, w, 16), Qt::AlignCenter, m_code);
            painter.setFont(pixelFont(font(), 9));
            if (m_step.pinned)
                painter.drawText(QRect(15, 3, w - 18, 12), Qt::AlignLeft | Qt::AlignVCenter,
                                 QStringLiteral("pinned"));
            painter.drawText(QRect(14, 34, 16, 12), Qt::AlignLeft | Qt::AlignVCenter,
                             QStringLiteral("50"));
            painter.drawText(QRect(37, 34, 22, 12), Qt::AlignLeft | Qt::AlignVCenter,
                             QStringLiteral("950"));
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(QPen(m_ink, 1.5));
            if (m_step.pinned)
                painter.drawEllipse(QRectF(5.5, 5.5, 7, 7));
            paintVerdict(painter, QPointF(5, 36), m_step.onLightest);
            paintVerdict(painter, QPointF(28, 36), m_step.onDarkest);
        }
        if (hasFocus()) {
            painter.setRenderHint(QPainter::Antialiasing, false);
            painter.setPen(QPen(m_ink, 1, Qt::DotLine));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(rect().adjusted(3, 3, -4, -4));
        }
    }

    void mousePressEvent(QMouseEvent* event) override {
        // taken, so that the release comes here too
        event->setAccepted(event->button() == Qt::LeftButton);
    }

    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            copyCode();
    }

    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
            event->key() == Qt::Key_Enter || event->matches(QKeySequence::Copy))
            copyCode();
        else
            ui::Swatch::keyPressEvent(event);
    }

    void focusInEvent(QFocusEvent* event) override {
        ui::Swatch::focusInEvent(event);
        update();
    }
    void focusOutEvent(QFocusEvent* event) override {
        ui::Swatch::focusOutEvent(event);
        update();
    }

private:
    /// A tick where the ratio passes AA, a cross where it fails, in a 6 x 6 box at p: told apart
    /// by shape, not by colour.
    static void paintVerdict(QPainter& painter, QPointF p, double ratio) {
        if (accessibility::passes(ratio, accessibility::Level::AaNormal)) {
            const QPointF tick[] = {p + QPointF(0, 3.5), p + QPointF(2.5, 6), p + QPointF(7, 0)};
            painter.drawPolyline(tick, 3);
        } else {
            painter.drawLine(p + QPointF(0.5, 0.5), p + QPointF(6, 6));
            painter.drawLine(p + QPointF(6, 0.5), p + QPointF(0.5, 6));
        }
    }

    void copyCode() const { platform::setClipboardText(m_code); }

    bool m_isStep;
    bool m_shown = false;
    ColorRGB m_color;
    Step m_step;
    QString m_description;
    QString m_code;
    QColor m_ink = Qt::black;
};

/// The dark twin's background: filled with the neutral 950, its labels in a light ink.
class DarkPanel : public QWidget {
public:
    explicit DarkPanel(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("darktwin"));
        setAttribute(Qt::WA_OpaquePaintEvent);
        QPalette light = palette();
        light.setColor(QPalette::WindowText, QColor(kLightInk));
        setPalette(light);
    }
    void setBackground(ColorRGB color) {
        const QColor back(color.r, color.g, color.b);
        if (back == m_back)
            return;
        m_back = back;
        update();
    }

protected:
    void paintEvent(QPaintEvent* event) override { QPainter(this).fillRect(event->rect(), m_back); }

private:
    QColor m_back = Qt::black;
};

RampsWindow::RampsWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName(QStringLiteral("frmramps"));
    setWindowTitle(QStringLiteral("Tonal Ramps"));
    platform::setBackColor(*this, ui::windowBackColor());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(kSpacing);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    auto* header = new QHBoxLayout;
    header->setSpacing(kSpacing);
    header->addSpacing(kNameWidth + kSpacing);
    for (int step : kRampSteps) {
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
        auto* rowWidget = new QWidget(this);
        rowWidget->setObjectName(row < 3 ? QStringLiteral("ramp%1").arg(row + 1)
                                         : QStringLiteral("rampneutral"));
        auto* rowLayout = new QHBoxLayout(rowWidget);
        rowLayout->setContentsMargins(0, 0, 0, 0);
        rowLayout->setSpacing(kSpacing);
        auto* caption = new QLabel(name, rowWidget);
        caption->setObjectName(QStringLiteral("lbl") + rowWidget->objectName());
        caption->setFixedWidth(kNameWidth);
        caption->setFont(pixelFont(caption->font(), 11, true));
        rowLayout->addWidget(caption);
        auto* steps = new QWidget(rowWidget);
        auto* stepsLayout = new QHBoxLayout(steps);
        stepsLayout->setContentsMargins(0, 0, 0, 0);
        stepsLayout->setSpacing(kSpacing);
        for (size_t i = 0; i < kRampSize; ++i) {
            const int step = kRampSteps[i];
            auto* swatch =
                new CodeSwatch(QStringLiteral("step%1").arg(step),
                               QStringLiteral("%1 step %2").arg(name).arg(step), true, steps);
            stepsLayout->addWidget(swatch);
            m_steps[row][i] = swatch;
        }
        if (row == 2) {
            // a complementary scheme has two colours: the third row says so in its place
            auto* note = new QLabel(
                QStringLiteral("Not in this scheme: a complementary scheme has two colors."),
                rowWidget);
            note->setObjectName(QStringLiteral("lblnotinscheme"));
            note->setAlignment(Qt::AlignCenter);
            QPalette grey = note->palette();
            grey.setColor(QPalette::WindowText, QColor(kGreyInk));
            note->setPalette(grey);
            m_thirdRow = new QStackedLayout;
            m_thirdRow->addWidget(steps);
            m_thirdRow->addWidget(note);
            rowLayout->addLayout(m_thirdRow);
        } else {
            rowLayout->addWidget(steps);
        }
        layout->addWidget(rowWidget);
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
    layout->addSpacing(6);

    m_dark = new DarkPanel(this);
    auto* dark = new QVBoxLayout(m_dark);
    dark->setContentsMargins(10, 8, 10, 10);
    dark->setSpacing(8);
    auto* title = new QLabel(
        QStringLiteral("Dark twin: each scheme color on the neutral 950 at the contrast it "
                       "has on white"),
        m_dark);
    title->setObjectName(QStringLiteral("lbldarktwin"));
    title->setFont(pixelFont(title->font(), 11, true));
    dark->addWidget(title);
    auto* twins = new QHBoxLayout;
    twins->setSpacing(16);
    for (size_t k = 0; k < m_twins.size(); ++k) {
        const QString name = rowName(k);
        auto* item = new QWidget(m_dark);
        item->setObjectName(QStringLiteral("twinitem%1").arg(k + 1));
        auto* itemLayout = new QHBoxLayout(item);
        itemLayout->setContentsMargins(0, 0, 0, 0);
        itemLayout->setSpacing(8);
        m_twins[k] = new CodeSwatch(QStringLiteral("twin%1").arg(k + 1),
                                    QStringLiteral("%1 dark twin").arg(name), false, item);
        itemLayout->addWidget(m_twins[k]);
        auto* texts = new QVBoxLayout;
        texts->setSpacing(1);
        auto* caption = new QLabel(name, item);
        caption->setObjectName(QStringLiteral("lbltwin%1").arg(k + 1));
        caption->setFont(pixelFont(caption->font(), 11, true));
        m_twinContrasts[k] = new QLabel(item);
        m_twinContrasts[k]->setObjectName(QStringLiteral("lbltwincontrast%1").arg(k + 1));
        m_twinNotes[k] = new QLabel(item);
        m_twinNotes[k]->setObjectName(QStringLiteral("lbltwinnote%1").arg(k + 1));
        for (QLabel* label : {caption, m_twinContrasts[k], m_twinNotes[k]})
            texts->addWidget(label);
        itemLayout->addLayout(texts);
        item->setFixedWidth(250);
        twins->addWidget(item);
    }
    twins->addStretch(1);
    dark->addLayout(twins);
    layout->addWidget(m_dark);
}

RampsWindow::~RampsWindow() = default;

void RampsWindow::setSchemeColors(const std::vector<core::ColorRGB>& colors) {
    if (!m_stale && colors == m_colors)
        return;
    m_colors = colors;
    m_stale = true;
    catchUp();
}

void RampsWindow::follow(const scheme::SchemeModel& model) {
    const auto showScheme = [this, &model] {
        const std::vector<core::Color> colors = model.schemeColors();
        std::vector<ColorRGB> split(colors.size());
        for (size_t i = 0; i < colors.size(); ++i)
            split[i] = core::splitColor(colors[i]);
        setSchemeColors(split);
    };
    connect(&model, &scheme::SchemeModel::changed, this, showScheme);
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
    m_system = designSystemOf(m_colors);
    m_stale = false;
    showSystem();
}

void RampsWindow::showSystem() {
    if (m_system.ramps.empty())
        return;
    const size_t colorCount = m_system.colors.size();
    m_thirdRow->setCurrentIndex(colorCount < 3 ? 1 : 0);
    for (size_t row = 0; row < kRows; ++row) {
        const bool neutral = row == kRows - 1;
        if (!neutral && row >= colorCount)
            continue;
        const Ramp& ramp = neutral ? m_system.neutral() : m_system.ramps[row];
        const ColorRGB lightest = ramp.steps.front().color;
        const ColorRGB darkest = ramp.steps.back().color;
        for (size_t i = 0; i < kRampSize; ++i) {
            const RampStep& s = ramp.steps[i];
            m_steps[row][i]->showColor(
                s.color, {s.pinned, contrastOf(s.color, lightest), contrastOf(s.color, darkest)});
        }
    }

    m_dark->setBackground(m_system.darkBackground());
    for (size_t k = 0; k < m_twins.size(); ++k) {
        m_twins[k]->parentWidget()->setVisible(k < colorCount);
        if (k >= colorCount)
            continue;
        const DarkTwin& twin = m_system.twins[k];
        const QString contrasts =
            text(accessibility::ratioText(twin.contrast)) + QStringLiteral(" on dark · ") +
            text(accessibility::ratioText(twin.targetContrast)) + QStringLiteral(" on white");
        const QString note = twin.reachable ? QString() : QStringLiteral("nearest reachable");
        m_twinContrasts[k]->setText(contrasts);
        m_twinNotes[k]->setText(note);
        m_twins[k]->showColor(
            twin.color, {},
            QStringLiteral("%1 on dark, %2 on white")
                    .arg(text(accessibility::ratioWords(twin.contrast)),
                         text(accessibility::ratioWords(twin.targetContrast))) +
                (twin.reachable ? QString() : QStringLiteral("; nearest reachable")));
    }
}

} // namespace designsystem
