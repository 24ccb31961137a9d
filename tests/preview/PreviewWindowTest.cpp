#include "support/QtTestMain.h"

#include "mainwindow/ClickLineEdit.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/Swatch.h"
#include "mainwindow/WheelSurface.h"
#include "preview/Mockups.h"
#include "preview/PreviewStyles.h"
#include "preview/PreviewSurface.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>

namespace {

const char* const kEntries[] = {"Logos Style", "Webpage Style", "Table Style",
                                "Links Style", "Links2 Style",  "Scrollbar Style"};

QString besideProgram(const QString& name) {
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + name;
}

/// Files the tests put beside the program, removed after each test.
QStringList g_written;

void writeFile(const QString& name, const QByteArray& text) {
    g_written.append(name);
    QFile file(besideProgram(name));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

/// The points of a list file, read plainly: one "x,y" per CR LF line.
QList<QPoint> listPoints(const QString& name) {
    QFile file(besideProgram(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<QPoint> points;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QList<QByteArray> parts = line.trimmed().split(',');
        if (parts.size() == 2)
            points.append(QPoint(parts[0].toInt(), parts[1].toInt()));
    }
    return points;
}

/// The drawing area as the screen shows it.
QImage shownPreview(MainWindow& w) {
    return w.preview->grab().toImage().copy(2, 2, 373, 269).convertToFormat(QImage::Format_RGB32);
}

/// The colour a swatch shows at (10, 10) of its drawing area, read off the screen.
QRgb shownSwatch(Swatch* swatch) {
    return swatch->grab().toImage().pixel(12, 12);
}

/// The style's mock-up with list 1 in colour 1, then list 3 in colour 2, then list 2 in
/// colour 3, computed from the files beside the program.
QImage expectedPreview(const char* entry, QRgb c1, QRgb c2, QRgb c3) {
    const preview::PreviewStyle* style = preview::findPreviewStyle(entry);
    QImage image =
        preview::PreviewSurface::composeDrawingArea(preview::mockupPicture(style->mockupKey));
    const std::pair<int, QRgb> order[] = {{0, c1}, {2, c2}, {1, c3}};
    for (const auto& [list, colour] : order) {
        const std::string_view file = style->files[static_cast<size_t>(list)];
        for (const QPoint& p : listPoints(QString::fromLatin1(file.data(), int(file.size())))) {
            if (image.rect().contains(p))
                image.setPixel(p, colour);
        }
    }
    return image;
}

int differingPixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return -1;
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += (a.pixel(x, y) & RGB_MASK) != (b.pixel(x, y) & RGB_MASK);
    return n;
}

/// Picks a style the way a user does with the keyboard: arrow keys on the list.
void pickWithKeys(MainWindow& w, const char* entry) {
    QComboBox* combo = w.cmbpreview;
    const int target = combo->findText(QLatin1String(entry));
    QVERIFY(target >= 0);
    combo->setFocus();
    while (combo->currentIndex() < target)
        QTest::keyClick(combo, Qt::Key_Down);
    while (combo->currentIndex() > target)
        QTest::keyClick(combo, Qt::Key_Up);
}

/// Picks a style with the mouse from the open list (works for the entry already shown).
void pickWithMouse(MainWindow& w, const char* entry) {
    QComboBox* combo = w.cmbpreview;
    const int index = combo->findText(QLatin1String(entry));
    QVERIFY(index >= 0);
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    QVERIFY(QTest::qWaitForWindowExposed(view->window()));
    const QRect item = view->visualRect(view->model()->index(index, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
    QTRY_VERIFY(!view->isVisible());
}

QList<QPushButton*> visibleHtmlButtons(MainWindow& w) {
    QList<QPushButton*> visible;
    for (QPushButton* b : {w.cmdgenlinkshtml, w.cmdgenlinks2html, w.gentablehtml, w.cmdgensbhtml})
        if (!b->isHidden())
            visible.append(b);
    return visible;
}

QPushButton* expectedButton(MainWindow& w, const QString& entry) {
    if (entry == QLatin1String("Links Style"))
        return w.cmdgenlinkshtml;
    if (entry == QLatin1String("Links2 Style"))
        return w.cmdgenlinks2html;
    if (entry == QLatin1String("Table Style"))
        return w.gentablehtml;
    if (entry == QLatin1String("Scrollbar Style"))
        return w.cmdgensbhtml;
    return nullptr;
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
        w = nullptr;
        for (const QString& name : std::as_const(g_written))
            QFile::remove(besideProgram(name));
        g_written.clear();
        QDir(besideProgram(QString())).rmdir(QStringLiteral("folder_list.txt"));
    }

    void startShowsTheBareLogosMockupAndNoButton() {
        QCOMPARE(w->cmbpreview->currentText(), QStringLiteral("Logos Style"));
        QCOMPARE(w->cmbpreview->count(), 6);
        for (int i = 0; i < 6; ++i)
            QCOMPARE(w->cmbpreview->itemText(i), QLatin1String(kEntries[i]));
        QVERIFY(!w->chkpreview->isChecked());
        QCOMPARE(differingPixels(shownPreview(*w), preview::PreviewSurface::composeDrawingArea(
                                                       preview::mockupPicture("Logos"))),
                 0);
        QVERIFY(visibleHtmlButtons(*w).isEmpty());
        QVERIFY(w->Command3->isHidden());
        QVERIFY(w->Command2->isHidden());
        QCOMPARE(w->preview->lists().points(1).size(), listPoints("mple_logos.txt").size());
        QCOMPARE(w->preview->lists().points(2).size(), listPoints("gri_logos.txt").size());
        QCOMPARE(w->preview->lists().points(3).size(), listPoints("galazio_logos.txt").size());
        QVERIFY(w->preview->lists().points(1).size() > 1000);
    }

    void styleChoicePaintsTheMockupInTheSwatchColours_data() {
        QTest::addColumn<QString>("entry");
        for (const char* entry : kEntries)
            QTest::newRow(entry) << QString::fromLatin1(entry);
    }
    void styleChoicePaintsTheMockupInTheSwatchColours() {
        QFETCH(QString, entry);
        pickScheme(*w);
        pickWithMouse(*w, entry.toLatin1().constData());
        QCOMPARE(w->cmbpreview->currentText(), entry);
        const QRgb c1 = shownSwatch(w->Picture1), c2 = shownSwatch(w->Picture2),
                   c3 = shownSwatch(w->Picture3);
        QVERIFY(c1 != c2 && c2 != c3 && c1 != c3);
        QCOMPARE(differingPixels(shownPreview(*w),
                                 expectedPreview(entry.toLatin1().constData(), c1, c2, c3)),
                 0);
        const QList<QPushButton*> visible = visibleHtmlButtons(*w);
        QPushButton* expected = expectedButton(*w, entry);
        QCOMPARE(visible.size(), expected ? 1 : 0);
        if (expected)
            QCOMPARE(visible.front(), expected);
    }

    void choosingAStyleAgainGivesTheSameListsAndPicture() {
        pickScheme(*w);
        pickWithMouse(*w, "Links Style");
        QCOMPARE(w->cmbpreview->currentText(), QStringLiteral("Links Style"));
        const size_t sizes[] = {w->preview->lists().points(1).size(),
                                w->preview->lists().points(2).size(),
                                w->preview->lists().points(3).size()};
        const QImage once = shownPreview(*w);
        pickWithMouse(*w, "Links Style");
        for (int k = 1; k <= 3; ++k)
            QCOMPARE(w->preview->lists().points(k).size(), sizes[k - 1]);
        QCOMPARE(sizes[0], size_t(listPoints("mple_links.txt").size()));
        QCOMPARE(differingPixels(shownPreview(*w), once), 0);
        QCOMPARE(visibleHtmlButtons(*w), QList<QPushButton*>{w->cmdgenlinkshtml});
    }

    void onlyTheMatchingHtmlButtonIsEverVisible() {
        const char* const walk[] = {"Links Style", "Logos Style",     "Links2 Style",
                                    "Table Style", "Scrollbar Style", "Webpage Style",
                                    "Links Style", "Scrollbar Style", "Links2 Style"};
        for (const char* entry : walk) {
            pickWithKeys(*w, entry);
            QPushButton* expected = expectedButton(*w, QLatin1String(entry));
            const QList<QPushButton*> visible = visibleHtmlButtons(*w);
            QCOMPARE(visible.size(), expected ? 1 : 0);
            if (expected)
                QCOMPARE(visible.front(), expected);
        }
    }

    void styleChoiceRefreshesTheWebSafeAndComponentFields() {
        // before any pick the fields are empty; the style choice re-runs the scheme
        QVERIFY(w->txtwebsafe1->text().isEmpty());
        pickWithKeys(*w, "Table Style");
        for (int k = 1; k <= 3; ++k) {
            const QRgb shown = shownSwatch(w->swatch(k));
            const int i = k - 1;
            QCOMPARE(w->txtrc[i]->text(), QString::number(qRed(shown)));
            QCOMPARE(w->txtgc[i]->text(), QString::number(qGreen(shown)));
            QCOMPARE(w->txtbc[i]->text(), QString::number(qBlue(shown)));
            auto safe = [](int c) { return (c + 25) / 51 * 51; };
            QCOMPARE(w->webSafeField(k)->text(),
                     QStringLiteral("#%1%2%3")
                         .arg(safe(qRed(shown)), 2, 16, QLatin1Char('0'))
                         .arg(safe(qGreen(shown)), 2, 16, QLatin1Char('0'))
                         .arg(safe(qBlue(shown)), 2, 16, QLatin1Char('0'))
                         .toUpper());
        }
    }

    void typingIntoTheStyleTextStartsNothing() {
        const QImage before = shownPreview(*w);
        QTest::keyClicks(w->cmbpreview->lineEdit(), QStringLiteral("x"));
        w->cmbpreview->lineEdit()->selectAll();
        QTest::keyClicks(w->cmbpreview->lineEdit(), QStringLiteral("Links Style"));
        QTest::keyClick(w->cmbpreview->lineEdit(), Qt::Key_Return);
        QCOMPARE(w->cmbpreview->currentText(), QStringLiteral("Links Style"));
        QCOMPARE(w->cmbpreview->count(), 6);
        QVERIFY(visibleHtmlButtons(*w).isEmpty());
        QVERIFY(w->txthtml1->text().isEmpty());
        QCOMPARE(w->preview->lists().points(1).size(), listPoints("mple_logos.txt").size());
        QCOMPARE(differingPixels(shownPreview(*w), before), 0);
    }

    void paintingOrderIsListTwoOverThreeOverOne() {
        writeFile("order_1.txt", "5,5\r\n6,6\r\n7,7\r\n8,8\r\n");
        writeFile("order_2.txt", "5,5\r\n8,8\r\n");
        writeFile("order_3.txt", "5,5\r\n6,6\r\n9,9");
        w->preview->lists().clear();
        w->load_pixel_lists(QStringLiteral("order_1.txt"), QStringLiteral("order_2.txt"),
                            QStringLiteral("order_3.txt"));
        w->Picture1->setBackColor(core::rgbValue(200, 10, 10));
        w->Picture2->setBackColor(core::rgbValue(10, 200, 10));
        w->Picture3->setBackColor(core::rgbValue(10, 10, 200));
        w->show_preview();
        const QImage shown = shownPreview(*w);
        QCOMPARE(shown.pixel(5, 5), qRgb(10, 10, 200));
        QCOMPARE(shown.pixel(6, 6), qRgb(10, 200, 10));
        QCOMPARE(shown.pixel(7, 7), qRgb(200, 10, 10));
        QCOMPARE(shown.pixel(8, 8), qRgb(10, 10, 200));
        QCOMPARE(shown.pixel(9, 9), qRgb(10, 200, 10));
        QCOMPARE(shown.pixel(4, 4), preview::mockupPicture("Logos").pixel(4, 4));
    }

    void aClickOnTheWheelPaintsEvenWithoutFollowPreview() {
        const QImage bare = shownPreview(*w);
        pickScheme(*w);
        QCOMPARE(differingPixels(shownPreview(*w), bare), 0);
        QTest::mouseClick(w->wheel, Qt::LeftButton, {}, QPoint(190, 80));
        const QImage painted = shownPreview(*w);
        QCOMPARE(differingPixels(painted, expectedPreview("Logos Style", shownSwatch(w->Picture1),
                                                          shownSwatch(w->Picture2),
                                                          shownSwatch(w->Picture3))),
                 0);
        QVERIFY(differingPixels(painted, bare) > 1000);
    }

    void followPreviewPaintsOnEveryPick() {
        QTest::mouseClick(w->chkpreview, Qt::LeftButton);
        QVERIFY(w->chkpreview->isChecked());
        const QPoint blue = listPoints("mple_logos.txt").front();
        const QPoint grey = listPoints("gri_logos.txt").front();
        for (const QPoint at : {QPoint(190, 80), QPoint(60, 150), QPoint(130, 220)}) {
            pickScheme(*w, at);
            const QImage shown = shownPreview(*w);
            QCOMPARE(shown.pixel(blue), shownSwatch(w->Picture1));
            QCOMPARE(shown.pixel(grey), shownSwatch(w->Picture3));
        }
    }

    void changingTheSchemeTypeRepaints() {
        pickScheme(*w);
        QTest::mouseClick(w->wheel, Qt::LeftButton, {}, QPoint(190, 80));
        const QPoint grey = listPoints("gri_logos.txt").front();
        const QRgb before = shownPreview(*w).pixel(grey);
        QRadioButton* triad = w->chktype[3];
        QTest::mouseClick(triad, Qt::LeftButton, {}, QPoint(7, triad->height() / 2));
        QVERIFY(triad->isChecked());
        QCOMPARE(shownPreview(*w).pixel(grey), shownSwatch(w->Picture3));
        QVERIFY(before != shownSwatch(w->Picture3));
    }

    void aMissingListFileGivesAnEmptyListAndOneWarning() {
        writeFile("good_list.txt", "1,1\r\n2,2\r\n");
        QFile::remove(besideProgram("no_such_list.txt"));
        w->Picture2->setBackColor(core::rgbValue(30, 60, 90));
        w->Picture3->setBackColor(core::rgbValue(90, 60, 30));
        const QImage before = shownPreview(*w);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no_such_list\\.txt"));
        QTest::failOnWarning(QRegularExpression("."));
        w->preview->lists().clear();
        w->load_pixel_lists(QStringLiteral("no_such_list.txt"), QStringLiteral("good_list.txt"),
                            QStringLiteral("good_list.txt"));
        QVERIFY(w->preview->lists().points(1).empty());
        QCOMPARE(w->preview->lists().points(2).size(), size_t(2));
        QCOMPARE(w->preview->lists().points(3).size(), size_t(2));
        w->show_preview();
        const QImage after = shownPreview(*w);
        QCOMPARE(differingPixels(after, before), 2);
        QCOMPARE(after.pixel(1, 1), qRgb(90, 60, 30));
    }

    void anUnreadableListFileGivesAnEmptyList() {
        QDir(besideProgram(QString())).mkpath(QStringLiteral("folder_list.txt"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("folder_list\\.txt"));
        w->preview->lists().clear();
        w->load_pixel_lists(QStringLiteral("folder_list.txt"), QStringLiteral("mple_logos.txt"),
                            QStringLiteral("gri_logos.txt"));
        QVERIFY(w->preview->lists().points(1).empty());
        QVERIFY(!w->preview->lists().points(2).empty());
    }

    void malformedLinesAreSkipped() {
        writeFile("bad_lines.txt",
                  "1,2\r\nabc\r\n3\r\n,4\r\n5,\r\n6,x\r\n40000,1\r\n1,-40000\r\n\r\n7,8");
        for (int i = 0; i < 3; ++i)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("8 malformed.*bad_lines\\.txt"));
        w->preview->lists().clear();
        w->load_pixel_lists(QStringLiteral("bad_lines.txt"), QStringLiteral("bad_lines.txt"),
                            QStringLiteral("bad_lines.txt"));
        const preview::PixelList expected{{1, 2}, {7, 8}};
        QCOMPARE(w->preview->lists().points(1), expected);
        QCOMPARE(w->preview->lists().points(3), expected);
    }

    void pointsOutsideTheDrawingAreaAreIgnored() {
        writeFile("outside.txt", "-1,0\r\n373,0\r\n0,269\r\n-32768,-32768\r\n32767,32767\r\n"
                                 "372,268\r\n0,0\r\n");
        writeFile("empty.txt", "");
        w->preview->lists().clear();
        w->load_pixel_lists(QStringLiteral("outside.txt"), QStringLiteral("empty.txt"),
                            QStringLiteral("empty.txt"));
        QCOMPARE(w->preview->lists().points(1).size(), size_t(7));
        const QImage before = shownPreview(*w);
        w->Picture1->setBackColor(core::rgbValue(1, 2, 3));
        w->show_preview();
        const QImage after = shownPreview(*w);
        QCOMPARE(differingPixels(after, before), 2);
        QCOMPARE(after.pixel(0, 0), qRgb(1, 2, 3));
        QCOMPARE(after.pixel(372, 268), qRgb(1, 2, 3));
    }

    void command3WritesTheListsOfTheShownMockup() {
        pickScheme(*w);
        w->preview->setPicture(preview::mockupPicture("Links"));
        const QString folder = MainWindow::authoringFolder();
        for (const char* name : {"mple_table1.txt", "gri_table1.txt", "galazio_table1.txt"})
            QFile::remove(folder + QLatin1Char('/') + QLatin1String(name));
        w->Command3->click();
        auto bytes = [](const QString& path) {
            QFile f(path);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
        };
        QCOMPARE(bytes(folder + QStringLiteral("/mple_table1.txt")),
                 bytes(besideProgram(QStringLiteral("mple_links.txt"))));
        QCOMPARE(bytes(folder + QStringLiteral("/gri_table1.txt")),
                 bytes(besideProgram(QStringLiteral("gri_links.txt"))));
        QCOMPARE(bytes(folder + QStringLiteral("/galazio_table1.txt")),
                 bytes(besideProgram(QStringLiteral("galazio_links.txt"))));
        // the surface shows what the preview will show with these files
        QCOMPARE(
            differingPixels(shownPreview(*w),
                            expectedPreview("Links Style", shownSwatch(w->Picture1),
                                            shownSwatch(w->Picture2), shownSwatch(w->Picture3))),
            0);
        // a second scan finds no template colour left
        w->Command3->click();
        QCOMPARE(bytes(folder + QStringLiteral("/mple_table1.txt")), QByteArray());
        QCOMPARE(bytes(folder + QStringLiteral("/galazio_table1.txt")), QByteArray());
    }

    void command2SavesTheShownPreviewAsABitmap() {
        pickScheme(*w);
        pickWithKeys(*w, "Webpage Style");
        const QString path =
            MainWindow::authoringFolder() + QStringLiteral("/chromalune_webpage3.bmp");
        QFile::remove(path);
        w->Command2->click();
        const QImage saved(path, "BMP");
        QCOMPARE(saved.size(), QSize(373, 269));
        QCOMPARE(differingPixels(saved.convertToFormat(QImage::Format_RGB32), shownPreview(*w)), 0);
    }

private:
    MainWindow* w = nullptr;
};

CHROMALUNE_TEST_MAIN(tst_PreviewWindow)
#include "PreviewWindowTest.moc"
