// The common-dialog wrapper: what it shows its dialogs with, and what it reads back.
#include "CommonDialog.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>

#include "Debug.h"
#include "Log.h"
#include "RunTimeError.h"
#include "TestSupport.h"
#include "Tracing.h"

namespace dualis {

class CommonDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void confirmedOpenSetsNameTitleFolderAndFilter();
    void requestFollowsTheProperties();
    void cancelChangesNothing();
    void cancelRaisesWhenAsked();
    void nameLongerThanTheBufferIsRefused();
    void tracesUnderLogClasses();
    void qtDialogStartsWithTheRequestAndReturnsTheChoice();
    void colorAndFontStartFromThePropertiesAndTakeTheChoice();
    void colorAndFontCancelChangesNothingAndRaisesWhenAsked();
    void qtColorAndFontDialogsStartWithTheRequestAndReturnTheChoice();
};

namespace {

// Answers the modal dialog of type D once it shows: `answer` looks at it and closes it.
template <class D, class Answer>
void AnswerWhenShown(QTimer& timer, Answer answer) {
    timer.setInterval(20);
    QObject::connect(&timer, &QTimer::timeout, [&timer, answer] {
        if (auto* shown = qobject_cast<D*>(QApplication::activeModalWidget())) {
            timer.stop();
            answer(shown);
        }
    });
    timer.start();
}

}  // namespace

void CommonDialogTest::confirmedOpenSetsNameTitleFolderAndFilter() {
    clsCommonDialog dialog;
    dialog.Filter = "A|*.a|B|*.b";
    dialog.Runner = [](QWidget*, const FileDialogRequest&) {
        return FileDialogChoice{true, "/a/b/x.frm", 2};
    };
    dialog.ShowOpen();
    QCOMPARE(dialog.Action(), ActionOpen);
    QCOMPARE(dialog.APIReturn(), 1);
    QVERIFY(!dialog.Cancelled());
    QCOMPARE(dialog.FileName, std::string("/a/b/x.frm"));
    QCOMPARE(dialog.FileTitle, std::string("x.frm"));
    QCOMPARE(dialog.InitDir, std::string("/a/b"));
    QCOMPARE(dialog.FilterIndex, int16_t{2});
    dialog.ShowSave();
    QCOMPARE(dialog.Action(), ActionSave);
}

void CommonDialogTest::requestFollowsTheProperties() {
    QWidget owner;
    clsCommonDialog dialog;
    dialog.Owner = &owner;
    dialog.DialogTitle = "Select File 1";
    dialog.Filter = "VB|*.bas;*.frm|All|*.*|";
    dialog.FilterIndex = 9;
    dialog.InitDir = "/start";
    dialog.FileName = "x.frm";
    dialog.flags = 4100;
    FileDialogRequest seen;
    QWidget* seenOwner = nullptr;
    dialog.Runner = [&](QWidget* w, const FileDialogRequest& r) {
        seenOwner = w;
        seen = r;
        return FileDialogChoice{};
    };
    dialog.ShowOpen();
    QCOMPARE(seenOwner, &owner);
    QCOMPARE(seen.Title, std::string("Select File 1"));
    QCOMPARE(seen.Filters.size(), size_t{2});
    QCOMPARE(seen.FilterIndex, int16_t{2});  // limited to the filters there are
    QCOMPARE(seen.InitDir, std::string("/start"));
    QCOMPARE(seen.FileName, std::string("x.frm"));
    QCOMPARE(seen.MaxNameLength, 254);  // MaxFileSize 0 gives a buffer of 255
    QVERIFY(seen.FileMustExist);
    QCOMPARE(seen.Flags, 4100);
    dialog.flags = OfnHideReadOnly;
    dialog.ShowOpen();
    QVERIFY(!seen.FileMustExist);
}

void CommonDialogTest::cancelChangesNothing() {
    clsCommonDialog dialog;
    dialog.FileName = "/kept/name.frm";
    dialog.FilterIndex = 1;
    dialog.Runner = [](QWidget*, const FileDialogRequest&) { return FileDialogChoice{}; };
    dialog.ShowOpen();
    QVERIFY(dialog.Cancelled());
    QCOMPARE(dialog.APIReturn(), 0);
    QCOMPARE(dialog.FileName, std::string("/kept/name.frm"));
    QCOMPARE(dialog.FileTitle, std::string());
}

void CommonDialogTest::cancelRaisesWhenAsked() {
    clsCommonDialog dialog;
    dialog.CancelError = true;
    dialog.Runner = [](QWidget*, const FileDialogRequest&) { return FileDialogChoice{}; };
    try {
        dialog.ShowOpen();
        QFAIL("no error raised");
    } catch (const RunTimeError& e) {
        QCOMPARE(e.Number, 32755);
    }
    dialog.Runner = [](QWidget*, const FileDialogRequest&) {
        return FileDialogChoice{true, "/x", 1};
    };
    dialog.ShowOpen();  // a confirmed choice raises nothing
    QCOMPARE(dialog.FileName, std::string("/x"));
}

void CommonDialogTest::nameLongerThanTheBufferIsRefused() {
    clsCommonDialog dialog;
    dialog.MaxFileSize = 8;
    dialog.FileName = "before";
    dialog.Runner = [](QWidget*, const FileDialogRequest&) {
        return FileDialogChoice{true, "/long/name.frm", 1};
    };
    dialog.ShowOpen();
    QCOMPARE(dialog.ExtendedError(), FnerrBufferTooSmall);
    QCOMPARE(dialog.APIReturn(), 0);
    QVERIFY(!dialog.Cancelled());
    QCOMPARE(dialog.FileName, std::string("before"));
}

void CommonDialogTest::tracesUnderLogClasses() {
    const test::TempDir dir;
    const std::string logFile = (dir.Path() / "trace.log").string();
    cDebug debug;
    debug.LogClasses = true;
    cLog log(ProgramFacts{"Dualis", "1.0.0", {}});
    log.LogOpen(logFile, LogModeNew);
    Tracing tracing(debug, log, [](const ErrorFacts&) { QFAIL("error handler reached"); });
    clsCommonDialog dialog;
    dialog.Trace = &tracing;
    dialog.CancelError = true;
    dialog.Runner = [](QWidget*, const FileDialogRequest&) { return FileDialogChoice{}; };
    // The cancel goes to the caller, not to the error handler, after a normal exit line.
    QVERIFY_THROWS_EXCEPTION(RunTimeError, dialog.ShowOpen());
    log.LogClose();
    const std::string text = test::ReadFile(logFile);
    QVERIFY(text.find("->clsCommonDialog: ShowOpen") != std::string::npos);
    QVERIFY(text.find("<-clsCommonDialog: ShowOpen") != std::string::npos);
}

void CommonDialogTest::qtDialogStartsWithTheRequestAndReturnsTheChoice() {
    const test::TempDir dir;
    const std::string file = dir.Write("x.frm", "x");
    dir.Write("noext", "y");
    FileDialogRequest request;
    request.Title = "Select File 1";
    request.Filters = ParseFilter("VB|*.frm|All(*.*)|*.*");
    request.FilterIndex = 2;
    request.InitDir = dir.Path().string();
    request.FileMustExist = true;
    QString startFilter, startFolder;
    QFileDialog::FileMode startMode{};
    // Answers the dialog once it runs: another filter, then the file. The dialog reads its
    // folder in the background and may refuse the first tries, so the answer is repeated
    // until the dialog closes, or given up after a few seconds.
    QTimer timer;
    timer.setInterval(20);
    int ticks = 0;
    bool seen = false;
    connect(&timer, &QTimer::timeout, [&] {
        auto* shown = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!shown) return;
        if (!seen) {
            seen = true;
            startFilter = shown->selectedNameFilter();
            startFolder = shown->directory().absolutePath();
            startMode = shown->fileMode();
        }
        if (++ticks > 250) {
            shown->reject();
            return;
        }
        shown->selectNameFilter("VB (*.frm)");  // the user picks the other filter
        // selectFile leaves a name box that has the focus alone: type the name as a user does.
        if (auto* name = shown->findChild<QLineEdit*>("fileNameEdit")) {
            name->setText("x.frm");
        } else {
            shown->selectFile(QString::fromStdString(file));
        }
        static_cast<QDialog*>(shown)->accept();  // QFileDialog hides its override
    });
    timer.start();
    const FileDialogChoice choice = RunQtFileDialog(nullptr, request);
    timer.stop();
    QCOMPARE(startFilter, QString("All (*)"));
    QCOMPARE(startFolder, QString::fromStdString(dir.Path().string()));
    QCOMPARE(startMode, QFileDialog::ExistingFile);
    QVERIFY(choice.Confirmed);
    QCOMPARE(choice.FileName, file);
    QCOMPARE(choice.FilterIndex, int16_t{1});
}

void CommonDialogTest::colorAndFontStartFromThePropertiesAndTakeTheChoice() {
    clsCommonDialog dialog;
    dialog.DialogTitle = "Select Added Back Color";
    dialog.Color = 0x0000FF;
    dialog.CustomColors[3] = 0x123456;
    ColorDialogRequest colourSeen;
    dialog.ColorRunner = [&](QWidget*, const ColorDialogRequest& r) {
        colourSeen = r;
        CustomColorTable custom = r.CustomColors;
        custom[0] = 0xABCDEF;
        return ColorDialogChoice{true, 0x00FF00, custom};
    };
    dialog.ShowColor();
    QCOMPARE(colourSeen.Title, std::string("Select Added Back Color"));
    QCOMPARE(colourSeen.Color, 0x0000FFu);
    QCOMPARE(colourSeen.CustomColors[3], 0x123456u);
    QCOMPARE(dialog.Action(), ActionColor);
    QCOMPARE(dialog.APIReturn(), 1);
    QCOMPARE(dialog.Color, 0x00FF00u);
    QCOMPARE(dialog.CustomColors[0], 0xABCDEFu);  // offered again at the next showing

    dialog.DialogTitle.clear();
    dialog.flags = 70721;
    dialog.FontName = "DejaVu Sans Mono";
    dialog.FontSize = 9.75f;
    dialog.FontItalic = true;
    dialog.FontColor = 0x808080;
    FontDialogRequest fontSeen;
    dialog.FontRunner = [&](QWidget*, const FontDialogRequest& r) {
        fontSeen = r;
        return FontDialogChoice{true, {"DejaVu Serif", 10.96f, true, false, true, true, 0xFF}};
    };
    dialog.ShowFont();
    QCOMPARE(fontSeen.Flags, 70721);
    QCOMPARE(fontSeen.Font.Name, std::string("DejaVu Sans Mono"));
    QCOMPARE(fontSeen.Font.Size, 9.75f);
    QVERIFY(!fontSeen.Font.Bold && fontSeen.Font.Italic);
    QCOMPARE(fontSeen.Font.Color, 0x808080u);
    QCOMPARE(dialog.Action(), ActionFont);
    QCOMPARE(dialog.FontName, std::string("DejaVu Serif"));
    QCOMPARE(dialog.FontSize, 11.0f);  // to a tenth of a point
    QVERIFY(dialog.FontBold && !dialog.FontItalic && dialog.FontUnderline && dialog.FontStrikethru);
    QCOMPARE(dialog.FontColor, 0xFFu);
}

void CommonDialogTest::colorAndFontCancelChangesNothingAndRaisesWhenAsked() {
    clsCommonDialog dialog;
    dialog.Color = 0x123456;
    dialog.FontName = "Kept";
    dialog.FontSize = 12;
    // Runners that report a cancel with other values.
    dialog.ColorRunner = [](QWidget*, const ColorDialogRequest&) {
        return ColorDialogChoice{false, 0xFFFFFF, {}};
    };
    dialog.FontRunner = [](QWidget*, const FontDialogRequest&) {
        return FontDialogChoice{false, {"Other", 30}};
    };
    const clsCommonDialog before = dialog;
    dialog.ShowColor();
    QVERIFY(dialog.Cancelled());
    dialog.ShowFont();
    QVERIFY(dialog.Cancelled());
    QCOMPARE(dialog.APIReturn(), 0);
    QCOMPARE(dialog.Color, before.Color);
    QVERIFY(dialog.CustomColors == before.CustomColors);
    QCOMPARE(dialog.FontName, before.FontName);
    QCOMPARE(dialog.FontSize, before.FontSize);
    dialog.CancelError = true;
    QVERIFY_THROWS_EXCEPTION(RunTimeError, dialog.ShowColor());
    try {
        dialog.ShowFont();
        QFAIL("no error raised");
    } catch (const RunTimeError& e) {
        QCOMPARE(e.Number, 32755);
    }
}

void CommonDialogTest::qtColorAndFontDialogsStartWithTheRequestAndReturnTheChoice() {
    ColorDialogRequest colourRequest;
    colourRequest.Title = "Select HiLite Fore Color";
    colourRequest.Color = 0x0080FF;  // red FF, green 80, blue 00
    colourRequest.CustomColors[15] = 0x010203;
    QColorDialog::setCustomColor(15, Qt::white);  // the table Qt saves for all its programs
    QString title;
    QColor start, custom;
    QTimer timer;
    AnswerWhenShown<QColorDialog>(timer, [&](QColorDialog* shown) {
        title = shown->windowTitle();
        start = shown->currentColor();
        custom = QColorDialog::customColor(15);
        shown->setCurrentColor(QColor(0x10, 0x20, 0x30));
        shown->accept();
    });
    const ColorDialogChoice colour = RunQtColorDialog(nullptr, colourRequest);
    QCOMPARE(title, QString("Select HiLite Fore Color"));
    QCOMPARE(start, QColor(0xFF, 0x80, 0x00));
    QCOMPARE(custom, QColor(0x03, 0x02, 0x01));
    QVERIFY(colour.Confirmed);
    QCOMPARE(colour.Color, 0x302010u);
    QCOMPARE(colour.CustomColors[15], 0x010203u);
    QCOMPARE(QColorDialog::customColor(15), QColor(Qt::white));

    const QString family = QFontDatabase::families().value(0);
    QVERIFY(!family.isEmpty());
    FontDialogRequest fontRequest;
    fontRequest.Font = {family.toStdString(), 14, true, false, false, false, 0xFF};
    QFont startFont;
    QFont chosenFont(family, 11);
    chosenFont.setItalic(true);
    AnswerWhenShown<QFontDialog>(timer, [&](QFontDialog* shown) {
        startFont = shown->currentFont();
        shown->setCurrentFont(chosenFont);
        shown->accept();
    });
    const FontDialogChoice font = RunQtFontDialog(nullptr, fontRequest);
    QCOMPARE(startFont.family(), family);
    QCOMPARE(startFont.pointSizeF(), 14.0);
    QVERIFY(startFont.bold() && !startFont.italic());
    QVERIFY(font.Confirmed);
    QCOMPARE(font.Font.Name, family.toStdString());
    QCOMPARE(font.Font.Size, 11.0f);
    QVERIFY(!font.Font.Bold && font.Font.Italic);
    QCOMPARE(font.Font.Color, 0xFFu);  // the dialog has no colour of its own to give
}

}  // namespace dualis

QTEST_MAIN(dualis::CommonDialogTest)
#include "CommonDialogTest.moc"
