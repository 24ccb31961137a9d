#include "palette/ExportDialog.h"
#include "support/Controls.h"
#include "support/QtTestMain.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cstdlib>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

namespace {

/// What the export dialog settles on: the file to write, or, when it stays open, the folder
/// it shows.
struct Outcome {
    QString target, folder;
};

/// Opens the export dialog (in startIn, else where it starts), moves filter steps down the
/// format list, types name and presses Enter; a dialog that stays open is cancelled.
Outcome exportDialogTakes(const QString& name, int filter, const QString& startIn = {}) {
    palette::ExportDialog dialog;
    Outcome outcome;
    whenModalAppears<QFileDialog>([&](QFileDialog* d) {
        if (!startIn.isEmpty())
            d->setDirectory(startIn);
        auto* types = in<QComboBox>(d, "fileTypeCombo");
        for (int i = 0; i < filter; ++i)
            QTest::keyClick(types, Qt::Key_Down);
        auto* edit = in<QLineEdit>(d, "fileNameEdit");
        edit->setText(name);
        QTest::keyClick(edit, Qt::Key_Return);
        if (d->isVisible()) {
            outcome.folder = d->directory().absolutePath();
            d->reject();
        }
    });
    dialog.exec();
    outcome.target = dialog.target();
    return outcome;
}

} // namespace

class tst_ExportDialog : public QObject {
    Q_OBJECT
    QTemporaryDir m_home, m_folder;

private slots:
    void initTestCase() {
        qputenv("HOME", QFile::encodeName(m_home.path()));
        QVERIFY(QDir(m_home.path()).mkdir("sub"));
    }

    // A working folder whose name is not UTF-8 (which the toolkit cannot name) keeps a typed
    // name relative, for the writer to resolve there. First, so the dialog opens where a
    // program just started opens it, in the working folder.
    void aNameTypedStaysInAWorkingFolderNotNamedInUtf8() {
        const std::string folder = QFile::encodeName(m_folder.path()).toStdString() + "/d\xE9";
        QCOMPARE(::mkdir(folder.c_str(), 0755), 0);
        char* earlier = ::getcwd(nullptr, 0);
        QCOMPARE(::chdir(folder.c_str()), 0);
        const QString target = exportDialogTakes("x", 0).target;
        QCOMPARE(::chdir(earlier), 0);
        std::free(earlier);
        ::remove(folder.c_str()); // the toolkit cannot name it, so cannot remove it either
        QCOMPARE(target, QStringLiteral("x.css"));
    }

    // typed: the name; filter: steps down the list from CSS; want: the file written, or the
    // folder shown by a dialog that stays open ("~" the home folder, "F" the folder shown)
    void namesTypedAreReadAsAShellUserMeansThem_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("filter");
        QTest::addColumn<QString>("want");
        QTest::addColumn<bool>("stays");
        QTest::newRow("home") << "~/e8" << 0 << "~/e8.css" << false;
        QTest::newRow("in home, GIMP") << "~/sub/e8" << 3 << "~/sub/e8.gpl" << false;
        QTest::newRow("home itself opens") << "~" << 0 << "~" << true;
        QTest::newRow("tilde inside a name") << "a~/e8" << 0 << "F/a~/e8.css" << false;
        QTest::newRow("ending in a dot") << "e9." << 0 << "F/e9.css" << false;
        QTest::newRow("two dots, tokens") << "e9.." << 2 << "F/e9.tokens.json" << false;
        QTest::newRow("an extension of its own") << "e9.v2" << 0 << "F/e9.v2" << false;
    }
    void namesTypedAreReadAsAShellUserMeansThem() {
        QFETCH(QString, typed);
        QFETCH(int, filter);
        QFETCH(QString, want);
        QFETCH(bool, stays);
        want.replace(QRegularExpression("^~"), m_home.path())
            .replace(QRegularExpression("^F"), m_folder.path());
        const Outcome o = exportDialogTakes(typed, filter, m_folder.path());
        QCOMPARE(stays ? o.folder : o.target, want);
        QCOMPARE(o.target.isEmpty(), stays);
    }
};

CHROMALUNE_TEST_MAIN(tst_ExportDialog)
#include "ExportDialogTest.moc"
