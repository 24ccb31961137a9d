#include "support/MainWindowDriver.h"
#include "support/QtTestMain.h"

#include "sitepreview/PageView.h"
#include "sitepreview/SitePreviewWindow.h"

#include <QLabel>

using namespace sitepreview;
using colorscience::Role;
using colorscience::Theme;

namespace {

/// The site preview opened from the menu over a picked scheme, with what its pages show.
struct Site {
    MainWindowDriver d;
    SitePreviewWindow* w = nullptr;

    explicit Site(int rule = 3) {
        d.chooseRule(rule);
        d.move(200, 60);
        d.runMenu("mnusite");
        w = d.w->findChild<SitePreviewWindow*>("frmsite");
        if (w == nullptr || !QTest::qWaitForWindowExposed(w))
            STOP_TEST(QStringLiteral("no site preview"));
        if (!QTest::qWaitFor([this] { return w->roles().has_value(); }))
            STOP_TEST(QStringLiteral("the site preview shows no roles"));
    }
    PageView* page(Theme t) const { return w->page(t); }
    /// Points at element k of the page of t, through the window as the desktop sends a move
    /// (a cursor moved offscreen reaches whichever window lies first at its place).
    void pointAt(Theme t, size_t k) const {
        const QPoint at = page(t)->mapTo(w, pageElements()[k].rect.center());
        QTest::mouseMove(w->windowHandle(), at);
    }
    static QColor color(core::ColorRGB c) { return {c.r, c.g, c.b}; }
    QColor role(Theme t, Role r) const {
        const core::ColorRGB c = w->roles()->theme(t)[r].color;
        return {c.r, c.g, c.b};
    }
    /// The page as the screen shows it, in logical pixels' scale.
    QImage shown(Theme t) const { return page(t)->grab().toImage(); }
    /// The colour a filled element k shows.
    QColor fill(Theme t, size_t k) const {
        const QImage image = shown(t);
        return image.pixelColor(pageElements()[k].sample * image.devicePixelRatio());
    }
    /// How far the pixel of text element k nearest to color is from it, per channel at most.
    int nearest(Theme t, size_t k, const QColor& color) const {
        const QImage image = shown(t);
        const qreal ratio = image.devicePixelRatio();
        const QRect r = pageElements()[k].rect;
        int best = 255;
        for (int y = int(r.top() * ratio); y < int((r.bottom() + 1) * ratio); ++y)
            for (int x = int(r.left() * ratio); x < int((r.right() + 1) * ratio); ++x) {
                const QColor c = image.pixelColor(x, y);
                best = qMin(best,
                            qMax(qMax(qAbs(c.red() - color.red()), qAbs(c.green() - color.green())),
                                 qAbs(c.blue() - color.blue())));
            }
        return best;
    }
    static size_t element(const QString& name) {
        const std::vector<PageElement>& all = pageElements();
        for (size_t k = 0; k < all.size(); ++k)
            if (all[k].name == name)
                return k;
        STOP_TEST(QStringLiteral("no element ") + name);
    }
    QString status() const { return in<QLabel>(w, "lblsitestatus")->text(); }
    /// How many pixels of the element's rectangle, widened by margin, have exactly color.
    int count(Theme t, size_t k, const QColor& color, int margin = 0) const {
        const QImage image = shown(t);
        const qreal ratio = image.devicePixelRatio();
        const QRect r = pageElements()[k].rect.adjusted(-margin, -margin, margin, margin);
        int n = 0;
        for (int y = int(r.top() * ratio); y < int((r.bottom() + 1) * ratio); ++y)
            for (int x = int(r.left() * ratio); x < int((r.right() + 1) * ratio); ++x)
                n += image.rect().contains(x, y) && image.pixel(x, y) == color.rgb();
        return n;
    }
};

const QColor kMarkRed(0xD0, 0x10, 0x10);
/// Per channel: a glyph's most covered pixel of 12-pixel text.
constexpr int kTextTolerance = 40;

} // namespace

class tst_SitePreviewWindow : public QObject {
    Q_OBJECT
private slots:
    void cleanup() {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->close();
    }

    void paintsEveryElementInItsRole_data() {
        QTest::addColumn<int>("rule");
        QTest::newRow("triad") << 3;
        QTest::newRow("complementary") << 0;
        QTest::newRow("analogous") << 1;
    }

    void paintsEveryElementInItsRole() {
        QFETCH(int, rule);
        Site s(rule);
        // the window shows the roles of the scheme as it stands
        std::vector<core::ColorRGB> colors;
        for (core::Color c : s.d.model().schemeColors())
            colors.push_back(core::splitColor(c));
        const colorscience::Roles expected =
            colorscience::deriveRoles(colors, s.d.model().exactColors());
        QStringList faults;
        for (Theme t : {Theme::Light, Theme::Dark}) {
            for (int r = 0; r < colorscience::kRoleCount; ++r)
                if (!(s.w->roles()->theme(t).roles[size_t(r)].color ==
                      expected.theme(t).roles[size_t(r)].color))
                    faults << QStringLiteral("role %1 not the scheme's").arg(r);
            const std::vector<PageElement>& elements = pageElements();
            for (size_t k = 0; k < elements.size(); ++k) {
                const PageElement& e = elements[k];
                const QColor want = s.role(t, e.role);
                // a fill shows its very colour; small text may cover no pixel fully, but its
                // stems come close
                const bool ok =
                    e.text ? s.nearest(t, k, want) <= kTextTolerance : s.fill(t, k) == want;
                if (!ok)
                    faults << QStringLiteral("%1 %2: not %3")
                                  .arg(colorscience::themeName(t), e.name, want.name());
            }
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
    }

    void pointingNamesRoleColorAndContrast_data() {
        QTest::addColumn<QString>("element");
        QTest::addColumn<int>("role");
        QTest::addColumn<int>("on");
        QTest::newRow("primary label")
            << "Primary button label" << int(Role::OnPrimary) << int(Role::Primary);
        QTest::newRow("card text") << "Card text" << int(Role::MutedText) << int(Role::Surface);
        QTest::newRow("focus ring")
            << "Focus ring" << int(Role::FocusRing) << int(Role::Background);
    }

    void pointingNamesRoleColorAndContrast() {
        QFETCH(QString, element);
        QFETCH(int, role);
        QFETCH(int, on);
        Site s;
        for (Theme t : {Theme::Light, Theme::Dark}) {
            const size_t k = Site::element(element);
            s.pointAt(t, k);
            const core::ColorRGB fg = s.w->roles()->theme(t)[Role(role)].color;
            const core::ColorRGB bg = s.w->roles()->theme(t)[Role(on)].color;
            const QString said = s.status();
            QVERIFY2(said.contains(element), qPrintable(said));
            QVERIFY2(said.contains(colorscience::roleInfo(Role(role)).caption), qPrintable(said));
            QVERIFY2(said.contains(QString::fromStdString(core::hexText(fg))), qPrintable(said));
            QVERIFY2(said.contains(QString::fromStdString(core::hexText(bg))), qPrintable(said));
            QVERIFY2(said.contains(QString::fromStdString(
                         colorscience::ratioText(colorscience::contrastOf(fg, bg)))),
                     qPrintable(said));
            QCOMPARE(s.page(t)->description(int(k)), said.section(": ", 1));
        }
    }

    void failingPairIsMarkedOnThePage() {
        Site s;
        const size_t headline = Site::element("Headline");
        QCOMPARE(s.count(Theme::Light, headline, kMarkRed, 4), 0);
        // text typed in the background's own colour cannot pass
        auto* field = in<QLineEdit>(s.w, "txtrole_text_light");
        field->selectAll();
        QTest::keyClicks(field, s.role(Theme::Light, Role::Background).name());
        QTest::keyClick(field, Qt::Key_Return);
        QTRY_VERIFY(s.count(Theme::Light, headline, kMarkRed, 4) > 0);
        QVERIFY(s.w->roles()->theme(Theme::Light)[Role::Text].failing);
        // the table marks the pair on the background's row too
        for (const char* row : {"lblratio_text_light", "lblratio_background_light"})
            QVERIFY2(in<QLabel>(s.w, row)->text().endsWith(QChar(0x2717)), row);
        // the dark page's text is still its own and passes
        QCOMPARE(s.count(Theme::Dark, headline, kMarkRed, 4), 0);
        s.pointAt(Theme::Light, headline);
        QVERIFY2(s.status().contains("fails"), qPrintable(s.status()));
    }

    void changingAStepIsOneUndoableStep() {
        Site s;
        const size_t button = Site::element("Primary button");
        const QColor before = s.fill(Theme::Dark, button);
        auto* step = in<QComboBox>(s.w, "cmbstep_primary_dark");
        const int choice = step->currentIndex() == 2 ? 3 : 2;
        step->setCurrentIndex(choice);
        emit step->activated(choice);
        const core::ColorRGB want =
            s.w->roles()->ramp(colorscience::RampKind::Primary).steps[size_t(choice)].color;
        QTRY_COMPARE(s.fill(Theme::Dark, button), QColor(want.r, want.g, want.b));
        QVERIFY(before != QColor(want.r, want.g, want.b));
        s.d.runMenu("mnuundo");
        QTRY_COMPARE(s.fill(Theme::Dark, button), before);
        s.d.runMenu("mnuredo");
        QTRY_COMPARE(s.fill(Theme::Dark, button), QColor(want.r, want.g, want.b));
        // "auto" gives the role back to the contrast search, as one more step
        const int automatic = step->findText("auto");
        step->setCurrentIndex(automatic);
        emit step->activated(automatic);
        QTRY_COMPARE(s.fill(Theme::Dark, button), before);
        QVERIFY(!s.w->roles()->theme(Theme::Dark)[Role::Primary].overridden);
        s.d.runMenu("mnuundo");
        QTRY_COMPARE(s.fill(Theme::Dark, button), QColor(want.r, want.g, want.b));
    }

    void followsTheSchemeLive() {
        Site s;
        const size_t button = Site::element("Primary button");
        const QColor before = s.fill(Theme::Light, button);
        s.d.move(70, 150);
        // once a display frame: the page shows the new scheme's primary
        QTRY_VERIFY(s.fill(Theme::Light, button) != before);
        QCOMPARE(s.fill(Theme::Light, button),
                 Site::color(s.d.model().roles().theme(Theme::Light)[Role::Primary].color));
    }

    void unreadableColorChangesNothing_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("no colour") << "not a colour";
        QTest::newRow("bad hex") << "#12345G";
        QTest::newRow("empty") << "";
    }

    void unreadableColorChangesNothing() {
        QFETCH(QString, typed);
        Site s;
        const QImage before = s.shown(Theme::Light);
        const QString lastStep = s.d.action("mnuundo")->text();
        auto* field = in<QLineEdit>(s.w, "txtrole_link_light");
        field->clear();
        QTest::keyClicks(field, typed);
        QTest::keyClick(field, Qt::Key_Return);
        QVERIFY(!in<QLabel>(s.w, "lblrolemessage")->text().isEmpty());
        QCOMPARE(s.d.action("mnuundo")->text(), lastStep);
        QTest::qWait(40);
        QCOMPARE(s.shown(Theme::Light), before);
    }

    void visionSelectorShowsThePageAsSimulated() {
        Site s;
        const size_t button = Site::element("Primary button");
        auto* vision = in<QComboBox>(s.w, "cmbvision");
        QCOMPARE(vision->count(), 1 + colorscience::kSimulationCount);
        int changed = 0;
        for (int k = 0; k < colorscience::kSimulationCount; ++k) {
            vision->setCurrentIndex(k + 1);
            changed += s.fill(Theme::Light, button) != s.role(Theme::Light, Role::Primary);
            for (Theme t : {Theme::Light, Theme::Dark}) {
                const uint32_t from = s.role(t, Role::Primary).rgb();
                uint32_t seen = 0;
                colorscience::simulatePixels(colorscience::Simulation(k), &from, &seen, 1);
                QCOMPARE(s.fill(t, button).rgb(), QColor(seen).rgb());
            }
        }
        // the scheme's saturated primary looks different to at least three of them
        QVERIFY(changed >= 3);
        vision->setCurrentIndex(0);
        QCOMPARE(s.fill(Theme::Light, button), s.role(Theme::Light, Role::Primary));
    }
};

CHROMALUNE_TEST_MAIN(tst_SitePreviewWindow)
#include "SitePreviewWindowTest.moc"
