// The options dialog's behaviour: loading, enabling, the colour and font choices, OK, Cancel,
// help and the page keys.
#include "frmOptions.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

#include "fcSpinControl.h"

namespace dualis {

namespace {

QColor Rgb(uint32_t rgb) {
    return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                  static_cast<int>((rgb >> 16) & 0xFF));
}

constexpr int kHelpContext = 1;  // the help engine's command for a context number

}  // namespace

ColourBox::ColourBox(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::Box);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(72, 22);
}

void ColourBox::SetColour(uint32_t rgb) {
    colour_ = rgb;
    update();
}

void ColourBox::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.fillRect(rect().adjusted(3, 3, -3, -3), Rgb(colour_));
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRect(rect().adjusted(1, 1, -1, -1));
    }
}

void ColourBox::mouseDoubleClickEvent(QMouseEvent*) {
    emit Activated();
}

void ColourBox::keyPressEvent(QKeyEvent* event) {
    // The keyboard's way to the colour dialog.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
        event->key() == Qt::Key_Space) {
        emit Activated();
        return;
    }
    QFrame::keyPressEvent(event);
}

frmOptions::frmOptions(OptionsDialogContext context, QWidget* parent)
    : QDialog(parent), ctx_(std::move(context)) {
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Options"));
    tabHolder = new QTabBar;
    tabHolder->addTab(QStringLiteral("Compare"));
    tabHolder->addTab(QStringLiteral("Display"));
    tabPages = new QStackedWidget;
    tabPages->addWidget(BuildComparePage());
    tabPages->addWidget(BuildDisplayPage());
    cmdOK = new QPushButton(QStringLiteral("OK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"));
    cmdHelp = new QPushButton(QStringLiteral("&Help"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {cmdOK, cmdCancel, cmdHelp}) buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabHolder);
    layout->addWidget(tabPages, 1);
    layout->addLayout(buttons);
    Connect();
    // The page keys come before the controls' own access keys.
    qApp->installEventFilter(this);
}

frmOptions::~frmOptions() = default;

void frmOptions::Connect() {
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(cmdHelp, &QPushButton::clicked, this, [this] { cmdHelp_Click(); });
    connect(cmdFont, &QPushButton::clicked, this, [this] { cmdFont_Click(); });
    connect(tabHolder, &QTabBar::currentChanged, this,
            [this](int index) { SelectPage(index + 1); });
    // Every change the user makes counts; loading clears the mark afterwards.
    for (QAbstractButton* b : findChildren<QAbstractButton*>()) {
        if (b != cmdOK && b != cmdCancel && b != cmdHelp && b != cmdFont) {
            connect(b, &QAbstractButton::clicked, this, [this] {
                Changed();
                ApplyEnabling();
            });
        }
    }
    for (fcSpinControl* spin : findChildren<fcSpinControl*>()) {
        connect(spin, &fcSpinControl::Change, this, [this] { Changed(); });
    }
    // These two act at once; Cancel does not undo them.
    connect(chkDifferencesOnly, &QCheckBox::clicked, this,
            [this](bool on) { ctx_.Values.Compare.DifferencesOnly = on; });
    connect(chkDisplayLineNumbers, &QCheckBox::clicked, this,
            [this](bool on) { ctx_.Values.LineNumbers = on; });
    for (int row = 0; row < ColourRows; ++row) {
        const auto colourRow = static_cast<ColourRow>(row);
        connect(lblBack[row], &ColourBox::Activated, this,
                [this, colourRow] { SelectColor(colourRow, 0); });
        connect(lblFore[row], &ColourBox::Activated, this,
                [this, colourRow] { SelectColor(colourRow, 1); });
    }
}

void frmOptions::Form_Load() {
    Run(TraceKind::Events, "Form_Load", [&] {
        unloaded_ = false;
        ApplyControls(LoadControls(ctx_.Values));
        DialogChanged = false;
        SelectPage(ctx_.OptionsTab == 2 ? 2 : 1);
    });
}

void frmOptions::ApplyControls(const OptionsControls& c) {
    const std::pair<QCheckBox*, bool> boxes[] = {{chkTrailing, c.IgnoreTrailing},
                                                 {chkLeading, c.IgnoreLeading},
                                                 {chkEmbedded, c.IgnoreEmbedded},
                                                 {chkIgnoreBlankLines, c.IgnoreBlankLines},
                                                 {chkIgnoreLineNumbers, c.IgnoreLineNumbers},
                                                 {chkCase, c.IgnoreCase},
                                                 {chkIgnoreComments, c.IgnoreComments},
                                                 {chkShowFileOpen, c.ShowFileOpen},
                                                 {chkExpandTabs, c.ExpandTabs},
                                                 {chkShowSymbols, c.ShowSymbols},
                                                 {chkHighlightInLine, c.HighlightInLine},
                                                 {chkDifferencesOnly, c.DifferencesOnly},
                                                 {chkDisplayLineNumbers, c.DisplayLineNumbers}};
    for (auto [box, on] : boxes) box->setChecked(on);
    (c.LineByLine ? optLineByLine : optReSync)->setChecked(true);
    (c.CountFromProcedure ? optCountTopProcedure : optCountTopFile)->setChecked(true);
    // The stored numbers go in as they are, even outside the spinners' range.
    const std::pair<fcSpinControl*, const std::string&> fields[] = {
        {txtReSync, c.ReSync},
        {txtTabWidth, c.TabWidth},
        {txtDifferencesBefore, c.DifferencesBefore},
        {txtDifferencesAfter, c.DifferencesAfter}};
    for (auto [spin, text] : fields) spin->Field()->setText(QString::fromStdString(text));
    previewFont_ = c.Font;
    for (int row = 0; row < ColourRows; ++row) {
        lblBack[row]->SetColour(c.Back[row]);
        lblFore[row]->SetColour(c.Fore[row]);
    }
    ShowPreviews();
    ApplyEnabling();
}

OptionsControls frmOptions::Controls() const {
    OptionsControls c;
    c.IgnoreTrailing = chkTrailing->isChecked();
    c.IgnoreLeading = chkLeading->isChecked();
    c.IgnoreEmbedded = chkEmbedded->isChecked();
    c.IgnoreBlankLines = chkIgnoreBlankLines->isChecked();
    c.IgnoreLineNumbers = chkIgnoreLineNumbers->isChecked();
    c.IgnoreCase = chkCase->isChecked();
    c.IgnoreComments = chkIgnoreComments->isChecked();
    c.LineByLine = optLineByLine->isChecked();
    c.ReSync = txtReSync->Value().toStdString();
    c.ShowFileOpen = chkShowFileOpen->isChecked();
    c.ExpandTabs = chkExpandTabs->isChecked();
    c.TabWidth = txtTabWidth->Value().toStdString();
    c.ShowSymbols = chkShowSymbols->isChecked();
    c.HighlightInLine = chkHighlightInLine->isChecked();
    c.DifferencesOnly = chkDifferencesOnly->isChecked();
    c.DifferencesBefore = txtDifferencesBefore->Value().toStdString();
    c.DifferencesAfter = txtDifferencesAfter->Value().toStdString();
    c.DisplayLineNumbers = chkDisplayLineNumbers->isChecked();
    c.CountFromProcedure = optCountTopProcedure->isChecked();
    c.Font = previewFont_;
    for (int row = 0; row < ColourRows; ++row) {
        c.Back[row] = lblBack[row]->Colour();
        c.Fore[row] = lblFore[row]->Colour();
    }
    return c;
}

void frmOptions::ApplyEnabling() {
    const OptionsEnabling e = EnablingOf(Controls());
    txtTabWidth->setEnabled(e.TabWidth);
    txtReSync->setEnabled(e.ReSync);
    txtDifferencesBefore->setEnabled(e.DifferencesLines);
    txtDifferencesAfter->setEnabled(e.DifferencesLines);
    zpnlLineNumbers->setEnabled(e.LineNumberCount);
}

void frmOptions::ShowPreviews() {
    QFont font = previewFont_.Name.empty() ? QFontDatabase::systemFont(QFontDatabase::FixedFont)
                                           : QFont(QString::fromStdString(previewFont_.Name));
    if (previewFont_.Size > 0) font.setPointSizeF(previewFont_.Size);
    font.setBold(previewFont_.Bold);
    font.setItalic(previewFont_.Italic);
    for (int row = 0; row < ColourRows; ++row) {
        QPalette palette = lblPreview[row]->palette();
        palette.setColor(QPalette::Window, Rgb(lblBack[row]->Colour()));
        palette.setColor(QPalette::WindowText, Rgb(lblFore[row]->Colour()));
        lblPreview[row]->setPalette(palette);
        lblPreview[row]->setFont(font);
    }
}

int frmOptions::CurrentPage() const {
    return tabPages->currentIndex() + 1;
}

void frmOptions::SelectPage(int page) {
    const int index = page == 2 ? 1 : 0;
    tabHolder->setCurrentIndex(index);
    tabPages->setCurrentIndex(index);
}

void frmOptions::cmdOK_Click() {
    Run(TraceKind::Events, "cmdOK_Click", [&] {
        if (DialogChanged) {
            Settings stored = ctx_.Values;
            if (const auto problem = StoreControls(Controls(), stored)) {
                // A number no setting can hold: the dialog stays open at that field.
                const std::array spins{txtTabWidth, txtReSync, txtDifferencesBefore,
                                       txtDifferencesAfter};
                SelectPage(problem->Index < 2 ? 1 : 2);
                spins[static_cast<size_t>(problem->Index)]->Field()->setFocus();
                if (ctx_.ShowMessage) ctx_.ShowMessage(this, problem->Message);
                return;
            }
            ctx_.Values = stored;
            ctx_.OptionsChanged = true;
            // The kept dialog now shows the settings: an OK without a change at its next
            // showing stores and asks nothing.
            DialogChanged = false;
            if (ctx_.SaveSettings) {
                if (const auto failure = ctx_.SaveSettings(); failure && ctx_.ShowMessage)
                    ctx_.ShowMessage(this, *failure);
            }
        }
        accept();
    });
}

void frmOptions::cmdCancel_Click() {
    Run(TraceKind::Events, "cmdCancel_Click", [&] {
        unloaded_ = true;
        QDialog::reject();
    });
}

void frmOptions::reject() {
    // Escape and the close box are Cancel.
    cmdCancel_Click();
}

void frmOptions::cmdHelp_Click() {
    Run(TraceKind::Events, "cmdHelp_Click", [&] {
        if (ctx_.ShowHelp) ctx_.ShowHelp(kHelpContext, PageHelpContext(CurrentPage()));
    });
}

void frmOptions::cmdFont_Click() {
    Run(TraceKind::Events, "cmdFont_Click", [&] {
        clsCommonDialog dialog;
        dialog.Owner = this;
        dialog.Trace = &ctx_.Trace;
        dialog.FontName = previewFont_.Name;
        dialog.FontSize = previewFont_.Size;
        dialog.FontBold = previewFont_.Bold;
        dialog.FontItalic = previewFont_.Italic;
        dialog.flags = 70721;
        dialog.FontRunner = ctx_.ChooseFont;
        dialog.ShowFont();
        if (dialog.Cancelled()) return;
        previewFont_ = {dialog.FontName, dialog.FontSize, dialog.FontBold, dialog.FontItalic};
        ShowPreviews();
        Changed();
    });
}

void frmOptions::SelectColor(ColourRow row, int which) {
    Run(TraceKind::App, "SelectColor", [&] {
        ColourBox* box = which == 0 ? lblBack[row] : lblFore[row];
        clsCommonDialog dialog;
        dialog.Owner = this;
        dialog.Trace = &ctx_.Trace;
        dialog.DialogTitle = ColourDialogTitle(row, which);
        dialog.Color = box->Colour();
        dialog.ColorRunner = ctx_.ChooseColor;
        dialog.ShowColor();
        if (dialog.Cancelled()) return;
        Changed();
        box->SetColour(dialog.Color);
        ShowPreviews();
    });
}

int frmOptions::KeyTarget(int key, Qt::KeyboardModifiers modifiers) const {
    const Qt::KeyboardModifiers mods = modifiers & ~Qt::KeypadModifier;
    const bool ctrlShift = mods == (Qt::ControlModifier | Qt::ShiftModifier);
    std::optional<dualis::PageKey> page;
    if (mods == Qt::AltModifier && key == Qt::Key_C) page = PageKey::AltC;
    if (mods == Qt::AltModifier && key == Qt::Key_D) page = PageKey::AltD;
    if (mods == Qt::ControlModifier && key == Qt::Key_Tab) page = PageKey::CtrlTab;
    // Shift turns Tab into Backtab on most keyboards.
    if ((ctrlShift && key == Qt::Key_Tab) ||
        ((ctrlShift || mods == Qt::ControlModifier) && key == Qt::Key_Backtab))
        page = PageKey::CtrlShiftTab;
    if (page) return PageAfterKey(*page, CurrentPage());
    if (key == Qt::Key_F1 && (mods == Qt::AltModifier || mods == Qt::NoModifier)) return kHelpKey;
    return 0;
}

bool frmOptions::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((type == QEvent::KeyPress || type == QEvent::ShortcutOverride) && isVisible() &&
        watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == this) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const int target = KeyTarget(key->key(), key->modifiers());
        if (target != 0) {
            // Claimed before the access keys of "&Case" and "&Display line numbers"; the key
            // press itself then acts.
            if (type == QEvent::ShortcutOverride) {
                event->accept();
            } else if (target == kHelpKey) {
                cmdHelp_Click();
            } else {
                SelectPage(target);
            }
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace dualis
