// The toolbars' tables, layout, hover and press tracking.
#include "XToolbar.h"

#include <algorithm>
#include <utility>

#include "Find.h"
#include "RunTimeError.h"

namespace dualis {

namespace {

struct Measures {
    int32_t Width;
    int32_t Height;
    int32_t TopMargin;
    int32_t Gap;  // what a separator adds to the running position
};

Measures MeasuresOf(const ToolbarRecord& toolbar) {
    const int32_t width = toolbar.LargeButtons ? 31 : 23;
    const int32_t height = toolbar.LargeButtons ? 30 : 22;
    if (toolbar.AbuttingButtons) return {width, height, 5, 7};
    return {width, height, toolbar.LargeButtons ? 4 : 3, 6};
}

[[noreturn]] void InvalidCall(const char* procedure) {
    throw RunTimeError(ErrInvalidCall, "Invalid procedure call or argument", "Dualis",
                       std::string("XTOOLBAR: ") + procedure);
}

}  // namespace

int32_t XToolbar::g_AddToolbar(bool largeButtons, bool abuttingButtons) {
    ToolbarRecord& t = toolbars_.emplace_back();
    t.LargeButtons = largeButtons;
    t.AbuttingButtons = abuttingButtons;
    return static_cast<int32_t>(toolbars_.size());
}

const ToolbarRecord& XToolbar::Toolbar(int32_t toolbar) const {
    if (toolbar < 1 || toolbar > static_cast<int32_t>(toolbars_.size())) InvalidCall("Toolbar");
    return toolbars_[static_cast<size_t>(toolbar - 1)];
}

ToolbarRecord& XToolbar::ToolbarAt(int32_t toolbar) {
    return const_cast<ToolbarRecord&>(std::as_const(*this).Toolbar(toolbar));
}

const ButtonRecord& XToolbar::Button(int32_t position) const {
    if (position < 1 || position > ButtonCount()) InvalidCall("Button");
    return buttons_[static_cast<size_t>(position - 1)];
}

ButtonRecord& XToolbar::ButtonRecordAt(int32_t position) {
    return const_cast<ButtonRecord&>(std::as_const(*this).Button(position));
}

void XToolbar::g_AddToolbarButton(int32_t toolbar, int32_t position, int32_t image,
                                  std::string statusHelp, std::string toolTip,
                                  std::optional<std::string> disabledHelp) {
    Toolbar(toolbar);  // the toolbar must exist
    if (position < 1) InvalidCall("g_AddToolbarButton");
    if (position > ButtonCount()) buttons_.resize(static_cast<size_t>(position));
    ButtonRecord& b = buttons_[static_cast<size_t>(position - 1)];
    b = ButtonRecord{};
    b.Toolbar = toolbar;
    b.Image = image;
    b.DisabledHelp = disabledHelp ? std::move(*disabledHelp) : statusHelp;
    b.StatusHelp = std::move(statusHelp);
    b.ToolTip = std::move(toolTip);
}

void XToolbar::g_CalcToolbarButtons(int32_t toolbar) {
    const ToolbarRecord& t = Toolbar(toolbar);
    const Measures m = MeasuresOf(t);
    int32_t x = 0;
    for (ButtonRecord& b : buttons_) {
        if (b.Toolbar != toolbar) continue;
        b.Left = x;
        b.Top = m.TopMargin;
        b.Bottom = m.TopMargin + m.Height;
        if (b.IsSeparator()) {
            x += m.Gap;
            b.Left = x - m.Gap / 2;
            b.Right = b.Left;
        } else {
            b.Right = x + m.Width;
            // Buttons that do not abut overlap by one pixel, so that neighbours share a border.
            x += t.AbuttingButtons ? m.Width : m.Width - 1;
        }
    }
}

void XToolbar::SetButtonState(int32_t position, ButtonState state) {
    ButtonRecord& b = ButtonRecordAt(position);
    b.State = state;
    if (!b.Defined() || b.Enabled()) return;
    ToolbarRecord& t = ToolbarAt(b.Toolbar);
    if (t.Pressed == position) {
        t.Pressed = NoButton;
        t.PressedUnderPointer = false;
    }
}

int32_t XToolbar::ToolbarWidth(int32_t toolbar) const {
    const Measures m = MeasuresOf(Toolbar(toolbar));
    int32_t right = 0;
    for (const ButtonRecord& b : buttons_)
        if (b.Toolbar == toolbar) right = std::max(right, b.Right);
    return right + m.TopMargin;
}

int32_t XToolbar::ToolbarHeight(int32_t toolbar) const {
    const Measures m = MeasuresOf(Toolbar(toolbar));
    return m.TopMargin + m.Height + m.TopMargin;
}

int32_t XToolbar::ButtonAt(int32_t toolbar, int x, int y) const {
    for (int32_t position = 1; position <= ButtonCount(); ++position) {
        const ButtonRecord& b = Button(position);
        if (b.Toolbar == toolbar && !b.IsSeparator() && x >= b.Left && x < b.Right && y >= b.Top &&
            y < b.Bottom)
            return position;
    }
    return NoButton;
}

void XToolbar::PressDown(int32_t toolbar, int x, int y) {
    ToolbarRecord& t = ToolbarAt(toolbar);
    t.Pressed = ButtonAt(toolbar, x, y);
    // A disabled button does nothing, as its menu item does.
    if (t.Pressed != NoButton && !Button(t.Pressed).Enabled()) t.Pressed = NoButton;
    t.PressedUnderPointer = t.Pressed != NoButton;
}

void XToolbar::PressMove(int32_t toolbar, int x, int y) {
    ToolbarRecord& t = ToolbarAt(toolbar);
    if (t.Pressed != NoButton) t.PressedUnderPointer = ButtonAt(toolbar, x, y) == t.Pressed;
}

int32_t XToolbar::PressUp(int32_t toolbar, int x, int y) {
    PressMove(toolbar, x, y);
    ToolbarRecord& t = ToolbarAt(toolbar);
    const int32_t completed = t.PressedUnderPointer ? t.Pressed : NoButton;
    t.Pressed = NoButton;
    t.PressedUnderPointer = false;
    return completed;
}

std::optional<HoverTexts> XToolbar::Hover(int32_t toolbar, int x, int y, bool toolTips) {
    ToolbarRecord& t = ToolbarAt(toolbar);
    t.Hovered = ButtonAt(toolbar, x, y);
    if (t.Hovered == NoButton) return HoverTexts{};
    if (!toolTips) return std::nullopt;
    const ButtonRecord& b = Button(t.Hovered);
    return HoverTexts{b.Enabled() ? b.StatusHelp : b.DisabledHelp, b.ToolTip};
}

void XToolbar::HoverEnd(int32_t toolbar) {
    ToolbarAt(toolbar).Hovered = NoButton;
}

ButtonLook XToolbar::Look(int32_t position) const {
    const ButtonRecord& b = Button(position);
    if (!b.Defined()) return ButtonLook::Flat;
    if (!b.Enabled()) return ButtonLook::Greyed;
    const ToolbarRecord& t = Toolbar(b.Toolbar);
    // While the pointer is held down, only the pressed button answers it.
    if (t.Pressed == position)
        return t.PressedUnderPointer ? ButtonLook::Sunken : ButtonLook::Raised;
    if (t.Pressed == NoButton && t.Hovered == position) return ButtonLook::Raised;
    return ButtonLook::Flat;
}

void AddMainWindowButtons(XToolbar& bar, int32_t toolbar, bool optionsButton) {
    const std::string notOpen = "Not available unless a file is open";
    bar.g_AddToolbarButton(toolbar, 1, SeparatorImage, "", "");
    bar.g_AddToolbarButton(toolbar, 2, SeparatorImage, "", "");
    bar.g_AddToolbarButton(toolbar, ButtonOpen, ImageOpen, "Open files for compare", "Open");
    bar.g_AddToolbarButton(toolbar, ButtonRecompare, ImageRecompare, "Reopen and recompare files",
                           "Recompare", notOpen);
    bar.g_AddToolbarButton(toolbar, 5, SeparatorImage, "", "");
    bar.g_AddToolbarButton(toolbar, ButtonViewVertical, ImageViewVertical,
                           "View vertical: side-by-side", "View vertical");
    bar.g_AddToolbarButton(toolbar, ButtonViewHorizontal, ImageViewHorizontal,
                           "View horizontal view: above and below", "View horizontal");
    bar.g_AddToolbarButton(toolbar, ButtonViewCombined, ImageViewCombined,
                           "View combined: interspersed", "View combined");
    bar.g_AddToolbarButton(toolbar, 9, SeparatorImage, "", "");
    bar.g_AddToolbarButton(toolbar, ButtonFindNextMismatch, ImageFindNextMismatch,
                           "Find the next mismatched block", "Find next mismatch", notOpen);
    bar.g_AddToolbarButton(toolbar, ButtonFindPriorMismatch, ImageFindPriorMismatch,
                           "Find the prior mismatched block", "Find prior mismatch", notOpen);
    bar.g_AddToolbarButton(toolbar, ButtonFindNextMatch, ImageFindNextMatch,
                           "Find the next matched block", "Find next match", notOpen);
    bar.g_AddToolbarButton(toolbar, ButtonFindPriorMatch, ImageFindPriorMatch,
                           "Find prior matched block", "Find prior match", notOpen);
    // Position 15 holds no button and so leaves no gap: Help follows the button before it, as
    // Options follows the Find buttons, and no separator stands between them.
    if (optionsButton)
        bar.g_AddToolbarButton(toolbar, ButtonOptions, ImageOptions, "View and set options",
                               "Options");
    bar.g_AddToolbarButton(toolbar, ButtonHelp, ImageHelp, "Help", "Help",
                           "Not available - Help file missing");
    bar.g_AddToolbarButton(toolbar, 17, SeparatorImage, "", "");
    bar.g_AddToolbarButton(toolbar, ButtonNextChangedProc, ImageNextChangedProc,
                           "Go to the next changed, added or deleted procedure",
                           "Next changed procedure", notOpen);
    bar.g_AddToolbarButton(toolbar, ButtonPriorChangedProc, ImagePriorChangedProc,
                           "Go to the prior changed, added or deleted procedure",
                           "Prior changed procedure", notOpen);
    const std::string noProjects = "Not available unless two projects or folders are open";
    bar.g_AddToolbarButton(toolbar, ButtonNextChangedModule, ImageNextChangedModule,
                           "Go to the next module whose content changed", "Next changed module",
                           noProjects);
    bar.g_AddToolbarButton(toolbar, ButtonPriorChangedModule, ImagePriorChangedModule,
                           "Go to the prior module whose content changed", "Prior changed module",
                           noProjects);
}

std::optional<ToolbarFind> MainToolbarFind(int32_t position) {
    switch (position) {
        case ButtonFindNextMismatch:
            return ToolbarFind{FindNext, FindMismatch};
        case ButtonFindPriorMismatch:
            return ToolbarFind{FindPrior, FindMismatch};
        case ButtonFindNextMatch:
            return ToolbarFind{FindNext, FindMatch};
        case ButtonFindPriorMatch:
            return ToolbarFind{FindPrior, FindMatch};
        default:
            return std::nullopt;
    }
}

}  // namespace dualis
