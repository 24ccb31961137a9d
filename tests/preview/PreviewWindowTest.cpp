#include "support/QtTestMain.h"

#include "mainwindow/ClickLineEdit.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/Swatch.h"
#include "mainwindow/WheelSurface.h"
#include "preview/Mockups.h"
#include "preview/PreviewSurface.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>

namespace {

/// Each style: its entry, its mock-up, its list files in loading order and its HTML button.
const struct Style {
    const char* entry;
    const char* key;
    const char* files;
    QPushButton* MainWindow::*button;
} kStyles[] = {
    {"Logos Style", "Logos", "mple_logos gri_logos galazio_logos", nullptr},
    {"Webpage Style", "Webpage", "mple gri galazio", nullptr},
    {"Table Style", "Table2", "gri_table mple_table galazio_table", &MainWindow::gentablehtml},
    {"Links Style", "Links", "mple_links gri_links galazio_links", &MainWindow::cmdgenlinkshtml},
    {"Links2 Style", "Links2", "mple_links2 galazio_links2 gri_links2",
     &MainWindow::cmdgenlinks2html},
    {"Scrollbar Style", "Scrollbar", "mple_scrollbar gri_scrollbar galazio_scrollbar",
     &MainWindow::cmdgensbhtml},
};

QString besideProgram(const QString& name) {
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + name;
}

/// The k-th (1-3) list file of a style.
QString listFile(const Style& s, int k) {
    return QString::fromLatin1(s.files).split(' ').at(k - 1) + QStringLiteral(".txt");
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

/// Files the tests put beside the program, removed after each test.
const char* const kWritten[] = {"order_1.txt", "order_2.txt", "order_3.txt", "bad_lines.txt"};

void writeFile(const QString& name, const QByteArray& text) {
    QFile file(besideProgram(name));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
}

preview::PixelList listPoints(const QString& name) {
    preview::PixelList points;
    preview::appendPixelText(readAll(besideProgram(name)).toStdString(), points);
    return points;
}

/// The drawing area as the screen shows it.
QImage shownPreview(MainWindow& w) {
    return w.preview->grab().toImage().copy(2, 2, 373, 269).convertToFormat(QImage::Format_RGB32);
}

/// The colour a swatch shows, read off the screen.
QRgb shownSwatch(Swatch* swatch) {
    return swatch->grab().toImage().pixel(12, 12);
}

/// The style's mock-up with list 1 in the first swatch's colour, then list 3 in the second's,
/// then list 2 in the third's.
QImage expectedPreview(MainWindow& w, const Style& s) {
    QImage image = preview::PreviewSurface::composeDrawingArea(preview::mockupPicture(s.key));
    const std::pair<int, Swatch*> order[] = {{1, w.Picture1}, {3, w.Picture2}, {2, w.Picture3}};
    for (const auto& [list, swatch] : order)
        for (const preview::PixelPoint& p : listPoints(listFile(s, list)))
            if (image.rect().contains(p.x, p.y))
                image.setPixel(p.x, p.y, shownSwatch(swatch));
    return image;
}

/// Picks a style with the mouse from the open list (works for the entry already shown).
void pickWithMouse(MainWindow& w, int index) {
    QComboBox* combo = w.cmbpreview;
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    QVERIFY(QTest::qWaitForWindowExposed(view->window()));
    const QRect item = view->visualRect(view->model()->index(index, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
    QTRY_VERIFY(!view->isVisible());
    QCOMPARE(combo->currentText(), QLatin1String(kStyles[index].entry));
}

/// Checks that the preview holds exactly the style's lists and shows its HTML button only.
void checkStyleLoaded(MainWindow& w, const Style& s) {
    for (int k = 1; k <= 3; ++k)
        QCOMPARE(w.preview->lists().points(k), listPoints(listFile(s, k)));
    QList<QPushButton*> visible;
    for (QPushButton* b : {w.cmdgenlinkshtml, w.cmdgenlinks2html, w.gentablehtml, w.cmdgensbhtml})
        if (!b->isHidden())
            visible.append(b);
    QCOMPARE(visible, s.button ? QList<QPushButton*>{w.*s.button} : QList<QPushButton*>{});
}

/// Moves the pointer over the wheel so that the scheme holds three different colours.
void pickScheme(MainWindow& w, QPoint at = QPoint(190, 80)) {
    QTest::mouseMove(w.wheel, at);
    QVERIFY(!w.txthtml1->text().isEmpty());
}

} // namespace

class tst_PreviewWindow : public QObject {
    Q_OBJECT
private slots:
    void init() {
        w = new MainWindow;
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        // a move to where the pointer already is sends no event: start away from the wheel
        QTest::mouseMove(w, QPoint(785, 545));
    }
    void cleanup() {
        delete w;
        for (const char* name : kWritten)
            QFile::remove(besideProgram(name));
        QDir(besideProgram(QString())).rmdir(QStringLiteral("folder_list.txt"));
    }

    void startShowsTheBareLogosMockupAndTypingStartsNothing() {
        for (int i = 0; i < 6; ++i)
            QCOMPARE(w->cmbpreview->itemText(i), QLatin1String(kStyles[i].entry));
        QVERIFY(!w->chkpreview->isChecked() && w->Command3->isHidden() && w->Command2->isHidden());
        const QImage bare =
            preview::PreviewSurface::composeDrawingArea(preview::mockupPicture("Logos"));
        QCOMPARE(w->cmbpreview->currentText(), QStringLiteral("Logos Style"));
        QLineEdit* text = w->cmbpreview->lineEdit();
        QTest::keyClicks(text, QStringLiteral("x"));
        text->selectAll();
        QTest::keyClicks(text, QStringLiteral("Links Style"));
        QTest::keyClick(text, Qt::Key_Return);
        QCOMPARE(w->cmbpreview->currentText(), QStringLiteral("Links Style"));
        QCOMPARE(w->cmbpreview->count(), 6);
        QVERIFY(w->txthtml1->text().isEmpty());
        checkStyleLoaded(*w, kStyles[0]);
        QVERIFY(w->preview->lists().points(1).size() > 1000);
        QCOMPARE(shownPreview(*w), bare);
    }

    void styleChoicePaintsTheMockupInTheSwatchColours_data() {
        QTest::addColumn<int>("index");
        for (int i = 0; i < 6; ++i)
            QTest::newRow(kStyles[i].entry) << i;
    }
    void styleChoicePaintsTheMockupInTheSwatchColours() {
        QFETCH(int, index);
        pickScheme(*w);
        pickWithMouse(*w, index);
        const QRgb c1 = shownSwatch(w->Picture1), c2 = shownSwatch(w->Picture2),
                   c3 = shownSwatch(w->Picture3);
        QVERIFY(c1 != c2 && c2 != c3 && c1 != c3);
        const QImage once = shownPreview(*w);
        QCOMPARE(once, expectedPreview(*w, kStyles[index]));
        // the same choice again neither adds to the lists nor changes the picture
        pickWithMouse(*w, index);
        checkStyleLoaded(*w, kStyles[index]);
        QCOMPARE(shownPreview(*w), once);
    }

    void styleChoiceRefreshesTheFieldsAndShowsOnlyTheMatchingHtmlButton() {
        // before any pick the fields are empty; the style choice re-runs the scheme
        QVERIFY(w->txtwebsafe1->text().isEmpty());
        pickWithMouse(*w, 2);
        auto safe = [](int c) { return (c + 25) / 51 * 51; };
        for (int k = 1; k <= 3; ++k) {
            const QColor c(shownSwatch(w->swatch(k)));
            const QString webSafe = QColor(safe(c.red()), safe(c.green()), safe(c.blue())).name();
            QCOMPARE(QStringList({w->txtrc[k - 1]->text(), w->txtgc[k - 1]->text(),
                                  w->txtbc[k - 1]->text(), w->webSafeField(k)->text()}),
                     QStringList({QString::number(c.red()), QString::number(c.green()),
                                  QString::number(c.blue()), webSafe.toUpper()}));
        }
        for (int index : {3, 0, 4, 2, 5, 1, 3, 5, 4}) {
            pickWithMouse(*w, index);
            checkStyleLoaded(*w, kStyles[index]);
        }
    }

    void paintingOrderIsListTwoOverThreeOverOne() {
        writeFile("order_1.txt", "5,5\r\n6,6\r\n7,7\r\n8,8\r\n");
        writeFile("order_2.txt", "5,5\r\n8,8\r\n");
        writeFile("order_3.txt", "5,5\r\n6,6\r\n9,9");
        w->preview->lists().clear();
        w->load_pixel_lists("order_1.txt", "order_2.txt", "order_3.txt");
        w->Picture1->setBackColor(core::rgbValue(200, 10, 10));
        w->Picture2->setBackColor(core::rgbValue(10, 200, 10));
        w->Picture3->setBackColor(core::rgbValue(10, 10, 200));
        w->show_preview();
        const QImage shown = shownPreview(*w);
        const QRgb c1 = qRgb(200, 10, 10), c2 = qRgb(10, 200, 10), c3 = qRgb(10, 10, 200);
        const QRgb expected[] = {preview::mockupPicture("Logos").pixel(4, 4), c3, c2, c1, c3, c2};
        for (int i = 0; i < 6; ++i)
            QCOMPARE(shown.pixel(4 + i, 4 + i), expected[i]);
    }

    void paintsOnAWheelClickATypeChangeAndWithFollowPreviewOnEveryPick() {
        const QImage bare = shownPreview(*w);
        // a pick alone leaves the preview as it is
        pickScheme(*w);
        QCOMPARE(shownPreview(*w), bare);
        QTest::mouseClick(w->wheel, Qt::LeftButton, {}, QPoint(190, 80));
        QCOMPARE(shownPreview(*w), expectedPreview(*w, kStyles[0]));
        QVERIFY(shownPreview(*w) != bare);
        const QRgb before = shownSwatch(w->Picture3);
        QRadioButton* triad = w->chktype[3];
        QTest::mouseClick(triad, Qt::LeftButton, {}, QPoint(7, triad->height() / 2));
        QVERIFY(triad->isChecked() && shownSwatch(w->Picture3) != before);
        QCOMPARE(shownPreview(*w), expectedPreview(*w, kStyles[0]));
        QTest::mouseClick(w->chkpreview, Qt::LeftButton);
        QVERIFY(w->chkpreview->isChecked());
        for (const QPoint at : {QPoint(60, 150), QPoint(130, 220)}) {
            pickScheme(*w, at);
            QCOMPARE(shownPreview(*w), expectedPreview(*w, kStyles[0]));
        }
    }

    void badListFilesAreSkippedWithOneWarningEachAndTheMockupStays() {
        QFile::remove(besideProgram("no_such_list.txt"));
        QDir(besideProgram(QString())).mkpath(QStringLiteral("folder_list.txt"));
        // eight malformed lines, then points inside and outside the drawing area
        writeFile("bad_lines.txt", "1,1\r\nabc\r\n3\r\n,4\r\n5,\r\n6,x\r\n40000,1\r\n1,-40000\r\n"
                                   "\r\n-1,0\r\n373,0\r\n0,269\r\n-32768,-32768\r\n32767,32767\r\n"
                                   "372,268\r\n7,8");
        QImage expected = shownPreview(*w);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no_such_list\\.txt"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("8 malformed.*bad_lines\\.txt"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("folder_list\\.txt"));
        QTest::failOnWarning(QRegularExpression("."));
        w->preview->lists().clear();
        w->load_pixel_lists("no_such_list.txt", "bad_lines.txt", "folder_list.txt");
        QVERIFY(w->preview->lists().points(1).empty() && w->preview->lists().points(3).empty());
        QCOMPARE(w->preview->lists().points(2).size(), size_t(8));
        w->Picture3->setBackColor(core::rgbValue(90, 60, 30));
        w->show_preview();
        for (const QPoint p : {QPoint(1, 1), QPoint(372, 268), QPoint(7, 8)})
            expected.setPixel(p, qRgb(90, 60, 30));
        QCOMPARE(shownPreview(*w), expected);
    }

    void authoringButtonsSaveThePreviewAndWriteTheListsOfTheShownMockup() {
        pickScheme(*w);
        pickWithMouse(*w, 1);
        const QString folder = MainWindow::authoringFolder() + QLatin1Char('/');
        QFile::remove(folder + "chromalune_webpage3.bmp");
        w->Command2->click();
        QCOMPARE(
            QImage(folder + "chromalune_webpage3.bmp", "BMP").convertToFormat(QImage::Format_RGB32),
            shownPreview(*w));

        w->preview->setPicture(preview::mockupPicture("Links"));
        const QString written[] = {folder + "mple_table1.txt", folder + "gri_table1.txt",
                                   folder + "galazio_table1.txt"};
        for (const QString& path : written)
            QFile::remove(path);
        w->Command3->click();
        for (int k = 1; k <= 3; ++k)
            QCOMPARE(readAll(written[k - 1]), readAll(besideProgram(listFile(kStyles[3], k))));
        // the surface shows what the preview will show with these files
        QCOMPARE(shownPreview(*w), expectedPreview(*w, kStyles[3]));
        // a second scan finds no template colour left
        w->Command3->click();
        for (const QString& path : written)
            QCOMPARE(readAll(path), QByteArray());
    }

private:
    MainWindow* w = nullptr;
};

CHROMALUNE_TEST_MAIN(tst_PreviewWindow)
#include "PreviewWindowTest.moc"
