#include "support/MainWindowDriver.h"
#include "support/PaintCounter.h"
#include "support/QtTestMain.h"

#include "colorscience/DesignSystem.h"
#include "designsystem/RampsWindow.h"

#include <QAccessible>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>

#include <QSlider>

#include <functional>

using namespace designsystem;
using namespace colorscience;

namespace {

/// A painted row's cell i as a screen reader finds it, with its area in the row.
struct Cell {
    QWidget* row;
    QAccessibleInterface* item;
    Cell(QWidget* r, int i) : row(r), item(QAccessible::queryAccessibleInterface(r)->child(i)) {
        if (item == nullptr)
            STOP_TEST(QStringLiteral("no cell %1 in %2").arg(i).arg(r->objectName()));
    }
    QRect area() const { return {row->mapFromGlobal(item->rect().topLeft()), item->rect().size()}; }
    /// The colour shown left of the code.
    QRgb shown(const QImage& grabbed) const {
        return grabbed.pixel(area().left() + 4, area().center().y());
    }
    QString description() const { return item->text(QAccessible::Description); }
    void click() const { QTest::mouseClick(row, Qt::LeftButton, {}, area().center()); }
};

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
        // whether ramp steps lie beyond sRGB
        QTest::addColumn<bool>("wide");
        QTest::newRow("tracked moves") << 1 << "mm" << false;
        QTest::newRow("frozen by a click") << 3 << "mcm" << false;
        QTest::newRow("complementary") << 0 << "m" << false;
        QTest::newRow("shown again") << 2 << "mh" << false;
        QTest::newRow("perceptual lightness") << 1 << "pml" << true;
    }

    void showsTheDesignSystemOfTheScheme() {
        QFETCH(int, rule);
        QFETCH(QString, steps);
        MainWindowDriver d;
        d.runMenu("mnuramps");
        QWidget* w = d.child("frmramps");
        d.chooseRule(rule);
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
                QTRY_VERIFY(in(w, "ramp1")->isVisible());
                const Cell first(in(w, "ramp1"), 5);
                const QString before = first.description();
                w->close();
                d.move(points[next].x(), points[next].y()), ++next;
                // hidden, it keeps what it showed until it is shown again
                QCOMPARE(first.description(), before);
                d.runMenu("mnuramps");
                QCOMPARE(d.child("frmramps"), w);
            }
        }

        std::vector<core::ColorRGB> colors;
        for (core::Color c : d.model().schemeColors())
            colors.push_back(core::splitColor(c));
        const DesignSystem system = designSystemOf(colors, d.model().exactColors());
        // the window follows at most once a display frame: the ramps come in place of the
        // note that there is no scheme, and the base's pinned step shows it
        QTRY_VERIFY(in(w, "ramp2")->isVisible());
        const Ramp& base = system.ramps[1];
        QTRY_VERIFY(Cell(in(w, "ramp2"), base.pinnedIndex)
                        .description()
                        .startsWith(code(base.steps[size_t(base.pinnedIndex)].color)));
        QCOMPARE(system.ramps.size(), rule == 0 ? 3u : 4u);
        int wideSteps = 0;
        QCOMPARE(in(w, "ramp3")->isVisible(), rule != 0);
        for (size_t r = 0; r < system.ramps.size(); ++r) {
            const Ramp& ramp = system.ramps[r];
            const bool neutral = r + 1 == system.ramps.size();
            QWidget* row = in(w, neutral ? QString("rampneutral") : QString("ramp%1").arg(r + 1));
            const QImage shown = row->grab().toImage();
            for (int i = 0; i < kRampSize; ++i) {
                const RampStep& step = ramp.steps[size_t(i)];
                const Cell cell(row, i);
                QCOMPARE(cell.shown(shown), rgb(step.color));
                const double on50 = contrastOf(step.color, ramp.steps.front().color);
                const QString desc = cell.description();
                QVERIFY2(desc.startsWith(code(step.color)) &&
                             desc.contains("pinned") == step.pinned &&
                             desc.contains("step 50: " +
                                           QString::fromStdString(colorscience::ratioWords(on50)) +
                                           (on50 >= 4.5 ? ", passes AA" : ", fails AA")),
                         qPrintable(desc));
            }
            // the pinned step is the scheme colour exactly: the main window's own code, or
            // beyond sRGB its display-p3 value as sRGB shows it
            if (!neutral) {
                const RampStep& pinned = ramp.steps[size_t(ramp.pinnedIndex)];
                Cell(row, ramp.pinnedIndex).click();
                QCOMPARE(platform::clipboardText(), pinned.exact
                                                        ? code(pinned.color)
                                                        : d.text(QString("txthtml%1").arg(r + 1)));
            }
            // a step beyond sRGB copies as its exact display-p3 value
            for (int i = 0; i < kRampSize; ++i) {
                const RampStep& step = ramp.steps[size_t(i)];
                if (!step.exact)
                    continue;
                ++wideSteps;
                QContextMenuEvent ask(QContextMenuEvent::Mouse, Cell(row, i).area().center(),
                                      row->mapToGlobal(Cell(row, i).area().center()));
                QApplication::sendEvent(row, &ask);
                auto* menu = row->findChild<QMenu*>("mnucopyascontext");
                QVERIFY(menu != nullptr);
                menu->findChild<QAction*>("mnucopyasp3")->trigger();
                QCOMPARE(platform::clipboardText(), QString::fromStdString(core::displayP3Text(
                                                        core::mapToDisplayP3(*step.exact))));
                menu->close();
                delete menu;
            }
        }
        QWidget* dark = in(w, "darktwin");
        QCOMPARE(QAccessible::queryAccessibleInterface(dark)->childCount(),
                 int(system.twins.size()));
        const QImage shown = dark->grab().toImage();
        for (size_t k = 0; k < system.twins.size(); ++k) {
            const DarkTwin& twin = system.twins[k];
            const Cell cell(dark, int(k));
            QCOMPARE(cell.shown(shown), rgb(twin.color));
            cell.click();
            QCOMPARE(platform::clipboardText(), code(twin.color));
            QCOMPARE(cell.description(),
                     code(twin.color) + "; " +
                         QString::fromStdString(
                             colorscience::ratioWords(twin.contrast) + " on dark, " +
                             colorscience::ratioWords(twin.targetContrast) + " on white") +
                         (twin.reachable ? "" : "; nearest reachable"));
        }
        // the dark twin's background is the neutral 950
        QCOMPARE(shown.pixel(2, 2), rgb(system.darkBackground()));
        QFETCH(bool, wide);
        QCOMPARE(wideSteps > 0, wide);
    }

    void keysCopyAndUnreachableTwinsSaySo() {
        RampsWindow w;
        w.show();
        // black's 21:1 on white is more than white reaches on the dark background
        w.setSchemeColors({{51, 102, 204}, {0, 0, 0}, {255, 255, 255}});
        QWidget* dark = in(&w, "darktwin");
        QVERIFY(Cell(dark, 1).description().endsWith("; nearest reachable"));
        QVERIFY(!Cell(dark, 0).description().contains("nearest"));
        // the keyboard: the window opens on the first row, the arrows move along it, Space
        // copies
        QWidget* row = in(&w, "ramp1");
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(QApplication::focusWidget(), row);
        for (Qt::Key key : {Qt::Key_End, Qt::Key_Left, Qt::Key_Space})
            QTest::keyClick(row, key);
        QCOMPARE(platform::clipboardText(), Cell(row, 9).description().left(7));
        // a click moves the keys' cell there too
        Cell(row, 3).click();
        QTest::keyClick(row, Qt::Key_Right);
        QTest::keyClick(row, Qt::Key_Space);
        QCOMPARE(platform::clipboardText(), Cell(row, 4).description().left(7));
        // the key cell stays within a row that shrinks: from the third twin of three to two
        QTest::keyClick(dark, Qt::Key_End);
        w.setSchemeColors({{51, 102, 204}, {0, 0, 0}});
        QTest::keyClick(dark, Qt::Key_Space);
        QCOMPARE(platform::clipboardText(), Cell(dark, 1).description().left(7));
        // the key cell's mark comes and goes with the focus, on screen too
        PaintCounter painted;
        row->installEventFilter(&painted);
        for (QWidget* focus : {dark, row}) {
            painted.region = {};
            focus->setFocus();
            QTRY_VERIFY(painted.region.contains(Cell(row, 4).area()));
        }
    }

    void whatIsNotInTheSchemeIsNotAnnounced() {
        MainWindowDriver d;
        d.runMenu("mnuramps");
        QWidget* w = d.child("frmramps");
        d.chooseRule(3); // triad
        d.move(200, 60);
        QTRY_VERIFY(in(w, "ramp3")->isVisible());
        // what a reader finds of colour 3, which it may ask again later; the row's caption
        // stays beside the note that says why the row is empty
        QList<QAccessibleInterface*> seen;
        const std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* at) {
            const QString said =
                at->text(QAccessible::Name) + ' ' + at->text(QAccessible::Description);
            if (said.contains("color-3") && at->object() != in(w, "lblramp3") && !seen.contains(at))
                seen << at;
            for (int i = 0; i < at->childCount(); ++i)
                walk(at->child(i));
        };
        walk(QAccessible::queryAccessibleInterface(w));
        QCOMPARE(seen.size(), 1 + kRampSize + 1); // the ramp, its steps, the twin
        d.chooseRule(0);
        QTRY_VERIFY(in(w, "lblnotinscheme")->isVisible());
        walk(QAccessible::queryAccessibleInterface(w));
        for (QAccessibleInterface* part : seen)
            QVERIFY2(part->state().invisible && part->childCount() == 0 &&
                         part->text(QAccessible::Description).isEmpty(),
                     qPrintable(part->text(QAccessible::Name)));
    }
};

CHROMALUNE_TEST_MAIN(tst_RampsWindow)
#include "RampsWindowTest.moc"
