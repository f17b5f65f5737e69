// The options dialog's two pages and its colour grid.
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "fcSpinControl.h"
#include "frmOptions.h"

namespace dualis {

namespace {

// A spin field with a label after it (and one before, when given), in one row.
QHBoxLayout* SpinRow(QWidget* before, fcSpinControl* spin, const QString& after) {
    auto* row = new QHBoxLayout;
    if (before) row->addWidget(before);
    row->addWidget(spin);
    auto* label = new QLabel(after);
    label->setBuddy(spin->Field());
    row->addWidget(label);
    row->addStretch();
    return row;
}

fcSpinControl* Spin(const char* name) {
    auto* spin = new fcSpinControl;
    spin->setObjectName(QString::fromLatin1(name));
    spin->SetMinVal(NumberFieldMin);
    spin->SetMaxVal(NumberFieldMax);
    spin->setFixedWidth(spin->sizeHint().width());
    return spin;
}

}  // namespace

QWidget* frmOptions::BuildComparePage() {
    auto* page = new QWidget;
    auto* ignore = new QGroupBox(QStringLiteral("Ignore"));
    auto* ignoreRows = new QVBoxLayout(ignore);
    for (auto [box, caption] : {std::pair{&chkTrailing, "&Trailing blanks"},
                                {&chkLeading, "&Leading blanks"},
                                {&chkEmbedded, "Multiple &embedded blanks"},
                                {&chkIgnoreBlankLines, "&Blank lines"},
                                {&chkIgnoreLineNumbers, "Line &numbers"},
                                {&chkCase, "&Case"},
                                {&chkIgnoreComments, "Co&mments"}}) {
        *box = new QCheckBox(QString::fromLatin1(caption));
        ignoreRows->addWidget(*box);
    }
    auto* match = new QGroupBox(QStringLiteral("Match"));
    auto* matchRows = new QVBoxLayout(match);
    optReSync = new QRadioButton(QStringLiteral("&Resync match on"));
    txtReSync = Spin("txtReSync");
    matchRows->addLayout(SpinRow(optReSync, txtReSync, QStringLiteral("consecutive lines")));
    optLineByLine = new QRadioButton(QStringLiteral("C&ompare line by line"));
    matchRows->addWidget(optLineByLine);
    matchRows->addStretch();

    chkShowFileOpen = new QCheckBox(QStringLiteral("&Show File Open Dialog at program start"));
    chkExpandTabs = new QCheckBox(QStringLiteral("E&xpand tabs to"));
    txtTabWidth = Spin("txtTabWidth");

    auto* groups = new QHBoxLayout;
    groups->addWidget(ignore);
    groups->addWidget(match);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(groups);
    layout->addWidget(chkShowFileOpen);
    layout->addLayout(SpinRow(chkExpandTabs, txtTabWidth, QStringLiteral("blanks")));
    layout->addStretch();
    return page;
}

QWidget* frmOptions::BuildDisplayPage() {
    auto* page = new QWidget;
    chkShowSymbols = new QCheckBox(QStringLiteral("Show compare s&ymbols"));
    chkHighlightInLine = new QCheckBox(QStringLiteral("Highlight changes &within lines"));
    chkDifferencesOnly = new QCheckBox(QStringLiteral("&Show only differences"));
    txtDifferencesBefore = Spin("txtDifferencesBefore");
    txtDifferencesAfter = Spin("txtDifferencesAfter");
    auto* differences = new QHBoxLayout;
    differences->addWidget(chkDifferencesOnly);
    differences->addLayout(SpinRow(new QLabel(QStringLiteral("and")), txtDifferencesBefore,
                                   QStringLiteral("lines &before")));
    differences->addLayout(SpinRow(new QLabel(QStringLiteral("and")), txtDifferencesAfter,
                                   QStringLiteral("lines &after")));

    chkDisplayLineNumbers = new QCheckBox(QStringLiteral("&Display line numbers"));
    zpnlLineNumbers = new QGroupBox(QStringLiteral("Display Line Numbers"));
    optCountTopProcedure = new QRadioButton(QStringLiteral("Count from top of &procedure"));
    optCountTopFile = new QRadioButton(QStringLiteral("Count from top of f&ile"));
    auto* counting = new QHBoxLayout(zpnlLineNumbers);
    counting->addWidget(optCountTopProcedure);
    counting->addWidget(optCountTopFile);
    cmdFont = new QPushButton(QStringLiteral("&Font..."));

    auto* numbers = new QHBoxLayout;
    numbers->addWidget(chkDisplayLineNumbers);
    numbers->addWidget(zpnlLineNumbers, 1);
    auto* top = new QHBoxLayout;
    top->addWidget(chkShowSymbols);
    top->addWidget(chkHighlightInLine);
    top->addStretch();
    top->addWidget(cmdFont);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(top);
    layout->addLayout(differences);
    layout->addLayout(numbers);
    layout->addWidget(BuildColourGrid(), 1);
    return page;
}

QWidget* frmOptions::BuildColourGrid() {
    auto* frame = new QGroupBox(QStringLiteral("Double click a color box to change its value"));
    auto* grid = new QGridLayout(frame);
    int column = 0;
    for (const char* head : {"Element and Preview", "Back Color", "Fore Color"}) {
        grid->addWidget(new QLabel(QString::fromLatin1(head)), 0, column++);
    }
    for (int row = 0; row < ColourRows; ++row) {
        lblPreview[row] = new QLabel(QString::fromLatin1(ColourRowTexts[row].Preview));
        lblPreview[row]->setAutoFillBackground(true);
        lblPreview[row]->setMinimumWidth(200);
        lblPreview[row]->setToolTip(QString::fromLatin1(ColourRowTexts[row].Meaning));
        lblBack[row] = new ColourBox;
        lblFore[row] = new ColourBox;
        const QString element = QString::fromLatin1(ColourRowTexts[row].Element);
        lblBack[row]->setAccessibleName(element + QStringLiteral(" back colour"));
        lblFore[row]->setAccessibleName(element + QStringLiteral(" fore colour"));
        grid->addWidget(lblPreview[row], row + 1, 0);
        grid->addWidget(lblBack[row], row + 1, 1);
        grid->addWidget(lblFore[row], row + 1, 2);
    }
    grid->setColumnStretch(0, 1);
    return frame;
}

}  // namespace dualis
