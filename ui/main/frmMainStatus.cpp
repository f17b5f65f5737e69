// The main window's status line between commands and the notes that commands leave in it.
#include "StatusNotes.h"
#include "frmMain.h"

namespace dualis {

void frmMain::ShowStatus() {
    const QString text = where_.ExtendingPane() >= 0
                             ? QString::fromUtf8(ExtendModeText.data(), ExtendModeText.size())
                             : QString::fromStdString(statusText_);
    if (lblStatus->text() != text) lblStatus->setText(text);
}

void frmMain::ShowStatusNote(const std::string& note) {
    statusNote_ = toolbars_.Toolbar(toolbarId_).Hovered;
    lblStatus->setText(QString::fromStdString(note));
}

void frmMain::EndStatusNote() {
    if (!statusNote_) return;
    statusNote_.reset();
    ShowStatus();
}

}  // namespace dualis
