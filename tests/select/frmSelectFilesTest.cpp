// The file selection dialog on the offscreen platform, with its file dialog and message boxes
// answered by the test.
#include "frmSelectFiles.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "Debug.h"
#include "Log.h"
#include "TestSupport.h"
#include "Tracing.h"
#include "Window.h"

namespace dualis {

class frmSelectFilesTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void firstUseShowsTheFoldersWithOKDisabled();
    void sameAndFileNamesDisableFileExtensions();
    void pickingAFileFillsTheOtherBox();
    void cancelledPickChangesNothing();
    void enterWithAMissingNameAppliesButDoesNotConfirm();
    void okStoresNamesFoldersAndSyncs();
    void sameFileAsksBeforeConfirming();
    void cancelStoresNothingAndTheNextShowingStartsFromTheConfirmed();
    void showIsModalAndEscapeCancels();
    void helpOpensTheManual();
    void lostFocusWritesTheNameToTheTrace();
    void typingSaysUnderTheBoxWhatIsWrongAndFollowsWithOK();
    void aDerivedNameThatIsMissingStopsOKAndTakesTheFocus();
    void enterOnABrowseButtonBrowsesAsSpaceDoes();
    void aFolderButtonChoosesAFolderAndTwoFoldersMayBeConfirmed();

  private:
    frmSelectFiles& Dialog();
    void ShowAndWait();

    std::unique_ptr<test::TempDir> dir_;
    std::string folder1_, folder2_;  // with trailing separators
    Settings settings_;
    ComparisonState comparison_;
    cDebug debug_;
    std::unique_ptr<cLog> log_;
    std::unique_ptr<Tracing> tracing_;
    cWindow window_;
    std::unique_ptr<frmSelectFiles> dialog_;
    std::vector<std::string> messages_;
    QMessageBox::StandardButton answer_ = QMessageBox::Ok;
    std::vector<FileDialogRequest> requests_;
    FileDialogChoice choice_;
};

void frmSelectFilesTest::init() {
    dir_ = std::make_unique<test::TempDir>();
    std::filesystem::create_directories(dir_->Path() / "one");
    std::filesystem::create_directories(dir_->Path() / "two");
    folder1_ = (dir_->Path() / "one").string() + "/";
    folder2_ = (dir_->Path() / "two").string() + "/";
    dir_->Write("one/x.frm", "x");
    dir_->Write("two/x.frm", "x2");
    dir_->Write("two/y.bas", "y");
    const Settings defaults;
    settings_ = defaults;
    settings_.SourcePath = folder1_;
    settings_.TargetPath = folder2_;
    comparison_ = ComparisonState{};
    debug_ = cDebug{};
    log_ = std::make_unique<cLog>(ProgramFacts{"Dualis", "1.0.0", {}});
    tracing_ = std::make_unique<Tracing>(debug_, *log_,
                                         [](const ErrorFacts& e) { QFAIL(e.Description.c_str()); });
    messages_.clear();
    requests_.clear();
    answer_ = QMessageBox::Ok;
    choice_ = FileDialogChoice{};
    dialog_.reset();
}

void frmSelectFilesTest::aFolderButtonChoosesAFolderAndTwoFoldersMayBeConfirmed() {
    ShowAndWait();
    frmSelectFiles& d = Dialog();
    std::vector<std::string> asked;
    std::string answer = dir_->Path().string() + "/one";
    d.FolderDialog = [&](QWidget*, const std::string& title, const std::string& start) {
        asked.push_back(title + " from " + start);
        return answer;
    };
    QCOMPARE(d.cmdSelectFolder(0)->toolTip(), QString("Choose a folder for File 1"));
    d.cmdSelectFolder(0)->click();
    QCOMPARE(asked, (std::vector<std::string>{"Select Folder 1 from " + folder1_}));
    QCOMPARE(d.txtCompareFile(0)->text().toStdString(), answer);
    // Two folders are a pair to compare as projects: nothing stands under the boxes.
    answer = dir_->Path().string() + "/two";
    d.cmdSelectFolder(1)->click();
    QCOMPARE(d.lblFileProblem(0)->text(), QString());
    QCOMPARE(d.lblFileProblem(1)->text(), QString());
    QVERIFY(d.cmdOK()->isEnabled());
    // A cancelled folder dialog changes nothing.
    answer.clear();
    d.cmdSelectFolder(1)->click();
    QCOMPARE(asked.back(), "Select Folder 2 from " + dir_->Path().string() + "/two");
    QCOMPARE(d.txtCompareFile(1)->text().toStdString(), dir_->Path().string() + "/two");
    d.cmdOK()->click();
    QCOMPARE(d.Tag(), std::string("OK"));
    QCOMPARE(comparison_.FileName, (std::array<std::string, 2>{dir_->Path().string() + "/one",
                                                               dir_->Path().string() + "/two"}));
    QCOMPARE(settings_.SourcePath, dir_->Path().string() + "/");
    QVERIFY(messages_.empty());
}

void frmSelectFilesTest::cleanup() {
    dialog_.reset();
    dir_.reset();
}

frmSelectFiles& frmSelectFilesTest::Dialog() {
    if (!dialog_) {
        dialog_ = std::make_unique<frmSelectFiles>(settings_, comparison_, *tracing_, window_);
        dialog_->MessageBox = [this](QWidget*, QMessageBox::Icon icon, const QString& title,
                                     const QString& text, QMessageBox::StandardButtons) {
            [&] {
                QCOMPARE(icon, QMessageBox::Warning);
                QCOMPARE(title, QString("Dualis"));
            }();
            messages_.push_back(text.toStdString());
            return answer_;
        };
        dialog_->FileDialog = [this](QWidget*, const FileDialogRequest& r) {
            requests_.push_back(r);
            return choice_;
        };
    }
    return *dialog_;
}

void frmSelectFilesTest::ShowAndWait() {
    Dialog().show();
    QVERIFY(QTest::qWaitForWindowActive(&Dialog()));
}

void frmSelectFilesTest::firstUseShowsTheFoldersWithOKDisabled() {
    ShowAndWait();
    frmSelectFiles& d = Dialog();
    QCOMPARE(d.windowTitle(), QString("Open Files for Comparison"));
    QCOMPARE(d.txtCompareFile(0)->text().toStdString(), folder1_);
    QCOMPARE(d.txtCompareFile(1)->text().toStdString(), folder2_);
    QVERIFY(!d.cmdOK()->isEnabled());
    QVERIFY(d.optSyncPaths(0)->isChecked());
    // The first box has the focus, with the caret after the folder and nothing selected.
    QTRY_VERIFY(d.txtCompareFile(0)->hasFocus());
    QVERIFY(!d.txtCompareFile(0)->hasSelectedText());
    QCOMPARE(d.txtCompareFile(0)->cursorPosition(), d.txtCompareFile(0)->text().size());
    // Later focus selects the whole text.
    d.txtCompareFile(1)->setFocus(Qt::TabFocusReason);
    QCOMPARE(d.txtCompareFile(1)->selectedText(), d.txtCompareFile(1)->text());
    d.txtCompareFile(0)->setFocus(Qt::MouseFocusReason);
    QCOMPARE(d.txtCompareFile(0)->selectedText(), d.txtCompareFile(0)->text());
}

void frmSelectFilesTest::sameAndFileNamesDisableFileExtensions() {
    settings_.SyncFilePaths = 1;
    settings_.SyncFileNames = true;
    ShowAndWait();
    frmSelectFiles& d = Dialog();
    QVERIFY(d.optSyncPaths(1)->isChecked());
    QVERIFY(d.chkSyncFileNames()->isChecked());
    QVERIFY(!d.chkSyncFileExtensions()->isEnabled());
    QVERIFY(d.optSyncPaths(1)->isEnabled());
    d.chkSyncFileNames()->click();
    QVERIFY(d.chkSyncFileExtensions()->isEnabled());
    // Names and extensions ticked: "Same" is the one that goes.
    d.chkSyncFileNames()->click();
    d.optSyncPaths(0)->click();
    d.chkSyncFileExtensions()->click();
    QVERIFY(!d.optSyncPaths(1)->isEnabled());
    QVERIFY(d.optSyncPaths(2)->isEnabled());
    dialog_.reset();

    // All three stored on: none disabled.
    settings_.SyncFileExtensions = true;
    ShowAndWait();
    QVERIFY(Dialog().chkSyncFileExtensions()->isEnabled());
    QVERIFY(Dialog().chkSyncFileNames()->isEnabled());
    QVERIFY(Dialog().optSyncPaths(1)->isEnabled());
}

void frmSelectFilesTest::pickingAFileFillsTheOtherBox() {
    settings_.SyncFileNames = true;
    settings_.SyncFileExtensions = true;
    ShowAndWait();
    frmSelectFiles& d = Dialog();
    choice_ = {true, folder1_ + "x.frm", 2};
    d.cmdSelectFile(0)->click();
    QCOMPARE(requests_.size(), size_t{1});
    QCOMPARE(requests_[0].Title, std::string("Select File 1"));
    QCOMPARE(requests_[0].InitDir, folder1_);
    QCOMPARE(requests_[0].Flags, 4100);
    QVERIFY(requests_[0].FileMustExist);
    // The VB files, all files, and the projects and groups that two projects are compared by.
    QCOMPARE(requests_[0].Filters.size(), size_t{3});
    QCOMPARE(requests_[0].Filters[2].Patterns, (std::vector<std::string>{"*.vbp", "*.vbg"}));
    QCOMPARE(d.txtCompareFile(0)->text().toStdString(), folder1_ + "x.frm");
    QCOMPARE(d.txtCompareFile(1)->text().toStdString(), folder2_ + "x.frm");
    QVERIFY(d.cmdOK()->isEnabled());
    // The filter the user ended with is kept at once.
    QCOMPARE(settings_.SourceFilterIndex, int16_t{2});
    QCOMPARE(settings_.TargetFilterIndex, int16_t{1});

    // The next pick for File 2 proposes its derived name and starts in its folder.
    choice_ = {true, folder2_ + "y.bas", 1};
    d.cmdSelectFile(1)->click();
    QCOMPARE(requests_[1].Title, std::string("Select File 2"));
    QCOMPARE(requests_[1].FileName, std::string("x.frm"));
    QCOMPARE(requests_[1].InitDir, folder2_);
    QCOMPARE(d.txtCompareFile(0)->text().toStdString(), folder1_ + "y.bas");
    QVERIFY(!d.cmdOK()->isEnabled());  // one/y.bas does not exist
}

void frmSelectFilesTest::cancelledPickChangesNothing() {
    ShowAndWait();
    frmSelectFiles& d = Dialog();
    choice_ = {false, "", 2};
    d.cmdSelectFile(0)->click();
    QCOMPARE(requests_.size(), size_t{1});
    QCOMPARE(d.txtCompareFile(0)->text().toStdString(), folder1_);
    QCOMPARE(settings_.SourceFilterIndex, int16_t{1});
    QVERIFY(!d.cmdOK()->isEnabled());
}

void frmSelectFilesTest::enterWithAMissingNameAppliesButDoesNotConfirm() {
    settings_.SyncFileNames = true;
    settings_.SyncFileExtensions = true;
    ShowAndWait();
    frmSelectFiles& d = Dialog();
    d.txtCompareFile(0)->setText(QString::fromStdString(folder1_ + "missing.frm  "));
    QTest::keyClick(d.txtCompareFile(0), Qt::Key_Return);
    QCOMPARE(d.State().NewFileName[0], folder1_ + "missing.frm");
    QCOMPARE(d.txtCompareFile(1)->text().toStdString(), folder2_ + "missing.frm");
    QVERIFY(!d.cmdOK()->isEnabled());
    QVERIFY(messages_.empty());
    QVERIFY(d.isVisible());
    QCOMPARE(d.Tag(), std::string());

    // With both names present, Enter confirms.
    d.txtCompareFile(0)->setText(QString::fromStdString(folder1_ + "x.frm"));
    QTest::keyClick(d.txtCompareFile(0), Qt::Key_Enter);
    QCOMPARE(d.Tag(), std::string("OK"));
    QVERIFY(!d.isVisible());
}

void frmSelectFilesTest::okStoresNamesFoldersAndSyncs() {
    settings_.SyncFilePaths = 7;  // out of range: kept
    ShowAndWait();
    frmSelectFiles& d = Dialog();
    for (int i = 0; i < 5; ++i) QVERIFY(!d.optSyncPaths(i)->isChecked());
    choice_ = {true, folder1_ + "x.frm", 1};
    d.cmdSelectFile(0)->click();
    choice_ = {true, folder2_ + "y.bas", 1};
    d.cmdSelectFile(1)->click();
    QVERIFY(d.cmdOK()->isEnabled());
    d.chkSyncFileExtensions()->click();  // a tick is stored as it stands at OK
    d.cmdOK()->click();
    QVERIFY(messages_.empty());
    QCOMPARE(d.Tag(), std::string("OK"));
    QVERIFY(!d.isVisible());
    QCOMPARE(comparison_.FileName[0], folder1_ + "x.frm");
    QCOMPARE(comparison_.FileName[1], folder2_ + "y.bas");
    QCOMPARE(comparison_.BaseName[1], std::string("y"));
    QCOMPARE(comparison_.Extension[1], std::string("bas"));
    QCOMPARE(settings_.SourcePath, folder1_);
    QCOMPARE(settings_.TargetPath, folder2_);
    QCOMPARE(settings_.SyncFilePaths, 7);
    QVERIFY(settings_.SyncFileExtensions);
    QVERIFY(!settings_.SyncFileNames);
}

void frmSelectFilesTest::sameFileAsksBeforeConfirming() {
    settings_.SyncFilePaths = 1;
    settings_.SyncFileNames = true;
    settings_.SyncFileExtensions = true;
    ShowAndWait();
    frmSelectFiles& d = Dialog();
    choice_ = {true, folder1_ + "x.frm", 1};
    d.cmdSelectFile(0)->click();
    QCOMPARE(d.txtCompareFile(1)->text(), d.txtCompareFile(0)->text());
    answer_ = QMessageBox::Cancel;
    d.cmdOK()->click();
    QCOMPARE(messages_, std::vector<std::string>{"File 1 and File 2 are the same file."});
    QVERIFY(d.isVisible());
    QVERIFY(comparison_.FileName[0].empty());
    answer_ = QMessageBox::Ok;
    d.cmdOK()->click();
    QCOMPARE(d.Tag(), std::string("OK"));
    QCOMPARE(comparison_.FileName[1], folder1_ + "x.frm");
}

void frmSelectFilesTest::cancelStoresNothingAndTheNextShowingStartsFromTheConfirmed() {
    SetFileNames(comparison_, folder1_ + "x.frm", folder2_ + "x.frm");
    const Settings before = settings_;
    ShowAndWait();
    frmSelectFiles& d = Dialog();
    QCOMPARE(d.txtCompareFile(0)->text().toStdString(), folder1_ + "x.frm");
    QVERIFY(d.cmdOK()->isEnabled());
    d.chkSyncFileNames()->click();
    choice_ = {true, folder2_ + "y.bas", 1};
    d.cmdSelectFile(0)->click();
    d.cmdCancel()->click();
    QCOMPARE(d.Tag(), std::string("CANCEL"));
    QVERIFY(!d.isVisible());
    QCOMPARE(comparison_.FileName[0], folder1_ + "x.frm");
    QCOMPARE(settings_.SyncFileNames, before.SyncFileNames);
    QCOMPARE(settings_.SourcePath, before.SourcePath);

    ShowAndWait();
    QCOMPARE(d.txtCompareFile(0)->text().toStdString(), folder1_ + "x.frm");
    QCOMPARE(d.State().NewPath[0], folder1_);
}

void frmSelectFilesTest::showIsModalAndEscapeCancels() {
    frmSelectFiles& d = Dialog();
    bool wasModal = false;
    QTimer::singleShot(0, &d, [&] {
        wasModal = QApplication::activeModalWidget() == &d;
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    d.Show();
    QVERIFY(wasModal);
    QCOMPARE(d.Tag(), std::string("CANCEL"));
}

void frmSelectFilesTest::helpOpensTheManual() {
    std::vector<int> commands;
    window_.HelpViewer = [&](int command, int) { commands.push_back(command); };
    ShowAndWait();
    Dialog().cmdHelp()->click();
    QCOMPARE(commands, std::vector<int>{HelpContents});
    window_.HelpViewer = nullptr;
}

void frmSelectFilesTest::lostFocusWritesTheNameToTheTrace() {
    const std::string logFile = (dir_->Path() / "trace.log").string();
    log_->LogOpen(logFile, LogModeNew);
    debug_.LogApp = true;
    debug_.LogEvents = true;
    ShowAndWait();
    Dialog().txtCompareFile(0)->setText("  /some/name.frm ");
    QTest::keyClick(Dialog().txtCompareFile(0), Qt::Key_Return);
    log_->LogClose();
    const std::string text = test::ReadFile(logFile);
    QVERIFY(text.find("->frmSelectFiles: txtCompareFile_KeyPress") != std::string::npos);
    QVERIFY(text.find("->frmSelectFiles: SyncNames") != std::string::npos);
    QVERIFY(text.find("\r\n /some/name.frm\r\n") != std::string::npos);
}

void frmSelectFilesTest::typingSaysUnderTheBoxWhatIsWrongAndFollowsWithOK() {
    settings_.SyncFileNames = true;
    settings_.SyncFileExtensions = true;
    ShowAndWait();
    frmSelectFiles& d = Dialog();
    // The folders a first use starts with are no mistake of the user's.
    QCOMPARE(d.lblFileProblem(0)->text(), QString());
    QCOMPARE(d.lblFileProblem(1)->text(), QString());
    choice_ = {true, folder2_ + "x.frm", 1};
    d.cmdSelectFile(1)->click();
    QCOMPARE(d.txtCompareFile(0)->text().toStdString(), folder1_ + "x.frm");
    QVERIFY(d.cmdOK()->isEnabled());

    QLineEdit* box = d.txtCompareFile(0);
    box->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(box->hasFocus());
    box->selectAll();
    QTest::keyClicks(box, QString::fromStdString(folder1_ + "x.fr"));
    QCOMPARE(d.lblFileProblem(0)->text(), QString("No such file"));
    QVERIFY(!d.cmdOK()->isEnabled());
    // Typing derives nothing: the other name waits until the box is left.
    QCOMPARE(d.txtCompareFile(1)->text().toStdString(), folder2_ + "x.frm");
    QCOMPARE(d.State().NewFileName[0], folder1_ + "x.frm");
    QTest::keyClick(box, Qt::Key_M);
    QCOMPARE(d.lblFileProblem(0)->text(), QString());
    QVERIFY(d.cmdOK()->isEnabled());
    QTest::keyClick(box, Qt::Key_Slash);
    QCOMPARE(d.lblFileProblem(0)->text(), QString("No such file"));
    QVERIFY(!d.cmdOK()->isEnabled());
    // A folder beside a file: the folder is fine in itself, the file cannot be compared with it.
    box->selectAll();
    QTest::keyClicks(box, QString::fromStdString(folder1_));
    QCOMPARE(d.lblFileProblem(0)->text(), QString());
    QCOMPARE(d.lblFileProblem(1)->text(),
             QString("A module file can only be compared with another module file, not with a "
                     "folder, a project, a project group or an Office document."));
    QVERIFY(!d.cmdOK()->isEnabled());
    QTest::keyClicks(box, "x.frm  ");  // blanks around a name do not count
    QCOMPARE(d.lblFileProblem(0)->text(), QString());
    QCOMPARE(d.lblFileProblem(1)->text(), QString());
    QVERIFY(d.cmdOK()->isEnabled());
    QVERIFY(messages_.empty());
}

void frmSelectFilesTest::aDerivedNameThatIsMissingStopsOKAndTakesTheFocus() {
    settings_.SyncFileNames = true;
    settings_.SyncFileExtensions = true;
    dir_->Write("one/z.bas", "z");  // with no two/z.bas beside it
    ShowAndWait();
    frmSelectFiles& d = Dialog();
    choice_ = {true, folder2_ + "x.frm", 1};
    d.cmdSelectFile(1)->click();
    QLineEdit* box = d.txtCompareFile(0);
    box->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(box->hasFocus());
    box->selectAll();
    QTest::keyClicks(box, QString::fromStdString(folder1_ + "z.bas"));
    QVERIFY(d.cmdOK()->isEnabled());
    // Leaving the box for OK derives File 2, which is missing: OK is not clicked, the line
    // under File 2 says why, and File 2's box has the focus to mend it.
    QTest::mouseClick(d.cmdOK(), Qt::LeftButton);
    QCOMPARE(d.txtCompareFile(1)->text().toStdString(), folder2_ + "z.bas");
    QVERIFY(!d.cmdOK()->isEnabled());
    QCOMPARE(d.lblFileProblem(1)->text(), QString("No such file"));
    QCOMPARE(d.lblFileProblem(0)->text(), QString());
    QTRY_VERIFY(d.txtCompareFile(1)->hasFocus());
    QCOMPARE(d.Tag(), std::string());
    QVERIFY(d.isVisible());
    QVERIFY(messages_.empty());
}

void frmSelectFilesTest::enterOnABrowseButtonBrowsesAsSpaceDoes() {
    ShowAndWait();
    frmSelectFiles& d = Dialog();
    choice_ = {false, "", 1};
    for (int i = 0; i < 2; ++i) {
        QPushButton* button = d.cmdSelectFile(i);
        button->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(button->hasFocus());
        requests_.clear();
        QTest::keyClick(button, Qt::Key_Return);
        QCOMPARE(requests_.size(), size_t{1});
        QTest::keyClick(button, Qt::Key_Enter);
        QTest::keyClick(button, Qt::Key_Space);
        QCOMPARE(requests_.size(), size_t{3});
        QCOMPARE(requests_[0].Title, std::string(i == 0 ? "Select File 1" : "Select File 2"));
    }
    // Enter on a button confirms nothing.
    QCOMPARE(d.Tag(), std::string());
    QVERIFY(d.isVisible());
}

}  // namespace dualis

QTEST_MAIN(dualis::frmSelectFilesTest)
#include "frmSelectFilesTest.moc"
