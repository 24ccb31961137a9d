#include "support/MainWindowDriver.h"
#include "support/QtTestMain.h"
#include "support/TestFiles.h"

#include "html/GeneratedTextBox.h"
#include "html/TableText.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace {

/// This program's own folder: a copy of the run-time folder that the tests may spoil.
QString besideProgram(const QString& name) {
    return QCoreApplication::applicationDirPath() + '/' + name;
}

/// Puts text into a field the way a user brings in a long text: paste over everything.
void pasteInto(QWidget* field, const QString& text) {
    platform::setClipboardText(text);
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
}

} // namespace

class tst_HostileInputs : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        // the program's pixel lists beside this test program, as beside the program itself;
        // only the last test spoils them
        const QDir source(QStringLiteral(CHROMALUNE_RUNTIME_SOURCE));
        const QStringList names = source.entryList({"*.txt"}, QDir::Files);
        QVERIFY(names.size() >= 18);
        for (const QString& name : names) {
            QFile::remove(besideProgram(name));
            QVERIFY(QFile::copy(source.filePath(name), besideProgram(name)));
        }
    }

    void oversizedPastesAreRefused() {
        MainWindowDriver d;
        d.chooseStyle("Links Style");
        d.child<QPushButton>("cmdgenlinkshtml")->click();
        auto* box = d.child("frmsbhtml")->findChild<QPlainTextEdit*>("Text1");
        const QString shown = box->toPlainText();
        const QString line(html::kMaxBoxLineLength, 'a');
        const std::pair<QString, bool> pastes[] = {
            {line + 'a', false},                         // one more than the longest line
            {QString(line + "\n").repeated(300), false}, // more than the box holds
            {QString(line + "\n").repeated(200), true},  // many lines of the longest
        };
        for (const auto& [text, pasted] : pastes) {
            QString warning;
            if (!pasted)
                whenModalAppears<QMessageBox>([&warning](QMessageBox* message) {
                    warning = message->text();
                    message->accept();
                });
            pasteInto(box, text);
            QCOMPARE(box->toPlainText(), pasted ? text : shown);
            QCOMPARE(warning.startsWith("The text was not pasted"), !pasted);
        }
    }

    void longPastesStayWholeOnOneLine() {
        MainWindowDriver d;
        // every panel field, saved whole; pasted line breaks and control characters left out
        QByteArray expected;
        const char* const labels[] = {"R:", " G: ", " B:", " RGB: ", " HTML: ", " Websafe: "};
        for (int k = 1; k <= 3; ++k) {
            expected += "Color" + QByteArray::number(k) + ' ';
            for (int f = 0; f < 6; ++f) {
                // 10,000 characters
                const QString text =
                    QStringLiteral("%1.%2:").arg(k).arg(f).leftJustified(10000, QChar(u'a' + f));
                pasteInto(d.field(MainWindowDriver::fieldsOf(k)[f]),
                          text.left(2) + "\r\n\t\x0b" + QChar(0x2028) + text.mid(2));
                expected += labels[f] + text.toLatin1();
            }
            expected += "\r\n";
        }
        QTemporaryDir dir;
        d.saveColors(dir.filePath("long.txt"));
        QCOMPARE(readAll(dir.filePath("long.txt")), expected);

        // the table takes the long codes and long texts in every field of its own
        d.chooseStyle("Table Style");
        d.child<QPushButton>("gentablehtml")->click();
        QWidget* t = d.child("tableins");
        const QString text(10000, '7');
        const html::TableFields f{text, "Percent", text, text, text, text};
        // spacing, padding, border, width; then rows, a whole number however many leading
        // zeros it is written with
        for (const char* field : {"Text1[4]", "Text1[5]", "Text1[6]", "Text1[7]"})
            pasteInto(t->findChild<QLineEdit*>(field), text);
        pasteInto(t->findChild<QLineEdit*>("Text1[0]"), QString(9999, '0') + '3');
        pasteInto(t->findChild<QComboBox*>("cmbtalign")->lineEdit(), f.align);
        t->findChild<QPushButton*>("cmdok")->click();
        t->findChild<QPushButton*>("cmdclipboard")->click();
        QCOMPARE(platform::clipboardText(),
                 html::tableHtml(f, 3, 2, d.text("txthtml1"), d.text("txthtml2")));
    }

    void listsThatArePipesOrMissingLeaveTheWindowAnswering() {
        MainWindowDriver d;
        // a pipe nobody writes into: opening or reading it would wait for ever
        QVERIFY(QFile::remove(besideProgram("mple_links.txt")));
        QCOMPARE(::mkfifo(QFile::encodeName(besideProgram("mple_links.txt")).constData(), 0644), 0);
        QVERIFY(QFile::remove(besideProgram("gri_links.txt")));
        d.chooseStyle("Links Style");
        QVERIFY(d.child("cmdgenlinkshtml")->isVisible());
    }
};

CHROMALUNE_TEST_MAIN(tst_HostileInputs)
#include "HostileInputsTest.moc"
