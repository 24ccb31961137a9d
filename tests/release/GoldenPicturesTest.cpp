#include "OpenWindows.h"
#include "support/QtTestMain.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QRegularExpression>

// Every window, and the preview in every style, drawn as a user sees it and compared with a
// committed picture, so that every place, size, caption and colour of the design is held.
// After an intended change of the look, `cmake --build build --target golden_pictures`
// draws the pictures anew (review them, then commit them); a failing comparison leaves the
// picture drawn and a map of the differing pixels in golden-failures/ beside the test.

namespace {

constexpr int kTolerance = 2; // per channel, for rounding in the font rasteriser

int scale() {
    return qMax(qEnvironmentVariableIntValue("QT_SCALE_FACTOR"), 1);
}

QString goldenPath(const QString& name) {
    return QStringLiteral(CHROMALUNE_GOLDEN_DIR "/%1@%2x.png").arg(name).arg(scale());
}

/// Compares the widget's picture with its golden one; an empty answer when they agree.
QString compareWithGolden(QWidget* widget, const QString& name) {
    const QImage shown = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (qEnvironmentVariableIsSet("CHROMALUNE_UPDATE_GOLDEN"))
        return shown.save(goldenPath(name)) ? QString() : name + ": cannot write";
    const QImage golden = QImage(goldenPath(name)).convertToFormat(QImage::Format_RGB32);
    if (golden.isNull())
        return name + ": no golden picture " + goldenPath(name);
    int differing = 0;
    QImage diff(shown.size(), QImage::Format_RGB32);
    diff.fill(Qt::white);
    if (golden.size() == shown.size()) {
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) {
                const QRgb a = shown.pixel(x, y);
                const QRgb b = golden.pixel(x, y);
                if (qAbs(qRed(a) - qRed(b)) > kTolerance ||
                    qAbs(qGreen(a) - qGreen(b)) > kTolerance ||
                    qAbs(qBlue(a) - qBlue(b)) > kTolerance) {
                    ++differing;
                    diff.setPixel(x, y, qRgb(255, 0, 0));
                }
            }
        if (differing == 0)
            return {};
    }
    QDir().mkpath("golden-failures");
    const QString base = QStringLiteral("golden-failures/%1@%2x").arg(name).arg(scale());
    shown.save(base + QStringLiteral(".png"));
    diff.save(base + QStringLiteral("-diff.png"));
    return QString("%1: %2 pixels differ (size %3x%4, golden %5x%6); see %7")
        .arg(name)
        .arg(differing)
        .arg(shown.width())
        .arg(shown.height())
        .arg(golden.width())
        .arg(golden.height())
        .arg(QDir::current().absoluteFilePath(base));
}

/// Device pixels of what the screen shows that differ from the widget drawn at scale 1 with
/// each logical pixel blown up to a scale x scale block; -1 when the sizes disagree.
int blockMismatches(QWidget* widget) {
    const QImage shown = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QImage logical(widget->size(), QImage::Format_RGB32);
    widget->render(&logical);
    if (shown.size() != logical.size() * scale())
        return -1;
    int mismatches = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            mismatches += (shown.pixel(x, y) & RGB_MASK) !=
                          (logical.pixel(x / scale(), y / scale()) & RGB_MASK);
    return mismatches;
}

} // namespace

class tst_GoldenPictures : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { OpenWindows::closeAll(); }

    void everyWindowLooksAsDesigned() {
        OpenWindows windows;
        QStringList faults;
        for (QWidget* window : windows.all()) {
            QVERIFY(QTest::qWaitForWindowExposed(window));
            if (window != windows.d.w.get())
                faults << compareWithGolden(window, window->objectName());
        }
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
                                        QStringLiteral("preview-") + entry.section(' ', 0, 0));
        }
        // and every window's title, which no picture shows
        QStringList titles;
        for (QWidget* window : windows.all())
            titles << window->objectName() + QStringLiteral(": ") + window->windowTitle();
        titles.sort();
        QFile titlesFile(QStringLiteral(CHROMALUNE_GOLDEN_DIR "/titles.txt"));
        if (qEnvironmentVariableIsSet("CHROMALUNE_UPDATE_GOLDEN")) {
            QVERIFY(titlesFile.open(QIODevice::WriteOnly));
            titlesFile.write(titles.join('\n').toUtf8() + '\n');
        } else if (!titlesFile.open(QIODevice::ReadOnly) ||
                   titlesFile.readAll() != titles.join('\n').toUtf8() + '\n') {
            faults << QStringLiteral("titles differ from golden/titles.txt: ") + titles.join(", ");
        }
        faults.removeAll(QString());
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));

        // pictures are blown up without smoothing: the wheel with its lines, the swatches, the
        // preview, the converter's swatch, the map's cells and the simulated previews
        QList<QWidget*> pictures;
        for (const char* name : {"wheel", "Picture1", "Picture2", "Picture3", "preview"})
            pictures << windows.d.child(QLatin1String(name));
        pictures << OpenWindows::window("convert")->findChild<QWidget*>("piccolor");
        for (QWidget* w : OpenWindows::window("safecolormap")
                              ->findChildren<QWidget*>(QRegularExpression("^tcol|^lblselcolor")))
            pictures << w;
        for (QWidget* w :
             OpenWindows::window("frmaccess")->findChildren<QWidget*>(QRegularExpression("^pic")))
            pictures << w;
        QStringList smoothed;
        for (QWidget* picture : pictures)
            if (const int n = blockMismatches(picture))
                smoothed << QStringLiteral("%1: %2 pixels").arg(picture->objectName()).arg(n);
        QVERIFY2(smoothed.isEmpty(), qPrintable(smoothed.join('\n')));
    }
};

CHROMALUNE_TEST_MAIN(tst_GoldenPictures)
#include "GoldenPicturesTest.moc"
