#include "support/MainWindowDriver.h"
#include "support/QtTestMain.h"
#include "support/TestFiles.h"

#include "preview/Mockups.h"
#include "preview/PreviewStyles.h"
#include "preview/PreviewSurface.h"

namespace {

QString latin1(std::string_view s) {
    return QString::fromLatin1(s.data(), static_cast<int>(s.size()));
}

QString besideProgram(std::string_view name) {
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + latin1(name);
}

using Surface = preview::PreviewSurface;

/// The drawing area as the screen shows it.
QImage shownPreview(const MainWindowDriver& d) {
    const QImage shown = d.child("preview")->grab().toImage();
    return shown.copy(Surface::kBorder, Surface::kBorder, Surface::kDrawWidth, Surface::kDrawHeight)
        .convertToFormat(QImage::Format_RGB32);
}

/// The colour swatch k shows on the screen.
QRgb shownSwatch(const MainWindowDriver& d, int k) {
    return d.child(QStringLiteral("Picture%1").arg(k))->grab().toImage().pixel(12, 12);
}

/// The style's mock-up with the points of its k-th list file in the colour of swatch
/// 1, 3, 2 for k = 1, 2, 3.
QImage expectedPreview(const MainWindowDriver& d, const preview::PreviewStyle& s) {
    QImage image = preview::composeDrawingArea(preview::mockupPicture(s.mockupKey));
    const int swatchOfList[] = {1, 3, 2};
    for (int k = 0; k < 3; ++k) {
        preview::PixelList points;
        preview::appendPixelText(readAll(besideProgram(s.files[size_t(k)])).toStdString(), points);
        for (const preview::PixelPoint& p : points)
            if (image.rect().contains(p.x, p.y))
                image.setPixel(p.x, p.y, shownSwatch(d, swatchOfList[k]));
    }
    return image;
}

} // namespace

class tst_PreviewWindow : public QObject {
    Q_OBJECT
    std::unique_ptr<MainWindowDriver> m_d;

private slots:
    void init() { m_d = std::make_unique<MainWindowDriver>(); }
    void cleanup() { m_d.reset(); }

    void startsBareThenPaintsOnAClickARuleChoiceAndWithFollowPreviewOnEveryMove() {
        const auto& styles = preview::previewStyles();
        const preview::PreviewStyle& first = styles[0];
        const QImage bare = preview::composeDrawingArea(preview::mockupPicture(first.mockupKey));
        QCOMPARE(shownPreview(*m_d), bare);
        // an entry typed in full, even with Return, is text only
        auto* combo = m_d->child<QComboBox>("cmbpreview");
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo->lineEdit(), latin1(styles[3].entry));
        QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
        QCOMPARE(combo->lineEdit()->text(), latin1(styles[3].entry));
        QCOMPARE(combo->count(), int(styles.size()));
        QCOMPARE(m_d->model().previewStyle(), 0);
        // a move alone paints nothing
        m_d->move(190, 80);
        QCOMPARE(shownPreview(*m_d), bare);
        m_d->press(190, 80);
        QCOMPARE(shownPreview(*m_d), expectedPreview(*m_d, first));
        m_d->chooseRule(3);
        QCOMPARE(shownPreview(*m_d), expectedPreview(*m_d, first));
        m_d->chooseStyle(latin1(first.entry)); // the same choice again paints the same picture
        QCOMPARE(shownPreview(*m_d), expectedPreview(*m_d, first));
        m_d->press(190, 80); // released again
        QTest::mouseClick(m_d->child("chkpreview"), Qt::LeftButton);
        m_d->move(60, 150);
        QCOMPARE(shownPreview(*m_d), expectedPreview(*m_d, first));
        // an index of no style leaves the picture as it is
        auto* surface = m_d->child<Surface>("preview");
        for (int none : {-1, int(styles.size())})
            surface->showStyle(none);
        QCOMPARE(shownPreview(*m_d), expectedPreview(*m_d, first));
    }
};

CHROMALUNE_TEST_MAIN(tst_PreviewWindow)
#include "PreviewWindowTest.moc"
