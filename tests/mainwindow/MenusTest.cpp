#include "support/FileSizeLimit.h"
#include "support/MainWindowDriver.h"
#include "support/QtTestMain.h"
#include "support/TestFiles.h"
#include "support/UrlRecorder.h"

#include "core/Wheel.h"
#include "palette/CommandLine.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileSystemModel>
#include <QListView>
#include <QMenu>
#include <QRegularExpression>
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

QStringList visibleWindowNames() {
    QStringList names;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && qobject_cast<QMenu*>(w) == nullptr)
            names << w->objectName();
    return names;
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

} // namespace

class tst_Menus : public QObject {
    Q_OBJECT
    QTemporaryDir m_config;
    UrlRecorder recorder;

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
        recorder.urls.clear();
    }

    void headersOnlyOpenMenus() {
        MainWindowDriver d;
        const char* headers[] = {"8mnufile", "8mnutools", "8mnuoptions", "8mnuhelp",
                                 "mnudownloads"};
        for (qsizetype i = 0; i < qsizetype(std::size(headers)); ++i) {
            auto* menu = in<QMenu>(d.menuBar(), QLatin1String(headers[i]));
            QVERIFY(menu->menuAction() == d.menuBar()->actions().at(i));
            menu->menuAction()->trigger();
        }
        QCOMPARE(visibleWindowNames(), QStringList{"frmchromalune"});
    }

    void optionsSwitchTheWheelRaster() {
        MainWindowDriver d;
        d.move(200, 90);
        const QString pickedHtml = d.text("txthtml2");
        const core::Raster rasters[] = {core::makeDefaultRaster(), core::makeWebSafeRaster()};
        // checks: of the default and the web-safe entry; shown: 0 default, 1 web-safe
        const auto step = [&](const char* click, QPoint checks, int shown) {
            clickMenuEntry(d, "8mnuoptions", click);
            QTRY_COMPARE(QPoint(d.action("mnucwdefault")->isChecked(),
                                d.action("mnucwwebsafe")->isChecked()),
                         checks);
            const core::ColorRGB cell = core::splitColor(rasters[shown].at(60, 60));
            QCOMPARE(d.wheel()->grab().toImage().pixelColor(60, 60),
                     QColor(cell.r, cell.g, cell.b));
        };
        step("mnucwwebsafe", {0, 1}, 1);
        step("mnucwdefault", {1, 0}, 0);
        // clicking the checked entry removes its mark and keeps the picture
        step("mnucwdefault", {0, 0}, 0);
        step("mnucwwebsafe", {0, 1}, 1);
        // the switch keeps the pick; the next move reads the new raster
        QCOMPARE(d.text("txthtml2"), pickedHtml);
        d.move(60, 60);
        QCOMPARE(d.text("txtrgb2"), QString::number(rasters[1].at(60, 60)));
    }

    void pageEntriesOpenTheirPages() {
        const QString help =
            QCoreApplication::applicationDirPath() + QStringLiteral("/Chromalune.html");
        QDesktopServices::setUrlHandler("file", &recorder, "open");
        QDesktopServices::setUrlHandler("https", &recorder, "open");
        MainWindowDriver d;
        clickMenuEntry(d, "8mnuhelp", "mnuhelp");
        clickMenuEntry(d, "mnudownloads", "mnud1");
        clickMenuEntry(d, "mnudownloads", "mnud2");
        QTRY_COMPARE(recorder.urls,
                     QList<QUrl>({QUrl::fromLocalFile(help),
                                  QUrl("https://www.moonquill-software.com/vellumpad/"),
                                  QUrl("https://www.moonquill-software.com/zonetrace/")}));
        // a desktop with no program for it: the user is told, with the page's name
        QDesktopServices::setUrlHandler("file", &recorder, UrlRecorder::kRefusingMethod);
        // the page tells of every entry of the menus and of the keys on the wheel
        const QByteArray page = readAll(help);
        for (const char* key : {"mnusavecolors", "mnuexport", "mnufileexit", "mnuconvert",
                                "mnuaccess", "mnucwdefault", "mnucwwebsafe", "mnuhelp"})
            QVERIFY2(page.contains("<b>" + d.action(key)->text().toLatin1() + "</b>"), key);
        for (const char* topic : {"<kbd>Shift</kbd> + arrow", "<kbd>Ctrl</kbd>+<kbd>E</kbd>",
                                  "<code>--export FILE</code>", "<b>Copy Report</b>"})
            QVERIFY2(page.contains(topic), topic);
        QString seen;
        expectWarning(&seen);
        clickMenuEntry(d, "8mnuhelp", "mnuhelp");
        QTRY_COMPARE(seen, QStringLiteral("ChromaLune|Cannot open \"%1\": no program to open it "
                                          "was found.")
                               .arg(QDir::toNativeSeparators(help)));
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
        // past a file-size limit, its signal at the default a shell leaves: warned, file kept
        const qint64 saved = QFileInfo(path).size();
        seen.clear();
        expectWarning(&seen);
        withFileSizeLimit(10, [&] { return (d.saveColors(path), 0); });
        QTRY_COMPARE(seen, kWarning);
        QCOMPARE(QFileInfo(path).size(), saved);
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
        d.move(200, 60);
        d.chooseRule(0); // complementary: two colours, the third swatch keeps an earlier one
        // its own icon, in colour
        const QImage icon = d.action("mnuexport")->icon().pixmap(16).toImage();
        int coloured = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                coloured += icon.pixelColor(x, y).hsvSaturation() > 150;
        QVERIFY2(coloured > 20, qPrintable(QString::number(coloured)));
        QStringList names, questions;
        whenModalAppears<QFileDialog>([&](QFileDialog* dialog) {
            auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
            auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
            // the suggested name follows the format chosen, there and back
            for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up,
                                Qt::Key_Up, Qt::Key_Up, Qt::Key_Up}) {
                names << name->text();
                QTest::keyClick(types, key);
            }
            names << name->text();
            // typed without its extension: the question is about the file that would be written
            whenModalAppears<QMessageBox>([&questions](QMessageBox* box) {
                questions << box->text();
                box->button(QMessageBox::No)->click();
            });
            name->setText(dir.filePath("e4"));
            QTest::keyClick(name, Qt::Key_Return);
            name->setText(dir.filePath("window"));
            QTest::keyClick(name, Qt::Key_Return);
        });
        d.runMenu("mnuexport");
        QCOMPARE(names.join(' '), "scheme.css scheme.scss scheme.tokens.json scheme.gpl scheme.ase "
                                  "scheme.gpl scheme.tokens.json scheme.scss scheme.css");
        QCOMPARE(questions, QStringList("e4.css already exists.\nDo you want to replace it?"));
        QCOMPARE(readAll(dir.filePath("e4.css")), "mine");
        // the same file as the command line's for the same scheme
        std::ostringstream out, err;
        const std::string cli = dir.filePath("cli.css").toStdString();
        QCOMPARE(palette::runCommandLine({"--export", cli, "--rule=complementary", "--at=200,60"},
                                         out, err),
                 0);
        QCOMPARE(readAll(dir.filePath("window.css")), readAll(QString::fromStdString(cli)));
        QVERIFY(!readAll(dir.filePath("window.css")).contains("color-3"));
    }

    void shortcutsRunTheirEntries() {
        QTemporaryDir dir;
        QDesktopServices::setUrlHandler("file", &recorder, "open");
        MainWindowDriver d;
        d.move(200, 60);
        const auto press = [&d](Qt::Key key, Qt::KeyboardModifiers modifiers) {
            d.w->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(d.w.get()));
            QTest::keyClick(d.w.get(), key, modifiers);
        };
        press(Qt::Key_F1, {});
        QTRY_COMPARE(recorder.urls.size(), 1);
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
        QTRY_VERIFY(visibleWindowNames().isEmpty());
    }
};

CHROMALUNE_TEST_MAIN(tst_Menus)
#include "MenusTest.moc"
