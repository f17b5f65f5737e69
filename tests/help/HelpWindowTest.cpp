// The help window: the compiled-in manual, its anchors, and the places help requests open.
#include <QAbstractTextDocumentLayout>
#include <QDialog>
#include <QScrollBar>
#include <QSet>
#include <QTextBlock>
#include <QTextBrowser>
#include <QtTest>

#include "HelpTopics.h"
#include "HelpWindow.h"

namespace dualis {

class HelpWindowTest : public QObject {
    Q_OBJECT

    static QTextBrowser* Browser() { return SharedHelpWindow()->Browser(); }
    static int ScrollValue() { return Browser()->verticalScrollBar()->value(); }

    // Where the heading of `anchor` starts in the laid-out document.
    static int HeadingTop(const QString& anchor) {
        QTextDocument* document = Browser()->document();
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
            if (block.blockFormat().headingLevel() > 0 &&
                QString::fromStdString(HeadingAnchor(block.text().toStdString())) == anchor)
                return qRound(document->documentLayout()->blockBoundingRect(block).top());
        }
        return -1;
    }

    static QSet<QString> AnchorNames() {
        QSet<QString> names;
        QTextDocument* document = Browser()->document();
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat format = it.fragment().charFormat();
                if (format.isAnchor())
                    for (const QString& name : format.anchorNames()) names.insert(name);
            }
        }
        return names;
    }

  private slots:
    void contentsCommandShowsTheManualFromItsStart() {
        ShowHelp(HelpFinder, 0);
        HelpWindow* window = SharedHelpWindow();
        QVERIFY(window);
        QVERIFY(window->isVisible());
        QVERIFY(!window->isModal());
        QCOMPARE(window->windowTitle(), QString("Dualis Help"));
        const QString text = Browser()->toPlainText();
        QVERIFY(text.startsWith("Dualis user manual"));
        QVERIFY(text.contains("VBDualis.INI"));
        QCOMPARE(ScrollValue(), 0);
    }

    void optionsContextsScrollToTheirSections() {
        ShowHelp(HelpContext, CompareOptionsContext);
        const int compareTop = HeadingTop("compare-options");
        QVERIFY(compareTop > 0);
        QCOMPARE(ScrollValue(), compareTop);

        ShowHelp(HelpContext, DisplayOptionsContext);
        const int displayTop = HeadingTop("display-options");
        QVERIFY(displayTop > compareTop);
        QCOMPARE(ScrollValue(), displayTop);
    }

    void unknownContextReturnsToTheStartInTheSameWindow() {
        HelpWindow* first = SharedHelpWindow();
        ShowHelp(HelpContext, CompareOptionsContext);
        QVERIFY(ScrollValue() > 0);
        first->close();
        ShowHelp(HelpContext, 4711);
        QCOMPARE(SharedHelpWindow(), first);
        QVERIFY(first->isVisible());
        QCOMPARE(ScrollValue(), 0);
    }

    void everyLinkOfTheManualFindsItsSection() {
        const QSet<QString> names = AnchorNames();
        QVERIFY(names.contains(
            QString::fromUtf8(CompareOptionsAnchor.data(), CompareOptionsAnchor.size())));
        QVERIFY(names.contains(
            QString::fromUtf8(DisplayOptionsAnchor.data(), DisplayOptionsAnchor.size())));
        int links = 0;
        QTextDocument* document = Browser()->document();
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QString href = it.fragment().charFormat().anchorHref();
                if (!href.startsWith('#')) continue;
                ++links;
                QVERIFY2(names.contains(href.mid(1)), qPrintable("no section for " + href));
            }
        }
        QVERIFY(links >= 10);
    }

    void followingAContentsLinkScrollsWithoutReloading() {
        ShowHelp(HelpFinder, 0);
        const int blocks = Browser()->document()->blockCount();
        Browser()->setSource(QUrl("#the-error-report"));
        QCOMPARE(ScrollValue(), HeadingTop("the-error-report"));
        QCOMPARE(Browser()->document()->blockCount(), blocks);
    }

    void escapeClosesTheWindow() {
        ShowHelp(HelpFinder, 0);
        QVERIFY(QTest::qWaitForWindowActive(SharedHelpWindow()));
        QTest::keyClick(Browser(), Qt::Key_Escape);
        QVERIFY(!SharedHelpWindow()->isVisible());
    }

    void helpAskedForFromAModalDialogStandsInFrontOfIt() {
        QDialog dialog;
        QTimer::singleShot(0, &dialog, [&] {
            ShowHelp(HelpContext, 3000);
            // Owned by the dialog, the window is in front of it and not blocked by it.
            QCOMPARE(SharedHelpWindow()->parentWidget(), &dialog);
            QVERIFY(SharedHelpWindow()->isWindow());
            QVERIFY(SharedHelpWindow()->isVisible());
            dialog.accept();
        });
        dialog.exec();
        // Asked for again from the main window, it stands on its own.
        ShowHelp(HelpFinder, 0);
        QCOMPARE(SharedHelpWindow()->parentWidget(), nullptr);
    }
};

}  // namespace dualis

QTEST_MAIN(dualis::HelpWindowTest)
#include "HelpWindowTest.moc"
