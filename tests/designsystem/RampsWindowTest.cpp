#include "support/MainWindowDriver.h"
#include "support/QtTestMain.h"

#include "designsystem/DesignSystem.h"
#include "designsystem/RampsWindow.h"

#include <QLabel>
#include <QSlider>

using namespace designsystem;

namespace {

/// The colour a swatch shows left of its code.
QRgb shownColor(QWidget* swatch) {
    return swatch->grab().toImage().pixel(4, swatch->height() / 2);
}

QRgb rgb(core::ColorRGB c) {
    return qRgb(c.r, c.g, c.b);
}

QString code(core::ColorRGB c) {
    return QString::fromStdString(core::hexText(c));
}

} // namespace

class tst_RampsWindow : public QObject {
    Q_OBJECT
private slots:
    void showsTheDesignSystemOfTheScheme_data() {
        QTest::addColumn<int>("rule");
        // m: a tracked move to the next point, c: a click, h: the window closed, then a move,
        // then reopened from the menu, l: a new lightness of the perceptual disc
        QTest::addColumn<QString>("steps");
        QTest::newRow("tracked moves") << 1 << "mm";
        QTest::newRow("frozen by a click") << 3 << "mcm";
        QTest::newRow("complementary") << 0 << "m";
        QTest::newRow("shown again") << 2 << "mh";
        QTest::newRow("perceptual lightness") << 1 << "pml";
    }

    void showsTheDesignSystemOfTheScheme() {
        QFETCH(int, rule);
        QFETCH(QString, steps);
        MainWindowDriver d;
        d.chooseRule(rule);
        d.runMenu("mnuramps");
        QWidget* w = d.child("frmramps");
        QCOMPARE(w->windowTitle(), QStringLiteral("Tonal Ramps"));
        const QPoint points[] = {{200, 60}, {70, 150}, {150, 220}};
        int next = 0;
        for (QChar s : steps) {
            if (s == 'p')
                d.runMenu("mnuperceptual");
            if (s == 'm')
                d.move(points[next].x(), points[next].y()), ++next;
            if (s == 'c')
                d.press(points[next - 1].x(), points[next - 1].y());
            if (s == 'l')
                d.child<QSlider>("sldlightness")->setValue(420);
            if (s == 'h') {
                QWidget* first = in(w, "ramp1")->findChild<QWidget*>("step500");
                const QRgb before = shownColor(first);
                w->close();
                d.move(points[next].x(), points[next].y()), ++next;
                // hidden, it keeps what it showed until it is shown again
                QCOMPARE(shownColor(first), before);
                d.runMenu("mnuramps");
                QCOMPARE(d.child("frmramps"), w);
            }
        }

        std::vector<core::ColorRGB> colors;
        for (core::Color c : d.model().schemeColors())
            colors.push_back(core::splitColor(c));
        const DesignSystem system = designSystemOf(colors);
        QCOMPARE(system.ramps.size(), rule == 0 ? 3u : 4u);
        QCOMPARE(in(w, "ramp3")->findChild<QWidget*>("step50")->isVisible(), rule != 0);
        QCOMPARE(in(w, "twin3")->isVisible(), rule != 0);
        for (size_t r = 0; r < system.ramps.size(); ++r) {
            const Ramp& ramp = system.ramps[r];
            const bool neutral = r + 1 == system.ramps.size();
            QWidget* row = in(w, neutral ? QString("rampneutral") : QString("ramp%1").arg(r + 1));
            for (const RampStep& step : ramp.steps) {
                auto* swatch = in(row, QString("step%1").arg(step.step));
                QCOMPARE(shownColor(swatch), rgb(step.color));
                const double on50 = contrastOf(step.color, ramp.steps.front().color);
                const QString desc = swatch->accessibleDescription();
                QVERIFY2(desc.startsWith(code(step.color)) &&
                             desc.contains("pinned") == step.pinned &&
                             desc.contains("step 50: " +
                                           QString::fromStdString(accessibility::ratioWords(on50)) +
                                           (on50 >= 4.5 ? ", passes AA" : ", fails AA")),
                         qPrintable(desc));
            }
            // the pinned step is the scheme colour exactly: the main window's own code
            if (!neutral) {
                QTest::mouseClick(in(row, QString("step%1").arg(ramp.steps[ramp.pinnedIndex].step)),
                                  Qt::LeftButton);
                QCOMPARE(platform::clipboardText(), d.text(QString("txthtml%1").arg(r + 1)));
            }
        }
        for (size_t k = 0; k < system.twins.size(); ++k) {
            const DarkTwin& twin = system.twins[k];
            QWidget* swatch = in(w, QString("twin%1").arg(k + 1));
            QCOMPARE(shownColor(swatch), rgb(twin.color));
            QTest::mouseClick(swatch, Qt::LeftButton);
            QCOMPARE(platform::clipboardText(), code(twin.color));
            QCOMPARE(in<QLabel>(w, QString("lbltwincontrast%1").arg(k + 1))->text(),
                     QString::fromStdString(
                         accessibility::ratioText(twin.contrast) + " on dark · " +
                         accessibility::ratioText(twin.targetContrast) + " on white"));
        }
        // the dark twin's background is the neutral 950
        QWidget* dark = in(w, "darktwin");
        QCOMPARE(dark->grab().toImage().pixel(2, 2), rgb(system.darkBackground()));
    }

    void keysCopyAndUnreachableTwinsSaySo() {
        RampsWindow w;
        w.show();
        // black's 21:1 on white is more than white reaches on the dark background
        w.setSchemeColors({{51, 102, 204}, {0, 0, 0}, {255, 255, 255}});
        QCOMPARE(in<QLabel>(&w, "lbltwinnote2")->text(), QStringLiteral("nearest reachable"));
        QCOMPARE(in<QLabel>(&w, "lbltwinnote1")->text(), QString());
        QWidget* step = in(&w, "ramp1")->findChild<QWidget*>("step900");
        step->setFocus();
        QTest::keyClick(step, Qt::Key_Space);
        QCOMPARE(platform::clipboardText(), step->accessibleDescription().left(7));
    }
};

CHROMALUNE_TEST_MAIN(tst_RampsWindow)
#include "RampsWindowTest.moc"
