#include "OpenWindows.h"
#include "support/QtTestMain.h"

#include "html/GeneratedTextBox.h"
#include "html/SpinArrows.h"
#include "mainwindow/ClickLineEdit.h"
#include "mainwindow/Swatch.h"
#include "mainwindow/WheelSurface.h"
#include "preview/PreviewSurface.h"
#include "tools/ColorPicture.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QToolButton>

#include <set>

namespace {

/// Widgets that show a colour or a picture rather than text.
bool isPictureLike(QWidget* w) {
    return qobject_cast<Swatch*>(w) || qobject_cast<tools::ColorPicture*>(w) ||
           qobject_cast<tools::ColorCell*>(w) || qobject_cast<WheelSurface*>(w) ||
           qobject_cast<preview::PreviewSurface*>(w) ||
           w->objectName() == QLatin1String("lblselcolor");
}

bool needsOwnName(QWidget* w) {
    return qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
           qobject_cast<QTextEdit*>(w) || qobject_cast<QComboBox*>(w) || isPictureLike(w);
}

/// What a screen reader announces as the widget's name.
QString announcedName(QWidget* w) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    return iface ? iface->text(QAccessible::Name) : QString();
}

} // namespace

class tst_Accessibility : public QObject {
    Q_OBJECT
private slots:
    void cleanup() {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->close();
        tools::PickerOpen = false;
    }

    void everyFieldSwatchAndButtonHasAName() {
        OpenWindows windows;
        const auto all = windows.all();
        QCOMPARE(all.size(), size_t(7));
        QStringList nameless;
        int checked = 0;
        for (const auto& [windowName, window] : all) {
            std::set<QString> taken;
            for (QWidget* w : OpenWindows::controlsOf<QWidget>(window)) {
                // the toolkit's own parts (the menu bar's overflow button) speak for themselves
                if (w->objectName().startsWith(QLatin1String("qt_")))
                    continue;
                const QString where = windowName + QLatin1Char('/') + w->objectName();
                if (needsOwnName(w)) {
                    ++checked;
                    // a combo box announces its current entry as its name unless it has one
                    if (w->accessibleName().isEmpty())
                        nameless << where + QStringLiteral(": no accessible name");
                    else if (!taken.insert(w->accessibleName()).second &&
                             !qobject_cast<QComboBox*>(w->parentWidget()))
                        nameless << where + QStringLiteral(": shares the name \"") +
                                        w->accessibleName() + QLatin1Char('"');
                } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
                    ++checked;
                    // a caption counts, but an access-key marker must not reach the reader
                    if (button->text().contains(QLatin1Char('&')) &&
                        button->accessibleName().isEmpty())
                        nameless << where + QStringLiteral(": \"") + button->text() +
                                        QStringLiteral("\" has no clean name");
                    else if (announcedName(button).isEmpty())
                        nameless << where + QStringLiteral(": no name");
                }
                if (announcedName(w).contains(QLatin1Char('&')))
                    nameless << where + QStringLiteral(": announces an '&'");
            }
        }
        QVERIFY2(nameless.isEmpty(), qPrintable(nameless.join(QLatin1Char('\n'))));
        // the walk reached every window: the map's 216 cells and some 80 other controls
        QVERIFY2(checked > 280, qPrintable(QString::number(checked)));
    }

    void namesSayWhichColourAndWhichNotation_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        QTest::newRow("panel html") << "frmchromalune"
                                    << "txthtml2"
                                    << "Color 2 HTML code";
        QTest::newRow("panel swatch") << "frmchromalune"
                                      << "Picture1"
                                      << "Color 1 swatch";
        QTest::newRow("preview style") << "frmchromalune"
                                       << "cmbpreview"
                                       << "Preview style";
        QTest::newRow("preview") << "frmchromalune"
                                 << "preview"
                                 << "Preview";
        QTest::newRow("converter swatch") << "convert"
                                          << "piccolor"
                                          << "Converted color swatch";
        QTest::newRow("converter red") << "convert"
                                       << "txtr"
                                       << "Red component";
        QTest::newRow("converter button") << "convert"
                                          << "cmdconvert"
                                          << "Convert";
        QTest::newRow("map cell") << "safecolormap"
                                  << "tcol[9]"
                                  << "#003399";
        QTest::newRow("map swatch") << "safecolormap"
                                    << "lblselcolor"
                                    << "Selected color swatch";
        QTest::newRow("table rows") << "tableins"
                                    << "Text1[0]"
                                    << "Rows";
        QTest::newRow("table spacing") << "tableins"
                                       << "Text1[4]"
                                       << "Cell Spacing";
        QTest::newRow("table arrow") << "tableins"
                                     << "UpDown5/up"
                                     << "Cell Padding up";
        QTest::newRow("table unit") << "tableins"
                                    << "Combo1"
                                    << "Width unit";
        QTest::newRow("table output") << "tableins"
                                      << "tablehtml"
                                      << "Table HTML";
        QTest::newRow("output copy") << "frmsbhtml"
                                     << "cmdclipboard"
                                     << "Copy to Clipboard";
        QTest::newRow("output text") << "frmsbhtml"
                                     << "Text1"
                                     << "Generated HTML";
        QTest::newRow("about ok") << "frmabout"
                                  << "Command1"
                                  << "OK";
    }
    void namesSayWhichColourAndWhichNotation() {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(QString, name);
        OpenWindows windows;
        QWidget* found = nullptr;
        for (const auto& [windowName, w] : windows.all()) {
            if (windowName != window)
                continue;
            QWidget* parent = w;
            for (const QString& part : control.split(QLatin1Char('/')))
                parent = parent ? parent->findChild<QWidget*>(part) : nullptr;
            found = parent;
        }
        QVERIFY2(found, qPrintable(control));
        // on this desktop a combo box announces its entry; its name goes with its text field,
        // which takes the focus
        if (auto* combo = qobject_cast<QComboBox*>(found)) {
            QCOMPARE(combo->accessibleName(), name);
            found = combo->lineEdit();
        }
        QCOMPARE(announcedName(found), name);
    }
};

CHROMALUNE_TEST_MAIN(tst_Accessibility)
#include "AccessibilityTest.moc"
