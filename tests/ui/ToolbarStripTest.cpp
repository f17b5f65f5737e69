// The toolbar strip on the offscreen platform: hover texts reach the status line and the tool
// tip, a press runs its button only when released over it, and every look paints sharply.
#include <QPainter>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

#include "ToolbarStrip.h"

namespace dualis {

namespace {

void Send(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::NoButton) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
    QMouseEvent event(type, QPointF(at), target->mapToGlobal(QPointF(at)), button, held,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

// The main window's toolbar, with the Find buttons disabled as before a comparison.
struct Strip {
    Strip() {
        AddMainWindowButtons(bar, id, false);
        strip = std::make_unique<ToolbarStrip>(bar, id, [this] { return toolTips; });
        strip->g_ResizeToolbar();
        for (int32_t position = ButtonFindNextMismatch; position <= ButtonFindPriorMatch;
             ++position)
            strip->SetButtonState(position, ButtonState::Disabled);
        strip->resize(400, strip->sizeHint().height());
    }
    QPoint Centre(int32_t position) const {
        const ButtonRecord& b = bar.Button(position);
        return {(b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2};
    }
    void Move(int32_t position) { Send(strip.get(), QEvent::MouseMove, Centre(position)); }
    void Click(int32_t pressOn, int32_t releaseOn, Qt::MouseButton button = Qt::LeftButton) {
        Send(strip.get(), QEvent::MouseButtonPress, Centre(pressOn), button);
        Send(strip.get(), QEvent::MouseMove, Centre(releaseOn), button);
        Send(strip.get(), QEvent::MouseButtonRelease, Centre(releaseOn), button);
    }

    XToolbar bar;
    int32_t id = bar.g_AddToolbar();
    bool toolTips = true;
    std::unique_ptr<ToolbarStrip> strip;
};

}  // namespace

class ToolbarStripTest : public QObject {
    Q_OBJECT
  private slots:
    void HoverTextsReachTheStatusLineAndTheToolTip() {
        Strip s;
        QSignalSpy status(s.strip.get(), &ToolbarStrip::StatusHelp);
        s.Move(ButtonFindNextMismatch);
        QCOMPARE(status.last().at(0).toString(), QString("Not available unless a file is open"));
        QCOMPARE(s.strip->toolTip(), QString("Find next mismatch"));
        // With tool tips off, hovering a button changes neither text.
        s.toolTips = false;
        const qsizetype shown = status.count();
        s.Move(ButtonOpen);
        QCOMPARE(status.count(), shown);
        QCOMPARE(s.strip->toolTip(), QString("Find next mismatch"));
        // Off the buttons, and on leaving the strip, both texts are emptied.
        Send(s.strip.get(), QEvent::MouseMove, {390, 10});
        QCOMPARE(status.last().at(0).toString(), QString());
        QCOMPARE(s.strip->toolTip(), QString());
        s.toolTips = true;
        s.Move(ButtonOpen);
        QCOMPARE(status.last().at(0).toString(), QString("Open files for compare"));
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(s.strip.get(), &leave);
        QCOMPARE(status.last().at(0).toString(), QString());
        QCOMPARE(s.strip->toolTip(), QString());
    }

    void APressRunsItsButtonOnlyWhenReleasedOverIt() {
        Strip s;
        QSignalSpy clicked(s.strip.get(), &ToolbarStrip::ButtonClicked);
        s.Click(ButtonOpen, ButtonRecompare);
        s.Click(ButtonFindNextMatch, ButtonFindNextMatch);  // disabled
        s.Click(ButtonHelp, ButtonHelp, Qt::RightButton);
        QCOMPARE(clicked.count(), 0);
        s.Click(ButtonViewCombined, ButtonViewCombined);
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(clicked.first().at(0).toInt(), int(ButtonViewCombined));
    }

    void EveryLookPaintsAtTheDevicePixelRatio() {
        Strip s;
        QCOMPARE(s.strip->sizeHint().height(), 32);
        s.Move(ButtonOpen);
        Send(s.strip.get(), QEvent::MouseButtonPress, s.Centre(ButtonRecompare), Qt::LeftButton);
        QVERIFY(!s.strip->grab().isNull());  // raised, sunken, greyed and flat at once
        Send(s.strip.get(), QEvent::MouseButtonRelease, {390, 10}, Qt::LeftButton);

        const double ratio = s.strip->devicePixelRatioF();
        const QPixmap help = s.strip->ButtonImage(ImageHelp, false);
        QCOMPARE(help.size(), QSize(16, 16) * ratio);
        QCOMPARE(help.devicePixelRatio(), ratio);
        const QPixmap greyed = s.strip->ButtonImage(ImageHelp, true);
        QCOMPARE(greyed.size(), help.size());
        QCOMPARE(greyed.devicePixelRatio(), ratio);
        QVERIFY(greyed.toImage() != help.toImage());
        // The flat Help button shows its image pixel for pixel, not scaled from a smaller one.
        const ButtonRecord& b = s.bar.Button(ButtonHelp);
        const QPoint corner(b.Left + (b.Right - b.Left - 16) / 2,
                            b.Top + (b.Bottom - b.Top - 16) / 2);
        QImage expected(help.size(), QImage::Format_ARGB32_Premultiplied);
        expected.setDevicePixelRatio(ratio);
        expected.fill(s.strip->palette().color(QPalette::Button));
        QPainter(&expected).drawPixmap(0, 0, help);
        const QImage painted = s.strip->grab().toImage().convertToFormat(expected.format());
        QCOMPARE(painted.copy(QRect(corner * ratio, help.size())), expected);
    }
};

}  // namespace dualis

QTEST_MAIN(dualis::ToolbarStripTest)
#include "ToolbarStripTest.moc"
