// The options dialog on the offscreen platform: what OK and Cancel store and write, the boxes
// that act at once, the enabling, the page keys, the colour and font choices, and a number no
// setting can hold.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QtTest>
#include <memory>

#include "fcSpinControl.h"
#include "frmOptions.h"

namespace dualis {

namespace {

struct Dialog {
    Dialog() : log({"Dualis", "1.0.0", {}}), trace(debug, log, [](const ErrorFacts&) {}) {
        values.FontName = "DejaVu Sans Mono";
        values.FontSize = 10;
        Load();
    }
    void Load() {
        OptionsDialogContext context{values, trace, optionsChanged, optionsTab};
        context.SaveSettings = [this]() -> std::optional<std::string> {
            ++saves;
            return saveFailure;
        };
        context.ShowHelp = [this](int command, int id) { help.push_back({command, id}); };
        context.ShowMessage = [this](QWidget*, const std::string& text) {
            messages.push_back(text);
        };
        context.ChooseColor = [this](QWidget*, const ColorDialogRequest& request) {
            colourTitles.push_back(request.Title);
            return ColorDialogChoice{colourChoice.has_value(), colourChoice.value_or(0), {}};
        };
        context.ChooseFont = [this](QWidget*, const FontDialogRequest& request) {
            FontDialogChoice choice{fontChoice.has_value(), request.Font};
            if (fontChoice)
                choice.Font.Name = *fontChoice, choice.Font.Size = 15, choice.Font.Bold = true;
            return choice;
        };
        form = std::make_unique<frmOptions>(std::move(context));
        form->Form_Load();
        form->show();
    }
    void Type(fcSpinControl* spin, const QString& text) {
        spin->Field()->selectAll();
        QTest::keyClicks(spin->Field(), text);
    }

    cDebug debug;
    cLog log;
    Tracing trace;
    Settings values;
    bool optionsChanged = false;
    int16_t optionsTab = 1;
    int saves = 0;
    std::optional<std::string> saveFailure;
    std::vector<std::pair<int, int>> help;
    std::vector<std::string> messages;
    std::vector<std::string> colourTitles;
    std::optional<uint32_t> colourChoice;
    std::optional<std::string> fontChoice;
    std::unique_ptr<frmOptions> form;
};

}  // namespace

class OptionsDialogTest : public QObject {
    Q_OBJECT
  private slots:
    void OkWithoutAChangeStoresAndWritesNothing() {
        Dialog d;
        const Settings before = d.values;
        d.form->cmdOK->click();
        QVERIFY(d.form->isHidden());
        QVERIFY(!d.form->Unloaded());
        QVERIFY(!d.optionsChanged);
        QCOMPARE(d.saves, 0);
        QVERIFY(d.values == before);
    }

    void OkStoresAChangedTabWidthAndWritesTheFile() {
        Dialog d;
        d.form->chkExpandTabs->click();
        QVERIFY(d.form->txtTabWidth->isEnabled());
        d.Type(d.form->txtTabWidth, "8");
        d.form->cmdOK->click();
        QVERIFY(d.optionsChanged);
        QCOMPARE(d.saves, 1);
        QVERIFY(d.values.Compare.ExpandTabs);
        QCOMPARE(d.values.Compare.TabWidth, int16_t{8});
        // A save that failed is said, and the dialog closes all the same.
        d.saveFailure = "The settings could not be saved.";
        d.form->show();
        d.form->chkCase->click();
        d.form->cmdOK->click();
        QCOMPARE(d.messages, std::vector<std::string>{"The settings could not be saved."});
        QVERIFY(d.form->isHidden());
    }

    void TheImmediateBoxesOutliveCancel() {
        Dialog d;
        d.form->chkDifferencesOnly->click();
        d.form->chkDisplayLineNumbers->click();
        d.form->chkCase->click();
        QVERIFY(d.form->txtDifferencesBefore->isEnabled());
        QVERIFY(d.form->optCountTopFile->isEnabled());
        d.form->cmdCancel->click();
        QVERIFY(d.form->Unloaded());
        QVERIFY(d.values.Compare.DifferencesOnly);
        QVERIFY(d.values.LineNumbers);
        QVERIFY(!d.values.Compare.IgnoreCase);
        QCOMPARE(d.saves, 0);
    }

    void TheResyncFieldFollowsTheMatchChoice() {
        Dialog d;
        QVERIFY(d.form->txtReSync->isEnabled());
        d.form->optLineByLine->click();
        QVERIFY(!d.form->txtReSync->isEnabled());
        d.form->optReSync->click();
        QVERIFY(d.form->txtReSync->isEnabled());
    }

    void PageKeysComeBeforeTheAccessKeys() {
        Dialog d;
        QVERIFY(QTest::qWaitForWindowActive(d.form.get()));
        QCOMPARE(d.form->CurrentPage(), 1);
        d.form->chkTrailing->setFocus();
        QTest::keyClick(d.form->chkTrailing, Qt::Key_D, Qt::AltModifier);
        QCOMPARE(d.form->CurrentPage(), 2);
        QCOMPARE(d.form->tabHolder->currentIndex(), 1);
        QTest::keyClick(d.form.get(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(d.form->CurrentPage(), 1);
        d.form->chkCase->setFocus();
        QTest::keyClick(d.form->chkCase, Qt::Key_C, Qt::AltModifier);
        QVERIFY(!d.form->chkCase->isChecked());  // Alt+C is the page key, not "&Case"
        d.form->SelectPage(2);
        d.form->cmdHelp->click();
        QTest::keyClick(d.form.get(), Qt::Key_F1, Qt::AltModifier);
        QCOMPARE(d.help, (std::vector<std::pair<int, int>>{{1, 3100}, {1, 3100}}));
    }

    void ThePageOnReopeningAfterOkAndAfterCancel() {
        Dialog d;
        d.form->SelectPage(2);
        d.form->cmdOK->click();
        d.form->show();  // kept after OK, with its page
        QCOMPARE(d.form->CurrentPage(), 2);
        d.form->cmdCancel->click();
        d.optionsTab = 0;
        d.Load();  // rebuilt after Cancel, on the first page
        QCOMPARE(d.form->CurrentPage(), 1);
        d.optionsTab = 2;  // as a legend colour label asks
        d.Load();
        QCOMPARE(d.form->CurrentPage(), 2);
    }

    void ColoursAndTheFontReachThePreviewsAndOkStoresThem() {
        Dialog d;
        d.colourChoice = 0x00FF00;  // green
        emit d.form->lblBack[RowHiLite]->Activated();
        QCOMPARE(d.colourTitles.back(), std::string("Select HiLite Back Color"));
        QCOMPARE(d.form->lblPreview[RowHiLite]->palette().color(QPalette::Window),
                 QColor(0, 255, 0));
        d.colourChoice.reset();  // cancelled: nothing changes
        emit d.form->lblFore[RowHiLite]->Activated();
        QCOMPARE(d.colourTitles.back(), std::string("Select HiLite Fore Color"));
        d.fontChoice = "DejaVu Serif";
        d.form->cmdFont->click();
        for (QLabel* preview : d.form->lblPreview) QVERIFY(preview->font().bold());
        d.form->cmdOK->click();
        QCOMPARE(d.values.BackColorHiLite, 0x00FF00u);
        QCOMPARE(d.values.ForeColorHiLite, Settings{}.ForeColorHiLite);
        QCOMPARE(d.values.FontName, std::string("DejaVu Serif"));
        QCOMPARE(d.values.FontSize, 15.0f);
        QVERIFY(d.values.FontBold);
    }

    void ANumberNoSettingHoldsKeepsTheDialogOpenAtItsField() {
        Dialog d;
        QVERIFY(QTest::qWaitForWindowActive(d.form.get()));
        d.form->chkDifferencesOnly->click();
        d.Type(d.form->txtDifferencesAfter, "40000");
        d.form->SelectPage(1);
        d.form->cmdOK->click();
        QVERIFY(d.form->isVisible());
        QCOMPARE(d.messages.size(), size_t{1});
        QVERIFY(QString::fromStdString(d.messages[0]).startsWith("\"Lines after\""));
        QCOMPARE(d.form->CurrentPage(), 2);
        QVERIFY(d.form->txtDifferencesAfter->Field()->hasFocus());
        QVERIFY(!d.optionsChanged);
    }

    void TheResyncFieldsMessageNamesItsRange() {
        Dialog d;
        QVERIFY(QTest::qWaitForWindowActive(d.form.get()));
        QCOMPARE(d.form->txtReSync->MinVal(), 1);
        QCOMPARE(d.form->txtReSync->MaxVal(), 100);
        d.Type(d.form->txtReSync, "99999");
        d.form->SelectPage(2);
        d.form->cmdOK->click();
        QVERIFY(d.form->isVisible());
        QCOMPARE(d.messages, std::vector<std::string>{
                                 "\"Resync match on\" takes a whole number from 1 to 100."});
        QCOMPARE(d.form->CurrentPage(), 1);
        QVERIFY(d.form->txtReSync->Field()->hasFocus());
    }
};

}  // namespace dualis

QTEST_MAIN(dualis::OptionsDialogTest)
#include "OptionsDialogTest.moc"
