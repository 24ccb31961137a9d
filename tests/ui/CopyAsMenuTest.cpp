#include "ui/CopyAsMenu.h"
#include "support/QtTestMain.h"

#include <QLineEdit>
#include <QMenu>
#include <QPointer>

class tst_CopyAsMenu : public QObject {
    Q_OBJECT
private slots:
    void rightClickCopiesTheColourOfThatMomentAsChosen_data() {
        QTest::addColumn<int>("entry");
        QTest::addColumn<bool>("exact");
        QTest::addColumn<QString>("copied");
        // #FF8000 by hand: hue 60 * 128 / 255; OKLCH from the published OKLab matrices
        QTest::newRow("hex") << 0 << false << "#FF8000";
        QTest::newRow("rgb") << 1 << false << "rgb(255, 128, 0)";
        QTest::newRow("hsl") << 2 << false << "hsl(30.12, 100%, 50%)";
        QTest::newRow("oklch") << 3 << false << "oklch(73.19% 0.1858 52.98)";
        QTest::newRow("display-p3") << 4 << false << "color(display-p3 0.9361 0.529 0.1987)";
        // beside an exact colour (display-p3 red) the 8-bit codes stay; display-p3 takes it
        QTest::newRow("hex, exact") << 0 << true << "#FF8000";
        QTest::newRow("display-p3, exact") << 4 << true << "color(display-p3 1 0 0)";
    }
    void rightClickCopiesTheColourOfThatMomentAsChosen() {
        QFETCH(int, entry);
        QFETCH(bool, exact);
        QFETCH(QString, copied);
        QWidget swatch;
        swatch.resize(60, 40);
        core::ColorRGB colour{1, 2, 3};
        std::optional<core::Oklch> exactColour;
        ui::attachCopyAsMenu(
            &swatch, [&colour] { return colour; }, [&exactColour] { return exactColour; });
        swatch.show();
        QVERIFY(QTest::qWaitForWindowExposed(&swatch));
        colour = {255, 128, 0}; // asked when chosen, not when attached
        if (exact)
            exactColour = core::toOklch(core::oklabOf(core::linearP3Of(core::DisplayP3{1, 0, 0})));
        platform::setClipboardText(QStringLiteral("before"));
        // through the window, as the window system delivers it, so the toolkit makes the
        // context-menu event of it
        QTest::mouseClick(swatch.windowHandle(), Qt::RightButton, {}, QPoint(20, 20));
        QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
        QPointer<QWidget> menu = QApplication::activePopupWidget();
        QCOMPARE(static_cast<QMenu*>(menu.data())->actions().size(), 1);
        QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Right);
        QTRY_VERIFY(QApplication::activePopupWidget() != menu);
        QWidget* sub = QApplication::activePopupWidget();
        for (int i = 0; i < entry; ++i)
            QTest::keyClick(sub, Qt::Key_Down);
        QTest::keyClick(sub, Qt::Key_Return);
        QCOMPARE(platform::clipboardText(), copied);
        QTRY_VERIFY(menu.isNull()); // closed, each menu is let go
    }

    // a code field keeps its own editing entries, with "Copy as" after them
    void aCodeFieldKeepsItsEditingEntries() {
        QLineEdit field(QStringLiteral("#123456"));
        ui::attachCopyAsMenu(&field, [] { return core::ColorRGB{18, 52, 86}; });
        field.show();
        QVERIFY(QTest::qWaitForWindowExposed(&field));
        QTest::mouseClick(field.windowHandle(), Qt::RightButton, {}, QPoint(5, 5));
        QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QStringList texts;
        for (QAction* a : menu->actions())
            texts << a->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0);
        QVERIFY2(texts.contains("Copy") && texts.contains("Paste") && texts.last() == "Copy as",
                 qPrintable(texts.join('|')));
        menu->close();
    }
};

CHROMALUNE_TEST_MAIN(tst_CopyAsMenu)
#include "CopyAsMenuTest.moc"
