// The procedure map in the main window, on the offscreen platform: a strip beside each pane's
// vertical bar with marks where the procedure differs, presses and drags that scroll, and marks
// drawn again only when what they show changed.
#include <QtTest>

#include "MainWindowFixture.h"

namespace dualis {

namespace {

// The declarations and one procedure of 1,000 lines, shown; File 2 changes its line 900.
void CompareLongProcedure(Fixture& f) {
    f.window->Form_Load();
    f.window->resize(900, 600);
    std::vector<std::string> lines{"Option Explicit", "Sub Long()"};
    for (int i = 1; i <= 1000; ++i) lines.push_back("  x = " + std::to_string(i));
    lines.push_back("End Sub");
    const std::string one = test::Lines(lines);
    lines[901] += " ' changed";
    f.CompareFromCommandLine(one, test::Lines(lines));
    f.window->cboProcedures->setCurrentIndex(1);
}

void SendMouse(QWidget* target, QEvent::Type type, double y, Qt::MouseButtons held) {
    const QPointF at(target->width() / 2.0, y);
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, target->mapToGlobal(at), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

}  // namespace

class ProcMapWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void AStripBesideEachVerticalBarMarksTheDifferences() {
        Fixture f;
        CompareLongProcedure(f);
        const double ratio = f.window->devicePixelRatioF();
        for (auto view : {&frmMain::mnuViewHorizontal_Click, &frmMain::mnuViewCombined_Click,
                          &frmMain::mnuViewVertical_Click}) {
            (f.window.get()->*view)();
            const int panes = f.values.ViewMode == "C" ? 1 : 2;
            QCOMPARE(f.window->picMap[1]->isVisibleTo(f.window.get()), panes == 2);
            for (int p = 0; p < panes; ++p) {
                const ProcMapStrip* strip = f.window->picMap[p];
                const QScrollBar* bar = f.window->vsbDisplay[p];
                QVERIFY(strip->isVisibleTo(f.window.get()));
                const int width = f.window->Metrics().MapWidth;
                QCOMPARE(strip->geometry(), QRect(bar->x() - width, 0, width, bar->height()));
                // The text is drawn up to the strip, never behind it.
                QCOMPARE(f.window->picDisplay[p]->Picture().width(), qRound(strip->x() * ratio));
                // One bin per device pixel; the changed row is marked where it falls.
                const QImage marks = strip->Marks().toImage();
                QCOMPARE(marks.height(), qRound(strip->height() * ratio));
                // Row 901 in every view: the procedure's header, then lines 1 to 899. The
                // combined view lists File 1's line as deleted, File 2's as added.
                const int changed =
                    900 * marks.height() /
                    ViewRowCount(f.state, f.window->View().CurrentProc(), f.values.ViewMode);
                const MapColours colours = ProcMapColours(f.values);
                const MapMark mark = panes == 1 ? MapMark::Deleted : MapMark::Changed;
                QCOMPARE(marks.pixelColor(marks.width() / 2, changed),
                         SettingsColour(colours.Mark[static_cast<size_t>(mark)]));
                QCOMPARE(marks.pixelColor(marks.width() / 2, marks.height() / 2),
                         SettingsColour(colours.Ground));
            }
        }
        QVERIFY(f.errors.empty());
    }

    void PressingOrDraggingScrollsThePaneAndThePartner() {
        Fixture f;
        CompareLongProcedure(f);
        ProcMapStrip* strip = f.window->picMap[1];
        QScrollBar* bar = f.window->vsbDisplay[1];
        const int built = strip->MarksCount();
        SendMouse(strip, QEvent::MouseButtonPress, strip->height() * 0.9, Qt::LeftButton);
        const int32_t value = bar->value();
        QCOMPARE(value, MapScrollValue(strip->height() * 0.9, strip->height(),
                                       f.state.SeparateCount(f.window->View().CurrentProc()),
                                       f.window->View().Scroll(1).LinesPerPane, bar->maximum()));
        QCOMPARE(f.window->View().TopLine(1), value);
        QCOMPARE(f.window->vsbDisplay[0]->value(), value);  // synchronised
        // The frame followed; the marks were not drawn again.
        QVERIFY(strip->Frame().Top > strip->Marks().height() * 8 / 10);
        QCOMPARE(strip->MarksCount(), built);
        // A move without the button does nothing; a drag past the top goes to the first row.
        SendMouse(strip, QEvent::MouseMove, 0, Qt::NoButton);
        QCOMPARE(bar->value(), value);
        SendMouse(strip, QEvent::MouseButtonPress, strip->height() * 0.5, Qt::LeftButton);
        SendMouse(strip, QEvent::MouseMove, -40, Qt::LeftButton);
        QCOMPARE(bar->value(), 1);
        QCOMPARE(f.window->View().TopLine(0), 1);
        QCOMPARE(strip->Frame().Top, 0);
        QVERIFY(f.errors.empty());
    }

    void TheMarksAreDrawnAgainOnlyWhenWhatTheyShowChanged() {
        Fixture f;
        QVERIFY(f.window->picMap[0]->Marks().isNull());  // nothing compared yet
        CompareLongProcedure(f);
        const ProcMapStrip* strip = f.window->picMap[0];
        int built = strip->MarksCount();
        auto drawnAgain = [&] {
            const int before = std::exchange(built, strip->MarksCount());
            return built > before;
        };
        f.window->vsbDisplay[0]->setValue(300);
        QVERIFY(!drawnAgain());
        f.window->cboProcedures->setCurrentIndex(0);  // another procedure, and back
        QVERIFY(drawnAgain());
        f.window->cboProcedures->setCurrentIndex(1);
        QVERIFY(drawnAgain());
        f.window->resize(900, 700);
        QVERIFY(drawnAgain());
        f.window->mnuViewHorizontal_Click();
        QVERIFY(drawnAgain());
        f.values.ForeColorChanged = 0x00FF00;
        f.window->vsbDisplay[0]->setValue(10);
        QVERIFY(drawnAgain());
        f.window->cboProcedures->setCurrentIndex(0);
        drawnAgain();
        f.window->mnuFileRecompare_Click();  // the same procedure of a new comparison
        QCOMPARE(f.window->cboProcedures->currentIndex(), 0);
        QVERIFY(drawnAgain());
        // With nothing to scroll a press leaves the bar where it is.
        f.CompareFromCommandLine(Procedures(1, 3, ""), Procedures(1, 3, "!"));
        QVERIFY(!f.window->vsbDisplay[0]->isEnabled());
        SendMouse(f.window->picMap[0], QEvent::MouseButtonPress, 50, Qt::LeftButton);
        QCOMPARE(f.window->vsbDisplay[0]->value(), 1);
        QVERIFY(f.errors.empty());
    }
};

}  // namespace dualis

QTEST_MAIN(dualis::ProcMapWindowTest)
#include "ProcMapWindowTest.moc"
