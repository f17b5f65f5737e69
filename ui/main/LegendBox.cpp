// The legend's parts and their colours.
#include "LegendBox.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLayout>
#include <QMouseEvent>
#include <QVBoxLayout>

#include "DisplayPane.h"
#include "Legend.h"

namespace dualis {

namespace {

QLabel* ClassLabel(const char* caption, QWidget* parent) {
    auto* label = new QLabel(QString::fromLatin1(caption), parent);
    label->setAutoFillBackground(true);
    label->setFrameShape(QFrame::Box);
    label->setMargin(2);
    return label;
}

void Paint(QLabel* label, uint32_t back, uint32_t fore) {
    QPalette p = label->palette();
    p.setColor(QPalette::Window, SettingsColour(back));
    p.setColor(QPalette::WindowText, SettingsColour(fore));
    label->setPalette(p);
}

}  // namespace

LegendBox::LegendBox(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(1, 1, 1, 1);
    outer->setSpacing(4);

    picLegendTitleBar = new DragHandle(this);
    picLegendTitleBar->setAutoFillBackground(true);
    picLegendTitleBar->setBackgroundRole(QPalette::Highlight);
    picLegendTitleBar->setCursor(Qt::SizeAllCursor);
    auto* title = new QHBoxLayout(picLegendTitleBar);
    title->setContentsMargins(4, 1, 4, 1);
    auto* word = new QLabel(QStringLiteral("Legend"), picLegendTitleBar);
    word->setForegroundRole(QPalette::HighlightedText);
    word->setAttribute(Qt::WA_TransparentForMouseEvents);
    imgCloseLegend = new QLabel(QStringLiteral("\u2715"), picLegendTitleBar);
    imgCloseLegend->setForegroundRole(QPalette::HighlightedText);
    imgCloseLegend->setCursor(Qt::PointingHandCursor);
    imgCloseLegend->setToolTip(QStringLiteral("Close the legend"));
    imgCloseLegend->installEventFilter(this);
    title->addWidget(word);
    title->addStretch();
    title->addWidget(imgCloseLegend);
    outer->addWidget(picLegendTitleBar);

    lblLegendProse = new QLabel(this);
    lblLegendProse->setWordWrap(true);
    lblLegendProse->setMargin(4);
    outer->addWidget(lblLegendProse);

    auto* classes = new QHBoxLayout();
    classes->setContentsMargins(4, 0, 4, 4);
    lblLegendChanged = ClassLabel(" # Unequal", this);
    lblLegendEqual = ClassLabel(" = Equal", this);
    lblLegendAdded = ClassLabel(" + Added", this);
    lblLegendDeleted = ClassLabel(" - Deleted", this);
    lblLegendIgnored = ClassLabel(" * Ignored", this);
    for (QLabel* l :
         {lblLegendChanged, lblLegendEqual, lblLegendAdded, lblLegendDeleted, lblLegendIgnored}) {
        classes->addWidget(l);
        // A click opens the colours on the options dialog's Display page.
        l->setCursor(Qt::PointingHandCursor);
        l->setToolTip(QStringLiteral("Change the colours"));
        l->installEventFilter(this);
    }
    outer->addLayout(classes);
}

void LegendBox::SetupLegend(const Settings& s, std::string_view viewMode) {
    Paint(lblLegendAdded, s.BackColorAdded, s.ForeColorAdded);
    Paint(lblLegendChanged, s.BackColorChanged, s.ForeColorChanged);
    Paint(lblLegendDeleted, s.BackColorDeleted, s.ForeColorDeleted);
    Paint(lblLegendEqual, s.BackColorEqual, s.ForeColorEqual);
    Paint(lblLegendIgnored, s.BackColorIgnored, s.ForeColorIgnored);
    const std::string prose = LegendProse(viewMode);
    if (!prose.empty()) {
        QString text = QString::fromStdString(prose);
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        lblLegendProse->setText(text);
    }
    // The explanation wraps at the legend's fixed width, so its height follows the text.
    resize(width(), layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(width())
                                                  : sizeHint().height());
}

bool LegendBox::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonRelease) return QFrame::eventFilter(watched, event);
    if (watched == imgCloseLegend) {
        emit CloseClicked();
        return true;
    }
    const std::pair<QLabel*, const char*> colours[] = {
        {lblLegendAdded, "lblLegendAdded_Click"},
        {lblLegendChanged, "lblLegendChanged_Click"},
        {lblLegendDeleted, "lblLegendDeleted_Click"},
        {lblLegendEqual, "lblLegendEqual_Click"},
        {lblLegendIgnored, "lblLegendIgnored_Click"}};
    for (auto [label, handler] : colours) {
        if (watched == label) {
            emit ColourLabelClicked(handler);
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

}  // namespace dualis
