// The main window's options command: the options dialog, the offer to compare again, and the
// redraw that follows a new comparison.
#include "ProjectWindow.h"
#include "frmMain.h"

namespace dualis {

void frmMain::mnuViewOptions_Click() {
    Run(TraceKind::Events, "mnuViewOptions_Click", [&] {
        NotRecompared = true;
        const bool highlighted = ctx_.Values.HighlightInLine;
        SetOptions();
        SetupLegend();
        procList_->ColoursChanged();  // the lists show the classes' colours
        project_->ColoursChanged();
        if (ctx_.State.FilesCompared && NotRecompared &&
            highlighted != ctx_.Values.HighlightInLine) {
            // The marks within lines need no new comparison, only a new drawing.
            ShowDisplayArrays();
        }
        if (ctx_.State.FilesCompared && !NotRecompared) {
            LoadProcList();
            ShowFileInformation();
            SetCurrentFont();
            // A new font changes the rows' height and the panes' minimum sizes.
            PositionDisplayAreas();
            SetScrollBars();
            ShowDisplayArrays();
        }
    });
}

void frmMain::SetOptions() {
    ctx_.Trace.Run(TraceKind::App, "mCompare: SetOptions", [&] {
        OptionsChanged = false;
        if (!Options) {
            OptionsDialogContext context{ctx_.Values, ctx_.Trace, OptionsChanged, OptionsTab};
            context.SaveSettings = ctx_.SaveSettings;
            context.ShowHelp = ctx_.ShowHelp;
            context.ShowMessage = [this](QWidget* owner, const std::string& text) {
                host_.ShowMessageOver(owner, text);
            };
            context.ChooseColor = ctx_.ChooseColor;
            context.ChooseFont = ctx_.ChooseFont;
            Options = std::make_unique<frmOptions>(std::move(context), this);
            Options->Form_Load();
        }
        Options->exec();
        // Cancel unloads the dialog: the next showing starts afresh from the settings.
        if (Options->Unloaded()) Options.reset();
        if (OptionsChanged) ClearSelection();
        const bool modules = project_->Active();
        if (OptionsChanged && (ctx_.State.FilesCompared || modules) &&
            host_.Ask("Options changed, recompare now?")) {
            // Two projects are compared again as a whole, module by module.
            if (modules) {
                project_->Recompare();
            } else {
                CompareAFile();
            }
            NotRecompared = false;
        }
        OptionsTab = 0;
    });
}

}  // namespace dualis
