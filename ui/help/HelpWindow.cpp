#include "HelpWindow.h"

#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QVBoxLayout>

#include "HelpTopics.h"

// The resource of a static library is registered only when something names it.
static void InitManualResource() {
    Q_INIT_RESOURCE(manual);
}

namespace dualis {
namespace {

const char* const kManualPath = ":/help/manual.md";

QPointer<HelpWindow>& SharedWindow() {
    static QPointer<HelpWindow> window;
    return window;
}

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("frmHelp");
    setWindowTitle("Dualis Help");
    txtManual_ = new QTextBrowser(this);
    txtManual_->setObjectName("txtManual");
    txtManual_->setOpenExternalLinks(true);
    auto* cmdContents = new QPushButton("&Contents", this);
    cmdContents->setObjectName("cmdContents");
    connect(cmdContents, &QPushButton::clicked, this, [this] { ShowTopic(QString()); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdContents);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(txtManual_);
    resize(760, 640);
    auto* close = new QShortcut(QKeySequence::Cancel, this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
    LoadManual();
}

void HelpWindow::LoadManual() {
    InitManualResource();
    QFile file(kManualPath);
    if (!file.open(QIODevice::ReadOnly)) {
        txtManual_->setPlainText("The user manual is missing from this build of Dualis.");
        return;
    }
    txtManual_->setMarkdown(QString::fromUtf8(file.readAll()));
    PrepareHeadings(*txtManual_->document());
}

// The Markdown import gives headings no anchors, so the contents links and the help contexts
// would find nothing: every heading becomes the anchor its text names. It also sets them flush
// against the text above; a little room makes the sections stand out.
void PrepareHeadings(QTextDocument& document) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 0 || block.length() <= 1) continue;
        QTextCursor cursor(block);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        QTextCharFormat anchor;
        anchor.setAnchor(true);
        anchor.setAnchorNames({QString::fromStdString(HeadingAnchor(block.text().toStdString()))});
        cursor.mergeCharFormat(anchor);
        QTextBlockFormat spacing;
        spacing.setTopMargin(block.blockFormat().headingLevel() <= 2 ? 14 : 8);
        cursor.mergeBlockFormat(spacing);
    }
}

void HelpWindow::ShowTopic(const QString& anchor) {
    if (isMinimized()) showNormal();
    show();
    raise();
    activateWindow();
    // The anchor's place depends on the width the text is laid out at, known once shown.
    QCoreApplication::sendPostedEvents(this, QEvent::LayoutRequest);
    txtManual_->moveCursor(QTextCursor::Start);
    txtManual_->verticalScrollBar()->setValue(0);
    if (!anchor.isEmpty()) txtManual_->scrollToAnchor(anchor);
}

void ShowHelp(int helpCommand, int contextId) {
    QPointer<HelpWindow>& window = SharedWindow();
    if (!window) {
        window = new HelpWindow;
        window->setAttribute(Qt::WA_QuitOnClose, false);
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, window.data(),
                         &QObject::deleteLater);
    }
    // Asked for from a modal dialog, the window belongs to that dialog, so that it stands in
    // front of it and takes input; otherwise it stands on its own.
    QWidget* owner = QApplication::activeModalWidget();
    if (window->parentWidget() != owner) window->setParent(owner, Qt::Window);
    window->ShowTopic(QString::fromStdString(HelpAnchor(helpCommand, contextId)));
}

HelpWindow* SharedHelpWindow() {
    return SharedWindow().data();
}

}  // namespace dualis
