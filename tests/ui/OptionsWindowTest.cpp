// The options command of the main window on the offscreen platform: the legend's colour labels
// open the Display page, and the answer to "Options changed, recompare now?" decides whether the
// comparison is made again with the new options.
#include <QCheckBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "MainWindowFixture.h"

namespace dualis {

namespace {

// Runs `inDialog` on the options dialog once it is shown by `command`, which returns after the
// dialog is closed.
void WithOptionsDialog(Fixture& f, const std::function<void(frmOptions&)>& inDialog,
                       const std::function<void()>& command) {
    QTimer::singleShot(0, f.window.get(), [&] { inDialog(*f.window->Options); });
    command();
}

}  // namespace

class OptionsWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void ALegendColourLabelOpensTheDisplayPage() {
        Fixture f;
        f.values.ViewLegend = true;
        f.window->Form_Load();
        int page = 0;
        WithOptionsDialog(
            f,
            [&](frmOptions& dialog) {
                page = dialog.CurrentPage();
                dialog.cmdCancel->click();
            },
            [&] {
                QMouseEvent release(QEvent::MouseButtonRelease, QPointF(2, 2), QPointF(2, 2),
                                    Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
                QCoreApplication::sendEvent(f.window->picLegend->lblLegendAdded, &release);
            });
        QCOMPARE(page, 2);
        QCOMPARE(f.window->OptionsTab, int16_t{0});
        QVERIFY(!f.window->Options);  // Cancel unloaded it
        // The menu command opens a fresh dialog on the first page.
        WithOptionsDialog(
            f,
            [&](frmOptions& dialog) {
                page = dialog.CurrentPage();
                dialog.cmdOK->click();
            },
            [&] { f.window->mnuViewOptions->trigger(); });
        QCOMPARE(page, 1);
        QVERIFY(f.window->Options);  // OK keeps it
        // The toolbar's Options button opens it too, on the page it showed last.
        page = 0;
        WithOptionsDialog(
            f,
            [&](frmOptions& dialog) {
                page = dialog.CurrentPage();
                dialog.cmdOK->click();
            },
            [&] { f.window->picToolBar_MouseDown(ButtonOptions); });
        QCOMPARE(page, 1);
    }

    void YesComparesAgainWithTheNewOptionsAndNoLeavesTheComparison() {
        Fixture f;
        f.window->Form_Load();
        f.CompareFromCommandLine(Procedures(2, 5, ""), Procedures(2, 5, "  "));
        QCOMPARE(f.window->cboProcedures->itemText(1), QStringLiteral("# P1"));
        std::vector<std::string> questions;
        bool answer = false;
        f.window->Host().SetQuestionBox([&](QWidget*, const std::string& text) {
            questions.push_back(text);
            return answer;
        });
        auto ignoreTrailingBlanks = [&](frmOptions& dialog) {
            dialog.chkTrailing->click();
            dialog.cmdOK->click();
        };
        WithOptionsDialog(f, ignoreTrailingBlanks, [&] { f.window->mnuViewOptions_Click(); });
        QCOMPARE(questions, std::vector<std::string>{"Options changed, recompare now?"});
        QVERIFY(f.values.Compare.IgnoreTrailingBlanks);
        QVERIFY(f.window->NotRecompared);
        QCOMPARE(f.window->cboProcedures->itemText(1), QStringLiteral("# P1"));  // as it was
        answer = true;
        WithOptionsDialog(f, ignoreTrailingBlanks, [&] { f.window->mnuViewOptions_Click(); });
        QVERIFY(!f.values.Compare.IgnoreTrailingBlanks);
        QVERIFY(!f.window->NotRecompared);
        // Compared again without ignoring them: still changed. Once more, ignoring them: equal.
        WithOptionsDialog(f, ignoreTrailingBlanks, [&] { f.window->mnuViewOptions_Click(); });
        QCOMPARE(f.window->cboProcedures->itemText(1), QStringLiteral("= P1"));
        // Without a change nothing is asked.
        WithOptionsDialog(
            f, [](frmOptions& dialog) { dialog.cmdOK->click(); },
            [&] { f.window->mnuViewOptions_Click(); });
        QCOMPARE(questions.size(), size_t{3});
    }

    // The marks within lines need no new comparison: the panes are drawn again at OK whatever
    // the answer, and the setting is stored.
    void HighlightingWithinLinesTakesEffectAtOkWithoutComparingAgain() {
        Fixture f;
        f.window->Form_Load();
        f.CompareFromCommandLine(Procedures(2, 5, ""), Procedures(2, 5, " ' changed"));
        f.window->cboProcedures->setCurrentIndex(1);
        f.window->Host().SetQuestionBox([](QWidget*, const std::string&) { return false; });
        const QImage marked = f.window->picDisplay[1]->Picture().toImage();
        const auto toggle = [](frmOptions& dialog) {
            dialog.chkHighlightInLine->click();
            dialog.cmdOK->click();
        };
        WithOptionsDialog(f, toggle, [&] { f.window->mnuViewOptions_Click(); });
        QVERIFY(!f.values.HighlightInLine);
        QVERIFY(f.window->NotRecompared);
        const QImage plain = f.window->picDisplay[1]->Picture().toImage();
        QVERIFY(plain != marked);
        WithOptionsDialog(f, toggle, [&] { f.window->mnuViewOptions_Click(); });
        QVERIFY(f.values.HighlightInLine);
        QCOMPARE(f.window->picDisplay[1]->Picture().toImage(), marked);
    }
};

}  // namespace dualis

QTEST_MAIN(dualis::OptionsWindowTest)
#include "OptionsWindowTest.moc"
