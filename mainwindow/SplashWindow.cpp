#include "SplashWindow.h"

#include "core/DesignColors.h"
#include "platform/Desktop.h"
#include "scheme/SchemeModel.h"
#include "ui/ColorConversion.h"
#include "ui/WindowHelpers.h"

#include <QLabel>
#include <QPainter>
#include <QTimer>

#include <array>

namespace mainwindow {

namespace {

const QColor kSplashBackground(192, 192, 255);
const char kPublisher[] = "Moonquill";

QFont arialBold(int pixelSize) {
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    font.setPixelSize(pixelSize);
    return font;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QRect& place,
                  const QFont& font, const QColor& color) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(place);
    label->setFont(font);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, color);
    label->setPalette(pal);
    return label;
}

} // namespace

QImage splashWheelPicture() {
    // the scheme a user sees after a pick at the orange-red rim, two thirds of the way out,
    // on the default wheel
    scheme::SchemeModel model;
    model.setRaster(scheme::WheelRaster::Default);
    model.trackPointer(200.0f, 90.0f);
    // the raster's top 256 rows
    QImage image = ui::rasterImage(model.raster()).copy(0, 0, 255, 256);
    QPainter painter(&image);
    const QColor lineColors[] = {ui::toQColor(core::kPickLineColor),
                                 ui::toQColor(core::kPartnerLineColor),
                                 ui::toQColor(core::kPartnerLineColor)};
    for (int k = 1; k <= 3; ++k) {
        const core::LineState& l = model.line(k);
        if (!l.visible)
            continue;
        painter.setPen(QPen(lineColors[k - 1], 3));
        painter.drawLine(QLineF(l.x1, l.y1, l.x2, l.y2));
    }
    return image;
}

SplashWindow::SplashWindow(QWidget* parent) : QWidget(parent, Qt::SplashScreen) {
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QStringLiteral("ChromaLune"));
    setFixedSize(659, 296);
    platform::setBackColor(*this, kSplashBackground);

    auto* wheel = new QLabel(this);
    wheel->setObjectName(QStringLiteral("Picture1"));
    wheel->setGeometry(0, 16, 255, 256);
    wheel->setPixmap(QPixmap::fromImage(splashWheelPicture()));

    QFont titleFont = arialBold(37);
    // Arial's metric twin runs a few pixels wider than the 385-pixel label; a hair less
    // space between letters keeps the whole caption on it at the full size
    titleFont.setLetterSpacing(QFont::AbsoluteSpacing, -0.3);
    makeLabel(this, "Label1", QStringLiteral("Free Chromalune V1.2"), QRect(256, 104, 385, 57),
              titleFont, QColor(255, 0, 0));
    makeLabel(this, "Label2", QString::fromLatin1(kPublisher), QRect(368, 168, 185, 57),
              arialBold(24), QColor(255, 128, 0));

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, &SplashWindow::handOverToMainWindow);
    m_timer->start();
}

SplashWindow::~SplashWindow() = default;

void SplashWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    ui::centreOnScreen(this);
}

void SplashWindow::handOverToMainWindow() {
    // the main window comes before the splash goes, so the program never runs out of windows
    m_timer->stop();
    emit mainWindowDue();
    close();
}

} // namespace mainwindow
