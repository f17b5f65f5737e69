// The common-dialog wrapper: the caller sets properties, calls ShowOpen or ShowSave, and reads
// the result back from the same properties. The file dialog itself is Qt's, or a runner that a
// test installs in its place.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "CommonDialogRules.h"

class QWidget;

namespace dualis {

class Tracing;

// Values of Action: which dialog ran last.
inline constexpr int16_t ActionOpen = 1;
inline constexpr int16_t ActionSave = 2;

// Everything a file dialog is shown with, prepared from the properties.
struct FileDialogRequest {
    int16_t Action = ActionOpen;
    std::string Title;                // empty: the dialog's own title
    std::vector<FileFilter> Filters;  // may be empty: every name is shown
    int16_t FilterIndex = 1;          // 1-based, within Filters
    std::string InitDir;              // empty: the dialog's own choice
    std::string FileName;             // proposed name, already cut to the name buffer
    std::string DefaultExt;           // without the dot
    int32_t MaxNameLength = 254;      // longest name the caller takes back, in characters
    bool FileMustExist = false;
    bool OverwritePrompt = false;
    int32_t Flags = 0;  // the whole flag word, as the caller gave it
};

// What the user did with the dialog.
struct FileDialogChoice {
    bool Confirmed = false;
    std::string FileName;     // the chosen full name
    int16_t FilterIndex = 1;  // 1-based number of the filter left selected
};

// Shows a prepared file dialog, modal to `owner`, and returns the user's choice.
using FileDialogRunner = std::function<FileDialogChoice(QWidget* owner, const FileDialogRequest&)>;

// The runner over QFileDialog.
FileDialogChoice RunQtFileDialog(QWidget* owner, const FileDialogRequest& request);

class clsCommonDialog {
  public:
    // Shows the open-file or the save-file dialog. A confirmed choice sets FileName, FileTitle,
    // FilterIndex and InitDir; a cancel sets Cancelled and, when CancelError is on, raises the
    // run-time error 32755 to the caller. A chosen name longer than the name buffer is refused:
    // ExtendedError takes its code and nothing else changes.
    void ShowOpen();
    void ShowSave();

    QWidget* Owner = nullptr;  // the dialog is modal to this window
    std::string DialogTitle;
    std::string Filter;  // "desc|pattern|desc|pattern", the last "|" optional
    int16_t FilterIndex = 0;
    std::string FileName;
    std::string FileTitle;
    std::string InitDir;
    std::string DefaultExt;
    int32_t MaxFileSize = 0;  // below 1: 255
    int32_t flags = 0;
    bool CancelError = false;

    int16_t Action() const { return action_; }
    int32_t APIReturn() const { return apiReturn_; }
    int32_t ExtendedError() const { return extendedError_; }
    bool Cancelled() const { return cancelled_; }

    // Empty: RunQtFileDialog. Tests put a fake here so that no modal dialog blocks them.
    FileDialogRunner Runner;
    // When set, ShowOpen and ShowSave trace under LogClasses.
    Tracing* Trace = nullptr;

    // The request ShowOpen or ShowSave would show, from the present properties.
    FileDialogRequest PrepareRequest(int16_t action) const;

  private:
    void ShowFileDialog(int16_t action, const char* procText);
    // Applies the choice; true when the user cancelled.
    bool ApplyChoice(const FileDialogChoice& choice);

    int16_t action_ = 0;
    int32_t apiReturn_ = 0;
    int32_t extendedError_ = 0;
    bool cancelled_ = false;
};

}  // namespace dualis
