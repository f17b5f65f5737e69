// The main window's toolbar: its buttons, their enabling and the commands they run, and the
// View menu's Toolbar and ToolTips items.
#include "ProjectWindow.h"
#include "frmMain.h"

namespace dualis {

void frmMain::sbSetToolBar() {
    Run(TraceKind::App, "sbSetToolBar", [&] {
        AddMainWindowButtons(toolbars_, toolbarId_, true);
        picToolBar->g_ResizeToolbar();
        // The help of a button replaces a note, unless it is the button that gave the note.
        connect(picToolBar, &ToolbarStrip::StatusHelp, this, [this](const QString& text) {
            if (statusNote_ && *statusNote_ == toolbars_.Toolbar(toolbarId_).Hovered) return;
            statusNote_.reset();
            lblStatus->setText(text);
        });
        connect(picToolBar, &ToolbarStrip::ButtonClicked, this,
                [this](int position) { picToolBar_MouseDown(position); });
        PositionToolbar();
    });
}

void frmMain::PositionToolbar() {
    picToolBar->setGeometry(0, 0, view_->width(), picToolBar->sizeHint().height());
}

void frmMain::sbButtonsDisableEnable() {
    Run(TraceKind::App, "sbButtonsDisableEnable", [&] {
        const ButtonState state =
            ctx_.State.FilesCompared ? ButtonState::Enabled : ButtonState::Disabled;
        for (int32_t position :
             {ButtonFindNextMismatch, ButtonFindPriorMismatch, ButtonFindNextMatch,
              ButtonFindPriorMatch, ButtonNextChangedProc, ButtonPriorChangedProc}) {
            picToolBar->SetButtonState(position, state);
        }
        const ButtonState modules =
            project_->Active() ? ButtonState::Enabled : ButtonState::Disabled;
        for (int32_t position : {ButtonNextChangedModule, ButtonPriorChangedModule}) {
            picToolBar->SetButtonState(position, modules);
        }
    });
}

void frmMain::picToolBar_MouseDown(int position) {
    Run(TraceKind::MouseEvents, "picToolBar_MouseDown", [&] {
        // The Find buttons run their search, whatever the Find menu holds.
        if (const std::optional<ToolbarFind> find = MainToolbarFind(position)) {
            FindCommand(find->Type, find->What);
            return;
        }
        switch (position) {
            case ButtonOpen:
                mnuFileOpen_Click();
                break;
            case ButtonRecompare:
                mnuFileRecompare_Click();
                break;
            case ButtonViewVertical:
                mnuViewVertical_Click();
                break;
            case ButtonViewHorizontal:
                mnuViewHorizontal_Click();
                break;
            case ButtonViewCombined:
                mnuViewCombined_Click();
                break;
            case ButtonOptions:
                mnuViewOptions_Click();
                break;
            case ButtonHelp:
                mnuHelpHelp_Click();
                break;
            case ButtonNextChangedProc:
                mnuFindNextChangedProc_Click();
                break;
            case ButtonPriorChangedProc:
                mnuFindPriorChangedProc_Click();
                break;
            case ButtonNextChangedModule:
                mnuFindNextChangedModule->trigger();
                break;
            case ButtonPriorChangedModule:
                mnuFindPriorChangedModule->trigger();
                break;
            default:
                break;
        }
    });
}

void frmMain::mnuViewToolbar_Click() {
    Run(TraceKind::Events, "mnuViewToolbar_Click", [&] {
        Settings& s = ctx_.Values;
        s.ViewToolBar = !s.ViewToolBar;
        mnuViewToolbar->setChecked(s.ViewToolBar);
        picToolBar->setVisible(s.ViewToolBar);
        PositionProcList();
        RelayoutView();
    });
}

void frmMain::mnuViewToolTips_Click() {
    Run(TraceKind::Events, "mnuViewToolTips_Click", [&] {
        ctx_.AppInfo.ToolTips = !ctx_.AppInfo.ToolTips;
        mnuViewToolTips->setChecked(ctx_.AppInfo.ToolTips);
    });
}

}  // namespace dualis
