#include "OpenWindows.h"
#include "support/QtTestMain.h"

#include "mainwindow/WheelSurface.h"
#include "preview/PreviewSurface.h"
#include "tools/SafeColorMap.h"
#include "ui/Swatch.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include <set>

namespace {

/// Fields, lists and pictures: widgets with no caption of their own to be announced by.
bool needsOwnName(QWidget* w) {
    return qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
           qobject_cast<QTextEdit*>(w) || qobject_cast<QComboBox*>(w) ||
           qobject_cast<ui::Swatch*>(w) || qobject_cast<tools::ColorCell*>(w) ||
           qobject_cast<mainwindow::WheelSurface*>(w) ||
           qobject_cast<preview::PreviewSurface*>(w) ||
           w->objectName() == QLatin1String("lblselcolor");
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
    void cleanup() { OpenWindows::closeAll(); }

    void everyFieldSwatchAndButtonHasATellingName() {
        OpenWindows windows;
        QCOMPARE(windows.all().size(), 8);
        QStringList faults;
        int checked = 0;
        for (QWidget* window : windows.all()) {
            std::set<QString> taken;
            for (QWidget* w : OpenWindows::controlsOf<QWidget>(window)) {
                // the toolkit's own parts (the menu bar's overflow button) speak for themselves
                if (w->objectName().startsWith(QLatin1String("qt_")))
                    continue;
                const QString where = window->objectName() + '/' + w->objectName() + '(' +
                                      w->metaObject()->className() + "): ";
                auto* button = qobject_cast<QAbstractButton*>(w);
                if (needsOwnName(w)) {
                    ++checked;
                    // a combo box's own text field carries the combo box's name
                    if (w->accessibleName().isEmpty())
                        faults << where + "no accessible name";
                    else if (!taken.insert(w->accessibleName()).second &&
                             !qobject_cast<QComboBox*>(w->parentWidget()))
                        faults << where + "shares the name " + w->accessibleName();
                } else if (button) {
                    ++checked;
                    // a caption counts, but an access-key marker must not reach the reader
                    if ((button->text().contains('&') && button->accessibleName().isEmpty()) ||
                        announcedName(button).isEmpty())
                        faults << where + "no clean name for \"" + button->text() + '"';
                }
                if (announcedName(w).contains('&'))
                    faults << where + "announces an '&'";
            }
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
        // the walk reached every window: the map's 216 cells and some 80 other controls
        QVERIFY2(checked > 280, qPrintable(QString::number(checked)));

        // names say which colour and which notation
        const char* const names[][3] = {
            {"frmchromalune", "txthtml2", "Color 2 HTML code"},
            {"frmchromalune", "cmbpreview", "Preview style"},
            {"convert", "piccolor", "Converted color swatch"},
            {"convert", "txtr", "Red component"},
            {"safecolormap", "tcol[9]", "#003399"},
            {"safecolormap", "lblselcolor", "Selected color swatch"},
            {"tableins", "UpDown5/up", "Cell Padding up"},
            {"tableins", "Combo1", "Width unit"},
            {"tableins", "tablehtml", "Table HTML"},
            {"frmsbhtml", "Text1", "Generated HTML"},
        };
        for (const auto& [window, control, name] : names) {
            QWidget* found = nullptr;
            for (QWidget* w : windows.all())
                found = w->objectName() == QLatin1String(window) ? w : found;
            for (const QString& part : QString::fromLatin1(control).split('/'))
                found = found ? found->findChild<QWidget*>(part) : nullptr;
            QVERIFY2(found, control);
            // on this desktop a combo box announces its entry; its name goes with its text
            // field, which takes the focus
            if (auto* combo = qobject_cast<QComboBox*>(found)) {
                QCOMPARE(combo->accessibleName(), QLatin1String(name));
                found = combo->lineEdit();
            }
            QCOMPARE(announcedName(found), QLatin1String(name));
        }
    }
};

CHROMALUNE_TEST_MAIN(tst_Accessibility)
#include "AccessibilityTest.moc"
