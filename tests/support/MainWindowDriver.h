#pragma once

#include "support/Controls.h"

#include "mainwindow/MainWindow.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QRadioButton>

#include <memory>

/// Drives the main window as a user does: controls found by their names, the pointer moved
/// over the wheel, menu entries and options clicked.
struct MainWindowDriver {
    std::unique_ptr<mainwindow::MainWindow> w = std::make_unique<mainwindow::MainWindow>();

    MainWindowDriver() {
        w->show();
        if (!QTest::qWaitForWindowExposed(w.get()))
            STOP_TEST(QStringLiteral("the main window was never shown"));
        // a move to where the pointer already is sends no event: start away from the wheel
        QTest::mouseMove(w.get(), QPoint(785, 545));
    }

    template <typename T = QWidget> T* child(const QString& name) const {
        return in<T>(w.get(), name);
    }
    QWidget* wheel() const { return child("wheel"); }
    QLineEdit* field(const QString& name) const { return child<QLineEdit>(name); }
    QString text(const QString& name) const { return field(name)->text(); }
    /// The six code fields of column k (1 to 3): red, green, blue, decimal, HTML, web-safe.
    static QStringList fieldsOf(int k) {
        return QStringLiteral("txtrc[%1] txtgc[%1] txtbc[%1] txtrgb%2 txthtml%2 txtwebsafe%2")
            .arg(QString::number(k - 1), QString::number(k))
            .split(' ');
    }
    /// What the six fields of column k show, in that order.
    QStringList texts(int k) const {
        QStringList shown;
        for (const QString& name : fieldsOf(k))
            shown << text(name);
        return shown;
    }

    void move(int x, int y) const { QTest::mouseMove(wheel(), QPoint(x, y)); }
    void press(int x, int y) const { QTest::mouseClick(wheel(), Qt::LeftButton, {}, QPoint(x, y)); }
    /// Clicks the option's round indicator, where a user clicks it.
    void chooseRule(int index) const {
        auto* option = child<QRadioButton>(QStringLiteral("chktype[%1]").arg(index));
        QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(7, option->height() / 2));
    }
    /// Picks the entry from the style list as a user does (the list's activation).
    void chooseStyle(const QString& entry) const {
        auto* combo = child<QComboBox>("cmbpreview");
        const int index = combo->findText(entry);
        if (index < 0)
            STOP_TEST(QStringLiteral("no preview style %1").arg(entry));
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    QMenuBar* menuBar() const { return child<QMenuBar>("SmartMenuXP1"); }
    /// The menu entry with key (its object name).
    QAction* action(const QString& key) const { return in<QAction>(menuBar(), key); }
    /// Clicks the menu entry with key.
    void runMenu(const QString& key) const { action(key)->trigger(); }
    /// File, Save Colors to File, with path typed into the dialog (an existing file replaced).
    void saveColors(const QString& path) const {
        whenModalAppears<QFileDialog>([path](QFileDialog* dialog) {
            dialog->setOption(QFileDialog::DontConfirmOverwrite);
            auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
            name->setText(path);
            QTest::keyClick(name, Qt::Key_Return);
        });
        runMenu("mnusavecolors");
    }
    const scheme::SchemeModel& model() const { return w->model(); }
};
