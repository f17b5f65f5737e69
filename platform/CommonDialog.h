// The common-dialog wrapper: the caller sets properties, calls ShowOpen, ShowSave, ShowColor or
// ShowFont, and reads the result back from the same properties. The dialogs themselves are Qt's,
// or runners that a test installs in their place.
#pragma once

#include <array>
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
inline constexpr int16_t ActionColor = 3;
inline constexpr int16_t ActionFont = 4;

// Colours are RGB with red in the low byte and blue in the third.
using CustomColorTable = std::array<uint32_t, 16>;

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

struct ColorDialogRequest {
    std::string Title;  // empty: the dialog's own title
    uint32_t Color = 0;
    CustomColorTable CustomColors{};
    int32_t Flags = 0;  // the whole flag word, as the caller gave it
};

struct ColorDialogChoice {
    bool Confirmed = false;
    uint32_t Color = 0;
    CustomColorTable CustomColors{};  // as the user left them
};

using ColorDialogRunner =
    std::function<ColorDialogChoice(QWidget* owner, const ColorDialogRequest&)>;

// The runner over QColorDialog.
ColorDialogChoice RunQtColorDialog(QWidget* owner, const ColorDialogRequest& request);

// A font as the font dialog starts with it and returns it.
struct DialogFont {
    std::string Name;  // empty: the dialog's default font
    float Size = 0;    // points; 0 or less: the size of the dialog's default font
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Strikethru = false;
    uint32_t Color = 0;
};

struct FontDialogRequest {
    std::string Title;  // empty: the dialog's own title
    DialogFont Font;
    int32_t Flags = 0;  // the whole flag word, as the caller gave it
};

struct FontDialogChoice {
    bool Confirmed = false;
    DialogFont Font;
};

using FontDialogRunner = std::function<FontDialogChoice(QWidget* owner, const FontDialogRequest&)>;

// The runner over QFontDialog. Its dialog offers no text colour: the choice keeps the request's.
FontDialogChoice RunQtFontDialog(QWidget* owner, const FontDialogRequest& request);

class clsCommonDialog {
  public:
    // Shows the open-file or the save-file dialog. A confirmed choice sets FileName, FileTitle,
    // FilterIndex and InitDir; a cancel sets Cancelled and, when CancelError is on, raises the
    // run-time error 32755 to the caller. A chosen name longer than the name buffer is refused:
    // ExtendedError takes its code and nothing else changes.
    void ShowOpen();
    void ShowSave();
    // Show the colour or the font dialog, started from Color and the custom colours, or from
    // the font properties. A confirmed choice sets them; a cancel changes nothing and is
    // reported as for the file dialogs.
    void ShowColor();
    void ShowFont();

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
    uint32_t Color = 0;
    // Slots without a colour of their own show white, as empty slots do in colour dialogs.
    CustomColorTable CustomColors = [] {
        CustomColorTable white;
        white.fill(0xFFFFFF);
        return white;
    }();
    std::string FontName;
    float FontSize = 0;  // points; a chosen size is kept to a tenth of a point
    bool FontBold = false;
    bool FontItalic = false;
    bool FontUnderline = false;
    bool FontStrikethru = false;
    uint32_t FontColor = 0;

    int16_t Action() const { return action_; }
    int32_t APIReturn() const { return apiReturn_; }
    int32_t ExtendedError() const { return extendedError_; }
    bool Cancelled() const { return cancelled_; }

    // Empty: RunQtFileDialog, RunQtColorDialog, RunQtFontDialog. Tests put fakes here so that
    // no modal dialog blocks them.
    FileDialogRunner Runner;
    ColorDialogRunner ColorRunner;
    FontDialogRunner FontRunner;
    // When set, the Show operations trace under LogClasses.
    Tracing* Trace = nullptr;

    // The request ShowOpen or ShowSave would show, from the present properties.
    FileDialogRequest PrepareRequest(int16_t action) const;

  private:
    // Runs one Show operation: resets the outcome, sets Action, traces, runs `show` (which
    // returns true when the user cancelled) and raises the cancel when CancelError asks.
    void Show(int16_t action, const char* procText, const std::function<bool()>& show);
    // Applies the choice; true when the user cancelled.
    bool ApplyChoice(const FileDialogChoice& choice);

    int16_t action_ = 0;
    int32_t apiReturn_ = 0;
    int32_t extendedError_ = 0;
    bool cancelled_ = false;
};

}  // namespace dualis
