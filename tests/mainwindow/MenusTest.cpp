#include "support/QtTestMain.h"
#include "support/UrlRecorder.h"

#include "mainwindow/ClickLineEdit.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/MenuBar.h"
#include "mainwindow/Swatch.h"
#include "mainwindow/WheelSurface.h"

#include <QAbstractButton>
#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <csignal>
#include <sys/resource.h>

namespace {

const QString kWarning = QStringLiteral("Warning. Did not save colors to file.");

const QByteArray kFilledFile =
    "Color1 R:86 G: 52 B:18 RGB: 1193046 HTML: #563412 Websafe: #663300\r\n"
    "Color2 R:255 G: 0 B:128 RGB: 8388863 HTML: #FF0080 Websafe: #FF0099\r\n"
    "Color3 R:1 G: 2 B:3 RGB: 197121 HTML: #010203 Websafe: #000000\r\n";

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

/// Answers the next modal window of type T with answer as soon as it is up.
template <typename T, typename F> void whenModalAppears(F answer) {
    auto* poll = new QTimer;
    poll->start(20);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, answer] {
        if (auto* w = qobject_cast<T*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            answer(w);
        }
    });
}

/// Records "title|text" of the next message box (a warning) and presses its OK.
void expectWarning(QString* seen) {
    whenModalAppears<QMessageBox>([seen](QMessageBox* box) {
        if (box->icon() == QMessageBox::Warning)
            *seen = box->windowTitle() + QLatin1Char('|') + box->text();
        box->button(QMessageBox::Ok)->click();
    });
}

QStringList visibleWindowNames() {
    QStringList names;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && qobject_cast<QMenu*>(w) == nullptr)
            names << w->objectName();
    return names;
}

/// Opens the header on the bar with the mouse and clicks the entry in its popup.
void clickMenuEntry(MainWindow& w, const char* header, const char* key) {
    MenuBar* bar = w.SmartMenuXP1;
    QTest::mouseClick(bar, Qt::LeftButton, {},
                      bar->actionGeometry(bar->action(QLatin1String(header))).center());
    QMenu* menu = bar->submenu(QLatin1String(header));
    QVERIFY(menu != nullptr);
    QTRY_VERIFY(menu->isVisible());
    QTest::mouseClick(menu, Qt::LeftButton, {},
                      menu->actionGeometry(bar->action(QLatin1String(key))).center());
}

void fillPanel(MainWindow& w) {
    const QStringList texts = QStringLiteral("86 52 18 1193046 #563412 #663300 "
                                             "255 0 128 8388863 #FF0080 #FF0099 "
                                             "1 2 3 197121 #010203 #000000")
                                  .split(QLatin1Char(' '));
    QLineEdit* const fields[] = {w.txtrc[0],    w.txtgc[0],    w.txtbc[0],   w.txtrgb1,  w.txthtml1,
                                 w.txtwebsafe1, w.txtrc[1],    w.txtgc[1],   w.txtbc[1], w.txtrgb2,
                                 w.txthtml2,    w.txtwebsafe2, w.txtrc[2],   w.txtgc[2], w.txtbc[2],
                                 w.txtrgb3,     w.txthtml3,    w.txtwebsafe3};
    for (int i = 0; i < 18; ++i)
        fields[i]->setText(texts[i]);
}

} // namespace

class tst_Menus : public QObject {
    Q_OBJECT
private slots:
    void cleanup() {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->close();
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    }

    void barHoldsTheEntriesWithTheirCaptionsIconsAndChecks() {
        struct Row {
            const char* key;
            const char* caption; // entries under a header are indented
            bool icon;
            int check; // -1: not a check entry
        };
        const Row rows[] = {
            {"8mnufile", "File", false, -1},
            {"mnusavecolors", "  Save Colors to File", true, -1},
            {"mnufileexit", "  Exit", false, -1},
            {"8mnutools", "Tools", false, -1},
            {"mnuconvert", "  Convert Color Codes", true, -1},
            {"8mnuoptions", "Options", false, -1},
            {"mnucwdefault", "  Default ChromaLune", false, 1},
            {"mnucwwebsafe", "  Websafe ChromaLune", false, 0},
            {"8mnuhelp", "Help", false, -1},
            {"mnuhelp", "  Help", true, -1},
            {"mnuabout", "  About", false, -1},
            {"mnudownloads", "Download more Freeware", false, -1},
            {"mnud1", "  Download Free Vellumpad - A Free Webpage Editor", false, -1},
            {"mnud2", "  Download Free Zonetrace - A Free Tool for creating HTML Imagemaps", false,
             -1},
        };
        MainWindow w;
        MenuBar* bar = w.SmartMenuXP1;
        QCOMPARE(bar->geometry().topLeft(), QPoint(0, 0));
        QCOMPARE(bar->width(), w.width());
        QStringList expected, shown;
        for (const Row& r : rows) {
            QAction* a = bar->action(QLatin1String(r.key));
            QVERIFY2(a != nullptr, r.key);
            QCOMPARE(!a->icon().pixmap(16, 16).isNull(), r.icon);
            QCOMPARE(a->isCheckable(), r.check >= 0);
            QCOMPARE(bar->checkState(QLatin1String(r.key)), qMax(r.check, 0));
            QCOMPARE(a->isChecked(), r.check == 1);
            expected << QLatin1String(r.caption);
        }
        // no separators or extra entries, each under its own header
        for (QAction* header : bar->actions()) {
            shown << header->text();
            for (QAction* a : header->menu()->actions())
                shown << QStringLiteral("  ") + a->text();
        }
        QCOMPARE(shown, expected);
    }

    void dispatchRunsTheCommandNamedByTheKeyAndHeadersRunNothing() {
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        MenuBar* bar = w.SmartMenuXP1;
        for (const char* header :
             {"8mnufile", "8mnutools", "8mnuoptions", "8mnuhelp", "mnudownloads"}) {
            QVERIFY2(bar->ownsSubmenu(bar->idOf(QLatin1String(header))), header);
            w.SmartMenuXP1_MenuItemClick(bar->idOf(QLatin1String(header)));
        }
        w.SmartMenuXP1_MenuItemClick(0);
        w.SmartMenuXP1_MenuItemClick(9999);
        QCOMPARE(visibleWindowNames(), QStringList{QStringLiteral("frmchromalune")});
        QCOMPARE(bar->checkState(QStringLiteral("mnucwdefault")), 1);

        w.SmartMenuXP1_MenuItemClick(bar->idOf(QStringLiteral("mnuabout")));
        QVERIFY(w.frmabout && w.frmabout->isVisible());
    }

    void optionsSwitchTheWheelRaster() {
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::mouseMove(w.wheel, QPoint(200, 90));
        QTRY_VERIFY(!w.txthtml2->text().isEmpty());
        const QString pickedHtml = w.txthtml2->text();
        const core::Color pickedSwatch = w.Picture2->backColor();
        QVERIFY(w.wheel->raster().pixels() == w.rasterStart.pixels());

        struct Step {
            const char* click;
            QPoint checks; // of the default and the web-safe entry
            const core::Raster* shown;
        };
        // clicking the checked entry removes its mark and keeps the picture
        const Step steps[] = {{"mnucwwebsafe", {0, 1}, &w.rasterWebsafe},
                              {"mnucwdefault", {1, 0}, &w.rasterDefault},
                              {"mnucwdefault", {0, 0}, &w.rasterDefault},
                              {"mnucwwebsafe", {0, 1}, &w.rasterWebsafe},
                              {"mnucwwebsafe", {0, 0}, &w.rasterWebsafe}};
        for (const Step& s : steps) {
            clickMenuEntry(w, "8mnuoptions", s.click);
            QTRY_COMPARE(QPoint(w.SmartMenuXP1->checkState(QStringLiteral("mnucwdefault")),
                                w.SmartMenuXP1->checkState(QStringLiteral("mnucwwebsafe"))),
                         s.checks);
            QVERIFY2(w.wheel->raster().pixels() == s.shown->pixels(), s.click);
        }
        // the switch keeps the pick, and the user sees a flat web-safe cell
        QCOMPARE(w.txthtml2->text(), pickedHtml);
        QCOMPARE(w.Picture2->backColor(), pickedSwatch);
        QVERIFY(w.rasterWebsafe.at(60, 60) != w.rasterStart.at(60, 60));
        const core::ColorRGB cell = core::SplitColor(w.rasterWebsafe.at(60, 60));
        QCOMPARE(w.wheel->grab().toImage().pixelColor(60, 60), QColor(cell.r, cell.g, cell.b));
    }

    void helpPathGetsOneSeparator() {
        const std::pair<const char*, const char*> cases[] = {
            {"/opt/chromalune", "/opt/chromalune/Chromalune.html"},
            {"/opt/chromalune/", "/opt/chromalune/Chromalune.html"},
            {"C:\\", "C:\\Chromalune.html"},
            {"bin", "bin/Chromalune.html"}};
        for (const auto& [dir, path] : cases)
            QCOMPARE(MainWindow::helpFilePath(QLatin1String(dir)), QLatin1String(path));
    }

    void helpAndDownloadEntriesOpenTheirPages() {
        UrlRecorder recorder;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &recorder, "open");
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &recorder, "open");
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        clickMenuEntry(w, "8mnuhelp", "mnuhelp");
        QTRY_COMPARE(recorder.urls.size(), 1);
        clickMenuEntry(w, "mnudownloads", "mnud1");
        QTRY_COMPARE(recorder.urls.size(), 2);
        clickMenuEntry(w, "mnudownloads", "mnud2");
        QTRY_COMPARE(recorder.urls.size(), 3);
        QCOMPARE(recorder.urls.at(0).toLocalFile(),
                 QCoreApplication::applicationDirPath() + QStringLiteral("/Chromalune.html"));
        QVERIFY(recorder.urls.at(1).toString().contains(QLatin1String("vellumpad")));
        QVERIFY(recorder.urls.at(2).toString().contains(QLatin1String("zonetrace")));

        const QByteArray page = readAll(recorder.urls.at(0).toLocalFile());
        for (const char* topic :
             {"id=\"pick\"", "Monochromatic", "Complementary", "Analogous", "Split Complementary",
              "Triad", "Follow-Preview", "Generate Table HTML", "Convert Color Codes",
              "Save Colors to File"})
            QVERIFY2(page.contains(topic), topic);
    }

    void pageWithNoProgramToOpenItIsNamedInAWarning() {
        UrlRecorder recorder;
        for (const char* scheme : {"file", "https"})
            QDesktopServices::setUrlHandler(QLatin1String(scheme), &recorder,
                                            UrlRecorder::kRefusingMethod);
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const struct {
            const char *header, *key;
            QString named;
        } entries[] = {{"8mnuhelp", "mnuhelp",
                        QDir::toNativeSeparators(QCoreApplication::applicationDirPath() +
                                                 QStringLiteral("/Chromalune.html"))},
                       {"mnudownloads", "mnud1", QLatin1String(MainWindow::kVellumpadPage)},
                       {"mnudownloads", "mnud2", QLatin1String(MainWindow::kZonetracePage)}};
        for (const auto& e : entries) {
            QString seen;
            expectWarning(&seen);
            clickMenuEntry(w, e.header, e.key);
            QTRY_VERIFY(!seen.isEmpty());
            QCOMPARE(seen, QStringLiteral("ChromaLune|Cannot open \"%1\": no program to open it "
                                          "was found.")
                               .arg(e.named));
        }
    }

    void savingWritesTheFieldsAsTheyAreAndReplacesTheFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("colors.txt"));
        MainWindow w;
        QVERIFY(w.saveColorsToFile(path));
        QCOMPARE(readAll(path), QByteArray("Color1 R: G:  B: RGB:  HTML:  Websafe: \r\n"
                                           "Color2 R: G:  B: RGB:  HTML:  Websafe: \r\n"
                                           "Color3 R: G:  B: RGB:  HTML:  Websafe: \r\n"));
        fillPanel(w);
        QVERIFY(w.saveColorsToFile(path));
        QCOMPARE(readAll(path), kFilledFile);
        w.txtrgb1->clear();
        QVERIFY(w.saveColorsToFile(path));
        QCOMPARE(readAll(path), QByteArray(kFilledFile).replace("RGB: 1193046", "RGB: "));
    }

    void saveThroughTheDialogOrWarnOnCancel() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("scheme.txt"));
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        fillPanel(w);
        QString seen;
        whenModalAppears<QFileDialog>([&seen](QFileDialog* dialog) {
            expectWarning(&seen);
            dialog->reject();
        });
        w.mnusavecolors_click();
        QCOMPARE(seen, QStringLiteral("ChromaLune|") + kWarning);

        QStringList filters;
        whenModalAppears<QFileDialog>([&filters, path](QFileDialog* dialog) {
            filters = dialog->nameFilters();
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            name->clear();
            QTest::keyClicks(name, path);
            QTest::keyClick(name, Qt::Key_Return);
        });
        clickMenuEntry(w, "8mnufile", "mnusavecolors");
        QTRY_VERIFY(QFile::exists(path));
        QCOMPARE(filters, QStringList{QStringLiteral("Text Files (*.txt)")});
        QCOMPARE(readAll(path), kFilledFile);
    }

    void aPathTypedInFullIsSavedWhateverTheListHighlights() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
        const QString sub = dir.filePath(QStringLiteral("sub"));
        const QString path = sub + QStringLiteral("/typed.txt");
        MainWindow w;
        fillPanel(w);
        whenModalAppears<QFileDialog>([&dir, sub, path](QFileDialog* dialog) {
            dialog->setDirectory(dir.path());
            auto* list = dialog->findChild<QListView*>(QStringLiteral("listView"));
            QVERIFY(list != nullptr);
            auto* model = qobject_cast<QFileSystemModel*>(list->model());
            QVERIFY(model != nullptr);
            QTRY_VERIFY(model->index(sub).isValid());
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path);
            list->selectionModel()->select(model->index(sub),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        });
        w.mnusavecolors_click();
        QTRY_VERIFY(QFile::exists(path));
        QCOMPARE(readAll(path), kFilledFile);
    }

    void failedSavesWarnAndKeepTheEarlierFile() {
        QTemporaryDir dir;
        MainWindow w;
        fillPanel(w);
        QString seen;
        expectWarning(&seen);
        QVERIFY(!w.saveColorsToFile(dir.path()));
        QCOMPARE(seen, QStringLiteral("ChromaLune|") + kWarning);

        // the disk refuses the write half-way: the earlier file stays exactly as it was
        const QString earlier = dir.filePath(QStringLiteral("earlier.txt"));
        QFile file(earlier);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("my earlier colours\r\n") == 20);
        file.close();
        rlimit saved{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 64;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        seen.clear();
        expectWarning(&seen);
        const bool written = w.saveColorsToFile(earlier);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
        QVERIFY(!written);
        QCOMPARE(seen, QStringLiteral("ChromaLune|") + kWarning);
        QCOMPARE(readAll(earlier), QByteArray("my earlier colours\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("earlier.txt")});
    }

    void exitClosesEveryWindow() {
        // the close box takes the same closing steps as File, Exit
        auto* w = new MainWindow;
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        w->mnuabout_click();
        QWidget toolWindow;
        toolWindow.show();
        QPointer<MainWindow> alive(w);
        clickMenuEntry(*w, "8mnufile", "mnufileexit");
        QTRY_VERIFY(visibleWindowNames().isEmpty());
        QTRY_VERIFY(alive.isNull());
    }
};

CHROMALUNE_TEST_MAIN(tst_Menus)
#include "MenusTest.moc"
