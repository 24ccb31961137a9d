#include "support/QtTestMain.h"

#include "html/GeneratedTextBox.h"
#include "html/HtmlOutputWindow.h"
#include "html/SpinArrows.h"
#include "html/TableInsertWindow.h"
#include "mainwindow/ClickLineEdit.h"
#include "mainwindow/MainWindow.h"
#include "platform/Desktop.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

namespace {

const QString kStartingTable = QStringLiteral(
    "<table width = \"75%\" border=\"1\" cellspacing=\"0\" cellpadding=\"0\" >\r\n"
    "  <tr>\r\n"
    "   <td bgcolor=\"#FFCC00\" align=\"center\"><font color=\"#336699\">&nbsp;</font></td>\r\n"
    "   <td bgcolor=\"#336699\" align=\"center\"><font color=\"#FFCC00\">&nbsp;</font></td>\r\n"
    "  </tr>\r\n"
    "  <tr>\r\n"
    "   <td bgcolor=\"#336699\" align=\"center\"><font color=\"#FFCC00\">&nbsp;</font></td>\r\n"
    "   <td bgcolor=\"#FFCC00\" align=\"center\"><font color=\"#336699\">&nbsp;</font></td>\r\n"
    "  </tr>\r\n"
    "</table>");

void setCodes(MainWindow& w, const QString& c1, const QString& c2, const QString& c3) {
    w.txthtml1->setText(c1);
    w.txthtml2->setText(c2);
    w.txthtml3->setText(c3);
}

void clickButton(QPushButton* button) {
    QVERIFY(button);
    button->show();
    QTest::mouseClick(button, Qt::LeftButton);
}

QList<QWidget*> windowsNamed(const QString& name) {
    QList<QWidget*> found;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == name)
            found << widget;
    return found;
}

// deleteLater of a closed window runs in the event loop
void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

} // namespace

class tst_HtmlWindows : public QObject {
    Q_OBJECT
private slots:
    void init() { platform::setClipboardText(QStringLiteral("before")); }

    void linksButtonOpensThePageAndCopiesItWithCrLf() {
        MainWindow w;
        w.show();
        setCodes(w, QStringLiteral("#336699"), QStringLiteral("#FFCC00"),
                 QStringLiteral("#0A0B0C"));
        clickButton(w.cmdgenlinkshtml);
        QVERIFY(w.frmsbhtml);
        HtmlOutputWindow* out = w.frmsbhtml;
        QVERIFY(out->isVisible());
        QCOMPARE(out->windowTitle(), QStringLiteral("Webpage HTML"));
        QCOMPARE(out->objectName(), QStringLiteral("frmsbhtml"));
        QCOMPARE(out->parentWidget(), &w);
        QVERIFY(out->isWindow());
        // owned: the window system keeps it above the main window
        QCOMPARE(out->windowHandle()->transientParent(), w.windowHandle());
        QCOMPARE(out->Text1->toPlainText(),
                 QStringLiteral("<html>\n<head>\n<title></title>\n</head>\n"
                                "<body text=\"#336699\" link=\"#FFCC00\" vlink=\"#0A0B0C\">\n"
                                "</body>\n</html>"));

        QTest::mouseClick(out->cmdclipboard, Qt::LeftButton);
        QCOMPARE(platform::clipboardText(),
                 QStringLiteral("<html>\r\n<head>\r\n<title></title>\r\n</head>\r\n"
                                "<body text=\"#336699\" link=\"#FFCC00\" vlink=\"#0A0B0C\">\r\n"
                                "</body>\r\n</html>"));
    }

    void oneOutputWindowIsReusedWithTheCaptionOfItsText() {
        MainWindow w;
        w.show();
        setCodes(w, QStringLiteral("#111111"), QStringLiteral("#222222"),
                 QStringLiteral("#333333"));
        clickButton(w.cmdgensbhtml);
        QPointer<HtmlOutputWindow> first = w.frmsbhtml;
        QVERIFY(first);
        QCOMPARE(first->windowTitle(), QStringLiteral("Scrollbar HTML"));
        QTest::mouseClick(first->cmdclipboard, Qt::LeftButton);
        QCOMPARE(platform::clipboardText(),
                 QStringLiteral("<html>\r\n<head>\r\n<style type=\"text/css\">\r\n"
                                "BODY { scrollbar-track-color:#222222;\r\n"
                                "scrollbar-face-color:#333333;\r\n"
                                "scrollbar-shadow-color:#111111;\r\n"
                                "}\r\n</style>\r\n</head></html>"));

        // the scheme changed meanwhile: the next generation reads the fields afresh
        setCodes(w, QStringLiteral("#AAAAAA"), QStringLiteral("#BBBBBB"),
                 QStringLiteral("#CCCCCC"));
        clickButton(w.cmdgenlinks2html);
        QCOMPARE(w.frmsbhtml.data(), first.data());
        QCOMPARE(first->windowTitle(), QStringLiteral("Webpage HTML"));
        QTest::mouseClick(first->cmdclipboard, Qt::LeftButton);
        QCOMPARE(platform::clipboardText(),
                 QStringLiteral("<html>\r\n<head>\r\n<title>Untitled Document</title>\r\n"
                                "</head>\r\n"
                                "<body bgcolor=\"#BBBBBB\" text=\"#AAAAAA\" link=\"#CCCCCC\">\r\n"
                                "</body>\r\n</html>"));

        w.cmdgensbhtml_Click();
        QCOMPARE(w.frmsbhtml.data(), first.data());
        QCOMPARE(first->windowTitle(), QStringLiteral("Scrollbar HTML"));
        QVERIFY(first->Text1->toPlainText().startsWith(
            QStringLiteral("<html>\n<head>\n<style type=\"text/css\">\nBODY { "
                           "scrollbar-track-color:#BBBBBB;")));
        QCOMPARE(windowsNamed(QStringLiteral("frmsbhtml")).size(), 1);
    }

    void closingDiscardsTheWindowAndItsText() {
        MainWindow w;
        w.show();
        setCodes(w, QStringLiteral("#010203"), QStringLiteral("#040506"),
                 QStringLiteral("#070809"));
        w.cmdgenlinkshtml_Click();
        QPointer<HtmlOutputWindow> first = w.frmsbhtml;
        first->Text1->setPlainText(QStringLiteral("typed over"));
        QTest::mouseClick(first->cmdclose, Qt::LeftButton);
        settle();
        QVERIFY(!first);
        QVERIFY(!w.frmsbhtml);
        QVERIFY(windowsNamed(QStringLiteral("frmsbhtml")).isEmpty());

        w.cmdgensbhtml_Click();
        QVERIFY(w.frmsbhtml);
        QCOMPARE(w.frmsbhtml->windowTitle(), QStringLiteral("Scrollbar HTML"));
        QVERIFY(w.frmsbhtml->Text1->toPlainText().startsWith(QStringLiteral("<html>\n<head>\n")));

        // the window's own close box does the same
        QPointer<HtmlOutputWindow> second = w.frmsbhtml;
        second->close();
        settle();
        QVERIFY(!second);
    }

    void copyTakesTheEditedBoxWithCrLfLines() {
        MainWindow w;
        w.show();
        setCodes(w, QStringLiteral("#336699"), QStringLiteral("#FFCC00"),
                 QStringLiteral("#0A0B0C"));
        w.cmdgenlinkshtml_Click();
        HtmlOutputWindow* out = w.frmsbhtml;
        out->activateWindow();
        QTest::mouseClick(out->Text1->viewport(), Qt::LeftButton);
        QTest::keyClick(out->Text1, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(out->Text1, Qt::Key_Return);
        QTest::keyClicks(out->Text1, QStringLiteral("<!-- end -->"));
        QTest::mouseClick(out->cmdclipboard, Qt::LeftButton);
        QCOMPARE(platform::clipboardText(),
                 QStringLiteral("<html>\r\n<head>\r\n<title></title>\r\n</head>\r\n"
                                "<body text=\"#336699\" link=\"#FFCC00\" vlink=\"#0A0B0C\">\r\n"
                                "</body>\r\n</html>\r\n<!-- end -->"));

        // an emptied box leaves an empty text on the clipboard
        QTest::keyClick(out->Text1, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(out->Text1, Qt::Key_Delete);
        QVERIFY(out->Text1->toPlainText().isEmpty());
        QTest::mouseClick(out->cmdclipboard, Qt::LeftButton);
        QCOMPARE(platform::clipboardText(), QString());
    }

    void emptyCodeFieldsGiveEmptyValues() {
        MainWindow w;
        w.show();
        w.cmdgensbhtml_Click();
        QTest::mouseClick(w.frmsbhtml->cmdclipboard, Qt::LeftButton);
        QVERIFY(
            platform::clipboardText().contains(QStringLiteral("\r\nscrollbar-face-color:;\r\n")));
    }

    void tableButtonOpensOneGeneratorWithStartingTexts() {
        MainWindow w;
        w.show();
        clickButton(w.gentablehtml);
        QVERIFY(w.tableins);
        TableInsertWindow* t = w.tableins;
        QVERIFY(t->isVisible());
        QCOMPARE(t->objectName(), QStringLiteral("tableins"));
        QCOMPARE(t->windowTitle(), QStringLiteral("Insert Table"));
        QCOMPARE(t->windowHandle()->transientParent(), w.windowHandle());
        QCOMPARE(t->Text1[TableInsertWindow::kRows]->text(), QStringLiteral("2"));
        QCOMPARE(t->Text1[TableInsertWindow::kColumns]->text(), QStringLiteral("2"));
        QCOMPARE(t->Text1[TableInsertWindow::kWidth]->text(), QStringLiteral("75"));
        QCOMPARE(t->Text1[TableInsertWindow::kBorder]->text(), QStringLiteral("1"));
        QCOMPARE(t->Text1[TableInsertWindow::kCellPadding]->text(), QStringLiteral("0"));
        QCOMPARE(t->Text1[TableInsertWindow::kCellSpacing]->text(), QStringLiteral("0"));
        QCOMPARE(t->Combo1->currentText(), QStringLiteral("Percent"));
        QCOMPARE(t->cmbtalign->currentText(), QStringLiteral("center"));
        QStringList aligns;
        for (int i = 0; i < t->cmbtalign->count(); ++i)
            aligns << t->cmbtalign->itemText(i);
        QCOMPARE(aligns, QStringList({QStringLiteral("None"), QStringLiteral("center"),
                                      QStringLiteral("char"), QStringLiteral("justify"),
                                      QStringLiteral("left"), QStringLiteral("right")}));
        QVERIFY(t->tablehtml->toPlainText().isEmpty());
        QVERIFY(t->findChild<QLineEdit*>(QStringLiteral("Text1[8]")));
        QCOMPARE(t->grab().toImage().pixelColor(4, 4), QColor(0xE4, 0xEA, 0xFE));

        // a second click brings the same window forward unchanged
        t->Text1[TableInsertWindow::kWidth]->setText(QStringLiteral("640"));
        clickButton(w.gentablehtml);
        QCOMPARE(w.tableins.data(), t);
        QCOMPARE(t->Text1[TableInsertWindow::kWidth]->text(), QStringLiteral("640"));
        QCOMPARE(windowsNamed(QStringLiteral("tableins")).size(), 1);
    }

    void okReadsTheMainWindowCodesAtEachPress() {
        MainWindow w;
        w.show();
        setCodes(w, QStringLiteral("#336699"), QStringLiteral("#FFCC00"),
                 QStringLiteral("#000000"));
        w.gentablehtml_Click();
        TableInsertWindow* t = w.tableins;
        QTest::mouseClick(t->cmdok, Qt::LeftButton);
        QTest::mouseClick(t->cmdclipboard, Qt::LeftButton);
        QCOMPARE(platform::clipboardText(), kStartingTable);

        setCodes(w, QStringLiteral("#123456"), QStringLiteral("#ABCDEF"),
                 QStringLiteral("#000000"));
        QTest::mouseClick(t->cmdok, Qt::LeftButton);
        QTest::mouseClick(t->cmdclipboard, Qt::LeftButton);
        QString expected = kStartingTable;
        expected.replace(QStringLiteral("#336699"), QStringLiteral("#123456"));
        expected.replace(QStringLiteral("#FFCC00"), QStringLiteral("#ABCDEF"));
        QCOMPARE(platform::clipboardText(), expected);

        // changing a field afterwards leaves the output alone until the next "OK"
        t->Text1[TableInsertWindow::kRows]->setText(QStringLiteral("5"));
        QCOMPARE(t->tablehtml->clipboardText(), expected);
    }

    void okUsesTheTypedFieldsAndLists() {
        MainWindow w;
        w.show();
        setCodes(w, QStringLiteral("#336699"), QStringLiteral("#FFCC00"), QString());
        w.gentablehtml_Click();
        TableInsertWindow* t = w.tableins;
        // typing over the selection, as emptying "Rows" or "Columns" would refill it at once
        auto retype = [](QLineEdit* field, const QString& text) {
            field->selectAll();
            if (text.isEmpty())
                QTest::keyClick(field, Qt::Key_Delete);
            else
                QTest::keyClicks(field, text);
        };
        retype(t->Text1[TableInsertWindow::kRows], QStringLiteral("1"));
        retype(t->Text1[TableInsertWindow::kColumns], QStringLiteral("3"));
        retype(t->Text1[TableInsertWindow::kWidth], QStringLiteral("600"));
        retype(t->Text1[TableInsertWindow::kBorder], QString());
        retype(t->Text1[TableInsertWindow::kCellPadding], QStringLiteral("4"));
        t->Combo1->setCurrentIndex(1);
        t->cmbtalign->setCurrentIndex(0);
        QTest::mouseClick(t->cmdok, Qt::LeftButton);
        const QString cell1 =
            QStringLiteral("   <td bgcolor=\"#FFCC00\"><font color=\"#336699\">&nbsp;</font></td>");
        const QString cell2 =
            QStringLiteral("   <td bgcolor=\"#336699\"><font color=\"#FFCC00\">&nbsp;</font></td>");
        QCOMPARE(t->tablehtml->clipboardText(),
                 QStringLiteral("<table width = \"600\" cellspacing=\"0\" cellpadding=\"4\" >\r\n"
                                "  <tr>\r\n") +
                     cell1 + QStringLiteral("\r\n") + cell2 + QStringLiteral("\r\n") + cell1 +
                     QStringLiteral("\r\n  </tr>\r\n</table>"));

        // a unit typed in lower case is not one of the list's: no width at all
        retype(t->Combo1->lineEdit(), QStringLiteral("pixels"));
        retype(t->cmbtalign->lineEdit(), QStringLiteral("middle"));
        QTest::mouseClick(t->cmdok, Qt::LeftButton);
        const QString text = t->tablehtml->clipboardText();
        QVERIFY(
            text.startsWith(QStringLiteral("<table cellspacing=\"0\" cellpadding=\"4\" >\r\n")));
        QVERIFY(text.contains(QStringLiteral(" align=\"middle\">")));
        QCOMPARE(t->Combo1->count(), 2);
    }

    void emptiedCountsBecomeOneAtOnce() {
        MainWindow w;
        w.gentablehtml_Click();
        TableInsertWindow* t = w.tableins;
        QLineEdit* rows = t->Text1[TableInsertWindow::kRows];
        QLineEdit* columns = t->Text1[TableInsertWindow::kColumns];
        rows->setFocus();
        rows->selectAll();
        QTest::keyClick(rows, Qt::Key_Backspace);
        QCOMPARE(rows->text(), QStringLiteral("1"));
        columns->setText(QString());
        QCOMPARE(columns->text(), QStringLiteral("1"));
        // other fields may stay empty
        t->Text1[TableInsertWindow::kWidth]->setText(QString());
        QCOMPARE(t->Text1[TableInsertWindow::kWidth]->text(), QString());
        QVERIFY(t->tablehtml->toPlainText().isEmpty());
    }

    void spinArrowsStepTheFieldText() {
        MainWindow w;
        w.show();
        w.gentablehtml_Click();
        TableInsertWindow* t = w.tableins;
        QLineEdit* rows = t->Text1[TableInsertWindow::kRows];
        QLineEdit* spacing = t->Text1[TableInsertWindow::kCellSpacing];

        QTest::mouseClick(t->UpDown1->upButton, Qt::LeftButton);
        QCOMPARE(rows->text(), QStringLiteral("3"));
        QTest::mouseClick(t->UpDown1->downButton, Qt::LeftButton);
        QTest::mouseClick(t->UpDown1->downButton, Qt::LeftButton);
        QTest::mouseClick(t->UpDown1->downButton, Qt::LeftButton);
        QCOMPARE(rows->text(), QStringLiteral("0"));
        QTest::mouseClick(t->UpDown1->downButton, Qt::LeftButton);
        QCOMPARE(rows->text(), QStringLiteral("0"));

        // rows of 0 give a table without rows
        QTest::mouseClick(t->cmdok, Qt::LeftButton);
        QCOMPARE(t->tablehtml->clipboardText(),
                 QStringLiteral("<table width = \"75%\" border=\"1\" cellspacing=\"0\" "
                                "cellpadding=\"0\" >\r\n</table>"));

        // each arrow pair acts on its own row
        QTest::mouseClick(t->UpDown6->upButton, Qt::LeftButton);
        QCOMPARE(spacing->text(), QStringLiteral("1"));
        QTest::mouseClick(t->UpDown3->downButton, Qt::LeftButton);
        QCOMPARE(t->Text1[TableInsertWindow::kWidth]->text(), QStringLiteral("74"));
        QTest::mouseClick(t->UpDown2->upButton, Qt::LeftButton);
        QCOMPARE(t->Text1[TableInsertWindow::kColumns]->text(), QStringLiteral("3"));
        QTest::mouseClick(t->UpDown4->upButton, Qt::LeftButton);
        QCOMPARE(t->Text1[TableInsertWindow::kBorder]->text(), QStringLiteral("2"));
        QTest::mouseClick(t->UpDown5->upButton, Qt::LeftButton);
        QCOMPARE(t->Text1[TableInsertWindow::kCellPadding]->text(), QStringLiteral("1"));

        // not a number, or at the top of the range: the field keeps its text
        spacing->setText(QStringLiteral("abc"));
        QTest::mouseClick(t->UpDown6->upButton, Qt::LeftButton);
        QTest::mouseClick(t->UpDown6->downButton, Qt::LeftButton);
        QCOMPARE(spacing->text(), QStringLiteral("abc"));
        spacing->setText(QStringLiteral("32767"));
        QTest::mouseClick(t->UpDown6->upButton, Qt::LeftButton);
        QCOMPARE(spacing->text(), QStringLiteral("32767"));
        QTest::mouseClick(t->UpDown6->downButton, Qt::LeftButton);
        QCOMPARE(spacing->text(), QStringLiteral("32766"));
    }

    void okWithBadCountsLeavesEverythingAndMarksTheField() {
        MainWindow w;
        w.show();
        setCodes(w, QStringLiteral("#336699"), QStringLiteral("#FFCC00"), QString());
        w.gentablehtml_Click();
        TableInsertWindow* t = w.tableins;
        QApplication::setActiveWindow(t);
        QTest::mouseClick(t->cmdok, Qt::LeftButton);
        QCOMPARE(t->tablehtml->clipboardText(), kStartingTable);

        struct Case {
            int index;
            const char* text;
        };
        for (const Case& c :
             {Case{TableInsertWindow::kRows, "abc"}, Case{TableInsertWindow::kColumns, "40000"},
              Case{TableInsertWindow::kRows, "-32769"}, Case{TableInsertWindow::kColumns, "2 x"}}) {
            QLineEdit* field = t->Text1[c.index];
            field->setText(QString::fromLatin1(c.text));
            QTest::mouseClick(t->cmdok, Qt::LeftButton);
            QCOMPARE(field->text(), QString::fromLatin1(c.text));
            QCOMPARE(t->tablehtml->clipboardText(), kStartingTable);
            QVERIFY(field->hasFocus());
            QCOMPARE(field->selectedText(), QString::fromLatin1(c.text));
            field->setText(QStringLiteral("2"));
        }
    }

    void okRefusesATableTooLargeToHoldAsText() {
        MainWindow w;
        w.show();
        setCodes(w, QStringLiteral("#336699"), QStringLiteral("#FFCC00"), QString());
        w.gentablehtml_Click();
        TableInsertWindow* t = w.tableins;
        QTest::mouseClick(t->cmdok, Qt::LeftButton);
        t->Text1[TableInsertWindow::kRows]->setText(QStringLiteral("32767"));
        t->Text1[TableInsertWindow::kColumns]->setText(QStringLiteral("32767"));
        QString shown;
        QTimer::singleShot(0, [&shown] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown = box->text();
                box->accept();
            }
        });
        QTest::mouseClick(t->cmdok, Qt::LeftButton);
        QVERIFY(shown.contains(QStringLiteral("too large")));
        QCOMPARE(t->tablehtml->clipboardText(), kStartingTable);
        QCOMPARE(t->Text1[TableInsertWindow::kRows]->text(), QStringLiteral("32767"));
    }

    void tableCopyTakesEditsWithCrLf() {
        MainWindow w;
        w.show();
        setCodes(w, QStringLiteral("#336699"), QStringLiteral("#FFCC00"), QString());
        w.gentablehtml_Click();
        TableInsertWindow* t = w.tableins;
        QTest::mouseClick(t->cmdok, Qt::LeftButton);
        t->tablehtml->setFocus();
        QTest::keyClick(t->tablehtml, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClicks(t->tablehtml, QStringLiteral("<!-- x -->"));
        QTest::keyClick(t->tablehtml, Qt::Key_Return);
        QTest::mouseClick(t->cmdclipboard, Qt::LeftButton);
        QCOMPARE(platform::clipboardText(), QStringLiteral("<!-- x -->\r\n") + kStartingTable);
    }

    void closeRemovesTheGeneratorAndTheNextOpeningStartsAfresh() {
        MainWindow w;
        w.show();
        w.gentablehtml_Click();
        QPointer<TableInsertWindow> first = w.tableins;
        first->Text1[TableInsertWindow::kRows]->setText(QStringLiteral("9"));
        first->cmbtalign->setCurrentIndex(0);
        QTest::mouseClick(first->cmdok, Qt::LeftButton);
        QTest::mouseClick(first->cmdcancel, Qt::LeftButton);
        settle();
        QVERIFY(!first);
        QVERIFY(!w.tableins);

        w.gentablehtml_Click();
        QVERIFY(w.tableins);
        QCOMPARE(w.tableins->Text1[TableInsertWindow::kRows]->text(), QStringLiteral("2"));
        QCOMPARE(w.tableins->cmbtalign->currentText(), QStringLiteral("center"));
        QVERIFY(w.tableins->tablehtml->toPlainText().isEmpty());
    }

    void closingTheMainWindowClosesBoth() {
        MainWindow w;
        w.show();
        w.gentablehtml_Click();
        w.cmdgenlinkshtml_Click();
        QPointer<QWidget> table = w.tableins.data();
        QPointer<QWidget> out = w.frmsbhtml.data();
        w.close();
        settle();
        QVERIFY(!table);
        QVERIFY(!out);
    }
};

CHROMALUNE_TEST_MAIN(tst_HtmlWindows)
#include "HtmlWindowsTest.moc"
