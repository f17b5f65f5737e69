// The window methods of the window utility class.
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QScrollBar>
#include <QtTest>

#include "Window.h"

namespace dualis {

class WindowQtTest : public QObject {
    Q_OBJECT

  private slots:
    void centerOnTheScreen();
    void centerLeavesAMaximisedWindow();
    void centerAChildInItsParent();
    void onTopKeepsPlaceAndVisibility();
    void callWinHelpNeedsAHelpFile();
    void hiLiteSelectsAll();
    void horizontalExtentMakesTheListScroll();
};

void WindowQtTest::centerOnTheScreen() {
    QWidget w;
    w.resize(200, 100);
    cWindow().Center(&w);
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QCOMPARE(w.frameGeometry().center().x(), area.center().x());
    QCOMPARE(w.frameGeometry().top(), area.top() + (area.height() - 100) / 2);
}

void WindowQtTest::centerLeavesAMaximisedWindow() {
    QWidget w;
    w.move(7, 9);
    w.setWindowState(Qt::WindowMaximized);
    const QPoint before = w.pos();
    cWindow().Center(&w);
    QCOMPARE(w.pos(), before);
}

void WindowQtTest::centerAChildInItsParent() {
    QWidget parent;
    parent.resize(400, 300);
    QWidget child(&parent);
    child.resize(100, 50);
    cWindow().Center(&child);
    QCOMPARE(child.pos(), QPoint(150, 125));
}

void WindowQtTest::onTopKeepsPlaceAndVisibility() {
    QWidget w;
    w.setGeometry(50, 60, 200, 100);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QRect before = w.geometry();
    const cWindow window;
    window.OnTop(&w, true);
    QVERIFY(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(w.isVisible());
    QCOMPARE(w.geometry(), before);
    window.OnTop(&w, false);
    QVERIFY(!w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(w.isVisible());
    QWidget hidden;
    window.OnTop(&hidden, true);
    QVERIFY(!hidden.isVisible());
}

void WindowQtTest::callWinHelpNeedsAHelpFile() {
    cWindow window;
    window.CallWinHelp("Dualis.HLP", HelpFinder);  // no viewer installed: nothing happens
    std::vector<std::pair<int, int>> calls;
    window.HelpViewer = [&](int command, int context) { calls.emplace_back(command, context); };
    window.CallWinHelp("", HelpContext, 3000);
    QVERIFY(calls.empty());
    window.CallWinHelp("Dualis.HLP", HelpContext, 3100);
    QCOMPARE(calls.size(), size_t{1});
    QCOMPARE(calls[0], std::make_pair(HelpContext, 3100));
}

void WindowQtTest::hiLiteSelectsAll() {
    QLineEdit edit("some text");
    edit.setCursorPosition(4);
    cWindow().HiLIte(&edit);
    QCOMPARE(edit.selectedText(), QString("some text"));
    QCOMPARE(edit.selectionStart(), 0);
}

void WindowQtTest::horizontalExtentMakesTheListScroll() {
    QListWidget list;
    list.addItems({"a", "b"});
    list.resize(100, 80);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QCOMPARE(list.horizontalScrollBar()->maximum(), 0);
    const cWindow window;
    const int extent = TwipsToPixels(4500, TwipsPerPixel(list.logicalDpiX()));
    window.SetHorizontalExtent(&list, 4500);
    QTRY_VERIFY(list.horizontalScrollBar()->maximum() > 0);
    QCOMPARE(list.horizontalScrollBar()->maximum() + list.viewport()->width(), extent);
    list.addItem("c");  // items added later are as wide
    window.SetHorizontalExtent(&list, 0);
    QTRY_COMPARE(list.horizontalScrollBar()->maximum(), 0);
    QCOMPARE(list.item(2)->text(), QString("c"));
}

}  // namespace dualis

QTEST_MAIN(dualis::WindowQtTest)
#include "WindowQtTest.moc"
