// The legend's parts and their colours.
#include "LegendBox.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

#include "DisplayLines.h"
#include "DisplayPane.h"
#include "Legend.h"
#include "OptionsRules.h"

namespace dualis {

namespace {

void Frame(QLabel* label) {
    label->setFrameShape(QFrame::Box);
    label->setMargin(2);
}

QLabel* ClassLabel(const char* caption, ColourRow row, QWidget* parent) {
    auto* label = new QLabel(QString::fromLatin1(caption), parent);
    label->setAutoFillBackground(true);
    Frame(label);
    // What the colours mean, and that a click changes them.
    label->setToolTip(QString::fromLatin1(ColourRowTexts[row].Meaning) +
                      QStringLiteral(". Click to change the colours."));
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
    lblLegendChanged = ClassLabel(" # Unequal", RowChanged, this);
    lblLegendEqual = ClassLabel(" = Equal", RowEqual, this);
    lblLegendAdded = ClassLabel(" + Added", RowAdded, this);
    lblLegendDeleted = ClassLabel(" - Deleted", RowDeleted, this);
    lblLegendIgnored = ClassLabel(" * Ignored", RowIgnored, this);
    for (QLabel* l :
         {lblLegendChanged, lblLegendEqual, lblLegendAdded, lblLegendDeleted, lblLegendIgnored}) {
        classes->addWidget(l);
        // A click opens the colours on the options dialog's Display page.
        l->setCursor(Qt::PointingHandCursor);
        l->installEventFilter(this);
    }
    outer->addLayout(classes);
    lblLegendFiller = new FillerSample(this);
    lblLegendFiller->setText(QStringLiteral(" Filler: no line on this side"));
    Frame(lblLegendFiller);
    lblLegendFiller->setToolTip(
        QStringLiteral("A row of one pane facing a line that only the other pane's file has"));
    auto* filler = new QHBoxLayout();
    filler->setContentsMargins(4, 0, 4, 4);
    filler->addWidget(lblLegendFiller);
    filler->addStretch();
    outer->addLayout(filler);
}

void LegendBox::SetupLegend(const Settings& s, std::string_view viewMode) {
    Paint(lblLegendAdded, s.BackColorAdded, s.ForeColorAdded);
    Paint(lblLegendChanged, s.BackColorChanged, s.ForeColorChanged);
    Paint(lblLegendDeleted, s.BackColorDeleted, s.ForeColorDeleted);
    Paint(lblLegendEqual, s.BackColorEqual, s.ForeColorEqual);
    Paint(lblLegendIgnored, s.BackColorIgnored, s.ForeColorIgnored);
    const LineColours filler = FillerColours(s);
    lblLegendFiller->SetColours(filler.Back, filler.Fore, s.ForeColorEqual);
    // Only the two-pane views have fillers.
    lblLegendFiller->setVisible(viewMode == "V" || viewMode == "H");
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

void FillerSample::SetColours(uint32_t ground, uint32_t hatch, uint32_t text) {
    ground_ = SettingsColour(ground);
    hatch_ = SettingsColour(hatch);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, SettingsColour(text));
    setPalette(p);
    update();
}

void FillerSample::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(this);
        painter.fillRect(rect(), ground_);
        PaintHatch(painter, rect(), hatch_);
    }
    QLabel::paintEvent(event);
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
