// The README's tour: the program's main windows as a newcomer first meets them, drawn by the
// real windows. scripts/screenshots.sh runs this under Xvfb with CHROMALUNE_TOUR_OUT set to
// write docs/tour/; run by ctest, it draws them into a scratch folder and checks that the
// committed pictures are the same windows at the same sizes.

#include "palette/PaletteWindow.h"
#include "support/MainWindowDriver.h"
#include "support/QtTestMain.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QImageReader>
#include <QImageWriter>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>

namespace {

/// Writes a window's picture, as small as PNG keeps it.
bool savePicture(QWidget* window, const QString& path) {
    window->activateWindow();
    QCoreApplication::processEvents();
    QImageWriter writer(path, "png");
    writer.setQuality(0);
    return writer.write(window->grab().toImage());
}

} // namespace

class tst_Tour : public QObject {
    Q_OBJECT
private slots:
    void picturesAreCurrent() {
        QTemporaryDir scratch;
        const QByteArray out = qgetenv("CHROMALUNE_TOUR_OUT");
        const QString folder = out.isEmpty() ? scratch.path() : QString::fromLocal8Bit(out);
        QVERIFY(QDir().mkpath(folder));
        const auto save = [&folder](QWidget* window, const char* name) {
            QVERIFY2(savePicture(window, folder + '/' + name + ".png"), name);
        };

        MainWindowDriver d;
        // on a real X server the pointer's move arrives a moment after it is made
        const auto pick = [&d](int x, int y) {
            d.move(x, y);
            QTest::qWait(200);
            d.press(x, y);
            QTest::qWait(200);
        };
        d.chooseStyle("Webpage Style");
        d.child<QCheckBox>("chkpreview")->setChecked(true);
        d.chooseRule(3); // Triad
        pick(215, 95);
        save(d.w.get(), "main-window");

        d.runMenu("mnuaccess");
        auto* access = d.w->findChild<QWidget*>("frmaccess");
        in<QTabWidget>(access, "tabcontrast")->setCurrentIndex(2);
        save(access, "accessibility-fixes");
        access->close();

        d.runMenu("mnuramps");
        auto* ramps = d.w->findChild<QWidget*>("frmramps");
        save(ramps, "tonal-ramps");
        ramps->close();

        d.runMenu("mnupalette");
        auto* palette = d.w->findChild<palette::PaletteWindow*>("frmpalette");
        core::Palette brand;
        brand.name = "Brand";
        for (const auto& [name, css] : {std::pair{"Paper", "#FBF8F1"},
                                        {"Ink", "#141821"},
                                        {"Royal purple", "#663399"},
                                        {"Signal red", "#E0301E"},
                                        {"Leaf", "#5C8A00"},
                                        {"Sky", "#4A90D9"}})
            brand.colors.push_back(core::paletteColorOf(name, *core::parseCssColor(css).color));
        palette->setPalette(brand, "brand.gpl");
        // as it opens on a usual screen, whatever screen the test has
        palette->resize(920, 540);
        save(palette, "palette");
        in<QTabWidget>(palette, "tabpalette")->setCurrentIndex(1);
        save(palette, "palette-check");
        palette->close();

        d.runMenu("mnuperceptual");
        d.press(215, 95); // released, to follow the pointer again
        pick(190, 80);
        save(d.w.get(), "perceptual-wheel");

        // File, Export Sheet, as a user makes one; shown at half its size
        QTemporaryDir pages;
        const QString sheet = pages.filePath("sheet.png");
        whenModalAppears<QFileDialog>([sheet](QFileDialog* dialog) {
            auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
            name->setText(sheet);
            QTest::keyClick(name, Qt::Key_Return);
        });
        d.runMenu("mnuexportsheet");
        const QImage page(sheet);
        QVERIFY(!page.isNull());
        QImageWriter writer(folder + "/scheme-sheet.png", "png");
        writer.setQuality(0);
        QVERIFY(writer.write(page.scaledToWidth(page.width() / 2, Qt::SmoothTransformation)));

        if (!out.isEmpty())
            return;
        // the committed tour: the same pictures, each at the size drawn now
        const QDir drawn(folder);
        const QDir committed(QStringLiteral(CHROMALUNE_TOUR_DIR));
        const QStringList names = drawn.entryList({"*.png"}, QDir::Files, QDir::Name);
        QCOMPARE(committed.entryList({"*.png"}, QDir::Files, QDir::Name), names);
        for (const QString& name : names)
            QVERIFY2(QImageReader(drawn.filePath(name)).size() ==
                         QImageReader(committed.filePath(name)).size(),
                     qPrintable(name + " has another size: run scripts/screenshots.sh"));
    }
};

CHROMALUNE_TEST_MAIN(tst_Tour)
#include "TourTest.moc"
