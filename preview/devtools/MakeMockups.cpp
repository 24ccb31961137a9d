// Draws the six preview mock-ups and writes them as PNG files into the folder given as the
// only argument. Every area the scheme recolours is drawn aliased in exactly its template
// colour, so that the pixel lists made from the pictures cover those areas completely.

#include "core/DesignColors.h"
#include "ui/ColorConversion.h"

#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

#include <cstdio>
#include <initializer_list>

namespace {

const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);
const QColor kBlue = ui::toQColor(core::kTemplateBlue);
const QColor kGrey = ui::toQColor(core::kTemplateGrey);
const QColor kLightBlue = ui::toQColor(core::kTemplateLightBlue);

QFont makeFont(const char* family, int pixels, bool bold = false, bool italic = false) {
    QFont font{QString::fromLatin1(family)};
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setItalic(italic);
    // glyph pixels must carry the pen colour exactly: no grey edges
    font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoSubpixelAntialias |
                                               QFont::NoFontMerging));
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

/// A painter on a fresh picture with every kind of smoothing off.
struct Sheet {
    QImage image;
    QPainter painter;
    Sheet(int w, int h, const QColor& background) : image(w, h, QImage::Format_RGB32) {
        image.fill(background);
        painter.begin(&image);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    }
    QImage finish() {
        painter.end();
        return image;
    }
    void fill(int x, int y, int w, int h, const QColor& c) { painter.fillRect(x, y, w, h, c); }
    void text(int x, int baseline, const QString& s, const QFont& font, const QColor& c) {
        painter.setFont(font);
        painter.setPen(c);
        painter.drawText(x, baseline, s);
    }
    /// Text centred horizontally in [left, left + width).
    void centredText(int left, int width, int baseline, const QString& s, const QFont& font,
                     const QColor& c) {
        const int w = QFontMetrics(font).horizontalAdvance(s);
        text(left + (width - w) / 2, baseline, s, font, c);
    }
    void shape(const QPolygon& polygon, const QColor& c) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(c);
        painter.drawPolygon(polygon);
    }
};

/// One piece of a line of text: its words, colour, and whether it is an underlined link.
struct Run {
    const char* words;
    QColor color;
    bool link = false;
};

/// Draws runs one after another on a baseline; links get a one-pixel underline.
void drawRuns(Sheet& s, int x, int baseline, const QFont& font, std::initializer_list<Run> runs) {
    const QFontMetrics metrics(font);
    for (const Run& run : runs) {
        const QString words = QString::fromUtf8(run.words);
        s.text(x, baseline, words, font, run.color);
        const int w = metrics.horizontalAdvance(words);
        if (run.link) {
            // the underline leaves out a trailing blank, as browsers do
            const int lineWidth =
                words.endsWith(QLatin1Char(' ')) ? metrics.horizontalAdvance(words.trimmed()) : w;
            s.fill(x, baseline + 2, lineWidth, 1, run.color);
        }
        x += w;
    }
}

QImage drawLogos() {
    Sheet s(404, 333, kWhite);

    // word-mark with its rule and tagline
    s.text(14, 60, QStringLiteral("lumen"), makeFont("URW Gothic", 58, true), kBlue);
    s.fill(16, 72, 214, 4, kGrey);
    s.text(17, 95, QStringLiteral("D E S I G N   S T U D I O"),
           makeFont("Liberation Sans", 13, true), kGrey);

    // boxed monogram
    const int mx = 258, my = 10, ms = 100;
    s.fill(mx, my, ms, 6, kLightBlue);
    s.fill(mx, my + ms - 6, ms, 6, kLightBlue);
    s.fill(mx, my, 6, ms, kLightBlue);
    s.fill(mx + ms - 6, my, 6, ms, kLightBlue);
    s.fill(mx + 12, my + 12, ms - 24, 2, kLightBlue);
    s.fill(mx + 12, my + ms - 14, ms - 24, 2, kLightBlue);
    s.centredText(mx, ms, my + 70, QStringLiteral("AK"), makeFont("URW Bookman", 46, true),
                  kLightBlue);

    // slanted bars beside a speed lettering
    for (int i = 0; i < 4; ++i) {
        const int x = 16 + 20 * i;
        s.shape(QPolygon({QPoint(x, 180), QPoint(x + 18, 124), QPoint(x + 30, 124),
                          QPoint(x + 12, 180)}),
                kGrey);
    }
    s.text(112, 168, QStringLiteral("velocity"), makeFont("Liberation Sans", 40, true, true),
           kBlue);

    // a leaf with its name
    QPainterPath leaf;
    leaf.moveTo(20, 262);
    leaf.cubicTo(16, 220, 48, 196, 92, 194);
    leaf.cubicTo(92, 236, 64, 264, 20, 262);
    s.painter.setPen(Qt::NoPen);
    s.painter.setBrush(kLightBlue);
    s.painter.drawPath(leaf);
    s.painter.setPen(QPen(kWhite, 2));
    s.painter.drawLine(26, 256, 80, 204);
    s.painter.drawLine(44, 238, 44, 222);
    s.painter.drawLine(58, 224, 58, 210);
    s.painter.drawLine(44, 238, 60, 240);
    s.painter.drawLine(58, 224, 74, 226);
    s.text(100, 246, QStringLiteral("verdant"), makeFont("Liberation Serif", 38, true, true),
           kLightBlue);

    // quarter disc and its lettering
    s.painter.setPen(Qt::NoPen);
    s.painter.setBrush(kBlue);
    s.painter.drawPie(QRect(268 - 92, 262 - 92, 184, 184), 0, 90 * 16);
    s.text(264, 296, QStringLiteral("quadrant"), makeFont("URW Gothic", 24, true), kGrey);

    // the sheet goes on below and to the right of what the preview shows
    s.fill(0, 318, 404, 3, kGrey);
    s.text(16, 314, QStringLiteral("logo sheet 1/2"), makeFont("Liberation Sans", 11), kBlue);
    return s.finish();
}

QImage drawWebpage() {
    const QColor band(108, 102, 254);
    const QColor strong(86, 144, 254);
    const QColor light(81, 205, 255);
    Sheet s(365, 269, kWhite);

    // header band with logo pill and search
    s.fill(0, 0, 365, 44, band);
    s.painter.setPen(Qt::NoPen);
    s.painter.setBrush(strong);
    s.painter.drawRoundedRect(QRect(10, 8, 92, 28), 14, 14);
    s.centredText(10, 92, 29, QStringLiteral("acme"), makeFont("URW Gothic", 20, true), light);
    s.fill(196, 12, 98, 20, kBlack);
    s.fill(197, 13, 96, 18, kWhite);
    s.text(201, 26, QStringLiteral("keywords"), makeFont("Liberation Sans", 11, false, true),
           kBlack);
    s.painter.setPen(Qt::NoPen);
    s.painter.setBrush(strong);
    s.painter.drawRoundedRect(QRect(298, 12, 58, 20), 4, 4);
    s.centredText(298, 58, 26, QStringLiteral("Search"), makeFont("Liberation Sans", 11, true),
                  light);

    // navigation bar
    s.fill(0, 44, 365, 20, strong);
    const QFont navFont = makeFont("Liberation Sans", 11, true);
    const char* const items[] = {"Home", "About", "Work", "Services", "Contact"};
    int x = 104;
    for (const char* item : items) {
        const QString label = QString::fromLatin1(item);
        s.text(x, 58, label, navFont, light);
        x += QFontMetrics(navFont).horizontalAdvance(label) + 6;
        if (x < 340)
            s.fill(x, 49, 1, 10, light);
        x += 7;
    }

    // left column with its buttons, the first one highlighted
    s.fill(0, 64, 92, 205, band);
    const char* const buttons[] = {"Home", "News", "Gallery", "Shop", "Links", "Contact"};
    const QFont buttonFont = makeFont("Liberation Sans", 11, true);
    for (int i = 0; i < 6; ++i) {
        const int y = 74 + 28 * i;
        const bool current = i == 0;
        s.fill(8, y, 76, 20, current ? strong : light);
        s.centredText(8, 76, y + 14, QString::fromLatin1(buttons[i]), buttonFont,
                      current ? light : kBlack);
    }

    // body: title with its rule, then text
    s.text(104, 86, QStringLiteral("Welcome to acme"), makeFont("Liberation Sans", 17, true),
           kBlack);
    s.fill(104, 93, 252, 3, light);
    const QFont body = makeFont("Liberation Sans", 11);
    const char* const lines[] = {"We design clear, friendly web sites for",
                                 "small shops, studios and clubs. Every page",
                                 "is built by hand and tested in all common",
                                 "browsers before it goes online.",
                                 "",
                                 "Latest news",
                                 "Our new portfolio shows twenty projects",
                                 "from the past year, from a bakery's menu",
                                 "to a music school's booking pages.",
                                 "",
                                 "Call us or write: we answer within a day."};
    int baseline = 114;
    for (const char* line : lines) {
        const bool heading = QByteArray(line) == "Latest news";
        s.text(104, baseline, QString::fromLatin1(line),
               heading ? makeFont("Liberation Sans", 12, true) : body, kBlack);
        baseline += 14;
    }
    return s.finish();
}

/// A raised table edge (light top and left, dark bottom and right) or a sunken cell edge.
void drawEdge(Sheet& s, int x, int y, int w, int h, bool raised) {
    const QColor light(212, 208, 200);
    const QColor dark(128, 128, 128);
    const QColor& topLeft = raised ? light : dark;
    const QColor& bottomRight = raised ? dark : light;
    s.fill(x, y, w, 1, topLeft);
    s.fill(x, y, 1, h, topLeft);
    s.fill(x, y + h - 1, w, 1, bottomRight);
    s.fill(x + w - 1, y, 1, h, bottomRight);
}

/// A table with cell spacing 2 and a one-pixel border; cell (r, c) in the colour given by
/// shade(r, c), its text in the other colour.
template <typename Shade>
void drawTable(Sheet& s, int x, int y, const std::initializer_list<int>& columnWidths,
               int rowHeight, const std::initializer_list<std::initializer_list<const char*>>& rows,
               Shade shade) {
    int width = 2;
    for (int w : columnWidths)
        width += w + 2;
    const int height = 2 + static_cast<int>(rows.size()) * (rowHeight + 2);
    drawEdge(s, x, y, width + 1, height + 1, true);
    const QFont font = makeFont("Liberation Sans", 12, true);
    int r = 0;
    for (const auto& row : rows) {
        int cx = x + 3;
        const int cy = y + 3 + r * (rowHeight + 2);
        auto text = row.begin();
        int c = 0;
        for (int w : columnWidths) {
            const bool grey = shade(r, c);
            drawEdge(s, cx, cy, w, rowHeight, false);
            s.fill(cx + 1, cy + 1, w - 2, rowHeight - 2, grey ? kGrey : kLightBlue);
            s.centredText(cx, w, cy + rowHeight / 2 + 5, QString::fromUtf8(*text), font,
                          grey ? kLightBlue : kGrey);
            ++text;
            cx += w + 2;
            ++c;
        }
        ++r;
    }
}

QImage drawTable2() {
    Sheet s(374, 218, kWhite);
    const QColor caption(128, 128, 128);
    const QFont captionFont = makeFont("Liberation Sans", 12, true);
    s.text(10, 24, QStringLiteral("Opening hours"), captionFont, caption);
    drawTable(s, 10, 32, {104}, 34, {{"Mon \u2013 Fri"}, {"Saturday"}, {"Sunday"}},
              [](int r, int) { return r % 2 == 1; });
    s.text(134, 24, QStringLiteral("Price list"), captionFont, caption);
    // the grid's right border lies in the last column, one past the preview's edge
    drawTable(s, 134, 32, {90, 66, 78}, 34,
              {{"Item", "Qty", "Price"},
               {"Apples", "12", "$1.20"},
               {"Pears", "8", "$0.95"},
               {"Plums", "20", "$2.10"}},
              [](int r, int c) { return (r + c) % 2 == 1; });
    s.text(10, 206, QStringLiteral("Rows and cells alternate the two scheme colours."),
           makeFont("Liberation Sans", 11), caption);
    return s.finish();
}

QImage drawLinks() {
    Sheet s(419, 305, kWhite);
    const QColor rule(64, 64, 64);
    s.text(14, 30, QStringLiteral("Helpful Links"), makeFont("Liberation Serif", 22, true), kBlue);
    s.fill(14, 38, 405, 1, rule);

    const QFont text = makeFont("Liberation Sans", 12);
    drawRuns(s, 14, 58, text,
             {{"Here you will find a ", kBlue},
              {"selection of pages", kLightBlue, true},
              {" we like.", kBlue}});
    drawRuns(s, 14, 74, text,
             {{"Links you have not opened yet look like ", kBlue},
              {"this link", kLightBlue, true},
              {";", kBlue}});
    drawRuns(s, 14, 90, text,
             {{"pages you have already seen look like ", kBlue},
              {"this one", kGrey, true},
              {".", kBlue}});

    s.text(14, 116, QStringLiteral("Our favourites"), makeFont("Liberation Sans", 14, true), kBlue);
    struct Item {
        const char* words;
        bool visited;
    };
    const Item items[] = {{"Colour theory for the web", false},
                          {"Choosing a palette", true},
                          {"Typography basics", false},
                          {"Accessible contrast", false},
                          {"Free icon sets", true}};
    int baseline = 138;
    for (const Item& item : items) {
        s.painter.setPen(Qt::NoPen);
        s.painter.setBrush(kBlue);
        s.painter.drawEllipse(QRect(23, baseline - 8, 6, 6));
        drawRuns(s, 36, baseline, text, {{item.words, item.visited ? kGrey : kLightBlue, true}});
        baseline += 20;
    }

    drawRuns(s, 14, 246, text,
             {{"Know a good page? ", kBlue},
              {"Send it to us", kLightBlue, true},
              {" and we add it.", kBlue}});
    s.fill(14, 258, 405, 1, rule);
    s.text(14, 278, QStringLiteral("Last updated 12 May"), makeFont("Liberation Sans", 11), kBlue);
    return s.finish();
}

QImage drawLinks2() {
    Sheet s(414, 253, kGrey);
    const QColor groove(63, 63, 63);
    // a raised frame round the page
    s.fill(0, 0, 414, 1, kWhite);
    s.fill(0, 0, 1, 253, kWhite);
    s.fill(0, 252, 414, 1, kBlack);
    s.fill(413, 0, 1, 253, kBlack);

    auto hr = [&](int y) {
        s.fill(14, y, 350, 1, groove);
        s.fill(14, y + 1, 350, 1, kWhite);
    };
    s.text(14, 30, QStringLiteral("Site Map"), makeFont("Liberation Serif", 22, true), kBlue);
    hr(38);
    const QFont text = makeFont("Liberation Sans", 12);
    s.text(14, 58, QStringLiteral("All pages of this site at a glance."), text, kBlue);
    drawRuns(s, 14, 74, text,
             {{"Pick a page to go straight to it, or ", kBlue},
              {"search", kLightBlue, true},
              {".", kBlue}});
    const char* const pages[] = {
        "Home page",  "About the studio",           "Portfolio",
        "Price list", "Frequently asked questions", "Contact and directions"};
    int baseline = 98;
    for (const char* page : pages) {
        s.fill(24, baseline - 7, 5, 5, kBlue);
        drawRuns(s, 36, baseline, text, {{page, kLightBlue, true}});
        baseline += 19;
    }
    hr(212);
    drawRuns(s, 14, 236, text,
             {{"Questions? ", kBlue},
              {"Write to us", kLightBlue, true},
              {" \u2013 we answer within a day.", kBlue}});
    return s.finish();
}

/// A raised scroll-bar part: light and white highlight top and left, shadow and dark edge
/// bottom and right, face in between.
void drawScrollPart(Sheet& s, int x, int y, int w, int h, const QColor& face,
                    const QColor& shadow) {
    const QColor light(212, 208, 200);
    const QColor dark(64, 64, 64);
    s.fill(x, y, w, h, face);
    s.fill(x, y, w - 1, 1, light);
    s.fill(x, y, 1, h - 1, light);
    s.fill(x + 1, y + 1, w - 3, 1, kWhite);
    s.fill(x + 1, y + 1, 1, h - 3, kWhite);
    s.fill(x + 1, y + h - 2, w - 2, 1, shadow);
    s.fill(x + w - 2, y + 1, 1, h - 2, shadow);
    s.fill(x, y + h - 1, w, 1, dark);
    s.fill(x + w - 1, y, 1, h, dark);
}

QImage drawScrollbar() {
    const QColor light(212, 208, 200);
    const QColor dark(64, 64, 64);
    const QColor shadow(49, 49, 255);
    const QColor face(49, 255, 255);
    const QColor track(255, 153, 51);
    Sheet s(251, 251, kWhite);

    // a sunken page with the bar along its right edge
    s.fill(8, 8, 234, 1, dark);
    s.fill(8, 8, 1, 234, dark);
    s.fill(8, 241, 234, 1, light);
    s.fill(241, 8, 1, 234, light);

    const int bx = 189, bw = 52, top = 9, bottom = 241;
    s.fill(bx, top, bw, bottom - top, track);
    drawScrollPart(s, bx, top, bw, bw, face, shadow);
    drawScrollPart(s, bx, bottom - bw, bw, bw, face, shadow);
    drawScrollPart(s, bx, top + bw + 22, bw, 64, face, shadow);

    const int cx = bx + bw / 2 - 1;
    s.shape(QPolygon({QPoint(cx - 12, top + 32), QPoint(cx + 12, top + 32), QPoint(cx, top + 20)}),
            shadow);
    const int dy = bottom - bw;
    s.shape(QPolygon({QPoint(cx - 12, dy + 19), QPoint(cx + 12, dy + 19), QPoint(cx, dy + 31)}),
            shadow);
    // grip ridges on the thumb
    for (int i = 0; i < 3; ++i) {
        const int y = top + bw + 22 + 26 + 5 * i;
        s.fill(cx - 8, y, 17, 1, kWhite);
        s.fill(cx - 8, y + 1, 17, 1, shadow);
    }
    return s.finish();
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    const struct {
        const char* key;
        QImage (*draw)();
    } mockups[] = {{"Logos", drawLogos}, {"Webpage", drawWebpage}, {"Table2", drawTable2},
                   {"Links", drawLinks}, {"Links2", drawLinks2},   {"Scrollbar", drawScrollbar}};
    for (const auto& m : mockups) {
        const QString path = folder.filePath(QString::fromLatin1(m.key) + QStringLiteral(".png"));
        if (!m.draw().save(path, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
        std::printf("%s\n", qPrintable(path));
    }
    return 0;
}
