#include "support/MainWindowDriver.h"
#include "support/QtTestMain.h"

#include "accessibility/AccessibilityWindow.h"
#include "accessibility/FixesPanel.h"
#include "scheme/SchemeModel.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>

using namespace accessibility;
using namespace colorscience;

namespace {

SchemeCheck checkOf(const scheme::SchemeModel& model) {
    const std::array<core::Color, 3> c = model.swatchColors();
    const auto value = [](core::Color color) { return core::splitColor(color); };
    return checkScheme({value(c[0]), value(c[1]), value(c[2])}, int(model.colorCount()));
}

} // namespace

class tst_FixesPanel : public QObject {
    Q_OBJECT
private slots:
    void fixesFollowTheSchemeAndApplyToTheSwatch() {
        MainWindowDriver d;
        d.move(40, 180); // a mid blue: its pairs fail AA normal text more often than AA large
        d.runMenu("mnuaccess");
        auto* window = in<AccessibilityWindow>(d.w.get(), "frmaccess");
        in<QTabWidget>(window, "tabcontrast")->setCurrentWidget(in<QWidget>(window, "fixpanel"));
        auto* view = in<QTableView>(window, "tblfixes");
        auto* level = in<QComboBox>(window, "cbofixlevel");
        QTRY_VERIFY(view->isVisible());
        // a screen reader hears the column titles, and rows carry none
        QCOMPARE(view->model()->headerData(4, Qt::Horizontal).toString(),
                 QStringLiteral("APCA Lc"));
        QVERIFY(view->model()->headerData(0, Qt::Vertical).isNull());

        // every level lists the fixes its failing pairs need
        int rows[3] = {};
        for (int i : {2, 1, 0}) {
            level->setCurrentIndex(i);
            const std::vector<PairFix> want = pairFixes(checkOf(d.model()), kFixLevels[i]);
            QCOMPARE(view->model()->rowCount(), int(want.size()));
            rows[i] = int(want.size());
            for (size_t r = 0; r < want.size(); ++r)
                QCOMPARE(view->model()->index(int(r), 2).data().toString(),
                         want[r].fix ? QString::fromStdString(core::hexText(want[r].fix->color))
                                     : QString());
        }
        QVERIFY(rows[1] < rows[0]);

        // a click on a code copies it; the fix of a swatch colour applies to that swatch
        const std::vector<PairFix> fixes = pairFixes(checkOf(d.model()), Level::AaNormal);
        const auto applicable = std::find_if(
            fixes.begin(), fixes.end(), [](const PairFix& f) { return f.fix && f.changed() < 3; });
        QVERIFY(applicable != fixes.end());
        const int row = int(applicable - fixes.begin());
        const QString code = QString::fromStdString(core::hexText(applicable->fix->color));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          view->visualRect(view->model()->index(row, 2)).center());
        QCOMPARE(platform::clipboardText(), code);
        QTest::mouseClick(in<QWidget>(window, "cmdapplyfix"), Qt::LeftButton);
        const int k = applicable->changed() + 1;
        QCOMPARE(d.text(QStringLiteral("txthtml%1").arg(k)), code);
        QVERIFY(d.model().isFrozen());
        QCOMPARE((*d.model().previewPaint())[size_t(k - 1)], d.model().swatchColor(k));
        // a step of its own, taken back and again
        QCOMPARE(d.action("mnuundo")->text(),
                 QStringLiteral("Undo Apply fix: Color %1 \u2192 %2").arg(k).arg(code));
        d.runMenu("mnuundo");
        QVERIFY(d.text(QStringLiteral("txthtml%1").arg(k)) != code && !d.model().isFrozen());
        d.runMenu("mnuredo");
        QCOMPARE(d.text(QStringLiteral("txthtml%1").arg(k)), code);
        // the pair passes now: the table lists the fixes of the scheme as it is, within a frame
        QTRY_COMPARE(view->model()->rowCount(),
                     int(pairFixes(checkOf(d.model()), Level::AaNormal).size()));
        QVERIFY(view->model()->rowCount() < int(fixes.size()));

        // frozen: the pointer keeps the fix, the next click releases the scheme
        d.move(60, 150);
        QCOMPARE(d.text(QStringLiteral("txthtml%1").arg(k)), code);
        d.press(60, 150);
        d.move(62, 150);
        QVERIFY(d.text(QStringLiteral("txthtml%1").arg(k)) != code);
    }

    void pairsNoLightnessFixesSayHowFarTheyGet() {
        // the perceptual wheel's triad at L 55 %: no pair of its colours can reach AAA
        const SchemeCheck check =
            checkScheme({{{0x00, 0x87, 0x75}, {0x73, 0x79, 0x00}, {0xC1, 0x41, 0x00}}});
        FixesPanel panel;
        panel.show();
        panel.setCheck(check);
        in<QComboBox>(&panel, "cbofixlevel")->setCurrentIndex(2);
        auto* view = in<QTableView>(&panel, "tblfixes");
        const auto cell = [view](int r, int c, int role = Qt::DisplayRole) {
            return view->model()->index(r, c).data(role);
        };
        QStringList pairs;
        for (int r = 0; r < view->model()->rowCount(); ++r) {
            const PairFix& f = panel.fixes()[size_t(r)];
            if (f.fix)
                continue;
            pairs << cell(r, 0).toString();
            const double best = colorscience::bestLightnessRatio(
                check.colors[size_t(f.foreground)], check.colors[size_t(f.background)]);
            QCOMPARE(cell(r, 1).toString(),
                     QStringLiteral("no lightness change of either colour reaches 7:1\n%1 at "
                                    "best: change the hue or chroma")
                         .arg(QString::fromStdString(ratioText(best))));
            QVERIFY(cell(r, 2).isNull());
            // both lines shown; a reader hears the ratios in words
            QVERIFY(view->rowHeight(r) >= 2 * view->fontMetrics().lineSpacing());
            const QString heard = cell(r, 1, Qt::AccessibleTextRole).toString();
            QVERIFY(heard.contains("reaches 7 to 1: " + QString::fromStdString(ratioWords(best)) +
                                   " at best"));
            // nothing to copy or apply, by button or by a click where a code would be
            view->selectRow(r);
            platform::setClipboardText("kept");
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                              view->visualRect(view->model()->index(r, 2)).center());
            QCOMPARE(platform::clipboardText(), QStringLiteral("kept"));
            QVERIFY(!in<QWidget>(&panel, "cmdcopyfix")->isEnabled());
            QVERIFY(!in<QWidget>(&panel, "cmdapplyfix")->isEnabled());
        }
        QCOMPARE(pairs,
                 QStringList({"Color 1 on Color2", "Color 1 on Color 3", "Color2 on Color 3"}));
        // at AA every pair has its fix again, each on a row of one line
        in<QComboBox>(&panel, "cbofixlevel")->setCurrentIndex(0);
        for (int r = 0; r < view->model()->rowCount(); ++r)
            QVERIFY(panel.fixes()[size_t(r)].fix &&
                    view->rowHeight(r) == view->verticalHeader()->defaultSectionSize());
    }

    void whiteAndBlackAreNeverApplied() {
        SchemeCheck check =
            checkScheme({{{0xFF, 0xFF, 0xFF}, {0xEE, 0xEE, 0xEE}, {0xDD, 0xDD, 0xDD}}}, 2);
        FixesPanel panel;
        panel.show();
        panel.setCheck(check);
        QSignalSpy applied(&panel, &FixesPanel::applyRequested);
        // every failing pair: colours 1 and 2 with each other and with white, never colour 3
        for (const PairFix& f : panel.fixes())
            QVERIFY(f.foreground < 2 && f.background != 2);
        auto* view = in<QTableView>(&panel, "tblfixes");
        // the change as a reader takes it: whose lightness, by how much, in oklch() percent
        QCOMPARE(view->model()->index(0, 1).data().toString(), QStringLiteral("Color2 L -38.2%"));
        for (int r = 0; r < view->model()->rowCount(); ++r) {
            view->selectRow(r);
            panel.applyFix();
            const bool swatch = panel.fixes()[size_t(r)].changed() < 2;
            QCOMPARE(in<QWidget>(&panel, "cmdapplyfix")->isEnabled(), swatch);
        }
        QVERIFY(!applied.isEmpty());
        for (const QList<QVariant>& call : applied)
            QVERIFY(call.at(0).toInt() <= 2);
    }
};

CHROMALUNE_TEST_MAIN(tst_FixesPanel)
#include "FixesPanelTest.moc"
