#pragma once

#include "core/ColorCodes.h"

#include <QDBusConnection>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QString>

#include <vector>

class QDBusMessage;
class QWidget;

namespace platform {

/// Takes one colour from anywhere on the desktop. On X11 the pointer becomes a cross over
/// every screen (each shows a still picture of itself taken when the pick starts) and a
/// click takes the colour under it; on other desktops, Wayland among them, the desktop
/// portal's own colour picker does the picking. Escape (or cancel()) ends a pick without a
/// colour.
///
/// Each pick() ends in exactly one of colorPicked, cancelled, failed or unavailable, always
/// after pick() has returned.
class ScreenColorPicker : public QObject {
    Q_OBJECT
public:
    enum class Method {
        None,    ///< nothing on this desktop can read the screen
        X11Grab, ///< the X server's screen contents, under a full-screen cross pointer
        Portal,  ///< org.freedesktop.portal.Screenshot.PickColor on the session bus
    };

    /// A picker asking the session bus for the portal.
    explicit ScreenColorPicker(QObject* parent = nullptr);
    /// A picker asking bus for the portal (a private bus in tests).
    ScreenColorPicker(const QDBusConnection& bus, QObject* parent);
    ~ScreenColorPicker() override;

    /// How this desktop picks; X11 on the xcb platform of a plain X session, the portal
    /// where the bus offers one (running or activatable), else None.
    Method method() const { return m_method; }
    bool isAvailable() const { return m_method != Method::None; }
    /// Why nothing can pick here, as a sentence for the user; empty when available.
    QString unavailableReason() const { return m_reason; }

    /// Starts a pick. Without a method it reports unavailable; during a pick it does nothing.
    void pick();
    /// Whether a pick is under way.
    bool isPicking() const { return m_picking; }
    /// Ends a pick under way as the user's Escape would (cancelled follows).
    void cancel();

signals:
    /// The colour under the click (the portal's colour rounded to 8 bits).
    void colorPicked(core::ColorRGB color);
    /// The user ended the pick without a colour.
    void cancelled();
    /// A pick was tried and went wrong; why says how, as a sentence for the user.
    void failed(const QString& why);
    /// No pick is possible on this desktop; why as unavailableReason().
    void unavailable(const QString& why);

private slots:
    void portalReplied(const QDBusMessage& reply);
    void portalResponded(uint response, const QVariantMap& results);

private:
    void detect();
    void startX11();
    void startPortal();
    void listenOn(const QString& handle);
    void stopListening();
    void finishX11(const QImage* shot, const QPoint& devicePixel);
    void end();

    QDBusConnection m_bus;
    Method m_method = Method::None;
    QString m_reason;
    bool m_picking = false;
    QString m_handle;                          ///< the portal request being waited for
    std::vector<QPointer<QWidget>> m_overlays; ///< one per screen while an X11 pick runs
    friend class PickOverlay;
};

} // namespace platform
