// The main window's navigation: the Find menu and its search, the keys, the Debug menu and the
// diagnostic dump key.
#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>

#include "CommonDialog.h"
#include "ProjectWindow.h"
#include "StatusNotes.h"
#include "VirtualKeys.h"
#include "frmMain.h"

namespace dualis {

namespace {

struct FindItem {
    const char* Caption;
    const char* KeyText;  // shown beside the caption; the window's keys carry the command out
    const char* Handler;
    int16_t Type;
    int16_t What;
};

// In menu order; the separator stands after the fourth.
constexpr FindItem kFindItems[] = {
    {"&First Mismatch", "", "mnuFindFirstMismatch_Click", FindFirst, FindMismatch},
    {"&Next Mismatch", "-", "mnuFindNextMismatch_Click", FindNext, FindMismatch},
    {"&Prior Mismatch", "Ctrl+-", "mnuFindPriorMismatch_Click", FindPrior, FindMismatch},
    {"&Last Mismatch", "", "mnuFindLastMismatch_Click", FindLast, FindMismatch},
    {"F&irst Match", "", "mnuFindFirstMatch_Click", FindFirst, FindMatch},
    {"N&ext Match", "=", "mnuFindNextMatch_Click", FindNext, FindMatch},
    {"P&rior Match", "Ctrl+=", "mnuFindPriorMatch_Click", FindPrior, FindMatch},
    {"L&ast Match", "", "mnuFindLastMatch_Click", FindLast, FindMatch},
};

Key KeyOf(int qtKey) {
    switch (qtKey) {
        case Qt::Key_PageDown:
            return Key::PageDown;
        case Qt::Key_PageUp:
            return Key::PageUp;
        case Qt::Key_Down:
            return Key::Down;
        case Qt::Key_Up:
            return Key::Up;
        case Qt::Key_Right:
            return Key::Right;
        case Qt::Key_Left:
            return Key::Left;
        case Qt::Key_Home:
            return Key::Home;
        case Qt::Key_End:
            return Key::End;
        case Qt::Key_F2:
            return Key::F2;
        case Qt::Key_F3:
            return Key::F3;
        case Qt::Key_F4:
            return Key::F4;
        case Qt::Key_F5:
            return Key::F5;
        case Qt::Key_F7:
            return Key::F7;
        case Qt::Key_F8:
            return Key::F8;
        case Qt::Key_F9:
            return Key::F9;
        case Qt::Key_F10:
            return Key::F10;
        case Qt::Key_Equal:
            return Key::Equal;
        case Qt::Key_Minus:
            return Key::Minus;
        case Qt::Key_C:
            return Key::C;
        case Qt::Key_A:
            return Key::A;
        case Qt::Key_Menu:
            return Key::Menu;
        case Qt::Key_F:
            return Key::LetterF;
        case Qt::Key_Escape:
            return Key::Escape;
        default:
            return Key::Other;
    }
}

}  // namespace

void frmMain::BuildFindMenu() {
    mnuFind = menuBar()->addMenu(QStringLiteral("F&ind"));
    for (size_t i = 0; i < mnuFindItems.size(); ++i) {
        const FindItem& item = kFindItems[i];
        if (i == 4) mnuFind->addSeparator();
        // The key is shown after a tab, as a menu shows a shortcut; the window's key handling
        // carries it out, so the two never both run.
        QString caption = QString::fromLatin1(item.Caption);
        if (*item.KeyText) caption += QLatin1Char('\t') + QString::fromLatin1(item.KeyText);
        QAction* action = mnuFind->addAction(caption);
        action->setEnabled(false);
        connect(action, &QAction::triggered, this, [this, &item] {
            Run(TraceKind::Events, item.Handler, [&] { FindCommand(item.Type, item.What); });
        });
        mnuFindItems[i] = action;
    }
    mnuFind->addSeparator();
    mnuFindNextChangedProc = mnuFind->addAction(QStringLiteral("Next &Changed Procedure\tF7"));
    mnuFindPriorChangedProc =
        mnuFind->addAction(QStringLiteral("Prior C&hanged Procedure\tShift+F7"));
    for (QAction* item : {mnuFindNextChangedProc, mnuFindPriorChangedProc}) item->setEnabled(false);
    connect(mnuFindNextChangedProc, &QAction::triggered, this,
            [this] { mnuFindNextChangedProc_Click(); });
    connect(mnuFindPriorChangedProc, &QAction::triggered, this,
            [this] { mnuFindPriorChangedProc_Click(); });
    mnuFindNextChangedModule = mnuFind->addAction(QStringLiteral("Next Changed &Module\tCtrl+F7"));
    mnuFindPriorChangedModule =
        mnuFind->addAction(QStringLiteral("Prior Changed Mo&dule\tCtrl+Shift+F7"));
    for (QAction* item : {mnuFindNextChangedModule, mnuFindPriorChangedModule}) {
        item->setEnabled(false);
    }
    connect(mnuFindNextChangedModule, &QAction::triggered, this, [this] {
        Run(TraceKind::Events, "mnuFindNextChangedModule_Click",
            [&] { project_->GoToChangedModule(1); });
    });
    connect(mnuFindPriorChangedModule, &QAction::triggered, this, [this] {
        Run(TraceKind::Events, "mnuFindPriorChangedModule_Click",
            [&] { project_->GoToChangedModule(-1); });
    });
    mnuFind->addSeparator();
    mnuFindText = mnuFind->addAction(QStringLiteral("Find &Text...\tCtrl+F"));
    mnuFindText->setEnabled(false);
    connect(mnuFindText, &QAction::triggered, this, [this] { mnuFindText_Click(); });
}

void frmMain::FindCommand(int16_t findType, int16_t findWhat) {
    if (!Find(findType, findWhat)) ShowStatusNote(NothingFoundNote(findType, findWhat));
}

bool frmMain::Find(int16_t findType, int16_t findWhat) {
    bool found = false;
    Run(TraceKind::App, "Find", [&] {
        const bool combined = ctx_.Values.ViewMode == "C";
        const FindView search{ctx_.State,
                              where_.CurrentProc(),
                              combined,
                              where_.HiLiteLine(0),
                              where_.TopLine(0),
                              where_.BottomLine(0),
                              where_.Scroll(0).LinesPerPane};
        const FindResult result = dualis::Find(findType, findWhat, search, where_.LastFind());
        for (const std::string& line : result.TraceLines) ctx_.Trace.LogData(TraceKind::App, line);
        where_.RecordFind(result.State);
        if (!result.Found) return;
        found = true;
        where_.Highlight(*result.Found, combined);
        if (!result.ScrollValue || !ScrollPane(0, *result.ScrollValue)) ShowDisplayArrays();
    });
    return found;
}

void frmMain::GoToChangedProc(int direction) {
    Run(TraceKind::App, "GoToChangedProc", [&] {
        if (!ctx_.State.FilesCompared) return;
        if (ShowChangedProc(cboProcedures->currentIndex(), direction)) return;
        // Past the last changed procedure of a module of two projects, on into the next
        // changed module.
        if (project_->StepIntoModule(direction)) return;
        ShowStatusNote(NoChangedProcNote(direction));
    });
}

bool frmMain::ShowChangedProc(int from, int direction) {
    const int entry = ChangedEntry(procList_->Entries(), from, direction);
    if (entry < 0) return false;
    SelectProcEntry(entry);  // shows the procedure from its top
    // A user stepping through the changes reads each procedure from its first difference,
    // whichever way they step; F3 and "-" then go on to its next one.
    Find(FindFirst, FindMismatch);
    return true;
}

void frmMain::mnuFindNextChangedProc_Click() {
    Run(TraceKind::Events, "mnuFindNextChangedProc_Click", [&] { GoToChangedProc(1); });
}

void frmMain::mnuFindPriorChangedProc_Click() {
    Run(TraceKind::Events, "mnuFindPriorChangedProc_Click", [&] { GoToChangedProc(-1); });
}

bool frmMain::Form_KeyDown(int keyCode, Qt::KeyboardModifiers modifiers) {
    const Key key = KeyOf(keyCode);
    if (key == Key::Other) return false;
    // The procedure list moves through its entries with these keys itself.
    if (IsListKey(key) && ProcListHasFocus()) return false;
    const QWidget* focus = QApplication::focusWidget();
    const int pane = focus == picDisplay[1] ? 1 : 0;
    const FocusPane focusPane = focus == picDisplay[0]   ? FocusPane::First
                                : focus == picDisplay[1] ? FocusPane::Second
                                : fraFind->HasFocus()    ? FocusPane::TextField
                                                         : FocusPane::None;
    const int extending = where_.ExtendingPane();
    const ExtendMode extend = extending < 0       ? ExtendMode::Off
                              : extending == pane ? ExtendMode::FocusedPane
                                                  : ExtendMode::OtherPane;
    const KeyCommand command =
        DecideKey(key, ModifierBits(modifiers), focusPane, DebugKeysArmed, extend);
    if (command == KeyCommand::None) return false;
    Run(TraceKind::Events, "Form_KeyDown", [&] { RunKeyCommand(command, pane); });
    return true;
}

bool frmMain::SelectProcEntry(int index) {
    if (index < 0 || index >= cboProcedures->count() || index == cboProcedures->currentIndex())
        return false;
    cboProcedures->setCurrentIndex(index);
    return true;
}

void frmMain::RunKeyCommand(KeyCommand command, int pane) {
    const PaneScroll& scroll = where_.Scroll(pane);  // follows the procedure shown
    const int32_t row = where_.ScrollRow(pane);
    const int32_t column = where_.ScrollColumn(pane);
    const int entry = cboProcedures->currentIndex();
    switch (command) {
        case KeyCommand::PageDown:
        case KeyCommand::PageUp: {
            const BarState bar{scroll.VEnabled, row, 1, scroll.VMax, scroll.VPage};
            const PageMove move = command == KeyCommand::PageDown ? PageDown(bar) : PageUp(bar);
            if (move.Value) {
                ScrollPane(pane, *move.Value);
            } else if (SelectProcEntry(entry + move.ProcStep) && move.ProcStep < 0) {
                // The previous procedure is shown from its end.
                ScrollPane(pane, scroll.VMax);
            }
            break;
        }
        case KeyCommand::NextProc:
            SelectProcEntry(entry + 1);
            break;
        case KeyCommand::PriorProc:
            SelectProcEntry(entry - 1);
            break;
        case KeyCommand::FirstProc:
            // On the first procedure it goes to that procedure's start, as a pick of it does.
            if (!SelectProcEntry(0) && entry == 0) cboProcedures_Click();
            break;
        case KeyCommand::LastProc:
            // On the last procedure it goes to that procedure's end, as End does.
            if (!SelectProcEntry(cboProcedures->count() - 1) && entry >= 0 &&
                entry == cboProcedures->count() - 1) {
                ScrollPane(pane, scroll.VMax);
            }
            break;
        case KeyCommand::NextChangedProc:
            GoToChangedProc(1);
            break;
        case KeyCommand::PriorChangedProc:
            GoToChangedProc(-1);
            break;
        case KeyCommand::NextChangedModule:
            project_->GoToChangedModule(1);
            break;
        case KeyCommand::PriorChangedModule:
            project_->GoToChangedModule(-1);
            break;
        case KeyCommand::LineDown:
            ScrollPane(pane, row + 1);
            break;
        case KeyCommand::LineUp:
            ScrollPane(pane, row - 1);
            break;
        case KeyCommand::ColumnRight:
            ScrollPaneColumns(pane, column + 1);
            break;
        case KeyCommand::ColumnLeft:
            ScrollPaneColumns(pane, column - 1);
            break;
        case KeyCommand::Top:
            ScrollPane(pane, 1);
            break;
        case KeyCommand::Bottom:
            ScrollPane(pane, scroll.VMax);
            break;
        case KeyCommand::RepeatFind:
            FindCommand(where_.LastFindDirection() == 1 ? FindNext : FindPrior,
                        where_.LastFindWhat());
            break;
        case KeyCommand::FindText:
            mnuFindText_Click();
            break;
        case KeyCommand::NextMatch:
            FindCommand(FindNext, FindMatch);
            break;
        case KeyCommand::PriorMatch:
            FindCommand(FindPrior, FindMatch);
            break;
        case KeyCommand::NextMismatch:
            FindCommand(FindNext, FindMismatch);
            break;
        case KeyCommand::PriorMismatch:
            FindCommand(FindPrior, FindMismatch);
            break;
        case KeyCommand::Exit:
            mnuFileExit_Click();
            break;
        case KeyCommand::ArmDebugKeys:
            DebugKeysArmed = !DebugKeysArmed;
            break;
        case KeyCommand::ShowHideDebugMenu:
            ShowHideDebugMenu();
            break;
        case KeyCommand::EndAtOnce:
            if (ctx_.EndAtOnce) ctx_.EndAtOnce();
            break;
        case KeyCommand::RaiseOverflow:
            throw RunTimeError(ErrOverflow, "Overflow", "Dualis", "frmMain: Form_KeyDown");
        case KeyCommand::Dump:
            DumpAll();
            break;
        case KeyCommand::Copy:
            if (where_.Selection().Pane == pane) CopySelection(CopyForm::Lines);
            break;
        case KeyCommand::SelectAll:
            SelectEveryRow(pane);
            break;
        case KeyCommand::StartExtend:
            StartExtendMode(pane);
            break;
        case KeyCommand::EndExtend:
            EndExtendMode();
            break;
        case KeyCommand::ExtendDown:
        case KeyCommand::ExtendUp:
            ExtendSelection(pane, command == KeyCommand::ExtendDown ? 1 : -1);
            break;
        case KeyCommand::PaneMenu:
            ShowPaneMenu(pane, {}, -1);
            break;
        case KeyCommand::None:
            break;
    }
}

}  // namespace dualis
