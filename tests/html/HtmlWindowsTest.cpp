#include "support/Controls.h"
#include "support/QtTestMain.h"

#include "html/GeneratedTextBox.h"
#include "html/HtmlOutputWindow.h"
#include "html/TableInsertWindow.h"
#include "html/TableText.h"
#include "scheme/SchemeModel.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QRegularExpression>

namespace {

using T = html::TableInsertWindow;

void click(const QWidget* w, const QString& name) {
    QTest::mouseClick(in(w, name), Qt::LeftButton);
}
QString copied(const QWidget* window) {
    click(window, "cmdclipboard");
    return platform::clipboardText();
}

} // namespace

class tst_HtmlWindows : public QObject {
    Q_OBJECT
    QStringList m_codes;
    scheme::SchemeModel m_model;
    /// The HTML codes of scheme colours 1 and 2 as the model holds them.
    void setCodes(const QStringList& c) {
        m_codes = c;
        m_model.setText(1, scheme::Field::Html, c[0].toStdString());
        m_model.setText(2, scheme::Field::Html, c[1].toStdString());
    }
    QPointer<T> m_t;

    QLineEdit* field(int index) const {
        return in<QLineEdit>(m_t, QStringLiteral("Text1[%1]").arg(index));
    }
    QString table() const { return in<GeneratedTextBox>(m_t, "tablehtml")->clipboardText(); }

private slots:
    void init() {
        setCodes({"#336699", "#FFCC00"});
        m_t = new T(m_model, nullptr);
        m_t->show();
        QVERIFY(QTest::qWaitForWindowActive(m_t));
    }
    void cleanup() { delete m_t; }

    void okWritesTheTableOfTheFieldsAndTheCodesAtThePress() {
        setCodes({"#000001", "#000002"});
        click(m_t, "cmdok");
        QCOMPARE(table(), html::tableHtml({"75", "Percent", "1", "0", "0", "center"}, 2, 2,
                                          "#000001", "#000002"));
        // a changed field waits for the next press; an unreadable one changes nothing
        const QString before = table();
        field(T::kRows)->setText("3");
        QCOMPARE(table(), before);
        field(T::kColumns)->setText("40000");
        click(m_t, "cmdok");
        QCOMPARE(table(), before);
        QVERIFY(field(T::kColumns)->hasFocus());
        QCOMPARE(field(T::kColumns)->selectedText(), "40000");
    }

    void listTextsAreUsedAsTypedAndBoxEditsCopied() {
        for (const auto& [combo, text] : {std::pair{"Combo1", "Pixels"}, {"cmbtalign", "cen"}}) {
            QLineEdit* edit = in<QComboBox>(m_t, QLatin1String(combo))->lineEdit();
            edit->setFocus();
            edit->selectAll();
            QTest::keyClicks(edit, QLatin1String(text));
        }
        field(T::kRows)->setFocus(); // the lists lose the focus before OK
        click(m_t, "cmdok");
        const QString shown = table();
        QCOMPARE(shown, html::tableHtml({"75", "Pixels", "1", "0", "0", "cen"}, 2, 2, m_codes[0],
                                        m_codes[1]));
        // edits in the box are copied with CR LF line ends
        auto* box = in<GeneratedTextBox>(m_t, "tablehtml");
        QTest::keyClick(box, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClicks(box, "<!-- x -->\r");
        QCOMPARE(copied(m_t), "<!-- x -->\r\n" + shown);
    }

    void emptiedCountsAreRefilledAtOnce() {
        for (const int index : {T::kRows, T::kColumns}) {
            field(index)->selectAll();
            QTest::keyClick(field(index), Qt::Key_Backspace);
            QCOMPARE(field(index)->text(), "1");
        }
        field(T::kWidth)->clear(); // the others may stay empty
        QCOMPARE(field(T::kWidth)->text(), "");
    }

    // each arrow acts on the field of its own row and no other
    void spinArrowsStepTheirOwnField_data() {
        QTest::addColumn<QString>("spin");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("start");
        QTest::addColumn<bool>("up");
        QTest::addColumn<QString>("after");
        QTest::newRow("rows up") << "UpDown1" << int(T::kRows) << "2" << true << "3";
        QTest::newRow("columns down") << "UpDown2" << int(T::kColumns) << "5" << false << "4";
        QTest::newRow("width up") << "UpDown3" << int(T::kWidth) << "75" << true << "76";
        QTest::newRow("border down") << "UpDown4" << int(T::kBorder) << "1" << false << "0";
        QTest::newRow("padding up") << "UpDown5" << int(T::kCellPadding) << "0" << true << "1";
        QTest::newRow("spacing stays at the top")
            << "UpDown6" << int(T::kCellSpacing) << "32767" << true << "32767";
    }
    void spinArrowsStepTheirOwnField() {
        QFETCH(QString, spin);
        QFETCH(int, index);
        QFETCH(QString, start);
        QFETCH(bool, up);
        const auto texts = [this] {
            QStringList all;
            for (QLineEdit* f : m_t->findChildren<QLineEdit*>(QRegularExpression("^Text1\\[")))
                all << f->text();
            return all;
        };
        field(index)->setText(start);
        const QStringList before = texts();
        click(in(m_t, spin), up ? "up" : "down");
        QTEST(field(index)->text(), "after");
        field(index)->setText(start); // and no other field moved
        QCOMPARE(texts(), before);
    }

    void tooLargeATableIsRefusedSayingHowLarge() {
        field(T::kRows)->setText("32767");
        field(T::kColumns)->setText("32767");
        const int64_t length = html::tableHtmlLength({"75", "Percent", "1", "0", "0", "center"},
                                                     32767, 32767, m_codes[0], m_codes[1]);
        QString shown;
        whenModalAppears<QMessageBox>([&shown](QMessageBox* message) {
            shown = message->text();
            message->accept();
        });
        click(m_t, "cmdok");
        QCOMPARE(table(), "");
        QCOMPARE(shown, QStringLiteral("A table of 1073676289 cells is too large: its text would "
                                       "take %1 MB, at most 4 MB can be generated. Please lower "
                                       "\"Rows\" or \"Columns\".")
                            .arg((length + int64_t{1024} * 1024 - 1) / (int64_t{1024} * 1024)));
        QCOMPARE(m_t->focusWidget(), field(T::kRows)); // marked for when the window is back
    }
};

CHROMALUNE_TEST_MAIN(tst_HtmlWindows)
#include "HtmlWindowsTest.moc"
