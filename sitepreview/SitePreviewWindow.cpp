#include "SitePreviewWindow.h"

#include "PageView.h"
#include "history/SchemeHistory.h"
#include "platform/Desktop.h"
#include "scheme/SchemeModel.h"
#include "ui/Swatch.h"
#include "ui/WindowHelpers.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>

namespace sitepreview {

namespace {

using colorscience::PairKind;
using colorscience::PairResult;
using colorscience::Role;
using colorscience::Theme;

constexpr std::array<Theme, 2> kThemes = {Theme::Light, Theme::Dark};

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

QString caption(Role role) {
    return QString::fromLatin1(colorscience::roleInfo(role).caption);
}

QString themeWord(Theme theme) {
    return QString::fromLatin1(colorscience::themeName(theme));
}

QString code(core::ColorRGB c) {
    return text(core::hexText(c));
}

QRgb rgbOf(core::ColorRGB c) {
    return qRgb(c.r, c.g, c.b);
}

/// The role's pair the table shows: the first in which it is painted on another, else the
/// first in which another is painted on it.
std::optional<PairResult> tablePair(const colorscience::ThemeRoles& roles, Role role) {
    const std::vector<PairResult> pairs = roles.pairsOf(role);
    for (const PairResult& p : pairs)
        if (p.pair.foreground == role && p.pair.kind != PairKind::Distinct)
            return p;
    for (const PairResult& p : pairs)
        if (p.pair.kind != PairKind::Distinct)
            return p;
    return std::nullopt;
}

/// The target in words: "needs 4.5:1", or the colour difference a link needs.
QString targetWords(const PairResult& p) {
    if (p.pair.kind == PairKind::Distinct)
        return QStringLiteral("needs \u0394E %1").arg(p.pair.target, 0, 'f', 2);
    return QStringLiteral("needs %1:1").arg(p.pair.target);
}

/// What pointing at an element of the page says, and whether it is marked failing.
struct ElementReport {
    QString words;
    bool failing = false;
};

ElementReport reportOf(const PageElement& element, const colorscience::ThemeRoles& roles) {
    const core::ColorRGB color = roles[element.role].color;
    ElementReport report;
    report.words = element.name + QStringLiteral(": ") + caption(element.role) + ' ' + code(color);
    if (!element.on)
        return report;
    const core::ColorRGB under = roles[*element.on].color;
    report.words += QStringLiteral(" on ") + caption(*element.on) + ' ' + code(under) +
                    QStringLiteral(", ") +
                    text(colorscience::ratioText(colorscience::contrastOf(color, under)));
    for (const PairResult& p : roles.pairs) {
        const bool onIt = p.pair.foreground == element.role && p.pair.background == *element.on;
        // a link in running text is also told from the text around it
        const bool fromText = element.text && element.role == Role::Link &&
                              p.pair.foreground == Role::Link && p.pair.kind == PairKind::Distinct;
        if (!onIt && !fromText)
            continue;
        if (p.pair.kind == PairKind::Distinct) {
            report.words += QStringLiteral("; \u0394E %1 from text").arg(p.deltaE, 0, 'f', 3);
        } else {
            report.words += QStringLiteral(" (%1)").arg(targetWords(p));
            if (p.pair.kind == PairKind::Text)
                report.words +=
                    QStringLiteral(", APCA Lc ") + text(colorscience::apcaText(p.apcaLc));
        }
        if (!p.passes) {
            report.failing = true;
            report.words += QStringLiteral(" \u2013 fails, ") + targetWords(p);
        }
    }
    return report;
}

QLabel* headerLabel(const QString& words, QWidget* parent) {
    auto* label = new QLabel(words, parent);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

} // namespace

SitePreviewWindow::SitePreviewWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName(QStringLiteral("frmsite"));
    setWindowTitle(QStringLiteral("Site Preview"));
    platform::setBackColor(*this, ui::windowBackColor());

    auto* top = new QHBoxLayout;
    auto* visionCaption = new QLabel(QStringLiteral("Color &vision:"), this);
    m_vision = new QComboBox(this);
    m_vision->setObjectName(QStringLiteral("cmbvision"));
    m_vision->setAccessibleName(QStringLiteral("Color vision"));
    visionCaption->setBuddy(m_vision);
    m_vision->addItem(QStringLiteral("Normal"));
    for (int s = 0; s < colorscience::kSimulationCount; ++s)
        m_vision->addItem(QString::fromLatin1(
            colorscience::simulationName(static_cast<colorscience::Simulation>(s))));
    connect(m_vision, &QComboBox::currentIndexChanged, this, [this](int index) {
        const std::optional<colorscience::Simulation> simulation =
            index > 0 ? std::optional(static_cast<colorscience::Simulation>(index - 1))
                      : std::nullopt;
        for (PageView* page : m_pages)
            page->setSimulation(simulation);
    });
    top->addWidget(visionCaption);
    top->addWidget(m_vision);
    top->addStretch();

    m_stack = new QStackedWidget(this);
    auto* content = new QWidget(m_stack);
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* pages = new QHBoxLayout;
    pages->setSpacing(12);
    for (Theme theme : kThemes) {
        const bool light = theme == Theme::Light;
        auto* column = new QVBoxLayout;
        column->setSpacing(4);
        auto* title =
            headerLabel(light ? QStringLiteral("Light") : QStringLiteral("Dark"), content);
        title->setObjectName(light ? QStringLiteral("lbllight") : QStringLiteral("lbldark"));
        auto* page = new PageView(
            light ? QStringLiteral("pagelight") : QStringLiteral("pagedark"),
            light ? QStringLiteral("Light page") : QStringLiteral("Dark page"), content);
        connect(page, &PageView::hovered, this,
                [this, page](int index) { showHovered(page, index); });
        m_pages[size_t(theme)] = page;
        column->addWidget(title);
        column->addWidget(page);
        pages->addLayout(column);
    }
    pages->addStretch();
    layout->addLayout(pages);

    m_status = new QLabel(content);
    m_status->setObjectName(QStringLiteral("lblsitestatus"));
    m_status->setWordWrap(true);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_status->setText(QStringLiteral("Point at an element to see its role and contrast."));
    // two lines, so the page does not move as the text under the pointer grows
    m_status->setMinimumHeight(2 * m_status->fontMetrics().lineSpacing() + 4);
    m_status->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(m_status);
    layout->addWidget(makeRolesTable());
    m_message = new QLabel(content);
    m_message->setObjectName(QStringLiteral("lblrolemessage"));
    m_message->setWordWrap(true);
    QPalette red = m_message->palette();
    red.setColor(QPalette::WindowText, QColor(0xB0, 0x00, 0x20));
    m_message->setPalette(red);
    layout->addWidget(m_message);

    m_stack->addWidget(content);
    m_stack->addWidget(ui::makeNoSchemeNote(m_stack));
    m_stack->setCurrentIndex(1);

    auto* window = new QVBoxLayout(this);
    window->setContentsMargins(12, 12, 12, 12);
    window->addLayout(top);
    window->addWidget(m_stack);
    window->setSizeConstraint(QLayout::SetFixedSize);
}

SitePreviewWindow::~SitePreviewWindow() = default;

QWidget* SitePreviewWindow::makeRolesTable() {
    auto* table = new QWidget(this);
    table->setObjectName(QStringLiteral("tblroles"));
    table->setAccessibleName(QStringLiteral("Roles"));
    auto* grid = new QGridLayout(table);
    grid->setContentsMargins(0, 4, 0, 0);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    grid->addWidget(headerLabel(QStringLiteral("Role"), table), 0, 0);
    const QStringList heads = {QString(), QStringLiteral("Step"), QStringLiteral("Color"),
                               QStringLiteral("Contrast"), QStringLiteral("APCA Lc")};
    for (Theme theme : kThemes) {
        const int first = 1 + int(theme) * 6;
        grid->addWidget(
            headerLabel(theme == Theme::Light ? QStringLiteral("Light") : QStringLiteral("Dark"),
                        table),
            0, first, 1, 5);
        for (int c = 1; c < heads.size(); ++c)
            grid->addWidget(new QLabel(heads[c], table), 1, first + c);
        if (theme == Theme::Light)
            grid->setColumnMinimumWidth(first + 5, 16);
    }
    for (int r = 0; r < colorscience::kRoleCount; ++r) {
        const auto role = static_cast<Role>(r);
        const QString id = QString::fromLatin1(colorscience::roleInfo(role).id);
        auto* name = new QLabel(caption(role), table);
        name->setObjectName(QStringLiteral("lblrole_") + id);
        grid->addWidget(name, r + 2, 0);
        for (Theme theme : kThemes) {
            const QString suffix = id + '_' + themeWord(theme);
            const QString spoken = caption(role) + ' ' + themeWord(theme);
            const int first = 1 + int(theme) * 6;
            RoleCells& cells = m_cells[size_t(theme)][size_t(r)];
            cells.swatch = new ui::Swatch(0xFFFFFF, ui::Swatch::NoColor::Refused, table);
            cells.swatch->setObjectName(QStringLiteral("picrole_") + suffix);
            cells.swatch->setAccessibleName(spoken + QStringLiteral(" swatch"));
            cells.swatch->setFixedSize(20, 20);
            cells.step = new QComboBox(table);
            cells.step->setObjectName(QStringLiteral("cmbstep_") + suffix);
            cells.step->setAccessibleName(spoken + QStringLiteral(" step"));
            for (int choice = 0; choice < colorscience::kChoiceCount; ++choice)
                cells.step->addItem(text(colorscience::choiceName(choice)));
            cells.step->addItem(QStringLiteral("typed"));
            cells.step->addItem(QStringLiteral("auto"));
            cells.step->setToolTip(
                QStringLiteral("The ramp step the role takes; auto: chosen by contrast"));
            connect(cells.step, &QComboBox::activated, this,
                    [this, theme, role](int index) { chooseStep(theme, role, index); });
            cells.color = new QLineEdit(table);
            cells.color->setObjectName(QStringLiteral("txtrole_") + suffix);
            cells.color->setAccessibleName(spoken + QStringLiteral(" color"));
            cells.color->setFixedWidth(
                cells.color->fontMetrics().horizontalAdvance(QStringLiteral("#MMMMMMM")) + 12);
            cells.color->setToolTip(QStringLiteral("Type any CSS color and press Enter"));
            connect(cells.color, &QLineEdit::returnPressed, this,
                    [this, theme, role] { typeColor(theme, role); });
            cells.ratio = new QLabel(table);
            cells.ratio->setObjectName(QStringLiteral("lblratio_") + suffix);
            cells.ratio->setMinimumWidth(
                cells.ratio->fontMetrics().horizontalAdvance(QStringLiteral("21.00:1 \u2717")));
            cells.lc = new QLabel(table);
            cells.lc->setObjectName(QStringLiteral("lbllc_") + suffix);
            cells.lc->setMinimumWidth(
                cells.lc->fontMetrics().horizontalAdvance(QStringLiteral("-108.0")));
            grid->addWidget(cells.swatch, r + 2, first);
            grid->addWidget(cells.step, r + 2, first + 1);
            grid->addWidget(cells.color, r + 2, first + 2);
            grid->addWidget(cells.ratio, r + 2, first + 3);
            grid->addWidget(cells.lc, r + 2, first + 4);
        }
    }
    grid->setColumnStretch(13, 1);
    return table;
}

void SitePreviewWindow::follow(const scheme::SchemeModel& model, history::SchemeHistory& history) {
    m_model = &model;
    m_history = &history;
    // a tracked move changes the scheme more often than a screen shows it: the roles are
    // derived again at most once a frame, with the scheme as it is then
    m_followFrame.setSingleShot(true);
    m_followFrame.setInterval(ui::kFrameMilliseconds);
    connect(&m_followFrame, &QTimer::timeout, this, [this] {
        m_stale = true;
        catchUp();
    });
    connect(&model, &scheme::SchemeModel::changed, this, [this] {
        if (!m_followFrame.isActive())
            m_followFrame.start();
    });
    m_stale = true;
    catchUp();
}

void SitePreviewWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    catchUp();
}

void SitePreviewWindow::catchUp() {
    // hidden, the window only notes that it is behind: the roles are derived once shown
    if (!m_model || !m_stale || !isVisible())
        return;
    m_stale = false;
    if (!m_model->hasScheme()) {
        showRoles(std::nullopt);
        return;
    }
    showRoles(m_model->roles());
}

void SitePreviewWindow::showRoles(const std::optional<colorscience::Roles>& roles) {
    m_roles = roles;
    m_stack->setCurrentIndex(roles ? 0 : 1);
    if (!roles)
        return;
    const std::vector<PageElement>& elements = pageElements();
    for (Theme theme : kThemes) {
        const colorscience::ThemeRoles& themeRoles = roles->theme(theme);
        RoleColors colors{};
        for (int r = 0; r < colorscience::kRoleCount; ++r)
            colors[size_t(r)] = rgbOf(themeRoles.roles[size_t(r)].color);
        QStringList words;
        std::vector<bool> failing;
        words.reserve(int(elements.size()));
        failing.reserve(elements.size());
        for (const PageElement& e : elements) {
            const ElementReport report = reportOf(e, themeRoles);
            words << report.words;
            failing.push_back(report.failing);
        }
        m_pages[size_t(theme)]->showPage(colors, words, failing);
    }
    showTable();
}

void SitePreviewWindow::showTable() {
    for (Theme theme : kThemes) {
        const colorscience::ThemeRoles& themeRoles = m_roles->theme(theme);
        for (int r = 0; r < colorscience::kRoleCount; ++r) {
            const auto role = static_cast<Role>(r);
            const colorscience::RoleColor& rc = themeRoles[role];
            RoleCells& cells = m_cells[size_t(theme)][size_t(r)];
            cells.swatch->setBackColor(core::rgbValue(rc.color.r, rc.color.g, rc.color.b));
            cells.step->setCurrentIndex(rc.choice < 0 ? colorscience::kChoiceCount : rc.choice);
            if (!cells.color->hasFocus() || !cells.color->isModified())
                cells.color->setText(code(rc.color));
            const std::optional<PairResult> pair = tablePair(themeRoles, role);
            // the role fails, or the pair shown does (the text on a background, say)
            const bool fails = rc.failing || (pair && !pair->passes);
            const QString mark = fails ? QStringLiteral(" \u2717") : QString();
            cells.ratio->setText(pair ? text(colorscience::ratioText(pair->ratio)) + mark : mark);
            cells.lc->setText(pair && pair->pair.kind == PairKind::Text
                                  ? text(colorscience::apcaText(pair->apcaLc))
                                  : QString());
            QString tip = caption(role) + ' ' + themeWord(theme);
            if (pair)
                tip += QStringLiteral(": ") + caption(pair->pair.foreground) +
                       QStringLiteral(" on ") + caption(pair->pair.background) +
                       QStringLiteral(", ") + targetWords(*pair);
            if (!rc.reason.empty())
                tip += '\n' + text(rc.reason);
            cells.ratio->setToolTip(tip);
            QPalette palette = cells.ratio->palette();
            palette.setColor(QPalette::WindowText,
                             fails ? QColor(0xB0, 0x00, 0x20)
                                   : this->palette().color(QPalette::WindowText));
            cells.ratio->setPalette(palette);
        }
    }
}

void SitePreviewWindow::showHovered(PageView* page, int index) {
    const QString words = page->description(index);
    m_status->setText(
        words.isEmpty()
            ? QStringLiteral("Point at an element to see its role and contrast.")
            : (page == m_pages[0] ? QStringLiteral("Light: ") : QStringLiteral("Dark: ")) + words);
}

void SitePreviewWindow::chooseStep(Theme theme, Role role, int index) {
    if (!m_roles)
        return;
    if (index == colorscience::kChoiceCount) {
        // "typed" is what a typed colour shows, not a choice: the field is where to type it
        showTable();
        m_cells[size_t(theme)][size_t(role)].color->setFocus();
        return;
    }
    if (index > colorscience::kChoiceCount) {
        setOverride(theme, role, std::nullopt);
        return;
    }
    colorscience::RoleOverride value;
    value.choice = index;
    const colorscience::RoleColor chosen =
        colorscience::choiceColor(m_roles->ramp(colorscience::roleInfo(role).ramp), index);
    value.color = chosen.color;
    value.exact = chosen.exact;
    setOverride(theme, role, value);
}

void SitePreviewWindow::typeColor(Theme theme, Role role) {
    QLineEdit* field = m_cells[size_t(theme)][size_t(role)].color;
    const colorscience::RoleColorRead read =
        colorscience::parseRoleColor(field->text().toStdString());
    if (!read.value) {
        // nothing changes: the message says why, the field keeps the text to correct
        m_message->setText(caption(role) + ' ' + themeWord(theme) + QStringLiteral(": ") +
                           text(read.error));
        return;
    }
    field->setModified(false);
    setOverride(theme, role, read.value);
}

void SitePreviewWindow::setOverride(Theme theme, Role role,
                                    const std::optional<colorscience::RoleOverride>& value) {
    m_message->clear();
    if (!m_history)
        return;
    m_history->setRole(theme, role, value);
    // the model's change brings the roles at the next frame; the user sees them now
    m_stale = true;
    catchUp();
}

} // namespace sitepreview
