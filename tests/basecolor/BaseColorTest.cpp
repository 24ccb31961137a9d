#include "accessibility/ColorDifference.h"
#include "basecolor/SetBaseColorDialog.h"
#include "platform/ScreenColorPicker.h"
#include "support/QtTestMain.h"
#include "ui/Swatch.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>

using platform::ScreenColorPicker;

/// The portal's colour: red, green and blue 0..1, sent as (ddd).
struct PortalColor {
    double r = 0, g = 0, b = 0;
};
Q_DECLARE_METATYPE(PortalColor)
QDBusArgument& operator<<(QDBusArgument& arg, const PortalColor& c) {
    arg.beginStructure();
    arg << c.r << c.g << c.b;
    arg.endStructure();
    return arg;
}
const QDBusArgument& operator>>(const QDBusArgument& arg, PortalColor& c) {
    arg.beginStructure();
    arg >> c.r >> c.g >> c.b;
    arg.endStructure();
    return arg;
}

/// A session bus of the test's own (no service directories, so nothing is activated) with
/// a stand-in for the desktop portal's colour picker on it when asked.
class PrivateBus : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Screenshot")
public:
    explicit PrivateBus(bool withPortal) {
        QFile config(m_dir.filePath("bus.conf"));
        if (!config.open(QIODevice::WriteOnly))
            return;
        config.write(
            QStringLiteral("<busconfig><type>session</type><listen>unix:dir=%1</listen>"
                           "<policy context=\"default\"><allow send_destination=\"*\"/>"
                           "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>")
                .arg(m_dir.path())
                .toUtf8());
        config.close();
        m_daemon.start("dbus-daemon",
                       {"--config-file=" + config.fileName(), "--nofork", "--print-address"});
        if (!m_daemon.waitForReadyRead(5000))
            return;
        const QString address = QString::fromUtf8(m_daemon.readLine()).trimmed();
        client =
            std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(address, "client"));
        m_portal =
            std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(address, "portal"));
        if (withPortal) {
            m_portal->registerService("org.freedesktop.portal.Desktop");
            m_portal->registerObject("/org/freedesktop/portal/desktop", this,
                                     QDBusConnection::ExportAllSlots);
        }
    }
    ~PrivateBus() override {
        client.reset();
        m_portal.reset();
        QDBusConnection::disconnectFromBus("client");
        QDBusConnection::disconnectFromBus("portal");
        m_daemon.terminate();
        m_daemon.waitForFinished();
    }
    bool isUp() const { return client != nullptr && client->isConnected(); }

    std::unique_ptr<QDBusConnection> client;
    uint response = 0;   ///< what the next pick answers
    QVariantMap results; ///< and with what
    QStringList calls;   ///< "parent|token|request path" of each call

public slots:
    QDBusObjectPath PickColor(const QString& parent, const QVariantMap& options,
                              const QDBusMessage& message) {
        QString sender = message.service().mid(1);
        sender.replace('.', '_');
        const QString token = options.value("handle_token").toString();
        const QString path = "/org/freedesktop/portal/desktop/request/" + sender + "/" + token;
        calls << parent + "|" + token + "|" + path;
        // the answer comes after the reply, as the user's click would
        QTimer::singleShot(10, this, [this, path] {
            QDBusMessage signal =
                QDBusMessage::createSignal(path, "org.freedesktop.portal.Request", "Response");
            signal << response << results;
            m_portal->send(signal);
        });
        return QDBusObjectPath(path);
    }

private:
    QTemporaryDir m_dir;
    QProcess m_daemon;
    std::unique_ptr<QDBusConnection> m_portal;
};

class tst_BaseColor : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { qDBusRegisterMetaType<PortalColor>(); }

    void typedTextsLandExactlyOrSayWhatIsWrong_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("rgb8"); ///< empty: no colour
        QTest::addColumn<QString>("says");
        QTest::addColumn<double>("L");
        QTest::addColumn<double>("C");
        QTest::addColumn<double>("h");
        QTest::newRow("oklch exact") << "oklch(55% 0.15 250)"
                                     << "#0F74C5"
                                     << "oklch(55% 0.15 250)" << 0.55 << 0.15 << 250.0;
        QTest::newRow("alpha") << " RGB(255 0 0 / 50%)"
                               << "#FF0000"
                               << "alpha value is ignored" << 0.627955 << 0.257683 << 29.2339;
        // the published mapping of display-p3 red: rgb(100% 4.457% 4.5932%)
        QTest::newRow("wider") << "color(display-p3 1 0 0)"
                               << "#FF0B0C"
                               << "Outside sRGB: gamut-mapped to #FF0B0C." << 0.63022 << 0.25536
                               << 28.9336;
        QTest::newRow("grey") << "gray"
                              << "#808080"
                              << "#808080" << 0.5999 << 0.0 << 0.0;
        QTest::newRow("bad") << "#12345G"
                             << ""
                             << "Cannot read this color: " << 0.0 << 0.0 << 0.0;
        QTest::newRow("empty") << ""
                               << ""
                               << "Type a CSS color" << 0.0 << 0.0 << 0.0;
    }
    void typedTextsLandExactlyOrSayWhatIsWrong() {
        QFETCH(QString, typed);
        QFETCH(QString, rgb8);
        QFETCH(QString, says);
        PrivateBus bus(false);
        QVERIFY(bus.isUp());
        ScreenColorPicker picker(*bus.client, nullptr);
        basecolor::SetBaseColorDialog dialog(&picker, nullptr);
        dialog.setNearestWheelColor([](core::ColorRGB) { return core::ColorRGB{255, 0, 0}; });
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QSignalSpy chosen(&dialog, &basecolor::SetBaseColorDialog::baseColorChosen);
        auto* field = dialog.findChild<QLineEdit*>("txtbasecolor");
        QTest::keyClicks(field, typed);
        QTest::keyClick(field, Qt::Key_Return);
        const QString message = dialog.findChild<QLabel*>("lblbasemessage")->text();
        QVERIFY2(message.contains(says), qPrintable(message));
        const QImage swatch = dialog.findChild<ui::Swatch*>("picbasecolor")->grab().toImage();
        const QString shown = QColor(swatch.pixel(28, 28)).name().toUpper();
        if (rgb8.isEmpty()) {
            QCOMPARE(chosen.size(), 0);
            QVERIFY(dialog.isVisible());
            QVERIFY(!dialog.findChild<QPushButton*>("cmdok")->isEnabled());
            QCOMPARE(shown, dialog.palette().color(QPalette::Window).name().toUpper());
            return;
        }
        QCOMPARE(shown, rgb8);
        QCOMPARE(chosen.size(), 1);
        QVERIFY(!dialog.isVisible());
        const auto rgb = chosen.at(0).at(0).value<core::ColorRGB>();
        const auto exact = chosen.at(0).at(1).value<core::Oklch>();
        QCOMPARE(QString::asprintf("#%02X%02X%02X", rgb.r, rgb.g, rgb.b), rgb8);
        QFETCH(double, L);
        QFETCH(double, C);
        QFETCH(double, h);
        const double tolerance = QTest::currentDataTag() == QByteArray("oklch exact") ? 1e-9 : 1e-3;
        QVERIFY2(qAbs(exact.L - L) < tolerance && qAbs(exact.C - C) < tolerance &&
                     qAbs(exact.h - h) < (C > 0 ? tolerance * 100 : 1e-12),
                 qPrintable(QString::asprintf("%.9g %.9g %.9g", exact.L, exact.C, exact.h)));
        const QString info = dialog.findChild<QLabel*>("lblbaseinfo")->text();
        const double distance = accessibility::colorDifference(
            accessibility::rgb24(rgb.r, rgb.g, rgb.b), accessibility::rgb24(255, 0, 0));
        QCOMPARE(
            info,
            QString("The nearest wheel pixel is #FF0000, ΔE2000 = %1.").arg(distance, 0, 'f', 2));
    }

    // with no screen and no portal, the button says why instead of failing silently
    void withoutAnyWayToPickTheButtonSaysWhy() {
        PrivateBus bus(false);
        QVERIFY(bus.isUp());
        ScreenColorPicker picker(*bus.client, nullptr);
        QCOMPARE(picker.method(), ScreenColorPicker::Method::None);
        QVERIFY(picker.unavailableReason().contains("display platform \"offscreen\""));
        QSignalSpy unavailable(&picker, &ScreenColorPicker::unavailable);
        picker.pick();
        QCOMPARE(unavailable.size(), 0); // never inside pick()
        QTRY_COMPARE(unavailable.size(), 1);
        QCOMPARE(unavailable.at(0).at(0).toString(), picker.unavailableReason());
        basecolor::SetBaseColorDialog dialog(&picker, nullptr);
        auto* button = dialog.findChild<QPushButton*>("cmdpickscreen");
        QVERIFY(!button->isEnabled());
        QCOMPARE(button->toolTip(), picker.unavailableReason());
        QVERIFY(dialog.findChild<QLabel*>("lblbasemessage")
                    ->text()
                    .endsWith("Pick from Screen is not available: " + picker.unavailableReason()));
    }

    void thePortalsAnswerEndsThePick_data() {
        QTest::addColumn<uint>("response");
        QTest::addColumn<QVariant>("color");
        QTest::addColumn<QString>("outcome");
        QTest::newRow("picked") << 0u << QVariant::fromValue(PortalColor{0.2, 0.4, 0.6})
                                << "picked #336699";
        QTest::newRow("beyond 0..1")
            << 0u << QVariant::fromValue(PortalColor{-0.5, 1.5, 0.502}) << "picked #00FF80";
        QTest::newRow("cancelled") << 1u << QVariant() << "cancelled";
        QTest::newRow("ended") << 2u << QVariant()
                               << "failed The desktop's color picker ended without a color.";
        QTest::newRow("no color") << 0u << QVariant()
                                  << "failed The desktop's color picker gave no color.";
        QTest::newRow("wrong type")
            << 0u << QVariant("red") << "failed The desktop's color picker gave no color.";
    }
    void thePortalsAnswerEndsThePick() {
        QFETCH(uint, response);
        QFETCH(QVariant, color);
        QFETCH(QString, outcome);
        PrivateBus bus(true);
        QVERIFY(bus.isUp());
        bus.response = response;
        if (color.isValid())
            bus.results.insert("color", color);
        ScreenColorPicker picker(*bus.client, nullptr);
        QCOMPARE(picker.method(), ScreenColorPicker::Method::Portal);
        QStringList seen;
        connect(&picker, &ScreenColorPicker::colorPicked, this, [&seen](core::ColorRGB c) {
            seen << QString::asprintf("picked #%02X%02X%02X", c.r, c.g, c.b);
        });
        connect(&picker, &ScreenColorPicker::cancelled, this, [&seen] { seen << "cancelled"; });
        connect(&picker, &ScreenColorPicker::failed, this,
                [&seen](const QString& why) { seen << "failed " + why; });
        picker.pick();
        QVERIFY(picker.isPicking());
        QTRY_COMPARE(seen, QStringList(outcome));
        QVERIFY(!picker.isPicking());
        QCOMPARE(bus.calls.size(), 1);
        const QStringList call = bus.calls.front().split('|');
        QVERIFY(call[0].isEmpty() && call[1].startsWith("chromalune") && call[1].size() > 10);
    }

    // the dialog steps aside while the portal picks, then shows the colour picked
    void theDialogTakesThePickedColour() {
        PrivateBus bus(true);
        QVERIFY(bus.isUp());
        bus.results.insert("color", QVariant::fromValue(PortalColor{1, 0.5, 0}));
        ScreenColorPicker picker(*bus.client, nullptr);
        basecolor::SetBaseColorDialog dialog(&picker, nullptr);
        dialog.setText("teal");
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::mouseClick(dialog.findChild<QPushButton*>("cmdpickscreen"), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QTRY_COMPARE(dialog.text(), "#FF8000");
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.color()->rgb8, (core::ColorRGB{255, 128, 0}));
    }

    // Run under an X server (QT_QPA_PLATFORM=xcb): a click on the cross-pointer overlay takes
    // the colour shown there, and Escape cancels.
    void onX11AClickTakesTheColourOnScreen() {
        if (QGuiApplication::platformName() != "xcb")
            QSKIP("needs an X server");
        QWidget target;
        target.setWindowFlags(Qt::FramelessWindowHint);
        target.setGeometry(100, 120, 80, 60);
        target.setStyleSheet("background: #3A7F1C");
        target.show();
        QVERIFY(QTest::qWaitForWindowExposed(&target));
        QTest::qWait(200);
        ScreenColorPicker picker(QDBusConnection::sessionBus(), nullptr);
        QCOMPARE(picker.method(), ScreenColorPicker::Method::X11Grab);
        QSignalSpy picked(&picker, &ScreenColorPicker::colorPicked);
        QSignalSpy cancelled(&picker, &ScreenColorPicker::cancelled);
        for (const bool escape : {true, false}) {
            picker.pick();
            QWidget* overlay = nullptr;
            QTRY_VERIFY((overlay = QApplication::topLevelAt(QPoint(140, 150))) != nullptr &&
                        overlay->objectName() == "screencolorpicker");
            QVERIFY(QTest::qWaitForWindowExposed(overlay));
            QCOMPARE(overlay->cursor().shape(), Qt::CrossCursor);
            if (escape)
                QTest::keyClick(overlay, Qt::Key_Escape);
            else
                QTest::mouseClick(overlay, Qt::LeftButton, {},
                                  overlay->mapFromGlobal(QPoint(140, 150)));
        }
        QCOMPARE(cancelled.size(), 1);
        QCOMPARE(picked.size(), 1);
        QCOMPARE(picked.at(0).at(0).value<core::ColorRGB>(), (core::ColorRGB{0x3A, 0x7F, 0x1C}));
    }
};

CHROMALUNE_TEST_MAIN(tst_BaseColor)
#include "BaseColorTest.moc"
