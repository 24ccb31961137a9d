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

#include <memory>
#include <utility>

namespace {

using T = TableInsertWindow;

QString cell(const QString& background, const QString& text,
             const QString& align = " align=\"center\"") {
    return "   <td bgcolor=\"" + background + "\"" + align + "><font color=\"" + text +
           "\">&nbsp;</font></td>\r\n";
}

QString startingTable(const QString& c1 = "#336699", const QString& c2 = "#FFCC00") {
    const QString row = "  <tr>\r\n";
    return "<table width = \"75%\" border=\"1\" cellspacing=\"0\" cellpadding=\"0\" >\r\n" + row +
           cell(c2, c1) + cell(c1, c2) + "  </tr>\r\n" + row + cell(c1, c2) + cell(c2, c1) +
           "  </tr>\r\n</table>";
}

const QString kLinksPage = QStringLiteral(
    "<html>\r\n<head>\r\n<title></title>\r\n</head>\r\n"
    "<body text=\"#336699\" link=\"#FFCC00\" vlink=\"#0A0B0C\">\r\n</body>\r\n</html>");

QString copied(QPushButton* copyButton) {
    QTest::mouseClick(copyButton, Qt::LeftButton);
    return platform::clipboardText();
}

// deleteLater of a closed window runs in the event loop
void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

} // namespace

class tst_HtmlWindows : public QObject {
    Q_OBJECT
    std::unique_ptr<MainWindow> w;

    void setCodes(const QString& c1, const QString& c2, const QString& c3) {
        w->txthtml1->setText(c1);
        w->txthtml2->setText(c2);
        w->txthtml3->setText(c3);
    }

    T* openTable() {
        w->gentablehtml->show();
        QTest::mouseClick(w->gentablehtml, Qt::LeftButton);
        return w->tableins;
    }

private slots:
    void init() {
        platform::setClipboardText(QStringLiteral("before"));
        w = std::make_unique<MainWindow>();
        w->show();
        setCodes("#336699", "#FFCC00", "#0A0B0C");
    }

    void pageButtonsReuseOneOwnedWindowAndReadTheCodesAfresh() {
        const struct {
            QPushButton* button;
            const char *caption, *c1, *c2, *c3;
            QString text;
        } pages[] = {
            {w->cmdgenlinkshtml, "Webpage HTML", "#336699", "#FFCC00", "#0A0B0C", kLinksPage},
            {w->cmdgenlinks2html, "Webpage HTML", "#AAAAAA", "", "#CCCCCC",
             "<html>\r\n<head>\r\n<title>Untitled Document</title>\r\n</head>\r\n"
             "<body bgcolor=\"\" text=\"#AAAAAA\" link=\"#CCCCCC\">\r\n</body>\r\n</html>"},
            {w->cmdgensbhtml, "Scrollbar HTML", "#111111", "#222222", "#333333",
             "<html>\r\n<head>\r\n<style type=\"text/css\">\r\n"
             "BODY { scrollbar-track-color:#222222;\r\nscrollbar-face-color:#333333;\r\n"
             "scrollbar-shadow-color:#111111;\r\n}\r\n</style>\r\n</head></html>"},
        };
        QPointer<HtmlOutputWindow> first;
        for (const auto& page : pages) {
            setCodes(page.c1, page.c2, page.c3);
            page.button->show();
            QTest::mouseClick(page.button, Qt::LeftButton);
            HtmlOutputWindow* out = w->frmsbhtml;
            QVERIFY(out && out->isVisible() && out->isWindow());
            if (!first)
                first = out;
            QCOMPARE(out, first.data());
            QCOMPARE(out->objectName(), QStringLiteral("frmsbhtml"));
            QCOMPARE(out->windowTitle(), QLatin1String(page.caption));
            // owned: the window system keeps it above the main window
            QCOMPARE(out->windowHandle()->transientParent(), w->windowHandle());
            QCOMPARE(copied(out->cmdclipboard), page.text);
        }
        QCOMPARE(w->findChildren<HtmlOutputWindow*>().size(), 1);
    }

    void outputCopiesEditsWithCrLfAndClosingDiscardsThem() {
        w->cmdgenlinkshtml_Click();
        QPointer<HtmlOutputWindow> out = w->frmsbhtml;
        out->activateWindow();
        QTest::mouseClick(out->Text1->viewport(), Qt::LeftButton);
        QTest::keyClick(out->Text1, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(out->Text1, Qt::Key_Return);
        QTest::keyClicks(out->Text1, QStringLiteral("<!-- end -->"));
        QCOMPARE(copied(out->cmdclipboard), kLinksPage + QStringLiteral("\r\n<!-- end -->"));
        QTest::keyClick(out->Text1, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(out->Text1, Qt::Key_Delete);
        QCOMPARE(copied(out->cmdclipboard), QString());

        QTest::mouseClick(out->cmdclose, Qt::LeftButton);
        settle();
        QVERIFY(!out && !w->frmsbhtml);
        w->cmdgenlinkshtml_Click();
        QCOMPARE(copied(w->frmsbhtml->cmdclipboard), kLinksPage);
        out = w->frmsbhtml;
        out->close();
        settle();
        QVERIFY(!out);

        // closing the main window takes both tool windows with it
        QPointer<QWidget> table = openTable();
        w->cmdgenlinkshtml_Click();
        out = w->frmsbhtml;
        w->close();
        settle();
        QVERIFY(!table && !out);
    }

    void tableGeneratorIsOneOwnedWindowThatStartsAfreshAfterClose() {
        const auto texts = [](T* t) {
            QStringList s;
            for (const int i :
                 {T::kRows, T::kColumns, T::kWidth, T::kBorder, T::kCellPadding, T::kCellSpacing})
                s << t->Text1[i]->text();
            return s << t->Combo1->currentText() << t->cmbtalign->currentText()
                     << t->tablehtml->toPlainText();
        };
        const QStringList starting{"2", "2", "75", "1", "0", "0", "Percent", "center", ""};
        QPointer<T> t = openTable();
        QVERIFY(t && t->isVisible());
        QCOMPARE(t->objectName(), QStringLiteral("tableins"));
        QCOMPARE(t->windowTitle(), QStringLiteral("Insert Table"));
        QCOMPARE(t->windowHandle()->transientParent(), w->windowHandle());
        QCOMPARE(texts(t), starting);
        QStringList aligns;
        for (int i = 0; i < t->cmbtalign->count(); ++i)
            aligns << t->cmbtalign->itemText(i);
        QCOMPARE(aligns, QStringList({"None", "center", "char", "justify", "left", "right"}));
        QCOMPARE(t->grab().toImage().pixelColor(4, 4), QColor(0xE4, 0xEA, 0xFE));

        // a second click brings the same window forward as it stands
        t->Text1[T::kWidth]->setText(QStringLiteral("640"));
        t->cmbtalign->setCurrentIndex(0);
        QTest::mouseClick(t->cmdok, Qt::LeftButton);
        QCOMPARE(openTable(), t.data());
        QCOMPARE(texts(t).at(2), QStringLiteral("640"));
        QCOMPARE(w->findChildren<T*>().size(), 1);

        QTest::mouseClick(t->cmdcancel, Qt::LeftButton);
        settle();
        QVERIFY(!t && !w->tableins);
        QCOMPARE(texts(openTable()), starting);
    }

    void okReadsTheMainWindowCodesAtEachPressAndCopiesEdits() {
        T* t = openTable();
        QTest::mouseClick(t->cmdok, Qt::LeftButton);
        QCOMPARE(copied(t->cmdclipboard), startingTable());

        setCodes("", "#ABCDEF", "#000000");
        QTest::mouseClick(t->cmdok, Qt::LeftButton);
        const QString expected = startingTable("", "#ABCDEF");
        QCOMPARE(copied(t->cmdclipboard), expected);
        // a changed field waits for the next "OK"
        t->Text1[T::kRows]->setText(QStringLiteral("5"));
        QCOMPARE(copied(t->cmdclipboard), expected);

        t->tablehtml->setFocus();
        QTest::keyClick(t->tablehtml, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClicks(t->tablehtml, QStringLiteral("<!-- x -->"));
        QTest::keyClick(t->tablehtml, Qt::Key_Return);
        QCOMPARE(copied(t->cmdclipboard), QStringLiteral("<!-- x -->\r\n") + expected);
    }

    void okUsesTheTypedFieldsAndLists() {
        T* t = openTable();
        // typing over the selection, as emptying "Rows" or "Columns" would refill it at once
        for (const auto& [field, text] : {std::pair{T::kRows, "1"},
                                          {T::kColumns, "3"},
                                          {T::kWidth, "600"},
                                          {T::kCellPadding, "4"}}) {
            t->Text1[field]->selectAll();
            QTest::keyClicks(t->Text1[field], QLatin1String(text));
        }
        t->Text1[T::kBorder]->selectAll();
        QTest::keyClick(t->Text1[T::kBorder], Qt::Key_Delete);
        t->Combo1->setCurrentIndex(1);
        t->cmbtalign->setCurrentIndex(0);
        QTest::mouseClick(t->cmdok, Qt::LeftButton);
        const QString c21 = cell("#FFCC00", "#336699", ""), c12 = cell("#336699", "#FFCC00", "");
        QCOMPARE(t->tablehtml->clipboardText(),
                 "<table width = \"600\" cellspacing=\"0\" cellpadding=\"4\" >\r\n  <tr>\r\n" +
                     c21 + c12 + c21 + "  </tr>\r\n</table>");

        // an emptied count becomes 1 at once, other fields may stay empty
        t->Text1[T::kRows]->setFocus();
        t->Text1[T::kRows]->selectAll();
        QTest::keyClick(t->Text1[T::kRows], Qt::Key_Backspace);
        t->Text1[T::kColumns]->setText(QString());
        QCOMPARE(t->Text1[T::kRows]->text() + t->Text1[T::kColumns]->text() + "|" +
                     t->Text1[T::kBorder]->text(),
                 QStringLiteral("11|"));
    }

    void typedListFieldsAreUsedExactlyAsTyped() {
        T* t = openTable();
        QApplication::setActiveWindow(t);
        const struct {
            const char *unit, *align, *widthAttribute;
        } cases[] = {{"pixels", "Left", nullptr},
                     {"Pix", "cen", nullptr},
                     {"Pixels", "CENTER", "width = \"75\""}};
        for (const auto& c : cases) {
            for (const auto& [combo, text] :
                 {std::pair{t->Combo1, c.unit}, std::pair{t->cmbtalign, c.align}}) {
                combo->setFocus();
                combo->lineEdit()->selectAll();
                QTest::keyClicks(combo->lineEdit(), QLatin1String(text));
            }
            t->Text1[T::kRows]->setFocus();
            QTest::mouseClick(t->cmdok, Qt::LeftButton);
            QCOMPARE(t->Combo1->currentText(), QLatin1String(c.unit));
            QCOMPARE(t->cmbtalign->currentText(), QLatin1String(c.align));
            const QString table = t->tablehtml->clipboardText();
            QVERIFY2(table.contains(QStringLiteral(" align=\"%1\"").arg(c.align)),
                     qPrintable(table));
            QCOMPARE(table.contains(QStringLiteral("width")), c.widthAttribute != nullptr);
            if (c.widthAttribute)
                QVERIFY(table.contains(QLatin1String(c.widthAttribute)));
        }
    }

    void spinArrowsStepTheirOwnFieldsText() {
        T* t = openTable();
        const struct {
            SpinArrows* arrows;
            int field;
            const char *afterUp, *afterTwoDowns;
        } pairs[] = {
            {t->UpDown1, T::kRows, "3", "1"},        {t->UpDown2, T::kColumns, "3", "1"},
            {t->UpDown3, T::kWidth, "76", "74"},     {t->UpDown4, T::kBorder, "2", "0"},
            {t->UpDown5, T::kCellPadding, "1", "0"}, {t->UpDown6, T::kCellSpacing, "1", "0"}};
        for (const auto& p : pairs) {
            QTest::mouseClick(p.arrows->upButton, Qt::LeftButton);
            QCOMPARE(t->Text1[p.field]->text(), QLatin1String(p.afterUp));
            QTest::mouseClick(p.arrows->downButton, Qt::LeftButton);
            QTest::mouseClick(p.arrows->downButton, Qt::LeftButton);
            QCOMPARE(t->Text1[p.field]->text(), QLatin1String(p.afterTwoDowns));
        }
        // not a number, or at the top of the range: the field keeps its text
        for (const char* kept : {"abc", "32767"}) {
            t->Text1[T::kRows]->setText(QLatin1String(kept));
            QTest::mouseClick(t->UpDown1->upButton, Qt::LeftButton);
            QCOMPARE(t->Text1[T::kRows]->text(), QLatin1String(kept));
        }
    }

    void okWithBadCountsLeavesEverythingAndMarksTheField() {
        T* t = openTable();
        QApplication::setActiveWindow(t);
        QTest::mouseClick(t->cmdok, Qt::LeftButton);
        for (const auto& [index, text] : {std::pair{T::kRows, "abc"},
                                          {T::kColumns, "40000"},
                                          {T::kRows, "-32769"},
                                          {T::kColumns, "2 x"}}) {
            QLineEdit* field = t->Text1[index];
            field->setText(QLatin1String(text));
            QTest::mouseClick(t->cmdok, Qt::LeftButton);
            QCOMPARE(field->text(), QLatin1String(text));
            QCOMPARE(t->tablehtml->clipboardText(), startingTable());
            QVERIFY(field->hasFocus());
            QCOMPARE(field->selectedText(), QLatin1String(text));
            field->setText(QStringLiteral("2"));
        }

        // a table too large to hold as text is refused with a message
        t->Text1[T::kRows]->setText(QStringLiteral("32767"));
        t->Text1[T::kColumns]->setText(QStringLiteral("32767"));
        QString shown;
        QTimer::singleShot(0, [&shown] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown = box->text();
                box->accept();
            }
        });
        QTest::mouseClick(t->cmdok, Qt::LeftButton);
        QVERIFY(shown.contains(QStringLiteral("too large")));
        QCOMPARE(t->tablehtml->clipboardText(), startingTable());
        QCOMPARE(t->Text1[T::kRows]->text(), QStringLiteral("32767"));
    }
};

CHROMALUNE_TEST_MAIN(tst_HtmlWindows)
#include "HtmlWindowsTest.moc"
