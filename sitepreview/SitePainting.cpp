#include "SitePainting.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace sitepreview {

namespace {

using colorscience::Role;

constexpr int kWidth = 440;
constexpr int kHeight = 500;
constexpr int kMargin = 24;

// the layout, shared by the element table and the painting
const QRect kNav(0, 0, kWidth, 48);
const QRect kNavBorder(0, 47, kWidth, 1);
const QRect kBrand(kMargin, 12, 120, 24);
const std::array<QRect, 3> kNavLinks = {QRect(244, 15, 50, 18), QRect(300, 15, 50, 18),
                                        QRect(356, 15, 60, 18)};
const QRect kHeadline(kMargin, 66, kWidth - 2 * kMargin, 36);
const QRect kBody(kMargin, 106, kWidth - 2 * kMargin, 40);
const QRect kPrimary(kMargin, 156, 128, 36);
const QRect kPrimaryLabel = kPrimary.adjusted(8, 8, -8, -8);
const QRect kSecondary(kMargin + 140, 156, 128, 36);
const QRect kSecondaryLabel = kSecondary.adjusted(8, 8, -8, -8);
constexpr int kCardTop = 210;
constexpr int kCardWidth = 122;
constexpr int kCardGap = 12;
constexpr int kCardHeight = 120;
QRect card(int k) {
    return {kMargin + k * (kCardWidth + kCardGap), kCardTop, kCardWidth, kCardHeight};
}
QRect badge(int k) {
    return {card(k).left() + 12, kCardTop + 12, 52, 20};
}
QRect cardTitle(int k) {
    return {card(k).left() + 12, kCardTop + 40, kCardWidth - 24, 20};
}
QRect cardText(int k) {
    return {card(k).left() + 12, kCardTop + 62, kCardWidth - 24, 48};
}
const QRect kLabel(kMargin, 346, 200, 18);
const QRect kField(kMargin + 4, 370, 260, 34);
const QRect kFieldText = kField.adjusted(10, 8, -10, -8);
/// The focus ring: two pixels, two pixels outside the field, as browsers draw
/// outline-offset: 2px.
const QRect kFocus = kField.adjusted(-4, -4, 4, 4);
const QRect kRunning(kMargin, 418, kWidth - 2 * kMargin, 20);
const QRect kFooter(0, 456, kWidth, kHeight - 456);
const QRect kFooterBorder(0, 456, kWidth, 1);
const QRect kFooterText(kMargin, 468, kWidth - 2 * kMargin, 20);

const char* const kCardTitles[] = {"Palette", "Contrast", "Export"};
const char* const kCardTexts[] = {"Three colors from one base.", "Every pair checked, both modes.",
                                  "Tokens, CSS and a page."};
const char* const kNavLinkTexts[] = {"Work", "About", "Contact"};
const char* const kRunningBefore = "Read the ";
const char* const kRunningLink = "color guide";
const char* const kRunningAfter = " before you ship.";

QRgb colorOf(const RoleColors& colors, Role role) {
    return colors[static_cast<size_t>(role)];
}

QFont sized(const QFont& like, int pixels, bool bold = false) {
    QFont font = like;
    font.setPixelSize(pixels);
    font.setBold(bold);
    // the page's texts keep their size whatever the desktop's hinting: the rectangles
    // are fixed and must hold them at every scale
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

/// The running text's link: where "color guide" lies in its line, measured with the font
/// the line is painted in.
QRect runningLinkRect(const QFont& font) {
    const QFontMetrics metrics(sized(font, 13));
    const int before = metrics.horizontalAdvance(QString::fromLatin1(kRunningBefore));
    const int link = metrics.horizontalAdvance(QString::fromLatin1(kRunningLink));
    return {kRunning.left() + before, kRunning.top(), link, kRunning.height()};
}

std::vector<PageElement> makeElements() {
    std::vector<PageElement> e;
    const auto add = [&e](const QString& name, Role role, std::optional<Role> on, const QRect& rect,
                          bool text = false) {
        // a fill shows its colour left of whatever lies on it: every text and inner part
        // starts further in
        const QPoint sample = rect.height() <= 2 ? QPoint(rect.left() + 1, rect.top())
                                                 : QPoint(rect.left() + 4, rect.center().y());
        e.push_back({name, role, on, rect, text, sample});
    };
    const QRect page(0, 0, kWidth, kHeight);
    add(QStringLiteral("Page"), Role::Background, std::nullopt, page);
    add(QStringLiteral("Navigation bar"), Role::Surface, Role::Background, kNav);
    add(QStringLiteral("Navigation border"), Role::Border, Role::Background, kNavBorder);
    add(QStringLiteral("Site name"), Role::Text, Role::Surface, kBrand, true);
    for (size_t k = 0; k < kNavLinks.size(); ++k)
        add(QStringLiteral("Navigation link \"%1\"").arg(kNavLinkTexts[k]), Role::Link,
            Role::Surface, kNavLinks[k], true);
    add(QStringLiteral("Headline"), Role::Text, Role::Background, kHeadline, true);
    add(QStringLiteral("Body text"), Role::Text, Role::Background, kBody, true);
    add(QStringLiteral("Primary button"), Role::Primary, Role::Background, kPrimary);
    add(QStringLiteral("Primary button label"), Role::OnPrimary, Role::Primary, kPrimaryLabel,
        true);
    add(QStringLiteral("Secondary button"), Role::Secondary, Role::Background, kSecondary);
    add(QStringLiteral("Secondary button label"), Role::OnSecondary, Role::Secondary,
        kSecondaryLabel, true);
    for (int k = 0; k < 3; ++k) {
        const QString n = QString::fromLatin1(kCardTitles[k]);
        add(QStringLiteral("Card \"%1\"").arg(n), Role::Surface, Role::Background, card(k));
        add(QStringLiteral("Card border"), Role::Border, Role::Background,
            QRect(card(k).left(), kCardTop, kCardWidth, 1));
        add(QStringLiteral("Accent badge"), Role::Accent, Role::Surface, badge(k));
        add(QStringLiteral("Badge label"), Role::OnAccent, Role::Accent,
            badge(k).adjusted(4, 3, -4, -3), true);
        add(QStringLiteral("Card title"), Role::Text, Role::Surface, cardTitle(k), true);
        add(QStringLiteral("Card text"), Role::MutedText, Role::Surface, cardText(k), true);
    }
    add(QStringLiteral("Field label"), Role::Text, Role::Background, kLabel, true);
    add(QStringLiteral("Focus ring"), Role::FocusRing, Role::Background,
        QRect(kFocus.left(), kFocus.top(), kFocus.width(), 2));
    add(QStringLiteral("Form field"), Role::Surface, Role::Background, kField);
    add(QStringLiteral("Field border"), Role::Border, Role::Surface,
        QRect(kField.left(), kField.top(), kField.width(), 1));
    add(QStringLiteral("Field text"), Role::Text, Role::Surface, kFieldText, true);
    add(QStringLiteral("Running text"), Role::Text, Role::Background, kRunning, true);
    add(QStringLiteral("Link in running text"), Role::Link, Role::Background,
        runningLinkRect(QFont()), true);
    add(QStringLiteral("Footer"), Role::Surface, Role::Background, kFooter);
    add(QStringLiteral("Footer border"), Role::Border, Role::Background, kFooterBorder);
    add(QStringLiteral("Footer text"), Role::MutedText, Role::Surface, kFooterText, true);
    return e;
}

void drawText(QPainter& painter, const QRect& rect, const QFont& font, QRgb color,
              const QString& text, int flags = Qt::AlignLeft | Qt::AlignVCenter) {
    painter.setFont(font);
    painter.setPen(QColor(color));
    painter.drawText(rect, flags, text);
}

/// A rounded rectangle filled, its edge inside the rectangle so the rectangle is all it
/// covers.
void fillRounded(QPainter& painter, const QRectF& rect, qreal radius, QRgb color) {
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    painter.fillPath(path, QColor(color));
}

} // namespace

QSize pageSize() {
    return {kWidth, kHeight};
}

const std::vector<PageElement>& pageElements() {
    static const std::vector<PageElement> kElements = makeElements();
    return kElements;
}

int elementIndexAt(const QPoint& point) {
    const std::vector<PageElement>& elements = pageElements();
    for (size_t k = elements.size(); k-- > 0;)
        if (elements[k].rect.contains(point))
            return static_cast<int>(k);
    return -1;
}

void paintPage(QPainter& painter, const RoleColors& colors) {
    const QFont font;
    const auto c = [&colors](Role role) { return colorOf(colors, role); };
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.fillRect(QRect(0, 0, kWidth, kHeight), QColor(c(Role::Background)));

    // navigation
    painter.fillRect(kNav, QColor(c(Role::Surface)));
    painter.fillRect(kNavBorder, QColor(c(Role::Border)));
    drawText(painter, kBrand, sized(font, 17, true), c(Role::Text), QStringLiteral("Lunaria"));
    for (size_t k = 0; k < kNavLinks.size(); ++k)
        drawText(painter, kNavLinks[k], sized(font, 13), c(Role::Link),
                 QString::fromLatin1(kNavLinkTexts[k]), Qt::AlignCenter);

    // hero
    drawText(painter, kHeadline, sized(font, 27, true), c(Role::Text),
             QStringLiteral("Color that reads"));
    drawText(painter, kBody, sized(font, 13), c(Role::Text),
             QStringLiteral("Every pair on this page is checked for contrast,\nin light and in "
                            "dark, before it reaches a browser."),
             Qt::AlignLeft | Qt::AlignTop);
    painter.setRenderHint(QPainter::Antialiasing, true);
    fillRounded(painter, kPrimary, 6, c(Role::Primary));
    fillRounded(painter, kSecondary, 6, c(Role::Secondary));
    painter.setRenderHint(QPainter::Antialiasing, false);
    drawText(painter, kPrimaryLabel, sized(font, 14, true), c(Role::OnPrimary),
             QStringLiteral("Get started"), Qt::AlignCenter);
    drawText(painter, kSecondaryLabel, sized(font, 14, true), c(Role::OnSecondary),
             QStringLiteral("Learn more"), Qt::AlignCenter);

    // cards: a surface with a border, an accent badge, a title and muted text
    for (int k = 0; k < 3; ++k) {
        const QRect r = card(k);
        painter.fillRect(r, QColor(c(Role::Border)));
        painter.fillRect(r.adjusted(1, 1, -1, -1), QColor(c(Role::Surface)));
        painter.setRenderHint(QPainter::Antialiasing, true);
        fillRounded(painter, badge(k), 10, c(Role::Accent));
        painter.setRenderHint(QPainter::Antialiasing, false);
        drawText(painter, badge(k), sized(font, 11, true), c(Role::OnAccent),
                 k == 0   ? QStringLiteral("New")
                 : k == 1 ? QStringLiteral("AA")
                          : QStringLiteral("Beta"),
                 Qt::AlignCenter);
        drawText(painter, cardTitle(k), sized(font, 15, true), c(Role::Text),
                 QString::fromLatin1(kCardTitles[k]));
        drawText(painter, cardText(k), sized(font, 12), c(Role::MutedText),
                 QString::fromLatin1(kCardTexts[k]),
                 Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
    }

    // a form field with the keyboard focus: its ring, its border and its text
    drawText(painter, kLabel, sized(font, 13, true), c(Role::Text),
             QStringLiteral("Email address"));
    painter.fillRect(kFocus, QColor(c(Role::FocusRing)));
    painter.fillRect(kFocus.adjusted(2, 2, -2, -2), QColor(c(Role::Background)));
    painter.fillRect(kField, QColor(c(Role::Border)));
    painter.fillRect(kField.adjusted(1, 1, -1, -1), QColor(c(Role::Surface)));
    drawText(painter, kFieldText, sized(font, 13), c(Role::Text),
             QStringLiteral("ada@example.com"));

    // running text with a link, underlined as browsers do
    const QFont running = sized(font, 13);
    const QRect link = runningLinkRect(font);
    drawText(painter, kRunning, running, c(Role::Text), QString::fromLatin1(kRunningBefore));
    QFont underlined = running;
    underlined.setUnderline(true);
    drawText(painter, link, underlined, c(Role::Link), QString::fromLatin1(kRunningLink));
    drawText(
        painter,
        QRect(link.right() + 1, kRunning.top(), kRunning.right() - link.right(), kRunning.height()),
        running, c(Role::Text), QString::fromLatin1(kRunningAfter));

    // footer
    painter.fillRect(kFooter, QColor(c(Role::Surface)));
    painter.fillRect(kFooterBorder, QColor(c(Role::Border)));
    drawText(painter, kFooterText, sized(font, 12), c(Role::MutedText),
             QStringLiteral("\u00A9 2026 Lunaria \u00B7 Privacy \u00B7 Imprint"));
    painter.restore();
}

void paintFailMarks(QPainter& painter, const std::vector<bool>& failing) {
    const std::vector<PageElement>& elements = pageElements();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QColor red(0xD0, 0x10, 0x10);
    QFont markFont = painter.font();
    markFont.setPixelSize(11);
    markFont.setBold(true);
    painter.setFont(markFont);
    for (size_t k = 0; k < elements.size() && k < failing.size(); ++k) {
        if (!failing[k])
            continue;
        const QRectF around = QRectF(elements[k].rect).adjusted(-2.5, -2.5, 2.5, 2.5);
        QPen dashed(red, 1.5, Qt::DashLine);
        painter.setPen(dashed);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(around);
        const QRectF mark(around.right() - 7, around.top() - 7, 14, 14);
        painter.setPen(QPen(Qt::white, 1));
        painter.setBrush(red);
        painter.drawEllipse(mark);
        painter.drawText(mark, Qt::AlignCenter, QStringLiteral("!"));
    }
    painter.restore();
}

QImage pagePicture(const RoleColors& colors, qreal devicePixelRatio,
                   std::optional<colorscience::Simulation> simulation,
                   const std::vector<bool>& failing) {
    const QSize size = pageSize() * devicePixelRatio;
    QImage picture(size, QImage::Format_RGB32);
    picture.setDevicePixelRatio(devicePixelRatio);
    {
        QPainter painter(&picture);
        paintPage(painter, colors);
    }
    if (simulation) {
        auto* pixels = reinterpret_cast<uint32_t*>(picture.bits());
        colorscience::simulatePixels(*simulation, pixels, pixels,
                                     static_cast<size_t>(picture.width()) * picture.height());
    }
    QPainter painter(&picture);
    paintFailMarks(painter, failing);
    return picture;
}

} // namespace sitepreview
