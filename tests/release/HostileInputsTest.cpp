#include "support/QtTestMain.h"
#include "support/UrlRecorder.h"

#include "html/GeneratedTextBox.h"
#include "html/HtmlOutputWindow.h"
#include "html/TableInsertWindow.h"
#include "mainwindow/ClickLineEdit.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/WheelSurface.h"
#include "platform/Desktop.h"
#include "preview/Mockups.h"
#include "preview/PreviewSurface.h"
#include "tools/ConvertWindow.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

/// This program's own folder: a copy of the run-time folder that the tests may spoil.
QString besideProgram(const QString& name) {
    return QCoreApplication::applicationDirPath() + '/' + name;
}

const QString kLinksFiles[] = {"mple_links.txt", "gri_links.txt", "galazio_links.txt"};
const QString kHelpPage = QStringLiteral("Chromalune.html");

/// Puts the program's run-time files beside this test program, as they are beside the
/// program itself; the help page stays out unless asked for.
bool copyRunTimeFiles(bool withHelpPage) {
    const QDir source(QStringLiteral(CHROMALUNE_RUNTIME_SOURCE));
    QStringList names = source.entryList({QStringLiteral("*.txt")}, QDir::Files);
    QFile::remove(besideProgram(kHelpPage));
    if (withHelpPage)
        names << kHelpPage;
    for (const QString& name : names) {
        QFile::remove(besideProgram(name));
        if (!QFile::copy(source.filePath(name), besideProgram(name)))
            return false;
    }
    return names.size() >= 18;
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

/// Picks a style with the arrow keys, as a user does.
void pickStyle(MainWindow& w, const QString& entry) {
    const int target = w.cmbpreview->findText(entry);
    QVERIFY(target >= 0);
    w.cmbpreview->setFocus();
    while (w.cmbpreview->currentIndex() != target)
        QTest::keyClick(w.cmbpreview,
                        w.cmbpreview->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
}

/// Puts text into a field the way a user brings in a long text: paste over everything.
void pasteInto(QWidget* field, const QString& text) {
    platform::setClipboardText(text);
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
}

/// A text of exactly 10,000 characters that starts with head and repeats fill.
QString longText(const QString& head, QChar fill) {
    return head + QString(10000 - head.size(), fill);
}

/// Answers the next message box with OK and remembers its text.
void expectMessageBox(QString* text) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, text] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            *text = box->text();
            box->button(QMessageBox::Ok)->click();
        }
    });
    poll->start(20);
}

/// Sets or clears the immutable attribute, which binds even the superuser; false where the
/// file system or the user's rights do not allow it.
bool setImmutable(const QString& path, bool on) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK);
    int flags = 0;
    bool done = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    if (fd >= 0)
        ::close(fd);
    return done;
}

} // namespace

class tst_HostileInputs : public QObject {
    Q_OBJECT

    std::unique_ptr<MainWindow> m_w;

private slots:
    void init() {
        QVERIFY(copyRunTimeFiles(false));
        platform::setClipboardText(QString());
        m_w = std::make_unique<MainWindow>();
        m_w->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_w.get()));
        QTest::mouseMove(m_w.get(), QPoint(785, 545));
    }
    void cleanup() {
        m_w.reset();
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    }
    void cleanupTestCase() { QVERIFY(copyRunTimeFiles(true)); }

    void hugeAndGarbledListsYieldExactlyTheirValidPoints() {
        // a million lines with garbage between the points; blanks around the numbers and a
        // bare CR still make a point
        QByteArray million;
        preview::PixelList expected;
        for (int i = 0; i < 1000000; ++i) {
            const int16_t x = i % 373, y = i / 373 % 269;
            const QByteArray X = QByteArray::number(x), Y = QByteArray::number(y);
            million += i % 10 == 7   ? "abc\r\n"
                       : i % 10 == 9 ? " " + X + " , " + Y + " \r"
                                     : X + ',' + Y + "\r\n";
            if (i % 10 != 7)
                expected.push_back({x, y});
        }
        // random bytes without a digit, NULs and stray line ends included, so only the
        // lines planted in it can be points
        QRandomGenerator random(20240607);
        QByteArray garbage(2 * 1024 * 1024, '\0');
        for (char& c : garbage) {
            c = char(random.bounded(256));
            if ((c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-')
                c = ',';
        }
        const preview::PixelList planted = {{17, 23}, {0, 0}, {372, 268}, {5, 9}};
        for (size_t i = 0; i < planted.size(); ++i)
            garbage.insert(int(400000 * (i + 1)), "\r\n" + QByteArray::number(planted[i].x) + ',' +
                                                      QByteArray::number(planted[i].y) + "\r\n");
        QVERIFY(writeFile(besideProgram(kLinksFiles[0]), million));
        QVERIFY(writeFile(besideProgram(kLinksFiles[1]), garbage));
        // one line of eight million digits, then one good line
        QVERIFY(writeFile(besideProgram(kLinksFiles[2]),
                          QByteArray(8 * 1024 * 1024, '7') + ",1\r\n5,5"));
        pickStyle(*m_w, QStringLiteral("Links Style"));
        QVERIFY(m_w->preview->lists().points(1) == expected);
        QCOMPARE(m_w->preview->lists().paintedPixels(1), size_t(373 * 269));
        QVERIFY(m_w->preview->lists().points(2) == planted);
        QVERIFY(m_w->preview->lists().points(3) == (preview::PixelList{{5, 5}}));
        // and the program goes on as before
        QTest::mouseMove(m_w->wheel, QPoint(190, 80));
        QCOMPARE(m_w->txtrgb2->text(), QString::number(m_w->rasterStart.at(190, 80)));
    }

    void aListFarLargerThanAnyPreviewIsRefusedWithAWarning() {
        // a sparse file: large on paper, cheap on disk
        QVERIFY(writeFile(besideProgram(kLinksFiles[0]), "1,1\r\n"));
        QVERIFY(QFile::resize(besideProgram(kLinksFiles[0]), 80LL * 1024 * 1024));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("too large")));
        pickStyle(*m_w, QStringLiteral("Links Style"));
        QVERIFY(m_w->preview->lists().points(1).empty());
        QVERIFY(!m_w->preview->lists().points(2).empty());
        QVERIFY(m_w->cmdgenlinkshtml->isVisible());
    }

    void missingListFilesAndHelpPageShowNothingBroken() {
        for (const QString& name : kLinksFiles)
            QVERIFY(QFile::remove(besideProgram(name)));
        QTest::mouseMove(m_w->wheel, QPoint(190, 80));
        pickStyle(*m_w, QStringLiteral("Links Style"));
        for (int k = 1; k <= 3; ++k)
            QVERIFY(m_w->preview->lists().points(k).empty());
        QCOMPARE(m_w->preview->image(),
                 preview::PreviewSurface::composeDrawingArea(preview::mockupPicture("Links")));
        QVERIFY(m_w->cmdgenlinkshtml->isVisible());

        // help without its page still goes to the desktop, which reports the missing file
        UrlRecorder recorder;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &recorder, "open");
        m_w->mnuhelp_click();
        QCOMPARE(recorder.urls.size(), 1);
        QCOMPARE(recorder.urls.first().toLocalFile(), besideProgram(kHelpPage));
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }

    void longCodesFlowWholeIntoEveryPage() {
        const QString c[] = {longText("#one", '1'), longText("#two", '2'), longText("#3", '3')};
        const struct {
            const char* style;
            QPushButton* button;
            const char* page;
            const char* caption;
        } pages[] = {
            {"Links Style", m_w->cmdgenlinkshtml,
             "<html>\r\n<head>\r\n<title></title>\r\n</head>\r\n<body text=\"%1\" link=\"%2\" "
             "vlink=\"%3\">\r\n</body>\r\n</html>",
             "Webpage HTML"},
            {"Links2 Style", m_w->cmdgenlinks2html,
             "<html>\r\n<head>\r\n<title>Untitled Document</title>\r\n</head>\r\n<body "
             "bgcolor=\"%2\" text=\"%1\" link=\"%3\">\r\n</body>\r\n</html>",
             "Webpage HTML"},
            {"Scrollbar Style", m_w->cmdgensbhtml,
             "<html>\r\n<head>\r\n<style type=\"text/css\">\r\nBODY { scrollbar-track-color:%2;"
             "\r\nscrollbar-face-color:%3;\r\nscrollbar-shadow-color:%1;\r\n}\r\n</style>\r\n"
             "</head></html>",
             "Scrollbar HTML"},
        };
        for (const auto& page : pages) {
            pickStyle(*m_w, page.style);
            for (int k = 1; k <= 3; ++k)
                pasteInto(m_w->htmlField(k), c[k - 1]);
            QTest::mouseClick(page.button, Qt::LeftButton);
            html::HtmlOutputWindow* out = m_w->frmsbhtml;
            QVERIFY(out);
            QCOMPARE(out->windowTitle(), QLatin1String(page.caption));
            const QString text = QString::fromLatin1(page.page).arg(c[0], c[1], c[2]);
            QCOMPARE(out->Text1->toPlainText(), QString(text).replace("\r\n", "\n"));
            QTest::mouseClick(out->cmdclipboard, Qt::LeftButton);
            QCOMPARE(platform::clipboardText(), text);
        }
    }

    void longTextsInEveryTableField() {
        pickStyle(*m_w, QStringLiteral("Table Style"));
        const QString c1 = longText("#one", '1'), c2 = longText("#two", '2');
        pasteInto(m_w->txthtml1, c1);
        pasteInto(m_w->txthtml2, c2);
        QTest::mouseClick(m_w->gentablehtml, Qt::LeftButton);
        html::TableInsertWindow* t = m_w->tableins;
        QVERIFY(t);
        const QString width = longText("w", '9'), border = longText("b", '8');
        const QString spacing = longText("s", '7'), padding = longText("p", '6');
        const QString align = longText("a", 'x');
        pasteInto(t->Text1[html::TableInsertWindow::kWidth], width);
        pasteInto(t->Text1[html::TableInsertWindow::kBorder], border);
        pasteInto(t->Text1[html::TableInsertWindow::kCellSpacing], spacing);
        pasteInto(t->Text1[html::TableInsertWindow::kCellPadding], padding);
        pasteInto(t->cmbtalign->lineEdit(), align);
        // a whole number written with 9,999 leading zeros is still 3
        pasteInto(t->Text1[html::TableInsertWindow::kRows], longText("", '0'));
        t->Text1[html::TableInsertWindow::kRows]->end(false);
        QTest::keyClick(t->Text1[html::TableInsertWindow::kRows], Qt::Key_Backspace);
        QTest::keyClicks(t->Text1[html::TableInsertWindow::kRows], QStringLiteral("3"));
        QCOMPARE(t->Text1[html::TableInsertWindow::kRows]->text().size(), 10000);

        const auto table = [&](const QString& widthAttribute) {
            QString text = QStringLiteral("<table%1 border=\"%2\" cellspacing=\"%3\" "
                                          "cellpadding=\"%4\" >")
                               .arg(widthAttribute, border, spacing, padding);
            for (int i = 1; i <= 3; ++i) {
                text += "\r\n  <tr>\r\n";
                for (int j = 1; j <= 2; ++j)
                    text += QStringLiteral("   <td bgcolor=\"%1\" align=\"%2\"><font "
                                           "color=\"%3\">&nbsp;</font></td>\r\n")
                                .arg((i + j) % 2 ? c1 : c2, align, (i + j) % 2 ? c2 : c1);
                text += "  </tr>";
            }
            return text + "\r\n</table>";
        };
        QTest::mouseClick(t->cmdok, Qt::LeftButton);
        const QString percent = table(" width = \"" + width + "%\"");
        QCOMPARE(t->tablehtml->clipboardText(), percent);
        QTest::mouseClick(t->cmdclipboard, Qt::LeftButton);
        QCOMPARE(platform::clipboardText(), percent);

        // a unit of 10,000 characters is no unit: the width is left out
        pasteInto(t->Combo1->lineEdit(), longText("Percent", '!'));
        QTest::mouseClick(t->cmdok, Qt::LeftButton);
        QCOMPARE(t->tablehtml->clipboardText(), table(QString()));
        QCOMPARE(t->Combo1->count(), 2);
    }

    void longSourcesConvertThroughTheWindow() {
        m_w->mnuconvert_click();
        auto* conv = m_w->findChild<tools::ConvertWindow*>(QStringLiteral("convert"));
        QVERIFY(conv);
        const QString fives(9994, '5'), ones = longText("", '1');
        // source, then RGB, HTML, web-safe, R, G, B; every field a failed step leaves keeps
        // what #336699 put there
        const std::pair<QString, QStringList> cases[] = {
            {longText("#", 'F'), {"0", "#000000", "#000000", "0", "0", "0"}},
            {"12-34-" + fives, {"10053171", "#336699", "#336699", "12", "34", fives}},
            {ones, {ones, "#336699", "#336699", "51", "102", "153"}},
            {longText("", '-'), {"10053171", "#336699", "#336699", "", "", ""}},
        };
        for (const auto& [source, expected] : cases) {
            conv->txtsource->setText(QStringLiteral("#336699"));
            QTest::mouseClick(conv->cmdconvert, Qt::LeftButton);
            pasteInto(conv->txtsource, source);
            QTest::mouseClick(conv->cmdconvert, Qt::LeftButton);
            QCOMPARE(conv->txtsource->text(), source);
            const QStringList shown = {conv->txtrgb->text(),     conv->txthtml->text(),
                                       conv->txtwebsafe->text(), conv->txtr->text(),
                                       conv->txtg->text(),       conv->txtb->text()};
            QCOMPARE(shown, expected);
        }
    }

    void longTextsInEveryPanelFieldAreSavedWhole() {
        QTemporaryDir dir;
        QByteArray expected;
        const char* const labels[] = {"R:", " G: ", " B:", " RGB: ", " HTML: ", " Websafe: "};
        for (int k = 1; k <= 3; ++k) {
            const size_t i = size_t(k - 1);
            ClickLineEdit* const column[] = {m_w->txtrc[i],     m_w->txtgc[i],
                                             m_w->txtbc[i],     m_w->decimalField(k),
                                             m_w->htmlField(k), m_w->webSafeField(k)};
            expected += "Color" + QByteArray::number(k) + ' ';
            for (int f = 0; f < 6; ++f) {
                const QString text =
                    longText(QStringLiteral("%1.%2:").arg(k).arg(f), QChar(u'a' + f));
                column[f]->setText(text);
                expected += labels[f] + text.toLatin1();
            }
            expected += "\r\n";
        }
        const QString path = dir.filePath(QStringLiteral("long.txt"));
        QVERIFY(m_w->saveColorsToFile(path));
        QCOMPARE(readAll(path), expected);
    }

    void unwritableFolderOrFileKeepsTheEarlierFile() {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("kept"));
        const QString path = folder + QStringLiteral("/colors.txt");
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(writeFile(path, "my earlier colours\r\n"));
        m_w->txthtml1->setText(QStringLiteral("#123456"));
        for (const QString& locked : {folder, path}) {
            if (!setImmutable(locked, true)) {
                qInfo("%s cannot be locked here; left out", qPrintable(locked));
                continue;
            }
            QString warning;
            expectMessageBox(&warning);
            const bool written = m_w->saveColorsToFile(path);
            setImmutable(locked, false);
            QVERIFY2(!written, qPrintable(locked));
            QCOMPARE(warning, QStringLiteral("Warning. Did not save colors to file."));
            QCOMPARE(readAll(path), QByteArray("my earlier colours\r\n"));
            QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden),
                     QStringList{QStringLiteral("colors.txt")});
        }
        // once it may be written again the save goes through, through a link as well, which
        // stays a link to the file it names
        const QString link = dir.filePath(QStringLiteral("link.txt"));
        QVERIFY(QFile::link(path, link));
        QVERIFY(m_w->saveColorsToFile(link));
        QVERIFY(QFileInfo(link).isSymLink());
        QVERIFY(readAll(path).contains("HTML: #123456"));
    }
};

CHROMALUNE_TEST_MAIN(tst_HostileInputs)
#include "HostileInputsTest.moc"
