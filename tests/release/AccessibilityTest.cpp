#include "OpenWindows.h"
#include "support/QtTestMain.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>

#include <set>

namespace {

/// Fields, lists and pictures: widgets with no caption of their own to be announced by.
bool needsOwnName(QWidget* w) {
    for (const char* kind :
         {"QLineEdit", "QPlainTextEdit", "QTextEdit", "QComboBox", "ui::Swatch", "tools::ColorGrid",
          "mainwindow::WheelSurface", "preview::PreviewSurface", "sitepreview::PageView"})
        if (w->inherits(kind))
            return true;
    return w->objectName() == QLatin1String("lblselcolor");
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

    void everyControlHasATellingName() {
        OpenWindows windows;
        QCOMPARE(windows.all().size(), 12);
        QStringList faults;
        int checked = 0;
        for (QWidget* window : windows.all()) {
            std::set<QString> taken;
            for (QWidget* w : window->findChildren<QWidget*>()) {
                // controls of owned windows count there; the toolkit's own parts (the menu
                // bar's overflow button) speak for themselves
                if (w->window() != window || w->objectName().startsWith(QLatin1String("qt_")))
                    continue;
                const QString where = window->objectName() + '/' + w->objectName() + ": ";
                if (needsOwnName(w)) {
                    ++checked;
                    // a combo box's own text field carries the combo box's name
                    if (w->accessibleName().isEmpty())
                        faults << where + "no accessible name";
                    else if (!taken.insert(w->accessibleName()).second &&
                             !qobject_cast<QComboBox*>(w->parentWidget()))
                        faults << where + "shares the name " + w->accessibleName();
                } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
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
        // the walk reached every window: some 80 controls
        QVERIFY2(checked > 70, qPrintable(QString::number(checked)));
        // what each name says is held beside the golden pictures, in names.txt
    }
};

CHROMALUNE_TEST_MAIN(tst_Accessibility)
#include "AccessibilityTest.moc"
