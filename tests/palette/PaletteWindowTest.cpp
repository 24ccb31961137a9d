#include "palette/PaletteWindow.h"
#include "formats/FormatTable.h"
#include "support/MainWindowDriver.h"
#include "support/QtTestMain.h"

#include <QClipboard>
#include <QDropEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>

namespace {

core::PaletteColor entry(const std::string& name, const char* css) {
    return core::paletteColorOf(name, *core::parseCssColor(css).color);
}

QString cell(QTableView* view, int row, int column) {
    return view->model()->index(row, column).data().toString();
}

/// Clicks a row of the list where a user sees it.
void clickRow(QTableView* view, int row, int column = 1) {
    const QRect place = view->visualRect(view->model()->index(row, column));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, place.center());
}

} // namespace

class tst_PaletteWindow : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    static palette::PaletteWindow* openPalette(const MainWindowDriver& d,
                                               const core::Palette& colors) {
        d.runMenu("mnupalette");
        auto* window = d.w->findChild<palette::PaletteWindow*>("frmpalette");
        if (window == nullptr)
            STOP_TEST(QStringLiteral("Tools, Palette opened no window"));
        window->setPalette(colors, QStringLiteral("brand.gpl"), 2);
        return window;
    }

private slots:
    void initTestCase() {
        // Open Recent goes to a configuration folder of the test's own
        QVERIFY(m_dir.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath("config")));
    }

    // a palette file opened, dropped on the window or reopened from Open Recent shows in the
    // palette window and leaves the scheme as it was; a file that is neither says why
    void opensPaletteFilesByOpenDropAndRecent() {
        MainWindowDriver d;
        const auto write = [this](const QString& name, const QByteArray& bytes) {
            QFile file(m_dir.filePath(name));
            file.open(QIODevice::WriteOnly);
            file.write(bytes);
            return file.fileName();
        };
        const QString gpl = write("brand.gpl", "GIMP Palette\nName: Brand\n# ok\n"
                                               "51\t102 204  Deep sky\n1 2\n0 0 0\n");
        const QString css = write("site.css", ":root { --ink: #111; --paper: var(--ink); }");
        const QString junk = write("junk.bin", QByteArray("\x00\x01\x02", 3));
        QVERIFY(d.w->openDocument(gpl));
        auto* window = d.w->findChild<palette::PaletteWindow*>("frmpalette");
        QVERIFY(window != nullptr && window->isVisible());
        auto* list = in<QTableView>(window, "lstpalette");
        QCOMPARE(list->model()->rowCount(), 2);
        QCOMPARE(cell(list, 0, 0), "Deep sky");
        QCOMPARE(cell(list, 0, 1), "#3366CC");
        QCOMPARE(in<QLabel>(window, "lblpalettesource")->text(),
                 "brand.gpl (Brand): 2 colours, 1 entry skipped");
        QVERIFY(in<QLabel>(window, "lblpalettestatus")->text().startsWith("Skipped line 5"));
        QVERIFY(!d.action("mnuundo")->isEnabled());
        QCOMPARE(d.w->windowTitle(), "ChromaLune");

        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(css)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(d.w.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(d.w.get(), &drop);
        QTRY_COMPARE(cell(list, 1, 0), "paper");
        QCOMPARE(cell(list, 1, 1), "#111111");

        QString warning;
        whenModalAppears<QMessageBox>([&warning](QMessageBox* box) {
            warning = box->text();
            box->accept();
        });
        QVERIFY(!d.w->openDocument(junk));
        QVERIFY2(warning.startsWith("Cannot open") && warning.contains("no colour"),
                 qPrintable(warning));
        QCOMPARE(list->model()->rowCount(), 2); // the palette shown stays

        auto* recent = in<QMenu>(d.menuBar(), "mnurecent");
        emit recent->aboutToShow();
        QCOMPARE(recent->actions().constFirst()->text(), "site.css");
        recent->actions().at(1)->trigger();
        QCOMPARE(cell(list, 0, 0), "Deep sky");
    }

    // a picture's colours are read off the window's thread and shown beside the picture; a
    // click on it takes the colour there, and opening something else meanwhile wins
    void takesAPalettesColoursFromAPicture() {
        MainWindowDriver d;
        QImage image(300, 200, QImage::Format_RGB32);
        image.fill(QColor(0xEE, 0xEE, 0xEE));
        QPainter(&image).fillRect(150, 0, 150, 200, QColor(0x1E, 0x50, 0xA0));
        QPainter(&image).fillRect(20, 20, 30, 30, QColor(0xE0, 0x30, 0x1E));
        const QString png = m_dir.filePath("photo.png");
        QVERIFY(image.save(png));
        QVERIFY(d.w->openDocument(png));
        auto* window = d.w->findChild<palette::PaletteWindow*>("frmpalette");
        auto* list = in<QTableView>(window, "lstpalette");
        QTRY_COMPARE(in<QLabel>(window, "lblpalettesource")->text(), "photo.png: 5 colours");
        QCOMPARE(cell(list, 0, 0), "dominant-1");
        QCOMPARE(cell(list, 0, 1), "#1E50A0");
        // each with its share of the picture, within the sampling's two points
        const auto share = [list](int row) {
            return cell(list, row, 4).section(QStringLiteral(", "), 1, 1).chopped(2).toDouble();
        };
        QVERIFY(cell(list, 0, 4).startsWith("Dominant, ") && std::abs(share(0) - 50) < 2);
        QVERIFY(cell(list, 1, 4).endsWith(", background") && std::abs(share(1) - 48.5) < 2);
        QCOMPARE(cell(list, 4, 0), "accent-2");
        QCOMPARE(cell(list, 4, 1), "#E0301E");
        auto* picture = in<QWidget>(window, "picpalette");
        QVERIFY(picture->isVisible());
        // the red patch, where the picture is drawn at the top, its shape kept
        const double scale =
            std::min((picture->width() - 20) / 300.0, (picture->height() - 20) / 200.0);
        const QPoint red(int((picture->width() - 300 * scale) / 2 + 35 * scale),
                         10 + int(35 * scale));
        // the menu at the click: its entry chosen once it is up
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&poll] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (menu == nullptr || menu->objectName() != "mnupicked")
                return;
            poll.stop();
            for (QAction* action : menu->actions())
                if (action->text() == "Add to Palette")
                    menu->setActiveAction(action);
            QTest::keyClick(menu, Qt::Key_Return);
        });
        poll.start(20);
        QTimer::singleShot(0,
                           [picture, red] { QTest::mouseClick(picture, Qt::LeftButton, {}, red); });
        QTRY_COMPARE(list->model()->rowCount(), 6);
        QCOMPARE(cell(list, 5, 1), "#E0301E");

        const QString gpl = m_dir.filePath("after.gpl");
        QFile file(gpl);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("GIMP Palette\n1 2 3 one\n") > 0);
        file.close();
        QVERIFY(d.w->openDocument(png));
        QVERIFY(d.w->openDocument(gpl));
        QTest::qWait(300);
        QCOMPARE(list->model()->rowCount(), 1);
        QVERIFY(!picture->isVisible());
    }

    // a row a colour: its name, its hex, its exact oklch() (a wide-gamut colour keeps its own)
    // and the CSS named colour within deltaEOK 0.05, none beyond; a click copies the hex
    void showsEveryColourAndCopiesItsHexOnClick() {
        MainWindowDriver d;
        core::Palette colors;
        colors.name = "Brand";
        colors.colors = {entry("Brand purple", "#663399"), entry("", "#4682B5"),
                         entry("Wide red", "color(display-p3 1 0 0)"), entry("Far", "#5A00FF")};
        colors.colors[1].group = "Blues";
        colors.colors[1].approximate = true;
        palette::PaletteWindow* window = openPalette(d, colors);
        auto* list = in<QTableView>(window, "lstpalette");
        const QStringList want[] = {
            {"Brand purple", "#663399", "oklch(44.03% 0.1603 303.37)", "= rebeccapurple", ""},
            {"", "#4682B5", "oklch(58.85% 0.1005 246.25)", "\u2248 steelblue",
             "Blues, approximately"},
            {"Wide red", "#FF0B0C", "oklch(64.86% 0.2995 28.96)", "\u2248 red", ""},
            {"Far", "#5A00FF", cell(list, 3, 2), "", ""},
        };
        QCOMPARE(list->model()->rowCount(), 4);
        for (int row = 0; row < 4; ++row)
            for (int column = 0; column < 5; ++column)
                QCOMPARE(cell(list, row, column), want[row][column]);
        QCOMPARE(in<QLabel>(window, "lblpalettesource")->text(),
                 "brand.gpl (Brand): 4 colours, 2 entries skipped");
        clickRow(list, 1, 0);
        QCOMPARE(QGuiApplication::clipboard()->text(), "#4682B5");
        QCOMPARE(in<QLabel>(window, "lblpalettestatus")->text(), "Copied #4682B5");
        // a colour beyond sRGB copies as itself on wide-gamut screens
        list->selectRow(2);
        in<QAction>(in<QPushButton>(window, "cmdcopyas")->menu(), "mnucopyasp3")->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), "color(display-p3 1 0 0)");
        // Export... writes the palette with its names
        const QString out = m_dir.filePath("out.gpl");
        whenModalAppears<QFileDialog>([out](QFileDialog* dialog) {
            auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
            name->setText(out);
            QTest::keyClick(name, Qt::Key_Return);
        });
        QTest::mouseClick(in<QPushButton>(window, "cmdexportpalette"), Qt::LeftButton);
        QFile written(out);
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QByteArray gpl = written.readAll();
        QVERIFY2(gpl.contains("Name: Brand\n") && gpl.contains("102  51 153\tBrand purple\n") &&
                     gpl.contains(" 70 130 181\t") && gpl.contains("255  11  12\tWide red\n"),
                 gpl.constData());
    }

    // Use as Base sets the base exactly (on the perceptual wheel) as one step Ctrl+Z undoes;
    // Add Scheme Colours appends the swatches' colours, and says so before there is a scheme
    void usesARowAsBaseAndAddsTheSchemesColours() {
        MainWindowDriver d;
        d.runMenu("mnuperceptual");
        core::Palette colors;
        colors.colors = {entry("a", "#102030"), entry("b", "oklch(55% 0.15 250)")};
        palette::PaletteWindow* window = openPalette(d, colors);
        auto* add = in<QPushButton>(window, "cmdaddscheme");
        add->click();
        QCOMPARE(in<QLabel>(window, "lblpalettestatus")->text(),
                 "No scheme yet: pick a color on the wheel.");
        auto* list = in<QTableView>(window, "lstpalette");
        clickRow(list, 1);
        in<QPushButton>(window, "cmdusebase")->click();
        QCOMPARE(d.text("txthtml2"), "#0F74C5");
        QCOMPARE(d.action("mnuundo")->text(), "Undo Base oklch(55% 0.15 250)");
        add->click();
        QCOMPARE(list->model()->rowCount(), 5);
        for (int k = 1; k <= 3; ++k) {
            QCOMPARE(cell(list, 1 + k, 0), QStringLiteral("color-%1").arg(k));
            QCOMPARE(cell(list, 1 + k, 1), d.text(QStringLiteral("txthtml%1").arg(k)));
        }
        d.runMenu("mnuundo");
        QVERIFY(d.text("txthtml2").isEmpty());
    }

    // a palette grows no larger than a palette file may hold, so that what it exports reads
    // back: past that, the scheme's colours are refused with a message
    void addsNoMoreColoursThanAPaletteFileHolds() {
        MainWindowDriver d;
        d.move(200, 60);
        const size_t most = formats::kMaxPaletteColors;
        core::Palette colors;
        colors.colors.assign(most - 2, entry("grey", "#808080"));
        palette::PaletteWindow* window = openPalette(d, colors);
        auto* add = in<QPushButton>(window, "cmdaddscheme");
        add->click();
        QCOMPARE(window->palette().colors.size(), most - 2);
        QCOMPARE(in<QLabel>(window, "lblpalettestatus")->text(),
                 "Not added: a palette holds at most 10000 colours, and this one has 9998.");
        colors.colors.pop_back();
        window->setPalette(colors, QStringLiteral("brand.gpl"));
        add->click();
        QCOMPARE(window->palette().colors.size(), most);
        const std::vector<uint8_t> gpl =
            formats::fileBytes(formats::Format::GimpPalette, window->palette());
        const formats::PaletteRead read = formats::readPalette(
            std::string_view(reinterpret_cast<const char*>(gpl.data()), gpl.size()), "x.gpl");
        QVERIFY2(read.palette && read.palette->colors.size() == most, read.error.c_str());
    }

    // the check tab: every colour as text on every other, the usable pairs first, and what
    // each deficiency cannot tell apart
    void checksEveryPairForContrastAndColourVision() {
        MainWindowDriver d;
        core::Palette colors;
        colors.colors = {entry("paper", "#FFFFFF"), entry("ink", "#000000"),
                         entry("red", "#D03030"), entry("green", "#5C8A00")};
        palette::PaletteWindow* window = openPalette(d, colors);
        in<QTabWidget>(window, "tabpalette")->setCurrentIndex(1);
        auto* matrix = in<QTableView>(window, "tblcontrast");
        QCOMPARE(cell(matrix, 0, 1), "21.00:1 AAA");
        QCOMPARE(cell(matrix, 1, 1), "\u2014");
        QCOMPARE(matrix->model()->index(2, 0).data(Qt::BackgroundRole).value<QColor>(),
                 QColor(Qt::white));
        auto* pairs = in<QTableView>(window, "lstpairs");
        QCOMPARE(pairs->model()->rowCount(), 6);
        QCOMPARE(cell(pairs, 0, 0), "paper #FFFFFF and ink #000000");
        QCOMPARE(cell(pairs, 5, 10), "hard to tell apart: Deuteranopia, Achromatopsia");
        const QString verdicts = in<QLabel>(window, "lblverdicts")->text();
        QVERIFY2(verdicts.contains("Deuteranopia: 1 pair fails (red #D03030 and green #5C8A00)") &&
                     verdicts.contains("Tritanopia: safe"),
                 qPrintable(verdicts));
    }

    // the check of a palette of the most colours checked, each pair failing: the window stays
    // inside the screen and shows its verdicts whole, each naming a few pairs and counting
    // the rest
    void aLargePalettesCheckStaysOnTheScreen() {
        MainWindowDriver d;
        core::Palette colors;
        for (int i = 0; i < colorscience::kMostCheckedPaletteColors; ++i)
            colors.colors.push_back(
                entry("a grey with a name far too long to show " + std::to_string(i), "#808080"));
        palette::PaletteWindow* window = openPalette(d, colors);
        in<QTabWidget>(window, "tabpalette")->setCurrentIndex(1);
        QTest::qWait(50);
        const QRect screen = window->screen()->availableGeometry();
        QVERIFY2(screen.contains(window->frameGeometry()),
                 qPrintable(QStringLiteral("%1 x %2").arg(window->width()).arg(window->height())));
        auto* verdicts = in<QLabel>(window, "lblverdicts");
        QVERIFY(verdicts->height() >= verdicts->heightForWidth(verdicts->width()));
        const QStringList lines = verdicts->text().split('\n');
        QCOMPARE(lines.size(), colorscience::kSimulationCount);
        const QString pair = "a grey with a name far t... #808080 and a grey with a name far t... "
                             "#808080 too close in any vision, ";
        QVERIFY2(lines[0].startsWith("Protanopia: 4950 pairs fail (" + pair + pair) &&
                     lines[0].endsWith(", and 4947 more)"),
                 qPrintable(lines[0]));
    }
};

CHROMALUNE_TEST_MAIN(tst_PaletteWindow)
#include "PaletteWindowTest.moc"
