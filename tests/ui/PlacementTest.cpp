// The window's placement under a real window manager, which puts a frame round the window once
// it is shown: starting and closing keeps the geometry, a window closed maximised comes back
// to its last normal placement, and a stored placement off the screen is brought onto it.
#include <QScreen>
#include <QtTest>

#include "MainWindowFixture.h"

namespace dualis {

namespace {

constexpr int kWaitMs = 3000;

bool Near(const QRect& a, const QRect& b) {
    return std::abs(a.x() - b.x()) <= 1 && std::abs(a.y() - b.y()) <= 1 &&
           std::abs(a.width() - b.width()) <= 1 && std::abs(a.height() - b.height()) <= 1;
}

// Starts a window on the stored settings and waits until the window manager has framed it
// and the placement has been applied.
void Start(Fixture& f, const Settings& stored) {
    f.values = stored;
    f.window->Form_Load();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    QTest::qWait(300);
}

}  // namespace

class PlacementTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) {
            QSKIP("Needs an X server with a window manager (tests/ui/with-window-manager.sh).");
        }
    }

    void TenStartsAndClosesKeepTheGeometry() {
        Settings stored;
        stored.ViewLegend = false;
        QRect first;
        for (int cycle = 0; cycle < 10; ++cycle) {
            Fixture f;
            Start(f, stored);
            const QRect outer = f.window->frameGeometry();
            QVERIFY2(outer.size() != f.window->size(), "the window manager framed no window");
            if (cycle == 0) first = outer;
            QVERIFY2(Near(outer, first), qPrintable(QString("cycle %1: %2,%3 %4x%5")
                                                        .arg(cycle)
                                                        .arg(outer.x())
                                                        .arg(outer.y())
                                                        .arg(outer.width())
                                                        .arg(outer.height())));
            f.window->close();
            QCOMPARE(f.values.MainWindowState, int16_t{0});
            stored = f.values;
        }
    }

    void AWindowClosedMaximisedIsRestoredToItsLastNormalPlacement() {
        Settings stored;
        stored.ViewLegend = false;
        stored.MainWindowLeft = 1500;
        stored.MainWindowTop = 1200;
        stored.MainWindowWidth = 10500;
        stored.MainWindowHeight = 8100;
        QRect normal;
        {
            Fixture f;
            Start(f, stored);
            normal = f.window->frameGeometry();
            f.window->showMaximized();
            QVERIFY(QTest::qWaitFor([&] { return f.window->isMaximized(); }, kWaitMs));
            QTest::qWait(200);
            f.window->close();
            QCOMPARE(f.values.MainWindowState, int16_t{2});
            stored = f.values;
        }
        Fixture f;
        Start(f, stored);
        QVERIFY(f.window->isMaximized());
        f.window->showNormal();
        QVERIFY(QTest::qWaitFor([&] { return Near(f.window->frameGeometry(), normal); }, kWaitMs));
    }

    void AStoredPlacementOffTheScreenIsBroughtOntoIt() {
        Settings stored;
        stored.ViewLegend = false;
        stored.MainWindowLeft = 60000;
        stored.MainWindowTop = -9000;
        stored.MainWindowWidth = 90000;
        stored.MainWindowHeight = 7500;
        Fixture f;
        Start(f, stored);
        const QRect area = f.window->screen()->availableGeometry();
        QVERIFY2(area.adjusted(-1, -1, 1, 1).contains(f.window->frameGeometry()),
                 qPrintable(QString("%1,%2 %3x%4")
                                .arg(f.window->frameGeometry().x())
                                .arg(f.window->frameGeometry().y())
                                .arg(f.window->frameGeometry().width())
                                .arg(f.window->frameGeometry().height())));
    }
};

}  // namespace dualis

QTEST_MAIN(dualis::PlacementTest)
#include "PlacementTest.moc"
