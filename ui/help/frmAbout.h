// The about box: the program's name and version, its licence and the libraries it uses, the
// system's memory and this program's own, and the way to the system information window.
#pragma once

#include <QDialog>

class QLabel;

namespace dualis {

class cAppInfo;
class frmSystemInfo;

class frmAbout : public QDialog {
    Q_OBJECT
  public:
    // Modal, owned by `owner` (the main window).
    frmAbout(const cAppInfo& appInfo, QWidget* owner);

    void Form_Load();
    void cmdSysInfo_Click();
    void cmdOK_Click();

    // The system information window, once the button has opened it.
    frmSystemInfo* SystemInfoWindow() const { return systemInfo_; }

  private:
    const cAppInfo& appInfo_;
    QLabel* lblVersion_;
    QLabel* lblMemory_;
    QLabel* lblResources_;
    frmSystemInfo* systemInfo_ = nullptr;
};

// What the Help menu's About command does: the about box, modal, until it is closed.
void ShowAbout(const cAppInfo& appInfo, QWidget* owner);

}  // namespace dualis
