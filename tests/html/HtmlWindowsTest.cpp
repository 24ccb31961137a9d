#include "support/MainWindowDriver.h"
#include "support/QtTestMain.h"

#include "html/GeneratedTextBox.h"
#include "html/HtmlTexts.h"
#include "html/TableInsertWindow.h"
#include "html/TableText.h"

#include <QWindow>

namespace {

using T = html::TableInsertWindow;

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
        d.field(QStringLiteral("txthtml%1").arg(k))->selectAll();
        QTest::keyClick(d.field(QStringLiteral("txthtml%1").arg(k)), Qt::Key_Delete);
        QTest::keyClicks(d.field(QStringLiteral("txthtml%1").arg(k)), codes[k - 1]);
    }
}

QWidget* openTable(const MainWindowDriver& d) {
    d.chooseStyle("Table Style");
    click(d.w.get(), "gentablehtml");
    return d.w->findChild<QWidget*>("tableins");
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
        const std::tuple<const char*, const char*, decltype(&html::linksPageHtml)> pages[] = {
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
        // closing discards the window; the next click opens a fresh one
        click(out, "cmdclose");
        QTRY_VERIFY(!out);
        click(d->w.get(), "cmdgensbhtml");
        QVERIFY(d->w->findChild<QWidget*>("frmsbhtml"));
    }

    void tableWindowStartsAfreshAndReadsTheCodesAtEachPressAndTheFieldsAsTheyStand() {
        QPointer<QWidget> t = openTable(*d);
        QCOMPARE(t->windowHandle()->transientParent(), d->w->windowHandle());
        // a second click brings the same window forward as it stands
        field(t, T::kWidth)->setText("640");
        QCOMPARE(openTable(*d), t.data());
        QCOMPARE(field(t, T::kWidth)->text(), "640");
        QCOMPARE(d->w->findChildren<T*>().size(), 1);
        click(t, "cmdcancel");
        QTRY_VERIFY(!t);
        t = openTable(*d); // afresh: the first table below has the starting width
        QApplication::setActiveWindow(t);
        auto* box = in<GeneratedTextBox>(t, "tablehtml");
        typeCodes(*d, codes); // after the window opened
        click(t, "cmdok");
        const QString first =
            html::tableHtml({"75", "Percent", "1", "0", "0", "center"}, 2, 2, codes[0], codes[1]);
        QCOMPARE(box->clipboardText(), first);
        // each arrow steps its own field, arrow i by i; the fields wait for the next press
        for (int i = 1; i <= 6; ++i)
            for (int k = -1; k <= i; ++k)
                click(in(t, QStringLiteral("UpDown%1").arg(i)), k < i ? "up" : "down");
        // edits in the box are copied with CR LF
        QTest::keyClick(box, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClicks(box, "<!-- x -->\r");
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

        // an unreadable count is marked and changes nothing; a table too large to hold is
        // refused with a message
        field(t, T::kColumns)->setText("40000");
        click(t, "cmdok");
        QCOMPARE(box->clipboardText(), table);
        QVERIFY(field(t, T::kColumns)->hasFocus());
        QCOMPARE(field(t, T::kColumns)->selectedText(), "40000");
        field(t, T::kRows)->setText("32767");
        field(t, T::kColumns)->setText("32767");
        QString shown;
        whenModalAppears<QMessageBox>([&shown](QMessageBox* msg) {
            shown = msg->text();
            msg->accept();
        });
        click(t, "cmdok");
        QCOMPARE(box->clipboardText(), table);
        QVERIFY(shown.contains("too large"));
        // closing the main window takes the tool windows with it
        d->w->close();
        QTRY_VERIFY(!t);
    }
};

CHROMALUNE_TEST_MAIN(tst_HtmlWindows)
#include "HtmlWindowsTest.moc"
