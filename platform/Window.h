// The window utilities: the system's folders, its version text and new temporary file names,
// and the window methods (defined in WindowQt.cpp, so that this header stays free of Qt).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

class QWidget;
class QLineEdit;
class QAbstractItemView;

namespace dualis {

class Tracing;

// Help commands of CallWinHelp.
inline constexpr int HelpContext = 1;   // open the topic of the context number
inline constexpr int HelpContents = 3;  // open the start of the manual
inline constexpr int HelpFinder = 11;   // the contents-and-index command

// Twips per pixel at a logical DPI (15 at 96 DPI); 15 when the DPI is not positive.
inline double TwipsPerPixel(double logicalDpi) {
    return logicalDpi > 0 ? 1440.0 / logicalDpi : 15.0;
}

// Twips to whole pixels, to the nearest.
inline int32_t TwipsToPixels(int32_t twips, double twipsPerPixel) {
    const double pixels = twips / (twipsPerPixel > 0 ? twipsPerPixel : 15.0);
    return static_cast<int32_t>(pixels < 0 ? pixels - 0.5 : pixels + 0.5);
}

class cWindow {
  public:
    // Centres a window in its normal state (a minimised, maximised or full-screen one stays):
    // a top-level window on the available area of its screen, a child window in its parent.
    void Center(QWidget* frm) const;
    // Raises a window above its siblings and activates it.
    void BringToTop(QWidget* frm) const;
    // Keeps a window above all others, or ends that, leaving it where it is and as visible as
    // it was.
    void OnTop(QWidget* frm, bool setOnTop) const;
    // Opens the help viewer with the command and context; nothing when helpFile is empty or no
    // viewer is installed.
    void CallWinHelp(const std::string& helpFile, int helpCommand, int contextId = 0) const;
    // Selects the whole text of a text field.
    void HiLIte(QLineEdit* c) const;
    // Makes a list scrollable to `howMuch` twips across (a combo box: pass its view()).
    void SetHorizontalExtent(QAbstractItemView* ctl, int32_t howMuch) const;

    // The help window, installed by the application.
    std::function<void(int helpCommand, int contextId)> HelpViewer;
    // When set, the window methods trace under LogClasses.
    Tracing* Trace = nullptr;

    // The folder of the system-wide settings, with its trailing separator.
    std::string WinDir() const;
    // The system's name and version: " Linux Version 6.1 Build 0" and, when the system says
    // more (its release's rest or its version string), a blank and that text.
    std::string WinVersion() const;
    // A new, empty file whose name starts with the prefix, in the program's folder or, where
    // that cannot be written, in the per-user data folder. Empty when none can be made.
    std::string GetTempFile(const std::string& filePrefix) const;
};

// The text of WinVersion from the parts of a system release such as "6.1.0-18-amd64".
std::string VersionText(const std::string& systemName, const std::string& release,
                        const std::string& details);

}  // namespace dualis
