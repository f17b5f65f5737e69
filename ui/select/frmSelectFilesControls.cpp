// The file selection dialog's controls: the two file boxes with their browse buttons for a
// file and for a folder, the sync options and the dialog's buttons.
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QStyle>
#include <QVBoxLayout>

#include "FileControls.h"
#include "frmSelectFiles.h"

namespace dualis {

void frmSelectFiles::BuildControls() {
    setObjectName("frmSelectFiles");
    setWindowTitle("Open Files for Comparison");

    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(2);
    const std::array<const char*, 2> fileCaptions = {"File 1", "File 2"};
    for (int i = 0; i < 2; ++i) {
        auto* label = new QLabel(fileCaptions[i], this);
        auto* box = new FileBox(this);
        box->setObjectName(QString("txtCompareFile_%1").arg(i));
        box->setMinimumWidth(360);
        box->GotFocus = [this, i] { txtCompareFile_GotFocus(i); };
        box->LostFocus = [this, i] { txtCompareFile_LostFocus(i); };
        box->KeyPress = [this, i](int keyAscii) { txtCompareFile_KeyPress(i, keyAscii); };
        connect(box, &QLineEdit::textEdited, this, [this, i] { txtCompareFile_Change(i); });
        label->setBuddy(box);
        auto* button = new BrowseButton("...", this);
        button->setObjectName(QString("cmdSelectFile_%1").arg(i));
        button->setFixedWidth(button->fontMetrics().horizontalAdvance("...") + 24);
        button->setToolTip(QString("Choose a file or a project for %1").arg(fileCaptions[i]));
        connect(button, &QPushButton::clicked, this, [this, i] { cmdSelectFile_Click(i); });
        // Folders are chosen in a dialog of their own: a file dialog shows a folder's files.
        auto* folder = new BrowseButton(this);
        folder->setObjectName(QString("cmdSelectFolder_%1").arg(i));
        folder->setIcon(style()->standardIcon(QStyle::SP_DirIcon));
        folder->setToolTip(QString("Choose a folder for %1").arg(fileCaptions[i]));
        folder->setAccessibleName(QString("Choose a folder for %1").arg(fileCaptions[i]));
        connect(folder, &QPushButton::clicked, this, [this, i] { cmdSelectFolder_Click(i); });
        // The line under the box keeps its height while empty, so the dialog does not jump.
        auto* problem = new QLabel(this);
        problem->setObjectName(QString("lblFileProblem_%1").arg(i));
        problem->setMinimumHeight(problem->fontMetrics().height());
        problem->setTextFormat(Qt::PlainText);
        grid->addWidget(label, 2 * i, 0);
        grid->addWidget(box, 2 * i, 1);
        grid->addWidget(button, 2 * i, 2);
        grid->addWidget(folder, 2 * i, 3);
        grid->addWidget(problem, 2 * i + 1, 1);
        txtCompareFile_[i] = box;
        cmdSelectFile_[i] = button;
        cmdSelectFolder_[i] = folder;
        lblFileProblem_[i] = problem;
    }
    lblFile1_ = qobject_cast<QLabel*>(grid->itemAtPosition(0, 0)->widget());
    lblFile2_ = qobject_cast<QLabel*>(grid->itemAtPosition(2, 0)->widget());
    lblFile1_->setObjectName("lblFile1");
    lblFile2_->setObjectName("lblFile2");

    auto* paths = new QVBoxLayout;
    Label4_ = new QLabel("Sync paths", this);
    Label4_->setObjectName("Label4");
    paths->addWidget(Label4_);
    const std::array<const char*, 5> pathCaptions = {"N&one", "&Same", "Path &1 relative to path 2",
                                                     "Path &2 relative to path 1",
                                                     "&Different drive, same path"};
    for (int i = 0; i < 5; ++i) {
        auto* option = new QRadioButton(pathCaptions[i], this);
        option->setObjectName(QString("optSyncPaths_%1").arg(i));
        connect(option, &QRadioButton::toggled, this, [this, i](bool checked) {
            if (checked) optSyncPaths_Click(i);
        });
        paths->addWidget(option);
        optSyncPaths_[i] = option;
    }
    paths->addStretch();

    auto* names = new QVBoxLayout;
    Label3_ = new QLabel("Sync names", this);
    Label3_->setObjectName("Label3");
    chkSyncFileNames_ = new QCheckBox("File &names", this);
    chkSyncFileNames_->setObjectName("chkSyncFileNames");
    chkSyncFileExtensions_ = new QCheckBox("File &extensions", this);
    chkSyncFileExtensions_->setObjectName("chkSyncFileExtensions");
    connect(chkSyncFileNames_, &QCheckBox::toggled, this, [this] { chkSyncFileNames_Click(); });
    connect(chkSyncFileExtensions_, &QCheckBox::toggled, this,
            [this] { chkSyncFileExtensions_Click(); });
    names->addWidget(Label3_);
    names->addWidget(chkSyncFileNames_);
    names->addWidget(chkSyncFileExtensions_);
    names->addStretch();

    auto* syncs = new QHBoxLayout;
    syncs->addLayout(paths);
    syncs->addSpacing(24);
    syncs->addLayout(names);
    syncs->addStretch();

    cmdOK_ = new QPushButton("OK", this);
    cmdOK_->setObjectName("cmdOK");
    cmdCancel_ = new QPushButton("Cancel", this);
    cmdCancel_->setObjectName("cmdCancel");
    cmdHelp_ = new QPushButton("&Help", this);
    cmdHelp_->setObjectName("cmdHelp");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {cmdOK_, cmdCancel_, cmdHelp_}) buttons->addWidget(button);
    connect(cmdOK_, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel_, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(cmdHelp_, &QPushButton::clicked, this, [this] { cmdHelp_Click(); });
    // No button takes Enter: in a file box it applies the name, and confirms only through OK.
    for (QPushButton* button : findChildren<QPushButton*>()) button->setAutoDefault(false);

    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, [this] { cmdHelp_Click(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(syncs);
    layout->addSpacing(8);
    layout->addLayout(buttons);
}

}  // namespace dualis
