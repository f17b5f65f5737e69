// The spin control's widget: the text field, the painted spinner, and the wiring of keys, mouse
// and timer to the spin rules.
#include "fcSpinControl.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <algorithm>

namespace dualis {

namespace {

// A logical rectangle in device pixels, each edge on the device pixel nearest its place, so that
// neighbouring rectangles meet without a gap or an overlap.
QRect DeviceRect(const QRect& r, double ratio) {
    return QRect(QPoint(qRound(r.left() * ratio), qRound(r.top() * ratio)),
                 QPoint(qRound((r.left() + r.width()) * ratio) - 1,
                        qRound((r.top() + r.height()) * ratio) - 1));
}

// An arrow as rows of whole device pixels, one pixel wide at its point and 2 * halfBase + 1 at
// its base, so that it stays sharp at any pixel ratio.
void PaintArrow(QPainter& painter, QPoint point, int halfBase, bool up, const QColor& colour) {
    for (int row = 0; row <= halfBase; ++row) {
        const int halfWidth = up ? row : halfBase - row;
        painter.fillRect(point.x() - halfWidth, point.y() + row, 2 * halfWidth + 1, 1, colour);
    }
}

// One half of the spinner in device pixels: a raised button face, or a sunken one with its
// arrow moved down and right as a pressed button shows it.
void PaintHalf(QPainter& painter, const QRect& r, bool up, bool sunken, const QPalette& colours,
               QPalette::ColorGroup group, double ratio) {
    const int line = std::max(1, qRound(ratio));
    const QColor light = colours.color(group, QPalette::Light);
    const QColor dark = colours.color(group, QPalette::Dark);
    const QColor& topLeft = sunken ? dark : light;
    const QColor& bottomRight = sunken ? light : dark;
    painter.fillRect(r, colours.color(group, QPalette::Button));
    painter.fillRect(r.left(), r.top(), r.width(), line, topLeft);
    painter.fillRect(r.left(), r.top(), line, r.height(), topLeft);
    painter.fillRect(r.left(), r.bottom() - line + 1, r.width(), line, bottomRight);
    painter.fillRect(r.right() - line + 1, r.top(), line, r.height(), bottomRight);

    const QRect face = r.adjusted(line, line, -line, -line);
    const int halfBase =
        std::max(1, std::min({qRound(3 * ratio), face.height() - 1, (face.width() - 1) / 2}));
    QPoint point(face.left() + (face.width() - 1) / 2,
                 face.top() + (face.height() - halfBase - 1) / 2);
    if (sunken) point += QPoint(line, line);
    if (group == QPalette::Disabled) {
        // Greyed as an etched arrow: a highlight below and right of the grey one.
        PaintArrow(painter, point + QPoint(line, line), halfBase, up, light);
    }
    PaintArrow(painter, point, halfBase, up, colours.color(group, QPalette::ButtonText));
}

}  // namespace

// The text field: passes its keys and edits through the spin rules.
class fcSpinControl::TextField final : public QLineEdit, public SpinField {
  public:
    explicit TextField(fcSpinControl& owner) : QLineEdit(&owner), owner_(owner) {
        // Pasted and dropped text is held to digits too; a leading minus stays editable for
        // ranges below zero.
        setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?[0-9]*")), this));
    }

    std::string Text() const override { return text().toStdString(); }
    void SetText(const std::string& value) override { setText(QString::fromStdString(value)); }
    int CursorPosition() const override { return cursorPosition(); }
    void SetCursorPosition(int position) override { setCursorPosition(position); }
    void SelectAll() override { selectAll(); }

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        SpinRules& rules = *owner_.rules_;
        if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
            rules.KeyDown(event->key() == Qt::Key_Up ? SpinKey::Up : SpinKey::Down);
            return;
        }
        rules.KeyDown(SpinKey::Other);
        if (event->key() == Qt::Key_Backspace) return;
        if (TypesOtherThanDigits(*event)) {
            // With Alt or Meta the key is the window's (an access key), not a character.
            if (event->modifiers() & (Qt::AltModifier | Qt::MetaModifier)) event->ignore();
            return;
        }
        QLineEdit::keyPressEvent(event);
    }

    void focusInEvent(QFocusEvent* event) override {
        QLineEdit::focusInEvent(event);
        selectAll();
    }

  private:
    // A key that types something other than digits. Keys held with Ctrl are the field's
    // shortcuts (copy, paste), which the validator holds to digits.
    static bool TypesOtherThanDigits(const QKeyEvent& event) {
        const QString typed = event.text();
        if (typed.isEmpty() || !typed.front().isPrint()) return false;
        if (event.modifiers() & Qt::ControlModifier) return false;
        return !std::all_of(typed.begin(), typed.end(),
                            [](QChar c) { return IsSpinCharacter(c.unicode()); });
    }

    fcSpinControl& owner_;
};

class fcSpinControl::Timer final : public SpinTimer {
  public:
    explicit Timer(QTimer& timer) : timer_(timer) {}
    void Start(int32_t intervalMs) override { timer_.start(intervalMs); }
    void Stop() override { timer_.stop(); }

  private:
    QTimer& timer_;
};

fcSpinControl::fcSpinControl(QWidget* parent)
    : QWidget(parent),
      text_(new TextField(*this)),
      fcSpinTimer_(this),
      timer_(std::make_unique<Timer>(fcSpinTimer_)),
      rules_(std::make_unique<SpinRules>(*text_, *timer_, [this] { emit Change(); })) {
    text_->setObjectName(QStringLiteral("fcSpinText"));
    fcSpinTimer_.setObjectName(QStringLiteral("fcSpinTimer"));
    fcSpinTimer_.setTimerType(Qt::PreciseTimer);  // a coarse timer may fire 40 ms early
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(text_);
    text_->setText(QStringLiteral("1"));  // the initial value of a new control
    connect(text_, &QLineEdit::textEdited, this, [this] { rules_->TextEdited(); });
    connect(&fcSpinTimer_, &QTimer::timeout, this, [this] { Track([this] { rules_->Tick(); }); });
}

fcSpinControl::~fcSpinControl() = default;

QString fcSpinControl::Value() const {
    return text_->text();
}

bool fcSpinControl::SetValue(const QString& value) {
    return rules_->SetValue(value.toStdString());
}

QLineEdit* fcSpinControl::Field() const {
    return text_;
}

QRect fcSpinControl::SpinnerRect() const {
    return {width() - SpinnerWidth, 0, SpinnerWidth, height()};
}

QSize fcSpinControl::sizeHint() const {
    // Room for six digits.
    const int digits = text_->fontMetrics().horizontalAdvance(QStringLiteral("000000"));
    return {text_->minimumSizeHint().width() + digits + SpinnerWidth, text_->sizeHint().height()};
}

QSize fcSpinControl::minimumSizeHint() const {
    return text_->minimumSizeHint() + QSize(SpinnerWidth, 0);
}

void fcSpinControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const double ratio = devicePixelRatioF();
    painter.scale(1 / ratio, 1 / ratio);  // from here on, units are device pixels
    const QRect area = SpinnerRect();
    const int split = area.height() / 2;  // where SpinHalfAt divides the halves
    const QRect upper(area.left(), area.top(), area.width(), split);
    const QRect lower(area.left(), area.top() + split, area.width(), area.height() - split);
    const QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;
    const SpinDirection pressed = rules_->PressedLook();
    PaintHalf(painter, DeviceRect(upper, ratio), true, pressed == SpinDirection::Up, palette(),
              group, ratio);
    PaintHalf(painter, DeviceRect(lower, ratio), false, pressed == SpinDirection::Down, palette(),
              group, ratio);
}

void fcSpinControl::resizeEvent(QResizeEvent*) {
    text_->setGeometry(0, 0, width() - SpinnerWidth, height());
}

SpinDirection fcSpinControl::HalfAt(QPoint at) const {
    const QRect area = SpinnerRect();
    return SpinHalfAt(at.x() - area.left(), at.y() - area.top(), area.width(), area.height());
}

template <class Rule>
void fcSpinControl::Track(Rule&& rule) {
    const SpinDirection before = rules_->PressedLook();
    rule();
    if (rules_->PressedLook() != before) update(SpinnerRect());
}

void fcSpinControl::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    Track([&] { rules_->Press(HalfAt(event->position().toPoint())); });
}

void fcSpinControl::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton)) return;
    Track([&] { rules_->Move(HalfAt(event->position().toPoint())); });
}

void fcSpinControl::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    Abandon();
}

void fcSpinControl::Abandon() {
    Track([this] { rules_->Release(); });
}

void fcSpinControl::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        // A disabled control gets no release; its spinner shows the greyed look at once.
        if (!isEnabled()) Abandon();
        update();
    } else if (event->type() == QEvent::FontChange) {
        updateGeometry();
    }
}

void fcSpinControl::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    Abandon();
}

}  // namespace dualis
