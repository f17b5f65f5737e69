// The file selection dialog's focus under a real window manager, where a dialog gets the focus
// only once its window is active: every showing starts in File 1's box, also after OK was
// clicked with the mouse, and a first use leaves the caret after the folder.
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

#include "Debug.h"
#include "Log.h"
#include "TestSupport.h"
#include "Tracing.h"
#include "Window.h"
#include "frmSelectFiles.h"

namespace dualis {

class SelectFocusTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        dir_ = std::make_unique<test::TempDir>();
        names_ = {dir_->Write("one.frm", "x"), dir_->Write("two.frm", "y")};
        settings_ = Settings{};
        settings_.SourcePath = dir_->Path().string() + "/";
        settings_.TargetPath = settings_.SourcePath;
        comparison_ = ComparisonState{};
        log_ = std::make_unique<cLog>(ProgramFacts{"Dualis", "1.0.0", {}});
        tracing_ = std::make_unique<Tracing>(
            debug_, *log_, [](const ErrorFacts& e) { QFAIL(e.Description.c_str()); });
        dialog_ = std::make_unique<frmSelectFiles>(settings_, comparison_, *tracing_, window_);
    }

    void cleanup() {
        dialog_.reset();
        dir_.reset();
    }

    void aFirstUseStartsAfterTheFolderInFileOnesBox() {
        Showing([&](frmSelectFiles& d) {
            QLineEdit* box = d.txtCompareFile(0);
            QTRY_VERIFY(box->hasFocus());
            QVERIFY(!box->hasSelectedText());
            QCOMPARE(box->cursorPosition(), box->text().size());
            Close(d);
        });
    }

    void okClickedWithTheMouseLeavesNoFocusOnItForTheNextShowing() {
        SetFileNames(comparison_, names_[0], names_[1]);
        Showing([&](frmSelectFiles& d) {
            QTRY_VERIFY(d.txtCompareFile(0)->hasFocus());
            QVERIFY(d.cmdOK()->isEnabled());
            QTest::mouseClick(d.cmdOK(), Qt::LeftButton);
        });
        QCOMPARE(dialog_->Tag(), std::string("OK"));
        Showing([&](frmSelectFiles& d) {
            // The focus is back in File 1's box, its name selected to be typed over.
            QTRY_VERIFY(d.txtCompareFile(0)->hasFocus());
            QCOMPARE(d.txtCompareFile(0)->selectedText().toStdString(), names_[0]);
            QVERIFY(!d.cmdOK()->hasFocus());
            Close(d);
        });
        // Wherever the focus was when the dialog was cancelled.
        Showing([&](frmSelectFiles& d) {
            QTRY_VERIFY(d.txtCompareFile(0)->hasFocus());
            d.cmdCancel()->setFocus(Qt::TabFocusReason);
            QTRY_VERIFY(d.cmdCancel()->hasFocus());
            QTest::mouseClick(d.cmdCancel(), Qt::LeftButton);
        });
        QCOMPARE(dialog_->Tag(), std::string("CANCEL"));
        Showing([&](frmSelectFiles& d) {
            QTRY_VERIFY(d.txtCompareFile(0)->hasFocus());
            Close(d);
        });
    }

  private:
    // Shows the dialog modally and runs `checks` once it is active; a dialog the checks left
    // open is closed, so that a failing check never hangs the test.
    void Showing(const std::function<void(frmSelectFiles&)>& checks) {
        frmSelectFiles& d = *dialog_;
        bool ran = false;
        QTimer::singleShot(0, &d, [&] {
            if (QTest::qWaitForWindowActive(&d)) checks(d);
            ran = true;
            if (d.isVisible()) d.reject();
        });
        d.Show();
        QVERIFY(ran);
    }

    static void Close(frmSelectFiles& d) { QTest::keyClick(&d, Qt::Key_Escape); }

    std::unique_ptr<test::TempDir> dir_;
    std::array<std::string, 2> names_;
    Settings settings_;
    ComparisonState comparison_;
    cDebug debug_;
    std::unique_ptr<cLog> log_;
    std::unique_ptr<Tracing> tracing_;
    cWindow window_;
    std::unique_ptr<frmSelectFiles> dialog_;
};

}  // namespace dualis

QTEST_MAIN(dualis::SelectFocusTest)
#include "SelectFocusTest.moc"
