#include "basecolor/SetBaseColorDialog.h"
#include "colorscience/ColorDifference.h"
#include "platform/ScreenColorPicker.h"
#include "support/QtTestMain.h"
#include "ui/Swatch.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTimer>

#include <memory>

using platform::ScreenColorPicker;

/// The portal's colour: red, green and blue 0..1, sent as (ddd).
QVariant portalColor(double r, double g, double b) {
    QDBusArgument color;
    color.beginStructure();
    color << r << g << b;
    color.endStructure();
    return QVariant::fromValue(color);
}

/// A session bus of the test's own with a stand-in for the desktop portal's colour picker.
class PrivateBus : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Screenshot")
public:
    PrivateBus() {
        m_daemon.start("dbus-daemon", {"--session", "--nofork", "--print-address"});
        if (!m_daemon.waitForReadyRead(5000))
            return;
        const QString address = QString::fromUtf8(m_daemon.readLine()).trimmed();
        client = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(address, "c"));
        m_portal = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(address, "p"));
        m_portal->registerService("org.freedesktop.portal.Desktop");
        m_portal->registerObject("/org/freedesktop/portal/desktop", this,
                                 QDBusConnection::ExportAllSlots);
    }
    ~PrivateBus() override {
        client.reset();
        m_portal.reset();
        QDBusConnection::disconnectFromBus("c");
        QDBusConnection::disconnectFromBus("p");
        m_daemon.terminate();
        m_daemon.waitForFinished();
    }

    std::unique_ptr<QDBusConnection> client;
    uint response = 0;        ///< what the next pick answers
    QVariantMap results;      ///< and with what
    bool answerFirst = false; ///< whether the answer goes out before the call's reply
    bool otherPath = false;   ///< whether it answers on another path than the one predicted
    QStringList calls;        ///< "parent|token" of each call

public slots:
    // NOLINTNEXTLINE(readability-identifier-naming): the portal's own method name
    QDBusObjectPath PickColor(const QString& parent, const QVariantMap& options,
                              const QDBusMessage& message) {
        QString sender = message.service().mid(1);
        sender.replace('.', '_');
        const QString token = options.value("handle_token").toString();
        // an older portal answers on a path of its own choosing
        const QString path = "/org/freedesktop/portal/desktop/request/" +
                             (otherPath ? QString("older") : sender) + "/" + token;
        calls << parent + "|" + token;
        // the answer comes after the reply, as the user's click would, or before it, as a
        // portal that answers at once may send it
        const auto answer = [this, path] {
            QDBusMessage signal =
                QDBusMessage::createSignal(path, "org.freedesktop.portal.Request", "Response");
            signal << response << results;
            m_portal->send(signal);
        };
        answerFirst ? answer() : QTimer::singleShot(10, this, answer);
        return QDBusObjectPath(path);
    }

private:
    QProcess m_daemon;
    std::unique_ptr<QDBusConnection> m_portal;
};

class tst_BaseColor : public QObject {
    Q_OBJECT
    PrivateBus m_bus;
    QDBusConnection m_noBus{"none"}; ///< never connected: no portal to find

private slots:
    void initTestCase() { QVERIFY(m_bus.client && m_bus.client->isConnected()); }

    void typedTextsLandExactlyOrSayWhatIsWrong_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("rgb"); ///< -1: no colour
        QTest::addColumn<QString>("says");
        QTest::addColumn<core::Oklch>("exact"); ///< what the dialog hands over beside rgb
        QTest::newRow("oklch exact") << "oklch(55% 0.15 250)" << 0x0F74C5 << "oklch(55% 0.15 250)"
                                     << core::Oklch{0.55, 0.15, 250};
        QTest::newRow("alpha") << " RGB(255 0 0 / 50%)" << 0xFF0000 << "alpha value is ignored"
                               << core::Oklch{0.627955, 0.257683, 29.2339};
        // shown as the published mapping of display-p3 red, rgb(100% 4.457% 4.5932%), and
        // handed over as display-p3 red itself, which the perceptual wheel keeps
        QTest::newRow("wider") << "color(display-p3 1 0 0)" << 0xFF0B0C
                               << "#FF0B0C   oklch(64.86% 0.2995 28.96)\nOutside sRGB: "
                                  "gamut-mapped to #FF0B0C."
                               << core::Oklch{0.64857, 0.29948, 28.956};
        QTest::newRow("grey") << "gray" << 0x808080 << "#808080" << core::Oklch{0.5999, 0, 0};
        QTest::newRow("bad") << "#12345G" << -1 << "Cannot read this color: " << core::Oklch{};
        QTest::newRow("empty") << "" << -1 << "Type a CSS color" << core::Oklch{};
    }
    void typedTextsLandExactlyOrSayWhatIsWrong() {
        QFETCH(QString, typed);
        QFETCH(int, rgb);
        QFETCH(QString, says);
        ScreenColorPicker picker(m_noBus, nullptr);
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
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize()); // fits its message, not resizable
        const QImage swatch = dialog.findChild<ui::Swatch*>("picbasecolor")->grab().toImage();
        const QRgb shown = swatch.pixel(28, 28) & RGB_MASK;
        if (rgb < 0) {
            QVERIFY(chosen.isEmpty() && dialog.isVisible());
            QVERIFY(!dialog.findChild<QPushButton*>("cmdok")->isEnabled());
            QCOMPARE(shown, dialog.palette().color(QPalette::Window).rgb() & RGB_MASK);
            return;
        }
        QCOMPARE(shown, QRgb(rgb));
        QVERIFY(chosen.size() == 1 && !dialog.isVisible());
        const auto rgb8 = chosen.at(0).at(0).value<core::ColorRGB>();
        const auto got = chosen.at(0).at(1).value<core::Oklch>();
        QCOMPARE(qRgb(rgb8.r, rgb8.g, rgb8.b) & RGB_MASK, QRgb(rgb));
        QFETCH(core::Oklch, exact);
        const double tolerance = QTest::currentDataTag() == QByteArray("oklch exact") ? 1e-9 : 1e-3;
        QVERIFY(qAbs(got.L - exact.L) < tolerance && qAbs(got.C - exact.C) < tolerance &&
                qAbs(got.h - exact.h) < (exact.C > 0 ? tolerance * 100 : 1e-12));
        const double distance = colorscience::colorDifference(rgb8, core::ColorRGB{255, 0, 0});
        QCOMPARE(
            dialog.findChild<QLabel*>("lblbaseinfo")->text(),
            QString("The nearest wheel pixel is #FF0000, ΔE2000 = %1.").arg(distance, 0, 'f', 2));
    }

    // with no screen and no portal, the button says why instead of failing silently
    void withoutAnyWayToPickTheButtonSaysWhy() {
        ScreenColorPicker picker(m_noBus, nullptr);
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
        QTest::addColumn<QString>("text");
        QTest::addColumn<QVariant>("color");
        QTest::addColumn<QString>("failure"); ///< the message's line under the colour's
        const QString picker = "The desktop's color picker ";
        QTest::newRow("picked") << 0u << "#00FF80" << portalColor(-0.5, 1.5, 0.502) << "";
        QTest::newRow("answered at once") << 0u << "#FF0000" << portalColor(1, 0, 0) << "";
        QTest::newRow("on another path") << 0u << "#0000FF" << portalColor(0, 0, 1) << "";
        QTest::newRow("cancelled") << 1u << "teal" << portalColor(0, 0, 0) << "";
        QTest::newRow("ended") << 2u << "teal" << QVariant() << picker + "ended without a color.";
        QTest::newRow("wrong type") << 0u << "teal" << QVariant::fromValue(QList<double>{1, 0, 0})
                                    << picker + "gave no color.";
    }
    // the dialog steps aside while the portal picks, then comes back with its answer
    void thePortalsAnswerEndsThePick() {
        QFETCH(uint, response);
        QFETCH(QVariant, color);
        m_bus.response = response;
        m_bus.results = color.isValid() ? QVariantMap{{"color", color}} : QVariantMap();
        m_bus.answerFirst = QTest::currentDataTag() == QByteArray("answered at once");
        m_bus.otherPath = QTest::currentDataTag() == QByteArray("on another path");
        m_bus.calls.clear();
        ScreenColorPicker picker(*m_bus.client, nullptr);
        basecolor::SetBaseColorDialog dialog(&picker, nullptr);
        dialog.setText("teal");
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::mouseClick(dialog.findChild<QPushButton*>("cmdpickscreen"), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QTRY_VERIFY(dialog.isVisible());
        QTEST(dialog.text(), "text");
        QTEST(dialog.findChild<QLabel*>("lblbasemessage")->text().section('\n', 1), "failure");
        QCOMPARE(m_bus.calls.size(), 1);
        QVERIFY(m_bus.calls[0].contains(QRegularExpression("^\\|chromalune\\d+$")));
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
        // the pick ends the overlay and gives the pointer back
        QTRY_VERIFY(QApplication::topLevelAt(QPoint(140, 150)) == nullptr ||
                    QApplication::topLevelAt(QPoint(140, 150))->objectName() !=
                        "screencolorpicker");
        QCOMPARE(picked.at(0).at(0).value<core::ColorRGB>(), (core::ColorRGB{0x3A, 0x7F, 0x1C}));
    }
};

CHROMALUNE_TEST_MAIN(tst_BaseColor)
#include "BaseColorTest.moc"
