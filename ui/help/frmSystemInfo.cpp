#include "frmSystemInfo.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSysInfo>
#include <QVBoxLayout>
#include <thread>

#include "AppInfo.h"
#include "SystemFacts.h"
#include "Window.h"

namespace dualis {

frmSystemInfo::frmSystemInfo(const cAppInfo& appInfo, QWidget* parent)
    : QWidget(parent, Qt::Window), appInfo_(appInfo) {
    setObjectName("frmSystemInfo");
    setWindowTitle("System Information");
    txtSystemInfo_ = new QPlainTextEdit(this);
    txtSystemInfo_->setObjectName("txtSystemInfo");
    txtSystemInfo_->setReadOnly(true);
    txtSystemInfo_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* cmdClose = new QPushButton("Close", this);
    cmdClose->setObjectName("cmdClose");
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(txtSystemInfo_);
    layout->addLayout(buttons);
    resize(560, 300);
}

SystemFacts frmSystemInfo::Gather() const {
    SystemFacts facts;
    facts.OperatingSystem = cWindow().WinVersion();
    facts.Distribution = QSysInfo::prettyProductName().toStdString();
    facts.Kernel = (QSysInfo::kernelType() + " " + QSysInfo::kernelVersion() + " (" +
                    QSysInfo::currentCpuArchitecture() + ")")
                       .toStdString();
    facts.Processors = static_cast<int>(std::thread::hardware_concurrency());
    facts.Memory = ReadSystemMemory();
    facts.ProcessKiB = ReadProcessMemoryKiB();
    facts.ProductName = cAppInfo::ProductName();
    facts.ProgramVersion = appInfo_.AppVersion();
    facts.QtVersion = qVersion();
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        facts.ScreenWidth = screen->size().width();
        facts.ScreenHeight = screen->size().height();
        facts.LogicalDpi = screen->logicalDotsPerInch();
    }
    return facts;
}

void frmSystemInfo::Refresh() {
    QString text;
    for (const auto& [label, value] : SystemInfoRows(Gather())) {
        text += QString::fromStdString(label + ":").leftJustified(18) +
                QString::fromStdString(value) + "\n";
    }
    txtSystemInfo_->setPlainText(text);
}

QString frmSystemInfo::Text() const {
    return txtSystemInfo_->toPlainText();
}

}  // namespace dualis
