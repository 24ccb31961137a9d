#include "support/QtTestMain.h"

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
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <csignal>
#include <sys/resource.h>

/// Receives what the program asks the desktop to open.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls.append(url); }
};

/// What a message box showed before the test pressed its OK.
struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool seen = false;
};

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

bool writePlain(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

/// Answers the next modal window of type T with answer as soon as it is up.
template <typename T, typename F> void whenModalAppears(F answer) {
    auto* poll = new QTimer;
    poll->setInterval(20);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, answer] {
        if (auto* w = qobject_cast<T*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            answer(w);
        }
    });
    poll->start();
}

/// Records the next message box and presses its OK button.
void expectMessageBox(SeenBox* seen) {
    whenModalAppears<QMessageBox>([seen](QMessageBox* box) {
        seen->seen = true;
        seen->title = box->windowTitle();
        seen->text = box->text();
        seen->icon = box->icon();
        box->button(QMessageBox::Ok)->click();
    });
}

QStringList visibleWindowNames() {
    QStringList names;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && qobject_cast<QMenu*>(w) == nullptr)
            names << w->objectName();
    }
    names.sort();
    return names;
}

} // namespace

class tst_Menus : public QObject {
    Q_OBJECT

    /// Opens the header on the bar with the mouse and clicks the entry in its popup.
    static void clickMenuEntry(MainWindow& w, const QString& header, const QString& key) {
        MenuBar* bar = w.SmartMenuXP1;
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          bar->actionGeometry(bar->action(header)).center());
        QMenu* menu = bar->submenu(header);
        QVERIFY(menu != nullptr);
        QTRY_VERIFY(menu->isVisible());
        QAction* entry = bar->action(key);
        QVERIFY(entry != nullptr);
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry).center());
    }

    static void fillPanel(MainWindow& w) {
        const char* const rgb[3][3] = {{"86", "52", "18"}, {"255", "0", "128"}, {"1", "2", "3"}};
        for (size_t i = 0; i < 3; ++i) {
            w.txtrc[i]->setText(QString::fromLatin1(rgb[i][0]));
            w.txtgc[i]->setText(QString::fromLatin1(rgb[i][1]));
            w.txtbc[i]->setText(QString::fromLatin1(rgb[i][2]));
        }
        w.txtrgb1->setText(QStringLiteral("1193046"));
        w.txtrgb2->setText(QStringLiteral("8388863"));
        w.txtrgb3->setText(QStringLiteral("197121"));
        w.txthtml1->setText(QStringLiteral("#563412"));
        w.txthtml2->setText(QStringLiteral("#FF0080"));
        w.txthtml3->setText(QStringLiteral("#010203"));
        w.txtwebsafe1->setText(QStringLiteral("#663300"));
        w.txtwebsafe2->setText(QStringLiteral("#FF0099"));
        w.txtwebsafe3->setText(QStringLiteral("#000000"));
    }

    static QByteArray lineFor(const MainWindow& w, int k) {
        const size_t i = static_cast<size_t>(k - 1);
        return QStringLiteral("Color%1 R:%2 G: %3 B:%4 RGB: %5 HTML: %6 Websafe: %7\r\n")
            .arg(k)
            .arg(w.txtrc[i]->text(), w.txtgc[i]->text(), w.txtbc[i]->text(),
                 w.decimalField(k)->text(), w.htmlField(k)->text(), w.webSafeField(k)->text())
            .toLatin1();
    }

    static QByteArray filledPanelFile() {
        return "Color1 R:86 G: 52 B:18 RGB: 1193046 HTML: #563412 Websafe: #663300\r\n"
               "Color2 R:255 G: 0 B:128 RGB: 8388863 HTML: #FF0080 Websafe: #FF0099\r\n"
               "Color3 R:1 G: 2 B:3 RGB: 197121 HTML: #010203 Websafe: #000000\r\n";
    }

private slots:
    void cleanup() {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->close();
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    }

    void menuBarSpansTheTopAboveEveryControl() {
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QRect bar = w.SmartMenuXP1->geometry();
        QCOMPARE(bar.topLeft(), QPoint(0, 0));
        QCOMPARE(bar.width(), w.width());
        QVERIFY(bar.height() >= 16 && bar.height() <= 60);
        QVERIFY(bar.bottom() < 64);
        QStringList headers;
        for (QAction* a : w.SmartMenuXP1->actions())
            headers << a->text();
        QCOMPARE(headers,
                 (QStringList{"File", "Tools", "Options", "Help", "Download more Freeware"}));
        // every header fits the bar, the widest one included
        const QAction* last = w.SmartMenuXP1->actions().constLast();
        QVERIFY(w.SmartMenuXP1->actionGeometry(const_cast<QAction*>(last)).right() < w.width());
    }

    void entriesCarryTheirCaptionsIconsAndChecks() {
        struct Row {
            const char* header;
            const char* key;
            const char* caption;
            bool icon;
            bool checkable;
            int check;
        };
        const Row rows[] = {
            {"8mnufile", "mnusavecolors", "Save Colors to File", true, false, 0},
            {"8mnufile", "mnufileexit", "Exit", false, false, 0},
            {"8mnutools", "mnuconvert", "Convert Color Codes", true, false, 0},
            {"8mnuoptions", "mnucwdefault", "Default ChromaLune", false, true, 1},
            {"8mnuoptions", "mnucwwebsafe", "Websafe ChromaLune", false, true, 0},
            {"8mnuhelp", "mnuhelp", "Help", true, false, 0},
            {"8mnuhelp", "mnuabout", "About", false, false, 0},
            {"mnudownloads", "mnud1", "Download Free Vellumpad - A Free Webpage Editor", false,
             false, 0},
            {"mnudownloads", "mnud2",
             "Download Free Zonetrace - A Free Tool for creating HTML Imagemaps", false, false, 0},
        };
        MainWindow w;
        MenuBar* bar = w.SmartMenuXP1;
        QMap<QString, QStringList> captionsUnder;
        for (const Row& r : rows) {
            const QString key = QLatin1String(r.key);
            QAction* a = bar->action(key);
            QVERIFY2(a != nullptr, r.key);
            QCOMPARE(a->text(), QLatin1String(r.caption));
            QCOMPARE(!a->icon().isNull(), r.icon);
            if (r.icon)
                QVERIFY(!a->icon().pixmap(16, 16).isNull());
            QCOMPARE(a->isCheckable(), r.checkable);
            QCOMPARE(bar->checkState(key), r.check);
            QCOMPARE(a->isChecked(), r.check == 1);
            QVERIFY(bar->submenu(QLatin1String(r.header))->actions().contains(a));
            captionsUnder[QLatin1String(r.header)] << a->text();
        }
        // no separators or extra entries: each popup holds exactly its rows, in order
        for (auto it = captionsUnder.cbegin(); it != captionsUnder.cend(); ++it) {
            QStringList shown;
            for (QAction* a : bar->submenu(it.key())->actions())
                shown << a->text();
            QCOMPARE(shown, it.value());
        }
        QCOMPARE(MainWindow::ImageList2(QStringLiteral("Save")).pixmap(16, 16).size(),
                 QSize(16, 16));
        QVERIFY(MainWindow::ImageList2(QStringLiteral("Nothing")).isNull());
    }

    void dispatchRunsTheCommandNamedByTheKeyAndHeadersRunNothing() {
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        MenuBar* bar = w.SmartMenuXP1;
        const QStringList before = visibleWindowNames();
        const char* const headers[] = {"8mnufile", "8mnutools", "8mnuoptions", "8mnuhelp",
                                       "mnudownloads"};
        for (const char* header : headers) {
            const int id = bar->idOf(QLatin1String(header));
            QVERIFY2(id > 0, header);
            QVERIFY(bar->ownsSubmenu(id));
            w.SmartMenuXP1_MenuItemClick(id);
        }
        w.SmartMenuXP1_MenuItemClick(0);
        w.SmartMenuXP1_MenuItemClick(9999);
        QCOMPARE(visibleWindowNames(), before);
        QCOMPARE(bar->checkState(QStringLiteral("mnucwdefault")), 1);
        QVERIFY(w.isVisible());

        // "mnuabout" runs mnuabout_click
        w.SmartMenuXP1_MenuItemClick(bar->idOf(QStringLiteral("mnuabout")));
        QVERIFY(w.frmabout && w.frmabout->isVisible());
    }

    void clickingThroughTheBarRunsCommands() {
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QSignalSpy clicks(w.SmartMenuXP1, &MenuBar::itemClick);
        clickMenuEntry(w, QStringLiteral("8mnuhelp"), QStringLiteral("mnuabout"));
        QTRY_VERIFY(w.frmabout && w.frmabout->isVisible());
        // the header reported its click too, and ran nothing
        QCOMPARE(clicks.count(), 2);
        QCOMPARE(w.SmartMenuXP1->key(clicks.at(0).at(0).toInt()), QStringLiteral("8mnuhelp"));
        QCOMPARE(w.SmartMenuXP1->key(clicks.at(1).at(0).toInt()), QStringLiteral("mnuabout"));
    }

    void optionsSwitchTheWheelRaster() {
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        MenuBar* bar = w.SmartMenuXP1;
        const QString def = QStringLiteral("mnucwdefault");
        const QString safe = QStringLiteral("mnucwwebsafe");
        const QString options = QStringLiteral("8mnuoptions");
        auto shows = [&w](const core::Raster& r) {
            return w.wheel->raster().pixels() == r.pixels();
        };
        // a pick before switching: the panel must keep it
        QTest::mouseMove(w.wheel, QPoint(200, 90));
        QTRY_VERIFY(!w.txthtml2->text().isEmpty());
        const QString pickedHtml = w.txthtml2->text();
        const core::Color pickedSwatch = w.Picture2->backColor();
        QVERIFY(shows(w.rasterStart));

        clickMenuEntry(w, options, safe);
        QTRY_VERIFY(shows(w.rasterWebsafe));
        QCOMPARE(bar->checkState(safe), 1);
        QCOMPARE(bar->checkState(def), 0);
        QCOMPARE(w.txthtml2->text(), pickedHtml);
        QCOMPARE(w.Picture2->backColor(), pickedSwatch);
        // what the user sees: a flat web-safe cell where the smooth wheel was
        const core::ColorRGB cell = core::SplitColor(w.rasterWebsafe.at(60, 60));
        QCOMPARE(w.wheel->grab().toImage().pixelColor(60, 60), QColor(cell.r, cell.g, cell.b));
        QVERIFY(w.rasterWebsafe.at(60, 60) != w.rasterStart.at(60, 60));

        clickMenuEntry(w, options, def);
        QTRY_VERIFY(shows(w.rasterDefault));
        QCOMPARE(bar->checkState(def), 1);
        QCOMPARE(bar->checkState(safe), 0);

        // clicking the checked entry removes its mark and keeps the picture
        clickMenuEntry(w, options, def);
        QTRY_COMPARE(bar->checkState(def), 0);
        QCOMPARE(bar->checkState(safe), 0);
        QVERIFY(shows(w.rasterDefault));

        clickMenuEntry(w, options, safe);
        QTRY_VERIFY(shows(w.rasterWebsafe));
        clickMenuEntry(w, options, safe);
        QTRY_COMPARE(bar->checkState(safe), 0);
        QCOMPARE(bar->checkState(def), 0);
        QVERIFY(shows(w.rasterWebsafe));
    }

    void helpPathGetsOneSeparator_data() {
        QTest::addColumn<QString>("dir");
        QTest::addColumn<QString>("path");
        QTest::newRow("plain folder") << "/opt/chromalune"
                                      << "/opt/chromalune/Chromalune.html";
        QTest::newRow("trailing slash") << "/opt/chromalune/"
                                        << "/opt/chromalune/Chromalune.html";
        QTest::newRow("root") << "/"
                              << "/Chromalune.html";
        QTest::newRow("drive root") << "C:\\"
                                    << "C:\\Chromalune.html";
        QTest::newRow("relative") << "bin"
                                  << "bin/Chromalune.html";
    }
    void helpPathGetsOneSeparator() {
        QFETCH(QString, dir);
        QFETCH(QString, path);
        QCOMPARE(MainWindow::helpFilePath(dir), path);
    }

    void helpOpensThePageBesideTheProgram() {
        UrlRecorder recorder;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &recorder, "open");
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        clickMenuEntry(w, QStringLiteral("8mnuhelp"), QStringLiteral("mnuhelp"));
        QTRY_COMPARE(recorder.urls.size(), 1);
        const QString opened = recorder.urls.first().toLocalFile();
        QCOMPARE(opened, QDir(QCoreApplication::applicationDirPath())
                             .filePath(QStringLiteral("Chromalune.html")));
        const QByteArray page = readAll(opened);
        const char* const topics[] = {"id=\"pick\"",         "Monochromatic",
                                      "Complementary",       "Analogous",
                                      "Split Complementary", "Triad",
                                      "Follow-Preview",      "Generate Table HTML",
                                      "Convert Color Codes", "Save Colors to File"};
        for (const char* topic : topics)
            QVERIFY2(page.contains(topic), topic);
    }

    void downloadEntriesOpenTheirProductPages() {
        UrlRecorder recorder;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &recorder, "open");
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        clickMenuEntry(w, QStringLiteral("mnudownloads"), QStringLiteral("mnud1"));
        QTRY_COMPARE(recorder.urls.size(), 1);
        clickMenuEntry(w, QStringLiteral("mnudownloads"), QStringLiteral("mnud2"));
        QTRY_COMPARE(recorder.urls.size(), 2);
        QCOMPARE(recorder.urls.at(0), QUrl(QLatin1String(MainWindow::kVellumpadPage)));
        QCOMPARE(recorder.urls.at(1), QUrl(QLatin1String(MainWindow::kZonetracePage)));
        QVERIFY(recorder.urls.at(0).toString().contains(QLatin1String("vellumpad")));
        QVERIFY(recorder.urls.at(1).toString().contains(QLatin1String("zonetrace")));
    }

    void savingWritesTheFieldsAsTheyAre() {
        QTemporaryDir dir;
        MainWindow w;
        const QString empty = dir.filePath(QStringLiteral("empty.txt"));
        QVERIFY(w.saveColorsToFile(empty));
        QCOMPARE(readAll(empty), QByteArray("Color1 R: G:  B: RGB:  HTML:  Websafe: \r\n"
                                            "Color2 R: G:  B: RGB:  HTML:  Websafe: \r\n"
                                            "Color3 R: G:  B: RGB:  HTML:  Websafe: \r\n"));
        fillPanel(w);
        const QString filled = dir.filePath(QStringLiteral("filled.txt"));
        QVERIFY(w.saveColorsToFile(filled));
        QCOMPARE(readAll(filled), filledPanelFile());
        // a pick on the wheel lands in the file exactly as the fields show it
        QTest::mouseMove(w.wheel, QPoint(60, 200));
        QVERIFY(!w.txthtml1->text().isEmpty());
        QVERIFY(w.saveColorsToFile(filled));
        const QByteArray picked = lineFor(w, 1) + lineFor(w, 2) + lineFor(w, 3);
        QCOMPARE(readAll(filled), picked);
        // saving again replaces the file whole, never appends
        w.txtrgb1->clear();
        QVERIFY(w.saveColorsToFile(filled));
        const QByteArray again = readAll(filled);
        QCOMPARE(again, lineFor(w, 1) + lineFor(w, 2) + lineFor(w, 3));
        QVERIFY(again.contains(" RGB:  HTML: "));
        QCOMPARE(again.count("Color1"), 1);
    }

    void saveThroughTheDialog() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("scheme.txt"));
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        fillPanel(w);
        QStringList filters;
        whenModalAppears<QFileDialog>([&filters, path](QFileDialog* dialog) {
            filters = dialog->nameFilters();
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QVERIFY(name != nullptr);
            name->clear();
            QTest::keyClicks(name, path);
            QTest::keyClick(name, Qt::Key_Return);
        });
        clickMenuEntry(w, QStringLiteral("8mnufile"), QStringLiteral("mnusavecolors"));
        QTRY_VERIFY(QFile::exists(path));
        QCOMPARE(filters, QStringList{QStringLiteral("Text Files (*.txt)")});
        QCOMPARE(readAll(path), filledPanelFile());
    }

    void aPathTypedInFullIsSavedWhateverTheListHighlights() {
        // while a path is typed the dialog's file list may highlight the folders it passes;
        // the typed file is still the one saved
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
        const QString path = dir.filePath(QStringLiteral("sub/typed.txt"));
        MainWindow w;
        fillPanel(w);
        whenModalAppears<QFileDialog>([&dir, path](QFileDialog* dialog) {
            dialog->setDirectory(dir.path());
            auto* list = dialog->findChild<QListView*>(QStringLiteral("listView"));
            QVERIFY(list != nullptr);
            auto* model = qobject_cast<QFileSystemModel*>(list->model());
            QVERIFY(model != nullptr);
            QTRY_VERIFY(model->index(dir.filePath(QStringLiteral("sub"))).isValid());
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QVERIFY(name != nullptr);
            name->setText(path);
            list->selectionModel()->select(model->index(dir.filePath(QStringLiteral("sub"))),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        });
        w.mnusavecolors_click();
        QTRY_VERIFY(QFile::exists(path));
        QCOMPARE(readAll(path), filledPanelFile());
    }

    void cancellingTheDialogWarnsAndWritesNothing() {
        QTemporaryDir dir;
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        SeenBox box;
        whenModalAppears<QFileDialog>([&box](QFileDialog* dialog) {
            expectMessageBox(&box);
            dialog->reject();
        });
        w.mnusavecolors_click();
        QVERIFY(box.seen);
        QCOMPARE(box.text, QStringLiteral("Warning. Did not save colors to file."));
        QCOMPARE(box.title, QStringLiteral("ChromaLune"));
        QCOMPARE(box.icon, QMessageBox::Warning);
    }

    void failedSavesWarnAndKeepTheEarlierFile() {
        QTemporaryDir dir;
        MainWindow w;
        fillPanel(w);
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
        const QString unwritable[] = {dir.filePath(QStringLiteral("folder")),
                                      QStringLiteral("/proc/chromalune-colors.txt"),
                                      dir.filePath(QStringLiteral("no/such/folder.txt"))};
        for (const QString& target : unwritable) {
            SeenBox box;
            expectMessageBox(&box);
            QVERIFY(!w.saveColorsToFile(target));
            QVERIFY2(box.seen, qPrintable(target));
            QCOMPARE(box.text, QStringLiteral("Warning. Did not save colors to file."));
        }
        QVERIFY(QFileInfo(dir.filePath(QStringLiteral("folder"))).isDir());

        // the disk refuses the write half-way: the earlier file stays exactly as it was
        const QString earlier = dir.filePath(QStringLiteral("earlier.txt"));
        QVERIFY(writePlain(earlier, "my earlier colours\r\n"));
        rlimit saved{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 64;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        SeenBox box;
        expectMessageBox(&box);
        const bool written = w.saveColorsToFile(earlier);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
        QVERIFY(!written);
        QVERIFY(box.seen);
        QCOMPARE(readAll(earlier), QByteArray("my earlier colours\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("earlier.txt")});
    }

    void exitClosesEveryWindow() {
        auto* w = new MainWindow;
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        w->mnuabout_click();
        QWidget toolWindow;
        toolWindow.setObjectName(QStringLiteral("convert"));
        toolWindow.show();
        QVERIFY(w->frmabout && w->frmabout->isVisible());
        QPointer<MainWindow> alive(w);
        clickMenuEntry(*w, QStringLiteral("8mnufile"), QStringLiteral("mnufileexit"));
        QTRY_VERIFY(visibleWindowNames().isEmpty());
        QVERIFY(!toolWindow.isVisible());
        QTRY_VERIFY(alive.isNull());
    }

    void closeBoxClosesEveryWindowToo() {
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.mnuabout_click();
        QWidget toolWindow;
        toolWindow.show();
        QVERIFY(w.close());
        QVERIFY(visibleWindowNames().isEmpty());
    }
};

CHROMALUNE_TEST_MAIN(tst_Menus)
#include "MenusTest.moc"
