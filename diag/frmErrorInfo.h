// The error report window: shows the report of a run-time error and lets the user copy it to
// the clipboard or hand it to the mail program, before the program ends.
#pragma once

#include <QDialog>
#include <QStringList>
#include <QUrl>
#include <string>
#include <string_view>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace dualis {

class cAppInfo;
class Tracing;

class frmErrorInfo : public QDialog {
    Q_OBJECT
  public:
    // `tracing`, when given, writes the handlers' trace lines; errors never go back to the error
    // handler from here.
    explicit frmErrorInfo(cAppInfo& appInfo, Tracing* tracing = nullptr, QWidget* parent = nullptr);

    void SetReport(const std::string& report);
    const std::string& Report() const { return report_; }

    // The three lines above the report, indented by eight blanks.
    static QStringList PaintedLines();

    void Form_Load();
    void Form_Paint();
    void cmdAll_Click();
    void cmdEMail_Click();
    void cmdOK_Click();

  private:
    template <class Body>
    void Handle(std::string_view procText, Body&& body);
    void KeepOnTop(bool onTop);

    cAppInfo& appInfo_;
    Tracing* tracing_;
    std::string report_;
    QLabel* lblPrompt_;
    QPlainTextEdit* txtErrorInfo_;
    QLabel* lblInfo_;
    QPushButton* cmdAll_;
    QPushButton* cmdEMail_;
    QPushButton* cmdOK_;
};

// The mail link of a report: the support address, "subject" and "body" each encoded whole, so
// that no character of the report ("#", "&", "=", "%", a line break) can end a field or add one.
QUrl ErrorMailLink(const std::string& report);

// The window ERHandler shows the report in: modal, returning once the user has closed it. Does
// nothing without a running application.
void ShowErrorReport(const std::string& report, cAppInfo& appInfo, QWidget* parent = nullptr,
                     Tracing* tracing = nullptr);

}  // namespace dualis
