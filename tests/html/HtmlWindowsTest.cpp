#include "support/MainWindowDriver.h"
#include "support/QtTestMain.h"

#include "html/GeneratedTextBox.h"
#include "html/HtmlTexts.h"
#include "html/TableInsertWindow.h"
#include "html/TableText.h"
#include "platform/Desktop.h"

#include <QWindow>

namespace {

using T = html::TableInsertWindow;
using Page = QString (*)(const QString&, const QString&, const QString&);

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
void click(const QWidget* w, const char* name) {
    QTest::mouseClick(in(w, QLatin1String(name)), Qt::LeftButton);
}
QString copied(const QWidget* window) {
    click(window, "cmdclipboard");
    return platform::clipboardText();
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

/// Chooses the style that shows the button, clicks it and returns the window it opened.
QWidget* generate(const MainWindowDriver& d, const char* style, const char* button,
                  const char* window) {
    d.chooseStyle(QLatin1String(style));
    click(d.w.get(), button);
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
    void init() { d = std::make_unique<MainWindowDriver>(); }
    void cleanup() { d.reset(); }

    void pageButtonsFillOneOwnedWindowWithTheCodesAsTheyStand() {
        const std::tuple<const char*, const char*, Page> pages[] = {
            {"Links Style", "cmdgenlinkshtml", html::linksPageHtml},
            {"Links2 Style", "cmdgenlinks2html", html::links2PageHtml},
            {"Scrollbar Style", "cmdgensbhtml", html::scrollbarStyleHtml}};
        QPointer<QWidget> out;
        for (const auto& [style, button, page] : pages) {
            d->chooseStyle(QLatin1String(style));
            typeCodes(*d, codes); // read at the click, as they stand
            click(d->w.get(), button);
            QWidget* shown = d->w->findChild<QWidget*>("frmsbhtml");
            QVERIFY(shown && shown->isVisible() && (!out || shown == out));
            out = shown;
            QCOMPARE(copied(out), page(codes[0], codes[1], codes[2]));
        }
        // owned: the window system keeps it above the main window
        QCOMPARE(out->windowHandle()->transientParent(), d->w->windowHandle());
        // closing discards the window and its edits; the next click opens a fresh one
        in<QPlainTextEdit>(out, "Text1")->appendPlainText("x");
        click(out, "cmdclose");
        QTRY_VERIFY(!out);
        click(d->w.get(), "cmdgensbhtml");
        QCOMPARE(copied(d->w->findChild<QWidget*>("frmsbhtml")),
                 html::scrollbarStyleHtml(codes[0], codes[1], codes[2]));
    }

    void tableWindowIsOneOwnedWindowThatStartsAfreshAfterClose() {
        QPointer<QWidget> t = openTable(*d);
        QVERIFY(t && t->isVisible());
        QCOMPARE(t->windowHandle()->transientParent(), d->w->windowHandle());
        const QString width = field(t, T::kWidth)->text();
        // a second click brings the same window forward as it stands
        field(t, T::kWidth)->setText("640");
        QCOMPARE(openTable(*d), t.data());
        QCOMPARE(field(t, T::kWidth)->text(), "640");
        QCOMPARE(d->w->findChildren<T*>().size(), 1);
        click(t, "cmdcancel");
        QTRY_VERIFY(!t);
        t = openTable(*d);
        QCOMPARE(field(t, T::kWidth)->text(), width);
        // closing the main window takes the tool windows with it
        QPointer<QWidget> out = generate(*d, "Links Style", "cmdgenlinkshtml", "frmsbhtml");
        QVERIFY(t && out);
        d->w->close();
        QTRY_VERIFY(!t && !out);
    }

    void okReadsTheCodesAtEachPressAndTheFieldsAsTheyStand() {
        QWidget* t = openTable(*d);
        QApplication::setActiveWindow(t);
        auto* box = in<GeneratedTextBox>(t, "tablehtml");
        typeCodes(*d, codes); // after the window opened
        click(t, "cmdok");
        const QString first =
            html::tableHtml({"75", "Percent", "1", "0", "0", "center"}, 2, 2, codes[0], codes[1]);
        QCOMPARE(box->clipboardText(), first);
        // each arrow steps its own field, arrow i by i; the fields wait for the next press
        for (int i = 1; i <= 6; ++i) {
            QWidget* spin = in(t, QStringLiteral("UpDown%1").arg(i));
            for (int k = 0; k <= i; ++k)
                click(spin, "up");
            click(spin, "down");
        }
        // edits in the box are copied with CR LF
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClicks(box, "<!-- x -->");
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(copied(t), QStringLiteral("<!-- x -->\r\n") + first);

        // the list texts are used as typed, never completed from the list
        typeCodes(*d, {"", "#ABCDEF", "#000000"});
        for (const auto& [combo, text] : {std::pair{"Combo1", "Pixels"}, {"cmbtalign", "cen"}}) {
            QLineEdit* edit = in<QComboBox>(t, QLatin1String(combo))->lineEdit();
            edit->setFocus();
            edit->selectAll();
            QTest::keyClicks(edit, QLatin1String(text));
        }
        field(t, T::kRows)->setFocus(); // the lists lose the focus before OK
        click(t, "cmdok");
        const QString table =
            html::tableHtml({"78", "Pixels", "5", "6", "5", "cen"}, 3, 4, "", "#ABCDEF");
        QCOMPARE(box->clipboardText(), table);
        // an emptied "Rows" or "Columns" is refilled at once
        field(t, T::kRows)->selectAll();
        QTest::keyClick(field(t, T::kRows), Qt::Key_Backspace);
        field(t, T::kColumns)->clear();
        QCOMPARE(field(t, T::kRows)->text() + field(t, T::kColumns)->text(), "11");

        // an unreadable count is marked and changes nothing; so is a table too large to hold
        const std::tuple<const char*, const char*, int> bad[] = {
            {"abc", "3", T::kRows}, {"1", "40000", T::kColumns}, {"32767", "32767", -1}};
        for (const auto& [rows, columns, marked] : bad) {
            field(t, T::kRows)->setText(QLatin1String(rows));
            field(t, T::kColumns)->setText(QLatin1String(columns));
            QString shown;
            if (marked < 0)
                whenModalAppears<QMessageBox>([&shown](QMessageBox* msg) {
                    shown = msg->text();
                    msg->accept();
                });
            click(t, "cmdok");
            QCOMPARE(box->clipboardText(), table);
            if (marked < 0) {
                QVERIFY(shown.contains("too large"));
            } else {
                QVERIFY(field(t, marked)->hasFocus());
                QCOMPARE(field(t, marked)->selectedText(), field(t, marked)->text());
            }
        }
    }
};

CHROMALUNE_TEST_MAIN(tst_HtmlWindows)
#include "HtmlWindowsTest.moc"
