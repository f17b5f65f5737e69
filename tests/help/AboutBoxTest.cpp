// The about box and the system information window it opens.
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include "AppInfo.h"
#include "frmAbout.h"
#include "frmSystemInfo.h"

namespace dualis {

class AboutBoxTest : public QObject {
    Q_OBJECT

    static QString LabelText(const QWidget& window, const char* name) {
        const auto* label = window.findChild<QLabel*>(name);
        return label ? label->text() : QString("<missing %1>").arg(name);
    }

  private slots:
    void showsNameVersionLicenceAndMemory() {
        cAppInfo appInfo;
        QWidget owner;
        frmAbout about(appInfo, &owner);
        QVERIFY(about.isModal());
        QCOMPARE(about.parentWidget(), &owner);
        QCOMPARE(LabelText(about, "lblTitle"), QString("Dualis"));
        QVERIFY(LabelText(about, "lblVersion").startsWith("Version 1."));
        QVERIFY(LabelText(about, "lblLicence").contains("MIT"));
        const QString libraries = LabelText(about, "lblLibraries");
        QVERIFY(libraries.contains("Qt") && libraries.contains("LGPL"));
        QVERIFY(libraries.contains("CLI11") && libraries.contains("BSD"));
        QVERIFY(LabelText(about, "lblMemory").contains(" MB free of "));
        QVERIFY(LabelText(about, "lblResources").contains(" MB in use by Dualis"));
    }

    void systemInfoButtonOpensOneWindowOfFacts() {
        cAppInfo appInfo;
        frmAbout about(appInfo, nullptr);
        auto* cmdSysInfo = about.findChild<QPushButton*>("cmdSysInfo");
        QVERIFY(cmdSysInfo);
        QCOMPARE(cmdSysInfo->text(), QString("&System Info..."));
        QVERIFY(!about.SystemInfoWindow());
        about.show();
        QTest::mouseClick(cmdSysInfo, Qt::LeftButton);
        frmSystemInfo* info = about.SystemInfoWindow();
        QVERIFY(info);
        QVERIFY(info->isVisible());
        const QString text = info->Text();
        for (const char* row :
             {"Operating system:", "Kernel:", "Processors:", "Memory:", "Qt:", "Screen:"})
            QVERIFY2(text.contains(row), row);
        QVERIFY(text.contains(qVersion()));
        QVERIFY(text.contains(" dpi"));
        QTest::mouseClick(cmdSysInfo, Qt::LeftButton);
        QCOMPARE(about.SystemInfoWindow(), info);
    }

    void okClosesTheBox() {
        cAppInfo appInfo;
        frmAbout about(appInfo, nullptr);
        about.show();
        QTest::mouseClick(about.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        QVERIFY(!about.isVisible());
        QCOMPARE(about.result(), int(QDialog::Accepted));
    }
};

}  // namespace dualis

QTEST_MAIN(dualis::AboutBoxTest)
#include "AboutBoxTest.moc"
