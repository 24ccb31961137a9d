#include "ScreenColorPicker.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRandomGenerator>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace platform {

namespace {

const QString kPortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kRequestInterface = QStringLiteral("org.freedesktop.portal.Request");

core::ColorRGB colorOf(QRgb pixel) {
    return {static_cast<uint8_t>(qRed(pixel)), static_cast<uint8_t>(qGreen(pixel)),
            static_cast<uint8_t>(qBlue(pixel))};
}

uint8_t byteOf(double unit) {
    // NaN and values outside 0..1 from a careless portal end at the nearest end
    if (!(unit > 0))
        return 0;
    return static_cast<uint8_t>(std::lround(std::min(unit, 1.0) * 255));
}

} // namespace

/// One screen's still picture under a cross pointer, with a magnifier beside the pointer so
/// a single pixel can be hit.
class PickOverlay : public QWidget {
public:
    PickOverlay(ScreenColorPicker* picker, QScreen* screen, QImage shot)
        : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                               Qt::X11BypassWindowManagerHint | Qt::Tool),
          m_picker(picker), m_shot(std::move(shot)) {
        setObjectName(QStringLiteral("screencolorpicker"));
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMouseTracking(true);
        setCursor(Qt::CrossCursor);
        setGeometry(screen->geometry());
    }

    /// The shot's pixel under a point of this overlay (local, logical coordinates).
    QPoint shotPixel(const QPoint& local) const {
        const int x = width() > 0 ? local.x() * m_shot.width() / width() : 0;
        const int y = height() > 0 ? local.y() * m_shot.height() / height() : 0;
        return {std::clamp(x, 0, m_shot.width() - 1), std::clamp(y, 0, m_shot.height() - 1)};
    }
    const QImage& shot() const { return m_shot; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.drawImage(rect(), m_shot);
        if (!rect().contains(m_pointer))
            return;
        // the magnifier: 9 x 9 shot pixels at 10 times, the middle one outlined, and its code
        constexpr int kCells = 9, kZoom = 10, kSide = kCells * kZoom;
        const QPoint centre = shotPixel(m_pointer);
        QRect box(m_pointer + QPoint(20, 20), QSize(kSide, kSide + 18));
        if (box.right() > width())
            box.moveRight(m_pointer.x() - 20);
        if (box.bottom() > height())
            box.moveBottom(m_pointer.y() - 20);
        p.fillRect(box, Qt::black);
        const QRect from(centre - QPoint(kCells / 2, kCells / 2), QSize(kCells, kCells));
        p.drawImage(QRect(box.topLeft(), QSize(kSide, kSide)), m_shot.copy(from));
        // black around white, so the mark shows on any colour
        const QRect cell(box.topLeft() + QPoint(kCells / 2 * kZoom, kCells / 2 * kZoom),
                         QSize(kZoom - 1, kZoom - 1));
        p.setPen(Qt::black);
        p.drawRect(cell.adjusted(-1, -1, 1, 1));
        p.setPen(Qt::white);
        p.drawRect(cell);
        const core::ColorRGB c = colorOf(m_shot.pixel(centre));
        p.drawText(QRect(box.left(), box.top() + kSide, kSide, 18), Qt::AlignCenter,
                   QString::asprintf("#%02X%02X%02X", c.r, c.g, c.b));
        p.drawRect(box.adjusted(0, 0, -1, -1));
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        m_pointer = event->position().toPoint();
        update();
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton) {
            m_picker->cancel();
            return;
        }
        // with the pointer grabbed by the first screen's overlay, a click on another screen
        // arrives here too: the overlay under it holds the pixel
        const QPoint global = event->globalPosition().toPoint();
        for (const QPointer<QWidget>& w : m_picker->m_overlays) {
            auto* overlay = static_cast<PickOverlay*>(w.data());
            if (overlay != nullptr && overlay->geometry().contains(global)) {
                overlay->pickAt(overlay->mapFromGlobal(global));
                return;
            }
        }
        pickAt(event->position().toPoint());
    }
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Escape)
            m_picker->cancel();
    }

private:
    void pickAt(const QPoint& local) { m_picker->finishX11(&m_shot, shotPixel(local)); }

    ScreenColorPicker* m_picker;
    QImage m_shot;
    QPoint m_pointer{-1, -1};
};

ScreenColorPicker::ScreenColorPicker(QObject* parent)
    : ScreenColorPicker(QDBusConnection::sessionBus(), parent) {}

ScreenColorPicker::ScreenColorPicker(const QDBusConnection& bus, QObject* parent)
    : QObject(parent), m_bus(bus) {
    detect();
}

ScreenColorPicker::~ScreenColorPicker() {
    stopListening();
    for (const QPointer<QWidget>& w : m_overlays)
        delete w.data();
}

void ScreenColorPicker::detect() {
    const QString platformName = QGuiApplication::platformName();
    // an X client of a Wayland session sees only the other X clients' windows, so the
    // portal is preferred there when there is one
    const bool waylandSession =
        qgetenv("XDG_SESSION_TYPE") == "wayland" || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    const bool x11 = platformName == QLatin1String("xcb");
    if (x11 && !waylandSession) {
        m_method = Method::X11Grab;
        return;
    }
    QDBusConnectionInterface* busInterface = m_bus.isConnected() ? m_bus.interface() : nullptr;
    if (busInterface != nullptr &&
        (busInterface->isServiceRegistered(kPortalService).value() ||
         busInterface->activatableServiceNames().value().contains(kPortalService))) {
        m_method = Method::Portal;
        return;
    }
    if (x11) {
        m_method = Method::X11Grab;
        return;
    }
    m_method = Method::None;
    if (platformName == QLatin1String("offscreen") || platformName == QLatin1String("minimal"))
        m_reason = tr("This session shows no screen to pick from (display platform \"%1\").")
                       .arg(platformName);
    else if (busInterface == nullptr)
        m_reason = tr("Picking on this desktop needs the desktop portal, and there is no "
                      "session bus to reach it.");
    else
        m_reason = tr("Picking on this desktop needs the desktop portal "
                      "(xdg-desktop-portal), and it is not installed or not running.");
}

void ScreenColorPicker::pick() {
    if (m_picking)
        return;
    if (m_method == Method::None) {
        QMetaObject::invokeMethod(
            this, [this] { emit unavailable(m_reason); }, Qt::QueuedConnection);
        return;
    }
    m_picking = true;
    if (m_method == Method::X11Grab)
        startX11();
    else
        startPortal();
}

void ScreenColorPicker::cancel() {
    if (!m_picking)
        return;
    if (m_method == Method::Portal && !m_handle.isEmpty()) {
        // the portal closes its own picker; its answer no longer matters
        m_bus.asyncCall(QDBusMessage::createMethodCall(kPortalService, m_handle, kRequestInterface,
                                                       QStringLiteral("Close")));
    }
    end();
    emit cancelled();
}

void ScreenColorPicker::end() {
    stopListening();
    for (const QPointer<QWidget>& w : m_overlays) {
        if (w != nullptr) {
            w->releaseKeyboard();
            w->releaseMouse();
            w->hide();
            w->deleteLater();
        }
    }
    m_overlays.clear();
    m_picking = false;
}

void ScreenColorPicker::startX11() {
    for (QScreen* screen : QGuiApplication::screens()) {
        const QImage shot = screen->grabWindow(0).toImage();
        if (shot.isNull()) {
            end();
            QMetaObject::invokeMethod(
                this, [this] { emit failed(tr("The screen could not be read.")); },
                Qt::QueuedConnection);
            return;
        }
        auto* overlay = new PickOverlay(this, screen, shot);
        m_overlays.emplace_back(overlay);
        overlay->show();
    }
    // the server takes a grab only once the window is on screen, so it is retried until then
    // (the overlays cover every screen, so clicks reach them even without it)
    auto* retry = new QTimer(this);
    retry->setInterval(25);
    connect(retry, &QTimer::timeout, this, [this, retry, tries = 0]() mutable {
        QWidget* first = m_overlays.empty() ? nullptr : m_overlays.front().data();
        QWindow* window = first != nullptr ? first->windowHandle() : nullptr;
        const bool grabbed = window != nullptr && window->setMouseGrabEnabled(true) &&
                             window->setKeyboardGrabEnabled(true);
        if (window != nullptr && !grabbed && ++tries < 40)
            return;
        if (first != nullptr) {
            first->activateWindow();
            first->setFocus();
        }
        retry->deleteLater();
    });
    retry->start();
}

void ScreenColorPicker::finishX11(const QImage* shot, const QPoint& devicePixel) {
    const core::ColorRGB color = colorOf(shot->pixel(devicePixel));
    end();
    emit colorPicked(color);
}

void ScreenColorPicker::startPortal() {
    const QString token =
        QStringLiteral("chromalune%1").arg(QRandomGenerator::global()->generate());
    // the portal names its request after the caller and the token; listening before the call
    // means a quick answer is not missed
    QString sender = m_bus.baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    listenOn(QStringLiteral("%1/request/%2/%3").arg(kPortalPath, sender, token));
    QDBusMessage call = QDBusMessage::createMethodCall(
        kPortalService, kPortalPath, QStringLiteral("org.freedesktop.portal.Screenshot"),
        QStringLiteral("PickColor"));
    call << QString() << QVariantMap{{QStringLiteral("handle_token"), token}};
    // the picker waits for the user, so the call itself must not time out
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call, -1), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        portalReplied(w->reply());
    });
}

void ScreenColorPicker::portalReplied(const QDBusMessage& reply) {
    if (!m_picking || m_method != Method::Portal)
        return;
    if (reply.type() == QDBusMessage::ErrorMessage) {
        end();
        emit failed(tr("The desktop's color picker refused: %1").arg(reply.errorMessage()));
        return;
    }
    const QList<QVariant> args = reply.arguments();
    const QString handle =
        args.isEmpty() ? QString() : qvariant_cast<QDBusObjectPath>(args.front()).path();
    // an older portal may choose another request path than the one predicted
    if (!handle.isEmpty() && handle != m_handle)
        listenOn(handle);
}

void ScreenColorPicker::portalResponded(uint response, const QVariantMap& results) {
    if (!m_picking)
        return;
    end();
    if (response == 1) {
        emit cancelled();
        return;
    }
    const QVariant value = results.value(QStringLiteral("color"));
    if (response == 0 && value.canConvert<QDBusArgument>()) {
        const QDBusArgument argument = qvariant_cast<QDBusArgument>(value);
        if (argument.currentSignature() == QLatin1String("(ddd)")) {
            double r = 0, g = 0, b = 0;
            argument.beginStructure();
            argument >> r >> g >> b;
            argument.endStructure();
            emit colorPicked({byteOf(r), byteOf(g), byteOf(b)});
            return;
        }
    }
    emit failed(response == 0 ? tr("The desktop's color picker gave no color.")
                              : tr("The desktop's color picker ended without a color."));
}

void ScreenColorPicker::listenOn(const QString& handle) {
    stopListening();
    m_handle = handle;
    m_bus.connect(QString(), m_handle, kRequestInterface, QStringLiteral("Response"), this,
                  SLOT(portalResponded(uint, QVariantMap)));
}

void ScreenColorPicker::stopListening() {
    if (m_handle.isEmpty())
        return;
    m_bus.disconnect(QString(), m_handle, kRequestInterface, QStringLiteral("Response"), this,
                     SLOT(portalResponded(uint, QVariantMap)));
    m_handle.clear();
}

} // namespace platform
