#include "frmAbout.h"

#include <QDialogButtonBox>
#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "AppInfo.h"
#include "SystemFacts.h"
#include "frmSystemInfo.h"

namespace dualis {
namespace {

QLabel* NewLabel(QWidget* parent, const char* name, const QString& text = QString()) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

}  // namespace

frmAbout::frmAbout(const cAppInfo& appInfo, QWidget* owner) : QDialog(owner), appInfo_(appInfo) {
    setObjectName("frmAbout");
    setModal(true);
    const QString product = QString::fromStdString(cAppInfo::ProductName());
    setWindowTitle("About " + product);

    QLabel* lblTitle = NewLabel(this, "lblTitle", product);
    QFont titleFont = lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.8);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    QLabel* lblPurpose = NewLabel(this, "lblPurpose",
                                  "Compares two Visual Basic source files procedure by procedure.");
    lblVersion_ = NewLabel(this, "lblVersion");
    QLabel* lblLicence = NewLabel(this, "lblLicence", "Released under the MIT License.");
    QLabel* lblLibraries = NewLabel(
        this, "lblLibraries",
        QString("Uses Qt %1 under the GNU LGPL v3 and CLI11 under the BSD 3-Clause License.")
            .arg(qVersion()));
    lblLibraries->setWordWrap(true);
    lblMemory_ = NewLabel(this, "lblMemory");
    lblResources_ = NewLabel(this, "lblResources");

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* cmdSysInfo = buttons->addButton("&System Info...", QDialogButtonBox::ActionRole);
    cmdSysInfo->setObjectName("cmdSysInfo");
    QPushButton* cmdOK = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
    cmdOK->setObjectName("cmdOK");
    cmdOK->setDefault(true);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    auto* layout = new QVBoxLayout(this);
    for (QWidget* w : {static_cast<QWidget*>(lblTitle), static_cast<QWidget*>(lblPurpose),
                       static_cast<QWidget*>(lblVersion_)})
        layout->addWidget(w);
    layout->addSpacing(8);
    layout->addWidget(lblLicence);
    layout->addWidget(lblLibraries);
    layout->addSpacing(8);
    layout->addWidget(lblMemory_);
    layout->addWidget(lblResources_);
    layout->addSpacing(8);
    layout->addWidget(buttons);
    Form_Load();
}

void frmAbout::Form_Load() {
    lblVersion_->setText("Version " + QString::fromStdString(appInfo_.AppVersion()));
    lblMemory_->setText("Memory: " + QString::fromStdString(MemoryText(ReadSystemMemory())));
    lblResources_->setText("Resources: " + QString::fromStdString(ResourcesText(
                                               ReadProcessMemoryKiB(), cAppInfo::ProductName())));
}

void frmAbout::cmdSysInfo_Click() {
    if (!systemInfo_) systemInfo_ = new frmSystemInfo(appInfo_, this);
    systemInfo_->Refresh();
    systemInfo_->show();
    systemInfo_->raise();
    systemInfo_->activateWindow();
}

void frmAbout::cmdOK_Click() {
    accept();
}

void ShowAbout(const cAppInfo& appInfo, QWidget* owner) {
    frmAbout about(appInfo, owner);
    about.exec();
}

}  // namespace dualis
