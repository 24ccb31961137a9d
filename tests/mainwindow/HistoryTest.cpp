#include "support/MainWindowDriver.h"
#include "support/QtTestMain.h"

#include "document/OpenFile.h"
#include "document/SchemeDocument.h"

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSlider>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUndoView>

namespace {

/// What the main window shows: every field, the swatches, the wheel, the preview, the
/// controls of the choices; equal only when a user sees no difference.
struct Shown {
    QStringList texts;
    QImage wheel, preview, swatches;
    QString controls;
    friend bool operator==(const Shown& a, const Shown& b) {
        return a.texts == b.texts && a.wheel == b.wheel && a.preview == b.preview &&
               a.swatches == b.swatches && a.controls == b.controls;
    }
};

Shown shown(const MainWindowDriver& d) {
    Shown s;
    for (int k = 1; k <= 3; ++k)
        s.texts << d.texts(k);
    // the keyboard's mark shows where the focus is, which is no part of the scheme
    d.wheel()->clearFocus();
    s.wheel = d.wheel()->grab().toImage();
    s.preview = d.child("preview")->grab().toImage();
    s.swatches = d.w->grab(QRect(0, 370, 800, 40)).toImage();
    QString& c = s.controls;
    for (int i = 0; i < 5; ++i)
        c += d.child<QRadioButton>(QStringLiteral("chktype[%1]").arg(i))->isChecked() ? "r" : "-";
    for (const char* key : {"mnucwdefault", "mnucwwebsafe", "mnuperceptual"})
        c += d.action(key)->isChecked() ? "w" : "-";
    c += d.child<QCheckBox>("chkpreview")->isChecked() ? "f" : "-";
    c += d.child<QComboBox>("cmbpreview")->currentText();
    c += d.child<QLabel>("lblLightness")->isVisible() ? d.child<QLabel>("lblLightness")->text()
                                                      : QString();
    return s;
}

/// Answers the next file dialog with name.
void fileDialogTakes(const QString& name) {
    whenModalAppears<QFileDialog>([name](QFileDialog* dialog) {
        auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
        edit->setText(name);
        QTest::keyClick(edit, Qt::Key_Return);
    });
}

/// The scheme the document at path holds, or none.
std::optional<scheme::SchemeModel::Snapshot> documentAt(const QString& path) {
    return document::readSchemeDocumentFile(path).snapshot;
}

} // namespace

class tst_History : public QObject {
    Q_OBJECT
    QTemporaryDir m_config;

    static void press(const MainWindowDriver& d, Qt::Key key, Qt::KeyboardModifiers modifiers) {
        d.w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(d.w.get()));
        QTest::keyClick(d.w.get(), key, modifiers);
    }

private slots:
    void initTestCase() {
        // the recent documents go to a configuration folder of the test's own
        QVERIFY(m_config.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
    }

    // each deliberate change is one step, named as a designer says it; Ctrl+Z walks them back
    // to the start exactly, Ctrl+Shift+Z forward again, and a new step drops what was undone
    void undoAndRedoWalkEveryStepBackAndForth() {
        MainWindowDriver d;
        QAction* undo = d.action("mnuundo");
        QAction* redo = d.action("mnuredo");
        QVERIFY(!undo->isEnabled() && !redo->isEnabled()); // nothing recorded at start-up
        d.move(200, 60);
        QList<Shown> states{shown(d)};
        QStringList names;
        const auto step = [&](const std::function<void()>& change, const QString& name) {
            change();
            QTRY_COMPARE(undo->text(), "Undo " + name);
            names << name;
            states << shown(d);
        };
        step([&d] { d.press(200, 60); }, "Freeze at " + d.text("txthtml2"));
        step([&d] { d.chooseRule(3); }, "Rule: Triad");
        step([&d] { d.chooseStyle("Table Style"); }, "Style: Table Style");
        step([&d] { d.runMenu("mnuperceptual"); }, "Wheel: Perceptual ChromaLune");
        // a burst of keys on the slider is one step
        step(
            [&d] {
                for (int i = 0; i < 3; ++i)
                    QTest::keyClick(d.child("sldlightness"), Qt::Key_Right);
            },
            "Lightness 65.3 %");
        step([&d] { QTest::mouseClick(d.child("chkpreview"), Qt::LeftButton); },
             "Follow-Preview on");
        step(
            [&d] {
                d.runMenu("mnusetbase");
                auto* dialog = in<QDialog>(d.w.get(), "frmsetbase");
                QTest::keyClicks(in<QLineEdit>(dialog, "txtbasecolor"), "oklch(55% 0.15 250)");
                in<QPushButton>(dialog, "cmdok")->click();
            },
            "Base oklch(55% 0.15 250)");
        step([&d] { d.press(20, 130); }, "Release");
        // the history lists them in order after the start
        d.runMenu("mnuhistory");
        const QAbstractItemModel* listed = in<QListView>(d.w.get(), "frmhistory")->model();
        QCOMPARE(listed->rowCount(), names.size() + 1);
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(listed->index(i + 1, 0).data().toString(), names[i]);

        for (int i = int(names.size()) - 1; i >= 0; --i) {
            press(d, Qt::Key_Z, Qt::ControlModifier);
            QVERIFY2(shown(d) == states[i], qPrintable("undo " + names[i]));
        }
        QVERIFY(!undo->isEnabled());
        for (int i = 0; i < names.size(); ++i) {
            press(d, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
            QVERIFY2(shown(d) == states[i + 1], qPrintable("redo " + names[i]));
        }
        // Ctrl+Y redoes too; a new step after an undo leaves nothing to redo
        press(d, Qt::Key_Z, Qt::ControlModifier);
        press(d, Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(shown(d) == states.last());
        press(d, Qt::Key_Z, Qt::ControlModifier);
        d.chooseRule(0);
        QTRY_COMPARE(undo->text(), QStringLiteral("Undo Rule: Complementary"));
        QVERIFY(!redo->isEnabled());
    }

    // a scheme saved as a document opens in another window exactly as it was shown; the title
    // names it and marks changes, a file that is no scheme changes nothing, and closing asks
    // before changes are lost
    void documentsReopenExactlyAndAskBeforeLosingChanges() {
        QTemporaryDir dir;
        MainWindowDriver d;
        QCOMPARE(d.w->windowTitle(), QStringLiteral("ChromaLune"));
        d.move(200, 60);
        d.press(200, 60);
        d.chooseRule(4);
        d.chooseStyle("Table Style");
        fileDialogTakes(dir.filePath("brand"));
        d.runMenu("mnusavescheme");
        QCOMPARE(d.w->windowTitle(), QStringLiteral("brand.tokens.json[*] - ChromaLune"));
        QVERIFY(!d.w->isWindowModified());
        d.chooseRule(0);
        QVERIFY(d.w->isWindowModified());
        d.runMenu("mnuundo");
        QVERIFY(!d.w->isWindowModified());

        MainWindowDriver other;
        QFile(dir.filePath("broken.tokens.json")).open(QIODevice::WriteOnly);
        QFile palette(dir.filePath("palette.tokens.json"));
        QVERIFY(palette.open(QIODevice::WriteOnly) &&
                palette.write("{\"a\": {\"$type\": \"color\", \"$value\": \"#fff\"}}") > 0);
        palette.close();
        const Shown before = shown(other);
        // a file that is no JSON says where it stops; a tokens file without the program's
        // state is a palette, shown beside the scheme
        QString seen;
        whenModalAppears<QMessageBox>([&seen](QMessageBox* box) {
            seen = box->text();
            box->button(QMessageBox::Ok)->click();
        });
        fileDialogTakes(dir.filePath("broken.tokens.json"));
        other.runMenu("mnuopen");
        QVERIFY2(seen.startsWith("Cannot open") && seen.contains("line 1"), qPrintable(seen));
        fileDialogTakes(dir.filePath("palette.tokens.json"));
        other.runMenu("mnuopen");
        QVERIFY(other.w->findChild<QWidget*>("frmpalette")->isVisible());
        QVERIFY(shown(other) == before && other.w->windowTitle() == "ChromaLune");
        fileDialogTakes(dir.filePath("brand.tokens.json"));
        other.runMenu("mnuopen");
        QVERIFY(shown(other) == shown(d));
        QCOMPARE(other.action("mnuundo")->text(), QStringLiteral("Undo Open brand.tokens.json"));
        QCOMPARE(other.w->windowTitle(), d.w->windowTitle());

        // Open Recent: most recent first, a file gone shown disabled, then cleared
        fileDialogTakes(dir.filePath("second"));
        d.runMenu("mnusavescheme");
        QFile::remove(dir.filePath("second.tokens.json"));
        auto* recent = in<QMenu>(other.menuBar(), "mnurecent");
        emit recent->aboutToShow();
        QStringList listed;
        for (const QAction* entry : recent->actions())
            listed << entry->text() + (entry->isEnabled() ? "" : " (gone)");
        QCOMPARE(listed, QStringList({"second.tokens.json (gone)", "brand.tokens.json",
                                      "palette.tokens.json", "", "Clear Recent"}));
        in<QAction>(recent, "mnuclearrecent")->trigger();
        emit recent->aboutToShow();
        QCOMPARE(recent->actions().size(), 2);
        // the last ten, the newest first
        for (int i = 0; i < 12; ++i) {
            const QString copy = dir.filePath(QStringLiteral("c%1.tokens.json").arg(i));
            QVERIFY(QFile::copy(dir.filePath("brand.tokens.json"), copy) &&
                    other.w->openDocument(copy));
        }
        emit recent->aboutToShow();
        QCOMPARE(recent->actions().size(), 10 + 2);
        QCOMPARE(recent->actions().first()->text(), QStringLiteral("c11.tokens.json"));

        // a damaged recent list gives the paths it still holds whole, and is written back so
        QFile list(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
                   "/recent.txt");
        QRandomGenerator bytes(7);
        QByteArray garbage;
        for (int i = 0; i < 4000; ++i)
            garbage += char(bytes.bounded(256));
        garbage += '\n' + QFile::encodeName(dir.filePath("c3.tokens.json")) + "\nrelative\n/";
        garbage += QByteArray(300000, 'x');
        QVERIFY(list.open(QIODevice::WriteOnly) && list.write(garbage) == garbage.size());
        list.close();
        QVERIFY(other.w->openDocument(dir.filePath("c5.tokens.json")));
        emit recent->aboutToShow();
        listed.clear();
        for (const QAction* entry : recent->actions())
            listed << entry->text();
        QCOMPARE(listed, QStringList({"c5.tokens.json", "c3.tokens.json", "", "Clear Recent"}));

        // a changed document: Cancel stays, Discard closes
        other.chooseRule(1);
        for (const auto button : {QMessageBox::Cancel, QMessageBox::Discard}) {
            whenModalAppears<QMessageBox>(
                [button](QMessageBox* box) { box->button(button)->click(); });
            other.w->close();
            QCOMPARE(other.w->isVisible(), button == QMessageBox::Cancel);
        }
    }

    // the document travels with the history: undoing an Open returns to the document before
    // it, saved or not as it was, and redoing it to the opened one; whatever is opened,
    // changed, undone, redone and saved, a save writes the scheme shown into the file of the
    // document it belongs to and no other file ever changes
    void savesNeverWriteOneDocumentIntoAnother() {
        QTemporaryDir dir;
        QStringList files;
        QMap<QString, scheme::SchemeModel::Snapshot> onDisk;
        {
            MainWindowDriver maker;
            maker.move(200, 60);
            maker.press(200, 60);
            for (int rule : {0, 3, 4}) {
                maker.chooseRule(rule);
                files << dir.filePath(QStringLiteral("s%1.tokens.json").arg(rule));
                fileDialogTakes(files.last());
                maker.runMenu("mnusavescheme");
                onDisk[files.last()] = maker.model().snapshot();
            }
        }
        MainWindowDriver d;
        d.runMenu("mnuhistory");
        QUndoStack* stack = in<QUndoView>(d.w.get(), "frmhistory")->stack();
        // the document each place in the history belongs to
        QStringList documentAtStep{QString()};
        QRandomGenerator random(20240607);
        for (int i = 0; i < 120; ++i) {
            const int index = stack->index();
            switch (random.bounded(6)) {
            case 0: {
                const QString path = files[int(random.bounded(3))];
                QVERIFY(d.w->openDocument(path));
                documentAtStep = documentAtStep.mid(0, index + 1) << path;
                break;
            }
            case 1:
            case 2:
                d.chooseRule(int(random.bounded(5)));
                if (stack->index() == index + 1)
                    documentAtStep = documentAtStep.mid(0, index + 1) << documentAtStep[index];
                break;
            case 3:
                if (stack->canUndo())
                    d.runMenu("mnuundo");
                break;
            case 4:
                if (stack->canRedo())
                    d.runMenu("mnuredo");
                break;
            default:
                // closing with the changes saved, then on with the same window
                if (!d.w->isWindowModified())
                    break;
                whenModalAppears<QMessageBox>(
                    [](QMessageBox* box) { box->button(QMessageBox::Save)->click(); });
                QVERIFY(d.w->close());
                d.w->show();
                onDisk[documentAtStep[stack->index()]] = d.model().snapshot();
                break;
            }
            const QString document = documentAtStep[stack->index()];
            QCOMPARE(d.w->windowTitle(), document.isEmpty()
                                             ? QStringLiteral("ChromaLune")
                                             : QFileInfo(document).fileName() + "[*] - ChromaLune");
            if (!document.isEmpty() && !d.w->isWindowModified())
                QVERIFY2(*documentAt(document) == d.model().snapshot(), qPrintable(document));
            for (const QString& file : files)
                QVERIFY2(*documentAt(file) == onDisk[file], qPrintable(file));
        }
    }

    // a file named at start-up is where the history starts: nothing to undo, nothing unsaved
    void aFileNamedAtStartUpIsNoStep() {
        QTemporaryDir dir;
        const QString path = dir.filePath("start.tokens.json");
        MainWindowDriver maker;
        maker.move(200, 60);
        maker.chooseRule(3);
        fileDialogTakes(path);
        maker.runMenu("mnusavescheme");
        MainWindowDriver d;
        QVERIFY(d.w->showOpenedFile(path, document::openFile(path), true));
        QVERIFY(d.model().snapshot() == maker.model().snapshot());
        QVERIFY(!d.action("mnuundo")->isEnabled());
        QCOMPARE(d.w->windowTitle(), QStringLiteral("start.tokens.json[*] - ChromaLune"));
        QVERIFY(!d.w->isWindowModified());
    }

    // opening anything while a picture is read cancels the reading and its note
    void aCancelledPictureReadClearsItsNote() {
        QTemporaryDir dir;
        const QString picture = dir.filePath("huge.png");
        QImage image(64, 64, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(picture));
        MainWindowDriver maker;
        maker.move(200, 60);
        const QString path = dir.filePath("scheme.tokens.json");
        fileDialogTakes(path);
        maker.runMenu("mnusavescheme");
        MainWindowDriver d;
        QVERIFY(d.w->openDocument(picture));
        auto* note = in<QLabel>(d.w.get(), "lblpalettestatus");
        QCOMPARE(note->text(), QStringLiteral("Reading huge.png..."));
        QVERIFY(d.w->openDocument(path));
        QTest::qWait(200);
        QCOMPARE(note->text(), QString());
    }
};

CHROMALUNE_TEST_MAIN(tst_History)
#include "HistoryTest.moc"
