#include "support/MainWindowDriver.h"
#include "support/QtTestMain.h"
#include "support/TestFiles.h"
#include "support/UrlRecorder.h"

#include "app/CommandLine.h"
#include "core/CssColor.h"
#include "core/PerceptualWheel.h"
#include "core/Wheel.h"
#include "document/SchemeDocument.h"
#include "formats/StarterPage.h"
#include "mainwindow/SplashWindow.h"
#include "preview/PreviewStyles.h"
#include "preview/PreviewSurface.h"
#include "sheet/SheetPainter.h"
#include "ui/ColorConversion.h"

#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFileSystemModel>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>

#include <sstream>

#include <sys/stat.h>

namespace {

const QString kWarning = "ChromaLune|Warning. Did not save colors to file.";

/// Records "title|text" of the next message box (a warning) and presses its OK.
void expectWarning(QString* seen) {
    whenModalAppears<QMessageBox>([seen](QMessageBox* box) {
        if (box->icon() == QMessageBox::Warning)
            *seen = box->windowTitle() + QLatin1Char('|') + box->text();
        box->button(QMessageBox::Ok)->click();
    });
}

bool anyWindowShown() {
    const QWidgetList all = QApplication::topLevelWidgets();
    return std::any_of(all.begin(), all.end(), [](QWidget* w) { return w->isVisible(); });
}

/// Opens the header on the bar with the mouse and clicks the entry in its popup.
void clickMenuEntry(const MainWindowDriver& d, const char* header, const char* key) {
    QMenuBar* bar = d.menuBar();
    auto* menu = in<QMenu>(bar, QLatin1String(header));
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
    QTRY_VERIFY(menu->isVisible());
    QTest::mouseClick(menu, Qt::LeftButton, {},
                      menu->actionGeometry(d.action(QLatin1String(key))).center());
}

bool isCentred(const QWidget& w) {
    const QPoint d = w.frameGeometry().center() - w.screen()->geometry().center();
    return qAbs(d.x()) <= 1 && qAbs(d.y()) <= 1;
}

} // namespace

class tst_Menus : public QObject {
    Q_OBJECT
    QTemporaryDir m_config;
    UrlRecorder m_recorder;

private slots:
    void initTestCase() {
        // the toolkit's settings would land here unless the program keeps them away
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
    }
    void cleanup() {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->close();
        QDesktopServices::unsetUrlHandler("file");
        QDesktopServices::unsetUrlHandler("https");
        m_recorder.urls.clear();
    }

    void optionsSwitchTheWheelRaster() {
        MainWindowDriver d;
        const core::Raster rasters[] = {core::makeDefaultRaster(), core::makeWebSafeRaster()};
        core::PerceptualDisc disc(scheme::SchemeModel::geometry());
        const QRgb discPixel = disc.draw(0.65).at(60 * core::kWheelSurfaceSize + 60);
        const char* const keys[] = {"mnucwdefault", "mnucwwebsafe", "mnuperceptual"};
        // checks: of the three entries; shown: 0 default, 1 web-safe, 2 perceptual
        const auto step = [&](const char* click, const QString& checks, int shown) {
            clickMenuEntry(d, "8mnuoptions", click);
            QString marks;
            for (const char* key : keys)
                marks += d.action(key)->isChecked() ? '1' : '0';
            QCOMPARE(marks, checks);
            const QColor want = shown == 2 ? QColor(discPixel) : [&] {
                const core::ColorRGB cell = core::splitColor(rasters[shown].at(60, 60));
                return QColor(cell.r, cell.g, cell.b);
            }();
            QCOMPARE(d.wheel()->grab().toImage().pixelColor(60, 60), want);
            // the lightness slider belongs to the perceptual wheel alone
            QCOMPARE(d.child("sldlightness")->isVisible(), shown == 2);
        };
        step("mnucwwebsafe", "010", 1);
        step("mnuperceptual", "001", 2);
        step("mnucwdefault", "100", 0);
        // clicking the checked entry removes its mark and keeps the picture
        step("mnucwdefault", "000", 0);
        step("mnuperceptual", "001", 2);
        step("mnucwwebsafe", "010", 1);
    }

    void perceptualWheelTakesLightnessKeysAndATypedBase() {
        MainWindowDriver d;
        d.runMenu("mnuperceptual");
        auto* slider = d.child<QSlider>("sldlightness");
        QCOMPARE(slider->accessibleName(), QStringLiteral("Lightness"));
        QCOMPARE(d.child<QLabel>("lblLightness")->text(), QStringLiteral("L 65.0 %"));
        d.move(200, 60);
        // the keys step the lightness; the disc and the scheme follow it
        slider->setFocus();
        QTest::keyClick(slider, Qt::Key_Right);
        QTest::keyClick(slider, Qt::Key_PageDown);
        QCOMPARE(d.model().lightness(), 0.601);
        QCOMPARE(d.child<QLabel>("lblLightness")->text(), QStringLiteral("L 60.1 %"));
        core::PerceptualDisc disc(scheme::SchemeModel::geometry());
        QCOMPARE(d.wheel()->grab().toImage().pixel(100, 100) | 0xFF000000u,
                 disc.draw(0.601).at(100 * core::kWheelSurfaceSize + 100));
        QCOMPARE(d.text("txthtml2"),
                 QString::fromStdString(core::hexText(core::perceptualColorAt(200, 60, 0.601))));
        // the slider reaches 100 % exactly
        QTest::keyClick(slider, Qt::Key_End);
        QCOMPARE(d.child<QLabel>("lblLightness")->text(), QStringLiteral("L 100.0 %"));

        // Ctrl+B: a typed colour becomes the base exactly, the slider at its lightness
        d.w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(d.w.get()));
        QTest::keyClick(d.w.get(), Qt::Key_B, Qt::ControlModifier);
        auto* dialog = in<QDialog>(d.w.get(), "frmsetbase");
        QTRY_VERIFY(dialog->isVisible());
        auto* typed = in<QLineEdit>(dialog, "txtbasecolor");
        typed->selectAll();
        QTest::keyClicks(typed, "oklch(55% 0.15 250)");
        in<QPushButton>(dialog, "cmdok")->click();
        QTRY_VERIFY(!dialog->isVisible());
        const core::ColorRGB want = core::rgb8Of(*core::parseCssColor("oklch(55% 0.15 250)").color);
        const core::Oklch exact{0.55, 0.15, 250};
        QCOMPARE(slider->value(), 550);
        // and stays through a move: the scheme is frozen
        d.move(30, 30);
        QCOMPARE(d.text("txthtml2"), QString::fromStdString(core::hexText(want)));
        // a right-click on a swatch or a code field offers its colour "as" a CSS notation
        for (const char* name : {"Picture2", "txtrgb2"}) {
            QContextMenuEvent click(QContextMenuEvent::Mouse, {5, 5}, {5, 5});
            QApplication::sendEvent(d.child(name), &click);
            auto* menu = in<QMenu>(d.child(name), "mnucopyascontext");
            in<QAction>(menu, "mnucopyasoklch")->trigger();
            QCOMPARE(platform::clipboardText(), QString::fromStdString(core::oklchText(want)));
            // display-p3 of the exact colour typed, not of its 8-bit one
            in<QAction>(menu, "mnucopyasp3")->trigger();
            QCOMPARE(platform::clipboardText(),
                     QString::fromStdString(core::displayP3Text(core::mapToDisplayP3(exact))));
            QVERIFY(core::displayP3Text(core::mapToDisplayP3(exact)) !=
                    core::displayP3Text(core::displayP3Of(want)));
            menu->close();
        }

        // on a classic wheel the dialog names the nearest pixel and its distance first
        d.runMenu("mnucwdefault");
        d.runMenu("mnusetbase");
        typed->selectAll();
        QTest::keyClicks(typed, "#3366CC");
        QTRY_VERIFY(in<QLabel>(dialog, "lblbaseinfo")->text().contains("2000"));
        in<QPushButton>(dialog, "cmdok")->click();
        const std::array<float, 2> at = d.model().nearestPixel(core::rgbValue(0x33, 0x66, 0xCC));
        QCOMPARE(core::swatchCode(d.model().swatchValue(2)),
                 d.model().raster().at(int(at[0]), int(at[1])));
        // the keys go on from the base's pixel: Space releases the scheme, a step there and back
        d.wheel()->setFocus();
        for (Qt::Key key : {Qt::Key_Space, Qt::Key_Right, Qt::Key_Left})
            QTest::keyClick(d.wheel(), key);
        QCOMPARE(QPointF(d.model().pointerX(), d.model().pointerY()), QPointF(at[0], at[1]));
    }

    void setBaseColorFollowsTheWheelWhileOpen() {
        // the wheel's entry before (none: the start's) and after; the nearest-pixel line
        // before and after; the base OK sets
        const std::array<const char*, 5> cases[] = {
            {"", "mnuperceptual", "#4263EF, ΔE2000 = 5.74", "", "#3366CC"},
            {"mnuperceptual", "mnucwdefault", "", "#3B62F0, ΔE2000 = 5.48", "#3B62F0"}};
        for (const auto& [opened, switched, nearestBefore, nearestAfter, base] : cases) {
            MainWindowDriver d;
            if (*opened != 0)
                d.runMenu(opened);
            d.runMenu("mnusetbase");
            auto* dialog = in<QDialog>(d.w.get(), "frmsetbase");
            auto* typed = in<QLineEdit>(dialog, "txtbasecolor");
            auto* info = in<QLabel>(dialog, "lblbaseinfo");
            typed->selectAll();
            QTest::keyClicks(typed, "#3366CC");
            // the line is there exactly while the wheel in use lands on its nearest pixel
            const auto line = [info] {
                return info->isVisible()
                           ? info->text().remove("The nearest wheel pixel is ").chopped(1)
                           : QString();
            };
            QCOMPARE(line(), QString::fromUtf8(nearestBefore));
            d.runMenu(switched);
            QCOMPARE(line(), QString::fromUtf8(nearestAfter));
            // OK does what the dialog said
            in<QPushButton>(dialog, "cmdok")->click();
            QCOMPARE(d.text("txthtml2"), QLatin1String(base));
        }
    }

    void windowsSayThereIsNoSchemeBeforeTheFirstPick() {
        MainWindowDriver d;
        for (const char* key : {"mnuaccess", "mnuramps", "mnusite", "mnusetbase"})
            d.runMenu(key);
        auto* dialog = in<QDialog>(d.w.get(), "frmsetbase");
        // the figures and the note, by window: shown before the pick, then after it
        const QStringList figures = {"frmaccess/tabcontrast",   "frmaccess/tblpairs",
                                     "frmaccess/cmdcopyreport", "frmramps/ramp1",
                                     "frmramps/darktwin",       "frmsite/pagelight",
                                     "frmsite/tblroles"};
        const auto shown = [&d](const QString& path) {
            return in(d.child(path.section('/', 0, 0)), path.section('/', 1))->isVisible();
        };
        for (const char* window : {"frmaccess", "frmramps", "frmsite"}) {
            auto* note = in<QLabel>(d.child(window), "lblnoscheme");
            QTRY_VERIFY(note->isVisible());
            QCOMPARE(note->text(), QStringLiteral("No scheme yet: pick a color on the wheel."));
        }
        for (const QString& part : figures)
            QVERIFY2(!shown(part), qPrintable(part));
        // nothing to set the base from but what is typed
        QCOMPARE(in<QLineEdit>(dialog, "txtbasecolor")->text(), QString());
        QVERIFY(!in<QPushButton>(dialog, "cmdok")->isEnabled());

        d.move(200, 60);
        for (const QString& part : figures)
            QTRY_VERIFY2(shown(part), qPrintable(part));
        for (const char* window : {"frmaccess", "frmramps", "frmsite"})
            QVERIFY(!in(d.child(window), "lblnoscheme")->isVisible());
        in<QPushButton>(dialog, "cmdcancel")->click();
        d.runMenu("mnusetbase");
        QCOMPARE(in<QLineEdit>(dialog, "txtbasecolor")->text(), d.text("txthtml2"));
    }

    void pageEntriesOpenTheirPages() {
        const QString help =
            QCoreApplication::applicationDirPath() + QStringLiteral("/Chromalune.html");
        QDesktopServices::setUrlHandler("file", &m_recorder, "open");
        QDesktopServices::setUrlHandler("https", &m_recorder, "open");
        MainWindowDriver d;
        clickMenuEntry(d, "8mnuhelp", "mnuhelp");
        clickMenuEntry(d, "mnudownloads", "mnud1");
        clickMenuEntry(d, "mnudownloads", "mnud2");
        QTRY_COMPARE(m_recorder.urls,
                     QList<QUrl>({QUrl::fromLocalFile(help),
                                  QUrl("https://www.moonquill-software.com/vellumpad/"),
                                  QUrl("https://www.moonquill-software.com/zonetrace/")}));
        // a desktop with no program for it: the user is told, with the page's name
        QDesktopServices::setUrlHandler("file", &m_recorder, UrlRecorder::kRefusingMethod);
        QString seen;
        expectWarning(&seen);
        clickMenuEntry(d, "8mnuhelp", "mnuhelp");
        QTRY_COMPARE(seen, QStringLiteral("ChromaLune|Cannot open \"%1\": no program to open it "
                                          "was found.")
                               .arg(QDir::toNativeSeparators(help)));
    }

    // every section has its link in the navigation bar and every link its section; each
    // feature has a heading, and every shortcut of the menus is in the table
    void helpPageNamesEveryFeatureAndShortcut() {
        const QString page =
            readAll(QCoreApplication::applicationDirPath() + QStringLiteral("/Chromalune.html"));
        const auto captured = [](const QString& text, const char* pattern) {
            QSet<QString> found;
            for (const QRegularExpressionMatch& m :
                 QRegularExpression(QLatin1String(pattern)).globalMatch(text))
                found.insert(m.captured(1));
            return found;
        };
        const QString nav = page.section(QStringLiteral("<nav>"), 1).section("</nav>", 0, 0);
        const QSet<QString> sections = captured(page, "<h[23] id=\"([^\"]+)\"");
        QCOMPARE(captured(nav, "href=\"#([^\"]+)\""), sections);
        for (const char* feature : {"basecolor", "pickscreen", "copyas", "ramps", "perceptual",
                                    "accessibility", "export", "keyboard"})
            QVERIFY2(sections.contains(QLatin1String(feature)), feature);
        MainWindowDriver d;
        // every entry but the links to other programs, which the page names as a group
        for (const QAction* header : d.menuBar()->actions()) {
            if (header->objectName() == QLatin1String("mnudownloads"))
                continue;
            for (const QAction* action : header->menu()->actions()) {
                const QString entry = "<b>" + action->text().remove('&') + "</b>";
                QVERIFY2(action->isSeparator() || page.contains(entry), qPrintable(entry));
            }
        }
        for (const QAction* action : d.w->findChildren<QAction*>()) {
            if (action->shortcut().isEmpty())
                continue;
            const QStringList keys = action->shortcut().toString().split(QLatin1Char('+'));
            const QString row = "<kbd>" + keys.join("</kbd>+<kbd>") + "</kbd>";
            QVERIFY2(page.contains(row), qPrintable(row));
        }
        // the export entry has its own icon, in colour
        const QImage icon = d.action("mnuexport")->icon().pixmap(16).toImage();
        int coloured = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                coloured += icon.pixelColor(x, y).hsvSaturation() > 150;
        QVERIFY2(coloured > 20, qPrintable(QString::number(coloured)));
    }

    // an entry whose window is open already brings it back to the front, minimised or not
    void toolEntriesBringTheirOpenWindowToTheFront() {
        MainWindowDriver d;
        for (const char* key : {"mnuconvert", "mnuaccess", "mnuramps", "mnusite", "mnusetbase"}) {
            d.runMenu(key);
            QTRY_VERIFY(QApplication::activeWindow() != nullptr &&
                        QApplication::activeWindow() != d.w.get());
            QWidget* tool = QApplication::activeWindow();
            d.w->activateWindow();
            QTRY_COMPARE(QApplication::activeWindow(), d.w.get());
            tool->showMinimized();
            d.runMenu(key);
            QTRY_COMPARE(QApplication::activeWindow(), tool);
            QVERIFY2(!tool->isMinimized() && tool->isVisible(), key);
            tool->close();
        }
    }

    void saveTakesThePathTypedInFullOrWarns() {
        QTemporaryDir dir;
        const QString sub = dir.filePath("sub");
        const QString path = sub + QStringLiteral("/typed.txt");
        QVERIFY(QDir().mkdir(sub));
        MainWindowDriver d;
        // a path typed in full is saved there, whatever the list highlights
        whenModalAppears<QFileDialog>([&dir, sub, path](QFileDialog* dialog) {
            dialog->setDirectory(dir.path());
            auto* list = dialog->findChild<QListView*>("listView");
            auto* model = qobject_cast<QFileSystemModel*>(list->model());
            QTRY_VERIFY(model->index(sub).isValid());
            dialog->findChild<QLineEdit*>("fileNameEdit")->setText(path);
            list->selectionModel()->select(model->index(sub),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        });
        d.runMenu("mnusavecolors");
        QTRY_VERIFY(QFile::exists(path));
        // a pipe nobody reads takes nothing: the warning, and no success claimed
        const QString pipe = sub + QStringLiteral("/pipe.txt");
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
        QString seen;
        expectWarning(&seen);
        d.saveColors(pipe);
        QTRY_COMPARE(seen, kWarning);
        QVERIFY(!QFileInfo(pipe).isFile());
        // nothing of the dialog's history or last folder is kept
        QCOMPARE(QDir(m_config.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList());
    }

    void exportWritesTheSchemeToTheConfirmedFile() {
        QTemporaryDir dir;
        QFile earlier(dir.filePath("e4.css"));
        QVERIFY(earlier.open(QIODevice::WriteOnly) && earlier.write("mine") == 4);
        earlier.close();
        MainWindowDriver d;
        // the perceptual wheel's colours beyond sRGB go with their exact values
        d.runMenu("mnuperceptual");
        d.move(200, 60);
        d.chooseRule(0); // complementary: two colours, the third swatch keeps an earlier one
        QStringList names, questions;
        whenModalAppears<QFileDialog>([&](QFileDialog* dialog) {
            auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
            auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
            // the suggested name follows the format chosen
            for (int i = 0; i < 8; ++i) {
                names << name->text();
                QTest::keyClick(types, Qt::Key_Down);
            }
            QTest::keyClick(types, Qt::Key_Home);
            // typed without its extension: the question is about the file that would be written
            whenModalAppears<QMessageBox>([&questions](QMessageBox* box) {
                questions << box->text();
                box->button(QMessageBox::No)->click();
            });
            name->setText(dir.filePath("e4"));
            QTest::keyClick(name, Qt::Key_Return);
            questions << (dialog->isVisible() ? "and the dialog stays" : "and it closed");
            // a name with another format's extension takes that format over the list's CSS
            name->setText(dir.filePath("window.tokens.json"));
            QTest::keyClick(name, Qt::Key_Return);
        });
        d.runMenu("mnuexport");
        QCOMPARE(names.join(' '), "scheme.css scheme.scss scheme.tokens.json scheme.gpl scheme.ase "
                                  "scheme.oklch.css scheme.tailwind.css scheme.ramps.css");
        QCOMPARE(questions, QStringList({"e4.css already exists.\nDo you want to replace it?",
                                         "and the dialog stays"}));
        QCOMPARE(readAll(dir.filePath("e4.css")), "mine");
        // the scheme's own colours, as the command line writes them for the same scheme (the
        // formats themselves are checked beside the command line)
        std::ostringstream out, err;
        const std::string cli = dir.filePath("cli.tokens.json").toStdString();
        QCOMPARE(app::runCommandLine({"--export", cli, "--rule=complementary", "--at=200,60",
                                      "--raster=perceptual"},
                                     out, err),
                 0);
        const QByteArray window = readAll(dir.filePath("window.tokens.json"));
        QVERIFY(window.contains("\"display-p3\": \"color(display-p3 "));
        const auto tokens = [](const QByteArray& text) {
            return text.left(text.indexOf("$extensions\": {\"io"));
        };
        QCOMPARE(tokens(window), tokens(readAll(QString::fromStdString(cli))));
        // and the whole scheme, which opens again as it stands
        const document::DocumentRead read = document::readSchemeDocument(window);
        QVERIFY(read.snapshot && *read.snapshot == d.model().snapshot());
    }

    // the page of the scheme's roles: the dialog asks before it replaces a file, nothing is
    // written when cancelled, and the browser opens the page when the user asks for it
    void exportStarterPageAsksBeforeReplacingAndOffersTheBrowser() {
        QTemporaryDir dir;
        const QString path = dir.filePath("page.html");
        QFile earlier(path);
        QVERIFY(earlier.open(QIODevice::WriteOnly) && earlier.write("mine") == 4);
        earlier.close();
        QDesktopServices::setUrlHandler("file", &m_recorder, "open");
        MainWindowDriver d;
        d.move(200, 60);
        d.press(200, 60);
        QStringList seen;
        // types typed (none: cancels), then answers the replace question and the offer
        const auto exportTo = [&](const QString& typed, QMessageBox::StandardButton replace,
                                  QMessageBox::StandardButton open) {
            whenModalAppears<QFileDialog>([&seen, typed, replace, open](QFileDialog* dialog) {
                auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
                seen << name->text();
                if (typed.isEmpty())
                    return dialog->reject();
                whenModalAppears<QMessageBox>([&seen, replace](QMessageBox* box) {
                    seen << box->text();
                    box->button(replace)->click();
                });
                name->setText(typed);
                QTest::keyClick(name, Qt::Key_Return);
                if (dialog->isVisible())
                    return dialog->reject();
                // the offer, or the warning of a failed write
                whenModalAppears<QMessageBox>([&seen, open](QMessageBox* box) {
                    seen << box->text();
                    box->button(box->button(open) ? open : QMessageBox::Ok)->click();
                });
            });
            d.runMenu("mnuexportpage");
        };
        exportTo({}, QMessageBox::Yes, QMessageBox::Yes);
        exportTo(dir.filePath("page"), QMessageBox::No, QMessageBox::Yes);
        QCOMPARE(seen, QStringList({"starter-page.html", "starter-page.html",
                                    "page.html already exists.\nDo you want to replace it?"}));
        QCOMPARE(readAll(path), "mine");
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"page.html"});
        seen.clear();
        exportTo(dir.filePath("page"), QMessageBox::Yes, QMessageBox::Yes);
        QCOMPARE(seen.mid(1),
                 QStringList({"page.html already exists.\nDo you want to replace it?",
                              "The starter page is written to " + QDir::toNativeSeparators(path) +
                                  ".\nOpen it in your browser?"}));
        QCOMPARE(readAll(path).toStdString(), formats::starterPageText(formats::starterPageOf(
                                                  d.model().roles(), "Untitled scheme")));
        QCOMPARE(m_recorder.urls, QList<QUrl>{QUrl::fromLocalFile(path)});
        // a pipe nobody reads takes nothing: the warning, and no page offered
        const QString pipe = dir.filePath("pipe.html");
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
        seen.clear();
        exportTo(pipe, QMessageBox::Yes, QMessageBox::Yes);
        QCOMPARE(seen.size(), 3);
        QVERIFY2(seen[2].startsWith("The starter page was not exported to " +
                                    QDir::toNativeSeparators(pipe) + ": "),
                 qPrintable(seen[2]));
        QCOMPARE(m_recorder.urls.size(), 1);
    }

    // the sheet shows the scheme and the preview as they stand; a name typed without an
    // extension takes the chosen filter's, a PNG's scale too; a target that takes nothing
    // gets the warning
    void exportSheetWritesTheSchemeAsItStandsOrWarns() {
        QTemporaryDir dir;
        MainWindowDriver d;
        QString seen;
        whenModalAppears<QMessageBox>([&seen](QMessageBox* box) {
            seen = box->text();
            box->button(QMessageBox::Ok)->click();
        });
        d.runMenu("mnuexportsheet");
        QCOMPARE(seen,
                 "There is no scheme to show on a sheet yet: pick a color on the wheel first.");
        d.move(200, 60);
        d.press(200, 60);
        d.chooseRule(3);
        const auto exportTo = [&d](const QString& path, int filterDowns) {
            whenModalAppears<QFileDialog>([path, filterDowns](QFileDialog* dialog) {
                dialog->setOption(QFileDialog::DontConfirmOverwrite);
                auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
                for (int i = 0; i < filterDowns; ++i)
                    QTest::keyClick(types, Qt::Key_Down);
                auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
                name->setText(path);
                QTest::keyClick(name, Qt::Key_Return);
            });
            d.runMenu("mnuexportsheet");
        };
        exportTo(dir.filePath("typed"), 1);
        QTRY_VERIFY(QFile::exists(dir.filePath("typed.png")));
        const QImage png(dir.filePath("typed.png"));
        QCOMPARE(png.size(), QSize(3200, 2262));
        for (int k = 1; k <= 3; ++k)
            QCOMPARE(png.pixel(sheet::swatchRect(size_t(k - 1)).center() * 2),
                     ui::toQRgb(d.model().swatchColor(k)));
        const QImage shown = d.child<preview::PreviewSurface>("preview")->image();
        const QRect strip = sheet::simulationRect(colorscience::Simulation::Deuteranopia);
        int wrong = 0;
        for (int y = 0; y < shown.height(); y += 2)
            for (int x = 0; x < shown.width(); x += 2)
                wrong += png.pixel((strip.topLeft() + QPoint(x, y)) * 2) !=
                         ui::toQRgb(colorscience::simulate(colorscience::Simulation::Deuteranopia,
                                                           ui::rgbOf(shown.pixel(x, y))));
        QCOMPARE(wrong, 0);
        exportTo(dir.filePath("sheet"), 2);
        QTRY_VERIFY(QFile::exists(dir.filePath("sheet.svg")));
        QVERIFY(readAll(dir.filePath("sheet.svg"))
                    .contains(">" +
                              ui::toQColor(d.model().swatchColor(2)).name().toUpper().toUtf8() +
                              "<"));
        // a pipe nobody reads
        const QString pipe = dir.filePath("pipe.pdf");
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
        expectWarning(&seen);
        exportTo(pipe, 0);
        QTRY_COMPARE(seen, "Export Sheet|The sheet was not exported to " + pipe +
                               ": Nothing reads from it.");
        QVERIFY(!QFileInfo(pipe).isFile());
    }

    void shortcutsRunTheirEntries() {
        QTemporaryDir dir;
        QDesktopServices::setUrlHandler("file", &m_recorder, "open");
        MainWindowDriver d;
        d.move(200, 60);
        const auto press = [&d](Qt::Key key, Qt::KeyboardModifiers modifiers) {
            d.w->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(d.w.get()));
            QTest::keyClick(d.w.get(), key, modifiers);
        };
        press(Qt::Key_F1, {});
        QTRY_COMPARE(m_recorder.urls.size(), 1);
        // the save, cancelled, warns
        QString seen;
        whenModalAppears<QFileDialog>([&seen](QFileDialog* dialog) {
            expectWarning(&seen);
            dialog->reject();
        });
        press(Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(seen, kWarning);
        // the export, as a GIMP palette
        whenModalAppears<QFileDialog>([&dir](QFileDialog* dialog) {
            dialog->selectNameFilter(dialog->nameFilters().at(3));
            auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
            name->setText(dir.filePath("scheme"));
            QTest::keyClick(name, Qt::Key_Return);
        });
        press(Qt::Key_E, Qt::ControlModifier);
        QVERIFY(readAll(dir.filePath("scheme.gpl")).startsWith("GIMP Palette\n"));
        // a place that takes no file: a message names it, and nothing claims success
        const QString bad = dir.filePath("missing/scheme.css");
        whenModalAppears<QFileDialog>([bad](QFileDialog* dialog) {
            dialog->findChild<QLineEdit*>("fileNameEdit")->setText(bad);
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        });
        QTimer::singleShot(0, [&seen] { expectWarning(&seen); });
        d.runMenu("mnuexport");
        QTRY_VERIFY(seen.contains(bad));
        // Ctrl+Q, as File, Exit: the main window closes every other window with it
        d.runMenu("mnuabout");
        QWidget toolWindow;
        toolWindow.show();
        press(Qt::Key_Q, Qt::ControlModifier);
        QTRY_VERIFY(!anyWindowShown());
    }

    void splashAsksForTheMainWindowOnceAfterOneSecond() {
        QElapsedTimer clock;
        clock.start();
        mainwindow::SplashWindow splash;
        QSignalSpy due(&splash, &mainwindow::SplashWindow::mainWindowDue);
        splash.show();
        QVERIFY(QTest::qWaitForWindowExposed(&splash));
        QVERIFY(isCentred(splash));
        QTest::qWait(qMax<qint64>(0, 600 - clock.elapsed()));
        QVERIFY(splash.isVisible());
        QCOMPARE(due.count(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(due.count(), 1, 3000);
        QVERIFY(clock.elapsed() >= 950);
        QVERIFY(!splash.isVisible());
        // the timer has stopped: no second request a second later
        QTest::qWait(1200);
        QCOMPARE(due.count(), 1);
    }

    void aboutIsOneCentredNonModalWindowClosedByOk() {
        MainWindowDriver d;
        d.runMenu("mnuabout");
        d.runMenu("mnuabout");
        QCOMPARE(d.w->findChildren<QWidget*>("frmabout").size(), 1);
        QPointer<QWidget> about = d.child("frmabout");
        QVERIFY(QTest::qWaitForWindowExposed(about));
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        QVERIFY(isCentred(*about));
        // Return (for the default button OK) closes it, and so does OK; the next one is new
        QTest::keyClick(about, Qt::Key_Return);
        QTRY_VERIFY(about.isNull());
        d.runMenu("mnuabout");
        about = d.child("frmabout");
        QTest::mouseClick(about->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        QTRY_VERIFY(about.isNull());
        QVERIFY(d.w->isVisible());
    }
};

CHROMALUNE_TEST_MAIN(tst_Menus)
#include "MenusTest.moc"
