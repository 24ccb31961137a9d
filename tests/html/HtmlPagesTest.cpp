#include "support/MainWindowDriver.h"
#include "support/QtTestMain.h"

#include "html/HtmlTexts.h"

#include <QWindow>

// The main window's page buttons and the one output window they share.
class tst_HtmlPages : public QObject {
    Q_OBJECT
    std::unique_ptr<MainWindowDriver> m_d;
    const QStringList m_codes{"#336699", "#FFCC00", "#0A0B0C"};

    /// Types the codes into the HTML fields of the swatch panel.
    void typeCodes() {
        for (int k = 1; k <= 3; ++k) {
            QLineEdit* field = m_d->field(QStringLiteral("txthtml%1").arg(k));
            field->selectAll();
            QTest::keyClick(field, Qt::Key_Delete);
            QTest::keyClicks(field, m_codes[k - 1]);
        }
    }

private slots:
    void init() { m_d = std::make_unique<MainWindowDriver>(); }
    void cleanup() { m_d.reset(); }

    void pageButtonsFillOneOwnedWindow() {
        // style, button, text and title; each page retitles the window it shares
        const std::tuple<const char*, const char*, decltype(&html::linksPageHtml), const char*>
            pages[] = {{"Scrollbar Style", "cmdgensbhtml", html::scrollbarStyleHtml, "Scrollbar"},
                       {"Links Style", "cmdgenlinkshtml", html::linksPageHtml, "Webpage"},
                       {"Scrollbar Style", "cmdgensbhtml", html::scrollbarStyleHtml, "Scrollbar"},
                       {"Links2 Style", "cmdgenlinks2html", html::links2PageHtml, "Webpage"}};
        QPointer<QWidget> out;
        for (const auto& [style, button, page, title] : pages) {
            m_d->chooseStyle(QLatin1String(style));
            typeCodes(); // read at the click, as they stand
            QTest::mouseClick(m_d->child(QLatin1String(button)), Qt::LeftButton);
            QWidget* shown = m_d->w->findChild<QWidget*>("frmsbhtml");
            QVERIFY(shown && shown->isVisible() && (!out || shown == out));
            out = shown;
            QTest::mouseClick(in(out, "cmdclipboard"), Qt::LeftButton);
            QCOMPARE(platform::clipboardText(), page(m_codes[0], m_codes[1], m_codes[2]));
            QCOMPARE(out->windowTitle(), QLatin1String(title) + " HTML");
        }
        // owned: the window system keeps it above the main window
        QCOMPARE(out->windowHandle()->transientParent(), m_d->w->windowHandle());
        // closing discards the window; the next click opens a fresh one
        QTest::mouseClick(in(out, "cmdclose"), Qt::LeftButton);
        QTRY_VERIFY(!out);
        QTest::mouseClick(m_d->child("cmdgensbhtml"), Qt::LeftButton);
        QVERIFY(m_d->w->findChild<QWidget*>("frmsbhtml"));
    }

    void tableWindowComesForwardAsItStandsAndClosesWithTheMainWindow() {
        m_d->chooseStyle("Table Style");
        QTest::mouseClick(m_d->child("gentablehtml"), Qt::LeftButton);
        QPointer<QWidget> t = m_d->w->findChild<QWidget*>("tableins");
        QCOMPARE(t->windowHandle()->transientParent(), m_d->w->windowHandle());
        in<QLineEdit>(t, "Text1[7]")->setText("640");
        QTest::mouseClick(m_d->child("gentablehtml"), Qt::LeftButton);
        QCOMPARE(m_d->w->findChildren<QWidget*>("tableins"), QList<QWidget*>{t.data()});
        QCOMPARE(in<QLineEdit>(t, "Text1[7]")->text(), "640");
        m_d->w->close();
        QTRY_VERIFY(!t);
    }
};

CHROMALUNE_TEST_MAIN(tst_HtmlPages)
#include "HtmlPagesTest.moc"
