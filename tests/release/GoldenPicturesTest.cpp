#include "OpenWindows.h"
#include "support/QtTestMain.h"

#include "preview/PreviewStyles.h"

#include <QCheckBox>
#include <QDir>
#include <QTabWidget>

// Every window, and the preview in every style, drawn as a user sees it and compared with a
// committed picture, so that every place, size, caption and colour of the design is held.
// After an intended change of the look, `cmake --build build --target golden_pictures`
// draws the pictures anew (review them, then commit them); a failing comparison leaves the
// picture drawn in golden-failures/ beside the test. At scale 2 the pictures also hold that
// the wheel, swatches, previews and cells are blown up pixel by pixel, never smoothed.
// Beside them, titles.txt and names.txt hold each window's title and its parts' names.

namespace {

// A few pixels may be off by a step or two per channel, for rounding in the font
// rasteriser; a whole area off by one is a wrong colour.
constexpr int kTolerance = 2;
constexpr int kRoundedPixels = 64;

const bool kUpdate = qEnvironmentVariableIsSet("CHROMALUNE_UPDATE_GOLDEN");

const int kScale = qMax(qEnvironmentVariableIntValue("QT_SCALE_FACTOR"), 1);

/// Compares the widget's picture with its golden one; an empty answer when they agree.
QString compareWithGolden(QWidget* widget, const QString& name) {
    const QImage shown = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QString path = QStringLiteral(CHROMALUNE_GOLDEN_DIR "/%1@%2x.png").arg(name).arg(kScale);
    if (kUpdate)
        return shown.save(path) ? QString() : name + ": cannot write";
    const QImage golden = QImage(path).convertToFormat(QImage::Format_RGB32);
    int differing = 0;
    int rounded = 0; // off by no more than the tolerance
    if (golden.size() == shown.size()) {
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) {
                const QRgb a = shown.pixel(x, y), b = golden.pixel(x, y);
                const int off = qMax(qMax(qAbs(qRed(a) - qRed(b)), qAbs(qGreen(a) - qGreen(b))),
                                     qAbs(qBlue(a) - qBlue(b)));
                differing += off > kTolerance;
                rounded += off > 0 && off <= kTolerance;
            }
        if (differing == 0 && rounded <= kRoundedPixels)
            return {};
    }
    QDir().mkpath("golden-failures");
    const QString base = QStringLiteral("golden-failures/%1@%2x").arg(name).arg(kScale);
    shown.save(base + ".png");
    const QString size = QStringLiteral("%1x%2").arg(golden.width()).arg(golden.height());
    return QStringLiteral("%1: %2 pixels differ and %3 by a rounding, golden size %4; see %5")
        .arg(name, QString::number(differing), QString::number(rounded), size,
             QDir::current().absoluteFilePath(base));
}

/// Compares the lines, sorted, with a golden text file; an empty answer when they agree.
QString compareWithGoldenText(QStringList lines, const QString& file) {
    lines.sort();
    const QByteArray text = lines.join('\n').toUtf8() + '\n';
    QFile golden(QStringLiteral(CHROMALUNE_GOLDEN_DIR "/") + file);
    if (!golden.open(kUpdate ? QIODevice::WriteOnly : QIODevice::ReadOnly) ||
        (kUpdate ? golden.write(text) < 0 : golden.readAll() != text))
        return file + " differs: draw the pictures anew and compare with git diff";
    return {};
}

} // namespace

class tst_GoldenPictures : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { OpenWindows::closeAll(); }

    void everyWindowLooksAsDesigned() {
        OpenWindows windows;
        QStringList faults;
        // and what no picture shows: every window's title and the names of its parts, which
        // tests and users' scripts key on, with what a screen reader announces them as
        QStringList titles, names;
        for (QWidget* window : windows.all()) {
            if (window != windows.d.w.get())
                faults << compareWithGolden(window, window->objectName());
            titles << window->objectName() + ": " + window->windowTitle();
            for (const QObject* part : window->findChildren<QObject*>())
                if (!part->objectName().isEmpty() && !part->objectName().startsWith("qt_"))
                    names << (window->objectName() + ": " + part->objectName() + " " +
                              part->property("accessibleName").toString())
                                 .trimmed();
        }
        faults << compareWithGoldenText(titles, "titles.txt")
               << compareWithGoldenText(names, "names.txt");
        // the check's fixes, behind a tab of their own
        windows.d.child<QTabWidget>("tabcontrast")->setCurrentIndex(2);
        faults << compareWithGolden(windows.d.child("fixpanel"), "frmaccess-fixes");
        // the palette's check, behind its own tab
        auto* paletteWindow = windows.d.w->findChild<QWidget*>("frmpalette");
        in<QTabWidget>(paletteWindow, "tabpalette")->setCurrentIndex(1);
        faults << compareWithGolden(paletteWindow, "frmpalette-check");
        // the main window as it starts, then after a pick with the preview following
        windows.d.chooseStyle("Logos Style");
        faults << compareWithGolden(windows.d.w.get(), "frmchromalune");
        windows.d.child<QCheckBox>("chkpreview")->setChecked(true);
        windows.d.move(200, 60);
        faults << compareWithGolden(windows.d.w.get(), "frmchromalune-picked");
        for (const preview::PreviewStyle& s : preview::previewStyles()) {
            const QString entry = QString::fromLatin1(s.entry.data(), int(s.entry.size()));
            windows.d.chooseStyle(entry);
            faults << compareWithGolden(windows.d.child("preview"),
                                        "preview-" + entry.section(' ', 0, 0));
        }
        // the perceptual wheel with its lightness slider
        windows.d.runMenu("mnuperceptual");
        faults << compareWithGolden(windows.d.w.get(), "frmchromalune-perceptual");
        faults.removeAll(QString());
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
    }
};

CHROMALUNE_TEST_MAIN(tst_GoldenPictures)
#include "GoldenPicturesTest.moc"
