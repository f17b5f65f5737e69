// The spin control on the offscreen platform: keys and the mouse reach its rules, the timer
// drives the repeat, a disabled control stops, and the spinner paints sharply at any ratio.
#include "fcSpinControl.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <set>

namespace dualis {

namespace {

void Send(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
    QMouseEvent event(type, QPointF(at), target->mapToGlobal(QPointF(at)), button, held,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

// True when the field let a key pass on to the window.
bool PassesOn(QLineEdit* field, Qt::Key key, Qt::KeyboardModifiers modifiers, const QString& text) {
    QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
    QCoreApplication::sendEvent(field, &event);
    return !event.isAccepted();
}

struct Control {
    Control() {
        spin.resize(80, 24);
        spin.show();
    }
    QPoint Upper() const { return spin.SpinnerRect().topLeft() + QPoint(10, 3); }
    QPoint Lower() const { return spin.SpinnerRect().bottomLeft() + QPoint(10, -3); }
    void Fire() const {
        QTimerEvent event(timer->timerId());
        QCoreApplication::sendEvent(timer, &event);
    }

    fcSpinControl spin;
    QLineEdit* field = spin.Field();
    QTimer* timer = spin.findChild<QTimer*>(QStringLiteral("fcSpinTimer"));
    QSignalSpy changes{&spin, &fcSpinControl::Change};
};

}  // namespace

class fcSpinControlTest : public QObject {
    Q_OBJECT
  private slots:
    void KeysTypeDigitsOnlyAndStep() {
        Control c;
        QVERIFY(c.spin.SetValue("99"));
        QVERIFY(!c.spin.SetValue("abc"));
        QTest::keyClick(c.field, Qt::Key_Up);
        QTest::keyClick(c.field, Qt::Key_Up);
        QCOMPARE(c.spin.Value(), QString("100"));
        QTest::keyClick(c.field, Qt::Key_Minus);
        QTest::keyClick(c.field, Qt::Key_A);
        QTest::keyClick(c.field, Qt::Key_Backspace);
        QCOMPARE(c.spin.Value(), QString("100"));
        QTest::keyClick(c.field, Qt::Key_5);  // digits are taken as typed, beyond the range too
        QCOMPARE(c.spin.Value(), QString("1005"));
        QCOMPARE(c.spin.ValidValue16(), std::nullopt);
        c.field->selectAll();
        QTest::keyClick(c.field, Qt::Key_Delete);
        QCOMPARE(c.spin.Value(), QString("1"));  // an emptied field shows MinVal
        QTest::keyClick(c.field, Qt::Key_7);
        QCOMPARE(c.spin.ValidValue16(), std::optional<int16_t>(7));
        QCOMPARE(c.changes.count(), 5);  // 99, 100, 1005, 1, 7
        // Pasted text is held to digits as well.
        c.field->insert("x1");
        c.field->insert("-");
        QCOMPARE(c.spin.Value(), QString("7"));
        // Keys the window acts on are left to it.
        QVERIFY(PassesOn(c.field, Qt::Key_Return, Qt::NoModifier, "\r"));
        QVERIFY(PassesOn(c.field, Qt::Key_Escape, Qt::NoModifier, "\x1b"));
        QVERIFY(PassesOn(c.field, Qt::Key_D, Qt::AltModifier, "d"));
    }

    void TheSpinnerRepeatsOnItsTimer() {
        Control c;
        Send(&c.spin, QEvent::MouseButtonPress, c.Upper(), Qt::RightButton);
        QVERIFY(!c.timer->isActive());
        Send(&c.spin, QEvent::MouseButtonPress, c.Upper(), Qt::LeftButton);
        QVERIFY(c.spin.HitSpin());
        QVERIFY(c.timer->isActive());
        QCOMPARE(c.timer->interval(), SpinFirstStepMs);
        c.Fire();
        QCOMPARE(c.spin.Value(), QString("2"));
        QCOMPARE(c.timer->interval(), SpinRepeatDelayMs);
        Send(&c.spin, QEvent::MouseMove, c.Lower(), Qt::LeftButton);
        QVERIFY(!c.timer->isActive());
        Send(&c.spin, QEvent::MouseMove, c.Upper(), Qt::LeftButton);
        QVERIFY(c.timer->isActive());
        Send(&c.spin, QEvent::MouseButtonRelease, c.Upper(), Qt::LeftButton);
        QVERIFY(!c.timer->isActive());
        QVERIFY(!c.spin.HitSpin());
        // Held at MinVal, each tick still reports a change.
        QVERIFY(c.spin.SetValue("1"));
        c.changes.clear();
        Send(&c.spin, QEvent::MouseButtonPress, c.Lower(), Qt::LeftButton);
        c.Fire();
        c.Fire();
        QCOMPARE(c.spin.Value(), QString("1"));
        QCOMPARE(c.changes.count(), 2);
    }

    void DisablingStopsAGestureAndGreysBothParts() {
        Control c;
        const QImage enabled = c.spin.grab().toImage();
        Send(&c.spin, QEvent::MouseButtonPress, c.Upper(), Qt::LeftButton);
        c.spin.setEnabled(false);
        QVERIFY(!c.timer->isActive());
        QVERIFY(!c.spin.HitSpin());
        QVERIFY(!c.field->isEnabled());
        QVERIFY(c.spin.grab().toImage() != enabled);
        c.spin.setEnabled(true);
        QVERIFY(c.field->isEnabled());
        QCOMPARE(c.spin.grab().toImage(), enabled);
    }

    // Run again at twice the pixel ratio.
    void TheSpinnerPaintsInWholeDevicePixels() {
        Control c;
        const double ratio = c.spin.devicePixelRatioF();
        const QRect spinner(c.spin.SpinnerRect().topLeft() * ratio,
                            c.spin.SpinnerRect().size() * ratio);
        const auto Spinner = [&] {
            const QImage image = c.spin.grab().toImage().convertToFormat(QImage::Format_RGB32);
            return image.copy(spinner);
        };
        const QImage normal = Spinner();
        QCOMPARE(c.spin.grab().size(), c.spin.size() * ratio);
        // No blended edges: only the palette's colours, and arrows in both halves.
        const QPalette& p = c.spin.palette();
        const std::set<QRgb> colours{p.color(QPalette::Button).rgb(),
                                     p.color(QPalette::Light).rgb(), p.color(QPalette::Dark).rgb(),
                                     p.color(QPalette::ButtonText).rgb()};
        int arrow[2] = {0, 0};
        for (int y = 0; y < normal.height(); ++y) {
            for (int x = 0; x < normal.width(); ++x) {
                const QRgb pixel = normal.pixel(x, y) | 0xFF000000;
                QVERIFY2(colours.count(pixel), qPrintable(QString("pixel %1,%2").arg(x).arg(y)));
                if (pixel == p.color(QPalette::ButtonText).rgb()) ++arrow[2 * y >= normal.height()];
            }
        }
        QVERIFY(arrow[0] > 0);
        QCOMPARE(arrow[1], arrow[0]);
        // Pressed, the upper half alone changes.
        Send(&c.spin, QEvent::MouseButtonPress, c.Upper(), Qt::LeftButton);
        const QImage pressed = Spinner();
        const int split = c.spin.SpinnerRect().height() / 2 * ratio;
        QVERIFY(pressed.copy(0, 0, pressed.width(), split) !=
                normal.copy(0, 0, normal.width(), split));
        QCOMPARE(pressed.copy(0, split, pressed.width(), pressed.height() - split),
                 normal.copy(0, split, normal.width(), normal.height() - split));
    }
};

}  // namespace dualis

QTEST_MAIN(dualis::fcSpinControlTest)
#include "fcSpinControlTest.moc"
