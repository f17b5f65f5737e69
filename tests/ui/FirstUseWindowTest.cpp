// What users meet first in the main window, on the offscreen platform: the legend's first place
// covers no file name and no row, the file labels keep apart when the splitter moves, an empty
// window says how to open two files, every key is traced with the key table's code, and the
// dump and the default log find a folder they can write, or say why not and go on.
#include <QtTest>
#include <cstdlib>
#include <optional>

#include "Dump.h"
#include "MainWindowFixture.h"
#include "VirtualKeys.h"

namespace dualis {

namespace {

// Where a pane's text is drawn, in the view's coordinates: its frame without the scroll bars
// and the procedure map.
QRect TextArea(const frmMain& w, int p) {
    const QRect frame = w.fraDisplay[p]->geometry();
    const int width = std::min(w.vsbDisplay[p]->x(), w.picMap[p]->x());
    return QRect(frame.topLeft(), QSize(width, w.hsbDisplay[p]->y()));
}

// The first failure of the legend's rectangle against the labels, panes and status line shown;
// empty when it covers none of them.
QString LegendCovers(const frmMain& w) {
    const QRect legend = w.picLegend->geometry();
    const bool two = !w.fraDisplay[1]->isHidden();
    if (!w.lblStatus->isHidden() && legend.intersects(w.lblStatus->geometry())) {
        return "the status line";
    }
    for (int p = 0; p < 2; ++p) {
        const QRect label = w.lblFileInformation[p]->geometry();
        if (legend.intersects(label)) return QString("file label %1").arg(p + 1);
        if ((p == 0 || two) && legend.intersects(TextArea(w, p))) {
            return QString("the text of pane %1").arg(p + 1);
        }
    }
    return {};
}

// The lines a label's text takes, and whether they fit its height.
bool TextFits(const QLabel* label) {
    const int lines = static_cast<int>(label->text().count(QLatin1Char('\n'))) + 1;
    const QFontMetrics metrics(label->font());
    return metrics.height() + (lines - 1) * metrics.lineSpacing() <= label->height();
}

// An environment variable for one test, put back as it was afterwards.
class ScopedVariable {
  public:
    ScopedVariable(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedVariable() {
        if (old_) {
            setenv(name_, old_->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

// The lines of a trace log that begin with `start`, each without its leading blank.
std::vector<std::string> TraceLines(const std::string& logFile, const std::string& start) {
    std::vector<std::string> found;
    const std::string text = test::ReadFile(logFile);
    size_t begin = 0;
    while (begin < text.size()) {
        size_t end = text.find("\r\n", begin);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(begin, end - begin);
        if (line.rfind(" " + start, 0) == 0) found.push_back(line.substr(1));
        begin = end + 2;
    }
    return found;
}

}  // namespace

class FirstUseWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void TheLegendStartsWhereItCoversNoFileNameAndNoRow() {
        for (const char* mode : {"V", "H", "C"}) {
            Fixture f;
            f.values.ViewLegend = true;
            f.values.ViewMode = mode;
            f.window->Form_Load();
            f.CompareFromCommandLine(Procedures(3, 40, "' changed"), Procedures(3, 40, ""));
            frmMain& w = *f.window;
            QVERIFY(w.picLegend->isVisible());
            // As the window first opens, whatever its size, and in a window wider than it.
            QVERIFY2(
                LegendCovers(w).isEmpty(),
                qPrintable(QString("view %1: the legend covers ").arg(mode) + LegendCovers(w)));
            w.resize(1000, 700);
            QCoreApplication::processEvents();
            QVERIFY2(
                LegendCovers(w).isEmpty(),
                qPrintable(QString("view %1: the legend covers ").arg(mode) + LegendCovers(w)));
            // In the bottom right corner, on the status line, which keeps the window's whole
            // width for what the commands say there.
            const QWidget* view = w.centralWidget();
            QCOMPARE(w.picLegend->geometry().right(), view->width() - 1);
            QVERIFY(w.lblStatus->isVisible());
            QCOMPARE(w.picLegend->geometry().bottom(), w.lblStatus->y() - 1);
            QVERIFY(w.lblStatus->x() < w.picLegend->x() / 8);
            QVERIFY(w.lblStatus->geometry().right() > w.picLegend->geometry().right() - 8);
            // With the status line hidden, in its place; back on it when it is shown.
            w.mnuViewStatusBar_Click();
            QCOMPARE(w.picLegend->geometry().bottom(), view->height() - 1);
            QVERIFY2(LegendCovers(w).isEmpty(), qPrintable(LegendCovers(w)));
            w.mnuViewStatusBar_Click();
            QCOMPARE(w.picLegend->geometry().bottom(), w.lblStatus->y() - 1);
            // Also after the window is resized, and in the other views.
            w.resize(w.width() - 57, w.height() + 41);
            QCoreApplication::processEvents();
            QVERIFY2(LegendCovers(w).isEmpty(), qPrintable(LegendCovers(w)));
            w.mnuViewHorizontal_Click();
            QVERIFY2(LegendCovers(w).isEmpty(), qPrintable(LegendCovers(w)));
            w.mnuViewCombined_Click();
            QVERIFY2(LegendCovers(w).isEmpty(), qPrintable(LegendCovers(w)));
            w.mnuViewVertical_Click();
            QVERIFY2(LegendCovers(w).isEmpty(), qPrintable(LegendCovers(w)));
        }
    }

    void AMovedLegendStaysWhereItWasPutAndGivesItsPlaceBack() {
        Fixture f;
        f.values.ViewLegend = true;
        f.window->Form_Load();
        f.CompareFromCommandLine(Procedures(3, 40, "' changed"), Procedures(3, 40, ""));
        frmMain& w = *f.window;
        w.resize(1000, 700);
        QCoreApplication::processEvents();
        const QRect first = w.picLegend->geometry();
        const int paneBottom = w.fraDisplay[0]->geometry().bottom();
        // Hidden and shown again, it comes back to its first place.
        w.mnuViewLegend_Click();
        QVERIFY(!w.picLegend->isVisible());
        QVERIFY(w.fraDisplay[0]->geometry().bottom() > paneBottom);
        w.mnuViewLegend_Click();
        QCOMPARE(w.picLegend->geometry(), first);
        QCOMPARE(w.fraDisplay[0]->geometry().bottom(), paneBottom);

        // Dragged by its title bar up and to the left.
        const double tpp = w.TwipsPerPixel();
        const double x = w.picLegend->width() / 2 * tpp;
        w.picLegendTitleBar_MouseDown(x, 30);
        w.picLegendTitleBar_MouseMove(x - 3000, 30 - 2000);
        w.picLegendTitleBar_MouseUp(x - 3000, 30 - 2000);
        const QRect moved = w.picLegend->geometry();
        QVERIFY(moved.x() < first.x() && moved.y() < first.y());
        // The panes take the room it leaves.
        QVERIFY(w.fraDisplay[0]->geometry().bottom() > paneBottom);
        // Hidden and shown again, or the view changed, it stays where it was put.
        w.mnuViewLegend_Click();
        w.mnuViewLegend_Click();
        w.mnuViewHorizontal_Click();
        QCOMPARE(w.picLegend->geometry(), moved);
    }

    void TheFileLabelsKeepApartWhenTheSplitterMoves() {
        Fixture f;
        f.window->Form_Load();
        f.CompareFromCommandLine(Procedures(3, 40, "' changed"), Procedures(3, 40, ""));
        frmMain& w = *f.window;
        w.resize(900, 600);
        QCoreApplication::processEvents();
        const std::array<QString, 2> full = {w.lblFileInformation[0]->text(),
                                             w.lblFileInformation[1]->text()};
        // Where the splitter is put, in twips from where it stands, and the views.
        const std::pair<const char*, double> moves[] = {
            {"V", -3000}, {"V", 4500}, {"V", -8000}, {"H", -2000}, {"H", 1500}};
        for (const auto& [mode, offset] : moves) {
            if (*mode == 'H') w.mnuViewHorizontal_Click();
            const double tpp = w.TwipsPerPixel();
            const double pos = (*mode == 'V' ? w.picSplitter->x() : w.picSplitter->y()) * tpp;
            // Not closer than 50 twips to the window's edge, where the splitter stops.
            const double target = std::max(pos + offset, 700.0);
            w.picSplitter_MouseDown();
            w.picSplitter_MouseMove(*mode == 'V' ? target - pos + 30 : 0,
                                    *mode == 'H' ? target - pos + 30 : 0);
            w.picSplitter_MouseUp();
            QCoreApplication::processEvents();
            const QString where = QString("%1 view, splitter at %2 px")
                                      .arg(mode)
                                      .arg(*mode == 'V' ? w.picSplitter->x() : w.picSplitter->y());
            QVERIFY2(!w.lblFileInformation[0]->geometry().intersects(
                         w.lblFileInformation[1]->geometry()),
                     qPrintable(where));
            for (int p = 0; p < 2; ++p) {
                const FileInfoLabel* label = w.lblFileInformation[p];
                QVERIFY2(TextFits(label), qPrintable(where));
                // No line runs on beyond the label into the other's: a line too long is cut
                // with "…", and the whole text is the label's tooltip.
                const QFontMetrics metrics(label->font());
                for (const QString& line : label->text().split('\n')) {
                    QVERIFY2(metrics.horizontalAdvance(line) <= label->contentsRect().width(),
                             qPrintable(where + ": " + line));
                }
                QCOMPARE(label->FullText().contains('\n'), *mode == 'V');
                const bool cut = label->text() != label->FullText();
                QCOMPARE(label->toolTip(), cut ? label->FullText() : QString());
                if (*mode == 'V') {
                    QCOMPARE(label->FullText(), full[p]);
                    // A name cut where there is room for more keeps its end, the file's own
                    // name.
                    const QString name = p == 0 ? "one.bas" : "two.bas";
                    if (label->width() > 3 * metrics.horizontalAdvance(name)) {
                        QVERIFY2(label->text().section('\n', 0, 0).endsWith(name),
                                 qPrintable(where + ": " + label->text()));
                    }
                }
            }
        }
        // Made wide again, the labels show their whole text.
        w.mnuViewVertical_Click();
        w.SplitRatioV = 0.5;
        w.resize(1600, 600);
        QCoreApplication::processEvents();
        for (int p = 0; p < 2; ++p) {
            QCOMPARE(w.lblFileInformation[p]->text(), full[p]);
            QCOMPARE(w.lblFileInformation[p]->toolTip(), QString());
        }
    }

    void AnEmptyWindowSaysHowToOpenTwoFiles() {
        Fixture f;
        f.window->Form_Load();
        frmMain& w = *f.window;
        QVERIFY(w.lblOpenHint->isVisible());
        QCOMPARE(
            w.lblOpenHint->text(),
            QString::fromUtf8("To compare two files, choose File \u203A Open Files (Ctrl+O)."));
        QCOMPARE(w.mnuFileOpen->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
        // In the middle of the view, whatever the window's size.
        const QRect view = w.centralWidget()->rect();
        QVERIFY(view.contains(w.lblOpenHint->geometry()));
        QVERIFY(std::abs(w.lblOpenHint->geometry().center().x() - w.fraDisplay[0]->x() -
                         (w.fraDisplay[1]->geometry().right() - w.fraDisplay[0]->x()) / 2) <= 2);
        // Read across the splitter between the empty panes: the bar is not drawn through it.
        QVERIFY(w.lblOpenHint->geometry().width() < view.width());
        const int splitterX = w.picSplitter->geometry().center().x();
        QVERIFY(w.lblOpenHint->geometry().left() < splitterX &&
                splitterX < w.lblOpenHint->geometry().right());
        const QImage shown = w.centralWidget()->grab().toImage();
        const qreal ratio = shown.devicePixelRatio();
        const QPoint aboveText(splitterX, w.lblOpenHint->geometry().top() + 2);
        QCOMPARE(shown.pixelColor(aboveText * ratio), w.palette().color(QPalette::Base));
        QVERIFY(shown.pixelColor(QPoint(splitterX, w.picSplitter->geometry().bottom() - 2) *
                                 ratio) != w.palette().color(QPalette::Base));
        // A comparison that fails keeps it; one that is made takes it away for good.
        SetFileNames(f.state, (f.dir.Path() / "none.bas").string(), f.dir.Write("a.bas", "x"));
        QVERIFY(!w.CompareAFile());
        QVERIFY(w.lblOpenHint->isVisible());
        f.CompareFromCommandLine(Procedures(2, 3, ""), Procedures(2, 3, "'"));
        QVERIFY(!w.lblOpenHint->isVisible());
        w.mnuViewCombined_Click();
        SetFileNames(f.state, (f.dir.Path() / "none.bas").string(), f.names[1]);
        QVERIFY(!w.CompareAFile());
        QVERIFY(!w.lblOpenHint->isVisible());
    }

    void EveryKeyIsTracedWithTheKeyTablesCode() {
        Fixture f;
        f.window->Form_Load();
        f.CompareFromCommandLine(Procedures(3, 40, "' changed"), Procedures(3, 40, ""));
        frmMain& w = *f.window;
        const std::string logFile = (f.dir.Path() / "keys.log").string();
        f.log.LogOpen(logFile, LogModeNew);
        f.debug.LogEvents = true;
        w.picDisplay[0]->setFocus();
        QTRY_VERIFY(w.picDisplay[0]->hasFocus());
        const Qt::KeyboardModifiers none = Qt::NoModifier;
        // Each key with the lines it gives: a modifier held is a key pressed first.
        const std::pair<std::pair<Qt::Key, Qt::KeyboardModifiers>, std::vector<std::string>>
            keys[] = {
                {{Qt::Key_PageDown, none}, {"Key/Shift=34/0"}},
                {{Qt::Key_F3, none}, {"Key/Shift=114/0"}},
                {{Qt::Key_Equal, none}, {"Key/Shift=187/0"}},
                {{Qt::Key_Equal, Qt::ControlModifier}, {"Key/Shift=17/2", "Key/Shift=187/2"}},
                {{Qt::Key_Minus, none}, {"Key/Shift=189/0"}},
                {{Qt::Key_Minus, Qt::KeypadModifier}, {"Key/Shift=109/0"}},
                // Keys that are no command of the window.
                {{Qt::Key_Q, none}, {"Key/Shift=81/0"}},
                {{Qt::Key_7, Qt::AltModifier}, {"Key/Shift=18/4", "Key/Shift=55/4"}},
                {{Qt::Key_F7, Qt::ShiftModifier}, {"Key/Shift=16/1", "Key/Shift=118/1"}},
                {{Qt::Key_Plus, Qt::ShiftModifier}, {"Key/Shift=16/1", "Key/Shift=187/1"}},
            };
        std::vector<std::string> expected;
        for (const auto& [key, lines] : keys) {
            QTest::keyClick(w.picDisplay[0], key.first, key.second);
            expected.insert(expected.end(), lines.begin(), lines.end());
        }
        // Where the focus is makes no difference, and a key is traced once on its way up.
        w.cboProcedures->setFocus();
        QTRY_VERIFY(w.cboProcedures->hasFocus());
        QTest::keyClick(w.cboProcedures, Qt::Key_F8);
        expected.push_back("Key/Shift=119/0");
        QTest::keyClick(w.cboProcedures, Qt::Key_Down);
        expected.push_back("Key/Shift=40/0");
        f.log.LogClose();
        QCOMPARE(TraceLines(logFile, "Key/Shift="), expected);

        // With the trace of events off, no key is traced.
        f.debug.LogEvents = false;
        f.log.LogOpen(logFile, LogModeNew);
        QTest::keyClick(w.picDisplay[0], Qt::Key_PageDown);
        f.log.LogClose();
        QVERIFY(TraceLines(logFile, "Key/Shift=").empty());
    }

    void KeyCodesFollowTheKeyNotTheCharacter() {
        QCOMPARE(VirtualKeyCode(Qt::Key_A, false), 65);
        QCOMPARE(VirtualKeyCode(Qt::Key_Z, false), 90);
        QCOMPARE(VirtualKeyCode(Qt::Key_0, false), 48);
        QCOMPARE(VirtualKeyCode(Qt::Key_0, true), 96);
        QCOMPARE(VirtualKeyCode(Qt::Key_9, true), 105);
        QCOMPARE(VirtualKeyCode(Qt::Key_Exclam, false), 49);  // Shift+1
        QCOMPARE(VirtualKeyCode(Qt::Key_Underscore, false), 189);
        QCOMPARE(VirtualKeyCode(Qt::Key_Plus, true), 107);
        QCOMPARE(VirtualKeyCode(Qt::Key_Asterisk, false), 56);
        QCOMPARE(VirtualKeyCode(Qt::Key_Asterisk, true), 106);
        QCOMPARE(VirtualKeyCode(Qt::Key_F1, false), 112);
        QCOMPARE(VirtualKeyCode(Qt::Key_F24, false), 135);
        QCOMPARE(VirtualKeyCode(Qt::Key_PageUp, true), 33);
        QCOMPARE(VirtualKeyCode(Qt::Key_Home, false), 36);
        QCOMPARE(VirtualKeyCode(Qt::Key_Escape, false), 27);
        QCOMPARE(VirtualKeyCode(Qt::Key_Shift, false), 16);
        QCOMPARE(VirtualKeyCode(Qt::Key_Adiaeresis, false), 0);
        QCOMPARE(ModifierBits(Qt::ShiftModifier | Qt::AltModifier | Qt::KeypadModifier), 5);
    }

    void TheDumpAndTheLogGoWhereTheyCanBeWritten() {
        Fixture f;
        const ScopedVariable dataHome("XDG_DATA_HOME", (f.dir.Path() / "data").string());
        // A program folder that cannot be written, as an installed program's.
        MainWindowContext context{f.state,           f.values, f.appInfo,
                                  f.windowUtilities, f.trace,  f.debug};
        context.ProgramFolder = f.dir.Path() / "usr" / "bin";
        std::vector<FileDialogRequest> logDialogs;
        context.ChooseLogFile = [&](QWidget*, const FileDialogRequest& request) {
            logDialogs.push_back(request);
            return FileDialogChoice{};
        };
        frmMain w(std::move(context));
        w.Host().SetMessageBox(
            [&](QWidget*, const std::string& text) { f.messages.push_back(text); });
        w.Form_Load();
        SetFileNames(f.state, f.dir.Write("one.bas", Procedures(2, 3, "")),
                     f.dir.Write("two.bas", Procedures(2, 3, "'")));
        QVERIFY(w.CompareAFile());
        w.cmdViewFiles_Click();
        const std::filesystem::path folder = f.dir.Path() / "data" / "Dualis";
        const Qt::KeyboardModifiers all = Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier;

        QTest::keyClick(w.picDisplay[0], Qt::Key_F5, all);
        const std::string dump = (folder / "DUMP.TXT").string();
        QCOMPARE(f.messages, std::vector<std::string>{"Dumped to " + dump});
        QVERIFY(test::ReadFile(dump).find("Separate_Display\r\n") != std::string::npos);

        w.mnuDebugOpenAppendLog->trigger();
        const std::string log =
            (folder / (cAppInfo::ExecutablePath().stem().string() + ".LOG")).string();
        QCOMPARE(f.trace.Log().LogFileName(), log);
        QCOMPARE(f.messages.size(), size_t{1});
        w.mnuDebugLogClose->trigger();
        QVERIFY(test::ReadFile(log).find("Logfile " + log) != std::string::npos);
        w.mnuDebugOpenNewLog->trigger();
        QCOMPARE(logDialogs.size(), size_t{1});
        QCOMPARE(logDialogs[0].InitDir, folder.string());

        // A dump that cannot be written is named with the reason, and the program goes on.
        std::filesystem::remove(dump);
        std::filesystem::create_directories(dump);
        f.messages.clear();
        QTest::keyClick(w.picDisplay[0], Qt::Key_F5, all);
        QCOMPARE(f.messages, std::vector<std::string>{"Unable to write the dump\n" + dump +
                                                      "\nIs a directory"});
        QVERIFY(f.errors.empty());
        QCOMPARE(f.endsAtOnce, 0);
        QVERIFY(w.CompareAFile());
        QVERIFY(f.errors.empty());
    }

    void WhereNoFolderCanBeMadeTheProgramSaysWhyAndGoesOn() {
        Fixture f;
        const std::string blocker = f.dir.Write("data", "a file where a folder should be");
        const ScopedVariable dataHome("XDG_DATA_HOME", blocker);
        MainWindowContext context{f.state,           f.values, f.appInfo,
                                  f.windowUtilities, f.trace,  f.debug};
        context.ProgramFolder = f.dir.Path() / "usr" / "bin";
        frmMain w(std::move(context));
        w.Host().SetMessageBox(
            [&](QWidget*, const std::string& text) { f.messages.push_back(text); });
        w.Form_Load();
        SetFileNames(f.state, f.dir.Write("one.bas", Procedures(2, 3, "")),
                     f.dir.Write("two.bas", Procedures(2, 3, "'")));
        QVERIFY(w.CompareAFile());
        w.cmdViewFiles_Click();
        const std::filesystem::path folder = std::filesystem::path(blocker) / "Dualis";
        QTest::keyClick(w.picDisplay[0], Qt::Key_F5,
                        Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
        w.mnuDebugOpenAppendLog->trigger();
        const std::string log =
            (folder / (cAppInfo::ExecutablePath().stem().string() + ".LOG")).string();
        QCOMPARE(f.messages, (std::vector<std::string>{
                                 "Unable to write the dump\n" + (folder / "DUMP.TXT").string() +
                                     "\nNot a directory",
                                 "Unable to open the trace log\n" + log +
                                     "\nNot a directory\nThe program goes on without a log."}));
        QVERIFY(f.errors.empty());
        QVERIFY(f.trace.Log().LogFileName().empty());
        QVERIFY(w.mnuDebugOpenAppendLog->isEnabled());
    }
};

}  // namespace dualis

QTEST_MAIN(dualis::FirstUseWindowTest)
#include "FirstUseWindowTest.moc"
