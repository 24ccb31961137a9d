#include "support/QtTestMain.h"

#include "html/GeneratedTextBox.h"
#include "html/HtmlOutputWindow.h"
#include "html/TableInsertWindow.h"
#include "mainwindow/ClickLineEdit.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/MenuBar.h"
#include "mainwindow/Swatch.h"
#include "mainwindow/WheelSurface.h"
#include "platform/Desktop.h"
#include "preview/Mockups.h"
#include "preview/PreviewSurface.h"
#include "tools/ColorPicture.h"
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

/// Receives what the program asks the desktop to open.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls.append(url); }
};

namespace {

/// This program's own folder: a copy of the run-time folder that the tests may spoil.
QString besideProgram(const QString& name) {
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + name;
}

const char* const kLinksFiles[] = {"mple_links.txt", "gri_links.txt", "galazio_links.txt"};

/// Puts the program's run-time files beside this test program, as they are beside the
/// program itself; the help page stays out unless asked for.
bool copyRunTimeFiles(bool withHelpPage) {
    const QDir source(QStringLiteral(CHROMALUNE_RUNTIME_SOURCE));
    QStringList names = source.entryList({QStringLiteral("*.txt")}, QDir::Files);
    if (withHelpPage)
        names << QStringLiteral("Chromalune.html");
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
    QComboBox* combo = w.cmbpreview;
    const int target = combo->findText(entry);
    QVERIFY(target >= 0);
    combo->setFocus();
    while (combo->currentIndex() < target)
        QTest::keyClick(combo, Qt::Key_Down);
    while (combo->currentIndex() > target)
        QTest::keyClick(combo, Qt::Key_Up);
    QCOMPARE(combo->currentText(), entry);
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
    poll->setInterval(20);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, text] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            *text = box->text();
            box->button(QMessageBox::Ok)->click();
        }
    });
    poll->start();
}

/// Makes a folder or file unchangeable even for the superuser (the immutable attribute),
/// and changeable again when it goes out of scope. Fails where the file system or the
/// user's rights do not allow it.
class Immutable {
public:
    explicit Immutable(const QString& path) : m_path(path.toLocal8Bit()) { m_on = set(true); }
    ~Immutable() {
        if (m_on)
            set(false);
    }
    bool on() const { return m_on; }

private:
    bool set(bool on) {
        const int fd = ::open(m_path.constData(), O_RDONLY | O_NONBLOCK);
        if (fd < 0)
            return false;
        int flags = 0;
        bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        if (done) {
            flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
            done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        ::close(fd);
        return done;
    }
    QByteArray m_path;
    bool m_on = false;
};

} // namespace

class tst_HostileInputs : public QObject {
    Q_OBJECT

    std::unique_ptr<MainWindow> m_w;

private slots:
    void init() {
        QVERIFY(copyRunTimeFiles(false));
        QFile::remove(besideProgram(QStringLiteral("Chromalune.html")));
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

    // ---- pixel-list files ----

    void aMillionLineListLoadsExactlyItsValidPoints() {
        QByteArray text;
        text.reserve(12 * 1000 * 1000);
        preview::PixelList expected;
        for (int i = 0; i < 1000000; ++i) {
            const int x = i % 373;
            const int y = (i / 373) % 269;
            switch (i % 10) {
            case 7:
                text += "abc\r\n";
                break;
            case 8:
                text += "40000,1\r\n";
                break;
            case 9:
                // blanks around the numbers and a bare CR are still a point
                text += " " + QByteArray::number(x) + " , " + QByteArray::number(y) + " \r";
                expected.push_back({int16_t(x), int16_t(y)});
                break;
            case 6:
                text += "400,300\n";
                expected.push_back({400, 300});
                break;
            default:
                text += QByteArray::number(x) + ',' + QByteArray::number(y) + "\r\n";
                expected.push_back({int16_t(x), int16_t(y)});
            }
        }
        QVERIFY(writeFile(besideProgram(QLatin1String(kLinksFiles[0])), text));
        pickStyle(*m_w, QStringLiteral("Links Style"));
        QCOMPARE(m_w->preview->lists().points(1).size(), expected.size());
        QVERIFY(m_w->preview->lists().points(1) == expected);
        QVERIFY(!m_w->preview->lists().points(2).empty());
        // every pixel of the drawing area is listed at least once
        QVERIFY(m_w->cmdgenlinkshtml->isVisible());
        QCOMPARE(m_w->preview->lists().paintedPixels(1), size_t(373 * 269));

        // and the program goes on as before
        pickStyle(*m_w, QStringLiteral("Logos Style"));
        QVERIFY(m_w->preview->lists().points(1).size() < 100000);
        QTest::mouseMove(m_w->wheel, QPoint(190, 80));
        QCOMPARE(m_w->txtrgb2->text(),
                 QString::number(m_w->rasterStart.at(int(m_w->wheel_x), int(m_w->wheel_y))));
    }

    void aListFarLargerThanAnyPreviewIsRefusedWithAWarning() {
        const QString path = besideProgram(QLatin1String(kLinksFiles[0]));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QVERIFY(file.write("1,1\r\n") == 5);
        // a sparse file: large on paper, cheap on disk
        QVERIFY(file.resize(80LL * 1024 * 1024));
        file.close();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("too large")));
        pickStyle(*m_w, QStringLiteral("Links Style"));
        QVERIFY(m_w->preview->lists().points(1).empty());
        QVERIFY(!m_w->preview->lists().points(2).empty());
        QVERIFY(m_w->cmdgenlinkshtml->isVisible());
    }

    void binaryGarbageYieldsOnlyTheValidLinesInIt() {
        QRandomGenerator random(20240607);
        // garbage without a digit, so only the lines planted in it can be points
        QByteArray noDigits(2 * 1024 * 1024, '\0');
        for (char& c : noDigits) {
            c = char(random.bounded(256));
            if ((c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-')
                c = ',';
        }
        const preview::PixelList planted = {{17, 23}, {0, 0}, {372, 268}, {5, 9}};
        for (size_t i = 0; i < planted.size(); ++i) {
            const QByteArray line = "\r\n" + QByteArray::number(planted[i].x) + ',' +
                                    QByteArray::number(planted[i].y) + "\r\n";
            noDigits.insert(int(400000 * (i + 1)), line);
        }
        // anything at all, NUL bytes and stray line ends included
        QByteArray anything(1024 * 1024, '\0');
        for (char& c : anything)
            c = char(random.bounded(256));
        // one line of eight million digits, then one good line
        const QByteArray endless = QByteArray(8 * 1024 * 1024, '7') + ",1\r\n5,5";

        QVERIFY(writeFile(besideProgram(QLatin1String(kLinksFiles[0])), endless));
        QVERIFY(writeFile(besideProgram(QLatin1String(kLinksFiles[1])), noDigits));
        QVERIFY(writeFile(besideProgram(QLatin1String(kLinksFiles[2])), anything));
        pickStyle(*m_w, QStringLiteral("Links Style"));

        QVERIFY(m_w->preview->lists().points(1) == (preview::PixelList{{5, 5}}));
        QVERIFY(m_w->preview->lists().points(2) == planted);
        int linesWithComma = 0;
        for (const QByteArray& line : anything.replace('\r', '\n').split('\n'))
            linesWithComma += line.contains(',') ? 1 : 0;
        QVERIFY(m_w->preview->lists().points(3).size() <= size_t(linesWithComma));

        // the mock-up is on show and painting goes on
        QVERIFY(m_w->cmdgenlinkshtml->isVisible());
        QTest::mouseClick(m_w->wheel, Qt::LeftButton, {}, QPoint(190, 80));
        const core::ColorRGB c3 = core::SplitColor(m_w->Picture3->pixelAt(10, 10));
        const QImage shown = m_w->preview->grab().toImage();
        const int scale = qRound(shown.devicePixelRatio());
        QCOMPARE(shown.pixelColor((17 + 2) * scale, (23 + 2) * scale), QColor(c3.r, c3.g, c3.b));
        pickStyle(*m_w, QStringLiteral("Table Style"));
        QVERIFY(!m_w->preview->lists().points(1).empty());
    }

    void missingListFilesLeaveTheBareMockupAndEmptyLists() {
        for (const char* name : kLinksFiles)
            QVERIFY(QFile::remove(besideProgram(QLatin1String(name))));
        QTest::mouseMove(m_w->wheel, QPoint(190, 80));
        pickStyle(*m_w, QStringLiteral("Links Style"));
        for (int k = 1; k <= 3; ++k)
            QVERIFY(m_w->preview->lists().points(k).empty());
        QCOMPARE(m_w->preview->image(),
                 preview::PreviewSurface::composeDrawingArea(preview::mockupPicture("Links")));
        QVERIFY(m_w->cmdgenlinkshtml->isVisible());
        // the scheme still follows the pointer and the other styles still paint
        QVERIFY(!m_w->txthtml1->text().isEmpty());
        pickStyle(*m_w, QStringLiteral("Links2 Style"));
        QVERIFY(m_w->preview->lists().points(3).size() > 50000);
    }

    void helpWithoutItsPageGoesToTheDesktopAndShowsNothing() {
        UrlRecorder recorder;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &recorder, "open");
        QVERIFY(!QFile::exists(besideProgram(QStringLiteral("Chromalune.html"))));
        m_w->SmartMenuXP1_MenuItemClick(m_w->SmartMenuXP1->idOf(QStringLiteral("mnuhelp")));
        QCOMPARE(recorder.urls.size(), 1);
        QCOMPARE(recorder.urls.first().toLocalFile(),
                 besideProgram(QStringLiteral("Chromalune.html")));
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        QVERIFY(m_w->isVisible());
        // a second request goes the same way
        m_w->mnuhelp_click();
        QCOMPARE(recorder.urls.size(), 2);
    }

    // ---- very long texts ----

    void longCodesFlowWholeIntoEveryPage() {
        const QString c1 = longText(QStringLiteral("#one"), QLatin1Char('1'));
        const QString c2 = longText(QStringLiteral("#two"), QLatin1Char('2'));
        const QString c3 = longText(QStringLiteral("#three"), QLatin1Char('3'));
        const QString crlf = QStringLiteral("\r\n");
        struct Page {
            const char* style;
            QPushButton* button;
            QString text;
            const char* caption;
        };
        const Page pages[] = {
            {"Links Style", m_w->cmdgenlinkshtml,
             QStringLiteral("<html>\r\n<head>\r\n<title></title>\r\n</head>\r\n<body text=\"") +
                 c1 + QStringLiteral("\" link=\"") + c2 + QStringLiteral("\" vlink=\"") + c3 +
                 QStringLiteral("\">\r\n</body>\r\n</html>"),
             "Webpage HTML"},
            {"Links2 Style", m_w->cmdgenlinks2html,
             QStringLiteral("<html>\r\n<head>\r\n<title>Untitled Document</title>\r\n</head>\r\n"
                            "<body bgcolor=\"") +
                 c2 + QStringLiteral("\" text=\"") + c1 + QStringLiteral("\" link=\"") + c3 +
                 QStringLiteral("\">\r\n</body>\r\n</html>"),
             "Webpage HTML"},
            {"Scrollbar Style", m_w->cmdgensbhtml,
             QStringLiteral("<html>\r\n<head>\r\n<style type=\"text/css\">\r\nBODY { "
                            "scrollbar-track-color:") +
                 c2 + QStringLiteral(";\r\nscrollbar-face-color:") + c3 +
                 QStringLiteral(";\r\nscrollbar-shadow-color:") + c1 +
                 QStringLiteral(";\r\n}\r\n</style>\r\n</head></html>"),
             "Scrollbar HTML"},
        };
        for (const Page& page : pages) {
            pickStyle(*m_w, QLatin1String(page.style));
            pasteInto(m_w->txthtml1, c1);
            pasteInto(m_w->txthtml2, c2);
            pasteInto(m_w->txthtml3, c3);
            QCOMPARE(m_w->txthtml3->text(), c3);
            QTest::mouseClick(page.button, Qt::LeftButton);
            HtmlOutputWindow* out = m_w->frmsbhtml;
            QVERIFY(out);
            QCOMPARE(out->windowTitle(), QLatin1String(page.caption));
            QCOMPARE(out->Text1->toPlainText(), QString(page.text).replace(crlf, "\n"));
            QTest::mouseClick(out->cmdclipboard, Qt::LeftButton);
            QCOMPARE(platform::clipboardText(), page.text);
        }
    }

    void longTextsInEveryTableField() {
        pickStyle(*m_w, QStringLiteral("Table Style"));
        const QString c1 = longText(QStringLiteral("#one"), QLatin1Char('1'));
        const QString c2 = longText(QStringLiteral("#two"), QLatin1Char('2'));
        pasteInto(m_w->txthtml1, c1);
        pasteInto(m_w->txthtml2, c2);
        QTest::mouseClick(m_w->gentablehtml, Qt::LeftButton);
        TableInsertWindow* t = m_w->tableins;
        QVERIFY(t);
        const QString width = longText(QStringLiteral("w"), QLatin1Char('9'));
        const QString border = longText(QStringLiteral("b"), QLatin1Char('8'));
        const QString spacing = longText(QStringLiteral("s"), QLatin1Char('7'));
        const QString padding = longText(QStringLiteral("p"), QLatin1Char('6'));
        const QString align = longText(QStringLiteral("a"), QLatin1Char('x'));
        pasteInto(t->Text1[TableInsertWindow::kWidth], width);
        pasteInto(t->Text1[TableInsertWindow::kBorder], border);
        pasteInto(t->Text1[TableInsertWindow::kCellSpacing], spacing);
        pasteInto(t->Text1[TableInsertWindow::kCellPadding], padding);
        pasteInto(t->cmbtalign->lineEdit(), align);
        // a whole number written with 9,999 leading zeros is still 3
        pasteInto(t->Text1[TableInsertWindow::kRows], longText(QString(), QLatin1Char('0')));
        t->Text1[TableInsertWindow::kRows]->end(false);
        QTest::keyClick(t->Text1[TableInsertWindow::kRows], Qt::Key_Backspace);
        QTest::keyClicks(t->Text1[TableInsertWindow::kRows], QStringLiteral("3"));
        QCOMPARE(t->Text1[TableInsertWindow::kRows]->text().size(), 10000);

        auto table = [&](const QString& widthAttribute) {
            QString text = QStringLiteral("<table") + widthAttribute +
                           QStringLiteral(" border=\"") + border +
                           QStringLiteral("\" cellspacing=\"") + spacing +
                           QStringLiteral("\" cellpadding=\"") + padding + QStringLiteral("\" >");
            for (int i = 1; i <= 3; ++i) {
                text += QStringLiteral("\r\n  <tr>\r\n");
                for (int j = 1; j <= 2; ++j) {
                    const bool even = (i + j) % 2 == 0;
                    text += QStringLiteral("   <td bgcolor=\"") + (even ? c2 : c1) +
                            QStringLiteral("\" align=\"") + align +
                            QStringLiteral("\"><font color=\"") + (even ? c1 : c2) +
                            QStringLiteral("\">&nbsp;</font></td>\r\n");
                }
                text += QStringLiteral("  </tr>");
            }
            return text + QStringLiteral("\r\n</table>");
        };
        QTest::mouseClick(t->cmdok, Qt::LeftButton);
        const QString percent =
            table(QStringLiteral(" width = \"") + width + QStringLiteral("%\""));
        QCOMPARE(t->tablehtml->clipboardText(), percent);
        QTest::mouseClick(t->cmdclipboard, Qt::LeftButton);
        QCOMPARE(platform::clipboardText(), percent);

        // a unit of 10,000 characters is no unit: the width is left out
        pasteInto(t->Combo1->lineEdit(), longText(QStringLiteral("Percent"), QLatin1Char('!')));
        QTest::mouseClick(t->cmdok, Qt::LeftButton);
        QCOMPARE(t->tablehtml->clipboardText(), table(QString()));
        QCOMPARE(t->Combo1->count(), 2);

        // a count of 10,000 characters that is no number changes nothing and is marked
        const QString rows = longText(QStringLiteral("rows"), QLatin1Char('r'));
        pasteInto(t->Text1[TableInsertWindow::kRows], rows);
        QTest::mouseClick(t->cmdok, Qt::LeftButton);
        QCOMPARE(t->tablehtml->clipboardText(), table(QString()));
        QCOMPARE(t->Text1[TableInsertWindow::kRows]->text(), rows);
        QCOMPARE(t->Text1[TableInsertWindow::kRows]->selectedText(), rows);
    }

    void longSourcesConvertThroughTheWindow_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QStringList>("expected"); // RGB, HTML, web-safe, R, G, B
        QTest::addColumn<QRgb>("swatch");
        const QString fives(9994, QLatin1Char('5'));
        QTest::newRow("html code too long")
            << QString() << longText(QStringLiteral("#"), QLatin1Char('F'))
            << QStringList{"0", "#000000", "#000000", "0", "0", "0"} << qRgb(0, 0, 0);
        QTest::newRow("component beyond any number")
            << "#336699" << QStringLiteral("12-34-") + fives
            << QStringList{"10053171", "#336699", "#336699", "12", "34", fives}
            << qRgb(51, 102, 153);
        QTest::newRow("decimal beyond any number")
            << "#336699" << longText(QString(), QLatin1Char('1'))
            << QStringList{longText(QString(), QLatin1Char('1')),
                           "#336699",
                           "#336699",
                           "51",
                           "102",
                           "153"}
            << qRgb(51, 102, 153);
        QTest::newRow("only separators")
            << "#336699" << longText(QString(), QLatin1Char('-'))
            << QStringList{"10053171", "#336699", "#336699", "", "", ""} << qRgb(51, 102, 153);
    }
    void longSourcesConvertThroughTheWindow() {
        QFETCH(QString, before);
        QFETCH(QString, source);
        QFETCH(QStringList, expected);
        QFETCH(QRgb, swatch);
        m_w->mnuconvert_click();
        auto* conv = m_w->findChild<tools::ConvertWindow*>(QStringLiteral("convert"));
        QVERIFY(conv);
        if (!before.isEmpty()) {
            conv->txtsource->setText(before);
            QTest::mouseClick(conv->cmdconvert, Qt::LeftButton);
        }
        pasteInto(conv->txtsource, source);
        QCOMPARE(conv->txtsource->text().size(), 10000);
        QTest::mouseClick(conv->cmdconvert, Qt::LeftButton);
        QCOMPARE(conv->txtsource->text(), source);
        const QStringList shown = {conv->txtrgb->text(),     conv->txthtml->text(),
                                   conv->txtwebsafe->text(), conv->txtr->text(),
                                   conv->txtg->text(),       conv->txtb->text()};
        QCOMPARE(shown, expected);
        const QImage picture = conv->piccolor->grab().toImage();
        const int scale = qRound(picture.devicePixelRatio());
        QCOMPARE(QColor(picture.pixel(30 * scale, 15 * scale)), QColor(swatch));
    }

    void longTextsInEveryPanelFieldAreSavedWhole() {
        QTemporaryDir dir;
        QByteArray expected;
        for (int k = 1; k <= 3; ++k) {
            const size_t i = size_t(k - 1);
            const QList<ClickLineEdit*> column = {m_w->txtrc[i],     m_w->txtgc[i],
                                                  m_w->txtbc[i],     m_w->decimalField(k),
                                                  m_w->htmlField(k), m_w->webSafeField(k)};
            static const char* const kLabels[] = {
                "R:", " G: ", " B:", " RGB: ", " HTML: ", " Websafe: "};
            expected += "Color" + QByteArray::number(k) + ' ';
            for (int f = 0; f < 6; ++f) {
                const QString text =
                    longText(QStringLiteral("%1.%2:").arg(k).arg(f), QLatin1Char('a' + f));
                column[f]->setText(text);
                expected += kLabels[f] + text.toLatin1();
            }
            expected += "\r\n";
        }
        const QString path = dir.filePath(QStringLiteral("long.txt"));
        QVERIFY(m_w->saveColorsToFile(path));
        QCOMPARE(readAll(path).size(), expected.size());
        QCOMPARE(readAll(path), expected);
        QVERIFY(expected.size() > 180000);
    }

    // ---- saving where nothing may be written ----

    void unwritableFolderOrFileKeepsTheEarlierFile() {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("kept"));
        QVERIFY(QDir().mkpath(folder));
        const QString path = folder + QStringLiteral("/colors.txt");
        QVERIFY(writeFile(path, "my earlier colours\r\n"));
        m_w->txthtml1->setText(QStringLiteral("#123456"));

        struct Lock {
            const char* what;
            QString target;
        };
        for (const Lock& lock : {Lock{"read-only folder", folder}, Lock{"locked file", path}}) {
            bool written = false;
            QString warning;
            {
                Immutable immutable(lock.target);
                if (immutable.on()) {
                    expectMessageBox(&warning);
                    written = m_w->saveColorsToFile(path);
                } else if (geteuid() != 0 && lock.target == folder) {
                    QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
                    expectMessageBox(&warning);
                    written = m_w->saveColorsToFile(path);
                    QFile::setPermissions(folder,
                                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
                } else {
                    qInfo("%s: this file system cannot lock it for this user; left out", lock.what);
                    continue;
                }
            }
            QVERIFY2(!written, lock.what);
            QCOMPARE(warning, QStringLiteral("Warning. Did not save colors to file."));
            QCOMPARE(readAll(path), QByteArray("my earlier colours\r\n"));
            QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden),
                     QStringList{QStringLiteral("colors.txt")});
        }
        // once it may be written again, the save goes through
        QVERIFY(m_w->saveColorsToFile(path));
        QVERIFY(readAll(path).contains("HTML: #123456"));
    }

    void savingThroughALinkWritesTheLinkedFile() {
        QTemporaryDir dir;
        const QString real = dir.filePath(QStringLiteral("real.txt"));
        const QString link = dir.filePath(QStringLiteral("link.txt"));
        QVERIFY(writeFile(real, "earlier\r\n"));
        QVERIFY(QFile::link(real, link));
        m_w->txthtml2->setText(QStringLiteral("#ABCDEF"));
        QVERIFY(m_w->saveColorsToFile(link));
        QVERIFY(QFileInfo(link).isSymLink());
        QVERIFY(readAll(real).contains("HTML: #ABCDEF"));
    }
};

CHROMALUNE_TEST_MAIN(tst_HostileInputs)
#include "HostileInputsTest.moc"
