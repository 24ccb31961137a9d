#include "support/MainWindowDriver.h"
#include "support/QtTestMain.h"

#include "html/GeneratedTextBox.h"
#include "html/HtmlTexts.h"
#include "html/TableInsertWindow.h"
#include "html/TableText.h"
#include "platform/Desktop.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

namespace {

using T = TableInsertWindow;

/// The control name inside window w.
template <typename C = QWidget> C* in(const QWidget* w, const QString& name) {
    C* c = w->findChild<C*>(name);
    if (c == nullptr)
        qFatal("no control %s", qPrintable(name));
    return c;
}

QLineEdit* field(const QWidget* table, int index) {
    return in<QLineEdit>(table, QStringLiteral("Text1[%1]").arg(index));
}

QString copied(const QWidget* window) {
    QTest::mouseClick(in(window, QStringLiteral("cmdclipboard")), Qt::LeftButton);
    return platform::clipboardText();
}

/// Lets deferred deletions of closed windows run.
void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

/// Types the codes into the HTML fields of the swatch panel.
void typeCodes(const MainWindowDriver& d, const QStringList& codes) {
    for (int k = 1; k <= 3; ++k) {
        QLineEdit* f = d.field(QStringLiteral("txthtml%1").arg(k));
        f->selectAll();
        QTest::keyClick(f, Qt::Key_Delete);
        QTest::keyClicks(f, codes[k - 1]);
    }
}

/// Clicks the generate button after choosing the style that shows it; the window it opens.
QWidget* generate(const MainWindowDriver& d, const char* style, const char* button,
                  const char* window) {
    d.chooseStyle(QLatin1String(style));
    QTest::mouseClick(d.child(QLatin1String(button)), Qt::LeftButton);
    return d.w->findChild<QWidget*>(QLatin1String(window));
}

QWidget* openTable(const MainWindowDriver& d) {
    return generate(d, "Table Style", "gentablehtml", "tableins");
}

} // namespace

class tst_HtmlWindows : public QObject {
    Q_OBJECT
    std::unique_ptr<MainWindowDriver> d;
    const QStringList codes{"#336699", "#FFCC00", "#0A0B0C"};

private slots:
    void init() {
        platform::setClipboardText(QStringLiteral("before"));
        d = std::make_unique<MainWindowDriver>();
    }
    void cleanup() { d.reset(); }

    void pageButtonsFillOneOwnedWindowWithTheCodesAsTheyStand() {
        using Page = QString (*)(const QString&, const QString&, const QString&);
        const struct {
            const char *style, *button, *caption;
            Page page;
            QStringList codes;
        } pages[] = {
            {"Links Style", "cmdgenlinkshtml", "Webpage HTML", html::linksPageHtml, codes},
            {"Links2 Style",
             "cmdgenlinks2html",
             "Webpage HTML",
             html::links2PageHtml,
             {"#AAAAAA", "", "#CCCCCC"}},
            {"Scrollbar Style",
             "cmdgensbhtml",
             "Scrollbar HTML",
             html::scrollbarStyleHtml,
             {"#111111", "#222222", "#333333"}},
        };
        QPointer<QWidget> first;
        for (const auto& p : pages) {
            d->chooseStyle(QLatin1String(p.style));
            typeCodes(*d, p.codes);
            QTest::mouseClick(d->child(QLatin1String(p.button)), Qt::LeftButton);
            QWidget* out = d->w->findChild<QWidget*>(QStringLiteral("frmsbhtml"));
            QVERIFY(out && out->isVisible() && out->isWindow());
            if (!first)
                first = out;
            QCOMPARE(out, first.data());
            QCOMPARE(out->windowTitle(), QLatin1String(p.caption));
            // owned: the window system keeps it above the main window
            QCOMPARE(out->windowHandle()->transientParent(), d->w->windowHandle());
            QCOMPARE(copied(out), p.page(p.codes[0], p.codes[1], p.codes[2]));
        }
        QCOMPARE(d->w->findChildren<QWidget*>(QStringLiteral("frmsbhtml")).size(), 1);
    }

    void outputCopiesEditsWithCrLfAndClosingDiscardsThem() {
        QPointer<QWidget> out = generate(*d, "Links Style", "cmdgenlinkshtml", "frmsbhtml");
        typeCodes(*d, codes);
        QTest::mouseClick(d->child(QStringLiteral("cmdgenlinkshtml")), Qt::LeftButton);
        const QString page = html::linksPageHtml(codes[0], codes[1], codes[2]);
        auto* text = in<QPlainTextEdit>(out, QStringLiteral("Text1"));
        out->activateWindow();
        QTest::mouseClick(text->viewport(), Qt::LeftButton);
        QTest::keyClick(text, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(text, Qt::Key_Return);
        QTest::keyClicks(text, QStringLiteral("<!-- end -->"));
        QCOMPARE(copied(out), page + QStringLiteral("\r\n<!-- end -->"));
        QTest::keyClick(text, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(text, Qt::Key_Delete);
        QCOMPARE(copied(out), QString());

        QTest::mouseClick(in(out, QStringLiteral("cmdclose")), Qt::LeftButton);
        settle();
        QVERIFY(!out);
        QTest::mouseClick(d->child(QStringLiteral("cmdgenlinkshtml")), Qt::LeftButton);
        out = d->w->findChild<QWidget*>(QStringLiteral("frmsbhtml"));
        QCOMPARE(copied(out), page);
        // closing the main window takes both tool windows with it
        QPointer<QWidget> table = openTable(*d);
        QVERIFY(table && out);
        d->w->close();
        settle();
        QVERIFY(!table && !out);
    }

    void tableGeneratorIsOneOwnedWindowThatStartsAfreshAfterClose() {
        const auto texts = [](QWidget* t) {
            QStringList s;
            for (auto* f : t->findChildren<QLineEdit*>())
                s << f->objectName() + '=' + f->text();
            return s << in<GeneratedTextBox>(t, QStringLiteral("tablehtml"))->toPlainText();
        };
        QPointer<QWidget> t = openTable(*d);
        QVERIFY(t && t->isVisible());
        QCOMPARE(t->windowHandle()->transientParent(), d->w->windowHandle());
        const QStringList starting = texts(t);
        // a second click brings the same window forward as it stands
        field(t, T::kWidth)->setText(QStringLiteral("640"));
        QTest::mouseClick(in(t, QStringLiteral("cmdok")), Qt::LeftButton);
        const QStringList edited = texts(t);
        QVERIFY(edited != starting);
        QCOMPARE(openTable(*d), t.data());
        QCOMPARE(texts(t), edited);
        QCOMPARE(d->w->findChildren<T*>().size(), 1);

        QTest::mouseClick(in(t, QStringLiteral("cmdcancel")), Qt::LeftButton);
        settle();
        QVERIFY(!t);
        QCOMPARE(texts(openTable(*d)), starting);
    }

    void okReadsTheCodesAtEachPressAndTheFieldsAsTyped() {
        QWidget* t = openTable(*d);
        auto* box = in<GeneratedTextBox>(t, QStringLiteral("tablehtml"));
        auto* unit = in<QComboBox>(t, QStringLiteral("Combo1"));
        auto* align = in<QComboBox>(t, QStringLiteral("cmbtalign"));
        const html::TableFields starting{
            field(t, T::kWidth)->text(),       unit->currentText(),
            field(t, T::kBorder)->text(),      field(t, T::kCellSpacing)->text(),
            field(t, T::kCellPadding)->text(), align->currentText()};
        typeCodes(*d, codes);
        QTest::mouseClick(in(t, QStringLiteral("cmdok")), Qt::LeftButton);
        QCOMPARE(copied(t), html::tableHtml(starting, 2, 2, codes[0], codes[1]));
        typeCodes(*d, {"", "#ABCDEF", "#000000"});
        QTest::mouseClick(in(t, QStringLiteral("cmdok")), Qt::LeftButton);
        const QString expected = html::tableHtml(starting, 2, 2, "", "#ABCDEF");
        QCOMPARE(copied(t), expected);
        // a changed field waits for the next press; edits in the box are copied with CR LF
        field(t, T::kRows)->setText(QStringLiteral("5"));
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClicks(box, QStringLiteral("<!-- x -->"));
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(copied(t), QStringLiteral("<!-- x -->\r\n") + expected);

        // typing over the selection, as emptying "Rows" or "Columns" would refill it at once
        for (const auto& [index, text] : {std::pair{T::kRows, "1"},
                                          {T::kColumns, "3"},
                                          {T::kWidth, "600"},
                                          {T::kCellPadding, "4"},
                                          {T::kCellSpacing, "7"},
                                          {T::kBorder, ""}}) {
            field(t, index)->selectAll();
            if (*text == '\0')
                QTest::keyClick(field(t, index), Qt::Key_Delete);
            QTest::keyClicks(field(t, index), QLatin1String(text));
        }
        unit->setCurrentIndex(unit->findText(QStringLiteral("Pixels")));
        align->setCurrentIndex(align->findText(QStringLiteral("None")));
        QTest::mouseClick(in(t, QStringLiteral("cmdok")), Qt::LeftButton);
        QCOMPARE(box->clipboardText(),
                 html::tableHtml({"600", "Pixels", "", "7", "4", "None"}, 1, 3, "", "#ABCDEF"));
        // an emptied count becomes 1 at once; the other fields may stay empty
        field(t, T::kRows)->selectAll();
        QTest::keyClick(field(t, T::kRows), Qt::Key_Backspace);
        field(t, T::kColumns)->clear();
        QCOMPARE(field(t, T::kRows)->text() + field(t, T::kColumns)->text(), QStringLiteral("11"));
        QCOMPARE(field(t, T::kBorder)->text(), QString());
    }

    void spinArrowsStepTheirOwnFields() {
        QWidget* t = openTable(*d);
        const std::pair<const char*, int> arrows[] = {
            {"UpDown1", T::kRows},   {"UpDown2", T::kColumns},     {"UpDown3", T::kWidth},
            {"UpDown4", T::kBorder}, {"UpDown5", T::kCellPadding}, {"UpDown6", T::kCellSpacing}};
        for (const auto& [name, index] : arrows) {
            QLineEdit* f = field(t, index);
            f->setText(QStringLiteral("1"));
            QWidget* spin = in(t, QLatin1String(name));
            QTest::mouseClick(in(spin, QStringLiteral("up")), Qt::LeftButton);
            QCOMPARE(f->text(), html::spinUp(QStringLiteral("1")).value());
            for (int i = 0; i < 3; ++i)
                QTest::mouseClick(in(spin, QStringLiteral("down")), Qt::LeftButton);
            QCOMPARE(f->text(), QStringLiteral("0")); // the lowest a down arrow leaves
            f->setText(QStringLiteral("abc"));
            QTest::mouseClick(in(spin, QStringLiteral("up")), Qt::LeftButton);
            QCOMPARE(f->text(), QStringLiteral("abc"));
            f->setText(QStringLiteral("2"));
        }
    }

    void okWithBadCountsLeavesEverythingAndMarksTheField() {
        QWidget* t = openTable(*d);
        auto* box = in<GeneratedTextBox>(t, QStringLiteral("tablehtml"));
        QApplication::setActiveWindow(t);
        QTest::mouseClick(in(t, QStringLiteral("cmdok")), Qt::LeftButton);
        const QString good = box->clipboardText();
        QVERIFY(!good.isEmpty());
        for (const auto& [index, text] : {std::pair{T::kRows, "abc"},
                                          {T::kColumns, "40000"},
                                          {T::kRows, "-32769"},
                                          {T::kColumns, "2 x"}}) {
            QLineEdit* f = field(t, index);
            f->setText(QLatin1String(text));
            QTest::mouseClick(in(t, QStringLiteral("cmdok")), Qt::LeftButton);
            QCOMPARE(box->clipboardText(), good);
            QVERIFY(f->hasFocus());
            QCOMPARE(f->selectedText(), QLatin1String(text));
            f->setText(QStringLiteral("2"));
        }
        // a table too large to hold as text is refused with a message
        field(t, T::kRows)->setText(QStringLiteral("32767"));
        field(t, T::kColumns)->setText(QStringLiteral("32767"));
        QString shown;
        QTimer::singleShot(0, [&shown] {
            if (auto* msg = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown = msg->text();
                msg->accept();
            }
        });
        QTest::mouseClick(in(t, QStringLiteral("cmdok")), Qt::LeftButton);
        QVERIFY(shown.contains(QStringLiteral("too large")));
        QCOMPARE(box->clipboardText(), good);
        QCOMPARE(field(t, T::kRows)->text(), QStringLiteral("32767"));
    }
};

CHROMALUNE_TEST_MAIN(tst_HtmlWindows)
#include "HtmlWindowsTest.moc"
