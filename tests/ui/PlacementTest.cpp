// The window's placement under a real window manager, which puts a frame round the window once
// it is shown: starting and closing keeps the geometry, a window closed maximised comes back
// to its last normal placement, and a stored placement off the screen is brought onto it.
#include <QProcess>
#include <QScreen>
#include <QtTest>
#include <optional>

#include <signal.h>

#include "MainWindowFixture.h"

namespace dualis {

namespace {

constexpr int kWaitMs = 3000;

bool Near(const QRect& a, const QRect& b) {
    return std::abs(a.x() - b.x()) <= 1 && std::abs(a.y() - b.y()) <= 1 &&
           std::abs(a.width() - b.width()) <= 1 && std::abs(a.height() - b.height()) <= 1;
}

QString Text(const QRect& r) {
    return QString("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

QString Text(const Settings& s) {
    return QString("%1,%2 %3x%4 twips")
        .arg(s.MainWindowLeft)
        .arg(s.MainWindowTop)
        .arg(s.MainWindowWidth)
        .arg(s.MainWindowHeight);
}

bool SamePlacement(const Settings& a, const Settings& b) {
    return a.MainWindowLeft == b.MainWindowLeft && a.MainWindowTop == b.MainWindowTop &&
           a.MainWindowWidth == b.MainWindowWidth && a.MainWindowHeight == b.MainWindowHeight;
}

// A process that keeps a processor busy while it lives; ended by its process id, also when a
// check fails half-way.
class BusyProcess {
  public:
    BusyProcess() {
        process_.start(QStringLiteral("sh"),
                       {QStringLiteral("-c"), QStringLiteral("while :; do :; done")});
        if (process_.waitForStarted()) pid_ = static_cast<pid_t>(process_.processId());
    }
    ~BusyProcess() {
        if (pid_ > 0) ::kill(pid_, SIGKILL);
        process_.waitForFinished();
    }
    BusyProcess(const BusyProcess&) = delete;
    BusyProcess& operator=(const BusyProcess&) = delete;
    bool Started() const { return pid_ > 0; }

  private:
    QProcess process_;
    pid_t pid_ = 0;
};

// Starts a window on the stored settings and waits until it is on screen.
void Start(Fixture& f, const Settings& stored) {
    f.values = stored;
    f.window->Form_Load();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
}

// Starts a window and waits until the window manager has framed it and it settled.
void StartSettled(Fixture& f, const Settings& stored) {
    Start(f, stored);
    QVERIFY(QTest::qWaitFor([&] { return !f.window->windowHandle()->frameMargins().isNull(); },
                            kWaitMs));
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

    // Twenty starts beside a process that keeps a processor busy, so that the window manager
    // frames the window at varying moments. A window that is never moved or resized keeps its
    // outer rectangle and stores the same placement at every close, whether it closes as soon
    // as it is on screen or after it reached its place.
    void TwentyStartsAndClosesUnderLoadKeepTheGeometry() {
        BusyProcess busy;
        QVERIFY2(busy.Started(), "the busy process did not start");
        Settings stored;
        stored.ViewLegend = false;
        std::optional<Settings> kept;
        QRect outer;
        for (int cycle = 0; cycle < 20; ++cycle) {
            Fixture f;
            Start(f, stored);
            // Every fourth start closes as soon as the window is on screen.
            if (cycle % 4 != 3) {
                QWindow* w = f.window->windowHandle();
                if (outer.isNull()) {
                    QVERIFY2(QTest::qWaitFor([&] { return !w->frameMargins().isNull(); }, kWaitMs),
                             "the window manager framed no window");
                    QTest::qWait(300);
                    outer = w->frameGeometry();
                }
                const bool reached =
                    QTest::qWaitFor([&] { return Near(w->frameGeometry(), outer); }, kWaitMs);
                QVERIFY2(reached, qPrintable(QString("cycle %1: %2 instead of %3")
                                                 .arg(cycle)
                                                 .arg(Text(w->frameGeometry()), Text(outer))));
            }
            f.window->close();
            QCOMPARE(f.values.MainWindowState, int16_t{0});
            if (kept) {
                QVERIFY2(SamePlacement(f.values, *kept),
                         qPrintable(QString("cycle %1 stored %2 instead of %3")
                                        .arg(cycle)
                                        .arg(Text(f.values), Text(*kept))));
            } else {
                kept = f.values;
            }
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
            StartSettled(f, stored);
            normal = f.window->frameGeometry();
            f.window->showMaximized();
            QVERIFY(QTest::qWaitFor([&] { return f.window->isMaximized(); }, kWaitMs));
            QTest::qWait(200);
            f.window->close();
            QCOMPARE(f.values.MainWindowState, int16_t{2});
            stored = f.values;
        }
        Fixture f;
        StartSettled(f, stored);
        QVERIFY(f.window->isMaximized());
        f.window->showNormal();
        QVERIFY(QTest::qWaitFor([&] { return Near(f.window->frameGeometry(), normal); }, kWaitMs));
    }

    // The smallest placement allowed is the outer size, so the inside is smaller by the frame.
    void TheSmallestStoredSizeIsKept() {
        Settings stored;
        stored.ViewLegend = false;
        stored.MainWindowLeft = 3000;
        stored.MainWindowTop = 3000;
        stored.MainWindowWidth = MinimumWindowTwips;
        stored.MainWindowHeight = MinimumWindowTwips;
        Fixture f;
        StartSettled(f, stored);
        const double tpp = f.window->TwipsPerPixel();
        const QRect expected(QPoint(3000 / tpp, 3000 / tpp),
                             QSize(MinimumWindowTwips / tpp, MinimumWindowTwips / tpp));
        const QRect outer = f.window->windowHandle()->frameGeometry();
        QVERIFY2(Near(outer, expected), qPrintable(Text(outer) + " instead of " + Text(expected)));
        f.window->close();
        QVERIFY2(SamePlacement(f.values, stored), qPrintable(Text(f.values)));
    }

    void AStoredPlacementOffTheScreenIsBroughtOntoIt() {
        Settings stored;
        stored.ViewLegend = false;
        stored.MainWindowLeft = 60000;
        stored.MainWindowTop = -9000;
        stored.MainWindowWidth = 90000;
        stored.MainWindowHeight = 7500;
        Fixture f;
        StartSettled(f, stored);
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
