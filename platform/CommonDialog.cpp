// The common-dialog wrapper over QFileDialog, QColorDialog and QFontDialog.
#include "CommonDialog.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QStringList>
#include <cmath>

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

namespace {

QColor ToQColor(uint32_t rgb) {
    return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                  static_cast<int>((rgb >> 16) & 0xFF));
}

uint32_t FromQColor(const QColor& colour) {
    return static_cast<uint32_t>(colour.red()) | static_cast<uint32_t>(colour.green()) << 8 |
           static_cast<uint32_t>(colour.blue()) << 16;
}

}  // namespace

ColorDialogChoice RunQtColorDialog(QWidget* owner, const ColorDialogRequest& request) {
    // Qt keeps one table of custom colours, which it saves for every Qt program of the user:
    // the dialog shows the caller's, and Qt's own are put back before it saves them.
    const int count = static_cast<int>(request.CustomColors.size());
    std::vector<QColor> shared;
    for (int i = 0; i < count; ++i) {
        shared.push_back(QColorDialog::customColor(i));
        QColorDialog::setCustomColor(i, ToQColor(request.CustomColors[i]));
    }
    QColorDialog dialog(ToQColor(request.Color), owner);
    if (!request.Title.empty()) dialog.setWindowTitle(QString::fromStdString(request.Title));
    ColorDialogChoice choice;
    choice.Confirmed = dialog.exec() == QDialog::Accepted;
    if (choice.Confirmed) choice.Color = FromQColor(dialog.selectedColor());
    for (int i = 0; i < count; ++i) {
        choice.CustomColors[i] = FromQColor(QColorDialog::customColor(i));
        QColorDialog::setCustomColor(i, shared[i]);
    }
    return choice;
}

FontDialogChoice RunQtFontDialog(QWidget* owner, const FontDialogRequest& request) {
    const DialogFont& start = request.Font;
    QFont font;
    if (!start.Name.empty()) font.setFamily(QString::fromStdString(start.Name));
    if (start.Size > 0) font.setPointSizeF(start.Size);
    font.setWeight(start.Bold ? QFont::Bold : QFont::Normal);
    font.setItalic(start.Italic);
    font.setUnderline(start.Underline);
    font.setStrikeOut(start.Strikethru);
    QFontDialog dialog(font, owner);
    if (!request.Title.empty()) dialog.setWindowTitle(QString::fromStdString(request.Title));
    FontDialogChoice choice{false, start};
    if (dialog.exec() != QDialog::Accepted) return choice;
    const QFont chosen = dialog.selectedFont();
    choice.Confirmed = true;
    choice.Font.Name = chosen.family().toStdString();
    choice.Font.Size = static_cast<float>(chosen.pointSizeF());
    choice.Font.Bold = chosen.weight() >= QFont::Bold;
    choice.Font.Italic = chosen.italic();
    choice.Font.Underline = chosen.underline();
    choice.Font.Strikethru = chosen.strikeOut();
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
    Show(ActionOpen, "clsCommonDialog: ShowOpen", [this] {
        const FileDialogRequest request = PrepareRequest(ActionOpen);
        return ApplyChoice(Runner ? Runner(Owner, request) : RunQtFileDialog(Owner, request));
    });
}

void clsCommonDialog::ShowSave() {
    Show(ActionSave, "clsCommonDialog: ShowSave", [this] {
        const FileDialogRequest request = PrepareRequest(ActionSave);
        return ApplyChoice(Runner ? Runner(Owner, request) : RunQtFileDialog(Owner, request));
    });
}

void clsCommonDialog::ShowColor() {
    Show(ActionColor, "clsCommonDialog: ShowColor", [this] {
        const ColorDialogRequest request{DialogTitle, Color, CustomColors, flags};
        const ColorDialogChoice choice =
            ColorRunner ? ColorRunner(Owner, request) : RunQtColorDialog(Owner, request);
        if (!choice.Confirmed) return true;
        apiReturn_ = 1;
        Color = choice.Color;
        CustomColors = choice.CustomColors;
        return false;
    });
}

void clsCommonDialog::ShowFont() {
    Show(ActionFont, "clsCommonDialog: ShowFont", [this] {
        const FontDialogRequest request{
            DialogTitle,
            {FontName, FontSize, FontBold, FontItalic, FontUnderline, FontStrikethru, FontColor},
            flags};
        const FontDialogChoice choice =
            FontRunner ? FontRunner(Owner, request) : RunQtFontDialog(Owner, request);
        if (!choice.Confirmed) return true;
        apiReturn_ = 1;
        FontName = choice.Font.Name;
        FontSize = std::round(choice.Font.Size * 10) / 10;
        FontBold = choice.Font.Bold;
        FontItalic = choice.Font.Italic;
        FontUnderline = choice.Font.Underline;
        FontStrikethru = choice.Font.Strikethru;
        FontColor = choice.Font.Color;
        return false;
    });
}

void clsCommonDialog::Show(int16_t action, const char* procText,
                           const std::function<bool()>& show) {
    auto body = [&] {
        apiReturn_ = 0;
        extendedError_ = 0;
        cancelled_ = false;
        action_ = action;
        return show();
    };
    cancelled_ = Trace ? Trace->Run(TraceKind::Classes, procText, body) : body();
    // Raised after the trace's exit line: a cancel the caller asked to hear of is no failure.
    if (cancelled_ && CancelError) {
        throw RunTimeError(ErrDialogCancelled, "Cancel was selected.", "Dualis", procText);
    }
}

bool clsCommonDialog::ApplyChoice(const FileDialogChoice& choice) {
    if (!choice.Confirmed) return true;
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
