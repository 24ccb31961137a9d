#include "support/QtTestMain.h"

#include "app/CommandLine.h"
#include "formats/StarterPage.h"

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <sstream>

// The starter page as a real browser engine shows it: headless Chromium (named by
// CHROMALUNE_BROWSER; starter_page_browser.sh skips the test where there is none) renders the
// page the command line writes, in light and in dark, and the pixels inside its named elements
// are the roles the program derives for the scheme.

using colorscience::Role;
using colorscience::Theme;

namespace {

/// The page's layout in CSS pixels, which are screen pixels at a scale of 1.
constexpr QSize kWindow(1024, 1400);

/// Runs the browser headless on page with extra arguments; its standard output, or a failure.
QByteArray runBrowser(const QString& page, const QStringList& extra, const QString& profile) {
    QProcess browser;
    // --no-sandbox: the sandbox refuses to start as root, as in a container; the page is our
    // own file. The colour profile keeps the sRGB values exact in the screenshot.
    browser.start(
        qEnvironmentVariable("CHROMALUNE_BROWSER"),
        QStringList{
            "--headless", "--no-sandbox", "--disable-gpu", "--hide-scrollbars", "--no-first-run",
            "--force-device-scale-factor=1", "--force-color-profile=srgb",
            QStringLiteral("--window-size=%1,%2").arg(kWindow.width()).arg(kWindow.height()),
            "--user-data-dir=" + profile} +
            extra + QStringList{QUrl::fromLocalFile(page).toString()});
    browser.setStandardErrorFile(QProcess::nullDevice());
    if (!browser.waitForFinished(120000)) {
        browser.kill();
        browser.waitForFinished();
        return {};
    }
    return browser.exitStatus() == QProcess::NormalExit && browser.exitCode() == 0
               ? browser.readAllStandardOutput()
               : QByteArray();
}

/// What a test expects at an element: its fill, a border or ring pixel, or a text colour that
/// some pixel inside it shows.
enum class Probe { Fill, LeftEdge, Ring, Text };

struct Expectation {
    const char* id;
    Probe probe;
    Role role;
};

/// The element, what is sampled of it and the role it shows.
constexpr Expectation kExpectations[] = {
    {"site-header", Probe::Fill, Role::Surface},
    {"brand", Probe::Text, Role::Text},
    {"hero", Probe::Fill, Role::Background},
    {"hero-title", Probe::Text, Role::Text},
    {"hero-text", Probe::Text, Role::Text},
    {"btn-primary", Probe::Fill, Role::Primary},
    {"btn-primary", Probe::Text, Role::OnPrimary},
    {"btn-secondary", Probe::Fill, Role::Secondary},
    {"btn-secondary", Probe::Text, Role::OnSecondary},
    {"card-2", Probe::Fill, Role::Surface},
    {"card-2", Probe::LeftEdge, Role::Border},
    {"card-2", Probe::Text, Role::MutedText},
    {"badge-1", Probe::Fill, Role::Accent},
    {"badge-1", Probe::Text, Role::OnAccent},
    {"email-label", Probe::Text, Role::Text},
    {"email", Probe::Fill, Role::Background},
    {"email", Probe::LeftEdge, Role::Border},
    {"email", Probe::Ring, Role::FocusRing},
    {"story-link", Probe::Text, Role::Link},
    {"site-footer", Probe::Fill, Role::Surface},
    {"site-footer", Probe::Text, Role::MutedText},
};

QString hexOf(QRgb c) {
    return QColor(c).name().toUpper();
}

QRgb rgbOf(const colorscience::RoleColor& role) {
    return qRgb(role.color.r, role.color.g, role.color.b);
}

} // namespace

class tst_StarterPageBrowser : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_profile;
    QHash<QString, QRect> m_rects;

    /// The page the command line writes for args, and the roles the program derives for them.
    colorscience::Roles exportPage(const QStringList& args, const QString& path) {
        std::vector<std::string> line{"--export", path.toStdString()};
        for (const QString& a : args)
            line.push_back(a.toStdString());
        std::ostringstream out, err;
        if (app::runCommandLine(line, out, err) != 0)
            STOP_TEST(QString::fromStdString(err.str()));
        const app::ParsedArguments parsed = app::parseArguments(line);
        return app::schemeColors(*parsed.request).roles.value();
    }

    /// The page's screenshot with extra browser arguments.
    QImage screenshot(const QString& page, const QStringList& extra) {
        const QString png = page + QStringLiteral(".png");
        QFile::remove(png);
        runBrowser(page, extra + QStringList{"--screenshot=" + png}, m_profile);
        QImage shot(png);
        if (shot.size() != kWindow)
            STOP_TEST(QStringLiteral("no screenshot of %1 (%2)").arg(page, extra.join(' ')));
        return shot.convertToFormat(QImage::Format_RGB32);
    }

    /// Every expectation the shot misses for the theme's roles, one line each.
    QStringList misses(const QImage& shot, const colorscience::ThemeRoles& roles) const {
        QStringList faults;
        for (const Expectation& e : kExpectations) {
            const QRect r = m_rects.value(QLatin1String(e.id));
            const QRgb want = rgbOf(roles[e.role]);
            const QString what =
                QStringLiteral("%1 %2 (%3)")
                    .arg(QLatin1String(e.id), colorscience::roleInfo(e.role).cssName, hexOf(want));
            if (r.isEmpty()) {
                faults << what + ": no such element";
                continue;
            }
            // clear of rounded corners and text: a fill at the middle of the left padding, a
            // border in its first column, the ring 2 to 5 pixels outside the box
            const int y = r.center().y();
            const QPoint at = e.probe == Probe::Fill       ? QPoint(r.left() + 6, y)
                              : e.probe == Probe::LeftEdge ? QPoint(r.left(), y)
                                                           : QPoint(r.left() - 4, y);
            if (e.probe != Probe::Text) {
                if (shot.pixel(at) != want)
                    faults << what + QStringLiteral(": %1 at %2,%3")
                                         .arg(hexOf(shot.pixel(at)))
                                         .arg(at.x())
                                         .arg(at.y());
                continue;
            }
            // glyphs are smoothed at their edges, but their strokes hold the colour itself
            bool found = false;
            for (int py = r.top(); py <= r.bottom() && !found; ++py)
                for (int px = r.left(); px <= r.right() && !found; ++px)
                    found = shot.pixel(px, py) == want;
            if (!found)
                faults << what + QStringLiteral(": no pixel of the text's colour");
        }
        return faults;
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        if (qEnvironmentVariableIsEmpty("CHROMALUNE_BROWSER"))
            QSKIP("CHROMALUNE_BROWSER names no browser; starter_page_browser.sh finds one");
        m_profile = m_dir.filePath("profile");
        // every scheme's page has the same layout: the colours change, never a box. The
        // boxes are read once, by a copy that lists them after the browser has laid it out.
        const QString page = m_dir.filePath("layout.html");
        exportPage({}, page);
        QFile file(page);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QByteArray html = file.readAll();
        file.close();
        QByteArray ids;
        for (std::string_view id : formats::kPageElementIds)
            ids += "\"" + QByteArray(id.data(), qsizetype(id.size())) + "\",";
        html.replace("</body>",
                     "<script>const rects = [" + ids +
                         "].map(id => { const r = document.getElementById(id)"
                         ".getBoundingClientRect(); return [id, r.left, r.top, r.width,"
                         " r.height].join(' '); }).join(';');"
                         "const p = document.createElement('pre'); p.id = 'probe-rects';"
                         "p.textContent = rects; document.body.append(p);</script></body>");
        const QString probe = m_dir.filePath("probe.html");
        QFile out(probe);
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(html) == html.size());
        out.close();
        const QString dom = QString::fromUtf8(runBrowser(probe, {"--dump-dom"}, m_profile));
        const QString list = dom.section(QStringLiteral("<pre id=\"probe-rects\">"), 1)
                                 .section(QStringLiteral("</pre>"), 0, 0);
        for (const QString& entry : list.split(';', Qt::SkipEmptyParts)) {
            const QStringList f = entry.split(' ');
            // a box reaches over every pixel it partly covers
            if (f.size() == 5)
                m_rects.insert(
                    f[0], QRectF(f[1].toDouble(), f[2].toDouble(), f[3].toDouble(), f[4].toDouble())
                              .toAlignedRect());
        }
        QVERIFY2(m_rects.size() == qsizetype(std::size(formats::kPageElementIds)),
                 qPrintable(dom.left(2000)));
        // the page stands inside the window, so every element is in the screenshot
        QVERIFY(m_rects.value("site-footer").bottom() < kWindow.height());
    }

    // each scheme's page in light and in dark, as the system's preference chooses
    void elementsShowTheirRolesInLightAndDark_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("triad") << QStringList{"--rule=triad", "--base=#3366CC"};
        QTest::newRow("complementary") << QStringList{"--rule=complementary", "--base=#FF8800"};
        // beyond sRGB: the screenshot's sRGB screen shows the 8-bit values
        QTest::newRow("perceptual wide")
            << QStringList{"--raster=perceptual", "--base=oklch(70% 0.3 145)"};
        QTest::newRow("dark base") << QStringList{"--rule=monochromatic", "--base=#402020"};
    }
    void elementsShowTheirRolesInLightAndDark() {
        QFETCH(QStringList, args);
        const QString page = m_dir.filePath(
            QStringLiteral("%1.html").arg(QTest::currentDataTag()).replace(' ', '-'));
        const colorscience::Roles roles = exportPage(args, page);
        const QStringList light = misses(screenshot(page, {}), roles.theme(Theme::Light));
        QVERIFY2(light.isEmpty(), qPrintable("light: " + light.join("\n")));
        const QStringList dark =
            misses(screenshot(page, {"--force-dark-mode"}), roles.theme(Theme::Dark));
        QVERIFY2(dark.isEmpty(), qPrintable("dark: " + dark.join("\n")));
    }

    // a theme chosen on the page outweighs the system's: by data-theme on the root, or by the
    // page's own switch
    void aChosenThemeOutweighsTheSystems_data() {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<bool>("systemDark");
        QTest::addColumn<bool>("dark");
        QTest::newRow("data-theme dark")
            << QByteArray("<html lang=\"en\">")
            << QByteArray("<html lang=\"en\" data-theme=\"dark\">") << false << true;
        QTest::newRow("data-theme light")
            << QByteArray("<html lang=\"en\">")
            << QByteArray("<html lang=\"en\" data-theme=\"light\">") << true << false;
        QTest::newRow("switch light") << QByteArray("id=\"theme-auto\" checked")
                                      << QByteArray("id=\"theme-auto\"") << true << false;
    }
    void aChosenThemeOutweighsTheSystems() {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(bool, systemDark);
        QFETCH(bool, dark);
        const QString page = m_dir.filePath("chosen.html");
        const colorscience::Roles roles = exportPage({"--rule=triad", "--base=#3366CC"}, page);
        QFile file(page);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QByteArray html = file.readAll();
        file.close();
        QVERIFY(html.contains(from));
        html.replace(from, to);
        if (QByteArray(QTest::currentDataTag()).startsWith("switch"))
            html.replace("id=\"theme-light\"", "id=\"theme-light\" checked");
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                file.write(html) == html.size());
        file.close();
        const QStringList faults =
            misses(screenshot(page, systemDark ? QStringList{"--force-dark-mode"} : QStringList{}),
                   roles.theme(dark ? Theme::Dark : Theme::Light));
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join("\n")));
    }
};

CHROMALUNE_TEST_MAIN(tst_StarterPageBrowser)
#include "StarterPageBrowserTest.moc"
