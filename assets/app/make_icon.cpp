// Developer step: draws the program's icon as PNG files at the sizes desktops ask for, from the
// geometry of icon/chromalune.svg (keep the two in step). Run it with the folder to write into
// (icon/); the results are committed, so the build never needs it.
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr double kPi = 3.14159265358979;

// All lengths are in the 256-unit square of the SVG.
constexpr double kDesign = 256.0;
const QPointF kCentre(128, 128);
constexpr double kDiscRadius = 120;
constexpr double kWedgeDegrees = 15;
constexpr double kRimRadius = 121;
constexpr double kRimWidth = 6;
constexpr double kPointRadius = 82;
constexpr double kMarkerRadius = 14;
constexpr double kMarkerRing = 5;
constexpr double kHubRadius = 9;
const QColor kInk(0x2B, 0x25, 0x40);

// hue k * 15 degrees at full saturation and value, counter-clockwise from red in the east
const QRgb kHues[24] = {0xFF0000, 0xFF4000, 0xFF8000, 0xFFBF00, 0xFFFF00, 0xBFFF00,
                        0x80FF00, 0x40FF00, 0x00FF00, 0x00FF40, 0x00FF80, 0x00FFBF,
                        0x00FFFF, 0x00BFFF, 0x0080FF, 0x0040FF, 0x0000FF, 0x4000FF,
                        0x8000FF, 0xBF00FF, 0xFF00FF, 0xFF00BF, 0xFF0080, 0xFF0040};

/// The point at the given angle (degrees, counter-clockwise from east) and distance.
QPointF onWheel(double degrees, double distance) {
    const double a = degrees * kPi / 180.0;
    return {kCentre.x() + distance * std::cos(a), kCentre.y() - distance * std::sin(a)};
}

/// A pen whose width, in design units, never drops below minPixels on an image of size pixels.
QPen pen(const QColor& colour, double width, double minPixels, int size) {
    QPen p(colour, std::max(width, minPixels * kDesign / size));
    p.setCapStyle(Qt::RoundCap);
    p.setJoinStyle(Qt::RoundJoin);
    return p;
}

QImage icon(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / kDesign, size / kDesign);

    const QRectF disc(kCentre.x() - kDiscRadius, kCentre.y() - kDiscRadius, 2 * kDiscRadius,
                      2 * kDiscRadius);
    for (int k = 0; k < 24; ++k) {
        QPainterPath wedge(kCentre);
        wedge.arcTo(disc, k * kWedgeDegrees - kWedgeDegrees / 2, kWedgeDegrees);
        wedge.closeSubpath();
        const QColor hue = QColor::fromRgb(kHues[k]);
        // the one-unit outline of the hue's own colour closes the seams between slices
        QPen outline(hue, 1);
        outline.setJoinStyle(Qt::RoundJoin);
        p.setPen(outline);
        p.setBrush(hue);
        p.drawPath(wedge);
    }

    QRadialGradient white(kCentre, kDiscRadius);
    white.setColorAt(0.0, QColor(255, 255, 255, 255));
    white.setColorAt(0.5, QColor(255, 255, 255, qRound(0.35 * 255)));
    white.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    p.drawEllipse(kCentre, kDiscRadius, kDiscRadius);

    p.setBrush(Qt::NoBrush);
    p.setPen(pen(kInk, kRimWidth, 1.0, size));
    p.drawEllipse(kCentre, kRimRadius, kRimRadius);

    struct Point {
        double degrees;
        QRgb fill;
    };
    // the pick and its triad partners
    const Point pick{30, 0xFF8000};
    const Point partners[] = {{150, 0x00FF80}, {270, 0x8000FF}};
    p.setPen(pen(kInk, 14, 2.5, size));
    p.drawLine(kCentre, onWheel(pick.degrees, kPointRadius));
    p.setPen(pen(kInk, 8, 1.5, size));
    for (const Point& partner : partners)
        p.drawLine(kCentre, onWheel(partner.degrees, kPointRadius));
    p.setPen(pen(Qt::white, 6, 1.0, size));
    p.drawLine(kCentre, onWheel(pick.degrees, kPointRadius));

    const double markerRadius = std::max(kMarkerRadius, 2.0 * kDesign / size);
    p.setPen(pen(kInk, kMarkerRing, 1.0, size));
    for (const Point& point : {pick, partners[0], partners[1]}) {
        p.setBrush(QColor::fromRgb(point.fill));
        p.drawEllipse(onWheel(point.degrees, kPointRadius), markerRadius, markerRadius);
    }

    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(kCentre, kHubRadius, kHubRadius);
    return image;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString path = dir + QStringLiteral("/chromalune-%1.png").arg(size);
        if (!icon(size).save(path)) {
            std::fprintf(stderr, "could not write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
