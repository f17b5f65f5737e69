// The file dialogs of the common-dialog wrapper, over QFileDialog.
#include "CommonDialog.h"

#include <QFileDialog>
#include <QStringList>

#include "RunTimeError.h"
#include "Tracing.h"

namespace dualis {

FileDialogChoice RunQtFileDialog(QWidget* owner, const FileDialogRequest& request) {
    QFileDialog dialog(owner, QString::fromStdString(request.Title),
                       QString::fromStdString(request.InitDir));
    dialog.setAcceptMode(request.Action == ActionSave ? QFileDialog::AcceptSave
                                                      : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.FileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (request.Action == ActionSave && !request.OverwritePrompt) {
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    }
    QStringList filters;
    for (const FileFilter& f : request.Filters) {
        filters << QString::fromStdString(NameFilterText(f));
    }
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.at(request.FilterIndex - 1));
    }
    if (!request.DefaultExt.empty())
        dialog.setDefaultSuffix(QString::fromStdString(request.DefaultExt));
    if (!request.FileName.empty()) dialog.selectFile(QString::fromStdString(request.FileName));

    FileDialogChoice choice;
    choice.FilterIndex = request.FilterIndex;
    if (dialog.exec() != QDialog::Accepted) return choice;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) return choice;
    choice.Confirmed = true;
    choice.FileName = files.first().toStdString();
    const qsizetype selected = filters.indexOf(dialog.selectedNameFilter());
    if (selected >= 0) choice.FilterIndex = static_cast<int16_t>(selected + 1);
    return choice;
}

FileDialogRequest clsCommonDialog::PrepareRequest(int16_t action) const {
    FileDialogRequest request;
    request.Action = action;
    request.Title = DialogTitle;
    request.Filters = ParseFilter(Filter);
    request.FilterIndex = ClampFilterIndex(FilterIndex, request.Filters.size());
    request.InitDir = InitDir;
    request.FileName = ProposedFileName(FileName, MaxFileSize);
    request.DefaultExt = DefaultExt;
    request.MaxNameLength = MaxNameLength(MaxFileSize);
    request.FileMustExist = (flags & OfnFileMustExist) != 0;
    request.OverwritePrompt = (flags & OfnOverwritePrompt) != 0;
    request.Flags = flags;
    return request;
}

void clsCommonDialog::ShowOpen() {
    ShowFileDialog(ActionOpen, "clsCommonDialog: ShowOpen");
}

void clsCommonDialog::ShowSave() {
    ShowFileDialog(ActionSave, "clsCommonDialog: ShowSave");
}

void clsCommonDialog::ShowFileDialog(int16_t action, const char* procText) {
    auto body = [&] {
        apiReturn_ = 0;
        extendedError_ = 0;
        cancelled_ = false;
        action_ = action;
        const FileDialogRequest request = PrepareRequest(action);
        return ApplyChoice(Runner ? Runner(Owner, request) : RunQtFileDialog(Owner, request));
    };
    const bool cancelled = Trace ? Trace->Run(TraceKind::Classes, procText, body) : body();
    // Raised after the trace's exit line: a cancel the caller asked to hear of is no failure.
    if (cancelled && CancelError) {
        throw RunTimeError(ErrDialogCancelled, "Cancel was selected.", "Dualis", procText);
    }
}

bool clsCommonDialog::ApplyChoice(const FileDialogChoice& choice) {
    if (!choice.Confirmed) {
        cancelled_ = true;
        return true;
    }
    if (!FitsNameBuffer(choice.FileName, MaxFileSize)) {
        extendedError_ = FnerrBufferTooSmall;
        return false;
    }
    apiReturn_ = 1;
    FileName = choice.FileName;
    const ChosenFileParts parts = SplitChosenFile(choice.FileName);
    FileTitle = parts.FileTitle;
    InitDir = parts.InitDir;
    FilterIndex = choice.FilterIndex;
    return false;
}

}  // namespace dualis
