#include "frmErrorInfo.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "AppInfo.h"
#include "ErrorReport.h"
#include "Tracing.h"
#include "Window.h"

namespace dualis {
namespace {

// One step of a handler: if it fails, the window goes on with the next.
template <class Step>
void Attempt(Step&& step) {
    try {
        step();
    } catch (...) {
    }
}

QString Displayed(const std::string& report) {
    QString text = QString::fromStdString(report);
    text.replace("\r\n", "\n");
    text.replace('\r', '\n');
    return text;
}

}  // namespace

frmErrorInfo::frmErrorInfo(cAppInfo& appInfo, Tracing* tracing, QWidget* parent)
    : QDialog(parent), appInfo_(appInfo), tracing_(tracing) {
    setObjectName("frmErrorInfo");
    setWindowTitle("Error Information");
    setModal(true);

    lblPrompt_ = new QLabel(this);
    lblPrompt_->setObjectName("lblPrompt");
    lblPrompt_->setTextFormat(Qt::PlainText);
    txtErrorInfo_ = new QPlainTextEdit(this);
    txtErrorInfo_->setObjectName("txtErrorInfo");
    txtErrorInfo_->setReadOnly(true);
    txtErrorInfo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtErrorInfo_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    lblInfo_ = new QLabel(this);
    lblInfo_->setObjectName("lblInfo");
    cmdAll_ = new QPushButton("&Copy to Clipboard", this);
    cmdAll_->setObjectName("cmdAll");
    cmdEMail_ = new QPushButton("Send Email", this);
    cmdEMail_->setObjectName("cmdEMail");
    cmdEMail_->setToolTip("E-mail this information to " + QString(SupportName));
    cmdOK_ = new QPushButton("OK", this);
    cmdOK_->setObjectName("cmdOK");
    cmdOK_->setDefault(true);
    connect(cmdAll_, &QPushButton::clicked, this, &frmErrorInfo::cmdAll_Click);
    connect(cmdEMail_, &QPushButton::clicked, this, &frmErrorInfo::cmdEMail_Click);
    connect(cmdOK_, &QPushButton::clicked, this, &frmErrorInfo::cmdOK_Click);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lblInfo_, 1);
    buttons->addWidget(cmdAll_);
    buttons->addWidget(cmdEMail_);
    buttons->addWidget(cmdOK_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblPrompt_);
    layout->addWidget(txtErrorInfo_, 1);
    layout->addLayout(buttons);
    resize(720, 520);

    Form_Load();
    Form_Paint();
}

// Inside the error window nothing may reach the error handler again, whatever DontTrapErrors
// says: the body's steps swallow their own failures, and so does the tracing around them.
template <class Body>
void frmErrorInfo::Handle(std::string_view procText, Body&& body) {
    auto guarded = [&] { Attempt(body); };
    Attempt([&] {
        if (tracing_)
            tracing_->Run(TraceKind::Events, procText, guarded);
        else
            guarded();
    });
}

QStringList frmErrorInfo::PaintedLines() {
    return {"        Please forward this information to " + QString(SupportName) +
                " so that the error can be mended.",
            "        The 'Copy to Clipboard' button will copy the text to the ",
            "        clipboard for pasting into an E-Mail Message"};
}

void frmErrorInfo::SetReport(const std::string& report) {
    report_ = report;
    txtErrorInfo_->setPlainText(Displayed(report));
}

// Changing a shown window's flags through QWidget would hide it, and a hidden dialog ends its
// modal loop; so the flag is changed on the widget and its native window separately.
void frmErrorInfo::KeepOnTop(bool onTop) {
    cWindow().OnTop(this, onTop);
}

void frmErrorInfo::Form_Load() {
    Handle("frmErrorInfo: Form_Load", [&] {
        Attempt([&] { setWindowIcon(QApplication::windowIcon()); });
        Attempt([&] { KeepOnTop(true); });
    });
}

void frmErrorInfo::Form_Paint() {
    Handle("frmErrorInfo: Form_Paint", [&] { lblPrompt_->setText(PaintedLines().join('\n')); });
}

void frmErrorInfo::cmdAll_Click() {
    Handle("frmErrorInfo: cmdAll_Click", [&] {
        QClipboard* clipboard = QGuiApplication::clipboard();
        Attempt([&] { clipboard->clear(); });
        Attempt([&] { txtErrorInfo_->selectAll(); });
        // The whole text is selected; the report itself goes over, with its own line ends.
        Attempt([&] { clipboard->setText(QString::fromStdString(report_)); });
        Attempt([&] { lblInfo_->setText("Message copied to clipboard"); });
        // So that a mail program can be brought in front of the window.
        Attempt([&] { KeepOnTop(false); });
    });
}

void frmErrorInfo::cmdEMail_Click() {
    Handle("frmErrorInfo: cmdEMail_Click", [&] {
        Attempt([&] {
            appInfo_.JumpToURL(ErrorMailLink(report_).toString(QUrl::FullyEncoded).toStdString());
        });
        Attempt([&] { lblInfo_->setText("Email to " + QString(SupportName)); });
    });
}

void frmErrorInfo::cmdOK_Click() {
    Handle("frmErrorInfo: cmdOK_Click", [&] { accept(); });
}

QUrl ErrorMailLink(const std::string& report) {
    const auto encoded = [](const std::string& text) {
        return QString::fromLatin1(QUrl::toPercentEncoding(QString::fromStdString(text)));
    };
    QUrl link(QStringLiteral("mailto:") + SupportAddress);
    link.setQuery(
        "subject=" + encoded("Error in " + cAppInfo::ProductName()) + "&body=" + encoded(report),
        QUrl::StrictMode);
    return link;
}

void ShowErrorReport(const std::string& report, cAppInfo& appInfo, QWidget* parent,
                     Tracing* tracing) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return;
    Attempt([&] {
        while (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
        frmErrorInfo window(appInfo, tracing, parent);
        window.SetReport(report);
        window.exec();
    });
}

}  // namespace dualis
