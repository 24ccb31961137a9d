// Developer step: draws the about window's picture and icon. Run it with the folder to
// write into (this one); the results are committed, so the build never needs it.
#include "core/DesignColors.h"
#include "ui/ColorConversion.h"

#include <QColor>
#include <QConicalGradient>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QString>

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace {

constexpr double kPi = 3.14159265358979;

/// A small fixed-seed generator, so every run draws the same stars.
class Lcg {
public:
    explicit Lcg(uint32_t seed) : m_state(seed) {}
    double next() {
        m_state = m_state * 1664525u + 1013904223u;
        return static_cast<double>(m_state >> 8) / static_cast<double>(1u << 24);
    }

private:
    uint32_t m_state;
};

void drawHueDisc(QPainter& p, const QPointF& centre, double radius) {
    QConicalGradient hues(centre, 0);
    for (int i = 0; i <= 12; ++i)
        hues.setColorAt(i / 12.0, QColor::fromHsvF(std::fmod(i / 12.0, 1.0), 0.85, 1.0));
    p.setPen(Qt::NoPen);
    p.setBrush(hues);
    p.drawEllipse(centre, radius, radius);
    QRadialGradient white(centre, radius);
    white.setColorAt(0.0, QColor(255, 255, 255, 255));
    white.setColorAt(0.55, QColor(255, 255, 255, 90));
    white.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setBrush(white);
    p.drawEllipse(centre, radius, radius);
}

QImage aboutPicture() {
    QImage image(1000, 750, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, 520);
    sky.setColorAt(0.0, QColor(13, 11, 46));
    sky.setColorAt(0.55, QColor(59, 42, 107));
    sky.setColorAt(1.0, QColor(214, 122, 140));
    p.fillRect(image.rect(), sky);

    Lcg rng(20240607u);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 320; ++i) {
        const double x = rng.next() * 1000;
        const double y = rng.next() * 430;
        const double r = 0.6 + rng.next() * 1.6;
        const int alpha = 90 + static_cast<int>(rng.next() * 165);
        p.setBrush(QColor(255, 250, 235, alpha));
        p.drawEllipse(QPointF(x, y), r, r);
    }

    const QPointF moon(680, 235);
    const double moonRadius = 150;
    QRadialGradient glow(moon, moonRadius * 2.2);
    glow.setColorAt(0.0, QColor(255, 240, 255, 120));
    glow.setColorAt(0.45, QColor(200, 170, 255, 50));
    glow.setColorAt(1.0, QColor(120, 90, 200, 0));
    p.setBrush(glow);
    p.drawEllipse(moon, moonRadius * 2.2, moonRadius * 2.2);
    drawHueDisc(p, moon, moonRadius);

    // a triad picked on the moon: a white line to the pick, grey lines to the partners
    const double pickAngle = 40.0;
    const double pickRadius = moonRadius * 0.8;
    const double angles[] = {pickAngle, pickAngle + 180 - 22.5 - 90, pickAngle + 180 + 22.5 + 90};
    const QColor lineColors[] = {ui::toQColor(core::kPickLineColor),
                                 ui::toQColor(core::kPartnerLineColor),
                                 ui::toQColor(core::kPartnerLineColor)};
    for (int i = 0; i < 3; ++i) {
        const double a = angles[i] * kPi / 180.0;
        const QPointF end(moon.x() + pickRadius * std::cos(a), moon.y() - pickRadius * std::sin(a));
        p.setPen(QPen(lineColors[i], 5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(moon, end);
        p.setPen(QPen(lineColors[i], 3));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(end, 9, 9);
    }
    p.setPen(Qt::NoPen);

    struct Hill {
        double base;
        double amplitude;
        double phase;
        double waves;
        QColor top;
        QColor bottom;
    };
    const Hill hills[] = {
        {430, 38, 0.6, 1.6, QColor(92, 60, 140), QColor(52, 32, 92)},
        {470, 46, 2.1, 1.2, QColor(40, 110, 128), QColor(20, 64, 84)},
        {520, 30, 4.0, 2.1, QColor(236, 140, 88), QColor(150, 70, 60)},
    };
    for (const Hill& h : hills) {
        QPainterPath path(QPointF(0, 750));
        for (int x = 0; x <= 1000; x += 10) {
            const double t = x / 1000.0;
            const double y = h.base - h.amplitude * std::sin(h.phase + t * h.waves * 2 * kPi) -
                             0.35 * h.amplitude * std::sin(h.phase * 1.7 + t * 5.3 * kPi);
            path.lineTo(x, y);
        }
        path.lineTo(1000, 750);
        path.closeSubpath();
        QLinearGradient fill(0, h.base - h.amplitude, 0, 750);
        fill.setColorAt(0.0, h.top);
        fill.setColorAt(1.0, h.bottom);
        p.setBrush(fill);
        p.drawPath(path);
    }

    QLinearGradient lake(0, 600, 0, 750);
    lake.setColorAt(0.0, QColor(44, 36, 96));
    lake.setColorAt(1.0, QColor(12, 10, 40));
    p.fillRect(QRectF(0, 600, 1000, 150), lake);
    // the moon's reflection: short strokes in the colours of its rim
    for (int i = 0; i < 14; ++i) {
        const double y = 612 + i * 10;
        const double half = 90 - i * 4.5 + 12 * rng.next();
        const QColor c = QColor::fromHsvF(std::fmod(i / 14.0 + 0.05, 1.0), 0.55, 1.0, 0.55);
        p.setBrush(c);
        p.drawRoundedRect(QRectF(moon.x() - half, y, 2 * half, 3), 1.5, 1.5);
    }
    return image;
}

QImage aboutIcon() {
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawHueDisc(p, QPointF(16, 16), 14.5);
    // the night side of the colour moon
    p.setCompositionMode(QPainter::CompositionMode_SourceAtop);
    p.setBrush(QColor(24, 20, 70, 215));
    p.drawEllipse(QPointF(24, 11), 13, 13);
    return image;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    const bool ok = aboutPicture().save(dir + QStringLiteral("/about.png")) &&
                    aboutIcon().save(dir + QStringLiteral("/about_icon.png"));
    if (!ok) {
        std::fprintf(stderr, "could not write the pictures into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
