// The common-dialog wrapper: what it shows the file dialog with, and what it reads back.
#include "CommonDialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>

#include "Debug.h"
#include "Log.h"
#include "RunTimeError.h"
#include "TestSupport.h"
#include "Tracing.h"

namespace dualis {

class CommonDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void confirmedOpenSetsNameTitleFolderAndFilter();
    void requestFollowsTheProperties();
    void cancelChangesNothing();
    void cancelRaisesWhenAsked();
    void nameLongerThanTheBufferIsRefused();
    void tracesUnderLogClasses();
    void qtDialogStartsWithTheRequestAndReturnsTheChoice();
};

void CommonDialogTest::confirmedOpenSetsNameTitleFolderAndFilter() {
    clsCommonDialog dialog;
    dialog.Filter = "A|*.a|B|*.b";
    dialog.Runner = [](QWidget*, const FileDialogRequest&) {
        return FileDialogChoice{true, "/a/b/x.frm", 2};
    };
    dialog.ShowOpen();
    QCOMPARE(dialog.Action(), ActionOpen);
    QCOMPARE(dialog.APIReturn(), 1);
    QVERIFY(!dialog.Cancelled());
    QCOMPARE(dialog.FileName, std::string("/a/b/x.frm"));
    QCOMPARE(dialog.FileTitle, std::string("x.frm"));
    QCOMPARE(dialog.InitDir, std::string("/a/b"));
    QCOMPARE(dialog.FilterIndex, int16_t{2});
    dialog.ShowSave();
    QCOMPARE(dialog.Action(), ActionSave);
}

void CommonDialogTest::requestFollowsTheProperties() {
    QWidget owner;
    clsCommonDialog dialog;
    dialog.Owner = &owner;
    dialog.DialogTitle = "Select File 1";
    dialog.Filter = "VB|*.bas;*.frm|All|*.*|";
    dialog.FilterIndex = 9;
    dialog.InitDir = "/start";
    dialog.FileName = "x.frm";
    dialog.flags = 4100;
    FileDialogRequest seen;
    QWidget* seenOwner = nullptr;
    dialog.Runner = [&](QWidget* w, const FileDialogRequest& r) {
        seenOwner = w;
        seen = r;
        return FileDialogChoice{};
    };
    dialog.ShowOpen();
    QCOMPARE(seenOwner, &owner);
    QCOMPARE(seen.Title, std::string("Select File 1"));
    QCOMPARE(seen.Filters.size(), size_t{2});
    QCOMPARE(seen.FilterIndex, int16_t{2});  // limited to the filters there are
    QCOMPARE(seen.InitDir, std::string("/start"));
    QCOMPARE(seen.FileName, std::string("x.frm"));
    QCOMPARE(seen.MaxNameLength, 254);  // MaxFileSize 0 gives a buffer of 255
    QVERIFY(seen.FileMustExist);
    QCOMPARE(seen.Flags, 4100);
    dialog.flags = OfnHideReadOnly;
    dialog.ShowOpen();
    QVERIFY(!seen.FileMustExist);
}

void CommonDialogTest::cancelChangesNothing() {
    clsCommonDialog dialog;
    dialog.FileName = "/kept/name.frm";
    dialog.FilterIndex = 1;
    dialog.Runner = [](QWidget*, const FileDialogRequest&) { return FileDialogChoice{}; };
    dialog.ShowOpen();
    QVERIFY(dialog.Cancelled());
    QCOMPARE(dialog.APIReturn(), 0);
    QCOMPARE(dialog.FileName, std::string("/kept/name.frm"));
    QCOMPARE(dialog.FileTitle, std::string());
}

void CommonDialogTest::cancelRaisesWhenAsked() {
    clsCommonDialog dialog;
    dialog.CancelError = true;
    dialog.Runner = [](QWidget*, const FileDialogRequest&) { return FileDialogChoice{}; };
    try {
        dialog.ShowOpen();
        QFAIL("no error raised");
    } catch (const RunTimeError& e) {
        QCOMPARE(e.Number, 32755);
    }
    dialog.Runner = [](QWidget*, const FileDialogRequest&) {
        return FileDialogChoice{true, "/x", 1};
    };
    dialog.ShowOpen();  // a confirmed choice raises nothing
    QCOMPARE(dialog.FileName, std::string("/x"));
}

void CommonDialogTest::nameLongerThanTheBufferIsRefused() {
    clsCommonDialog dialog;
    dialog.MaxFileSize = 8;
    dialog.FileName = "before";
    dialog.Runner = [](QWidget*, const FileDialogRequest&) {
        return FileDialogChoice{true, "/long/name.frm", 1};
    };
    dialog.ShowOpen();
    QCOMPARE(dialog.ExtendedError(), FnerrBufferTooSmall);
    QCOMPARE(dialog.APIReturn(), 0);
    QVERIFY(!dialog.Cancelled());
    QCOMPARE(dialog.FileName, std::string("before"));
}

void CommonDialogTest::tracesUnderLogClasses() {
    const test::TempDir dir;
    const std::string logFile = (dir.Path() / "trace.log").string();
    cDebug debug;
    debug.LogClasses = true;
    cLog log(ProgramFacts{"Dualis", "1.0.0", {}});
    log.LogOpen(logFile, LogModeNew);
    Tracing tracing(debug, log, [](const ErrorFacts&) { QFAIL("error handler reached"); });
    clsCommonDialog dialog;
    dialog.Trace = &tracing;
    dialog.CancelError = true;
    dialog.Runner = [](QWidget*, const FileDialogRequest&) { return FileDialogChoice{}; };
    // The cancel goes to the caller, not to the error handler, after a normal exit line.
    QVERIFY_THROWS_EXCEPTION(RunTimeError, dialog.ShowOpen());
    log.LogClose();
    const std::string text = test::ReadFile(logFile);
    QVERIFY(text.find("->clsCommonDialog: ShowOpen") != std::string::npos);
    QVERIFY(text.find("<-clsCommonDialog: ShowOpen") != std::string::npos);
}

void CommonDialogTest::qtDialogStartsWithTheRequestAndReturnsTheChoice() {
    const test::TempDir dir;
    const std::string file = dir.Write("x.frm", "x");
    dir.Write("noext", "y");
    FileDialogRequest request;
    request.Title = "Select File 1";
    request.Filters = ParseFilter("VB|*.frm|All(*.*)|*.*");
    request.FilterIndex = 2;
    request.InitDir = dir.Path().string();
    request.FileMustExist = true;
    QString startFilter, startFolder;
    QFileDialog::FileMode startMode{};
    // Answers the dialog once it runs: another filter, then the file. The dialog reads its
    // folder in the background and may refuse the first tries, so the answer is repeated
    // until the dialog closes, or given up after a few seconds.
    QTimer timer;
    timer.setInterval(20);
    int ticks = 0;
    bool seen = false;
    connect(&timer, &QTimer::timeout, [&] {
        auto* shown = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!shown) return;
        if (!seen) {
            seen = true;
            startFilter = shown->selectedNameFilter();
            startFolder = shown->directory().absolutePath();
            startMode = shown->fileMode();
        }
        if (++ticks > 250) {
            shown->reject();
            return;
        }
        shown->selectNameFilter("VB (*.frm)");  // the user picks the other filter
        // selectFile leaves a name box that has the focus alone: type the name as a user does.
        if (auto* name = shown->findChild<QLineEdit*>("fileNameEdit")) {
            name->setText("x.frm");
        } else {
            shown->selectFile(QString::fromStdString(file));
        }
        static_cast<QDialog*>(shown)->accept();  // QFileDialog hides its override
    });
    timer.start();
    const FileDialogChoice choice = RunQtFileDialog(nullptr, request);
    timer.stop();
    QCOMPARE(startFilter, QString("All (*)"));
    QCOMPARE(startFolder, QString::fromStdString(dir.Path().string()));
    QCOMPARE(startMode, QFileDialog::ExistingFile);
    QVERIFY(choice.Confirmed);
    QCOMPARE(choice.FileName, file);
    QCOMPARE(choice.FilterIndex, int16_t{1});
}

}  // namespace dualis

QTEST_MAIN(dualis::CommonDialogTest)
#include "CommonDialogTest.moc"
