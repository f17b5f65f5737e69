// The file selection dialog: the user names File 1 and File 2 (two files, or two folders,
// projects or groups), and the dialog derives one name from the other by its sync settings. It
// never compares; OK leaves "OK" in its Tag.
#pragma once

#include <QDialog>
#include <QMessageBox>
#include <array>
#include <functional>
#include <string>

#include "CommonDialog.h"
#include "SelectRules.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace dualis {

class Tracing;
class cWindow;

class frmSelectFiles : public QDialog {
    Q_OBJECT

  public:
    // Shows a message box and returns the button that closed it.
    using MessageBoxFunction = std::function<QMessageBox::StandardButton(
        QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text,
        QMessageBox::StandardButtons buttons)>;

    // The dialog reads and, on OK, writes the [Files] settings and the comparison's file names.
    frmSelectFiles(Settings& settings, ComparisonState& comparison, Tracing& tracing,
                   cWindow& window, QWidget* parent = nullptr);
    ~frmSelectFiles() override;

    // Shows the dialog modally; afterwards Tag() is "OK" or "CANCEL".
    void Show();
    const std::string& Tag() const { return tag_; }

    // Empty: Qt's file dialog. Tests put a fake here.
    FileDialogRunner FileDialog;
    // Empty: QMessageBox. Tests put a fake here.
    MessageBoxFunction MessageBox;
    // Shows a folder dialog titled `title` starting at `start`; the folder chosen, empty when
    // cancelled. Empty: Qt's. Tests put a fake here.
    std::function<std::string(QWidget* owner, const std::string& title, const std::string& start)>
        FolderDialog;
    // The help file that the help button opens through cWindow::CallWinHelp.
    std::string HelpFile = "Dualis.HLP";

    // The working state, for tests.
    SelectState& State() { return state_; }

    QLineEdit* txtCompareFile(int index) const { return txtCompareFile_[index]; }
    QPushButton* cmdSelectFile(int index) const { return cmdSelectFile_[index]; }
    QPushButton* cmdSelectFolder(int index) const { return cmdSelectFolder_[index]; }
    QRadioButton* optSyncPaths(int index) const { return optSyncPaths_[index]; }
    QCheckBox* chkSyncFileNames() const { return chkSyncFileNames_; }
    QCheckBox* chkSyncFileExtensions() const { return chkSyncFileExtensions_; }
    QPushButton* cmdOK() const { return cmdOK_; }
    QPushButton* cmdCancel() const { return cmdCancel_; }
    QPushButton* cmdHelp() const { return cmdHelp_; }
    // The line under file box `index` that says why its name cannot be compared.
    QLabel* lblFileProblem(int index) const { return lblFileProblem_[index]; }

    // Escape and the window's close button cancel.
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void BuildControls();

    void Form_Load();
    void Form_Activate();
    void cmdSelectFile_Click(int index);
    void cmdSelectFolder_Click(int index);
    void txtCompareFile_GotFocus(int index);
    void txtCompareFile_KeyPress(int index, int keyAscii);
    void txtCompareFile_LostFocus(int index);
    void optSyncPaths_Click(int index);
    void chkSyncFileNames_Click();
    void chkSyncFileExtensions_Click();
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdHelp_Click();

    void EnableSync();
    bool SelectAFile(int index);
    void SyncNames(int index);
    // After side `index` got a new name: derive the other side and recheck OK.
    void SyncOtherSide(int index);
    void ShowNames();
    // The user typed in box `index`: the line under it and OK follow the text as it stands.
    void txtCompareFile_Change(int index);
    // The lines under both boxes for the names of the working state, or for `names`.
    void ShowProblems();
    void ShowProblems(const std::array<std::string, 2>& names);
    // OK enabled or not; when it loses the focus so, the focus goes to a box whose name is
    // wrong, where the user can mend it.
    void EnableOK(bool enabled);
    QMessageBox::StandardButton Message(const std::string& text,
                                        QMessageBox::StandardButtons buttons);

    Settings& settings_;
    ComparisonState& comparison_;
    Tracing& tracing_;
    cWindow& window_;
    SelectState state_;
    std::string tag_;
    bool loaded_ = false;

    QLabel* lblFile1_ = nullptr;
    QLabel* lblFile2_ = nullptr;
    std::array<QLineEdit*, 2> txtCompareFile_{};
    std::array<QPushButton*, 2> cmdSelectFile_{};
    std::array<QPushButton*, 2> cmdSelectFolder_{};
    std::array<QLabel*, 2> lblFileProblem_{};
    // A box still showing the folder that a first use starts it with: no file is named yet, so
    // nothing is wrong with it.
    std::array<bool, 2> startFolder_{};
    QLabel* Label4_ = nullptr;
    std::array<QRadioButton*, 5> optSyncPaths_{};
    QLabel* Label3_ = nullptr;
    QCheckBox* chkSyncFileNames_ = nullptr;
    QCheckBox* chkSyncFileExtensions_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
    QPushButton* cmdHelp_ = nullptr;
};

}  // namespace dualis
