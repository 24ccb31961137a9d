#include "FixesPanel.h"

#include "platform/Desktop.h"
#include "ui/ColorConversion.h"

#include <QAbstractButton>
#include <QAbstractTableModel>
#include <QBoxLayout>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

#include <cmath>

namespace accessibility {

namespace {

using core::ColorRGB;

QString name(int index) {
    return QString::fromLatin1(colorscience::checkedColorName(index));
}

QString hexCode(colorscience::ColorRGB c) {
    return QString::fromStdString(core::hexText(c));
}

/// A lightness 0..1 as the percent of an oklch() text, one decimal: the fixes move in
/// thousandths, so the figure is exact.
QString percent(double L) {
    return QString::number(L * 100, 'f', 1);
}

} // namespace

std::vector<PairFix> pairFixes(const colorscience::SchemeCheck& check, colorscience::Level level) {
    std::vector<PairFix> out;
    for (int fg = 0; fg < colorscience::kCheckedColors; ++fg) {
        for (int bg = fg + 1; bg < colorscience::kCheckedColors; ++bg) {
            if (!check.compared(fg) || !check.compared(bg))
                continue;
            const double ratio = check.ratio[size_t(fg)][size_t(bg)];
            const colorscience::ColorRGB text = check.colors[size_t(fg)];
            const colorscience::ColorRGB back = check.colors[size_t(bg)];
            const std::vector<colorscience::ContrastFix> fixes =
                colorscience::contrastFixes(text, back, level);
            for (const colorscience::ContrastFix& fix : fixes)
                out.push_back({fg, bg, ratio, fix, fix.ratio});
            // a pair left out would look as if it passed
            if (fixes.empty() && !colorscience::passes(ratio, level))
                out.push_back(
                    {fg, bg, ratio, std::nullopt, colorscience::bestLightnessRatio(text, back)});
        }
    }
    return out;
}

/// The fixes as a table: pair, change, new colour, new ratio, new APCA Lc.
class FixesModel : public QAbstractTableModel {
public:
    enum Column { Pair, Change, Fix, Ratio, Apca, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    void setFixes(std::vector<PairFix> fixes, const colorscience::SchemeCheck& check,
                  colorscience::Level level) {
        beginResetModel();
        m_fixes = std::move(fixes);
        m_pictures.clear();
        for (const PairFix& f : m_fixes)
            m_pictures.push_back(
                {ui::swatchPicture({ui::toQRgb(check.colors[size_t(f.foreground)]),
                                    ui::toQRgb(check.colors[size_t(f.background)])}),
                 f.fix ? ui::swatchPicture({ui::toQRgb(f.fix->color)}) : QPixmap()});
        m_check = check;
        m_level = level;
        endResetModel();
    }
    const std::vector<PairFix>& fixes() const { return m_fixes; }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(m_fixes.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : ColumnCount;
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        static const char* const kTitles[] = {"Pair", "Change", "Fix", "Ratio", "APCA Lc"};
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
            section < ColumnCount)
            return QString::fromLatin1(kTitles[section]);
        return {};
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || size_t(index.row()) >= m_fixes.size())
            return {};
        const PairFix& f = m_fixes[size_t(index.row())];
        switch (role) {
        case Qt::DisplayRole:
            if (index.column() == Pair)
                return QStringLiteral("%1 on %2").arg(name(f.foreground), name(f.background));
            if (!f.fix)
                return index.column() == Change ? noFixText(f) : QVariant();
            switch (index.column()) {
            case Change:
                return QStringLiteral("%1 L %2%3%")
                    .arg(name(f.changed()),
                         f.fix->lightnessChange > 0 ? QStringLiteral("+") : QString(),
                         percent(f.fix->lightnessChange));
            case Fix:
                return hexCode(f.fix->color);
            case Ratio:
                return QString::fromStdString(colorscience::ratioText(f.fix->ratio));
            default:
                return QString::fromStdString(colorscience::apcaText(f.fix->apcaLc));
            }
        case Qt::DecorationRole:
            if (index.column() == Pair)
                return m_pictures[size_t(index.row())].pair;
            if (index.column() == Fix && f.fix)
                return m_pictures[size_t(index.row())].fix;
            return {};
        case Qt::TextAlignmentRole:
            return index.column() >= Ratio && f.fix ? int(Qt::AlignCenter)
                                                    : int(Qt::AlignLeft | Qt::AlignVCenter);
        case Qt::ToolTipRole:
        case Qt::AccessibleTextRole:
            return words(f);
        default:
            return {};
        }
    }

private:
    /// "no lightness change of either colour reaches 7:1", and below it "4.81:1 at best: change
    /// the hue or chroma"
    QString noFixText(const PairFix& f) const {
        return QStringLiteral("no lightness change of either colour reaches %1:1\n"
                              "%2 at best: change the hue or chroma")
            .arg(QString::number(colorscience::levelThreshold(m_level)),
                 QString::fromStdString(colorscience::ratioText(f.bestRatio)));
    }

    /// "Color 1 on White fails AA normal text (3.21 to 1). Color 1 at OKLCH lightness 51.2 %
    /// instead of 63.5 %: #1A4F9C, 4.52 to 1, APCA Lc 63.1. Click the code to copy it."
    QString words(const PairFix& f) const {
        const QString fails = QStringLiteral("%1 on %2 fails %3 (%4).")
                                  .arg(name(f.foreground), name(f.background),
                                       QLatin1String(colorscience::levelName(m_level)),
                                       QString::fromStdString(colorscience::ratioWords(f.ratio)));
        // a ratio spoken as everywhere else: "7 to 1"
        if (!f.fix)
            return fails + QStringLiteral(" No lightness change of either colour reaches %1 to 1: "
                                          "%2 at best. A change of hue or chroma is needed.")
                               .arg(QString::number(colorscience::levelThreshold(m_level)),
                                    QString::fromStdString(colorscience::ratioWords(f.bestRatio)));
        const colorscience::ContrastFix& fix = *f.fix;
        const int changed = f.changed();
        QString s =
            fails + QStringLiteral(" %1 at OKLCH lightness %2 % instead of %3 %: %4, %5, "
                                   "APCA Lc %6.")
                        .arg(name(changed), percent(fix.lightness),
                             percent(fix.lightness - fix.lightnessChange), hexCode(fix.color),
                             QString::fromStdString(colorscience::ratioWords(fix.ratio)),
                             QString::fromStdString(colorscience::apcaText(fix.apcaLc)));
        if (changed >= m_check.schemeColors)
            s += QStringLiteral(" %1 is not a swatch: copy it, it cannot be applied.")
                     .arg(name(changed));
        return s;
    }

    struct Pictures {
        QPixmap pair;
        QPixmap fix;
    };
    std::vector<PairFix> m_fixes;
    std::vector<Pictures> m_pictures;
    colorscience::SchemeCheck m_check;
    colorscience::Level m_level = colorscience::Level::AaNormal;
};

FixesPanel::FixesPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("fixpanel"));
    m_check = colorscience::checkScheme({});

    auto* levelLabel = new QLabel(QStringLiteral("&Fix pairs that fail:"), this);
    m_level = new QComboBox(this);
    m_level->setObjectName(QStringLiteral("cbofixlevel"));
    m_level->setAccessibleName(QStringLiteral("Fix pairs that fail"));
    for (colorscience::Level level : kFixLevels)
        m_level->addItem(QString::fromLatin1(levelName(level)));
    levelLabel->setBuddy(m_level);
    connect(m_level, &QComboBox::currentIndexChanged, this, [this] {
        m_stale = true;
        catchUp();
    });

    m_copy = new QPushButton(QStringLiteral("&Copy"), this);
    m_copy->setObjectName(QStringLiteral("cmdcopyfix"));
    m_copy->setAccessibleName(QStringLiteral("Copy fix"));
    m_copy->setToolTip(QStringLiteral("Copies the chosen fix's code"));
    connect(m_copy, &QPushButton::clicked, this, &FixesPanel::copyFix);
    m_apply = new QPushButton(QStringLiteral("&Apply"), this);
    m_apply->setObjectName(QStringLiteral("cmdapplyfix"));
    m_apply->setAccessibleName(QStringLiteral("Apply fix"));
    m_apply->setToolTip(QStringLiteral("Gives the swatch the chosen fix's colour and freezes "
                                       "the scheme; the next click on the wheel releases it"));
    connect(m_apply, &QPushButton::clicked, this, &FixesPanel::applyFix);

    m_model = new FixesModel(this);
    m_view = new QTableView(this);
    m_view->setObjectName(QStringLiteral("tblfixes"));
    m_view->setAccessibleName(QStringLiteral("Fixes for the pairs that fail"));
    m_view->setModel(m_model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setWordWrap(false);
    m_view->verticalHeader()->hide();
    m_view->setCornerButtonEnabled(false);
    // the corner selects nothing here, and a screen reader must not meet it unnamed
    for (auto* corner : m_view->findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly)) {
        corner->setAccessibleName(QStringLiteral("Table corner"));
        corner->hide();
    }
    m_view->verticalHeader()->setDefaultSectionSize(20);
    m_view->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // the section takes the room the contrast tables leave it and scrolls, never widening the
    // window
    m_view->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    // the pair takes what the figures leave
    int column = FixesModel::Change;
    for (int width : {104, 74, 48, 54})
        m_view->setColumnWidth(column++, width);
    m_view->horizontalHeader()->setSectionResizeMode(FixesModel::Pair, QHeaderView::Stretch);
    // a click on a fix's code copies it, as a click on any code does
    connect(m_view, &QTableView::clicked, this, [this](const QModelIndex& index) {
        if (index.column() == FixesModel::Fix)
            copyFix();
    });
    connect(m_view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &FixesPanel::updateButtons);

    auto* top = new QHBoxLayout;
    top->addWidget(levelLabel);
    top->addWidget(m_level);
    top->addStretch(1);
    top->addWidget(m_copy);
    top->addWidget(m_apply);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addLayout(top);
    layout->addWidget(m_view, 1);
    updateButtons();
}

void FixesPanel::setCheck(const colorscience::SchemeCheck& check) {
    m_check = check;
    m_stale = true;
    catchUp();
}

colorscience::Level FixesPanel::level() const {
    return kFixLevels[std::max(0, m_level->currentIndex())];
}

const std::vector<PairFix>& FixesPanel::fixes() const {
    return m_model->fixes();
}

void FixesPanel::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    catchUp();
}

void FixesPanel::catchUp() {
    // behind another tab the fixes wait until they are shown
    if (!m_stale || !isVisible())
        return;
    m_model->setFixes(pairFixes(m_check, level()), m_check, level());
    // a pair without a fix says so in two lines across the columns a fix would fill; the
    // rows keep their heights through a reset, so every row is given its own
    m_view->clearSpans();
    const int rowHeight = m_view->verticalHeader()->defaultSectionSize();
    for (size_t row = 0; row < fixes().size(); ++row) {
        const bool fix = fixes()[row].fix.has_value();
        m_view->setRowHeight(int(row),
                             fix ? rowHeight : 2 * m_view->fontMetrics().lineSpacing() + 6);
        if (!fix)
            m_view->setSpan(int(row), FixesModel::Change, 1,
                            FixesModel::ColumnCount - FixesModel::Change);
    }
    m_stale = false;
    updateButtons();
}

int FixesPanel::chosenRow() const {
    const QModelIndexList rows = m_view->selectionModel()->selectedRows();
    if (!rows.isEmpty())
        return rows.first().row();
    return fixes().empty() ? -1 : 0;
}

void FixesPanel::updateButtons() {
    const int row = chosenRow();
    const bool fix = row >= 0 && fixes()[size_t(row)].fix;
    m_copy->setEnabled(fix);
    m_apply->setEnabled(fix && fixes()[size_t(row)].changed() < m_check.schemeColors);
}

void FixesPanel::copyFix() {
    catchUp();
    const int row = chosenRow();
    if (row >= 0 && fixes()[size_t(row)].fix)
        platform::setClipboardText(hexCode(fixes()[size_t(row)].fix->color));
}

void FixesPanel::applyFix() {
    catchUp();
    const int row = chosenRow();
    if (row < 0)
        return;
    const PairFix& f = fixes()[size_t(row)];
    if (f.fix && f.changed() < m_check.schemeColors)
        emit applyRequested(f.changed() + 1, ui::toQRgb(f.fix->color));
}

} // namespace accessibility
