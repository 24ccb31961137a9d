#include "support/MainWindowDriver.h"
#include "support/QtTestMain.h"
#include "support/TestFiles.h"
#include "support/UrlRecorder.h"

#include "core/Wheel.h"
#include "html/GeneratedTextBox.h"
#include "html/TableInsertWindow.h"
#include "html/TableText.h"
#include "platform/Desktop.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <sys/stat.h>
#include <unistd.h>

namespace {

/// This program's own folder: a copy of the run-time folder that the tests may spoil.
QString besideProgram(const QString& name) {
    return QCoreApplication::applicationDirPath() + '/' + name;
}

const QString kLinksFiles[] = {"mple_links.txt", "gri_links.txt", "galazio_links.txt"};
const QString kHelpPage = "Chromalune.html";

/// Puts the program's run-time files beside this test program, as they are beside the
/// program itself; the help page stays out unless asked for.
bool copyRunTimeFiles(bool withHelpPage) {
    const QDir source(QStringLiteral(CHROMALUNE_RUNTIME_SOURCE));
    QStringList names = source.entryList({"*.txt"}, QDir::Files);
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
    whenModalAppears<QMessageBox>([text](QMessageBox* box) {
        if (box->button(QMessageBox::Ok) == nullptr)
            return false; // a question, not the message
        *text = box->text();
        box->button(QMessageBox::Ok)->click();
        return true;
    });
}

QString startPick(int x, int y) {
    static const core::Raster start = core::makeStartRaster(core::GenerateWheel());
    return QString::number(start.at(x, y));
}

void click(const QWidget* window, const char* name) {
    QTest::mouseClick(window->findChild<QWidget*>(QLatin1String(name)), Qt::LeftButton);
}

} // namespace

class tst_HostileInputs : public QObject {
    Q_OBJECT

    std::unique_ptr<MainWindowDriver> d;

    QWidget* window(const char* name) const {
        return d->w->findChild<QWidget*>(QLatin1String(name));
    }

private slots:
    void init() {
        QVERIFY(copyRunTimeFiles(false));
        platform::setClipboardText(QString());
        d = std::make_unique<MainWindowDriver>();
    }
    void cleanup() {
        d.reset();
        QDesktopServices::unsetUrlHandler("file");
    }
    void cleanupTestCase() { QVERIFY(copyRunTimeFiles(true)); }

    void listsThatArePipesOrMissingLeaveTheWindowAnswering() {
        // pipes nobody writes into: opening or reading one would wait for ever
        d.reset();
        for (const QString& name : {QString("mple_logos.txt"), kLinksFiles[0]}) {
            QFile::remove(besideProgram(name));
            QCOMPARE(::mkfifo(QFile::encodeName(besideProgram(name)).constData(), 0644), 0);
        }
        QVERIFY(QFile::remove(besideProgram(kLinksFiles[1])));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("mple_logos\\.txt: .*not a regular"));
        d = std::make_unique<MainWindowDriver>();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("mple_links\\.txt: .*not a regular"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("gri_links\\.txt"));
        d->chooseStyle("Links Style");
        QVERIFY(window("cmdgenlinkshtml")->isVisible());
        d->move(190, 80);
        QCOMPARE(d->text("txtrgb2"), startPick(190, 80));

        // help without its page still goes to the desktop, which reports the missing file
        UrlRecorder recorder;
        QDesktopServices::setUrlHandler("file", &recorder, "open");
        d->runMenu("mnuhelp");
        QCOMPARE(recorder.urls.size(), 1);
        QCOMPARE(recorder.urls.first().toLocalFile(), besideProgram(kHelpPage));
    }

    void pastesTheOutputBoxCannotLayOutAtOnceAreRefusedAndItKeepsItsText() {
        d->chooseStyle("Links Style");
        click(d->w.get(), "cmdgenlinkshtml");
        auto* box = window("frmsbhtml")->findChild<QPlainTextEdit*>("Text1");
        const QString shown = box->toPlainText();
        const QString line(html::kMaxBoxLineLength, QLatin1Char('a'));
        const struct {
            QString text;
            bool pasted;
        } pastes[] = {
            {QString(1024 * 1024, QLatin1Char('a')), false}, // one line of 1 MB
            {line + QLatin1Char('a'), false},                // just too long a line
            {QString(line + "\n").repeated(300), false},     // more than the box holds
            {QString(line + "\n").repeated(200), true},      // many lines of the longest
        };
        for (const auto& paste : pastes) {
            QString warning;
            if (!paste.pasted)
                expectMessageBox(&warning);
            pasteInto(box, paste.text);
            QCOMPARE(box->toPlainText(), paste.pasted ? paste.text : shown);
            QCOMPARE(warning.startsWith(QLatin1String("The text was not pasted")), !paste.pasted);
        }
    }

    void longTextsInEveryTableField() {
        d->chooseStyle("Table Style");
        const QString c1 = longText("#one", '1'), c2 = longText("#two", '2');
        pasteInto(d->field("txthtml1"), c1);
        pasteInto(d->field("txthtml2"), c2);
        click(d->w.get(), "gentablehtml");
        QWidget* t = window("tableins");
        QVERIFY(t);
        const auto field = [t](int i) {
            return t->findChild<QLineEdit*>(QStringLiteral("Text1[%1]").arg(i));
        };
        html::TableFields f;
        f.width = longText("w", '9');
        f.border = longText("b", '8');
        f.spacing = longText("s", '7');
        f.padding = longText("p", '6');
        f.align = longText("a", 'x');
        f.unit = "Percent";
        pasteInto(field(html::TableInsertWindow::kWidth), f.width);
        pasteInto(field(html::TableInsertWindow::kBorder), f.border);
        pasteInto(field(html::TableInsertWindow::kCellSpacing), f.spacing);
        pasteInto(field(html::TableInsertWindow::kCellPadding), f.padding);
        pasteInto(t->findChild<QComboBox*>("cmbtalign")->lineEdit(), f.align);
        // a whole number written with 9,999 leading zeros is still 3
        pasteInto(field(html::TableInsertWindow::kRows), longText("", '0'));
        field(html::TableInsertWindow::kRows)->end(false);
        QTest::keyClick(field(html::TableInsertWindow::kRows), Qt::Key_Backspace);
        QTest::keyClicks(field(html::TableInsertWindow::kRows), "3");
        click(t, "cmdok");
        click(t, "cmdclipboard");
        QCOMPARE(platform::clipboardText(), html::tableHtml(f, 3, 2, c1, c2));
    }

    void pastedLineBreaksStayOutOfThePanelFieldsAndTheFile() {
        QLineEdit* html1 = d->field("txthtml1");
        pasteInto(html1, QStringLiteral("#12\r\n34\n\t56\x0b") + QChar(0x2028));
        QCOMPARE(html1->text(), "#123456");
        QTemporaryDir dir;
        const QString path = dir.filePath("colors.txt");
        d->saveColors(path);
        const QByteArray saved = readAll(path);
        QCOMPARE(saved.count('\n'), 3);
        QCOMPARE(saved.count('\r'), 3);
        QVERIFY(saved.contains("HTML: #123456 Websafe"));
    }

    void longTextsInEveryPanelFieldAreSavedWhole() {
        QTemporaryDir dir;
        QByteArray expected;
        const char* const labels[] = {"R:", " G: ", " B:", " RGB: ", " HTML: ", " Websafe: "};
        for (int k = 1; k <= 3; ++k) {
            const QString column[] = {
                QStringLiteral("txtrc[%1]").arg(k - 1), QStringLiteral("txtgc[%1]").arg(k - 1),
                QStringLiteral("txtbc[%1]").arg(k - 1), QStringLiteral("txtrgb%1").arg(k),
                QStringLiteral("txthtml%1").arg(k),     QStringLiteral("txtwebsafe%1").arg(k)};
            expected += "Color" + QByteArray::number(k) + ' ';
            for (int f = 0; f < 6; ++f) {
                const QString text =
                    longText(QStringLiteral("%1.%2:").arg(k).arg(f), QChar(u'a' + f));
                pasteInto(d->field(column[f]), text);
                expected += labels[f] + text.toLatin1();
            }
            expected += "\r\n";
        }
        const QString path = dir.filePath("long.txt");
        d->saveColors(path);
        QCOMPARE(readAll(path), expected);
    }
};

CHROMALUNE_TEST_MAIN(tst_HostileInputs)
#include "HostileInputsTest.moc"
