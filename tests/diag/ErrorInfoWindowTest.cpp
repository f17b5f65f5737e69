// The error report window: what it shows, the clipboard, the mail link, staying on top, and
// the modal showing the error handler relies on.
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTextBlock>
#include <QTimer>
#include <QUrlQuery>
#include <QWindow>
#include <QtTest>
#include <stdexcept>

#include "AppInfo.h"
#include "Debug.h"
#include "ErrorReport.h"
#include "Log.h"
#include "TestSupport.h"
#include "Tracing.h"
#include "frmErrorInfo.h"

namespace dualis {

namespace {

const std::string kReport =
    "We are sorry.\r\nError: 6 in mCompare: CompareProcs\r\nVB Error # 6 - Overflow\r\n"
    "\r\nProcessing Files: \r\nFile1=/src/a b.frm\r\nFile2=/src/c.frm\r\n";

template <class T>
T* Child(const QWidget& window, const char* name) {
    T* child = window.findChild<T*>(name);
    if (!child) qFatal("missing control %s", name);
    return child;
}

bool StaysOnTop(const QWidget& window) {
    const bool widget = window.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    if (const QWindow* handle = window.windowHandle())
        return widget && handle->flags().testFlag(Qt::WindowStaysOnTopHint);
    return widget;
}

}  // namespace

class ErrorInfoWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void showsTheReportUnderTheThreeLines() {
        cAppInfo appInfo;
        frmErrorInfo window(appInfo);
        window.SetReport(kReport);
        QCOMPARE(window.windowTitle(), QString("Error Information"));
        auto* text = Child<QPlainTextEdit>(window, "txtErrorInfo");
        QVERIFY(text->isReadOnly());
        QCOMPARE(text->document()->blockCount(), 8);
        QCOMPARE(text->document()->findBlockByNumber(1).text(),
                 QString("Error: 6 in mCompare: CompareProcs"));
        QVERIFY(!text->toPlainText().contains('\r'));

        const QStringList lines = frmErrorInfo::PaintedLines();
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[0].startsWith("        Please forward") && lines[0][8] != ' ');
        QCOMPARE(lines[1],
                 QString("        The 'Copy to Clipboard' button will copy the text to the "));
        QCOMPARE(lines[2], QString("        clipboard for pasting into an E-Mail Message"));
        QCOMPARE(Child<QLabel>(window, "lblPrompt")->text(), lines.join('\n'));

        QCOMPARE(Child<QPushButton>(window, "cmdAll")->text(), QString("&Copy to Clipboard"));
        auto* email = Child<QPushButton>(window, "cmdEMail");
        QCOMPARE(email->text(), QString("Send Email"));
        QVERIFY(email->toolTip().contains(SupportName));
        QCOMPARE(Child<QPushButton>(window, "cmdOK")->text(), QString("OK"));
        QVERIFY(Child<QLabel>(window, "lblInfo")->text().isEmpty());
    }

    void copyPutsTheReportOnTheClipboardOnceAndReleasesStayingOnTop() {
        cAppInfo appInfo;
        frmErrorInfo window(appInfo);
        window.SetReport(kReport);
        QVERIFY(StaysOnTop(window));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(StaysOnTop(window));

        QGuiApplication::clipboard()->setText("something else");
        auto* copy = Child<QPushButton>(window, "cmdAll");
        QTest::mouseClick(copy, Qt::LeftButton);
        QTest::mouseClick(copy, Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text().toStdString(), kReport);
        auto* text = Child<QPlainTextEdit>(window, "txtErrorInfo");
        QCOMPARE(text->textCursor().selectionStart(), 0);
        QCOMPARE(text->textCursor().selectionEnd(), text->document()->characterCount() - 1);
        QCOMPARE(Child<QLabel>(window, "lblInfo")->text(), QString("Message copied to clipboard"));
        QVERIFY(!window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(!window.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(window.isVisible());
    }

    void sendEmailOpensTheMailLinkOfTheReport() {
        cAppInfo appInfo;
        std::vector<std::string> opened;
        appInfo.UrlOpener = [&](const std::string& url) { opened.push_back(url); };
        frmErrorInfo window(appInfo);
        // Characters that would end the body or add a field were they not encoded.
        const std::string report = kReport + "File1=/src/a#1 50%+&cc=x@example.org=.frm\r\n";
        window.SetReport(report);
        QTest::mouseClick(Child<QPushButton>(window, "cmdEMail"), Qt::LeftButton);
        QCOMPARE(opened.size(), size_t(1));
        // Decoded back as the mail program reads it: the address and exactly two fields.
        const QUrl link(QString::fromStdString(opened[0]));
        QCOMPARE(link.scheme(), QString("mailto"));
        QCOMPARE(link.path(), QString(SupportAddress));
        QVERIFY(!link.hasFragment());
        const QUrlQuery query(link);
        QCOMPARE(query.queryItems().size(), 2);
        QCOMPARE(query.queryItemValue("subject", QUrl::FullyDecoded), QString("Error in Dualis"));
        QCOMPARE(query.queryItemValue("body", QUrl::FullyDecoded).toStdString(), report);
        QCOMPARE(Child<QLabel>(window, "lblInfo")->text(),
                 QString("Email to ") + QString(SupportName));
    }

    void aFailingStepNeverReachesTheErrorHandler() {
        test::TempDir dir;
        cDebug debug;
        debug.LogEvents = true;
        debug.DontTrapErrors = true;  // would let a failure escape the handler
        cLog log(ProgramFacts{"Dualis", "1.0.0", ""});
        log.LogOpen(dir.Write("trace.log", ""), LogModeNew);
        int errors = 0;
        Tracing tracing(debug, log, [&](const ErrorFacts&) { ++errors; });
        cAppInfo appInfo;
        appInfo.UrlOpener = [](const std::string&) { throw std::runtime_error("no mailer"); };
        frmErrorInfo window(appInfo, &tracing);
        window.SetReport(kReport);
        QTest::mouseClick(Child<QPushButton>(window, "cmdEMail"), Qt::LeftButton);
        QCOMPARE(errors, 0);
        // The step after the failing one still ran.
        QCOMPARE(Child<QLabel>(window, "lblInfo")->text(),
                 QString("Email to ") + QString(SupportName));
        log.LogClose();
        const std::string trace = test::ReadFile((dir.Path() / "trace.log").string());
        QVERIFY(trace.find("->frmErrorInfo: Form_Load") != std::string::npos);
        QVERIFY(trace.find("->frmErrorInfo: cmdEMail_Click") != std::string::npos);
    }

    void theReportIsShownModallyUntilOk() {
        cAppInfo appInfo;
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        bool shown = false;
        bool stillShownAfterCopy = false;
        QTimer::singleShot(0, [&] {
            auto* window = qobject_cast<frmErrorInfo*>(QApplication::activeModalWidget());
            if (!window) return;
            shown = window->Report() == kReport && !QGuiApplication::overrideCursor();
            // Copy releases staying on top without ending the modal showing.
            QTest::mouseClick(Child<QPushButton>(*window, "cmdAll"), Qt::LeftButton);
            QTimer::singleShot(0, [guarded = QPointer<frmErrorInfo>(window), &stillShownAfterCopy] {
                if (!guarded || QApplication::activeModalWidget() != guarded) return;
                stillShownAfterCopy = guarded->isVisible();
                QTest::mouseClick(Child<QPushButton>(*guarded, "cmdOK"), Qt::LeftButton);
            });
        });
        // Should the window not be found, the showing still ends.
        QTimer::singleShot(5000, [] {
            if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
        });
        ShowErrorReport(kReport, appInfo);
        QVERIFY(shown);
        QVERIFY(stillShownAfterCopy);
        QVERIFY(!QApplication::activeModalWidget());
    }
};

}  // namespace dualis

QTEST_MAIN(dualis::ErrorInfoWindowTest)
#include "ErrorInfoWindowTest.moc"
