// The options dialog: two pages, "Compare" and "Display", on which the comparison and display
// options are edited. OK stores every control and writes the settings file when anything
// changed, and hides the dialog; Cancel closes it, and the next showing starts afresh from the
// settings. Its rules live in OptionsRules; the widgets only apply them.
#pragma once

#include <QDialog>
#include <QFrame>
#include <array>
#include <functional>
#include <optional>
#include <string>

#include "CommonDialog.h"
#include "OptionsRules.h"
#include "Settings.h"
#include "Tracing.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTabBar;

namespace dualis {

class fcSpinControl;

// A box that shows one colour; a double-click, or Enter or Space, asks for another.
class ColourBox : public QFrame {
    Q_OBJECT
  public:
    explicit ColourBox(QWidget* parent = nullptr);
    void SetColour(uint32_t rgb);
    uint32_t Colour() const { return colour_; }

  signals:
    void Activated();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    uint32_t colour_ = 0;
};

// What the dialog works with; all of it outlives the dialog.
struct OptionsDialogContext {
    Settings& Values;
    Tracing& Trace;
    bool& OptionsChanged;  // set by OK when anything changed
    int16_t& OptionsTab;   // the page a freshly loaded dialog opens on (0 or 1: Compare)
    // Writes every setting to the settings file; the message to show when that failed.
    std::function<std::optional<std::string>()> SaveSettings = {};
    std::function<void(int helpCommand, int contextId)> ShowHelp = {};
    // Shows a message with the application's title. Tests replace it.
    std::function<void(QWidget* owner, const std::string& text)> ShowMessage = {};
    ColorDialogRunner ChooseColor = {};  // empty: the system's dialogs
    FontDialogRunner ChooseFont = {};
};

class frmOptions : public QDialog {
    Q_OBJECT
  public:
    explicit frmOptions(OptionsDialogContext context, QWidget* parent = nullptr);
    ~frmOptions() override;

    // Loads every control from the settings and opens on the page OptionsTab names.
    void Form_Load();
    // True once Cancel closed the dialog: the owner then discards it.
    bool Unloaded() const { return unloaded_; }

    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdHelp_Click();
    void cmdFont_Click();
    void SelectColor(ColourRow row, int which);
    // Pages 1 (Compare) and 2 (Display).
    int CurrentPage() const;
    void SelectPage(int page);

    // The controls' state, and putting a state into them.
    OptionsControls Controls() const;
    void ApplyControls(const OptionsControls& c);

    bool DialogChanged = false;

    QTabBar* tabHolder;
    QStackedWidget* tabPages;
    QCheckBox* chkTrailing;
    QCheckBox* chkLeading;
    QCheckBox* chkEmbedded;
    QCheckBox* chkIgnoreBlankLines;
    QCheckBox* chkIgnoreLineNumbers;
    QCheckBox* chkCase;
    QCheckBox* chkIgnoreComments;
    QRadioButton* optReSync;
    fcSpinControl* txtReSync;
    QRadioButton* optLineByLine;
    QCheckBox* chkShowFileOpen;
    QCheckBox* chkExpandTabs;
    fcSpinControl* txtTabWidth;
    QCheckBox* chkShowSymbols;
    QCheckBox* chkHighlightInLine;
    QCheckBox* chkDifferencesOnly;
    fcSpinControl* txtDifferencesBefore;
    fcSpinControl* txtDifferencesAfter;
    QPushButton* cmdFont;
    QCheckBox* chkDisplayLineNumbers;
    QGroupBox* zpnlLineNumbers;
    QRadioButton* optCountTopProcedure;
    QRadioButton* optCountTopFile;
    std::array<QLabel*, ColourRows> lblPreview{};
    std::array<ColourBox*, ColourRows> lblBack{};
    std::array<ColourBox*, ColourRows> lblFore{};
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    QPushButton* cmdHelp;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;

  private:
    QWidget* BuildComparePage();
    QWidget* BuildDisplayPage();
    QWidget* BuildColourGrid();
    void Connect();
    void ApplyEnabling();
    void ShowPreviews();
    // What a key does at the dialog's level: the page it shows (1 or 2), kHelpKey for F1 and
    // Alt+F1, or 0 when the key is the controls'.
    static constexpr int kHelpKey = -1;
    int KeyTarget(int key, Qt::KeyboardModifiers modifiers) const;
    void Changed() { DialogChanged = true; }
    template <class Body>
    void Run(TraceKind kind, const char* procName, Body&& body) {
        ctx_.Trace.Run(kind, std::string("frmOptions: ") + procName, body);
    }

    OptionsDialogContext ctx_;
    FontChoice previewFont_;
    bool unloaded_ = false;
};

}  // namespace dualis
