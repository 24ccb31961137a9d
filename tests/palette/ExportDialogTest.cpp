#include "palette/ExportDialog.h"
#include "palette/PaletteFile.h"
#include "support/Controls.h"
#include "support/QtTestMain.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>

#include <cstdlib>
#include <fstream>
#include <iterator>
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
    QTemporaryDir m_folder;

private slots:
    // A working folder whose name is not UTF-8 (which the toolkit cannot name) takes a
    // relative name: the file lands there. First, so the dialog opens where a program just
    // started opens it, in the working folder.
    void aNameTypedGoesIntoAWorkingFolderNotNamedInUtf8() {
        const std::string folder = QFile::encodeName(m_folder.path()).toStdString() + "/d\xE9";
        QCOMPARE(::mkdir(folder.c_str(), 0755), 0);
        char* earlier = ::getcwd(nullptr, 0);
        QCOMPARE(::chdir(folder.c_str()), 0);
        const QString target = exportDialogTakes("x", 0).target;
        std::string reason;
        const bool written =
            palette::writePaletteFile(target, palette::Format::Css, {0xFF, 0xFF00}, &reason);
        QCOMPARE(::chdir(earlier), 0);
        std::free(earlier);
        std::ifstream in(folder + "/x.css");
        const std::string content(std::istreambuf_iterator<char>(in), {});
        // the toolkit cannot name the folder, so it cannot remove it either
        ::remove((folder + "/x.css").c_str());
        ::remove(folder.c_str());
        QVERIFY2(written, reason.c_str());
        QCOMPARE(QString::fromStdString(content),
                 QString::fromStdString(palette::cssText({0xFF, 0xFF00})));
    }
};

CHROMALUNE_TEST_MAIN(tst_ExportDialog)
#include "ExportDialogTest.moc"
