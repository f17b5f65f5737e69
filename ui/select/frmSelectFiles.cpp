// The file selection dialog: its handlers, and the open-file and folder dialogs per side.
#include "frmSelectFiles.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>

#include "DirectionControls.h"
#include "FileControls.h"
#include "Source.h"
#include "Tracing.h"
#include "Window.h"

namespace dualis {
namespace {

constexpr const char* VBFilter =
    "VB files(*.bas;*.cls;*.ctl;*.dsr;*.frm;*.mak;*.pag;*.res;*.vbp)|"
    "*.bas;*.cls;*.ctl;*.dsr;*.frm;*.mak;*.pag;*.res;*.vbp|All(*.*)|*.*|"
    "Projects and groups(*.vbp;*.vbg)|*.vbp;*.vbg";
constexpr int32_t SelectFileFlags = OfnFileMustExist | OfnHideReadOnly;  // 4100
constexpr const char* AppTitle = "Dualis";

QMessageBox::StandardButton RunMessageBox(QWidget* parent, QMessageBox::Icon icon,
                                          const QString& title, const QString& text,
                                          QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, title, text, buttons, parent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

std::string RunFolderDialog(QWidget* owner, const std::string& title, const std::string& start) {
    return QFileDialog::getExistingDirectory(owner, QString::fromStdString(title),
                                             QString::fromStdString(start))
        .toStdString();
}

}  // namespace

frmSelectFiles::frmSelectFiles(Settings& settings, ComparisonState& comparison, Tracing& tracing,
                               cWindow& window, QWidget* parent)
    : QDialog(parent),
      settings_(settings),
      comparison_(comparison),
      tracing_(tracing),
      window_(window) {
    BuildControls();
}

frmSelectFiles::~frmSelectFiles() {
    // The boxes outlive this object's members while the dialog's base part deletes its
    // children, and losing the focus then must not reach the handlers.
    for (QLineEdit* box : txtCompareFile_) {
        auto* fileBox = static_cast<FileBox*>(box);
        fileBox->GotFocus = nullptr;
        fileBox->LostFocus = nullptr;
        fileBox->KeyPress = nullptr;
    }
}

void frmSelectFiles::Show() {
    exec();
}

void frmSelectFiles::reject() {
    cmdCancel_Click();
}

void frmSelectFiles::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    if (!loaded_) {
        loaded_ = true;
        Form_Load();
    }
    Form_Activate();
}

void frmSelectFiles::Form_Load() {
    tracing_.Run(TraceKind::Events, "frmSelectFiles: Form_Load", [&] {
        window_.Center(this);
        const auto mountTable = state_.MountTable;
        state_ = StartState(settings_, comparison_);
        state_.MountTable = mountTable;
        if (state_.PathRule >= 0 && state_.PathRule <= 4) {
            optSyncPaths_[state_.PathRule]->setChecked(true);
        }
        chkSyncFileNames_->setChecked(settings_.SyncFileNames);
        chkSyncFileExtensions_->setChecked(settings_.SyncFileExtensions);
        EnableSync();
        ShowNames();
        startFolder_ = {state_.FirstFocus, state_.FirstFocus};
        ShowProblems();
        if (state_.FirstFocus) cmdOK_->setEnabled(false);
    });
}

void frmSelectFiles::Form_Activate() {
    tracing_.Run(TraceKind::Events, "frmSelectFiles: Form_Activate", [&] {
        // Every showing starts in File 1's box, wherever the focus was when it was last closed.
        txtCompareFile_[0]->setFocus(Qt::OtherFocusReason);
        if (comparison_.FileName[0].empty()) return;
        ReloadConfirmed(state_, settings_, comparison_);
        ShowNames();
        startFolder_ = {false, false};
        ShowProblems();
        // A comparison made elsewhere (command line, recent files) after a first Cancel must
        // not leave OK disabled from the first showing.
        cmdOK_->setEnabled(OKEnabled(state_));
    });
}

void frmSelectFiles::ShowNames() {
    for (int i = 0; i < 2; ++i) {
        // setText leaves the caret after the last character.
        txtCompareFile_[i]->setText(QString::fromStdString(state_.NewFileName[i]));
    }
}

void frmSelectFiles::ShowProblems(const std::array<std::string, 2>& names) {
    const std::array<std::string, 2> problems = PairProblems(names);
    for (size_t i = 0; i < 2; ++i) {
        const std::string& problem = startFolder_[i] ? "" : problems[i];
        lblFileProblem_[i]->setText(QString::fromStdString(problem));
    }
}

void frmSelectFiles::ShowProblems() {
    ShowProblems(state_.NewFileName);
}

void frmSelectFiles::EnableOK(bool enabled) {
    const bool hadFocus = cmdOK_->hasFocus();
    cmdOK_->setEnabled(enabled);
    if (!hadFocus || enabled) return;
    for (int i = 0; i < 2; ++i) {
        if (!lblFileProblem_[i]->text().isEmpty()) {
            txtCompareFile_[i]->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

void frmSelectFiles::txtCompareFile_Change(int index) {
    tracing_.Run(TraceKind::Events, "frmSelectFiles: txtCompareFile_Change", [&] {
        // Only the line and OK follow the typing: the other name is derived when the box is
        // left.
        const std::string typed = txtCompareFile_[index]->text().trimmed().toStdString();
        startFolder_[index] = false;
        std::array<std::string, 2> names = state_.NewFileName;
        names[static_cast<size_t>(index)] = typed;
        ShowProblems(names);
        cmdOK_->setEnabled(OKEnabledWhileTyping(state_, index, typed));
    });
}

void frmSelectFiles::EnableSync() {
    tracing_.Run(TraceKind::App, "frmSelectFiles: EnableSync", [&] {
        const SyncEnabled enabled = dualis::EnableSync(state_);
        optSyncPaths_[1]->setEnabled(enabled.SamePath);
        chkSyncFileNames_->setEnabled(enabled.FileNames);
        chkSyncFileExtensions_->setEnabled(enabled.FileExtensions);
    });
}

void frmSelectFiles::optSyncPaths_Click(int index) {
    tracing_.Run(TraceKind::Events, "frmSelectFiles: optSyncPaths_Click", [&] {
        state_.PathRule = static_cast<int16_t>(index);
        EnableSync();
    });
}

void frmSelectFiles::chkSyncFileNames_Click() {
    tracing_.Run(TraceKind::Events, "frmSelectFiles: chkSyncFileNames_Click", [&] {
        state_.SyncFileNames = chkSyncFileNames_->isChecked();
        EnableSync();
    });
}

void frmSelectFiles::chkSyncFileExtensions_Click() {
    tracing_.Run(TraceKind::Events, "frmSelectFiles: chkSyncFileExtensions_Click", [&] {
        state_.SyncFileExtensions = chkSyncFileExtensions_->isChecked();
        EnableSync();
    });
}

bool frmSelectFiles::SelectAFile(int index) {
    return tracing_.Run(TraceKind::App, "frmSelectFiles: SelectAFile", [&] {
        clsCommonDialog dialog;
        dialog.Owner = this;
        dialog.Runner = FileDialog;
        dialog.Trace = &tracing_;
        dialog.Filter = VBFilter;
        dialog.flags = SelectFileFlags;
        dialog.CancelError = false;
        dialog.DialogTitle = index == 0 ? "Select File 1" : "Select File 2";
        dialog.FilterIndex = index == 0 ? settings_.SourceFilterIndex : settings_.TargetFilterIndex;
        dialog.InitDir = state_.NewPath[index];
        if (!state_.NewBaseName[index].empty()) {
            // No dot after a name without extension: "x." would name another file.
            dialog.FileName = state_.NewBaseName[index];
            if (!state_.NewExtension[index].empty())
                dialog.FileName += "." + state_.NewExtension[index];
        }
        dialog.ShowOpen();
        if (dialog.APIReturn() == 0) return false;
        SetFileName(state_, index, dialog.FileName);
        startFolder_[index] = false;
        txtCompareFile_[index]->setText(QString::fromStdString(dialog.FileName));
        (index == 0 ? settings_.SourceFilterIndex : settings_.TargetFilterIndex) =
            dialog.FilterIndex;
        return true;
    });
}

void frmSelectFiles::SyncNames(int index) {
    tracing_.Run(TraceKind::App, "frmSelectFiles: SyncNames",
                 [&] { dualis::SyncNames(state_, index); });
}

void frmSelectFiles::SyncOtherSide(int index) {
    tracing_.Run(TraceKind::App, "frmSelectFiles: SyncOtherSide", [&] {
        SyncNames(index);
        const int other = 1 - index;
        const std::string before = state_.NewFileName[other];
        if (BuildOtherFileName(state_, index)) {
            txtCompareFile_[other]->setText(QString::fromStdString(state_.NewFileName[other]));
            if (state_.NewFileName[other] != before) startFolder_[other] = false;
        }
        ShowProblems();
        EnableOK(OKEnabled(state_));
    });
}

void frmSelectFiles::cmdSelectFile_Click(int index) {
    tracing_.Run(TraceKind::Events, "frmSelectFiles: cmdSelectFile_Click", [&] {
        if (!SelectAFile(index)) return;
        SyncOtherSide(index);
    });
}

void frmSelectFiles::cmdSelectFolder_Click(int index) {
    tracing_.Run(TraceKind::Events, "frmSelectFiles: cmdSelectFolder_Click", [&] {
        const std::string title = index == 0 ? "Select Folder 1" : "Select Folder 2";
        // The folder the box names, else the one it stands in.
        const std::string& name = state_.NewFileName[index];
        const std::string start =
            project::ClassifyPath(name) == project::PathKind::Folder ? name : state_.NewPath[index];
        const std::string folder =
            (FolderDialog ? FolderDialog : RunFolderDialog)(this, title, start);
        if (folder.empty()) return;
        SetFileName(state_, index, folder);
        startFolder_[index] = false;
        txtCompareFile_[index]->setText(QString::fromStdString(folder));
        SyncOtherSide(index);
    });
}

void frmSelectFiles::txtCompareFile_GotFocus(int index) {
    tracing_.Run(TraceKind::Events, "frmSelectFiles: txtCompareFile_GotFocus", [&] {
        QLineEdit* box = txtCompareFile_[index];
        if (state_.FirstFocus) {
            state_.FirstFocus = false;
            box->deselect();
            box->setCursorPosition(static_cast<int>(box->text().size()));
        } else {
            window_.HiLIte(box);
        }
    });
}

void frmSelectFiles::txtCompareFile_KeyPress(int index, int keyAscii) {
    tracing_.Run(TraceKind::Events, "frmSelectFiles: txtCompareFile_KeyPress", [&] {
        if (keyAscii != KeyEnter) return;
        txtCompareFile_LostFocus(index);
        if (cmdOK_->isEnabled()) cmdOK_Click();
    });
}

void frmSelectFiles::txtCompareFile_LostFocus(int index) {
    tracing_.Run(TraceKind::Events, "frmSelectFiles: txtCompareFile_LostFocus", [&] {
        const std::string text = txtCompareFile_[index]->text().trimmed().toStdString();
        tracing_.LogData(TraceKind::App, text);
        SetFileName(state_, index, text);
        SyncOtherSide(index);
    });
}

QMessageBox::StandardButton frmSelectFiles::Message(const std::string& text,
                                                    QMessageBox::StandardButtons buttons) {
    const MessageBoxFunction& show = MessageBox ? MessageBox : RunMessageBox;
    // A file name in the message cannot turn it round.
    return show(this, QMessageBox::Warning, AppTitle,
                QString::fromStdString(NameDirectionControls(text)), buttons);
}

void frmSelectFiles::cmdOK_Click() {
    tracing_.Run(TraceKind::Events, "frmSelectFiles: cmdOK_Click", [&] {
        const ConfirmCheck check = CheckConfirm(state_);
        if (check == ConfirmCheck::File1Missing || check == ConfirmCheck::File2Missing) {
            Message(ConfirmMessage(check, state_), QMessageBox::Ok);
            return;
        }
        if (check == ConfirmCheck::SameFile &&
            Message(ConfirmMessage(check, state_), QMessageBox::Ok | QMessageBox::Cancel) !=
                QMessageBox::Ok) {
            return;
        }
        ConfirmSelection(state_, settings_, comparison_);
        tag_ = "OK";
        done(QDialog::Accepted);
    });
}

void frmSelectFiles::cmdCancel_Click() {
    tracing_.Run(TraceKind::Events, "frmSelectFiles: cmdCancel_Click", [&] {
        tag_ = "CANCEL";
        done(QDialog::Rejected);
    });
}

void frmSelectFiles::cmdHelp_Click() {
    tracing_.Run(TraceKind::Events, "frmSelectFiles: cmdHelp_Click",
                 [&] { window_.CallWinHelp(HelpFile, HelpContents); });
}

}  // namespace dualis
